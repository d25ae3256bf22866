// Trains: launching, movement, routing, reversal, arrival and payment.
#include <gtest/gtest.h>

#include "RailTestSupport.h"

namespace {

// Runs frames until the predicate holds; false when it never did.
template <typename Pred>
bool RunUntil(Rig& rig, Pred pred, int maxFrames = 20000) {
  for (int i = 0; i < maxFrames; ++i) {
    rig.Frames(1);
    if (pred()) return true;
  }
  return false;
}

TEST(Trains, TwoCarTrainArrivingIsPaid4000) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain(1, 2, 6, 0, kOrdinary, true);
  EXPECT_TRUE(rig.host.Said("Run new train."));
  EXPECT_EQ(rig.host.SoundCount(snd::NewTrain), 1);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_EQ(rig.host.delivered, 1);
  EXPECT_EQ(rig.host.money, 4000);
  EXPECT_TRUE(rig.host.Said("The train has arrived"));
  EXPECT_EQ(rig.host.SoundCount(snd::ReturnTrain), 1);
  EXPECT_TRUE(rig.field.Towns()[1].arrival->Visible());
}

TEST(Trains, FiveCarTrainCrashingCosts7000) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddCrashSite(51, 3, 30);
  rig.field.LaunchTrain(1, 5, 6, 0, kOrdinary, true);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_EQ(rig.host.money, -7000);
  EXPECT_TRUE(rig.host.Said("-7000 fine for crashed trains"));
  EXPECT_TRUE(rig.host.Said("C R A S H E S !!!"));
  EXPECT_EQ(rig.field.CrashSites().size(), 1u);
  EXPECT_EQ(rig.field.ExplosionCount(), 5);
  rig.Frames(400);
  EXPECT_EQ(rig.field.ExplosionCount(), 0);
  EXPECT_EQ(rig.host.SoundCount(snd::Crash), 5);
}

// Largest head position seen on a track before the train reversed.
double HeadBeforeReversal(Rig& rig, int j, int d) {
  double best = -1;
  for (int i = 0; i < 20000; ++i) {
    rig.Frames(1);
    const Train* t = rig.Only();
    if (!t) return -2;
    if (t->reversed) return best;
    if (t->head.j == j && t->head.d == d) best = std::max(best, t->head.pos);
  }
  return -3;
}

TEST(Trains, SwitchSetAgainstReverses25UnitsBefore) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, false, true, false, true);
  rig.BuildAll();
  rig.field.At(42).ToggleSwitch(1);  // now set to the branch: against trains from 51
  rig.field.LaunchTrain(0, 1, 4, 1, kOrdinary, true);
  double head = HeadBeforeReversal(rig, 51, 9);
  EXPECT_LT(head, 70 - 25);
  EXPECT_GE(head, 70 - 25 - 2.1);
  EXPECT_TRUE(rig.host.TipShown(7));
  const Train* t = rig.Only();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->speed, 0);
}

TEST(Trains, DeadEndReverses5UnitsBefore) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, false, true, false, true);
  rig.BuildAll();
  rig.field.At(42).ToggleSwitch(1);  // trains from the left go onto the branch
  rig.field.LaunchTrain(1, 1, 4, 0, kOrdinary, true);
  double head = HeadBeforeReversal(rig, 42, 4);
  EXPECT_LT(head, 115 - 5);
  EXPECT_GE(head, 115 - 5 - 2.1);
}

TEST(Trains, RedSignalReverses5UnitsBefore) {
  Rig rig;
  rig.field.AddTown(0, 17, 3);
  rig.field.LayTracks("17,3 25,3 34,3 42,2 43,1");
  rig.BuildAll();
  Junction& j = rig.field.At(43);  // the arc 42->43 meets the arc 43->44
  ASSERT_EQ(j.SignalAt(2).state, kSignalGreen);
  j.ToggleSignal(2);
  rig.field.LaunchTrain(1, 1, 4, 0, kOrdinary, true);
  double head = HeadBeforeReversal(rig, 42, 2);
  EXPECT_LT(head, 115 - 5);
  EXPECT_GE(head, 115 - 5 - 2.1);
}

TEST(Trains, CrazyTrainCrashesAtASwitchSetAgainstIt) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, false, true, false, true);
  rig.BuildAll();
  rig.field.At(42).ToggleSwitch(1);
  rig.field.LaunchTrain(0, 2, 4, 1, kCrazy, true);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_EQ(rig.host.money, -4000);
  EXPECT_TRUE(rig.host.Said("C R A S H E S !!!"));
  ASSERT_EQ(rig.field.CrashSites().size(), 1u);
  EXPECT_EQ(rig.field.CrashSites()[0].place.j, 51);
  EXPECT_TRUE(rig.host.TipShown(17));
}

TEST(Trains, RoutedTrainLocksTheSwitchAhead) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, false, true, false, true);
  rig.BuildAll();
  rig.field.LaunchTrain(1, 1, 4, 0, kOrdinary, true);
  ASSERT_TRUE(RunUntil(rig, [&] {
    const Train* t = rig.Only();
    return t && t->routed && t->pendingJ == 42;
  }));
  rig.field.At(42).ToggleSwitch(1);
  EXPECT_EQ(rig.field.At(42).SwitchAt(1).active, 3);
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only()->cars[0].place.j == 42; }));
  EXPECT_EQ(rig.Only()->cars[0].place.d, 3);
}

TEST(Trains, WrongColourReturnsAtHalfSpeed) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain(2, 1, 4, 0, kOrdinary, true);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only() && rig.Only()->reversed; }));
  EXPECT_DOUBLE_EQ(rig.Only()->speed, rig.Only()->topSpeed / 2);
  EXPECT_TRUE(rig.host.TipShown(14));
  EXPECT_EQ(rig.host.delivered, 0);
  rig.Frames(50);
  EXPECT_EQ(rig.field.Trains().size(), 1u);
}

TEST(Trains, SecondDelayedStartForABusyTownIsDropped) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain(1, 2, 4, 0, kOrdinary, false);
  rig.field.LaunchTrain(3, 5, 6, 0, kOrdinary, false);
  EXPECT_EQ(rig.host.SoundCount(snd::NewTrainSemafor), 1);
  EXPECT_TRUE(rig.field.Towns()[0].startSign->Visible());
  rig.Frames(199);
  EXPECT_TRUE(rig.field.Trains().empty());
  rig.Frames(1);  // 4000 ms
  ASSERT_EQ(rig.field.Trains().size(), 1u);
  EXPECT_EQ(rig.field.Trains()[0]->colour, 1);
  EXPECT_EQ(rig.field.Trains()[0]->CarCount(), 2);
  EXPECT_FALSE(rig.field.Towns()[0].startSign->Visible());
  rig.Frames(400);
  EXPECT_EQ(rig.field.Trains().size(), 1u);
}

TEST(Trains, ReversalStopsThenAcceleratesByAccelerationOverCars) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain(1, 4, 4, 0, kOrdinary, true);
  rig.Frames(100);
  Train& t = *rig.field.Trains()[0];
  rig.field.ReverseTrain(t);
  EXPECT_TRUE(t.reversed);
  EXPECT_EQ(t.speed, 0);
  rig.field.FieldUpdate(20);
  EXPECT_DOUBLE_EQ(t.speed, 0.02 / 4);
}

TEST(Trains, RandomTownIsNotTheTrainsOwn) {
  Rig rig;
  rig.DiagonalLine();
  for (int i = 0; i < 20; ++i) {
    rig.field.LaunchTrain(1, 1, 4, -1, kOrdinary, false);
    EXPECT_EQ(rig.field.Towns()[1].countdown, -1);
    EXPECT_TRUE(rig.field.Towns()[1].queue.empty());
    rig.Frames(50);
  }
}

TEST(Trains, BadLocomotiveOrTownDoesNothing) {
  Rig rig;
  rig.DiagonalLine();
  rig.host.sounds.clear();
  rig.field.LaunchTrain(1, 1, 8, 0, kOrdinary, true);
  rig.field.LaunchTrain(1, 1, 4, 5, kOrdinary, true);
  EXPECT_TRUE(rig.field.Trains().empty());
  EXPECT_TRUE(rig.host.sounds.empty());
}

TEST(Trains, RepairTrainHasOneCarAndLocomotiveOne) {
  Train t(5, 9, 2, rail::Place{8, 3, 0}, kRepair, -1, nullptr);
  EXPECT_EQ(t.CarCount(), 1);
  EXPECT_EQ(t.loco, 1);
  Train u(7, 40, 2, rail::Place{8, 3, 0}, kOrdinary, 1, nullptr);
  EXPECT_EQ(u.CarCount(), 1);
  EXPECT_EQ(u.wagon, 4);
  EXPECT_DOUBLE_EQ(u.speed, 5.5 / 2);
}

}  // namespace
