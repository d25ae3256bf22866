// SPDX-License-Identifier: GPL-3.0-or-later
// A player tells the eight train and town colours apart: each tinted locomotive looks like
// its own town's houses, no two colours of one picture look alike, and houses stand out
// from the grass. Distances are CIE76 in CIE Lab; the tints and the town contrast are the
// game's own effects on pictures loaded through the game's clip code.
#include <cstdio>
#include <string>
#include <vector>

#include "ColourDistance.h"

using namespace arttest;

namespace {

const std::vector<std::string> kTintedEngines = {"parovoz_48", "thege", "2_6_4",
                                                 "vlc75",      "emdsd", "avenger"};

std::unique_ptr<LClip> LoadHouses() { return Load("Dat/Game/Homes.jpg", "Dat/Game/Homes.gif", 6); }

// For each colour and frame, the Lab colours of the opaque pixels of the tinted picture.
using Tinted8 = std::vector<std::vector<std::vector<Lab>>>;
Tinted8 TintAll(const LClip& clip, int frames, int contrast) {
  Tinted8 out(rail::kColourCount);
  for (int c = 0; c < rail::kColourCount; ++c) {
    auto copy = Tinted(clip, c, contrast);
    for (int f = 0; f < frames; ++f) out[c].push_back(OpaqueLab(*copy, f));
  }
  return out;
}

Lab MeanOverFrames(const std::vector<std::vector<Lab>>& frames) {
  std::vector<Lab> all;
  for (const auto& f : frames) all.insert(all.end(), f.begin(), f.end());
  return Mean(all);
}

// The average colour of each town's houses over all six frames, as the game shows them.
const std::vector<Lab>& HouseColours() {
  static const std::vector<Lab> colours = [] {
    std::vector<Lab> out;
    auto clip = LoadHouses();
    if (!clip) return out;
    Tinted8 t = TintAll(*clip, 6, rail::kHouseContrast);
    for (int c = 0; c < rail::kColourCount; ++c) out.push_back(MeanOverFrames(t[c]));
    return out;
  }();
  return colours;
}

std::string Pair(int i, int j) {
  return std::string(rail::kColourNames[i]) + "/" + rail::kColourNames[j];
}

class ArtEngineColours : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Prepare());
    clip_ = Load("Dat/Game/parovoz/" + GetParam() + ".jpg",
                 "Dat/Game/parovoz/" + GetParam() + ".gif", 48);
    ASSERT_NE(clip_, nullptr);
    tinted_ = TintAll(*clip_, 48, 0);
  }
  std::unique_ptr<LClip> clip_;
  Tinted8 tinted_;
};

}  // namespace

// A tinted engine's average colour (over the opaque pixels of all 48 headings: every heading
// a player may see, and cheap to measure) is nearest to its own town's houses, by at least 12
// more than to any other town's houses: a train reads as "that town's train".
TEST_P(ArtEngineColours, EachColourLooksLikeItsOwnTownsHouses) {
  const std::vector<Lab>& houses = HouseColours();
  ASSERT_EQ(houses.size(), size_t(rail::kColourCount));
  double worst = 1e9;
  for (int c = 0; c < rail::kColourCount; ++c) {
    Lab mean = MeanOverFrames(tinted_[c]);
    double own = DeltaE76(mean, houses[c]);
    for (int o = 0; o < rail::kColourCount; ++o) {
      if (o == c) continue;
      double margin = DeltaE76(mean, houses[o]) - own;
      worst = std::min(worst, margin);
      EXPECT_GE(margin, 12.0) << GetParam() << ": the " << rail::kColourNames[c]
                              << " engine is only " << margin << " nearer its own houses than the "
                              << rail::kColourNames[o] << " houses";
    }
  }
  std::printf("%s: worst margin to the houses %.1f\n", GetParam().c_str(), worst);
}

// In each of the 48 headings on its own, the median per-pixel difference between any two
// colours of the engine is at least 22 (pairs that differ by one channel's shift, like cyan and
// white, allow little more than 30).
TEST_P(ArtEngineColours, AnyTwoColoursDifferPixelByPixel) {
  double worst = 1e9;
  std::string worstPair;
  for (int i = 0; i < rail::kColourCount; ++i)
    for (int j = i + 1; j < rail::kColourCount; ++j)
      for (int f = 0; f < 48; ++f) {
        double d = MedianDeltaE(tinted_[i][f], tinted_[j][f]);
        if (d < worst) worst = d, worstPair = Pair(i, j) + " frame " + std::to_string(f);
        EXPECT_GE(d, 22.0) << GetParam() << " frame " << f << ": " << Pair(i, j)
                           << " median difference " << d;
      }
  std::printf("%s: worst pair %s, median difference %.1f\n", GetParam().c_str(), worstPair.c_str(),
              worst);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArtEngineColours, ::testing::ValuesIn(kTintedEngines),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string s = info.param;
                           for (char& c : s)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return "E" + s;
                         });

// The houses as the game shows them (shift, then contrast 35): on every frame any two towns
// differ by a median of at least 35 per pixel, and every town's houses differ from the
// meadow's average colour by a median of at least 30.
TEST(ArtHouseColours, TownsStandApartFromEachOtherAndFromTheGrass) {
  ASSERT_TRUE(Prepare());
  auto clip = LoadHouses();
  ASSERT_NE(clip, nullptr);
  auto meadow = Load("Dat/Game/BackMain.jpg", "", 1);
  ASSERT_NE(meadow, nullptr);
  Lab grass = Mean(OpaqueLab(*meadow, 0));
  Tinted8 t = TintAll(*clip, 6, rail::kHouseContrast);
  double worstGrass = 1e9;
  for (int f = 0; f < 6; ++f) {
    double worst = 1e9;
    std::string worstPair;
    for (int i = 0; i < rail::kColourCount; ++i) {
      double g = MedianDeltaE(t[i][f], grass);
      worstGrass = std::min(worstGrass, g);
      EXPECT_GE(g, 30.0) << "frame " << f << ": " << rail::kColourNames[i]
                         << " houses differ from the grass by " << g;
      for (int j = i + 1; j < rail::kColourCount; ++j) {
        double d = MedianDeltaE(t[i][f], t[j][f]);
        if (d < worst) worst = d, worstPair = Pair(i, j);
        EXPECT_GE(d, 35.0) << "frame " << f << ": " << Pair(i, j) << " houses median difference "
                           << d;
      }
    }
    std::printf("houses frame %d: worst pair %s %.1f\n", f, worstPair.c_str(), worst);
  }
  std::printf("houses: worst against the grass %.1f\n", worstGrass);
}
