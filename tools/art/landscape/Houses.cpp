// SPDX-License-Identifier: GPL-3.0-or-later
// Library entry 99: the five house sizes of a growing town and a house being cleared.
// Walls are light and roofs a neutral grey: the game tints each town's houses with its colour.
#include <cmath>
#include <vector>

#include "kit/Registry.h"
#include "kit/Strip.h"
#include "landscape/Flora.h"
#include "vehicles/Model.h"

using namespace art;

namespace {

struct Anchor {
  int x, y;
};
const std::vector<Anchor> kAnchors = {{11, 14}, {9, 16}, {9, 15}, {7, 20}, {8, 21}, {11, 14}};

const Rgb kWall = Hex(0xf0ebe2);
const Rgb kRoof = Hex(0x8e8c8a);
const Rgb kWindow = Hex(0x46505c);
const Rgb kDoor = Hex(0x6e5a4a);

// Walls with a row of windows on both long sides and a gable roof.
void House(Model& m, double cx, double cy, double lx, double wy, double walls, double roof, int windows,
           int storeys) {
  m.Box(cx, cy, 0, lx, wy, walls, kWall);
  for (int s = 0; s < storeys; ++s)
    for (int i = 0; i < windows; ++i) {
      double x = cx - lx / 2 + lx * (i + 0.5) / windows;
      double z = walls * (s + 0.45) / storeys;
      m.Box(x, cy + wy / 2 + 0.05, z, 1.8, 0.3, 2.0, kWindow);
      m.Box(x, cy - wy / 2 - 0.05, z, 1.8, 0.3, 2.0, kWindow);
    }
  m.GableX(cx, cy, walls, lx + 1.2, wy + 1.4, roof, kRoof);
}

Model HouseModel(int size) {
  Model m;
  switch (size) {
    case 0:
      House(m, 0, 0, 11, 9, 5.5, 4.0, 2, 1);
      m.Box(5.6, 1.5, 0, 0.3, 2, 3.5, kDoor);
      break;
    case 1:
      House(m, 0, 0, 13, 10, 6.5, 4.5, 2, 1);
      m.Box(-3, -2, 8.5, 1.8, 1.8, 4, Hex(0x8a6a5a));  // chimney
      m.Box(6.6, 0, 0, 0.3, 2.2, 4, kDoor);
      break;
    case 2:
      House(m, 0, 0, 15, 11, 7.5, 5.0, 3, 1);
      m.Box(-4, 2, 9.5, 1.8, 1.8, 4.5, Hex(0x8a6a5a));
      m.Box(0, 6.6, 0, 6, 2.2, 0.6, Hex(0xb8b0a4));    // porch step
      m.Box(0, 5.55, 0, 2.2, 0.3, 4.5, kDoor);
      break;
    case 3:
      House(m, 0, 0, 17, 12, 11, 5.5, 3, 2);
      m.Box(4.5, -2, 13.5, 2, 2, 4.5, Hex(0x8a6a5a));
      m.Box(0, 6.05, 0, 2.2, 0.3, 4.5, kDoor);
      break;
    default:
      House(m, -1.5, -1, 18, 12, 11.5, 6.0, 4, 2);
      House(m, 6.5, 5, 7, 7, 7.5, 3.5, 1, 1);         // side wing
      m.Box(-6, -3, 14, 2, 2, 5, Hex(0x8a6a5a));
      break;
  }
  return m;
}

// Rubble of a house that a track is clearing: broken walls, planks and roof tiles.
void Rubble(cairo_t* cr, double x, double y) {
  Rng rng(99);
  GroundShadow(cr, x + 4, y + 4, 9, 4, 0.3);
  for (int i = 0; i < 26; ++i) {
    double px = x + rng.Range(-2, 13), py = y + rng.Range(0, 10);
    double w = rng.Range(1.5, 4), h = rng.Range(1, 2.5);
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_rotate(cr, rng.Range(-0.8, 0.8));
    cairo_rectangle(cr, -w / 2, -h / 2, w, h);
    Rgb c = i % 3 == 0 ? kRoof : i % 3 == 1 ? kWall.Darker(0.1) : Hex(0x8a6a4a);
    LinearFill(cr, -w / 2, -h / 2, w / 2, h / 2, c.Lighter(0.15), c.Darker(0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x2a2520), 0.5);
    cairo_set_line_width(cr, 0.4);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  // Dust hanging over the heap.
  RadialFill(cr, x + 6, y + 2, 9, Hex(0xe8e0d0), Hex(0xe8e0d0), 0.5, 0.0);
  cairo_arc(cr, x + 6, y + 2, 9, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

ART_GROUP(landscape_houses) {
  auto homes = DrawStrip(36, 36, 6, [](cairo_t* cr, int f) {
    Anchor a = kAnchors[f];
    if (f == 5) return Rubble(cr, a.x, a.y);
    Model m = HouseModel(f);
    View v{f % 2 ? 90.0 : 0.0, 1.2, a.x + 7.0, a.y + 6.0};
    cairo_push_group(cr);
    cairo_set_source_rgb(cr, 0.06, 0.08, 0.04);
    DrawShadow(cr, m, v);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    DrawModel(cr, m, v);
  });
  ctx.Save(*homes, "Dat/Game/Homes.jpg", "Dat/Game/Homes.gif", 6, {99});
}
