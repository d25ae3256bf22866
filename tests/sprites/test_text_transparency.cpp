// SPDX-License-Identifier: GPL-3.0-or-later
// Text from a font sheet loaded as picture + grey mask must keep a see-through
// background wherever it is drawn: as the screen's letter sprites, stamped into an
// opaque picture, and copied into a blank picture with an alpha channel. The suite
// runs on classic SDL 1.2 and on sdl12-compat, which differ in how they flag
// converted pictures for blending.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SpriteTestSupport.h"
#include "engine/LEngine.h"
#include "sprites/BitmapFont.h"
#include "sprites/MessageLine.h"

using namespace spritetest;

namespace {

constexpr uint32_t kInk = 0x00FFFF00;     // glyph pixels
constexpr uint32_t kFringe = 0x00FF00FF;  // row 0 markers and the row under them
constexpr uint32_t kPaper = 0x00000000;   // the rest of the picture
constexpr uint32_t kGreen = 0x00206020;   // what lies behind the text
constexpr int kGlyphW = 4;
constexpr int kSheetH = 6;

// Sheet of the glyphs "ab": marker columns 0, 5 and 10; each glyph has ink in its
// columns 1-2, rows 2-4. The picture has no alpha; the mask is white over the ink
// and over the glyph columns of row 0, black elsewhere.
void WriteSheet(const std::string& dir) {
  const int w = 1 + 2 * (kGlyphW + 1);
  SDL_Surface* pic = MakeSurface(w, kSheetH, false);
  SDL_Surface* mask = MakeSurface(w, kSheetH, false);
  SDL_FillRect(pic, nullptr, kPaper);
  SDL_FillRect(mask, nullptr, 0);
  for (int x = 0; x < w; ++x) {
    const bool marker = x % (kGlyphW + 1) == 0;
    SetPixel(pic, x, 0, marker ? kFringe : kInk);
    SetPixel(mask, x, 0, marker ? 0 : 0x00FFFFFF);
    SetPixel(pic, x, 1, kFringe);
    const int inGlyph = x % (kGlyphW + 1) - 1;
    if (inGlyph != 1 && inGlyph != 2) continue;
    for (int y = 2; y <= 4; ++y) {
      SetPixel(pic, x, y, kInk);
      SetPixel(mask, x, y, 0x00FFFFFF);
    }
  }
  WriteBmp(dir + "/font.bmp", pic);
  WriteBmp(dir + "/fontMask.bmp", mask);
  SDL_FreeSurface(pic);
  SDL_FreeSurface(mask);
}

// Drawn at (x0, y0), glyph k of a string has ink at columns x0 + 4k + 1 and + 2,
// rows y0 + 1 to y0 + 3 (sheet rows 2-4; the glyph starts at sheet row 1).
bool IsInk(int x, int y, int x0, int y0, int length) {
  const int dx = x - x0;
  const int dy = y - y0;
  if (dx < 0 || dx >= kGlyphW * length || dy < 1 || dy > 3) return false;
  const int col = dx % kGlyphW;
  return col == 1 || col == 2;
}

struct Rgba {
  Uint8 r = 0, g = 0, b = 0, a = 0;
};

Rgba ReadPixel(SDL_Surface* s, int x, int y) {
  Rgba c;
  SDL_GetRGBA(PixelAt(s, x, y), s->format, &c.r, &c.g, &c.b, &c.a);
  return c;
}

bool IsColour(const Rgba& c, uint32_t rgb) {
  return c.r == ((rgb >> 16) & 255) && c.g == ((rgb >> 8) & 255) && c.b == (rgb & 255);
}

struct TextTransparency : ::testing::Test {
  void SetUp() override {
    Display();
    dir = MakeTempDir();
    WriteSheet(dir);
    ScopedCwd inDir(dir);
    ASSERT_TRUE(fontClip.LoadFromFile("font.bmp", "fontMask.bmp", 1));
    font = std::make_unique<BitmapFont>(&fontClip, "ab");
    ASSERT_EQ(font->GlyphWidth('a'), kGlyphW);
    ASSERT_EQ(font->GlyphWidth('b'), kGlyphW);
  }

  // Every pixel of the w x h area at (left, top) shows ink where the string of
  // length glyphs drawn at (x0, y0) has ink, and the background elsewhere.
  void ExpectTextOver(SDL_Surface* s, int left, int top, int w, int h, int x0, int y0, int length) {
    int wrong = 0;
    for (int y = top; y < top + h; ++y) {
      for (int x = left; x < left + w; ++x) {
        const uint32_t want = IsInk(x, y, x0, y0, length) ? kInk : kGreen;
        if (IsColour(ReadPixel(s, x, y), want)) continue;
        if (++wrong <= 3)
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << PixelAt(s, x, y)
                        << ", expected " << want;
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  std::string dir;
  LClip fontClip;
  std::unique_ptr<BitmapFont> font;
};

TEST_F(TextTransparency, MessageLettersShowTheScreenBehindThem) {
  SDL_Surface* display = Display();
  auto screen = std::make_unique<LEngine>(display, 0, 0, 800, 600, true);
  ASSERT_NE(screen->Background, nullptr);
  SDL_FillRect(screen->Background, nullptr,
               SDL_MapRGB(screen->Background->format, 0x20, 0x60, 0x20));
  {
    MessageLine line(screen.get(), &fontClip, 0, 100, 100, 10, "ab");
    line.Post("abab", true);
    screen->Update(20, 20);
    screen->Render();
    // Centred on the line: 50 - 16 / 2.
    ExpectTextOver(display, 30, 95, 40, 15, 42, 100, 4);
  }
  screen.reset();
}

TEST_F(TextTransparency, StringStampedIntoAnOpaquePictureKeepsItsBackground) {
  SDL_Surface* picture = MakeSurface(20, 10, false);
  SDL_FillRect(picture, nullptr, kGreen);
  font->DrawString(picture, 3, 2, "ab");
  ExpectTextOver(picture, 0, 0, 20, 10, 3, 2, 2);
  SDL_FreeSurface(picture);
}

TEST_F(TextTransparency, TextCopiedIntoABlankClipIsClearAroundOpaqueGlyphs) {
  LClip text;
  text.SetSize(20, 10);
  ASSERT_TRUE(text.CreateBlank(true));
  SDL_Surface* s = text.GetSurface();
  font->CopyAlpha = true;
  font->DrawString(s, 3, 2, "ba");
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const Rgba c = ReadPixel(s, x, y);
      if (IsInk(x, y, 3, 2, 2)) {
        EXPECT_EQ(c.a, 255) << x << "," << y;
        EXPECT_TRUE(IsColour(c, kInk)) << x << "," << y;
      } else {
        EXPECT_EQ(c.a, 0) << x << "," << y;
      }
    }
  }
  // The finished text laid over a picture leaves the picture between the glyphs.
  SDL_Surface* picture = MakeSurface(20, 10, false);
  SDL_FillRect(picture, nullptr, kGreen);
  SDL_BlitSurface(s, nullptr, picture, nullptr);
  ExpectTextOver(picture, 0, 0, 20, 10, 3, 2, 2);
  SDL_FreeSurface(picture);
}

}  // namespace
