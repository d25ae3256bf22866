// SPDX-License-Identifier: GPL-3.0-or-later
// The lock mark: a small padlock shown for a moment on a switch that a passing train
// holds, when the player clicks it. Brass like the switch's lever knob, edged in the
// same dark ink as the switch arrows, with a steel shackle and a soft shadow to the
// bottom right. Anchored at the body's middle, which the game puts on the junction.
#include <cmath>

#include "ids/ClipIds.h"
#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

constexpr int kW = 18, kH = 21;
// The body: a rounded block in the lower part of the frame.
constexpr double kBodyX = 2.5, kBodyY = 8.5, kBodyW = 12.0, kBodyH = 9.5;
constexpr double kMidX = kBodyX + kBodyW / 2;
const Rgb kInk = Hex(0x20180c);

void ShacklePath(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, kMidX - 3.6, kBodyY + 0.5);
  cairo_line_to(cr, kMidX - 3.6, 5.4);
  cairo_arc(cr, kMidX, 5.4, 3.6, M_PI, 2 * M_PI);
  cairo_line_to(cr, kMidX + 3.6, kBodyY + 0.5);
}

void BodyPath(cairo_t* cr) { RoundedRect(cr, kBodyX, kBodyY, kBodyW, kBodyH, 2.2); }

void Padlock(Canvas& canvas) {
  SoftShadow(canvas,
             [](cairo_t* cr) {
               BodyPath(cr);
               cairo_fill(cr);
               ShacklePath(cr);
               cairo_set_line_width(cr, 2.4);
               cairo_stroke(cr);
             },
             {.dx = 1.2, .dy = 1.4, .blur = 1, .opacity = 0.5});
  cairo_t* cr = canvas.Cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  // Shackle: dark edge, then the steel.
  ShacklePath(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 3.6);
  cairo_stroke(cr);
  ShacklePath(cr);
  LinearFill(cr, kMidX - 4, 0, kMidX + 4, 0, Hex(0xf2f2ee), Hex(0x8a8d92));
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
  // Body: brass lit from the top left, edged in ink.
  BodyPath(cr);
  RadialFill(cr, kBodyX + 3, kBodyY + 2, 11, Hex(0xfff3b0), Hex(0x9a7410));
  cairo_fill_preserve(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Keyhole.
  cairo_arc(cr, kMidX, kBodyY + 3.6, 1.4, 0, 2 * M_PI);
  cairo_move_to(cr, kMidX - 0.8, kBodyY + 4.0);
  cairo_line_to(cr, kMidX + 0.8, kBodyY + 4.0);
  cairo_line_to(cr, kMidX + 0.5, kBodyY + 7.0);
  cairo_line_to(cr, kMidX - 0.5, kBodyY + 7.0);
  cairo_close_path(cr);
  SetColour(cr, kInk);
  cairo_fill(cr);
}

}  // namespace

ART_GROUP(track_lock_mark) {
  auto strip = DrawStripCanvases(kW, kH, 1, [](Canvas& canvas, int) { Padlock(canvas); });
  ctx.Save(*strip, "Dat/Game/LockMark.tga", "", 1, {clip::LockMark});
}
