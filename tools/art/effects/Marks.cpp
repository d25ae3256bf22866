// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's marks over a switch or signal: the selection ring (SelectRing), a thin
// light ring edged in the switches' dark ink with four short ticks, so it reads on grass,
// sand and snow without hiding the arrow under it; and the hint's highlight (HintMark), a
// glow in the switch arrows' yellow with a ring that swells and shrinks over four frames.
#include <cmath>

#include "ids/ClipIds.h"
#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

constexpr int kRingSize = 35;
constexpr double kRingMid = kRingSize / 2.0;
constexpr int kMarkSize = 45;
constexpr double kMarkMid = kMarkSize / 2.0;
constexpr int kMarkFrames = 4;

const Rgb kInk = Hex(0x20180c);  // the switch arrows' outline
const Rgb kLight = Hex(0xf6f2e4);
const Rgb kArrowYellow = Hex(0xffd23a);

void Stroke(cairo_t* cr, const Rgb& colour, double width, double alpha = 1.0) {
  SetColour(cr, colour, alpha);
  cairo_set_line_width(cr, width);
  cairo_stroke_preserve(cr);
}

void SelectRing(cairo_t* cr, int) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_arc(cr, kRingMid, kRingMid, 13.0, 0, 2 * M_PI);
  Stroke(cr, kInk, 4.2, 0.85);
  Stroke(cr, kLight, 2.0);
  cairo_new_path(cr);
  // Ticks at the four points of the compass, out from the ring: the arrow keys' ways.
  for (int k = 0; k < 4; ++k) {
    const double a = k * M_PI / 2;
    cairo_move_to(cr, kRingMid + 13.5 * std::cos(a), kRingMid + 13.5 * std::sin(a));
    cairo_line_to(cr, kRingMid + 16.5 * std::cos(a), kRingMid + 16.5 * std::sin(a));
  }
  Stroke(cr, kInk, 3.4, 0.85);
  Stroke(cr, kLight, 1.4);
  cairo_new_path(cr);
}

void HintMark(cairo_t* cr, int frame) {
  // 0, 1, 2, 1 of the swell: the loop breathes in and out.
  const double swell = frame == 3 ? 1 : frame;
  const double r = 12.0 + 2.5 * swell;
  cairo_arc(cr, kMarkMid, kMarkMid, r + 6, 0, 2 * M_PI);
  RadialFill(cr, kMarkMid, kMarkMid, r + 6, kArrowYellow, kArrowYellow, 0.55 - 0.08 * swell, 0.0);
  cairo_fill(cr);
  cairo_arc(cr, kMarkMid, kMarkMid, r, 0, 2 * M_PI);
  Stroke(cr, kInk, 4.6, 0.8);
  Stroke(cr, kArrowYellow, 2.6);
  cairo_new_path(cr);
}

}  // namespace

ART_GROUP(effects_marks) {
  auto ring = DrawStrip(kRingSize, kRingSize, 1, SelectRing);
  ctx.Save(*ring, "Dat/Game/SelectRing.tga", "", 1, {clip::SelectRing});
  auto mark = DrawStrip(kMarkSize, kMarkSize, kMarkFrames, HintMark);
  ctx.Save(*mark, "Dat/Game/HintMark.tga", "", kMarkFrames, {clip::HintMark});
}
