// SPDX-License-Identifier: GPL-3.0-or-later
// Writers of the game's picture formats. All take straight colours from a canvas.
#pragma once

#include <string>

#include "kit/Canvas.h"

namespace art {

// JPEG of the colours only (alpha dropped). Colours under fully clear pixels are first
// bled in from their neighbours so that the block compression leaves no dark seams
// along the edge of the mask.
bool WriteJpeg(const std::string& path, const Canvas& c, int quality = 92);
// Palette GIF of the colours (alpha dropped), at most 256 colours by median cut.
bool WriteGif(const std::string& path, const Canvas& c);
// Grey GIF of the coverage: white opaque, black clear, 256 grey levels.
bool WriteMaskGif(const std::string& path, const Canvas& c);
// Uncompressed 32-bit TGA with alpha, top-left origin.
bool WriteTga(const std::string& path, const Canvas& c);
// 24-bit BMP (alpha composited over black).
bool WriteBmp(const std::string& path, const Canvas& c);
// PNG with alpha (contact sheets and previews).
bool WritePng(const std::string& path, const Canvas& c);

// Creates the folders leading to a file.
bool MakeParentDirs(const std::string& path);

}  // namespace art
