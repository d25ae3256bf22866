// SPDX-License-Identifier: GPL-3.0-or-later
#include "landscape/TopBar.h"

#include <cmath>

#include "kit/Draw.h"
#include "landscape/Flora.h"

namespace art {

namespace {

using L = TopBarLayout;

void Siding(cairo_t* cr) {
  // Gravel bed, sleepers and two rails running the full width.
  cairo_rectangle(cr, 0, 39.5, L::kWidth, 10.5);
  LinearFill(cr, 0, 39.5, 0, 50, Hex(0x8a8273), Hex(0xa39b8b));
  cairo_fill(cr);
  Rng rng(31);
  for (int i = 0; i < 900; ++i) {
    SetColour(cr, Hex(0x6f685c).Mix(Hex(0xd4cdbd), rng.Uniform()), 0.7);
    cairo_arc(cr, rng.Uniform() * L::kWidth, rng.Range(40, 50), 0.6, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  for (double x = 2; x < L::kWidth; x += 6) {
    cairo_move_to(cr, x - 1.5, 49.5);
    cairo_line_to(cr, x + 0.5, 40.5);
    cairo_line_to(cr, x + 2.5, 40.5);
    cairo_line_to(cr, x + 0.5, 49.5);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x6e4c2e));
    cairo_fill(cr);
  }
  for (double y : {L::kRailFar, L::kRailNear}) {
    cairo_rectangle(cr, 0, y - 0.6, L::kWidth, 1.7);
    SetColour(cr, Hex(0x4b4f55));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, y - 0.6, L::kWidth, 0.7);
    SetColour(cr, Hex(0xe4e8ec));
    cairo_fill(cr);
  }
}

// The warehouse yard under the shed: a plank floor and the back wall, seen between the crates.
void Yard(cairo_t* cr) {
  cairo_rectangle(cr, 2, 14, 74, 36);
  LinearFill(cr, 0, 14, 0, 50, Hex(0x5a4230), Hex(0x8a6a48));
  cairo_fill(cr);
  SetColour(cr, Hex(0x3a2a1c), 0.5);
  cairo_set_line_width(cr, 0.6);
  for (double y = 16; y < 50; y += 3.5) {
    cairo_move_to(cr, 2, y);
    cairo_line_to(cr, 76, y);
  }
  cairo_stroke(cr);
}

void Woods(cairo_t* cr, Landscape set) {
  Rng rng(set == Landscape::Meadow ? 41 : set == Landscape::Sand ? 42 : 43);
  // Several rows from the back to the front; the front row stands just above the siding.
  for (int row = 0; row < 4; ++row) {
    double foot = 8 + row * 9.5;
    for (double x = rng.Range(-8, 0); x < L::kWidth + 10; x += rng.Range(9, 15)) {
      double px = x + rng.Range(-3, 3);
      if (px > 60 && px < 90 && row > 1) continue;  // the shed stands here
      switch (set) {
        case Landscape::Meadow: {
          const Rgb greens[] = {Hex(0x3f7a2c), Hex(0x4c8a32), Hex(0x366e2a), Hex(0x5a9436)};
          DeciduousTree(cr, px, foot, rng.Range(6, 9), greens[rng.Next() % 4], rng.Next());
          break;
        }
        case Landscape::Sand:
          if (rng.Uniform() < 0.5)
            Palm(cr, px, foot, rng.Range(7, 10), rng.Next());
          else
            Shrub(cr, px, foot, rng.Range(4, 6), Hex(0x6d8a3a), rng.Next());
          break;
        case Landscape::Snow:
          Fir(cr, px, foot, rng.Range(5, 7), rng.Range(18, 24), true, rng.Next());
          break;
      }
    }
  }
}

}  // namespace

CanvasPtr TopBar(const Canvas& ground, Landscape set) {
  auto bar = std::make_unique<Canvas>(L::kWidth, L::kHeight);
  bar->Paint(ground, 0, 0);
  cairo_t* cr = bar->Cr();
  Woods(cr, set);
  Yard(cr);
  Siding(cr);
  // A soft shade along the bottom edge sets the bar off from the field.
  cairo_rectangle(cr, 0, 0, L::kWidth, L::kHeight);
  LinearFill(cr, 0, 0, 0, 12, Hex(0x000000), Hex(0x000000), 0.35, 0.0);
  cairo_fill(cr);
  return bar;
}

}  // namespace art
