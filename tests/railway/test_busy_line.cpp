// SPDX-License-Identifier: GPL-3.0-or-later
// The busy-line check in front of a town and the queue of trains waiting there.
#include <gtest/gtest.h>

#include "RailTestSupport.h"

namespace {

TEST(BusyLine, CarOnTheStartRunBlocksButNotBeyondTheFirstSwitch) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  rig.BuildAll();
  EXPECT_FALSE(rig.field.LineBusy(3, 8));
  EXPECT_TRUE(rig.field.LineBusy(-1, 8));
  rig.field.PlaceTrain(4, 1, 1, {42, 3, 30}, TrainKind::kOrdinary, 0);  // beyond the switch at 42
  EXPECT_FALSE(rig.field.LineBusy(3, 8));
  // stands on the start track
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  EXPECT_TRUE(rig.field.LineBusy(3, 8));
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  EXPECT_EQ(rig.field.Trains().size(), 2u);
  EXPECT_EQ(rig.field.Towns()[0].queue.size(), 1u);
  rig.field.PlaceTrain(4, 1, 1, {34, 3, 30}, TrainKind::kOrdinary, 0);
  EXPECT_TRUE(rig.field.IsTrackOccupied(9, 42)) << "a track counts from either end";
}

TEST(BusyLine, WalkStopsAtTheSecondArc) {
  Rig rig;
  // Town 0 starts with an arc (16 -> 17), then a straight, then two arcs.
  rig.field.NewLevel(0, 0, 17, 1, {{2000, 2000, 0, -1}}, {}, 95);
  rig.field.AddTown(0, 17, 1);
  LayLevelTracks(rig.field, "17,2 18,1 19,2");
  rig.BuildAll();
  rig.field.PlaceTrain(4, 1, 1, {18, 1, 50}, TrainKind::kOrdinary, 0);  // beyond the second arc
  EXPECT_FALSE(rig.field.LineBusy(1, 16));
}

TEST(BusyLine, QueuedTrainStartsInTheUpdateTheLineFrees) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 1, .cars = 3, .loco = 6, .town = 0}, Departure::kNow);
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_EQ(rig.field.Towns()[0].queue.size(), 1u);
  rig.Frames(1);
  EXPECT_TRUE(rig.field.Towns()[0].bell->Visible());
  EXPECT_TRUE(rig.host.TipShown(16));
  bool started = false;
  for (int i = 0; i < 20000 && !started; ++i) {
    rig.field.FieldUpdate(20);
    if (!rig.field.Towns()[0].queue.empty()) {
      EXPECT_TRUE(rig.field.LineBusy(3, 8)) << "a queued train waited with a free line";
    } else {
      started = true;
    }
  }
  ASSERT_TRUE(started);
  ASSERT_FALSE(rig.field.Trains().empty());
  const Train& queued = *rig.field.Trains().back();
  EXPECT_EQ(queued.CarCount(), 1);
  EXPECT_EQ(queued.cars[0].place.j, 8);
  EXPECT_FALSE(rig.field.Towns()[0].bell->Visible());
}

TEST(BusyLine, WaitingTrainsAreFinedEvery30Seconds) {
  Rig rig;
  // A town whose line ends right behind it: a train of a colour without a town
  // shuttles between the dead end and the town for ever, keeping the line busy.
  rig.field.AddTown(0, 17, 3);
  rig.BuildAll();
  rig.field.LaunchTrain({.colour = 5, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rig.field.LaunchTrain({.colour = 2, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_EQ(rig.field.Towns()[0].queue.size(), 2u);
  rig.Frames(1500);  // 30000 ms: not yet above
  EXPECT_EQ(rig.host.money, 0);
  rig.Frames(1);
  EXPECT_EQ(rig.host.money, -2000);
  EXPECT_TRUE(rig.host.Said("2000 fine for waiting the train"));
  EXPECT_EQ(rig.host.SoundCount(snd::WaitTrain), 1);
  rig.Frames(1501);
  EXPECT_EQ(rig.host.money, -4000);
}

TEST(BusyLine, QueueKeepsItsOrderWhileTheTownsTrackIsBuilt) {
  Rig rig;
  rig.field.AddTown(0, 17, 3);
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rig.field.LaunchTrain({.colour = 2, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rig.Frames(1);
  ASSERT_FALSE(rig.field.AllTracksBuilt());
  ASSERT_EQ(rig.field.Towns()[0].queue.size(), 2u);
  EXPECT_EQ(rig.field.Towns()[0].queue.front().colour, 1);
  rig.BuildAll();
  rig.Frames(1);
  ASSERT_EQ(rig.field.Trains().size(), 1u);
  EXPECT_EQ(rig.field.Trains()[0]->colour, 1);
}

}  // namespace
