// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SpriteTestSupport.h"
#include "sprites/BitmapFont.h"

using namespace spritetest;

namespace {

// A sheet with glyphs 3, 5 and 4 pixels wide for the list "ab ", 8 pixels high.
struct SmallFont : ::testing::Test {
  void SetUp() override {
    Display();
    sheet = MakeFontSheet({3, 5, 4}, 8);
    font = std::make_unique<BitmapFont>(sheet, "ab ");
  }
  void TearDown() override {
    font.reset();
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(target);
  }
  SDL_Surface* NewTarget(int w, int h) {
    SDL_FreeSurface(target);
    target = MakeSurface(w, h, false);
    SDL_FillRect(target, nullptr, 0);
    return target;
  }
  // Colour of glyph k of the sheet (see MakeFontSheet).
  static uint32_t Colour(int k) { return 0x000010u * static_cast<uint32_t>(k + 1); }
  // x of the first pixel of row y with the colour, or -1.
  int FirstX(int y, uint32_t colour, int from = 0) const {
    for (int x = from; x < target->w; ++x)
      if (PixelAt(target, x, y) == colour) return x;
    return -1;
  }
  SDL_Surface* sheet = nullptr;
  SDL_Surface* target = nullptr;
  std::unique_ptr<BitmapFont> font;
};

}  // namespace

TEST_F(SmallFont, GlyphsAreFoundBetweenMarkersInListOrder) {
  ASSERT_EQ(font->Glyphs.size(), 3u);
  const SDL_Rect* a = font->Glyph('a');
  const SDL_Rect* b = font->Glyph('b');
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->x, 1);
  EXPECT_EQ(a->w, 3);
  EXPECT_EQ(a->y, 1);
  EXPECT_EQ(b->x, 5);
  EXPECT_EQ(b->w, 5);
  EXPECT_EQ(font->GlyphWidth(' '), 4);
  EXPECT_EQ(font->Height, 8);
  EXPECT_EQ(font->Glyph('c'), nullptr);
  // Measure adds the spacing for every character, with or without glyph.
  EXPECT_EQ(font->Measure("ab"), 8);
  EXPECT_EQ(font->Measure("ab", -1, 2), 12);
  EXPECT_EQ(font->Measure("abba", 2, 1), 10);
  EXPECT_EQ(font->Measure("a?b", -1, 1), 3 + 1 + 0 + 1 + 5 + 1);
}

TEST(BitmapFontSheet, SheetWithoutMarkersHasNoGlyphs) {
  Display();
  SDL_Surface* plain = MakeSurface(40, 6, false);
  SDL_FillRect(plain, nullptr, 0x00123456);
  BitmapFont font(plain);
  EXPECT_TRUE(font.Glyphs.empty());
  EXPECT_EQ(font.Measure("abc", -1, 2), 6);
  EXPECT_EQ(font.Measure("abc", -1, 0), 0);
  SDL_FreeSurface(plain);
}

TEST(BitmapFontSheet, ListLongerThanTheSheetLeavesLastCharactersWithout) {
  Display();
  SDL_Surface* sheet = MakeFontSheet({2, 2, 2}, 5);
  BitmapFont font(sheet, "LEV 0123456789");
  EXPECT_NE(font.Glyph('L'), nullptr);
  EXPECT_NE(font.Glyph('V'), nullptr);
  EXPECT_EQ(font.Glyph(' '), nullptr);
  EXPECT_EQ(font.Glyph('0'), nullptr);
  EXPECT_EQ(font.Measure("LEV 0"), 6);
  SDL_FreeSurface(sheet);
}

TEST_F(SmallFont, DrawStringPlacesGlyphsOneAfterAnotherBelowTheMarkers) {
  NewTarget(40, 12);
  font->DrawString(target, 2, 3, "ab", 1);
  EXPECT_EQ(FirstX(3, Colour(0)), 2);
  EXPECT_EQ(FirstX(3, Colour(1)), 2 + 3 + 1);
  // Rows 1..7 of the sheet are drawn from y = 3; the marker row never is.
  EXPECT_EQ(PixelAt(target, 2, 3 + 6), Colour(0));
  EXPECT_EQ(PixelAt(target, 2, 2), 0u);
  EXPECT_EQ(font->DrawGlyph(target, 0, 0, 'z'), 0);
}

TEST_F(SmallFont, DrawCentredUsesHalfTheTargetLessHalfTheText) {
  NewTarget(41, 10);
  font->DrawCentred(target, 0, "ab");  // measure 8: x = 20 - 4
  EXPECT_EQ(FirstX(0, Colour(0)), 16);
  EXPECT_EQ(FirstX(0, Colour(1)), 19);
}

TEST_F(SmallFont, DrawJustifiedWithoutSpaceEqualsDrawString) {
  NewTarget(60, 10);
  font->DrawJustified(target, 0, "ab", 0);
  SDL_Surface* justified = target;
  target = nullptr;
  NewTarget(60, 10);
  font->DrawString(target, 0, 0, "ab", 0);
  for (int x = 0; x < 60; ++x) EXPECT_EQ(PixelAt(justified, x, 2), PixelAt(target, x, 2)) << x;
  SDL_FreeSurface(justified);
}

TEST_F(SmallFont, DrawJustifiedSpreadsTheFreeWidthOverTheSpaces) {
  // "a b a": measure 3 + 4 + 5 + 4 + 3 = 19; target 40: free = 40 - 19 - 5 = 16,
  // two spaces: extra 8, rest 0 (the first gap gets the extra pixel).
  NewTarget(40, 10);
  font->DrawJustified(target, 0, "a b a", 0);
  EXPECT_EQ(FirstX(0, Colour(0)), 0);
  const int bX = 3 + 4 + 8 + 1;
  EXPECT_EQ(FirstX(0, Colour(1)), bX);
  EXPECT_EQ(FirstX(0, Colour(0), 3), bX + 5 + 4 + 8);
  EXPECT_EQ(FirstX(0, Colour(2)), -1);  // spaces are stretched, not drawn
}

TEST_F(SmallFont, DrawJustifiedLeavesAFullLineAlone) {
  // "a b a" measures 19: a target of 24 leaves free = 0.
  NewTarget(24, 10);
  font->DrawJustified(target, 0, "a b a", 0);
  EXPECT_EQ(FirstX(0, Colour(1)), 7);
  EXPECT_EQ(FirstX(0, Colour(2)), 3);  // drawn as a plain string, space included
}

TEST_F(SmallFont, WordWrapBreaksBeforeTheWordThatOverflows) {
  // Words "ab " (12), "ba " (12), "ab" (8); the width runs out on the space
  // after "ba", so "ba " starts the second line.
  const std::string wrapped = font->WordWrap("ab ba ab", 21, 0);
  EXPECT_EQ(wrapped, std::string("ab\0ba ab", 8));
  EXPECT_EQ(font->WordWrap("ab ba", 100, 0), "ab ba");
}

TEST_F(SmallFont, WordWrapNarrowerThanAGlyphBreaksEveryCharacter) {
  const std::string wrapped = font->WordWrap("ab ba", 1, 0);
  // Each character breaks the line; the word follows its breaks.
  EXPECT_EQ(wrapped, std::string("\0\0\0ab\0\0ba", 9));
}

TEST_F(SmallFont, DrawParagraphJustifiesAllButTheLastLine) {
  NewTarget(40, 30);
  const std::string text("a b\0b", 5);
  SDL_Rect at{5, 2, 0, 0};
  font->DrawParagraph(target, &at, text, 0, 3);
  // Line 1 justified from x = 0 at y = 2: "a b" measures 12, free 23, one space.
  EXPECT_EQ(FirstX(2, Colour(0)), 0);
  EXPECT_EQ(FirstX(2, Colour(1)), 3 + 4 + 23 + 1);
  // Line 2 at y = 2 + 8 + 3, left-aligned at x = 5.
  EXPECT_EQ(FirstX(13, Colour(1)), 5);
  EXPECT_EQ(FirstX(12, Colour(1)), -1);
}

TEST_F(SmallFont, CopyAlphaCopiesTheSheetsAlpha) {
  SDL_Surface* alphaSheet = MakeSurface(5, 4, true);
  SDL_FillRect(alphaSheet, nullptr, 0xFF00FF00);  // opaque marker colour
  SetPixel(alphaSheet, 1, 0, 0x40112233);         // a glyph at x = 1..3
  SetPixel(alphaSheet, 2, 0, 0x40112233);
  SetPixel(alphaSheet, 3, 0, 0x40112233);
  for (int y = 1; y < 4; ++y)
    for (int x = 1; x < 4; ++x) SetPixel(alphaSheet, x, y, 0x40112233);
  BitmapFont alphaFont(alphaSheet, "x");
  alphaFont.CopyAlpha = true;
  SDL_Surface* dst = MakeSurface(10, 10, true);
  SDL_FillRect(dst, nullptr, 0);
  EXPECT_EQ(alphaFont.DrawGlyph(dst, 0, 0, 'x'), 3);
  EXPECT_EQ(PixelAt(dst, 1, 1), 0x40112233u);
  EXPECT_TRUE(alphaSheet->flags & SDL_SRCALPHA);  // restored after the copy
  SDL_FreeSurface(dst);
  SDL_FreeSurface(alphaSheet);
}
