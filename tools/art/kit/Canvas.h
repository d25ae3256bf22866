// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface for the art generator: a Cairo ARGB32 image with its context.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace art {

// Straight (not premultiplied) colour of one pixel.
struct Pixel {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

class Canvas {
 public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return w_; }
  int Height() const { return h_; }
  cairo_t* Cr() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }

  // Straight colour of a pixel; outside the canvas gives a clear pixel.
  Pixel Get(int x, int y) const;
  void Set(int x, int y, Pixel p);

  // Draws another canvas at (x, y) with the given opacity.
  void Paint(const Canvas& src, double x, double y, double opacity = 1.0);
  // Blurs every channel with three box passes of the given radius (soft shadows, glows).
  void Blur(int radius);
  // Replaces every pixel's colour by (r, g, b), keeping coverage: turns a drawing into its
  // silhouette.
  void Silhouette(double r, double g, double b);
  // Replaces every pixel by fn(x, y, current straight colour): textures, noise, recolouring.
  void MapPixels(const std::function<Pixel(int, int, Pixel)>& fn);
  // Deep copy.
  std::unique_ptr<Canvas> Clone() const;
  // Makes sure Cairo has finished drawing before pixels are read.
  void Flush() const;

 private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

using CanvasPtr = std::unique_ptr<Canvas>;

}  // namespace art
