// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PictureEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Locks the surface for the lifetime of the guard when it needs locking.
class SurfaceLock {
 public:
  explicit SurfaceLock(SDL_Surface* s) : surface_(s) {
    if (SDL_MUSTLOCK(surface_)) {
      locked_ = SDL_LockSurface(surface_) == 0;
      ok_ = locked_;
    }
  }
  ~SurfaceLock() {
    if (locked_) SDL_UnlockSurface(surface_);
  }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;
  bool Ok() const { return ok_; }

 private:
  SDL_Surface* surface_;
  bool locked_ = false;
  bool ok_ = true;
};

bool Is32Bit(const SDL_Surface* s) { return s && s->format->BytesPerPixel == 4; }

Uint8 Clamp255(int v) { return static_cast<Uint8>(std::clamp(v, 0, 255)); }

Uint8 Channel(Uint32 pixel, Uint32 mask, Uint8 shift) {
  return static_cast<Uint8>((pixel & mask) >> shift);
}

// Runs fn(r, g, b) over every 32-bit pixel of every row, over the row's full pitch,
// keeping each pixel's alpha bits.
template <typename Fn>
bool ForEachPixel(SDL_Surface* s, Fn fn) {
  if (!Is32Bit(s)) return false;
  SurfaceLock lock(s);
  if (!lock.Ok()) return false;
  const SDL_PixelFormat* f = s->format;
  const Uint32 keep = ~(f->Rmask | f->Gmask | f->Bmask);
  const int perRow = s->pitch / 4;
  for (int row = 0; row < s->h; ++row) {
    auto* p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + row * s->pitch);
    for (int col = 0; col < perRow; ++col) {
      int r = Channel(p[col], f->Rmask, f->Rshift);
      int g = Channel(p[col], f->Gmask, f->Gshift);
      int b = Channel(p[col], f->Bmask, f->Bshift);
      fn(r, g, b);
      p[col] = (p[col] & keep) | (static_cast<Uint32>(Clamp255(r)) << f->Rshift) |
               (static_cast<Uint32>(Clamp255(g)) << f->Gshift) |
               (static_cast<Uint32>(Clamp255(b)) << f->Bshift);
    }
  }
  return true;
}

}  // namespace

bool ShiftColour(SDL_Surface* surface, int dr, int dg, int db) {
  return ForEachPixel(surface, [&](int& r, int& g, int& b) {
    r += dr;
    g += dg;
    b += db;
  });
}

bool MapChannels(SDL_Surface* surface, const uint8_t table[768]) {
  return ForEachPixel(surface, [&](int& r, int& g, int& b) {
    r = table[r];
    g = table[256 + g];
    b = table[512 + b];
  });
}

bool Brightness(SDL_Surface* surface, int delta) {
  uint8_t table[768];
  for (int v = 0; v < 256; ++v) {
    uint8_t mapped = Clamp255(v + std::clamp(delta, -256, 256));
    table[v] = table[256 + v] = table[512 + v] = mapped;
  }
  return MapChannels(surface, table);
}

bool Contrast(SDL_Surface* surface, int amount) {
  uint8_t channel[256];
  ContrastTable(amount, channel);
  uint8_t table[768];
  for (int v = 0; v < 256; ++v) table[v] = table[256 + v] = table[512 + v] = channel[v];
  return MapChannels(surface, table);
}

bool FillColour(SDL_Surface* surface, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  if (!Is32Bit(surface)) return false;
  return SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, r, g, b, a)) == 0;
}

int FadeAlpha(SDL_Surface* surface, int amount) {
  if (!Is32Bit(surface) ||
      (surface->format->Amask != 0xFF000000u && surface->format->Amask != 0x000000FFu)) {
    SDL_SetError("Unsupported surface alpha mask format");
    return -1;
  }
  SurfaceLock lock(surface);
  if (!lock.Ok()) return -1;
  const Uint32 mask = surface->format->Amask;
  const Uint8 shift = surface->format->Ashift;
  const int perRow = surface->pitch / 4;
  for (int row = 0; row < surface->h; ++row) {
    auto* p =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + row * surface->pitch);
    for (int col = 0; col < perRow; ++col) {
      int alpha = Channel(p[col], mask, shift);
      Uint32 faded = Clamp255(alpha - std::clamp(amount, -256, 256));
      p[col] = (p[col] & ~mask) | (faded << shift);
    }
  }
  return 0;
}

int64_t GetPixel(SDL_Surface* surface, int x, int y) {
  if (!surface) return -1;
  if (x < 0) std::fprintf(stderr, "x too small in GetPixel!\n");
  if (x >= surface->w) std::fprintf(stderr, "x too big in GetPixel!\n");
  if (y < 0) std::fprintf(stderr, "y too small in GetPixel!\n");
  if (y >= surface->h) std::fprintf(stderr, "y too big in GetPixel!\n");
  if (x < 0 || x >= surface->w || y < 0 || y >= surface->h) return -1;
  SurfaceLock lock(surface);
  if (!lock.Ok()) return -1;
  const int bpp = surface->format->BytesPerPixel;
  const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
  switch (bpp) {
    case 1:
      return *p;
    case 2:
      return *reinterpret_cast<const Uint16*>(p);
    case 4:
      return *reinterpret_cast<const Uint32*>(p);
    case 3: {
      Uint32 raw = SDL_BYTEORDER == SDL_BIG_ENDIAN ? (p[0] << 16 | p[1] << 8 | p[2])
                                                   : (p[0] | p[1] << 8 | p[2] << 16);
      Uint8 r = 0, g = 0, b = 0;
      SDL_GetRGB(raw, surface->format, &r, &g, &b);
      SDL_Surface* display = SDL_GetVideoSurface();
      return SDL_MapRGB(display ? display->format : surface->format, r, g, b);
    }
    default:
      return -1;
  }
}

namespace {

// Marks a converted picture with an alpha channel for blending. Classic SDL 1.2
// sets the flag in SDL_DisplayFormatAlpha; sdl12-compat copies the flag of the
// source instead, so a picture decoded without alpha (a GIF or BMP whose alpha
// comes from a mask) would otherwise be copied opaque, transparent pixels and all.
SDL_Surface* WithBlending(SDL_Surface* converted) {
  if (converted && converted->format->Amask != 0 && !(converted->flags & SDL_SRCALPHA))
    SDL_SetAlpha(converted, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  return converted;
}

}  // namespace

SDL_Surface* ToDisplayFormat(SDL_Surface* surface, bool alpha) {
  if (!surface) return nullptr;
  if (SDL_GetVideoSurface())
    return alpha ? WithBlending(SDL_DisplayFormatAlpha(surface)) : SDL_DisplayFormat(surface);
  SDL_Surface* shape = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x00FF0000, 0x0000FF00,
                                            0x000000FF, alpha ? 0xFF000000 : 0);
  if (!shape) return nullptr;
  SDL_Surface* converted =
      SDL_ConvertSurface(surface, shape->format, SDL_SWSURFACE | (alpha ? SDL_SRCALPHA : 0));
  SDL_FreeSurface(shape);
  return alpha ? WithBlending(converted) : converted;
}

SDL_Surface* CreateBlankSurface(int w, int h, bool alpha) {
  if (w <= 0 || h <= 0) return nullptr;
  SDL_Surface* raw = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00,
                                          0x000000FF, alpha ? 0xFF000000 : 0);
  if (!raw) return nullptr;
  SDL_Surface* converted = ToDisplayFormat(raw, alpha);
  SDL_FreeSurface(raw);
  return converted;
}

SDL_Surface* CopySurface(SDL_Surface* src) {
  if (!src) return nullptr;
  const SDL_PixelFormat* f = src->format;
  SDL_Surface* dst = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, f->BitsPerPixel, f->Rmask,
                                          f->Gmask, f->Bmask, f->Amask);
  if (!dst) return nullptr;
  if (f->palette && dst->format->palette)
    SDL_SetColors(dst, f->palette->colors, 0, f->palette->ncolors);
  {
    SurfaceLock lockSrc(src);
    SurfaceLock lockDst(dst);
    if (lockSrc.Ok() && lockDst.Ok()) {
      const size_t rowBytes = static_cast<size_t>(std::min(src->pitch, dst->pitch));
      for (int row = 0; row < src->h; ++row)
        std::memcpy(static_cast<Uint8*>(dst->pixels) + row * dst->pitch,
                    static_cast<const Uint8*>(src->pixels) + row * src->pitch, rowBytes);
    }
  }
  SDL_SetAlpha(dst, src->flags & SDL_SRCALPHA, f->alpha);
  if (src->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(dst, SDL_SRCCOLORKEY, f->colorkey);
  return dst;
}

bool IsTransparentPixel(SDL_Surface* surface, int x, int y) {
  if (!surface || surface->format->Amask == 0) return false;
  if (x < 0 || x >= surface->w || y < 0 || y >= surface->h) return true;
  SurfaceLock lock(surface);
  if (!lock.Ok()) return false;
  const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
  switch (surface->format->BytesPerPixel) {
    case 2:
      return (reinterpret_cast<const Uint16*>(p)[x] & surface->format->Amask) == 0;
    case 4:
      return (reinterpret_cast<const Uint32*>(p)[x] & surface->format->Amask) == 0;
    case 3:
      std::fprintf(stderr, "Error(Unsupported surface format)\n");
      return false;
    default:
      return false;
  }
}

int32_t TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}
