// SPDX-License-Identifier: GPL-3.0-or-later
// The generated interface pictures, read back as the game reads them: through the
// clip's loader (loose files below the build folder's Dat/), the clip library table
// and the font code.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/ClipTable.h"
#include "engine/LClip.h"
#include "sprites/BitmapFont.h"

namespace {

class VideoEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(chdir(OT_BINARY_DIR), 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE), nullptr) << SDL_GetError();
  }
  void TearDown() override { SDL_Quit(); }
};
[[maybe_unused]] const auto* const kVideo =
    ::testing::AddGlobalTestEnvironment(new VideoEnvironment);

// Every library entry whose picture belongs to the interface.
std::vector<int> InterfaceEntries() {
  std::vector<int> v = {1,  2,  3,  5,  6,   7,   8,   19,  20,  21,  22,  23,  90,
                        91, 92, 93, 94, 101, 103, 104, 105, 106, 107, 108, 109, 112};
  for (int i = 34; i <= 51; ++i) v.push_back(i);
  for (int i = 55; i <= 82; ++i) v.push_back(i);
  return v;
}

struct Loaded {
  LClip clip;
  bool ok = false;
};

std::unique_ptr<Loaded> Load(int index) {
  auto l = std::make_unique<Loaded>();
  const ClipDesc* d = GetClipDesc(index);
  if (d && d->Picture[0]) l->ok = l->clip.LoadFromFile(d->Picture, d->Mask, d->iNumberFrames);
  return l;
}

Uint8 AlphaAt(SDL_Surface* s, int x, int y) {
  Uint32 v = static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
  Uint8 r, g, b, a;
  SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
  return a;
}

// Pixels of frame f that differ clearly from the same pixel of frame g.
int DifferingPixels(LClip& clip, int f, int g) {
  SDL_Surface* s = clip.GetSurface();
  SDL_LockSurface(s);
  int count = 0;
  for (int y = 0; y < clip.FrameH; ++y)
    for (int x = 0; x < clip.FrameW; ++x) {
      Uint8 c1[4], c2[4];
      const Uint32* row = static_cast<Uint32*>(s->pixels) + y * (s->pitch / 4);
      SDL_GetRGBA(row[f * clip.FrameW + x], s->format, &c1[0], &c1[1], &c1[2], &c1[3]);
      SDL_GetRGBA(row[g * clip.FrameW + x], s->format, &c2[0], &c2[1], &c2[2], &c2[3]);
      for (int k = 0; k < 4; ++k)
        if (std::abs(c1[k] - c2[k]) > 16) {
          ++count;
          break;
        }
    }
  SDL_UnlockSurface(s);
  return count;
}

// The glyph runs of a sheet's top row, counted the way the font code finds them but
// without stopping at the end of a character list.
int MarkerRuns(SDL_Surface* s) {
  SDL_LockSurface(s);
  const Uint32* row = static_cast<Uint32*>(s->pixels);
  Uint32 sep = row[0];
  int runs = 0;
  for (int x = 0; x < s->w - 1;) {
    if (row[x] == sep) {
      ++x;
      continue;
    }
    ++runs;
    while (x < s->w && row[x] != sep) ++x;
  }
  SDL_UnlockSurface(s);
  return runs;
}

TEST(ArtInterfaceEntries, EveryEntryLoadsWithItsFrameCount) {
  for (int index : InterfaceEntries()) {
    SCOPED_TRACE("entry " + std::to_string(index));
    const ClipDesc* d = GetClipDesc(index);
    ASSERT_NE(d, nullptr);
    auto l = Load(index);
    ASSERT_TRUE(l->ok) << d->Picture;
    EXPECT_EQ(l->clip.FrameCount(), d->iNumberFrames);
    EXPECT_EQ(l->clip.GetSurface()->w % d->iNumberFrames, 0)
        << d->Picture << " is not cut into equal frames";
    EXPECT_GT(l->clip.FrameW, 0);
    EXPECT_GT(l->clip.FrameH, 0);
  }
}

TEST(ArtInterfaceEntries, EveryEntryOfTheTableLoads) {
  // The whole library, the railway's pictures included: the game ends when any of
  // them cannot be loaded.
  for (int index = 0; index < kClipCount; ++index) {
    const ClipDesc* d = GetClipDesc(index);
    ASSERT_NE(d, nullptr);
    if (!d->Picture[0]) continue;  // reserved
    auto l = Load(index);
    EXPECT_TRUE(l->ok) << "entry " << index << " " << d->Picture;
    if (l->ok) {
      EXPECT_EQ(l->clip.FrameCount(), d->iNumberFrames) << "entry " << index;
    }
  }
}

TEST(ArtInterfaceEntries, MasksAndTgaAlphaLeaveClearAndOpaqueParts) {
  for (int index : InterfaceEntries()) {
    const ClipDesc* d = GetClipDesc(index);
    std::string pic = d->Picture;
    if (!d->Mask[0] && pic.find(".tga") == std::string::npos) continue;
    SCOPED_TRACE(pic);
    auto l = Load(index);
    ASSERT_TRUE(l->ok);
    SDL_Surface* s = l->clip.GetSurface();
    ASSERT_NE(s->format->Amask, 0u);
    int clear = 0, opaque = 0;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x) {
        Uint8 a = AlphaAt(s, x, y);
        clear += a < 32;
        opaque += a > 224;
      }
    SDL_UnlockSurface(s);
    EXPECT_GT(clear, 0);
    EXPECT_GT(opaque, 0);
  }
}

TEST(ArtInterfaceEntries, OpaqueJpegsNeedNoMask) {
  // Backgrounds and pictures the game draws as solid rectangles load without alpha.
  for (int index : {3, 20, 21, 23, 38, 39, 44, 48, 58, 59, 63, 75, 76, 91, 93, 94}) {
    SCOPED_TRACE("entry " + std::to_string(index));
    auto l = Load(index);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(l->clip.GetSurface()->format->Amask, 0u);
  }
}

struct FontCase {
  int index;
  const char* list;  // nullptr: the 95 printable characters
  int glyphs;
  const char* sample;
  int maxGap = 3;  // clear columns a glyph's run may have beside its ink (its shadow shows there)
};
const FontCase kFonts[] = {
    {1, nullptr, 95, "The train has arrived"},  {2, nullptr, 95, "Trains on level:  17"},
    {77, nullptr, 95, "QUIT THE GAME?"},        {70, nullptr, 95, "PICK GAME"},
    {103, "LEV 0123456789", 14, "LEVEL  1", 5}, {71, "( ):0123456789-", 15, "(1-6):"},
};

// Columns of a glyph's rectangle with ink: an alpha of at least 128 below the marker row.
int InkColumns(SDL_Surface* s, const SDL_Rect& g) {
  int ink = 0;
  SDL_LockSurface(s);
  for (int x = g.x; x < g.x + g.w; ++x)
    for (int y = 1; y < s->h; ++y)
      if (AlphaAt(s, x, y) >= 128) {
        ++ink;
        break;
      }
  SDL_UnlockSurface(s);
  return ink;
}

TEST(ArtInterfaceFonts, MarkerRowHoldsExactlyOneGlyphPerCharacter) {
  for (const FontCase& f : kFonts) {
    SCOPED_TRACE("entry " + std::to_string(f.index));
    auto l = Load(f.index);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(MarkerRuns(l->clip.GetSurface()), f.glyphs);
    BitmapFont font(&l->clip, f.list);
    EXPECT_EQ(int(font.Glyphs.size()), f.glyphs);
  }
}

TEST(ArtInterfaceFonts, EveryCharacterHasAVisibleGlyphAndASampleLineDraws) {
  for (const FontCase& f : kFonts) {
    SCOPED_TRACE("entry " + std::to_string(f.index));
    auto l = Load(f.index);
    ASSERT_TRUE(l->ok);
    BitmapFont font(&l->clip, f.list);
    std::string list = f.list ? f.list : BitmapFont::kDefaultList;
    for (char c : list) EXPECT_GT(font.GlyphWidth(c), 0) << "'" << c << "'";
    int width = font.Measure(f.sample);
    EXPECT_GT(width, 0);
    EXPECT_LT(width, 800);
    SDL_Surface* target =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width + 8, font.Height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(target, nullptr);
    SDL_FillRect(target, nullptr, 0);
    font.DrawString(target, 4, 0, f.sample);
    int lit = 0;
    SDL_LockSurface(target);
    for (int y = 0; y < target->h; ++y)
      for (int x = 0; x < target->w; ++x)
        lit += static_cast<Uint32*>(target->pixels)[y * (target->pitch / 4) + x] != 0;
    SDL_UnlockSurface(target);
    SDL_FreeSurface(target);
    EXPECT_GT(lit, width * 2) << "the sample line left the target almost empty";
  }
}

TEST(ArtInterfaceFonts, GlyphRunsAreTheirInkAndASmallGap) {
  // Text is drawn glyph after glyph without extra spacing: runs wider than their ink
  // would spread words out into letters standing in wide cells.
  for (const FontCase& f : kFonts) {
    SCOPED_TRACE("entry " + std::to_string(f.index));
    auto l = Load(f.index);
    ASSERT_TRUE(l->ok);
    BitmapFont font(&l->clip, f.list);
    for (const auto& [c, g] : font.Glyphs) {
      if (c == ' ') {
        EXPECT_GE(g.w, 3);
        EXPECT_LE(g.w, font.Height / 3) << "a word space";
        continue;
      }
      int gap = g.w - InkColumns(l->clip.GetSurface(), g);
      EXPECT_GE(gap, 0) << "'" << char(c) << "'";
      EXPECT_LE(gap, f.maxGap) << "'" << char(c) << "'";
    }
  }
  // The player's name on the panel and the level statistics: the wide cells made this
  // 141 pixels wide.
  auto small = Load(clip::FontSmall);
  ASSERT_TRUE(small->ok);
  EXPECT_LE(BitmapFont(&small->clip).Measure("Player:  Ostrel"), 115);
}

TEST(ArtInterfaceWidgets, ButtonAndCheckBoxFramesLookDifferent) {
  // Buttons: normal, pressed, hover; check boxes: six states; slider handle: two.
  for (int index :
       {7, 8, 19, 20, 21, 36, 43, 44, 49, 68, 69, 73, 74, 104, 105, 106, 107, 108, 109}) {
    SCOPED_TRACE("entry " + std::to_string(index));
    auto l = Load(index);
    ASSERT_TRUE(l->ok);
    int frames = l->clip.FrameCount(), area = l->clip.FrameW * l->clip.FrameH;
    for (int f = 0; f < frames; ++f)
      for (int g = f + 1; g < frames; ++g)
        EXPECT_GT(DifferingPixels(l->clip, f, g), area / 100) << "frames " << f << " and " << g;
  }
}

TEST(ArtInterfaceFiles, IconAndVersionText) {
  LClip icon;
  ASSERT_TRUE(icon.LoadFromFile("Dat/Icon.bmp", "", 1));
  EXPECT_EQ(icon.FrameW, 32);
  EXPECT_EQ(icon.FrameH, 32);
  std::ifstream ver("Dat/ver.txt");
  std::string text;
  std::getline(ver, text);
  EXPECT_FALSE(text.empty());
}

}  // namespace
