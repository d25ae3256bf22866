// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field's area on the screen, in pixels of the 800 x 600 picture: right of the left
// panel, under the top bar and above the message line. The build preview follows the
// mouse inside it; dialogs and tips are placed within it.

namespace rail {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // The first column and the first row past the rectangle.
  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < Right() && y >= top && y < Bottom();
  }
};

inline constexpr ScreenRect kFieldArea{140, 50, 670, 520};

}  // namespace rail
