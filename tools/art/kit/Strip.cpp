// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Strip.h"

namespace art {

CanvasPtr DrawStrip(int frameW, int frameH, int n, const std::function<void(cairo_t*, int)>& draw) {
  auto strip = std::make_unique<Canvas>(frameW * n, frameH);
  cairo_t* cr = strip->Cr();
  for (int k = 0; k < n; ++k) {
    cairo_save(cr);
    cairo_translate(cr, k * frameW, 0);
    cairo_rectangle(cr, 0, 0, frameW, frameH);
    cairo_clip(cr);
    cairo_new_path(cr);
    draw(cr, k);
    cairo_restore(cr);
  }
  return strip;
}

CanvasPtr DrawStripCanvases(int frameW, int frameH, int n,
                            const std::function<void(Canvas&, int)>& draw) {
  auto strip = std::make_unique<Canvas>(frameW * n, frameH);
  for (int k = 0; k < n; ++k) {
    Canvas frame(frameW, frameH);
    draw(frame, k);
    strip->Paint(frame, k * frameW, 0);
  }
  return strip;
}

}  // namespace art
