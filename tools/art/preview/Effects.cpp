// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/Effects.h"

#include <algorithm>

#include "engine/ContrastTable.h"
#include "railway/Colours.h"

namespace art {

namespace {

uint8_t Clamp8(int v) { return uint8_t(std::clamp(v, 0, 255)); }

}  // namespace

void ShiftColour(Canvas& c, int dr, int dg, int db) {
  c.MapPixels([&](int, int, Pixel p) {
    return Pixel{Clamp8(p.r + dr), Clamp8(p.g + dg), Clamp8(p.b + db), p.a};
  });
}

void Contrast(Canvas& c, int amount) {
  uint8_t t[256];
  ContrastTable(amount, t);
  c.MapPixels([&](int, int, Pixel p) { return Pixel{t[p.r], t[p.g], t[p.b], p.a}; });
}

CanvasPtr PaintedCopy(const Canvas& c, int colour, Painted what) {
  auto copy = c.Clone();
  const int* t = rail::kColourTints[colour];
  ShiftColour(*copy, t[0], t[1], t[2]);
  if (what == Painted::TownHouses) Contrast(*copy, rail::kHouseContrast);
  return copy;
}

}  // namespace art
