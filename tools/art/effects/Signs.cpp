// SPDX-License-Identifier: GPL-3.0-or-later
// Small pictures on the field: the damage sign (98), the bell of a waiting town (0, 86),
// the start sign (102), the arrival animations (83, 84), the call button (100), the repair
// sign (85).
#include <array>
#include <cmath>

#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

void Post(cairo_t* cr, double x, double top, double foot) {
  cairo_move_to(cr, x, foot);
  cairo_line_to(cr, x + 6, foot + 2.5);
  SetColour(cr, Hex(0x000000), 0.3);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_rectangle(cr, x - 1, top, 2, foot - top);
  LinearFill(cr, x - 1, 0, x + 1, 0, Hex(0xe0e0e0), Hex(0x707070));
  cairo_fill(cr);
}

void DamageSign(cairo_t* cr, int f) {
  const double ax = 27, ay = 45;
  // A short barrier across the track with the warning triangle above it.
  for (double x : {ax - 12, ax + 12}) Post(cr, x, ay - 9, ay);
  for (int i = 0; i < 6; ++i) {
    cairo_rectangle(cr, ax - 13 + i * 4.33, ay - 10, 4.33, 3);
    SetColour(cr, i % 2 ? Hex(0xffffff) : Hex(0xd8281c));
    cairo_fill(cr);
  }
  Post(cr, ax, ay - 30, ay);
  double top = ay - 42, h = 15, w = 17;
  cairo_move_to(cr, ax, top);
  cairo_line_to(cr, ax + w / 2, top + h);
  cairo_line_to(cr, ax - w / 2, top + h);
  cairo_close_path(cr);
  SetColour(cr, Hex(0xd8281c));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke_preserve(cr);
  SetColour(cr, f == 0 ? Hex(0xfff6d8) : Hex(0xffe070));
  cairo_fill(cr);
  TextStyle st;
  st.size = 10;
  st.bold = true;
  st.align = Align::Centre;
  DrawText(cr, "!", ax, top + h - 2, st);
  // A warning lamp on top blinks.
  cairo_arc(cr, ax, top - 2.5, 2.2, 0, 2 * M_PI);
  if (f == 0) {
    RadialFill(cr, ax, top - 2.5, 6, Hex(0xffd040), Hex(0xff8000), 1.0, 0.0);
    cairo_arc(cr, ax, top - 2.5, 6, 0, 2 * M_PI);
  } else {
    SetColour(cr, Hex(0x8a5010));
  }
  cairo_fill(cr);
}

constexpr std::array<std::array<int, 2>, 7> kBellAnchors = {
    {{27, 6}, {25, 6}, {20, 6}, {16, 6}, {14, 6}, {16, 6}, {23, 14}}};

void Bell(cairo_t* cr, int f) {
  double ax = kBellAnchors[f][0], ay = kBellAnchors[f][1];
  double angle = (30.0 - 10.0 * f) * M_PI / 180.0;
  cairo_save(cr);
  cairo_translate(cr, ax, ay);
  // Shadow to the bottom right, then the bell swinging about its pivot.
  for (int pass = 0; pass < 2; ++pass) {
    cairo_save(cr);
    if (pass == 0) cairo_translate(cr, 3, 3);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -3, 2);
    cairo_curve_to(cr, -4, 8, -5, 12, -9, 16);
    cairo_line_to(cr, 9, 16);
    cairo_curve_to(cr, 5, 12, 4, 8, 3, 2);
    cairo_close_path(cr);
    if (pass == 0) {
      SetColour(cr, Hex(0x000000), 0.3);
      cairo_fill(cr);
    } else {
      LinearFill(cr, -9, 0, 9, 0, Hex(0xffe49a), Hex(0x8a5a10));
      cairo_fill_preserve(cr);
      SetColour(cr, Hex(0x4a2e08));
      cairo_set_line_width(cr, 0.8);
      cairo_stroke(cr);
      cairo_arc(cr, 0, 17, 2, 0, 2 * M_PI);
      SetColour(cr, Hex(0x5a3a10));
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 2.5, 0, 2 * M_PI);
  SetColour(cr, Hex(0x3a3a3a));
  cairo_fill(cr);
  cairo_restore(cr);
}

void StartSign(cairo_t* cr, int f) {
  // A small semaphore: arm level (wait) and arm raised (the train sets off).
  Post(cr, 4, 12, 28);
  cairo_save(cr);
  cairo_translate(cr, 4, 15);
  cairo_rotate(cr, f == 0 ? 0.0 : -0.75);
  RoundedRect(cr, 0, -2.5, 20, 5, 1.5);
  SetColour(cr, Hex(0x2a1a10));
  cairo_fill(cr);
  RoundedRect(cr, 0.6, -1.9, 18.8, 3.8, 1.2);
  SetColour(cr, Hex(0xd8281c));
  cairo_fill(cr);
  cairo_rectangle(cr, 14, -1.9, 2.5, 3.8);
  SetColour(cr, Hex(0xffffff));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_arc(cr, 4, 15, 2.3, 0, 2 * M_PI);
  SetColour(cr, f == 0 ? Hex(0xff3020) : Hex(0x40ff60));
  cairo_fill(cr);
}

void Arrival(cairo_t* cr, int f, bool right) {
  // A burst of stars and a fading arrow into the town.
  double t = f / 5.0, cx = 22, cy = 20;
  Rng rng(83);
  for (int i = 0; i < 10; ++i) {
    double a = 2 * M_PI * i / 10 + rng.Range(-0.2, 0.2), d = 4 + t * 14;
    double x = cx + std::cos(a) * d, y = cy + std::sin(a) * d * 0.8 - t * 4;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, t * 2 + i);
    cairo_move_to(cr, 0, -2.6);
    for (int k = 1; k < 10; ++k) {
      double r = k % 2 ? 1.1 : 2.6;
      cairo_line_to(cr, r * std::sin(k * M_PI / 5), -r * std::cos(k * M_PI / 5));
    }
    cairo_close_path(cr);
    SetColour(cr, i % 2 ? Hex(0xffe040) : Hex(0xffffff), 1 - t * 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  double dir = right ? 1 : -1, x0 = cx - dir * 8 + dir * t * 10;
  cairo_move_to(cr, x0, cy - 3);
  cairo_line_to(cr, x0 + dir * 8, cy - 3);
  cairo_line_to(cr, x0 + dir * 8, cy - 7);
  cairo_line_to(cr, x0 + dir * 15, cy);
  cairo_line_to(cr, x0 + dir * 8, cy + 7);
  cairo_line_to(cr, x0 + dir * 8, cy + 3);
  cairo_line_to(cr, x0, cy + 3);
  cairo_close_path(cr);
  SetColour(cr, Hex(0x1a6a2a), 1 - t * 0.9);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke_preserve(cr);
  SetColour(cr, Hex(0x7aff7a), 1 - t * 0.9);
  cairo_fill(cr);
}

void Wrench(cairo_t* cr, double x, double y, double s, const Rgb& c) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -M_PI / 4);
  cairo_scale(cr, s, s);
  RoundedRect(cr, -1, -1, 2, 8, 1);
  cairo_arc(cr, 0, -2, 2.6, 0, 2 * M_PI);
  SetColour(cr, c);
  cairo_fill(cr);
  cairo_rectangle(cr, -0.9, -5, 1.8, 3);
  SetColour(cr, Hex(0xffffff));
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_restore(cr);
}

void CallButton(cairo_t* cr, int f) {
  // Light and neutral, so that the town colour the game adds shows clearly.
  double dy = f == 2 ? 1 : 0;
  RoundedRect(cr, 1, 1 + dy, 48, 14, 4);
  SetColour(cr, Hex(0x000000), 0.45);
  cairo_fill(cr);
  RoundedRect(cr, 0.5, 0.5 + dy, 48, 13.5, 4);
  Rgb base = f == 1 ? Hex(0xe8e8e4) : f == 2 ? Hex(0xa8a8a4) : Hex(0xc8c8c4);
  LinearFill(cr, 0, 0, 0, 14, base.Lighter(0.3), base.Darker(0.2));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x303030));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  Wrench(cr, 8, 8 + dy, 1.0, Hex(0x303030));
  TextStyle st;
  st.size = 8;
  st.bold = true;
  st.colour = Hex(0x202020);
  st.align = Align::Centre;
  DrawText(cr, "REPAIR", 29, 10.5 + dy, st);
}

void RepairSign(cairo_t* cr) {
  cairo_arc(cr, 10.5, 10.5, 9, 0, 2 * M_PI);
  SetColour(cr, Hex(0x000000), 0.35);
  cairo_fill(cr);
  cairo_arc(cr, 9.5, 9.5, 8.5, 0, 2 * M_PI);
  RadialFill(cr, 7, 7, 11, Hex(0xffb040), Hex(0xc85a00));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0xffffff));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  Wrench(cr, 9.5, 10.5, 1.25, Hex(0xffffff));
}

}  // namespace

ART_GROUP(effects_signs) {
  auto sign = DrawStrip(54, 50, 2, DamageSign);
  ctx.Save(*sign, "Dat/Game/znak.jpg", "Dat/Game/znak.gif", 2, {98});
  auto bell = DrawStrip(42, 34, 7, Bell);
  ctx.Save(*bell, "Dat/Game/kolokol.jpg", "Dat/Game/kolokol.gif", 7, {0, 86});
  auto start = DrawStrip(28, 30, 2, StartSign);
  ctx.Save(*start, "Dat/Game/WaitTrain.jpg", "Dat/Game/WaitTrain.gif", 2, {102});
  auto right = DrawStrip(44, 40, 6, [](cairo_t* cr, int f) { Arrival(cr, f, true); });
  ctx.Save(*right, "Dat/Game/train_out_right.tga", "", 6, {83});
  auto left = DrawStrip(44, 40, 6, [](cairo_t* cr, int f) { Arrival(cr, f, false); });
  ctx.Save(*left, "Dat/Game/train_out_left.tga", "", 6, {84});
  auto call = DrawStrip(50, 16, 3, CallButton);
  ctx.Save(*call, "Dat/Game/btn_call_server.jpg", "Dat/Game/btn_call_server.gif", 3, {100});
  auto repair = DrawStrip(21, 21, 1, [](cairo_t* cr, int) { RepairSign(cr); });
  ctx.Save(*repair, "Dat/Game/server_znak.tga", "", 1, {85});
}
