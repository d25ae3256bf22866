// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of the game's picture. Every screen draws on a display of 800 x 600 pixels;
// a scaled window shows that picture enlarged, and all screen coordinates of the game
// are pixels of it.

namespace platform {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

}  // namespace platform
