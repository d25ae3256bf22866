// SPDX-License-Identifier: GPL-3.0-or-later
// Collisions, damaged track and the repair train.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "RailTestSupport.h"

namespace {

TEST(Crashes, HeadOnTrainsBothExplodeAndArePaid) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.PlaceTrain(4, 2, 1, {34, 3, 10}, TrainKind::kOrdinary, 0);
  rig.field.PlaceTrain(4, 3, 0, {76, 9, 10}, TrainKind::kOrdinary, 0);
  ASSERT_TRUE(RunUntil(
      rig, [&] { return rig.field.Trains().empty(); }, 3000));
  EXPECT_EQ(rig.host.money, -(4000 + 5000));
  EXPECT_TRUE(rig.host.Said("-9000 fine for crashed trains"));
  EXPECT_EQ(rig.field.CrashSites().size(), 1u);
  EXPECT_EQ(rig.host.delivered, 0);
}

TEST(Crashes, FastTrainRunsIntoTheTailOfASlowOne) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.PlaceTrain(0, 2, 1, {51, 3, 40}, TrainKind::kOrdinary, 0);
  rig.field.PlaceTrain(7, 1, 1, {25, 3, 10}, TrainKind::kOrdinary, 0);
  ASSERT_TRUE(RunUntil(
      rig, [&] { return rig.field.Trains().size() < 2; }, 3000));
  EXPECT_TRUE(rig.field.Trains().empty());
  EXPECT_TRUE(rig.host.Said("-7000 fine for crashed trains"));
}

struct CrossingCase {
  double secondStart;
  bool crash;
};

class CrossingJunction : public ::testing::TestWithParam<CrossingCase> {};

TEST_P(CrossingJunction, CrashOnlyWhenBothAreThereAtOnce) {
  Rig rig;
  rig.field.AddTown(0, 17, 3);
  LayLevelTracks(rig.field, "17,3 25,3 34,3 42,3 49,0 41,0 34,0 26,0");
  rig.BuildAll();
  ASSERT_TRUE(rig.field.At(34).IsCrossing());
  rig.field.PlaceTrain(4, 1, 1, {25, 3, 10}, TrainKind::kOrdinary, 0);
  int from = GetParam().secondStart < 0 ? 49 : 41;
  double pos = GetParam().secondStart < 0 ? 10 : GetParam().secondStart;
  rig.field.PlaceTrain(4, 1, 2, {from, 0, pos}, TrainKind::kOrdinary, 0);
  rig.Frames(600);
  EXPECT_EQ(rig.host.Said("C R A S H E S !!!"), GetParam().crash);
  if (GetParam().crash) {
    ASSERT_EQ(rig.field.CrashSites().size(), 1u);
    EXPECT_EQ(rig.host.money, -6000);
  }
}

INSTANTIATE_TEST_SUITE_P(Timing, CrossingJunction,
                         ::testing::Values(CrossingCase{10, true}, CrossingCase{0, true},
                                           CrossingCase{-1, false}));

TEST(Crashes, ArcsCrossingInsideTheirSquare) {
  Rig rig;
  rig.field.AddTown(0, 17, 3);
  LayLevelTracks(rig.field, "35,5 42,1");
  rig.BuildAll();
  ASSERT_EQ(rig.field.At(42).crossings[0].j, 42);
  rig.field.PlaceTrain(4, 1, 1, {42, 1, 0}, TrainKind::kOrdinary, 0);
  rig.field.PlaceTrain(4, 1, 2, {35, 5, 0}, TrainKind::kOrdinary, 0);
  rig.Frames(300);
  EXPECT_TRUE(rig.host.Said("-6000 fine for crashed trains"));
  ASSERT_EQ(rig.field.CrashSites().size(), 1u);
}

TEST(Crashes, DamagedSectionCrashesAnOrdinaryTrainAndStays) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddCrashSite(59, 3, 40);
  EXPECT_TRUE(rig.host.TipShown(2));
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_EQ(rig.host.money, -3000);
  EXPECT_EQ(rig.field.CrashSites().size(), 1u);
}

TEST(Crashes, RepairTrainRestoresTheTrack) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddCrashSite(59, 3, 40);
  rig.Frames(1);
  EXPECT_TRUE(rig.field.CrashSites()[0].button->Visible());
  rig.field.CallRepairTrain(0);
  EXPECT_EQ(rig.host.money, -1000);
  EXPECT_TRUE(rig.host.Said("Repair train has arrived"));
  EXPECT_EQ(rig.host.SoundCount(snd::CallServer), 1);
  EXPECT_TRUE(rig.host.TipShown(8));
  EXPECT_FALSE(rig.host.TipShown(3));
  rig.field.AddCrashSite(76, 3, 40);  // a second one, while the repair train is out
  EXPECT_TRUE(rig.host.TipShown(3));
  rig.Frames(1);
  EXPECT_FALSE(rig.field.CrashSites()[0].button->Visible());
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.CrashSites().size() == 1; }));
  EXPECT_EQ(rig.host.money, -2000);
  EXPECT_TRUE(rig.host.Said("Track restored."));
  EXPECT_EQ(rig.host.SoundCount(snd::Repair), 1);
  EXPECT_TRUE(rig.host.TipShown(5));
  ASSERT_EQ(rig.field.Trains().size(), 1u);
  EXPECT_LT(rig.field.Trains()[0]->speed, 0.05);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.CrashSites().empty(); }));
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_TRUE(rig.host.Said("Repair train has set off"));
  EXPECT_EQ(rig.host.money, -3000);
  EXPECT_EQ(rig.host.delivered, 0);
}

TEST(Crashes, RepairCallRefusedWhileTheStartTrackIsTaken) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rig.field.CallRepairTrain(0);
  EXPECT_TRUE(rig.host.Said("The server is locked by train."));
  EXPECT_EQ(rig.host.SoundCount(snd::ServerLock), 1);
  EXPECT_EQ(rig.field.Trains().size(), 1u);
  EXPECT_EQ(rig.host.money, 0);
}

TEST(Crashes, DamageIsNeverPlacedUnderACar) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    Rig rig;
    rig.DiagonalLine();
    rig.field.PlaceTrain(4, 6, 1, {59, 3, 60}, TrainKind::kOrdinary, 0);
    rig.Frames(7);
    rnd::SetRunSeed(seed);
    rig.field.DamageRandomTrack();
    ASSERT_EQ(rig.field.CrashSites().size(), 1u);
    const rail::Place& p = rig.field.CrashSites()[0].place;
    EXPECT_FALSE(rig.field.IsTrackOccupied(p.d, p.j)) << "seed " << seed;
    rig.field.CheckCollisions();  // a site under a car would wreck the train at once
    EXPECT_EQ(rig.field.Trains().size(), 1u) << "seed " << seed;
  }
}

// Damaged track is not damaged again: random damage goes to sound pieces only, and once
// each of the line's ten pieces it may damage has its site, it finds nothing more.
TEST(Crashes, APieceOfTrackTakesOneCrashSite) {
  Rig rig;
  rig.DiagonalLine();
  for (int k = 0; k < 30; ++k) rig.field.DamageRandomTrack();
  std::set<std::pair<int, int>> pieces;
  for (const CrashSite& s : rig.field.CrashSites()) {
    const bool fromStart = s.place.d < rail::kTrackTypeCount;
    const int start = fromStart ? s.place.j : rail::Neighbour(s.place.j, s.place.d);
    const int type = fromStart ? s.place.d : rail::Opposite(s.place.d);
    EXPECT_TRUE(pieces.emplace(start, type).second) << start << "," << type;
  }
  EXPECT_EQ(pieces.size(), 10u);
  EXPECT_EQ(std::count(rig.host.messages.begin(), rig.host.messages.end(), "Track is damaged"), 10);
}

TEST(Crashes, NoDamageIsAnnouncedWithoutATown) {
  Rig rig;
  LayLevelTracks(rig.field, "25,3 34,3 42,3");
  rig.BuildAll();
  rig.field.DamageRandomTrack();
  EXPECT_TRUE(rig.field.CrashSites().empty());
  EXPECT_FALSE(rig.host.Said("Track is damaged"));
  EXPECT_EQ(rig.host.SoundCount(snd::NewBad), 0);
}

TEST(Crashes, SnapsDamageToTheThirds) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddCrashSite(59, 3, 30);
  rig.field.AddCrashSite(59, 3, 3);
  rig.field.AddCrashSite(59, 3, 50);
  rig.field.AddCrashSite(59, 3, 69);
  const auto& s = rig.field.CrashSites();
  EXPECT_NEAR(s[0].place.pos, 0.2333 * 70, 1e-9);
  EXPECT_NEAR(s[1].place.pos, 7, 1e-9);
  EXPECT_NEAR(s[2].place.pos, 0.5666 * 70, 1e-9);
  EXPECT_NEAR(s[3].place.pos, 63, 1e-9);
}

}  // namespace
