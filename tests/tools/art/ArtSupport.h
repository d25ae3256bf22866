// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the picture tests: the dummy video mode, the build folder as working
// folder (loose files) and pixel access to loaded clips.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/LClip.h"

namespace arttest {

struct Rgba {
  int r = 0, g = 0, b = 0, a = 0;
};

// Video for the display format, and the build folder as the working folder.
inline bool Prepare() {
  static bool ready = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (chdir(OT_BINARY_DIR) != 0) return false;
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    return SDL_SetVideoMode(800, 600, 32, 0) != nullptr;
  }();
  return ready;
}

// A clip loaded from a picture (and mask) through the clip's own loading code.
inline std::unique_ptr<LClip> Load(const std::string& picture, const std::string& mask,
                                   int frames) {
  auto clip = std::make_unique<LClip>();
  if (!clip->LoadFromFile(picture, mask, frames)) return nullptr;
  return clip;
}

// Pixel (x, y) of frame f, straight colour and alpha (255 when the surface has none).
inline Rgba PixelAt(const LClip& clip, int f, int x, int y) {
  SDL_Surface* s = clip.GetSurface();
  Rgba out;
  if (!s || x < 0 || y < 0 || x >= clip.FrameW || y >= clip.FrameH) return out;
  int px = f * clip.FrameW + x;
  if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
  Uint32 v = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + px * 4);
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  Uint8 r, g, b, a;
  SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
  if (!s->format->Amask) a = 255;
  out = {r, g, b, a};
  return out;
}

}  // namespace arttest
