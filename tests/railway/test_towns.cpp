// SPDX-License-Identifier: GPL-3.0-or-later
// Towns, the next town's reservation, houses and trees.
#include <gtest/gtest.h>

#include <set>

#include "RailTestSupport.h"

namespace {

TEST(Towns, IndexIsColourAndTheThirdIsGreen) {
  Rig rig;
  rig.field.NewLevel(0, 0, 97, 3, {{2000, 2000, 0, -1}}, {}, 95);
  EXPECT_TRUE(rig.field.AddNewTown(0, 17, 0));
  EXPECT_TRUE(rig.field.AddNewTown(1, 62, 2));
  EXPECT_TRUE(rig.field.AddNewTown(2, -1, -1));
  ASSERT_EQ(rig.field.Towns().size(), 3u);
  EXPECT_STREQ(ColourName(rig.field.Towns()[2].colour), "green");
  EXPECT_EQ(rig.field.Towns()[2].innerJunction, 62);
  EXPECT_EQ(rig.field.Towns()[2].townJunction, 63);
  EXPECT_EQ(rig.field.Towns()[2].startDirection, 7);
  EXPECT_EQ(rig.field.At(62).Town(), 2);
  EXPECT_FALSE(rig.field.At(62).TownOnLeft());
  EXPECT_EQ(rig.field.TownRecord(), "97,3 17,0 62,2 ");
  EXPECT_TRUE(rig.host.Said("New town added"));
  EXPECT_EQ(rig.host.SoundCount(snd::NewTown), 3);
  // A left town stands one step back along its type.
  const Town& left = rig.field.Towns()[0];
  EXPECT_EQ(left.townJunction, 88);
  EXPECT_EQ(left.startDirection, 3);
  EXPECT_TRUE(left.left);
  EXPECT_TRUE(rig.field.HasTrack(88, 3));
  EXPECT_TRUE(rig.field.BuiltTrackRecord().empty());  // the towns' tracks are quiet
}

TEST(Towns, ReservationNeverPicksATownAndMarksTheReservedEnds) {
  for (unsigned seed = 1; seed < 60; ++seed) {
    Rig rig;
    rnd::SetRunSeed(seed);
    rig.field.NewLevel(0, 0, 17, 3, {{2000, 2000, 0, -1}}, {}, 95);
    rig.field.AddNewTown(0, 62, 1);
    rig.field.AddNewTown(1, -1, -1);
    int j = rig.field.NextTownJunction();
    int t = rig.field.NextTrackType();
    ASSERT_TRUE(j % 16 == 1 || j % 16 == 14) << j;
    EXPECT_LT(rig.field.At(j).Town(), 0);
    EXPECT_NE(j, 17);
    EXPECT_NE(j, 62);
    ASSERT_GE(t, 0);
    ASSERT_LE(t, 3);
    int row = j / 8;
    if (row <= 1 || row >= 15) {
      EXPECT_TRUE(t == 1 || t == 2) << "row " << row;
    }
    bool left = j % 16 == 1;
    int start = left ? rail::Neighbour(j, rail::Opposite(t)) : j;
    EXPECT_EQ(rig.field.At(start).End(t), EndState::kReserved);
  }
}

TEST(Towns, ReservationWithEveryPlaceTakenPicksNothing) {
  Rig rig;
  rig.field.NewLevel(0, 0, 1, 1, {{2000, 2000, 0, -1}}, {}, 95);
  for (int k = 0; k < 8; ++k) rig.field.At(16 * k + 1).AttachTown(k, true);
  for (int k = 0; k < 8; ++k) rig.field.At(16 * k + 14).AttachTown(k, false);
  EXPECT_FALSE(rig.field.ReserveNextTown(-1, -1));
  EXPECT_EQ(rig.field.NextTownJunction(), -1);
}

TEST(Towns, TownAtFindsTheNearestTownOfTheEdge) {
  Rig rig;
  rig.field.AddTown(0, 97, 3);  // town junction 88 at the left
  rig.field.AddTown(1, 17, 0);  // 24 at the left
  rig.field.AddTown(2, 62, 2);  // 63 at the right
  rail::Point p88 = rail::JunctionPos(88);
  rail::Point p24 = rail::JunctionPos(24);
  rail::Point p63 = rail::JunctionPos(63);
  EXPECT_EQ(rig.field.TownAt(p88.x + 50, p88.y + 3), 0);
  EXPECT_EQ(rig.field.TownAt(p24.x, p24.y - 40), 1);
  EXPECT_EQ(rig.field.TownAt(p63.x - 100, p88.y), 2);
  EXPECT_EQ(rig.field.TownAt(450, 300), 0);  // none near: 0
}

TEST(Houses, NeverOnTheTownTrackNorOnAnotherHouse) {
  Rig rig;
  EXPECT_FALSE(rig.field.AddHouse(10, 8, false));
  EXPECT_FALSE(rig.field.AddHouse(10, 0, true));  // no towns yet
  rig.field.AddNewTown(0, 62, 2);
  for (int i = 0; i < 40; ++i) rig.field.AddHouse(50, 0, true);
  const auto& houses = rig.field.Houses();
  ASSERT_GT(houses.size(), 5u);
  for (size_t i = 0; i < houses.size(); ++i) {
    EXPECT_EQ(houses[i].town, 0);
    EXPECT_GE(houses[i].frame, 0);
    EXPECT_LE(houses[i].frame, 4);
    if (i > 0) {
      EXPECT_LE(houses[i - 1].x, houses[i].x);
    }
    for (size_t k = i + 1; k < houses.size(); ++k) {
      EXPECT_FALSE(std::abs(houses[i].x - houses[k].x) <= 7 &&
                   std::abs(houses[i].y - houses[k].y) <= 7);
    }
    for (int p = 0; p < 70; p += 4) {
      rail::TrackPose pose = rail::TrackPoint(8, 3, p);
      EXPECT_FALSE(std::abs(houses[i].x - pose.x) <= 10 && std::abs(houses[i].y - pose.y) <= 10);
    }
  }
}

TEST(Trees, ScatteredInsideTheFieldApartAndSorted) {
  Rig rig;
  rnd::SetRunSeed(4);
  rig.field.PlaceTrees(3, 2);
  const auto& trees = rig.field.Trees();
  ASSERT_GT(trees.size(), 10u);
  for (size_t i = 0; i < trees.size(); ++i) {
    EXPECT_GE(trees[i].x, 67);
    EXPECT_LE(trees[i].x, 923);
    EXPECT_GE(trees[i].y, 80);
    EXPECT_LE(trees[i].y, 576);
    EXPECT_LT(trees[i].frame, 11);  // the last frame marks trees being removed
    if (i > 0) {
      EXPECT_LE(trees[i - 1].x, trees[i].x);
    }
  }
}

TEST(Scenery, CollectedRecordsRebuildTheSameLevel) {
  Rig rig;
  rnd::SetRunSeed(9);
  rig.field.NewLevel(2, 1, 17, 3, {}, {}, 95);
  rig.field.AddNewTown(0, 62, 2);
  for (int i = 0; i < 10; ++i) rig.field.AddHouse(30, 0, true);
  auto trees = rig.field.CollectTrees();
  auto houses = rig.field.CollectHouses();
  Rig copy;
  copy.field.NewLevel(0, 0, 17, 3, trees, houses, 95);
  auto trees2 = copy.field.CollectTrees();
  auto houses2 = copy.field.CollectHouses();
  ASSERT_EQ(trees.size(), trees2.size());
  ASSERT_EQ(houses.size(), houses2.size());
  for (size_t i = 0; i < houses.size(); ++i) {
    EXPECT_EQ(houses[i].x, houses2[i].x);
    EXPECT_EQ(houses[i].frame, houses2[i].frame);
    EXPECT_EQ(houses[i].town, houses2[i].town);
  }
}

}  // namespace
