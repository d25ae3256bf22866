// SPDX-License-Identifier: GPL-3.0-or-later
// Library entry 99: the five house sizes of a growing town and a house being cleared.
// The game tints each town's houses with its colour and then raises their contrast (35 around
// the level 159), which spreads every channel by about 1.4. So the paint keeps to mid tones
// that neither clip nor go black under that: warm sandstone walls, whose hue turns any two
// colour shifts into clearly different colours, and dark brown roofs, which stay darker than
// the meadow in the green town as the lit walls stay lighter. The houses are seen from an
// angle (lit end wall, shaded long side) with the light and shade a little flattened, so both
// sides stay inside those mid tones.
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

const Rgb kWall = Hex(0xb8a07a);  // sandstone
const Rgb kRoof = Hex(0x38211b);  // dark brown tiles
const Rgb kWindow = Hex(0x3c3430);
const Rgb kDoor = Hex(0x6e5a4a);

// Walls with a row of windows on both long sides and a gable roof.
void House(Model& m, double cx, double cy, double lx, double wy, double walls, double roof,
           int windows, int storeys) {
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
      m.Box(0, 6.6, 0, 6, 2.2, 0.6, Hex(0xb8b0a4));  // porch step
      m.Box(0, 5.55, 0, 2.2, 0.3, 4.5, kDoor);
      break;
    case 3:
      House(m, 0, 0, 17, 12, 11, 5.5, 3, 2);
      m.Box(4.5, -2, 13.5, 2, 2, 4.5, Hex(0x8a6a5a));
      m.Box(0, 6.05, 0, 2.2, 0.3, 4.5, kDoor);
      break;
    default:
      House(m, -1.5, -1, 18, 12, 11.5, 6.0, 4, 2);
      House(m, 6.5, 5, 7, 7, 7.5, 3.5, 1, 1);  // side wing
      m.Box(-6, -3, 14, 2, 2, 5, Hex(0x8a6a5a));
      break;
  }
  return m;
}

// Rubble of a house that a track is clearing: broken wall stubs, the fallen roof and loose
// pieces of wall and roof tiles, under a little dust.
Model RubbleModel() {
  Model m;
  const double back[] = {3.6, 2.4, 4.4, 1.6, 2.8, 1.0};  // the back wall, broken to a jagged top
  for (int i = 0; i < 6; ++i) m.Box(-6 + 2 * i, -4, 0, 2, 1.2, back[i], kWall);
  m.Box(-7.5, -1, 0, 1.2, 5, 2.8, kWall);  // end wall stub
  m.Box(-7.5, 2.5, 0, 1.2, 2, 1.2, kWall);
  m.Box(-6, -2.6, 0, 1.8, 1.8, 6.5, kWall);     // the chimney stack, still standing
  m.Wedge(0.5, 0.8, 0, 7, 5, 2.6, 2.2, kRoof);  // roof slab fallen onto the floor
  m.Box(5.5, 3.5, 0, 2.6, 2, 1.2, kWall);       // lumps of wall
  m.Box(-3.5, 4, 0, 3, 1.6, 1.0, kWall);
  m.Box(1.5, 4.6, 0, 2, 1.4, 0.8, kWall);
  return m;
}

void LoosePieces(cairo_t* cr, double x, double y) {
  Rng rng(99);
  for (int i = 0; i < 10; ++i) {
    double px = x + rng.Range(-2, 16), py = y + rng.Range(9, 14);
    double w = rng.Range(1.5, 3), h = rng.Range(1, 2);
    cairo_save(cr);
    cairo_translate(cr, px, py);
    cairo_rotate(cr, rng.Range(-0.8, 0.8));
    cairo_rectangle(cr, -w / 2, -h / 2, w, h);
    SetColour(cr, i % 3 == 0 ? kRoof : kWall.Darker(0.05));
    cairo_fill(cr);
    cairo_restore(cr);
  }
  // Dust hanging over the heap.
  RadialFill(cr, x + 6, y + 4, 10, kWall, kWall, 0.2, 0.0);
  cairo_arc(cr, x + 6, y + 4, 10, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

ART_GROUP(landscape_houses) {
  auto homes = DrawStrip(36, 36, 6, [](cairo_t* cr, int f) {
    Anchor a = kAnchors[f];
    Model m = f == 5 ? RubbleModel() : HouseModel(f);
    View v{f % 2 ? 65.0 : -25.0, 1.2, a.x + 7.0, a.y + 6.0, 0.7};  // turned to show two walls
    cairo_push_group(cr);
    cairo_set_source_rgb(cr, 0.06, 0.08, 0.04);
    DrawShadow(cr, m, v);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    DrawModel(cr, m, v);
    if (f == 5) LoosePieces(cr, a.x, a.y);
  });
  ctx.Save(*homes, "Dat/Game/Homes.jpg", "Dat/Game/Homes.gif", 6, {99});
}
