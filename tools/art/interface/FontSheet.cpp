// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/FontSheet.h"

#include <algorithm>
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

// One character drawn on its own canvas, and the columns its ink covers.
struct Glyph {
  char c;
  CanvasPtr picture;
  int inkLeft = 0, inkRight = -1;  // inclusive; empty when inkRight < inkLeft
  int advance = 0;                 // the font's advance, for the space
};

// A pixel this opaque or more counts as ink; fainter edge pixels may be cut at the run's edge.
constexpr int kInkAlpha = 64;

void GlyphPath(cairo_t* cr, char c, double penX, const FontLook& look, double dx, double dy) {
  char s[2] = {c, 0};
  cairo_move_to(cr, penX + dx, look.baseline + dy);
  cairo_text_path(cr, s);
}

// Draws one glyph with its shadow and outline, pen at a margin wide enough for all of it,
// and finds its ink columns.
Glyph RenderGlyph(char c, const FontLook& look) {
  Glyph g{c, nullptr};
  Canvas probe(4, 4);
  SelectLook(probe.Cr(), look);
  char s[2] = {c, 0};
  cairo_text_extents_t e;
  cairo_text_extents(probe.Cr(), s, &e);
  g.advance = int(std::lround(e.x_advance));
  const int margin = int(std::ceil(look.outline + look.shadow)) + 4;
  const int w = int(std::ceil(std::max(e.x_advance, e.x_bearing + e.width))) + 2 * margin;
  g.picture = std::make_unique<Canvas>(w, look.height);
  if (c == ' ') return g;
  const double pen = margin;
  Canvas body(w, look.height);
  cairo_t* cr = body.Cr();
  SelectLook(cr, look);
  GlyphPath(cr, c, pen, look, 0, 0);
  if (look.outline > 0) {
    SetColour(cr, look.outlineColour);
    cairo_set_line_width(cr, look.outline * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  LinearFill(cr, 0, look.capTop, 0, look.baseline, look.top, look.bottom);
  cairo_fill(cr);
  // The ink is the letter with its outline; its shadow falls into the gap and is cut at
  // the run's end. Row 0 is the sheet's marker row: nothing drawn there counts.
  g.inkLeft = w;
  for (int x = 0; x < w; ++x)
    for (int y = 1; y < look.height; ++y)
      if (body.Get(x, y).a >= kInkAlpha) {
        g.inkLeft = std::min(g.inkLeft, x);
        g.inkRight = x;
        break;
      }
  if (look.shadow > 0) {
    Canvas shade(w, look.height);
    cairo_t* sc = shade.Cr();
    SelectLook(sc, look);
    GlyphPath(sc, c, pen, look, look.shadow, look.shadow);
    cairo_set_source_rgb(sc, 0, 0, 0);
    if (look.outline > 0) {
      cairo_set_line_width(sc, look.outline * 2);
      cairo_set_line_join(sc, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(sc);
    }
    cairo_fill(sc);
    shade.Blur(1);
    g.picture->Paint(shade, 0, 0, look.shadowAlpha);
  }
  g.picture->Paint(body, 0, 0);
  return g;
}

// The run of a glyph: its ink and the gap after it; the space is as wide as the font
// makes it, at least the look's minimum.
int RunWidth(const Glyph& g, const FontLook& look) {
  if (g.inkRight < g.inkLeft) return std::max(look.minSpaceWidth, g.advance);
  return g.inkRight - g.inkLeft + 1 + look.gap;
}

}  // namespace

std::string DefaultCharacters() {
  std::string s;
  for (int c = 32; c <= 126; ++c) s.push_back(char(c));
  return s;
}

CanvasPtr BuildFontSheet(const std::string& characters, const FontLook& look) {
  // Runs stand left to right, one separator column before each.
  std::vector<Glyph> glyphs;
  int width = 1;
  for (char c : characters) {
    glyphs.push_back(RenderGlyph(c, look));
    width += RunWidth(glyphs.back(), look) + 1;
  }
  width += 2;
  auto sheet = std::make_unique<Canvas>(width, look.height);
  for (int x = 0; x < width; ++x) sheet->Set(x, 0, kSeparator);
  int x = 1;
  cairo_t* cr = sheet->Cr();
  for (const Glyph& g : glyphs) {
    const int w = RunWidth(g, look);
    // Only the run itself: no glyph reaches into its neighbours' runs.
    cairo_save(cr);
    cairo_rectangle(cr, x, 1, w, look.height - 1);
    cairo_clip(cr);
    sheet->Paint(*g.picture, x - g.inkLeft, 0);
    cairo_restore(cr);
    sheet->Flush();
    for (int m = x; m < x + w; ++m) sheet->Set(m, 0, kMarker);
    x += w + 1;
  }
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
