// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowScaler.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Holds a surface locked while its pixels are touched.
class PixelAccess {
 public:
  explicit PixelAccess(SDL_Surface* s) : surface_(s) {
    locked_ = SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) == 0;
  }
  ~PixelAccess() {
    if (locked_) SDL_UnlockSurface(surface_);
  }
  PixelAccess(const PixelAccess&) = delete;
  PixelAccess& operator=(const PixelAccess&) = delete;

 private:
  SDL_Surface* surface_;
  bool locked_ = false;
};

constexpr unsigned kShift = 21;

uint8_t* PixelAt(SDL_Surface* s, int x, int y) {
  return static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

template <typename Pixel>
void RepeatRow(const uint8_t* from, uint8_t* to, int pixels, int scale) {
  const Pixel* in = reinterpret_cast<const Pixel*>(from);
  Pixel* out = reinterpret_cast<Pixel*>(to);
  for (int i = 0; i < pixels; ++i)
    for (int r = 0; r < scale; ++r) *out++ = in[i];
}

void RepeatBytes(const uint8_t* from, uint8_t* to, int pixels, int scale, int bytes) {
  for (int i = 0; i < pixels; ++i)
    for (int r = 0; r < scale; ++r, to += bytes) std::memcpy(to, from + i * bytes, bytes);
}

}  // namespace

WindowScaler::WindowScaler(SDL_Surface* window, int canvasWidth, int canvasHeight, int scale,
                           bool smooth)
    : window_(window), scale_(std::clamp(scale, 1, kLargestScale)), smooth_(smooth) {
  if (window_ == nullptr || window_->format == nullptr) return;
  const SDL_PixelFormat* f = window_->format;
  if (smooth_ && f->BytesPerPixel != 4) {
    std::fprintf(stderr, "Warning: smooth scaling needs 32-bit pixels; pixels are repeated\n");
    smooth_ = false;
  }
  canvas_ = SDL_CreateRGBSurface(SDL_SWSURFACE, canvasWidth, canvasHeight, f->BitsPerPixel,
                                 f->Rmask, f->Gmask, f->Bmask, f->Amask);
  if (canvas_ != nullptr && f->palette != nullptr)
    SDL_SetColors(canvas_, f->palette->colors, 0, f->palette->ncolors);
  for (int r = 0; r < scale_; ++r) {
    // The centre of window pixel r of a block lies (2r + 1 - k) / 2k source pixels
    // from the centre of its source pixel.
    const int offset = 2 * r + 1 - scale_;
    before_.push_back(std::max(-offset, 0));
    after_.push_back(std::max(offset, 0));
  }
}

WindowScaler::~WindowScaler() {
  if (canvas_ != nullptr) SDL_FreeSurface(canvas_);
}

std::vector<SDL_Rect> WindowScaler::ScaleRects(const std::vector<SDL_Rect>& rects) {
  std::vector<SDL_Rect> out;
  if (canvas_ == nullptr) return out;
  out.reserve(rects.size());
  // A smoothly scaled pixel also shades the half blocks of its neighbours.
  const int margin = smooth_ ? 1 : 0;
  for (const SDL_Rect& r : rects) {
    Area a{std::max(r.x - margin, 0), std::max(r.y - margin, 0),
           std::min(r.x + r.w + margin, canvas_->w), std::min(r.y + r.h + margin, canvas_->h)};
    if (a.right <= a.left || a.bottom <= a.top) continue;
    ScaleArea(a);
    out.push_back(SDL_Rect{static_cast<Sint16>(a.left * scale_),
                           static_cast<Sint16>(a.top * scale_),
                           static_cast<Uint16>((a.right - a.left) * scale_),
                           static_cast<Uint16>((a.bottom - a.top) * scale_)});
  }
  return out;
}

void WindowScaler::ScaleAll() {
  if (canvas_ != nullptr) ScaleArea(Area{0, 0, canvas_->w, canvas_->h});
}

void WindowScaler::ScaleArea(const Area& area) {
  if (window_->w < canvas_->w * scale_ || window_->h < canvas_->h * scale_) return;
  PixelAccess canvasAccess(canvas_);
  PixelAccess windowAccess(window_);
  if (smooth_)
    Interpolate(area);
  else
    RepeatPixels(area);
}

void WindowScaler::RepeatPixels(const Area& area) {
  const int bytes = canvas_->format->BytesPerPixel;
  const int pixels = area.right - area.left;
  const size_t rowBytes = static_cast<size_t>(pixels * scale_ * bytes);
  for (int y = area.top; y < area.bottom; ++y) {
    const uint8_t* from = PixelAt(canvas_, area.left, y);
    uint8_t* first = PixelAt(window_, area.left * scale_, y * scale_);
    if (bytes == 4)
      RepeatRow<uint32_t>(from, first, pixels, scale_);
    else if (bytes == 2)
      RepeatRow<uint16_t>(from, first, pixels, scale_);
    else
      RepeatBytes(from, first, pixels, scale_, bytes);
    for (int r = 1; r < scale_; ++r) std::memcpy(first + r * window_->pitch, first, rowBytes);
  }
}

// One canvas row scaled across: per window pixel and byte, the weighted sum of the
// source pixel and the neighbour towards it (weights in 2k-ths, so at most 2k * 255).
void WindowScaler::HorizontalRow(int sourceRow, const Area& area, uint16_t* out) const {
  const uint8_t* row = PixelAt(canvas_, 0, sourceRow);
  const int last = canvas_->w - 1;
  const int whole = 2 * scale_;
  for (int i = area.left; i < area.right; ++i) {
    const uint8_t* self = row + 4 * i;
    for (int r = 0; r < scale_; ++r, out += 4) {
      const int b = before_[r], a = after_[r];
      const uint8_t* other = row + 4 * (b > 0 ? std::max(i - 1, 0) : std::min(i + 1, last));
      const int w = b + a, s = whole - w;
      for (int c = 0; c < 4; ++c) out[c] = static_cast<uint16_t>(s * self[c] + w * other[c]);
    }
  }
}

void WindowScaler::Interpolate(const Area& area) {
  const int firstRow = std::max(area.top - 1, 0);
  const int lastRow = std::min(area.bottom, canvas_->h - 1);
  const size_t width = static_cast<size_t>((area.right - area.left) * scale_ * 4);
  rows_.resize(width * static_cast<size_t>(lastRow - firstRow + 1));
  for (int y = firstRow; y <= lastRow; ++y)
    HorizontalRow(y, area, rows_.data() + width * static_cast<size_t>(y - firstRow));
  // Division by (2k)^2 as a multiplication and shift, exact for sums up to (2k)^2 * 255.
  const int whole = 2 * scale_;
  const uint32_t divisor = static_cast<uint32_t>(whole * whole);
  const uint32_t reciprocal = ((1u << kShift) + divisor - 1) / divisor;
  for (int j = area.top; j < area.bottom; ++j) {
    const uint16_t* self = rows_.data() + width * static_cast<size_t>(j - firstRow);
    for (int s = 0; s < scale_; ++s) {
      const int b = before_[s], a = after_[s];
      const int neighbour = b > 0 ? std::max(j - 1, firstRow) : std::min(j + 1, lastRow);
      const uint16_t* other = rows_.data() + width * static_cast<size_t>(neighbour - firstRow);
      const uint32_t w = static_cast<uint32_t>(b + a), m = static_cast<uint32_t>(whole) - w;
      uint8_t* out = PixelAt(window_, area.left * scale_, j * scale_ + s);
      for (size_t n = 0; n < width; ++n)
        out[n] = static_cast<uint8_t>(((m * self[n] + w * other[n] + divisor / 2) * reciprocal) >>
                                      kShift);
    }
  }
}
