// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text drawn from a bitmap font sheet: the glyphs of a list of characters stand
// side by side on one row of the sheet, separated by marker pixels in row 0.
#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>

class LClip;

class BitmapFont {
 public:
  // The 95 printable ASCII characters from space to tilde, in code order.
  static const char* const kDefaultList;

  // Finds the glyphs of characterList (nullptr: the default list) on the sheet.
  // The sheet is borrowed; it must outlive the font.
  explicit BitmapFont(SDL_Surface* sheet, const char* characterList = nullptr);
  // The same on the picture of a font clip (a clip library entry).
  explicit BitmapFont(const LClip* fontClip, const char* characterList = nullptr);

  int32_t Height = 0;
  SDL_Surface* Sheet = nullptr;
  std::map<signed char, SDL_Rect> Glyphs;
  bool CopyAlpha = false;

  // The glyph rectangle of c in the sheet, or nullptr.
  const SDL_Rect* Glyph(char c) const;
  int GlyphWidth(char c) const;

  // Width of the glyph drawn; 0 (nothing drawn) for a character without glyph.
  int DrawGlyph(SDL_Surface* target, int x, int y, char c) const;
  void DrawString(SDL_Surface* target, int x, int y, const std::string& text,
                  int spacing = 0) const;
  // Sum of glyph width + spacing over the first length characters (-1: all).
  int Measure(const std::string& text, int length = -1, int spacing = 0) const;
  void DrawCentred(SDL_Surface* target, int y, const std::string& text, int spacing = 0) const;
  // Stretches the spaces so the line fills the target's width less 5 pixels.
  void DrawJustified(SDL_Surface* target, int y, const std::string& text, int spacing = 0) const;
  // Breaks text into lines of at most about maxWidth; line breaks become NULs.
  std::string WordWrap(const std::string& text, int maxWidth, int spacing = 0) const;
  // Draws NUL-separated lines from position (nullptr: (0, 0)) downwards: all but the
  // last justified across the target, the last left-aligned at the position's x.
  void DrawParagraph(SDL_Surface* target, const SDL_Rect* position, const std::string& wrappedText,
                     int spacing = 0, int lineSpacing = 0) const;

 private:
  void FindGlyphs(const char* characterList);
};
