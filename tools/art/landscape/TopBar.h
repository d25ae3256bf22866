// SPDX-License-Identifier: GPL-3.0-or-later
// The top bar behind the counters: a strip of woodland (or palms, or snowy firs) and the
// siding on which the shunting engine runs between the warehouse and the tunnel.
#pragma once

#include "kit/Canvas.h"

namespace art {

enum class Landscape { Meadow, Sand, Snow };

// Top bar geometry on screen (x from 140, y from 0).
struct TopBarLayout {
  static constexpr int kWidth = 660, kHeight = 50;
  static constexpr double kRailFar = 42.8, kRailNear = 47.2;  // the siding's two rails
  static constexpr double kEngineFootY = 20;  // footprint centre in the engine frame
};

// Draws the top bar over a copy of the field ground of the same landscape.
CanvasPtr TopBar(const Canvas& ground, Landscape set);

}  // namespace art
