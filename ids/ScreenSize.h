// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of the game's picture. Every screen draws on a display of 800 x 600 pixels;
// a scaled window shows that picture enlarged, and all screen coordinates of the game
// are pixels of it.

namespace screen {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

}  // namespace screen
