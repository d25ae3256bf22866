// SPDX-License-Identifier: GPL-3.0-or-later
// Strips: one row of equal frames, the layout every clip picture uses.
#pragma once

#include <functional>

#include "kit/Canvas.h"

namespace art {

// Draws n frames of frameW x frameH into one row. For each frame k the context is
// translated to the frame's top-left corner and clipped to it, so draw(cr, k) works in
// frame coordinates.
CanvasPtr DrawStrip(int frameW, int frameH, int n, const std::function<void(cairo_t*, int)>& draw);

// Same, but each frame is drawn onto its own canvas first (for helpers such as SoftShadow
// that need a whole canvas), then copied into place.
CanvasPtr DrawStripCanvases(int frameW, int frameH, int n,
                            const std::function<void(Canvas&, int)>& draw);

}  // namespace art
