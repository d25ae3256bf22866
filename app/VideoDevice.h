// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display as the frame uses it: setting the video mode and presenting
// rectangles or the whole display. Tests put a recording device in its place.
#include <SDL.h>

#include <vector>

class VideoDevice {
 public:
  virtual ~VideoDevice() = default;
  // The new display surface, or none (the library's error text then says why).
  virtual SDL_Surface* SetMode(int width, int height, int bitsPerPixel, Uint32 flags) = 0;
  // Bits per pixel of the current video format; 0 when the library reports none.
  virtual int CurrentBitsPerPixel() = 0;
  virtual void PresentRects(SDL_Surface* display, const std::vector<SDL_Rect>& rects) = 0;
  virtual void PresentAll(SDL_Surface* display) = 0;
};

class SdlVideoDevice : public VideoDevice {
 public:
  SDL_Surface* SetMode(int width, int height, int bitsPerPixel, Uint32 flags) override;
  int CurrentBitsPerPixel() override;
  void PresentRects(SDL_Surface* display, const std::vector<SDL_Rect>& rects) override;
  void PresentAll(SDL_Surface* display) override;
};
