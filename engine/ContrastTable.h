// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the contrast effect: the level each channel value maps to when the
// contrast is lowered (amount < 0) or raised (amount > 0) around level 159, in steps
// of 1/128. Header-only and free of SDL, so the picture generator's previews and
// measures use exactly the game's mapping.
#include <algorithm>
#include <cmath>
#include <cstdint>

inline void ContrastTable(int amount, uint8_t table[256]) {
  constexpr int kPivot = 159;
  auto clamp255 = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  amount = std::clamp(amount, -65536, 65536);
  for (int v = 0; v < 256; ++v) table[v] = static_cast<uint8_t>(v);
  if (amount < 0) {
    for (int v = 0; v < 256; ++v) {
      int out = v < kPivot ? v - ((kPivot - v) * amount) / 128 : v + ((v - kPivot) * amount) / 128;
      if ((v < kPivot && out > kPivot) || (v >= kPivot && out < kPivot)) out = kPivot;
      table[v] = clamp255(out);
    }
  } else if (amount > 0) {
    const int lo = (amount * kPivot) / 128;
    const int c = (amount * 128) / kPivot;
    const int hi = 256 - c;
    for (int v = 0; v < 256; ++v) {
      if (v < lo) {
        table[v] = 0;
      } else if (v + c >= 256) {
        table[v] = 255;
      } else {
        double scaled = std::floor((v - lo) * 256.0 / (hi - lo) + 0.5);
        table[v] = static_cast<uint8_t>(std::min(scaled, 255.0));
      }
    }
  }
}
