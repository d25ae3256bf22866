// SPDX-License-Identifier: GPL-3.0-or-later
// Vehicles turn steadily through their 48 frames (the train colours: test_art_colours.cpp).
#include <cmath>
#include <vector>

#include "ArtSupport.h"
#include "railway/Geometry.h"

using namespace arttest;

namespace {

struct Picture {
  std::string stem;
  int ax, ay;
};
const std::vector<Picture> kEngines = {
    {"parovoz_48", 26, 27}, {"thege", 28, 28},   {"2_6_4", 28, 29}, {"vlc75", 28, 27},
    {"emdsd", 28, 24},      {"avenger", 31, 23}, {"Server", 25, 25}};

// The lamp on top of each engine's nose: bright warm yellow, found nowhere else on an engine.
bool NoseLamp(const Rgba& p) {
  return p.a > 128 && p.r > 200 && p.g > 185 && p.b < 175 && p.r - p.b > 70;
}

std::unique_ptr<LClip> LoadEngine(const std::string& stem) {
  return Load("Dat/Game/parovoz/" + stem + ".jpg", "Dat/Game/parovoz/" + stem + ".gif", 48);
}

const double kSquash = std::sin(35.0 * M_PI / 180.0);

// Printed as its file name in test names and messages.
[[maybe_unused]] void PrintTo(const Picture& p, std::ostream* os) { *os << p.stem; }

}  // namespace

// The frame the game picks for a car (from TrackPoint's heading and the car frame rule)
// shows the vehicle pointing the way the car actually moves along the track.
TEST(ArtVehicleFrames, TheGamesFrameRuleMatchesTheDrawnHeadings) {
  for (int j : {4 * 8 + 3, 5 * 8 + 3})
    for (int d = 0; d < 12; ++d)
      for (double share : {0.1, 0.5, 0.9}) {
        double len = rail::TrackLength(d), p = len * share;
        rail::PrecisePoint a = rail::TrackPointPrecise(j, d, p - 1),
                           b = rail::TrackPointPrecise(j, d, p + 1);
        double moving = std::atan2((b.y - a.y) / kSquash, b.x - a.x) * 180 / M_PI;
        int frame = rail::CarFrame(d, rail::TrackPoint(j, d, p).heading, 48, false);
        double drawn = 45 + 7.5 * frame;
        EXPECT_LT(std::fabs(std::remainder(moving - drawn, 360.0)), 9.0)
            << "direction " << d << " at " << p << ": moving " << moving << ", frame " << frame;
        int reversed = rail::CarFrame(d, rail::TrackPoint(j, d, p).heading, 48, true);
        EXPECT_EQ((reversed + 24) % 48, frame);
      }
}

class ArtVehicles : public ::testing::TestWithParam<Picture> {
 protected:
  void SetUp() override { ASSERT_TRUE(Prepare()); }
};

// Frame k shows the heading 45 + 7.5 k degrees on the ground, clockwise from screen right:
// the nose lamp circles the vehicle's centre in 48 even steps.
TEST_P(ArtVehicles, NoseMarkTurnsSteadilyThroughTheFrames) {
  auto clip = LoadEngine(GetParam().stem);
  ASSERT_NE(clip, nullptr);
  std::vector<double> xs, ys;
  for (int f = 0; f < 48; ++f) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < clip->FrameH; ++y)
      for (int x = 0; x < clip->FrameW; ++x)
        if (NoseLamp(PixelAt(*clip, f, x, y))) sx += x, sy += y, ++n;
    ASSERT_GT(n, 0) << "no nose mark in frame " << f;
    xs.push_back(sx / n);
    ys.push_back(sy / n);
  }
  double cx = 0, cy = 0;
  for (int f = 0; f < 48; ++f) cx += xs[f] / 48, cy += ys[f] / 48;
  // The centre of the circle lies straight above the anchor (the lamp's height lifts it).
  EXPECT_NEAR(cx, GetParam().ax, 3.0);
  double previous = 0, total = 0;
  for (int f = 0; f < 48; ++f) {
    double angle = std::atan2((ys[f] - cy) / kSquash, xs[f] - cx) * 180 / M_PI;
    double expected = 45 + 7.5 * f;
    double off = std::remainder(angle - expected, 360.0);
    EXPECT_LT(std::fabs(off), 14.0) << GetParam().stem << " frame " << f << " at " << angle;
    if (f > 0) {
      double step = std::remainder(angle - previous, 360.0);
      EXPECT_GT(step, 0.0) << GetParam().stem << " frame " << f;
      EXPECT_LT(step, 20.0) << GetParam().stem << " frame " << f;
      total += step;
    }
    previous = angle;
  }
  EXPECT_NEAR(total, 360 - 7.5, 10.0);
}

INSTANTIATE_TEST_SUITE_P(Engines, ArtVehicles, ::testing::ValuesIn(kEngines),
                         [](const ::testing::TestParamInfo<Picture>& info) {
                           std::string s = info.param.stem;
                           for (char& c : s)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return "E" + s;
                         });

TEST(ArtVehicleShadows, ShadowsAreSoftAndDark) {
  ASSERT_TRUE(Prepare());
  auto clip = Load("Dat/Game/parovoz/thege_shadow.jpg", "Dat/Game/parovoz/thege_shadow.gif", 48);
  ASSERT_NE(clip, nullptr);
  int maxAlpha = 0, dark = 0;
  for (int y = 0; y < clip->FrameH; ++y)
    for (int x = 0; x < clip->FrameW; ++x) {
      Rgba p = PixelAt(*clip, 0, x, y);
      maxAlpha = std::max(maxAlpha, p.a);
      dark += p.a > 0 && p.r < 60 && p.g < 60 && p.b < 60;
    }
  EXPECT_GT(maxAlpha, 60);
  EXPECT_LT(maxAlpha, 200);  // never a solid black blot
  EXPECT_GT(dark, 50);
}
