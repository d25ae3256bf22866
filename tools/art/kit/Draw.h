// SPDX-License-Identifier: GPL-3.0-or-later
// Shared drawing helpers: colours, shapes, gradients, shadows, textures and text.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "kit/Canvas.h"

namespace art {

struct Rgb {
  double r = 0, g = 0, b = 0;
  Rgb Mix(const Rgb& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
  }
  Rgb Lighter(double t) const { return Mix({1, 1, 1}, t); }
  Rgb Darker(double t) const { return Mix({0, 0, 0}, t); }
};

// Colour from 0xRRGGBB.
Rgb Hex(unsigned rgb);
void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Sources: a linear gradient between two points and a radial one from the centre outwards.
void LinearFill(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgb& a, const Rgb& b,
                double alphaA = 1.0, double alphaB = 1.0);
void RadialFill(cairo_t* cr, double cx, double cy, double r, const Rgb& inner, const Rgb& outer,
                double alphaInner = 1.0, double alphaOuter = 1.0);
// Fills the current path with a top-left lit gradient of the base colour (light from the top left).
void LitFill(cairo_t* cr, double x, double y, double w, double h, const Rgb& base,
             double strength = 0.25);

// The scene's light comes from the top left: shadows fall to the bottom right.
struct ShadowStyle {
  double dx = 3, dy = 3;  // offset to the bottom right
  int blur = 2;           // box blur radius
  double opacity = 0.45;
};
// Draws shape() onto a scratch canvas of the target's size, turns it into a blurred dark
// silhouette and lays it under the target at the shadow's offset. The shape itself is not drawn.
void SoftShadow(Canvas& target, const std::function<void(cairo_t*)>& shape,
                const ShadowStyle& s = {});

// Deterministic pseudo-random numbers: the same seed draws the same picture on every run.
class Rng {
 public:
  explicit Rng(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
  unsigned Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double Uniform() { return (Next() & 0xFFFFFF) / double(0x1000000); }  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  unsigned state_;
};

// Speckles: count small dots in random shades between a and b over the rectangle.
void Speckle(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count, const Rgb& a,
             const Rgb& b, double size, double alpha);

enum class Align { Left, Centre, Right };
struct TextStyle {
  std::string family = "DejaVu Sans";
  double size = 12;
  bool bold = false;
  bool italic = false;
  Rgb colour{0, 0, 0};
  double alpha = 1.0;
  Align align = Align::Left;
  double outline = 0;  // outline width, 0 = none
  Rgb outlineColour{0, 0, 0};
};
// Draws text with its baseline at y; x is the left edge, centre or right edge by align.
// Returns the advance width.
double DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style);
// Width of the text in the style.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);

}  // namespace art
