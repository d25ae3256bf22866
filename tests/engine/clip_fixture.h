#pragma once
// Shared fixture for the clip and screen tests: an 800 x 600 x 32 video mode under
// the dummy driver, and a temporary working folder holding loose picture files that
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

inline bool StartVideo() {
  if (SDL_GetVideoSurface()) return true;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  return SDL_SetVideoMode(800, 600, 32, 0) != nullptr;
}

// A 32-bit ARGB surface whose pixel (x, y) has the colour colour(x, y).
inline SDL_Surface* MakePicture(int w, int h, const std::function<Rgba(int, int)>& colour) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00,
                                        0x000000FF, 0xFF000000);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colour(x, y);
      auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
      row[x] = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
    }
  return s;
}

// Writes an opaque BMP picture.
inline void WriteBmp(const std::string& name, int w, int h,
                     const std::function<Rgba(int, int)>& colour) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x00FF0000, 0x0000FF00,
                                        0x000000FF, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colour(x, y);
      Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 3;
      Uint32 v = SDL_MapRGB(s->format, c.r, c.g, c.b);
      p[0] = v & 0xFF;
      p[1] = (v >> 8) & 0xFF;
      p[2] = (v >> 16) & 0xFF;
    }
  std::filesystem::create_directories(std::filesystem::path(name).parent_path().empty()
                                          ? std::filesystem::path(".")
                                          : std::filesystem::path(name).parent_path());
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
}

// Writes an 8-bit grey mask: grey(x, y) 255 is opaque, 0 transparent.
inline void WriteGreyMask(const std::string& name, int w, int h,
                          const std::function<uint8_t(int, int)>& grey) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
  SDL_Color palette[256];
  for (int i = 0; i < 256; ++i)
    palette[i] = SDL_Color{static_cast<Uint8>(i), static_cast<Uint8>(i), static_cast<Uint8>(i), 0};
  SDL_SetColors(s, palette, 0, 256);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = grey(x, y);
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
}

// Writes an uncompressed 32-bit TGA with its own alpha, top row first.
inline void WriteTga(const std::string& name, int w, int h,
                     const std::function<Rgba(int, int)>& colour) {
  std::vector<uint8_t> bytes(18, 0);
  bytes[2] = 2;
  bytes[12] = w & 0xFF;
  bytes[13] = (w >> 8) & 0xFF;
  bytes[14] = h & 0xFF;
  bytes[15] = (h >> 8) & 0xFF;
  bytes[16] = 32;
  bytes[17] = 0x28;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba c = colour(x, y);
      bytes.insert(bytes.end(), {c.b, c.g, c.r, c.a});
    }
  FILE* f = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline Rgba PixelAt(SDL_Surface* s, int x, int y) {
  Rgba c{0, 0, 0, 0};
  Uint32 v = static_cast<Uint32>(GetPixel(s, x, y));
  SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &c.a);
  return c;
}

inline Rgba Solid(uint8_t r, uint8_t g, uint8_t b) { return Rgba{r, g, b, 255}; }

}  // namespace cliptest

// Video mode plus a private working folder for each test.
class ClipFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cliptest::StartVideo()) << SDL_GetError();
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
