// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/Effects.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace art {

namespace {

uint8_t Clamp8(int v) { return uint8_t(std::clamp(v, 0, 255)); }

std::array<uint8_t, 256> ContrastTable(int amount) {
  std::array<uint8_t, 256> t{};
  for (int v = 0; v < 256; ++v) t[v] = uint8_t(v);
  if (amount < 0) {
    for (int v = 0; v < 256; ++v) {
      int r = v < 159 ? v - ((159 - v) * amount) / 128 : v + ((v - 159) * amount) / 128;
      if ((v < 159 && r > 159) || (v >= 159 && r < 159)) r = 159;
      t[v] = Clamp8(r);
    }
  } else if (amount > 0) {
    int lo = (amount * 159) / 128, c = (amount * 128) / 159, hi = 256 - c;
    for (int v = 0; v < 256; ++v) {
      if (v < lo)
        t[v] = 0;
      else if (v + c >= 256)
        t[v] = 255;
      else
        t[v] = uint8_t(std::min(std::floor((v - lo) * 256.0 / (hi - lo) + 0.5), 255.0));
    }
  }
  return t;
}

}  // namespace

void ShiftColour(Canvas& c, int dr, int dg, int db) {
  c.MapPixels([&](int, int, Pixel p) {
    return Pixel{Clamp8(p.r + dr), Clamp8(p.g + dg), Clamp8(p.b + db), p.a};
  });
}

void Contrast(Canvas& c, int amount) {
  auto t = ContrastTable(amount);
  c.MapPixels([&](int, int, Pixel p) { return Pixel{t[p.r], t[p.g], t[p.b], p.a}; });
}

}  // namespace art
