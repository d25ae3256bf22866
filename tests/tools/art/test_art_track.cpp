// SPDX-License-Identifier: GPL-3.0-or-later
// Track pieces join without gaps: in every frame the piece starts at the frame's anchor (the
// start junction) and reaches the far junction along the game's track geometry.
#include <cmath>
#include <cstdlib>

#include "ArtSupport.h"
#include "railway/Geometry.h"

using namespace arttest;

namespace {

struct Anchor {
  int x, y;
};
const Anchor kAnchors[6] = {{70, 2}, {5, 39}, {46, 2}, {4, 26}, {31, 17}, {30, 50}};
const Anchor kPlannedAnchors[6] = {{70, 13}, {6, 51}, {47, 13}, {5, 37}, {31, 28}, {31, 62}};

int TypeOfFrame(int f) {
  for (int t = 0; t < 6; ++t)
    if (rail::TypeFrame(t) == f) return t;
  return -1;
}

// Where the far junction lies in the frame, from a junction of an even and of an odd row.
std::vector<Anchor> FarEnds(Anchor a, int type) {
  std::vector<Anchor> out;
  for (int j : {4 * 8 + 3, 5 * 8 + 3}) {
    rail::TrackPose e = rail::TrackPoint(j, type, rail::TrackLength(type));
    out.push_back({a.x + e.x - rail::JunctionX(j), a.y + e.y - rail::JunctionY(j)});
  }
  return out;
}

// Some pixel within `radius` of (x, y) satisfies the test.
template <typename Test>
bool Near(const LClip& clip, int f, Anchor p, int radius, Test test) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (dx * dx + dy * dy <= radius * radius && test(PixelAt(clip, f, p.x + dx, p.y + dy)))
        return true;
  return false;
}

bool Covered(const Rgba& p) { return p.a > 90; }  // the forbidden piece is half transparent
// The bright head of a steel rail.
bool Steel(const Rgba& p) {
  return p.a > 160 && p.r > 170 && p.g > 170 && p.b > 170 && std::abs(p.r - p.b) < 40;
}

}  // namespace

class ArtTrack : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Prepare()); }
};

TEST_F(ArtTrack, GroundAndForbiddenPiecesCoverBothJunctions) {
  for (const char* stem : {"trackGround", "trackNo"}) {
    auto clip =
        Load(std::string("Dat/Game/") + stem + ".jpg", std::string("Dat/Game/") + stem + ".gif", 6);
    ASSERT_NE(clip, nullptr);
    for (int f = 0; f < 6; ++f) {
      EXPECT_TRUE(Covered(PixelAt(*clip, f, kAnchors[f].x, kAnchors[f].y)))
          << stem << " frame " << f;
      for (Anchor e : FarEnds(kAnchors[f], TypeOfFrame(f)))
        EXPECT_TRUE(Near(*clip, f, e, 1, Covered))
            << stem << " frame " << f << " far end " << e.x << "," << e.y;
    }
  }
}

TEST_F(ArtTrack, RailsRunFromTheAnchorToTheFarJunction) {
  auto clip = Load("Dat/Game/track.jpg", "Dat/Game/track.gif", 6);
  ASSERT_NE(clip, nullptr);
  for (int f = 0; f < 6; ++f) {
    EXPECT_TRUE(Near(*clip, f, kAnchors[f], 5, Steel)) << "frame " << f;
    EXPECT_TRUE(Near(*clip, f, kAnchors[f], 1, Covered)) << "frame " << f;
    for (Anchor e : FarEnds(kAnchors[f], TypeOfFrame(f))) {
      EXPECT_TRUE(Near(*clip, f, e, 5, Steel)) << "frame " << f << " far end " << e.x << "," << e.y;
      EXPECT_TRUE(Near(*clip, f, e, 2, Covered)) << "frame " << f;
    }
    // Half way along, the rails are there too.
    int j = 4 * 8 + 3, t = TypeOfFrame(f);
    rail::TrackPose m = rail::TrackPoint(j, t, rail::TrackLength(t) / 2.0);
    Anchor mid{kAnchors[f].x + m.x - rail::JunctionX(j), kAnchors[f].y + m.y - rail::JunctionY(j)};
    EXPECT_TRUE(Near(*clip, f, mid, 5, Steel)) << "frame " << f << " middle";
  }
}

TEST_F(ArtTrack, PlannedPiecesOutlineTheSamePlaces) {
  auto clip = Load("Dat/Game/trackReserved.jpg", "Dat/Game/trackReserved.gif", 6);
  ASSERT_NE(clip, nullptr);
  for (int f = 0; f < 6; ++f) {
    EXPECT_TRUE(Near(*clip, f, kPlannedAnchors[f], 2, [](const Rgba& p) { return p.a > 40; })) << f;
    for (Anchor e : FarEnds(kPlannedAnchors[f], TypeOfFrame(f)))
      EXPECT_TRUE(Near(*clip, f, e, 2, [](const Rgba& p) { return p.a > 40; })) << f;
  }
}

TEST_F(ArtTrack, ForbiddenPiecesAreTranslucentRed) {
  auto clip = Load("Dat/Game/trackNo.jpg", "Dat/Game/trackNo.gif", 6);
  ASSERT_NE(clip, nullptr);
  Rgba p = PixelAt(*clip, 4, kAnchors[4].x + 8, kAnchors[4].y + 5);  // on the straight, down-right
  EXPECT_GT(p.r, p.g + 60);
  EXPECT_GT(p.a, 60);
  EXPECT_LT(p.a, 230);
}
