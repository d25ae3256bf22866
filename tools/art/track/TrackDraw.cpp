// SPDX-License-Identifier: GPL-3.0-or-later
#include "track/TrackDraw.h"

#include <cmath>

#include "kit/Draw.h"

namespace art {

void BandPath(cairo_t* cr, const TrackCurve& c, double ox, double oy, double a, double b, double p0,
              double p1) {
  int n = std::max(2, int((p1 - p0) * 2));
  cairo_new_sub_path(cr);
  for (int i = 0; i <= n; ++i) {
    Vec2 v = c.At(p0 + (p1 - p0) * i / n, a);
    cairo_line_to(cr, ox + v.x, oy + v.y);
  }
  for (int i = n; i >= 0; --i) {
    Vec2 v = c.At(p0 + (p1 - p0) * i / n, b);
    cairo_line_to(cr, ox + v.x, oy + v.y);
  }
  cairo_close_path(cr);
}

// Pieces reach this far past both junctions so that neighbours overlap without a seam.
constexpr double kOverlap = 1.5;

static void LinePath(cairo_t* cr, const TrackCurve& c, double ox, double oy, double side) {
  int n = int(c.Length() * 2);
  cairo_new_path(cr);
  for (int i = 0; i <= n; ++i) {
    Vec2 v = c.At(-kOverlap + (c.Length() + 2 * kOverlap) * i / n, side);
    cairo_line_to(cr, ox + v.x, oy + v.y);
  }
}

void DrawBed(cairo_t* cr, const TrackCurve& c, double ox, double oy, unsigned seed) {
  const double h = TrackSizes::kBedHalf;
  // Shoulders slope down to the meadow: a darker, softer rim around a lighter crown.
  BandPath(cr, c, ox, oy, -h, h, -kOverlap, c.Length() + kOverlap);
  SetColour(cr, Hex(0x8a8273));
  cairo_fill(cr);
  BandPath(cr, c, ox, oy, -h + 1.6, h - 1.6, -kOverlap, c.Length() + kOverlap);
  SetColour(cr, Hex(0xa39b8b));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  Rng rng(seed);
  // Gravel: dense small stones, lit from the top left.
  for (int i = 0; i < 700; ++i) {
    double p = rng.Uniform() * c.Length(), side = rng.Range(-h, h);
    Vec2 v = c.At(p, side);
    double shade = rng.Uniform();
    Rgb stone = Hex(0x6f685c).Mix(Hex(0xd4cdbd), shade);
    SetColour(cr, stone, 0.75);
    Ellipse(cr, ox + v.x, oy + v.y, rng.Range(0.5, 1.1), rng.Range(0.4, 0.8));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Light on the upper-left shoulder, shade on the lower-right one.
  cairo_new_path(cr);
  BandPath(cr, c, ox, oy, -h, -h + 1.2, 0, c.Length());
  BandPath(cr, c, ox, oy, h - 1.2, h, 0, c.Length());
  SetColour(cr, Hex(0x5f5a4e), 0.35);
  cairo_fill(cr);
}

void DrawSleepers(cairo_t* cr, const TrackCurve& c, double ox, double oy, unsigned seed) {
  Rng rng(seed);
  const double half = TrackSizes::kSleeperHalf, d = TrackSizes::kSleeperDepth;
  int count = int(c.Length() / TrackSizes::kSleeperStep);
  double step = c.Length() / count;
  for (int i = 0; i <= count; ++i) {
    double p = i * step;
    double p0 = std::max(0.0, p - d), p1 = std::min(c.Length(), p + d);
    // Shadow to the bottom right.
    cairo_save(cr);
    cairo_translate(cr, 0.7, 0.8);
    BandPath(cr, c, ox, oy, -half, half, p0, p1);
    SetColour(cr, Hex(0x2e2518), 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    BandPath(cr, c, ox, oy, -half, half, p0, p1);
    Rgb wood = Hex(0x6e4c2e).Mix(Hex(0x8a6440), rng.Uniform());
    SetColour(cr, wood);
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x3e2a18), 0.6);
    cairo_set_line_width(cr, 0.45);
    cairo_stroke(cr);
  }
}

void DrawRails(cairo_t* cr, const TrackCurve& c, double ox, double oy) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (double side : {-TrackSizes::kGauge, TrackSizes::kGauge}) {
    // Shadow, dark web, bright head.
    cairo_save(cr);
    cairo_translate(cr, 0.6, 0.9);
    LinePath(cr, c, ox, oy, side);
    SetColour(cr, Hex(0x1d1b16), 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    LinePath(cr, c, ox, oy, side);
    SetColour(cr, Hex(0x4b4f55));
    cairo_set_line_width(cr, 1.7);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, -0.25, -0.3);
    LinePath(cr, c, ox, oy, side);
    SetColour(cr, Hex(0xe4e8ec));
    cairo_set_line_width(cr, 0.75);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void DrawPlanned(cairo_t* cr, const TrackCurve& c, double ox, double oy) {
  const double h = TrackSizes::kBedHalf;
  BandPath(cr, c, ox, oy, -h, h, -kOverlap, c.Length() + kOverlap);
  SetColour(cr, Hex(0xfff6c8), 0.28);
  cairo_fill(cr);
  double dashes[] = {4.0, 3.0};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_set_line_width(cr, 1.3);
  for (double side : {-h + 0.7, h - 0.7}) {
    LinePath(cr, c, ox, oy, side);
    SetColour(cr, Hex(0xfffbe6), 0.95);
    cairo_stroke(cr);
  }
  cairo_set_dash(cr, nullptr, 0, 0);
  LinePath(cr, c, ox, oy, 0);
  SetColour(cr, Hex(0xfffbe6), 0.7);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

void DrawForbidden(cairo_t* cr, const TrackCurve& c, double ox, double oy) {
  const double h = TrackSizes::kBedHalf;
  BandPath(cr, c, ox, oy, -h, h, -kOverlap, c.Length() + kOverlap);
  SetColour(cr, Hex(0xd42a1e), 0.5);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  SetColour(cr, Hex(0xff5040), 0.75);
  cairo_set_line_width(cr, 1.2);
  for (double x = -80; x < 200; x += 6) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + 70, 70);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  BandPath(cr, c, ox, oy, -h, h, -kOverlap, c.Length() + kOverlap);
  SetColour(cr, Hex(0x9a1208), 0.85);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

}  // namespace art
