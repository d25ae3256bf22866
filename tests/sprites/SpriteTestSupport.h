// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the sprite tests: a headless display, small synthetic pictures and
// font sheets, and a complete set of synthetic library pictures in a temp folder.
#include <SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/ClipTable.h"
#include "engine/LClip.h"

namespace spritetest {

// Starts the dummy video driver with an 800 x 600 display once per process.
inline SDL_Surface* Display() {
  static SDL_Surface* display = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) SDL_Init(SDL_INIT_VIDEO);
    return SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
  }();
  return display;
}

// A 32-bit software surface; with alpha its pixels carry an alpha channel.
inline SDL_Surface* MakeSurface(int w, int h, bool alpha) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                              alpha ? 0xFF000000 : 0);
}

inline uint32_t PixelAt(SDL_Surface* s, int x, int y) {
  return static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x];
}

inline void SetPixel(SDL_Surface* s, int x, int y, uint32_t v) {
  static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x] = v;
}

// A clip owning a picture of surface cut into frames.
inline LClip* ClipFromSurface(SDL_Surface* surface, int frames) {
  auto* clip = new LClip;
  clip->Picture = new ClipPicture{frames, 1, surface};
  clip->FrameW = surface->w / frames;
  clip->FrameH = surface->h;
  clip->SrcRect =
      SDL_Rect{0, 0, static_cast<Uint16>(clip->FrameW), static_cast<Uint16>(clip->FrameH)};
  clip->FrameAlign.resize(static_cast<size_t>(frames));
  return clip;
}

constexpr uint32_t kMarker = 0x00FF00FF;

// A font sheet: a marker pixel before each glyph in row 0, glyph k filled with
// colour 0x000010 * (k + 1) in rows 1 and below (row 0 too, where it is not a marker).
inline SDL_Surface* MakeFontSheet(const std::vector<int>& widths, int height) {
  int total = 1;
  for (int w : widths) total += w + 1;
  SDL_Surface* s = MakeSurface(total, height, false);
  SDL_FillRect(s, nullptr, kMarker);
  int x = 1;
  for (size_t k = 0; k < widths.size(); ++k) {
    SDL_Rect r{static_cast<Sint16>(x), 0, static_cast<Uint16>(widths[k]),
               static_cast<Uint16>(height)};
    SDL_FillRect(s, &r, 0x000010u * static_cast<uint32_t>(k + 1));
    x += widths[k] + 1;
  }
  return s;
}

// Temp folders made by this process, removed when it ends (not by a forked child).
inline std::vector<std::string>& TempDirs() {
  static std::vector<std::string> dirs;
  return dirs;
}

inline void RemoveTempDirs() {
  static const pid_t owner = getpid();
  if (getpid() != owner) return;
  for (const std::string& d : TempDirs()) {
    std::error_code ec;
    std::filesystem::remove_all(d, ec);
  }
}

inline std::string MakeTempDir() {
  char pattern[] = "/tmp/ot_sprites_XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (!dir) return "/tmp";
  if (TempDirs().empty()) {
    RemoveTempDirs();  // fixes the owning process
    std::atexit(RemoveTempDirs);
  }
  TempDirs().push_back(dir);
  return dir;
}

// Changes the working folder for the lifetime of the object.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& dir) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ScopedCwd() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

inline void WriteBmp(const std::string& path, SDL_Surface* s) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SDL_SaveBMP(s, path.c_str());
}

// An uncompressed 32-bit TGA, top-left origin; the first pixel of every frame is
// fully transparent, the rest opaque grey.
inline void WriteTga(const std::string& path, int w, int h, int frames) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  uint8_t header[18] = {0,
                        0,
                        2,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        uint8_t(w & 255),
                        uint8_t(w >> 8),
                        uint8_t(h & 255),
                        uint8_t(h >> 8),
                        32,
                        0x28};
  std::fwrite(header, 1, sizeof header, f);
  const int frameW = w / frames;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool corner = y == 0 && x % frameW == 0;
      const uint8_t px[4] = {128, 128, 128, uint8_t(corner ? 0 : 255)};
      std::fwrite(px, 1, 4, f);
    }
  }
  std::fclose(f);
}

// Writes a picture (and its mask) for every library entry into root, except the
// files named in skip. Pictures are 8 pixels wide per frame and 10 high; masks
// are black in the first pixel of each frame and white elsewhere.
inline void BuildLibraryPictures(const std::string& root, const std::set<std::string>& skip = {}) {
  for (int i = 0; i < kClipCount; ++i) {
    const ClipDesc* d = GetClipDesc(i);
    if (d->Picture[0] == '\0') continue;
    const int frames = d->iNumberFrames;
    const int w = 8 * frames;
    const int h = 10;
    const std::string pic = root + "/" + d->Picture;
    if (!skip.count(d->Picture) && !std::filesystem::exists(pic)) {
      if (std::string(d->Picture).find(".tga") != std::string::npos) {
        WriteTga(pic, w, h, frames);
      } else {
        SDL_Surface* s = MakeSurface(w, h, false);
        SDL_FillRect(s, nullptr, 0x00406080u + static_cast<uint32_t>(i));
        WriteBmp(pic, s);
        SDL_FreeSurface(s);
      }
    }
    const std::string mask = d->Mask;
    if (mask.empty() || skip.count(mask) || std::filesystem::exists(root + "/" + mask)) continue;
    SDL_Surface* m = MakeSurface(w, h, false);
    SDL_FillRect(m, nullptr, 0x00FFFFFF);
    for (int f = 0; f < frames; ++f) SetPixel(m, f * 8, 0, 0);
    WriteBmp(root + "/" + mask, m);
    SDL_FreeSurface(m);
  }
}

// One shared folder with every library picture, made on first use.
inline const std::string& LibraryFolder() {
  static const std::string dir = [] {
    Display();
    std::string d = MakeTempDir();
    BuildLibraryPictures(d);
    return d;
  }();
  return dir;
}

}  // namespace spritetest
