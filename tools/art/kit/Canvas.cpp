// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Canvas.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace art {

Canvas::Canvas(int w, int h) : w_(std::max(1, w)), h_(std::max(1, h)) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w_, h_);
  cr_ = cairo_create(surface_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Flush() const { cairo_surface_flush(surface_); }

static uint32_t* Row(cairo_surface_t* s, int y) {
  unsigned char* data = cairo_image_surface_get_data(s);
  return reinterpret_cast<uint32_t*>(data + y * cairo_image_surface_get_stride(s));
}

Pixel Canvas::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return {};
  Flush();
  uint32_t v = Row(surface_, y)[x];
  Pixel p;
  p.a = v >> 24;
  if (p.a == 0) return p;
  auto un = [&](uint32_t c) {
    return static_cast<uint8_t>(std::min(255u, (c * 255 + p.a / 2) / p.a));
  };
  p.r = un((v >> 16) & 255);
  p.g = un((v >> 8) & 255);
  p.b = un(v & 255);
  return p;
}

void Canvas::Set(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  Flush();
  auto pre = [&](uint32_t c) { return (c * p.a + 127) / 255; };
  Row(surface_, y)[x] = (uint32_t(p.a) << 24) | (pre(p.r) << 16) | (pre(p.g) << 8) | pre(p.b);
  cairo_surface_mark_dirty(surface_);
}

void Canvas::MapPixels(const std::function<Pixel(int, int, Pixel)>& fn) {
  Flush();
  for (int y = 0; y < h_; ++y) {
    uint32_t* row = Row(surface_, y);
    for (int x = 0; x < w_; ++x) {
      uint32_t v = row[x];
      Pixel p;
      p.a = v >> 24;
      if (p.a) {
        p.r = std::min(255u, (((v >> 16) & 255) * 255 + p.a / 2) / p.a);
        p.g = std::min(255u, (((v >> 8) & 255) * 255 + p.a / 2) / p.a);
        p.b = std::min(255u, ((v & 255) * 255 + p.a / 2) / p.a);
      }
      Pixel q = fn(x, y, p);
      auto pre = [&](uint32_t c) { return (c * q.a + 127) / 255; };
      row[x] = (uint32_t(q.a) << 24) | (pre(q.r) << 16) | (pre(q.g) << 8) | pre(q.b);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

void Canvas::Paint(const Canvas& src, double x, double y, double opacity) {
  src.Flush();
  cairo_save(cr_);
  cairo_set_source_surface(cr_, src.surface_, x, y);
  cairo_paint_with_alpha(cr_, opacity);
  cairo_restore(cr_);
}

// One horizontal or vertical box pass over premultiplied channels.
static void BoxPass(std::vector<uint32_t>& px, int w, int h, int r, bool horizontal) {
  int n = horizontal ? w : h, lines = horizontal ? h : w;
  std::vector<uint32_t> line(n);
  for (int l = 0; l < lines; ++l) {
    auto at = [&](int i) -> uint32_t& { return horizontal ? px[l * w + i] : px[i * w + l]; };
    for (int i = 0; i < n; ++i) line[i] = at(i);
    uint32_t sum[4] = {0, 0, 0, 0};
    auto add = [&](int i, int sign) {
      if (i < 0 || i >= n) return;
      for (int c = 0; c < 4; ++c) sum[c] += sign * ((line[i] >> (8 * c)) & 255);
    };
    for (int i = -r; i < r; ++i) add(i, 1);
    int div = 2 * r + 1;
    for (int i = 0; i < n; ++i) {
      add(i + r, 1);
      uint32_t v = 0;
      for (int c = 0; c < 4; ++c) v |= std::min(255u, sum[c] / div) << (8 * c);
      at(i) = v;
      add(i - r, -1);
    }
  }
}

void Canvas::Blur(int radius) {
  if (radius <= 0) return;
  Flush();
  std::vector<uint32_t> px(w_ * h_);
  for (int y = 0; y < h_; ++y) std::memcpy(&px[y * w_], Row(surface_, y), w_ * 4);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(px, w_, h_, radius, true);
    BoxPass(px, w_, h_, radius, false);
  }
  for (int y = 0; y < h_; ++y) std::memcpy(Row(surface_, y), &px[y * w_], w_ * 4);
  cairo_surface_mark_dirty(surface_);
}

void Canvas::Silhouette(double r, double g, double b) {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_IN);
  cairo_set_source_rgb(cr_, r, g, b);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

std::unique_ptr<Canvas> Canvas::Clone() const {
  auto c = std::make_unique<Canvas>(w_, h_);
  cairo_set_operator(c->cr_, CAIRO_OPERATOR_SOURCE);
  c->Paint(*this, 0, 0);
  cairo_set_operator(c->cr_, CAIRO_OPERATOR_OVER);
  return c;
}

}  // namespace art
