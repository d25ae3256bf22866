// SPDX-License-Identifier: GPL-3.0-or-later
#include "landscape/Flora.h"

#include <cmath>

namespace art {

void GroundShadow(cairo_t* cr, double x, double y, double r, double h, double opacity) {
  // Light from the top left: the shadow leans to the bottom right, squashed on the ground.
  double cx = x + h * 0.32, cy = y + h * 0.08;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1.0, 0.55);
  RadialFill(cr, 0, 0, r * 1.1, Hex(0x10180a), Hex(0x10180a), opacity, 0.0);
  cairo_arc(cr, 0, 0, r * 1.1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

static void Trunk(cairo_t* cr, double x, double y, double w, double h, const Rgb& bark) {
  cairo_rectangle(cr, x - w / 2, y - h, w, h);
  LinearFill(cr, x - w / 2, 0, x + w / 2, 0, bark.Lighter(0.25), bark.Darker(0.3));
  cairo_fill(cr);
}

// A ball of foliage lit from the top left.
static void Blob(cairo_t* cr, double x, double y, double r, const Rgb& c) {
  RadialFill(cr, x - r * 0.35, y - r * 0.4, r * 1.35, c.Lighter(0.25), c.Darker(0.35));
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

void DeciduousTree(cairo_t* cr, double x, double y, double r, const Rgb& leaves, unsigned seed) {
  Rng rng(seed);
  GroundShadow(cr, x, y, r, r * 1.6);
  Trunk(cr, x, y, std::max(1.6, r * 0.22), r * 0.7, Hex(0x6b4a2c));
  double cy = y - r * 0.55 - r * 0.75;
  // Outline, then a few overlapping blobs, then highlights.
  cairo_arc(cr, x, cy, r + 0.6, 0, 2 * M_PI);
  SetColour(cr, leaves.Darker(0.6), 0.8);
  cairo_fill(cr);
  Blob(cr, x, cy, r, leaves);
  for (int i = 0; i < 5; ++i) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(0.2, 0.5) * r;
    Blob(cr, x + std::cos(a) * d, cy + std::sin(a) * d * 0.8, r * rng.Range(0.4, 0.6),
         leaves.Mix(Hex(0x9ac050), rng.Range(0, 0.25)));
  }
  for (int i = 0; i < 14; ++i) {
    double a = rng.Range(M_PI * 0.9, M_PI * 1.6), d = rng.Range(0.2, 0.85) * r;
    SetColour(cr, leaves.Lighter(0.45), 0.5);
    cairo_arc(cr, x + std::cos(a) * d, cy + std::sin(a) * d, r * 0.09 + 0.4, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void Fir(cairo_t* cr, double x, double y, double r, double h, bool snowy, unsigned seed) {
  Rng rng(seed);
  GroundShadow(cr, x, y, r * 0.9, h * 0.9);
  Trunk(cr, x, y, 2.0, h * 0.18, Hex(0x5a3e24));
  const Rgb needles = Hex(0x2f5a34);
  int tiers = 4;
  for (int t = 0; t < tiers; ++t) {
    double base = y - h * 0.12 - t * h * 0.2, top = base - h * 0.42;
    double w = r * (1.0 - t * 0.2);
    cairo_move_to(cr, x - w, base);
    cairo_line_to(cr, x, top);
    cairo_line_to(cr, x + w, base);
    cairo_curve_to(cr, x + w * 0.5, base + 2, x - w * 0.5, base + 2, x - w, base);
    cairo_close_path(cr);
    LinearFill(cr, x - w, top, x + w, base, needles.Lighter(0.2), needles.Darker(0.35));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x15301a), 0.7);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    if (snowy) {
      // Snow lies on the upper-left slopes of each tier.
      cairo_move_to(cr, x - w * 0.85, base - 0.5);
      cairo_line_to(cr, x, top);
      cairo_line_to(cr, x + w * 0.25, top + (base - top) * 0.35);
      cairo_curve_to(cr, x - w * 0.1, top + (base - top) * 0.5, x - w * 0.4, base - 2, x - w * 0.85,
                     base - 0.5);
      cairo_close_path(cr);
      LinearFill(cr, x - w, top, x + w * 0.3, base, Hex(0xffffff), Hex(0xcfdbe8));
      cairo_fill(cr);
    }
  }
  if (snowy) {
    for (int i = 0; i < 6; ++i) {
      SetColour(cr, Hex(0xffffff), 0.9);
      cairo_arc(cr, x + rng.Range(-r * 0.6, r * 0.6), y - rng.Range(h * 0.2, h * 0.8), 0.7, 0,
                2 * M_PI);
      cairo_fill(cr);
    }
  }
}

void Palm(cairo_t* cr, double x, double y, double r, unsigned seed) {
  Rng rng(seed);
  GroundShadow(cr, x + r * 0.3, y, r, r * 1.8, 0.3);
  double lean = rng.Range(-0.25, 0.35) * r;
  double tx = x + lean, ty = y - r * 1.5;
  cairo_move_to(cr, x - 1.3, y);
  cairo_curve_to(cr, x - 1, y - r * 0.6, tx - 1.3, ty + r * 0.4, tx - 0.9, ty);
  cairo_line_to(cr, tx + 0.9, ty);
  cairo_curve_to(cr, tx + 1.3, ty + r * 0.4, x + 1, y - r * 0.6, x + 1.3, y);
  cairo_close_path(cr);
  LinearFill(cr, x - 2, 0, x + 2, 0, Hex(0xa0784a), Hex(0x5e4226));
  cairo_fill(cr);
  int fronds = 7;
  for (int i = 0; i < fronds; ++i) {
    double a = 2 * M_PI * i / fronds + rng.Range(-0.2, 0.2);
    double ex = tx + std::cos(a) * r, ey = ty + std::sin(a) * r * 0.6 + r * 0.15;
    double mx = tx + std::cos(a) * r * 0.5, my = ty + std::sin(a) * r * 0.3 - r * 0.25;
    double nx = -std::sin(a) * r * 0.18, ny = std::cos(a) * r * 0.12;
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, mx + nx, my + ny, ex, ey, ex, ey);
    cairo_curve_to(cr, ex, ey, mx - nx, my - ny, tx, ty);
    Rgb c = Hex(0x3f8a2e).Mix(Hex(0x6fae3a), rng.Uniform());
    if (std::sin(a) > 0.3) c = c.Darker(0.25);
    LinearFill(cr, tx, ty, ex, ey, c.Lighter(0.15), c.Darker(0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x1e4016), 0.6);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
  }
  Blob(cr, tx, ty, 1.6, Hex(0x6a4a22));
}

void Shrub(cairo_t* cr, double x, double y, double r, const Rgb& leaves, unsigned seed) {
  Rng rng(seed);
  GroundShadow(cr, x, y, r, r * 0.9);
  cairo_save(cr);
  cairo_translate(cr, x, y - r * 0.7);
  cairo_scale(cr, 1.0, 0.8);
  Blob(cr, 0, 0, r, leaves);
  for (int i = 0; i < 6; ++i) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, 0.45) * r;
    Blob(cr, std::cos(a) * d, std::sin(a) * d, r * rng.Range(0.45, 0.65),
         leaves.Mix(Hex(0xa0a050), rng.Range(0, 0.3)));
  }
  cairo_restore(cr);
}

void BareTree(cairo_t* cr, double x, double y, double r, bool snowy, unsigned seed) {
  Rng rng(seed);
  GroundShadow(cr, x, y, r * 0.8, r * 1.5, 0.25);
  const Rgb bark = Hex(0x4e3a2a);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, bark);
  cairo_set_line_width(cr, 2.2);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y - r * 1.2);
  cairo_stroke(cr);
  for (int i = 0; i < 7; ++i) {
    double sy = y - r * rng.Range(0.5, 1.2), a = rng.Range(-2.6, -0.5);
    double len = r * rng.Range(0.5, 0.9);
    double ex = x + std::cos(a) * len, ey = sy + std::sin(a) * len;
    cairo_move_to(cr, x, sy);
    cairo_line_to(cr, ex, ey);
    SetColour(cr, bark);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    if (snowy) {
      cairo_move_to(cr, x, sy - 0.6);
      cairo_line_to(cr, ex, ey - 0.6);
      SetColour(cr, Hex(0xffffff), 0.9);
      cairo_set_line_width(cr, 0.7);
      cairo_stroke(cr);
    }
  }
}

void FelledTree(cairo_t* cr, double x, double y, double r, const Rgb& leaves, bool snowy,
                unsigned seed) {
  Rng rng(seed);
  // Scattered leaves or twigs around the stump.
  for (int i = 0; i < 18; ++i) {
    SetColour(cr, snowy ? Hex(0x6e7e74) : leaves.Mix(Hex(0xb08a3a), rng.Uniform()), 0.85);
    cairo_arc(cr, x + rng.Range(-r, r), y + rng.Range(-r * 0.45, r * 0.3), rng.Range(0.6, 1.2), 0,
              2 * M_PI);
    cairo_fill(cr);
  }
  // Felled trunk lying to the right.
  cairo_save(cr);
  cairo_translate(cr, x + 2, y - 1.5);
  cairo_rotate(cr, -0.25);
  RoundedRect(cr, 0, -1.8, r * 1.3, 3.6, 1.6);
  LinearFill(cr, 0, -2, 0, 2, Hex(0x9a7048), Hex(0x5a3e24));
  cairo_fill(cr);
  Ellipse(cr, r * 1.3, 0, 1.2, 1.8);
  SetColour(cr, Hex(0xd8b888));
  cairo_fill(cr);
  cairo_restore(cr);
  // Stump with its cut face.
  cairo_rectangle(cr, x - 2.2, y - 3.5, 4.4, 3.5);
  LinearFill(cr, x - 2.2, 0, x + 2.2, 0, Hex(0x8a6440), Hex(0x4a3220));
  cairo_fill(cr);
  Ellipse(cr, x, y - 3.5, 2.2, 1.2);
  SetColour(cr, Hex(0xe0c594));
  cairo_fill(cr);
}

}  // namespace art
