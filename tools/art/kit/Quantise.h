// SPDX-License-Identifier: GPL-3.0-or-later
// Colour reduction for palette pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "kit/Canvas.h"

namespace art {

// Reduces the colours to at most maxColours by median cut; exact when there are few
// enough distinct colours. Fills the palette and one palette index per pixel.
void QuantiseMedianCut(const std::vector<Pixel>& px, int maxColours, std::vector<Pixel>& palette,
                       std::vector<uint8_t>& index);

}  // namespace art
