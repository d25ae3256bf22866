// SPDX-License-Identifier: GPL-3.0-or-later
// The explosions and the wreck move: an explosion flashes up, fills much of its frame
// with fire and smoke and dies away, every frame visibly different from the one
// before; the wreck keeps burning and smoking over its wreckage.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ArtSupport.h"

using namespace arttest;

namespace {

bool Opaque(const Rgba& p) { return p.a >= 128; }
bool Bright(const Rgba& p) { return Opaque(p) && p.r >= 200 && p.g >= 110; }     // fire
bool Fiery(const Rgba& p) { return Opaque(p) && p.r >= 180 && p.r > p.b + 90; }  // flames
bool Smoky(const Rgba& p) {                                                      // grey soot
  return p.a >= 96 && std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) < 40 && p.r < 150;
}

template <typename Test>
int Count(const LClip& clip, int f, Test test, int y0 = 0, int y1 = -1) {
  int n = 0;
  for (int y = y0; y < (y1 < 0 ? clip.FrameH : y1); ++y)
    for (int x = 0; x < clip.FrameW; ++x) n += test(PixelAt(clip, f, x, y));
  return n;
}

// Pixels of frame f that look clearly different in frame g (colour where either is seen).
int Differing(const LClip& clip, int f, int g) {
  int n = 0;
  for (int y = 0; y < clip.FrameH; ++y)
    for (int x = 0; x < clip.FrameW; ++x) {
      Rgba a = PixelAt(clip, f, x, y), b = PixelAt(clip, g, x, y);
      int d = std::abs(a.a - b.a);
      if (a.a >= 64 && b.a >= 64)
        d = std::max({d, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      n += d > 40;
    }
  return n;
}

struct Blast {
  int index, frames;
  const char *picture, *mask;
};

}  // namespace

TEST(ArtEffects, ExplosionsFlareFillTheirFramesAndDieAway) {
  ASSERT_TRUE(Prepare());
  for (const Blast& b : {Blast{122, 11, "Dat/Game/explosion.jpg", "Dat/Game/explosion.gif"},
                         Blast{123, 16, "Dat/Game/explosion2.jpg", "Dat/Game/explosion2.gif"}}) {
    SCOPED_TRACE(b.picture);
    auto clip = Load(b.picture, b.mask, b.frames);
    ASSERT_NE(clip, nullptr);
    const int area = clip->FrameW * clip->FrameH;
    std::vector<int> opaque, bright;
    for (int f = 0; f < b.frames; ++f) {
      opaque.push_back(Count(*clip, f, Opaque));
      bright.push_back(Count(*clip, f, Bright));
    }
    // The cloud of fire and smoke grows to fill a good share of the frame, then thins
    // away: it starts and ends small.
    const int peak = int(std::max_element(opaque.begin(), opaque.end()) - opaque.begin());
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, b.frames - 2);
    EXPECT_GE(opaque[peak], area * 35 / 100);
    EXPECT_LE(opaque.front(), opaque[peak] / 3);
    EXPECT_LE(opaque.back(), opaque[peak] / 5);
    // The fire burns brightest early, over a large part of the frame, and is out at the end.
    const int hottest = int(std::max_element(bright.begin(), bright.end()) - bright.begin());
    EXPECT_LT(hottest, b.frames / 2);
    EXPECT_GE(bright[hottest], area * 20 / 100);
    EXPECT_LE(bright.back(), bright[hottest] / 20);
    // Each frame changes a good part of the picture: the animation never stalls.
    for (int f = 1; f < b.frames; ++f)
      EXPECT_GE(Differing(*clip, f - 1, f), area * 6 / 100) << "frames " << f - 1 << " and " << f;
  }
}

TEST(ArtEffects, TheWreckBurnsAndSmokesOverItsWreckage) {
  ASSERT_TRUE(Prepare());
  auto clip = Load("Dat/Game/TrainCrash.jpg", "Dat/Game/TrainCrash.gif", 8);
  ASSERT_NE(clip, nullptr);
  const int area = clip->FrameW * clip->FrameH;
  auto dark = [](const Rgba& p) { return Opaque(p) && std::max({p.r, p.g, p.b}) < 110; };
  for (int f = 0; f < 8; ++f) {
    SCOPED_TRACE("frame " + std::to_string(f));
    // Smoke rises in the top half, flames stand above the wreckage in the bottom half.
    EXPECT_GE(Count(*clip, f, Smoky, 0, clip->FrameH / 2), area * 8 / 100);
    EXPECT_GE(Count(*clip, f, Fiery), area * 5 / 100);
    EXPECT_GE(Count(*clip, f, dark, clip->FrameH / 2), area * 12 / 100);
    EXPECT_GE(Differing(*clip, f, (f + 1) % 8), area * 10 / 100) << "and the next frame";
  }
}
