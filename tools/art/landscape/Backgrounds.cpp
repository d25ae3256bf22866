// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 87 to 89 (the field backgrounds) and 12 to 14 (the top bars) of the
// three landscape sets: meadow, sand and snow.
#include <algorithm>
#include <cmath>

#include "kit/Draw.h"
#include "kit/Noise.h"
#include "kit/Registry.h"
#include "landscape/Flora.h"
#include "landscape/TopBar.h"

using namespace art;

namespace {

constexpr int kFieldW = 660, kFieldH = 600;

struct Ground {
  Rgb low, high;  // the two ends of the large-scale variation
  double grain;   // per-pixel grain strength (0..255 units)
  unsigned seed;
};

uint8_t Clamp8(double v) { return uint8_t(std::clamp(v, 0.0, 255.0)); }

// Base colour: soft large patches, finer mottling and per-pixel grain.
void PaintGround(Canvas& c, const Ground& g) {
  ValueNoise noise(g.seed);
  c.MapPixels([&](int x, int y, Pixel) {
    double t = noise.Fractal(x, y, 140, 4);
    double fine = noise.At(x * 1.7 + 500, y * 1.7, 9) - 0.5;
    Rgb col = g.low.Mix(g.high, std::clamp((t - 0.25) * 2.0, 0.0, 1.0));
    double grain = (ValueNoise::Grain(x, y, g.seed) - 0.5) * g.grain + fine * g.grain * 0.8;
    return Pixel{Clamp8(col.r * 255 + grain), Clamp8(col.g * 255 + grain),
                 Clamp8(col.b * 255 + grain * 0.8), 255};
  });
}

void GrassTufts(cairo_t* cr, Rng& rng, int count, int w, int h) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < count; ++i) {
    double x = rng.Uniform() * w, y = rng.Uniform() * h;
    bool light = rng.Uniform() < 0.5;
    SetColour(cr, light ? Hex(0xa6c870) : Hex(0x4f7a34), rng.Range(0.35, 0.7));
    cairo_set_line_width(cr, 0.7);
    for (int b = 0; b < 3; ++b) {
      cairo_move_to(cr, x + b * 0.9, y);
      cairo_line_to(cr, x + b * 0.9 + rng.Range(-1.2, 1.2), y - rng.Range(1.5, 3.2));
    }
    cairo_stroke(cr);
  }
}

void Flowers(cairo_t* cr, Rng& rng, int count, int w, int h) {
  const Rgb colours[] = {Hex(0xffffff), Hex(0xfff27a), Hex(0xf2b8e0), Hex(0xc8d8ff)};
  for (int i = 0; i < count; ++i) {
    double x = rng.Uniform() * w, y = rng.Uniform() * h;
    SetColour(cr, colours[rng.Next() % 4], 0.85);
    cairo_arc(cr, x, y, 0.8, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

CanvasPtr Meadow() {
  auto c = std::make_unique<Canvas>(kFieldW, kFieldH);
  PaintGround(*c, {Hex(0x6c9646), Hex(0x8bb25a), 16, 1});
  Rng rng(2);
  GrassTufts(c->Cr(), rng, 5000, kFieldW, kFieldH);
  Flowers(c->Cr(), rng, 260, kFieldW, kFieldH);
  return c;
}

CanvasPtr Sand() {
  auto c = std::make_unique<Canvas>(kFieldW, kFieldH);
  ValueNoise warp(5);
  PaintGround(*c, {Hex(0xcfb47a), Hex(0xe8d5a2), 12, 3});
  // Wind ripples: faint wavy bands, bent by noise.
  c->MapPixels([&](int x, int y, Pixel p) {
    double v = std::sin((y + warp.At(x, y, 60) * 30 + x * 0.15) * 0.55);
    double k = v > 0.75 ? -12 : v < -0.8 ? 8 : 0;
    return Pixel{Clamp8(p.r + k), Clamp8(p.g + k), Clamp8(p.b + k * 0.8), 255};
  });
  cairo_t* cr = c->Cr();
  Rng rng(4);
  for (int i = 0; i < 240; ++i) {  // pebbles
    double x = rng.Uniform() * kFieldW, y = rng.Uniform() * kFieldH;
    Ellipse(cr, x, y, rng.Range(0.8, 1.8), rng.Range(0.6, 1.2));
    RadialFill(cr, x - 0.5, y - 0.5, 2, Hex(0xb8a888), Hex(0x8a7a5e));
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, 0.6);
  for (int i = 0; i < 160; ++i) {  // dry grass
    double x = rng.Uniform() * kFieldW, y = rng.Uniform() * kFieldH;
    SetColour(cr, Hex(0x9a8a4a), 0.6);
    for (int b = 0; b < 4; ++b) {
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + rng.Range(-3, 3), y - rng.Range(2, 4));
    }
    cairo_stroke(cr);
  }
  return c;
}

CanvasPtr Snow() {
  auto c = std::make_unique<Canvas>(kFieldW, kFieldH);
  PaintGround(*c, {Hex(0xd4dfea), Hex(0xf4f7fa), 7, 6});
  cairo_t* cr = c->Cr();
  Rng rng(7);
  for (int i = 0; i < 400; ++i) {  // sparkle
    SetColour(cr, Hex(0xffffff), rng.Range(0.6, 1.0));
    cairo_rectangle(cr, int(rng.Uniform() * kFieldW), int(rng.Uniform() * kFieldH), 1, 1);
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, 0.7);
  for (int i = 0; i < 140; ++i) {  // grass poking through
    double x = rng.Uniform() * kFieldW, y = rng.Uniform() * kFieldH;
    SetColour(cr, Hex(0x7a8a70), 0.55);
    for (int b = 0; b < 3; ++b) {
      cairo_move_to(cr, x + b, y);
      cairo_line_to(cr, x + b + rng.Range(-1, 1), y - rng.Range(1.5, 3));
    }
    cairo_stroke(cr);
  }
  return c;
}

}  // namespace

ART_GROUP(landscape_backgrounds) {
  auto meadow = Meadow();
  ctx.Save(*meadow, "Dat/Game/BackMain.jpg", "", 1, {87});
  auto sand = Sand();
  ctx.Save(*sand, "Dat/Game/BackMainSand.jpg", "", 1, {88});
  auto snow = Snow();
  ctx.Save(*snow, "Dat/Game/BackMainSnow.jpg", "", 1, {89});

  auto top = TopBar(*meadow, Landscape::Meadow);
  ctx.Save(*top, "Dat/Interface/MainWindow/top_forest.jpg", "", 1, {12});
  auto topSand = TopBar(*sand, Landscape::Sand);
  ctx.Save(*topSand, "Dat/Interface/MainWindow/top_forest_sand.jpg", "", 1, {13});
  auto topSnow = TopBar(*snow, Landscape::Snow);
  ctx.Save(*topSnow, "Dat/Interface/MainWindow/top_forest_snow.jpg", "", 1, {14});
}
