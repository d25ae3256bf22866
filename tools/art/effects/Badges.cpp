// SPDX-License-Identifier: GPL-3.0-or-later
// The colour badges (152): one small shape per train and town colour, so colours that
// look alike to a colour-blind player still differ by outline, and a last frame for
// trains that may go to any town. Frame k is the shape of colour k; frame 8 the
// "anywhere" badge. Every shape is filled with a light shade of its colour and edged in
// dark ink, so it reads on grass, sand, snow and over the trains alike.
#include <cmath>

#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"
#include "railway/Colours.h"

using namespace art;

namespace {

constexpr int kSize = 15;
constexpr double kMid = kSize / 2.0;

// The shapes, outlines only; the caller fills and strokes.
void Circle(cairo_t* cr) { cairo_arc(cr, kMid, kMid, 5.3, 0, 2 * M_PI); }

void Square(cairo_t* cr) { cairo_rectangle(cr, 2.0, 2.0, 11.0, 11.0); }

void Triangle(cairo_t* cr) {
  cairo_move_to(cr, kMid, 1.0);
  cairo_line_to(cr, 14.0, 13.5);
  cairo_line_to(cr, 1.0, 13.5);
  cairo_close_path(cr);
}

void Diamond(cairo_t* cr) {
  cairo_move_to(cr, kMid, 0.8);
  cairo_line_to(cr, 14.2, kMid);
  cairo_line_to(cr, kMid, 14.2);
  cairo_line_to(cr, 0.8, kMid);
  cairo_close_path(cr);
}

void Star(cairo_t* cr) {
  for (int k = 0; k < 10; ++k) {
    double r = k % 2 == 0 ? 7.2 : 2.9;
    double a = -M_PI / 2 + k * M_PI / 5;
    double x = kMid + r * std::cos(a), y = kMid + 0.6 + r * std::sin(a);
    if (k == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void Cross(cairo_t* cr) {
  const double a = 5.5, b = 9.5;  // the arms' sides
  const double pts[12][2] = {{a, 1},  {b, 1},  {b, a}, {14, a}, {14, b}, {b, b},
                             {b, 14}, {a, 14}, {a, b}, {1, b},  {1, a},  {a, a}};
  cairo_move_to(cr, pts[0][0], pts[0][1]);
  for (int k = 1; k < 12; ++k) cairo_line_to(cr, pts[k][0], pts[k][1]);
  cairo_close_path(cr);
}

void Ring(cairo_t* cr) {
  cairo_arc(cr, kMid, kMid, 6.5, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, kMid, kMid, 3.3, 2 * M_PI, 0);
}

void Bar(cairo_t* cr) { cairo_rectangle(cr, 0.8, 5.0, 13.4, 5.0); }

// A compass star pointing to the four corners: this train takes any town.
void Anywhere(cairo_t* cr) {
  for (int k = 0; k < 8; ++k) {
    double r = k % 2 == 0 ? 7.6 : 2.8;
    double a = -3 * M_PI / 4 + k * M_PI / 4;
    double x = kMid + r * std::cos(a), y = kMid + r * std::sin(a);
    if (k == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

using Shape = void (*)(cairo_t*);
constexpr Shape kShapes[rail::kColourCount + 1] = {Circle, Square, Triangle, Diamond, Star,
                                                   Cross,  Ring,   Bar,      Anywhere};

// The fill: the colour's own hue, kept light so the dark edge stands out; black gets a
// neutral grey, the anywhere badge white.
Rgb FillOf(int frame) {
  if (frame >= rail::kColourCount) return Hex(0xffffff);
  if (frame == 6) return Hex(0x8a8a8a);
  const int* t = rail::kColourTints[frame];
  auto level = [](int v) { return v > 0 ? 1.0 : 0.45; };
  return Rgb{level(t[0]), level(t[1]), level(t[2])};
}

void Badge(cairo_t* cr, int frame) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  kShapes[frame](cr);
  SetColour(cr, FillOf(frame));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x141414));
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
}

}  // namespace

ART_GROUP(effects_badges) {
  auto badges = DrawStrip(kSize, kSize, rail::kColourCount + 1, Badge);
  ctx.Save(*badges, "Dat/Game/ColourBadges.tga", "", rail::kColourCount + 1, {152});
}
