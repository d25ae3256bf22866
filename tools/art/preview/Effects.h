// SPDX-License-Identifier: GPL-3.0-or-later
// The game's picture effects on a canvas, for previews that show pictures as the game will.
#pragma once

#include "kit/Canvas.h"

namespace art {

// Adds (dr, dg, db) to every pixel's colour, clamped; alpha unchanged.
void ShiftColour(Canvas& c, int dr, int dg, int db);
// Raises (amount > 0) or lowers (amount < 0) the contrast around the level 159, in 1/128 steps.
void Contrast(Canvas& c, int amount);

// What a picture is painted as: a train takes its colour's shift only, a town's houses
// also more contrast.
enum class Painted { Train, TownHouses };
// A copy of the picture in one of the eight train and town colours, as the game paints it.
CanvasPtr PaintedCopy(const Canvas& c, int colour, Painted what);

}  // namespace art
