// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 118 to 120: signals and the switch arrows (long and short).
#include <array>
#include <cmath>

#include "geometry/Ground.h"
#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

struct Pair {
  int active, another;
};
// The branch pair each switch frame shows.
constexpr std::array<Pair, 24> kSwitchPairs = {
    {{3, 2}, {2, 3}, {9, 10}, {10, 9}, {6, 5},  {5, 6},  {0, 1}, {1, 0},
     {9, 8}, {8, 9}, {3, 4},  {4, 3},  {0, 11}, {11, 0}, {6, 7}, {7, 6},
     {4, 2}, {2, 4}, {8, 10}, {10, 8}, {11, 1}, {1, 11}, {5, 7}, {7, 5}}};
constexpr std::array<std::array<int, 2>, 24> kSwitchAnchors = {
    {{4, 14},  {4, 14},  {32, 30}, {33, 29}, {33, 11}, {33, 12}, {4, 27},  {4, 29},
     {36, 26}, {35, 26}, {6, 10},  {8, 9},   {7, 31},  {7, 30},  {37, 14}, {37, 13},
     {5, 12},  {3, 10},  {36, 30}, {37, 29}, {4, 30},  {4, 31},  {36, 11}, {37, 11}}};
constexpr int kSwitchW = 44, kSwitchH = 42;

constexpr std::array<std::array<int, 2>, 12> kSignalAnchors = {{{9, 28},
                                                                {9, 28},
                                                                {14, 28},
                                                                {14, 28},
                                                                {14, 28},
                                                                {14, 28},
                                                                {9, 28},
                                                                {9, 28},
                                                                {9, 28},
                                                                {11, 28},
                                                                {11, 28},
                                                                {9, 28}}};
constexpr int kSignalW = 24, kSignalH = 34;

void CurvePath(cairo_t* cr, const TrackCurve& c, double ox, double oy, double p0, double p1) {
  cairo_new_path(cr);
  for (double p = p0; p <= p1 + 1e-6; p += 0.5) {
    Vec2 v = c.At(p);
    cairo_line_to(cr, ox + v.x, oy + v.y);
  }
}

// An arrow along the track curve from p0 to p1 with its head at p1.
void ArrowAlong(cairo_t* cr, const TrackCurve& c, double ox, double oy, double p0, double p1,
                const Rgb& fill) {
  double head = 7;
  Vec2 tip = c.At(p1), l = c.At(p1 - head, -4.2), r = c.At(p1 - head, 4.2);
  for (int pass = 0; pass < 3; ++pass) {
    // 0: shadow, 1: dark outline, 2: fill
    cairo_save(cr);
    if (pass == 0) cairo_translate(cr, 1.0, 1.3);
    Rgb colour = pass == 2 ? fill : Hex(0x20180c);
    double alpha = pass == 0 ? 0.35 : 1.0;
    double width = pass == 2 ? 2.6 : 4.6;
    CurvePath(cr, c, ox, oy, p0, p1 - head + 1);
    SetColour(cr, colour, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, ox + tip.x, oy + tip.y);
    cairo_line_to(cr, ox + l.x, oy + l.y);
    cairo_line_to(cr, ox + r.x, oy + r.y);
    cairo_close_path(cr);
    if (pass != 2) {
      cairo_set_line_width(cr, 2.0);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// The branch that is not set: a short dull stub closed by a bar.
void BlockedStub(cairo_t* cr, const TrackCurve& c, double ox, double oy, double len) {
  CurvePath(cr, c, ox, oy, 3, len);
  SetColour(cr, Hex(0x20180c), 0.8);
  cairo_set_line_width(cr, 3.0);
  cairo_stroke(cr);
  double dash[] = {2.5, 1.5};
  cairo_set_dash(cr, dash, 2, 0);
  CurvePath(cr, c, ox, oy, 3, len);
  SetColour(cr, Hex(0xe0e0d8));
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  Vec2 a = c.At(len, -3.5), b = c.At(len, 3.5);
  cairo_move_to(cr, ox + a.x, oy + a.y);
  cairo_line_to(cr, ox + b.x, oy + b.y);
  SetColour(cr, Hex(0x20180c));
  cairo_set_line_width(cr, 3.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke_preserve(cr);
  SetColour(cr, Hex(0xe04a32));
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

// The lever housing on the junction: a small lit knob.
void Knob(cairo_t* cr, double x, double y) {
  Ellipse(cr, x + 1, y + 1.2, 4.2, 3.0);
  SetColour(cr, Hex(0x000000), 0.3);
  cairo_fill(cr);
  Ellipse(cr, x, y, 4.0, 2.9);
  RadialFill(cr, x - 1.3, y - 1.0, 4.5, Hex(0xfff3b0), Hex(0x9a7410));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x3a2a08));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

CanvasPtr SwitchStrip(double activeLen, double anotherLen) {
  return DrawStrip(kSwitchW, kSwitchH, 24, [&](cairo_t* cr, int f) {
    double ox = kSwitchAnchors[f][0], oy = kSwitchAnchors[f][1];
    TrackCurve active(kSwitchPairs[f].active), another(kSwitchPairs[f].another);
    BlockedStub(cr, another, ox, oy, anotherLen);
    ArrowAlong(cr, active, ox, oy, 2, activeLen, Hex(0xffd23a));
    Knob(cr, ox, oy);
  });
}

void Lamp(cairo_t* cr, double x, double y, const Rgb& lit, bool on) {
  if (on) {
    RadialFill(cr, x, y, 6, lit.Lighter(0.3), lit, 0.55, 0.0);
    cairo_arc(cr, x, y, 6, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
  if (on)
    RadialFill(cr, x - 0.6, y - 0.6, 2.4, lit.Lighter(0.7), lit);
  else
    SetColour(cr, lit.Darker(0.75));
  cairo_fill(cr);
}

void Signal(cairo_t* cr, double ax, double ay, bool red) {
  // Shadow of the mast to the bottom right.
  cairo_move_to(cr, ax, ay);
  cairo_line_to(cr, ax + 7, ay + 3);
  SetColour(cr, Hex(0x000000), 0.3);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  Ellipse(cr, ax, ay, 3.2, 1.6);
  SetColour(cr, Hex(0x4a4a4a));
  cairo_fill(cr);
  // Mast.
  cairo_rectangle(cr, ax - 1, ay - 20, 2, 20);
  LinearFill(cr, ax - 1, 0, ax + 1, 0, Hex(0xd8d8d8), Hex(0x707070));
  cairo_fill(cr);
  // Head with two lamps: red above green.
  RoundedRect(cr, ax - 4.5, ay - 27, 9, 15, 3);
  LinearFill(cr, ax - 4.5, ay - 27, ax + 4.5, ay - 12, Hex(0x4a4f55), Hex(0x15171a));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x0a0a0a));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  Lamp(cr, ax, ay - 23, Hex(0xff2a1a), red);
  Lamp(cr, ax, ay - 16, Hex(0x3cff5a), !red);
}

}  // namespace

ART_GROUP(track_switches) {
  auto arrows = SwitchStrip(40, 36);
  ctx.Save(*arrows, "Dat/Game/strelki.tga", "", 24, {119});
  auto shortArrows = SwitchStrip(27, 24);
  ctx.Save(*shortArrows, "Dat/Game/short_strelki.tga", "", 24, {120});

  auto signals = DrawStrip(kSignalW, kSignalH, 12, [](cairo_t* cr, int f) {
    Signal(cr, kSignalAnchors[f][0], kSignalAnchors[f][1], f % 2 == 1);
  });
  ctx.Save(*signals, "Dat/Game/semaphor.tga", "", 12, {118});
}
