// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "railway/Geometry.h"

using namespace rail;

namespace {

// A junction with all twelve neighbours inside the grid: row 4 (even) or 5 (odd), column 3.
constexpr int kEven = 4 * 8 + 3;
constexpr int kOdd = 5 * 8 + 3;

}  // namespace

TEST(GeometryGrid, JunctionPositionsFollowTheStaggeredLattice) {
  EXPECT_EQ(JunctionX(0), 67);
  EXPECT_EQ(JunctionY(0), 80);
  EXPECT_EQ(JunctionX(8), 120);  // odd row shifted by half a column
  EXPECT_EQ(JunctionY(8), 111);
  EXPECT_EQ(JunctionX(135), 7 * 107 + 67 + 0);
  EXPECT_EQ(JunctionY(135), 16 * 31 + 80);
}

TEST(GeometryGrid, NodeAtFindsEveryJunctionFromItsOwnPosition) {
  for (int i = 0; i < kJunctions; ++i) EXPECT_EQ(NodeAt(JunctionX(i), JunctionY(i)), i) << i;
}

TEST(GeometryGrid, NodeAtCoversTheCellAroundAJunction) {
  for (int i = 0; i < kJunctions; ++i) {
    int x = JunctionX(i), y = JunctionY(i);
    if (x < 140 || x > 790) continue;  // play area only
    EXPECT_EQ(NodeAt(x + 20, y + 10), i) << i;
    EXPECT_EQ(NodeAt(x - 20, y - 10), i) << i;
  }
}

TEST(GeometryDirections, NeighboursMatchTheScreenOffsets) {
  struct Offset {
    int d, dx, dy;
  };
  const Offset offsets[] = {{0, 53, -31}, {1, 107, 0},   {2, 107, 0},  {3, 53, 31},
                            {4, 0, 62},   {5, 0, 62},    {6, -53, 31}, {7, -107, 0},
                            {8, -107, 0}, {9, -53, -31}, {10, 0, -62}, {11, 0, -62}};
  for (int j : {kEven, kOdd})
    for (const Offset& o : offsets) {
      int n = Neighbour(j, o.d);
      EXPECT_LE(std::abs(JunctionX(n) - JunctionX(j) - o.dx), 1) << j << " d" << o.d;
      EXPECT_EQ(JunctionY(n) - JunctionY(j), o.dy) << j << " d" << o.d;
    }
  EXPECT_EQ(Neighbour(kEven, 12), -1);
  EXPECT_EQ(Neighbour(kEven, -1), -1);
}

TEST(GeometryDirections, OppositeLeadsBackToTheStartJunction) {
  for (int j : {kEven, kOdd})
    for (int d = 0; d < kDirectionCount; ++d) {
      int o = Opposite(d);
      EXPECT_EQ(Opposite(o), d);
      EXPECT_EQ(Neighbour(Neighbour(j, d), o), j) << j << " d" << d;
      if (IsStraight(d)) {
        EXPECT_EQ(SideOf(o), OppositeSide(SideOf(d))) << d;
      }
      EXPECT_EQ(TrackLength(o), TrackLength(d));
    }
  EXPECT_EQ(Opposite(12), -1);
  EXPECT_EQ(SideOf(-1), -1);
}

// The collision checks, the traffic and the route search keep their tables by this name:
// a track must have one name whichever end it is seen from.
TEST(GeometryDirections, ATrackHasOneNameFromEitherEnd) {
  for (int j : {kEven, kOdd})
    for (int d = 0; d < kDirectionCount; ++d) {
      int way = 0, back = 0;
      const TrackName here = NameOfTrack(j, d, &way);
      const TrackName there = NameOfTrack(Neighbour(j, d), Opposite(d), &back);
      EXPECT_EQ(here, there) << j << " d" << d;
      EXPECT_EQ(way, -back);
      EXPECT_EQ(here.j, std::min(j, Neighbour(j, d)));
    }
  // A track whose far end is off the field is named from its own junction.
  int way = 0;
  EXPECT_EQ(NameOfTrack(0, 0, &way), (TrackName{0, 0}));
  EXPECT_EQ(way, 1);
}

TEST(GeometryDirections, SidesHoldThreeDirectionsWithTheStraightOneInTheMiddle) {
  for (int s = 0; s < 4; ++s) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(SideOf(SideDirection(s, k)), s);
    EXPECT_TRUE(IsStraight(SideDirection(s, 1)));
    EXPECT_EQ(TrackLength(SideDirection(s, 1)), 70);
    EXPECT_EQ(TrackLength(SideDirection(s, 0)), 115);
  }
  EXPECT_EQ(TrackLength(12), -1);
}

TEST(GeometryTrack, TrackPointStartsOnTheJunctionAndEndsNearTheFarOne) {
  for (int j : {kEven, kOdd})
    for (int d = 0; d < kDirectionCount; ++d) {
      TrackPose a = TrackPoint(j, d, 0);
      EXPECT_EQ(a.x, JunctionX(j)) << d;
      EXPECT_EQ(a.y, JunctionY(j)) << d;
      int far = Neighbour(j, d);
      TrackPose b = TrackPoint(j, d, TrackLength(d));
      EXPECT_LE(std::abs(b.x - JunctionX(far)), 2) << j << " d" << d;
      EXPECT_LE(std::abs(b.y - JunctionY(far)), 2) << j << " d" << d;
    }
}

TEST(GeometryTrack, TrackPointOfAnInvalidJunctionOrDirectionIsZero) {
  for (TrackPose p :
       {TrackPoint(-1, 0, 10), TrackPoint(kJunctions, 0, 10), TrackPoint(kEven, 12, 10)}) {
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.heading, 0);
  }
}

TEST(GeometryTrack, HeadingsOfStraightsAndArcEnds) {
  EXPECT_EQ(TrackPoint(kEven, 0, 10).heading, -135);
  EXPECT_EQ(TrackPoint(kEven, 3, 10).heading, -45);
  EXPECT_EQ(TrackPoint(kEven, 6, 10).heading, 45);
  EXPECT_EQ(TrackPoint(kEven, 9, 10).heading, 135);
  // Arc 1 (to the right, bulging up) turns from the up-right to the down-right heading.
  EXPECT_EQ(TrackPoint(kEven, 1, 0).heading, -135);
  EXPECT_EQ(TrackPoint(kEven, 1, 115).heading, -45);
  // Arc 10 starts beyond -180.
  EXPECT_EQ(TrackPoint(kEven, 10, 0).heading, -225);
}

TEST(GeometryTrack, ArcsBulgeToTheirSide) {
  // Type 1 bulges up, type 2 down, type 4 right, type 5 left.
  EXPECT_LT(TrackPoint(kEven, 1, 57.5).y, JunctionY(kEven) - 10);
  EXPECT_GT(TrackPoint(kEven, 2, 57.5).y, JunctionY(kEven) + 10);
  EXPECT_GT(TrackPoint(kEven, 4, 57.5).x, JunctionX(kEven) + 15);
  EXPECT_LT(TrackPoint(kEven, 5, 57.5).x, JunctionX(kEven) - 15);
}

TEST(GeometryTrack, PrecisePointsAgreeWithTheGameWithinAPixelOrTwo) {
  for (int d = 0; d < kDirectionCount; ++d)
    for (double p = 0; p <= TrackLength(d); p += 5) {
      TrackPose a = TrackPoint(kOdd, d, p);
      PrecisePoint b = TrackPointPrecise(kOdd, d, p);
      EXPECT_LE(std::fabs(a.x - b.x), 2.0) << d << " " << p;
      EXPECT_LE(std::fabs(a.y - b.y), 2.0) << d << " " << p;
    }
}

TEST(GeometryFrames, HeadingsGiveFramesAroundTheTurn) {
  EXPECT_EQ(FrameFromHeading(-45, 48), 0);    // down-right diagonal
  EXPECT_EQ(FrameFromHeading(45, 48), 12);    // down-left diagonal
  EXPECT_EQ(FrameFromHeading(135, 48), 24);   // up-left
  EXPECT_EQ(FrameFromHeading(-135, 48), 36);  // up-right
  EXPECT_EQ(FrameFromHeading(-225, 48), 24);
  EXPECT_EQ(FrameFromHeading(-38, 48), 0);
  EXPECT_EQ(FrameFromHeading(-37, 48), 1);
}

TEST(GeometryFrames, CarFramesTurnHalfWayOnBackwardArcsAndForReversedTrains) {
  EXPECT_EQ(CarFrame(3, -45, 48, false), 0);
  EXPECT_EQ(CarFrame(3, -45, 48, true), 24);
  // Arc 2 runs against its heading: it starts heading up-left but the car drives down-right.
  int h = TrackPoint(kEven, 2, 0).heading;
  EXPECT_EQ(h, 135);
  EXPECT_EQ(CarFrame(2, h, 48, false), 0);
  EXPECT_EQ(CarFrame(2, h, 48, true), 24);
}

TEST(GeometryFrames, TypeFramesArePermutation) {
  int seen = 0;
  for (int t = 0; t < kTrackTypeCount; ++t) seen |= 1 << TypeFrame(t);
  EXPECT_EQ(seen, 63);
  EXPECT_EQ(TypeFrame(0), 5);
  EXPECT_EQ(TypeFrame(6), 0);  // an unknown type shows the first frame
  EXPECT_EQ(TypeFrame(-1), 0);
}
