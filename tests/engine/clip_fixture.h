// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared fixture for the clip, effect and screen tests: an 800 x 600 x 32 video mode
// under the dummy driver, and a private working folder for loose picture files that
// the resource archive reads while it is not opened.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/PictureEffects.h"

namespace cliptest {

struct Rgba {
  uint8_t r, g, b, a;
};
using ColourFn = std::function<Rgba(int, int)>;

inline Rgba Solid(uint8_t r, uint8_t g, uint8_t b) { return Rgba{r, g, b, 255}; }

// A 32-bit ARGB surface whose pixel (x, y) is colour(x, y).
inline SDL_Surface* MakePicture(int w, int h, const ColourFn& colour) {
  SDL_Surface* s =
      SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colour(x, y);
      reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] =
          SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
    }
  return s;
}

// Writes an opaque BMP picture (also used for grey masks).
inline void WriteBmp(const std::string& name, int w, int h, const ColourFn& colour) {
  SDL_Surface* s = MakePicture(w, h, colour);
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
}

// Writes an uncompressed 32-bit TGA with its own alpha, top row first.
inline void WriteTga(const std::string& name, int w, int h, const ColourFn& colour) {
  std::vector<uint8_t> bytes{
      0, 0,  2,   0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(w), 0, static_cast<uint8_t>(h),
      0, 32, 0x28};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colour(x, y);
      bytes.insert(bytes.end(), {c.b, c.g, c.r, c.a});
    }
  FILE* f = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline void WriteText(const std::string& name, const char* text) {
  FILE* f = std::fopen(name.c_str(), "wb");
  std::fputs(text, f);
  std::fclose(f);
}

inline Rgba PixelAt(SDL_Surface* s, int x, int y) {
  Rgba c{0, 0, 0, 0};
  SDL_GetRGBA(static_cast<Uint32>(GetPixel(s, x, y)), s->format, &c.r, &c.g, &c.b, &c.a);
  return c;
}

}  // namespace cliptest

// Video mode plus a private working folder for each test.
class ClipFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SDL_GetVideoSurface()) {
      setenv("SDL_VIDEODRIVER", "dummy", 0);
      ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
      ASSERT_NE(SDL_SetVideoMode(800, 600, 32, 0), nullptr) << SDL_GetError();
    }
    oldDir_ = std::filesystem::current_path();
    char pattern[] = "/tmp/ot_clip_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(oldDir_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  std::filesystem::path oldDir_;
  std::filesystem::path dir_;
};
