// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 122 and 123 (explosions) and 121 (the wreck of a crash).
#include <algorithm>
#include <cmath>

#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

void Puff(cairo_t* cr, double x, double y, double r, const Rgb& c, double alpha) {
  RadialFill(cr, x - r * 0.3, y - r * 0.3, r * 1.2, c.Lighter(0.2), c.Darker(0.25), alpha, alpha * 0.6);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

// One moment t (0..1) of an explosion centred at (cx, cy) with the given size.
void Blast(cairo_t* cr, double cx, double cy, double size, double t, unsigned seed) {
  Rng rng(seed);
  // Smoke builds up and drifts upwards as the fire dies.
  double smoke = std::clamp((t - 0.25) / 0.5, 0.0, 1.0), fade = t > 0.7 ? 1 - 0.8 * (t - 0.7) / 0.3 : 1;
  for (int i = 0; i < 9; ++i) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(0.2, 0.6) * size * (0.4 + t);
    double r = size * rng.Range(0.22, 0.34) * (0.5 + t);
    if (smoke > 0)
      Puff(cr, cx + std::cos(a) * d, cy + std::sin(a) * d * 0.7 - t * size * 0.4, r, Hex(0x5a5450).Mix(Hex(0x9a9490), rng.Uniform()),
           0.85 * smoke * fade);
  }
  // Fireball: white core, yellow, orange, red rim; shrinks and reddens.
  double fire = t < 0.6 ? 1 - t / 0.6 : 0;
  if (fire > 0) {
    double r = size * (0.38 + 0.25 * std::sin(std::min(1.0, t / 0.3) * M_PI / 2)) * (0.6 + 0.4 * fire);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.85, fire);
    cairo_pattern_add_color_stop_rgba(p, 0.35, 1, 0.85, 0.25, fire);
    cairo_pattern_add_color_stop_rgba(p, 0.7, 0.95, 0.4, 0.05, 0.9 * fire);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.1, 0.0, 0);
    cairo_set_source(cr, p);
    for (int i = 0; i < 7; ++i) {
      double a = 2 * M_PI * i / 7 + rng.Range(-0.3, 0.3), d = r * 0.35;
      cairo_arc(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, r * 0.75, 0, 2 * M_PI);
      cairo_fill_preserve(cr);
      cairo_new_path(cr);
    }
    cairo_pattern_destroy(p);
  }
  // Flying debris and sparks.
  for (int i = 0; i < 10; ++i) {
    double a = rng.Range(0, 2 * M_PI), v = rng.Range(0.3, 0.55) * size;
    double x = cx + std::cos(a) * v * t * 1.2, y = cy + std::sin(a) * v * t - size * 0.5 * t + size * 0.6 * t * t;
    if (t < 0.08 || t > 0.85) continue;
    SetColour(cr, i % 2 ? Hex(0xffd060) : Hex(0x2a2420), 0.9 * fade);
    cairo_rectangle(cr, x, y, 1.4, 1.4);
    cairo_fill(cr);
  }
}

void Wreck(cairo_t* cr, int f) {
  // An overturned car lying across the line, with smoke curling up from it.
  cairo_save(cr);
  cairo_translate(cr, 24, 28);
  cairo_rotate(cr, -0.35);
  Ellipse(cr, 3, 5, 20, 6);
  SetColour(cr, Hex(0x000000), 0.3);
  cairo_fill(cr);
  RoundedRect(cr, -17, -6, 34, 11, 2);
  LinearFill(cr, 0, -6, 0, 5, Hex(0x6a6660), Hex(0x2a2826));
  cairo_fill(cr);
  for (double x : {-11.0, -5.0, 5.0, 11.0}) {
    cairo_arc(cr, x, -6, 2.4, 0, 2 * M_PI);
    SetColour(cr, Hex(0x1a1a1a));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  Rng rng(121);
  for (int i = 0; i < 5; ++i) {
    double t = std::fmod(f / 8.0 + i / 5.0, 1.0);
    Puff(cr, 22 + rng.Range(-6, 6) + t * 6, 22 - t * 20, 3 + t * 5, Hex(0x6a6460), 0.8 * (1 - t));
  }
  for (int i = 0; i < 4; ++i) {
    SetColour(cr, Hex(0xff9a30), 0.5 + 0.5 * ((f + i) % 2));
    cairo_arc(cr, 16 + i * 5, 27 + (i % 2) * 2, 1.5, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

}  // namespace

ART_GROUP(effects_explosions) {
  auto small = DrawStrip(40, 44, 11, [](cairo_t* cr, int f) { Blast(cr, 20, 22, 20, f / 10.0, 122); });
  ctx.Save(*small, "Dat/Game/explosion.jpg", "Dat/Game/explosion.gif", 11, {122});
  auto big = DrawStrip(40, 44, 16, [](cairo_t* cr, int f) { Blast(cr, 20, 22, 22, f / 15.0, 123); });
  ctx.Save(*big, "Dat/Game/explosion2.jpg", "Dat/Game/explosion2.gif", 16, {123});
  auto wreck = DrawStrip(48, 40, 8, Wreck);
  ctx.Save(*wreck, "Dat/Game/TrainCrash.jpg", "Dat/Game/TrainCrash.gif", 8, {121});
}
