// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VideoDevice.h"

SDL_Surface* SdlVideoDevice::SetMode(int width, int height, int bitsPerPixel, Uint32 flags) {
  return SDL_SetVideoMode(width, height, bitsPerPixel, flags);
}

int SdlVideoDevice::CurrentBitsPerPixel() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr || info->vfmt == nullptr) return 0;
  return info->vfmt->BitsPerPixel;
}

void SdlVideoDevice::PresentRects(SDL_Surface* display, const std::vector<SDL_Rect>& rects) {
  if (display == nullptr || rects.empty()) return;
  SDL_UpdateRects(display, static_cast<int>(rects.size()), const_cast<SDL_Rect*>(rects.data()));
}

void SdlVideoDevice::PresentAll(SDL_Surface* display) {
  if (display != nullptr) SDL_UpdateRect(display, 0, 0, 0, 0);
}
