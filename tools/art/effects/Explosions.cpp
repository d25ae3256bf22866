// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 122 and 123 (explosions) and 121 (the wreck of a crash).
// Fire and smoke are fields of fractal noise coloured pixel by pixel: a fireball that
// flashes up, swells and cools from white through yellow and orange to dull red, smoke
// that billows out of it, rises and thins away; sparks and debris fly out on top.
#include <algorithm>
#include <cmath>

#include "kit/Canvas.h"
#include "kit/Draw.h"
#include "kit/Noise.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

using namespace art;

namespace {

double Smooth(double a, double b, double x) {
  double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// Fire colour by heat (0..1): dark red, red, orange, yellow, white.
Rgb FireColour(double h) {
  static const Rgb stops[] = {Hex(0x5a0c04), Hex(0xb3200a), Hex(0xf06a10),
                              Hex(0xffb828), Hex(0xfff0a0), Hex(0xffffff)};
  double x = std::clamp(h, 0.0, 1.0) * 5;
  int i = std::min(4, int(x));
  return stops[i].Mix(stops[i + 1], x - i);
}

uint8_t Byte(double v) { return uint8_t(std::clamp(std::lround(v * 255), 0L, 255L)); }

// Straight colour c with coverage a laid over what is already there.
Pixel Over(Pixel under, const Rgb& c, double a) {
  double ua = under.a / 255.0, oa = a + ua * (1 - a);
  if (oa <= 0) return {};
  auto ch = [&](double top, uint8_t bottom) {
    return (top * a + bottom / 255.0 * ua * (1 - a)) / oa;
  };
  return {Byte(ch(c.r, under.r)), Byte(ch(c.g, under.g)), Byte(ch(c.b, under.b)), Byte(oa)};
}

struct Cloud {
  double cx, cy;  // centre
  double r;       // radius where the density falls to zero (before the noise)
  double amount;  // 0..1
};

// Density of a noisy ball at (x, y): above 1 deep inside, 0 outside, ragged at the edge.
// As its amount drops it thins from the edge inwards, leaving its densest patches last.
double Density(const Cloud& c, double x, double y, double noise, double ragged) {
  if (c.r <= 0 || c.amount <= 0) return 0;
  double d = std::hypot(x - c.cx, (y - c.cy) * 1.15) / c.r;
  double raw = (1 - d + (noise - 0.5) * ragged) * 2.2;
  return std::clamp(raw - (1 - c.amount) * 3, 0.0, 1.0) * (0.55 + 0.45 * c.amount);
}

// One moment t (0..1) of an explosion centred at (cx, cy); size is the fireball's
// largest radius.
void Blast(Canvas& canvas, double cx, double cy, double size, double t, unsigned seed) {
  static const ValueNoise fireNoise(7), smokeNoise(11);
  const double swell = 1 - std::exp(-t * 9);
  // The fireball flashes up, swells, then cools and sinks into the smoke.
  Cloud fire{cx, cy - t * 4, size * (0.35 + 0.7 * swell) * (1 - 0.3 * Smooth(0.4, 0.9, t)),
             1 - Smooth(0.4, 0.8, t)};
  const double heat = 0.98 - 0.9 * Smooth(0.0, 0.6, t);
  // Smoke billows out behind it, rises, spreads and thins away; it veils the dying fire.
  Cloud smoke{cx + t * 2, cy - 1 - t * 9, size * (0.6 + 0.6 * Smooth(0.0, 0.8, t)),
              Smooth(0.05, 0.3, t) * (1 - Smooth(0.5, 1.2, t))};
  const double veil = Smooth(0.3, 0.7, t);
  const double ox = seed * 31.0, drift = t * 14;
  canvas.MapPixels([&](int x, int y, Pixel) {
    double n1 = fireNoise.Fractal(x + ox, y + drift * 0.6, 6, 3);
    double n2 = smokeNoise.Fractal(x + ox + 50, y + drift, 8, 3);
    Pixel out{};
    // Smoke: sooty, lighter grey on its lit top left.
    double s = Density(smoke, x, y, n2, 1.5);
    if (s > 0) {
      double lit = std::clamp(0.5 + ((cx - x) + (smoke.cy - y)) / (smoke.r * 3), 0.0, 1.0);
      Rgb colour = Hex(0x1c1918).Mix(Hex(0x7a7470), 0.15 + 0.6 * lit * n2 + 0.2 * t);
      out = Over(out, colour, std::min(1.0, s * 1.4) * 0.95);
    }
    // Fire: turbulent heat, the core hottest; once it cools the smoke rolls over it.
    double f = Density(fire, x, y, n1, 1.6);
    if (f > 0) {
      double h = heat * (0.15 + 0.9 * f) * (0.45 + 1.0 * n1);
      out = Over(out, FireColour(h), std::min(1.0, f * 1.8) * (1 - veil * std::min(1.0, s * 1.2)));
    }
    return out;
  });

  cairo_t* cr = canvas.Cr();
  Rng rng(seed);
  // Sparks: short bright streaks flying out and falling; debris: dark tumbling chunks.
  for (int i = 0; i < 22; ++i) {
    double a = rng.Range(0, 2 * M_PI), v = rng.Range(0.45, 1.0) * size * 1.15,
           life = rng.Range(0.45, 0.9);
    bool debris = i % 4 == 3;
    if (t > life || t < (debris ? 0.3 : 0.02)) continue;
    auto at = [&](double u, double& x, double& y) {
      double k = 1 - std::exp(-u * 3.5);
      x = cx + std::cos(a) * v * k;
      y = cy + std::sin(a) * v * k * 0.8 + size * 0.9 * u * u;
    };
    double x0, y0, x1, y1;
    at(std::max(0.0, t - 0.06), x0, y0);
    at(t, x1, y1);
    double fade = 1 - Smooth(life * 0.6, life, t);
    if (debris) {
      cairo_rectangle(cr, x1 - 1, y1 - 1, 2, 2);
      SetColour(cr, Hex(0x1e1a18), 0.95 * fade);
      cairo_fill(cr);
    } else {
      cairo_move_to(cr, x0, y0);
      cairo_line_to(cr, x1, y1);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, 1.3);
      SetColour(cr, t < 0.3 ? Hex(0xfff4b0) : Hex(0xffb040), fade);
      cairo_stroke(cr);
    }
  }
}

// The wreck: a burnt-out car lying askew across the line, its roof torn, with flames
// licking out of it and smoke rising and drifting off to the top right. Frame f of 8
// loops: the fire and smoke move along a circle through the noise.
void Wreck(Canvas& canvas, int f) {
  static const ValueNoise fireNoise(21), smokeNoise(23);
  cairo_t* cr = canvas.Cr();
  // Scorched ground under it.
  Ellipse(cr, 25, 31, 22, 7);
  RadialFill(cr, 25, 31, 22, Hex(0x141210), Hex(0x2a241e), 0.75, 0);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 23, 29);
  cairo_rotate(cr, -0.3);
  // The frame and a wheel set sticking up.
  RoundedRect(cr, -18, -3, 36, 8, 1.5);
  LinearFill(cr, 0, -3, 0, 5, Hex(0x3a3632), Hex(0x121110));
  cairo_fill(cr);
  // The body, its roof buckled.
  cairo_move_to(cr, -17, -3);
  cairo_line_to(cr, -16, -12);
  cairo_line_to(cr, -6, -14);
  cairo_line_to(cr, -1, -10);
  cairo_line_to(cr, 5, -15);
  cairo_line_to(cr, 16, -12);
  cairo_line_to(cr, 17, -3);
  cairo_close_path(cr);
  LinearFill(cr, -17, -15, 17, -3, Hex(0x6a5a4a), Hex(0x2a2420));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x141210));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Burnt-out windows glowing inside.
  for (double x : {-12.0, -5.0, 7.0}) {
    cairo_rectangle(cr, x, -10, 4, 4);
    SetColour(cr, Hex(0xff7a20), 0.55 + 0.35 * std::sin((f + x) * 1.7));
    cairo_fill(cr);
  }
  for (double x : {-12.0, 12.0}) {
    cairo_arc(cr, x, 5, 3.2, 0, 2 * M_PI);
    SetColour(cr, Hex(0x0c0c0c));
    cairo_fill(cr);
    cairo_arc(cr, x, 5, 1.2, 0, 2 * M_PI);
    SetColour(cr, Hex(0x5a5550));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Scattered debris.
  Rng rng(121);
  for (int i = 0; i < 9; ++i) {
    double x = rng.Range(4, 44), y = rng.Range(30, 38), w = rng.Range(1.5, 3.5);
    cairo_rectangle(cr, x, y, w, w * 0.7);
    SetColour(cr, i % 3 ? Hex(0x1e1a18) : Hex(0x6a5a4a));
    cairo_fill(cr);
  }

  const double phase = 2 * M_PI * f / 8;
  const double px = 9 * std::cos(phase), py = 9 * std::sin(phase);
  canvas.MapPixels([&](int x, int y, Pixel under) {
    // Smoke: a column from the wreck's middle, widening and leaning right as it rises.
    double rise = std::clamp((17 - y) / 17.0, 0.0, 1.0);
    double centre = 22 + rise * rise * 14;
    double width = 6 + rise * 10;
    double n2 = smokeNoise.Fractal(x + px, y + py + f * 3.0, 6, 3);
    double s = std::clamp((1 - std::abs(x - centre) / width + (n2 - 0.5) * 1.4) * 2.2, 0.0, 1.0);
    s *= Smooth(0, 0.15, rise) * (1 - 0.15 * rise);
    Pixel out = under;
    if (s > 0 && y < 17) {
      Rgb colour = Hex(0x141211).Mix(Hex(0x6a645e), n2 * (0.4 + 0.6 * rise));
      out = Over(out, colour, s * (0.75 + 0.25 * n2));
    }
    // Flames along the top of the body, licking upwards.
    double n1 = fireNoise.Fractal(x * 1.5 + px, y * 0.6 + py, 4, 3);
    double base = 17 - 0.42 * (x - 19);  // the roof's edge, tilted with the body
    double up = (base - y) / 8, along = std::abs(x - 20) / 14;
    if (up > -0.25 && along < 1) {
      double fire = std::clamp((1 - up - along * 0.9 + (n1 - 0.5) * 1.6) * 1.3, 0.0, 1.0);
      fire *= Smooth(-0.25, 0.1, up) * (1 - Smooth(0.55, 1.0, along));
      if (fire > 0)
        out =
            Over(out, FireColour(0.35 + 0.55 * fire * n1 + 0.2 * fire), std::min(1.0, fire * 1.5));
    }
    return out;
  });
}

}  // namespace

ART_GROUP(effects_explosions) {
  // The game takes the explosion away on its last frame: that frame still shows the
  // last of the smoke thinning out, so the cloud never vanishes in one step.
  auto moment = [](int f, int n) { return 0.03 + 0.87 * f / (n - 1); };
  auto small = DrawStripCanvases(
      40, 44, 11, [&](Canvas& c, int f) { Blast(c, 20, 22, 17, moment(f, 11), 122); });
  ctx.Save(*small, "Dat/Game/explosion.jpg", "Dat/Game/explosion.gif", 11, {122});
  auto big = DrawStripCanvases(40, 44, 16,
                               [&](Canvas& c, int f) { Blast(c, 20, 22, 19, moment(f, 16), 123); });
  ctx.Save(*big, "Dat/Game/explosion2.jpg", "Dat/Game/explosion2.gif", 16, {123});
  auto wreck = DrawStripCanvases(48, 40, 8, Wreck);
  ctx.Save(*wreck, "Dat/Game/TrainCrash.jpg", "Dat/Game/TrainCrash.gif", 8, {121});
}
