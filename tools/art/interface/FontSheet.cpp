// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/FontSheet.h"

#include <cmath>
#include <vector>

namespace art::ui {

namespace {

constexpr Pixel kSeparator{0, 0, 0, 255};
constexpr Pixel kMarker{255, 0, 255, 255};

void SelectLook(cairo_t* cr, const FontLook& look) {
  cairo_select_font_face(cr, look.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         look.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, look.size);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, fo);
  cairo_font_options_destroy(fo);
}

struct Cell {
  char c;
  int x;        // first column of the cell
  int w;        // cell width
  double pen;   // pen x of the glyph's origin
};

// Lays the cells out left to right, one separator column between them and before the first.
std::vector<Cell> LayOut(cairo_t* cr, const std::string& chars, const FontLook& look, int& width) {
  std::vector<Cell> cells;
  int x = 1;
  // Cells follow the font's advance; an outline may widen a glyph by half its width on
  // each side, the rest of the outline and the shadow may be cut at the cell's edge.
  double grow = look.outline * 0.5;
  for (char c : chars) {
    char s[2] = {c, 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    double left = std::min(0.0, std::round(e.x_bearing - grow));
    double right = std::max(e.x_advance, e.x_bearing + e.width + grow);
    if (c == ' ') left = 0, right = std::max<double>(look.minSpaceWidth, e.x_advance);
    int w = int(std::ceil(right - left)) + 2 * look.pad;
    if (w < 1) w = 1;
    cells.push_back({c, x, w, x + look.pad - left});
    x += w + 1;
  }
  width = x + 2;
  return cells;
}

void GlyphPath(cairo_t* cr, const Cell& cell, const FontLook& look, double dx, double dy) {
  char s[2] = {cell.c, 0};
  cairo_move_to(cr, cell.pen + dx, look.baseline + dy);
  cairo_text_path(cr, s);
}

// Draws one glyph inside its own cell only: its outline and shadow never reach the
// neighbouring cells (a space cell stays clear).
void DrawGlyph(Canvas& sheet, const Cell& cell, const FontLook& look) {
  if (cell.c == ' ') return;
  cairo_t* cr = sheet.Cr();
  cairo_save(cr);
  cairo_rectangle(cr, cell.x, 1, cell.w, look.height - 1);
  cairo_clip(cr);
  if (look.shadow > 0) {
    const int margin = 4;
    Canvas shade(cell.w + 2 * margin, look.height);
    cairo_t* sc = shade.Cr();
    cairo_translate(sc, margin - cell.x, 0);
    SelectLook(sc, look);
    GlyphPath(sc, cell, look, look.shadow, look.shadow);
    cairo_set_source_rgb(sc, 0, 0, 0);
    if (look.outline > 0) {
      cairo_set_line_width(sc, look.outline * 2);
      cairo_set_line_join(sc, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(sc);
    }
    cairo_fill(sc);
    shade.Blur(1);
    sheet.Paint(shade, cell.x - margin, 0, look.shadowAlpha);
  }
  SelectLook(cr, look);
  GlyphPath(cr, cell, look, 0, 0);
  if (look.outline > 0) {
    SetColour(cr, look.outlineColour);
    cairo_set_line_width(cr, look.outline * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  LinearFill(cr, 0, look.capTop, 0, look.baseline, look.top, look.bottom);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

std::string DefaultCharacters() {
  std::string s;
  for (int c = 32; c <= 126; ++c) s.push_back(char(c));
  return s;
}

CanvasPtr BuildFontSheet(const std::string& characters, const FontLook& look) {
  Canvas scratch(4, 4);
  SelectLook(scratch.Cr(), look);
  int width = 0;
  std::vector<Cell> cells = LayOut(scratch.Cr(), characters, look, width);
  auto sheet = std::make_unique<Canvas>(width, look.height);
  for (const Cell& cell : cells) DrawGlyph(*sheet, cell, look);

  // Row 0: separator everywhere, markers over each glyph's columns.
  for (int x = 0; x < width; ++x) sheet->Set(x, 0, kSeparator);
  for (const Cell& cell : cells)
    for (int x = cell.x; x < cell.x + cell.w; ++x) sheet->Set(x, 0, kMarker);
  return sheet;
}

SheetFont::SheetFont(const Canvas& sheet, const std::string& characters) : sheet_(sheet) {
  auto same = [](Pixel a, Pixel b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; };
  Pixel s = sheet.Get(0, 0);
  size_t next = 0;
  int x = 0;
  while (x < sheet.Width() - 1 && next < characters.size()) {
    if (same(sheet.Get(x, 0), s)) {
      ++x;
      continue;
    }
    int start = x;
    while (x < sheet.Width() && !same(sheet.Get(x, 0), s)) ++x;
    glyphs_[characters[next++]] = {start, x - start};
  }
}

int SheetFont::Measure(const std::string& text, int spacing) const {
  int w = 0;
  for (char c : text) {
    auto it = glyphs_.find(c);
    w += (it == glyphs_.end() ? 0 : it->second.w) + spacing;
  }
  return w;
}

int SheetFont::Draw(Canvas& target, int x, int y, const std::string& text, int spacing) const {
  cairo_t* cr = target.Cr();
  for (char c : text) {
    auto it = glyphs_.find(c);
    if (it == glyphs_.end()) {
      x += spacing;
      continue;
    }
    cairo_save(cr);
    cairo_rectangle(cr, x, y, it->second.w, sheet_.Height() - 1);
    cairo_clip(cr);
    target.Paint(sheet_, x - it->second.x, y - 1);
    cairo_restore(cr);
    x += it->second.w + spacing;
  }
  return x;
}

int SheetFont::DrawCentred(Canvas& target, int left, int width, int y, const std::string& text,
                           int spacing) const {
  return Draw(target, left + width / 2 - Measure(text, spacing) / 2, y, text, spacing);
}

}  // namespace art::ui
