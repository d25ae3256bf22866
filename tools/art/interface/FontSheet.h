// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap font sheets: the glyphs of a character list drawn side by side from a real
// font, each glyph's columns marked in row 0 by a run of marker pixels between
// separator pixels, so the game finds exactly one glyph per character, left to right.
// A run is as wide as its glyph's ink (the letter and its outline) and a small gap, so
// text drawn glyph after glyph is spaced like proportional type.
// Also a reader of such sheets, used to compose previews with the sheets themselves.
#pragma once

#include <map>
#include <string>

#include "kit/Canvas.h"
#include "kit/Draw.h"

namespace art::ui {

// The 95 printable characters from space to tilde.
std::string DefaultCharacters();

struct FontLook {
  std::string family = "DejaVu Sans";
  double size = 12;
  bool bold = true;
  int height = 20;       // sheet height, marker row included
  double baseline = 14;  // baseline row in the sheet
  double capTop = 4;     // row where the capitals begin (gradient start)
  Rgb top, bottom;       // fill: gradient from the cap top to the baseline
  double outline = 0;    // outline half width in pixels, 0 = none
  Rgb outlineColour;
  double shadow = 0;  // drop shadow offset to the bottom right, 0 = none
  double shadowAlpha = 0.6;
  int gap = 1;            // columns after a glyph's ink (its shadow may show there), inside its run
  int minSpaceWidth = 4;  // the space glyph is at least this wide
};

// Draws the sheet of the characters in the look.
CanvasPtr BuildFontSheet(const std::string& characters, const FontLook& look);

// Reads a sheet the way the game does: walks row 0 from the left, every run of pixels
// that differ from the pixel at (0, 0) is the next character's glyph.
class SheetFont {
 public:
  SheetFont(const Canvas& sheet, const std::string& characters);
  int GlyphCount() const { return int(glyphs_.size()); }
  int Height() const { return sheet_.Height(); }
  int Measure(const std::string& text, int spacing = 0) const;
  // Draws text with its top (sheet row 1) at y; returns the end x.
  int Draw(Canvas& target, int x, int y, const std::string& text, int spacing = 0) const;
  int DrawCentred(Canvas& target, int left, int width, int y, const std::string& text,
                  int spacing = 0) const;

 private:
  struct Run {
    int x, w;
  };
  const Canvas& sheet_;
  std::map<char, Run> glyphs_;
};

}  // namespace art::ui
