// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/ContactSheet.h"

#include <algorithm>
#include <string>

#include "kit/Draw.h"

namespace art {

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kMargin = 8;
constexpr int kLabelH = 16;
constexpr int kGap = 3;

struct Placed {
  const SavedPicture* pic;
  int y;       // top of the label
  int height;  // label plus all frame rows
};

// Largest frame shown at full size; bigger pictures (backgrounds) are halved.
double ScaleFor(const SavedPicture& p) {
  int fw = p.canvas->Width() / std::max(1, p.frames);
  return fw > 420 ? 0.5 : 1.0;
}

int FramesPerRow(const SavedPicture& p, double scale) {
  int fw = int((p.canvas->Width() / std::max(1, p.frames)) * scale);
  return std::max(1, (kSheetWidth - 2 * kMargin) / (fw + kGap));
}

int RowsFor(const SavedPicture& p, double scale) {
  int per = FramesPerRow(p, scale);
  return (p.frames + per - 1) / per;
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
  for (int yy = 0; yy < h; yy += 8)
    for (int xx = 0; xx < w; xx += 8) {
      bool dark = ((xx + yy) / 8) % 2;
      cairo_set_source_rgb(cr, dark ? 0.78 : 0.88, dark ? 0.78 : 0.88, dark ? 0.80 : 0.90);
      cairo_rectangle(cr, x + xx, y + yy, std::min(8.0, w - xx), std::min(8.0, h - yy));
      cairo_fill(cr);
    }
}

void DrawEntry(cairo_t* cr, const SavedPicture& p, int top) {
  std::string label;
  for (int i : p.indices) label += std::to_string(i) + " ";
  label += " " + p.picture + "  (" + std::to_string(p.frames) + " frames of " +
           std::to_string(p.canvas->Width() / std::max(1, p.frames)) + " x " +
           std::to_string(p.canvas->Height()) + ")";
  TextStyle st;
  st.size = 11;
  st.bold = true;
  DrawText(cr, label, kMargin, top + 12, st);
  double scale = ScaleFor(p);
  int fw = p.canvas->Width() / std::max(1, p.frames), fh = p.canvas->Height();
  int per = FramesPerRow(p, scale);
  for (int k = 0; k < p.frames; ++k) {
    double x = kMargin + (k % per) * (fw * scale + kGap);
    double y = top + kLabelH + (k / per) * (fh * scale + kGap);
    Checker(cr, x, y, fw * scale, fh * scale);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, fw * scale, fh * scale);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, p.canvas->Surface(), -k * fw, 0);
    cairo_paint(cr);
    cairo_restore(cr);
  }
}

}  // namespace

CanvasPtr ComposeContactSheet(const ArtContext& ctx) {
  std::vector<Placed> placed;
  int y = kMargin;
  for (const SavedPicture& p : ctx.Saved()) {
    double scale = ScaleFor(p);
    int h = kLabelH + RowsFor(p, scale) * int(p.canvas->Height() * scale + kGap) + 6;
    placed.push_back({&p, y, h});
    y += h;
  }
  auto sheet = std::make_unique<Canvas>(kSheetWidth, y + kMargin);
  cairo_t* cr = sheet->Cr();
  cairo_set_source_rgb(cr, 0.97, 0.97, 0.95);
  cairo_paint(cr);
  for (const Placed& pl : placed) {
    pl.pic->canvas->Flush();
    DrawEntry(cr, *pl.pic, pl.y);
  }
  return sheet;
}

}  // namespace art
