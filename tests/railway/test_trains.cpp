// SPDX-License-Identifier: GPL-3.0-or-later
// Trains: launching, movement, routing, reversal, arrival and payment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "RailTestSupport.h"

namespace {

TEST(Trains, TwoCarTrainArrivingIsPaid4000) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 1, .cars = 2, .loco = 6, .town = 0}, Departure::kNow);
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
  rig.field.LaunchTrain({.colour = 1, .cars = 5, .loco = 6, .town = 0}, Departure::kNow);
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

// A switch set against the train: it reverses 25 units before the junction; a dead end
// or a red signal: 5 units before. The reversed train stands, then accelerates again.
TEST(Trains, ReversesBeforeASwitchAgainstItADeadEndOrARedSignal) {
  struct Case {
    int colour, town, j, d, stop;
  };
  const Case cases[3] = {{0, 1, 51, 9, 70 - 25}, {1, 0, 42, 4, 115 - 5}, {1, 0, 42, 2, 115 - 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.j * 100 + c.d);
    Rig rig;
    if (c.d != 2) {
      rig.DiagonalLine();
      rig.field.AddTrack(42, 4, Laying::kLevelLayout);
      rig.BuildAll();
      rig.field.At(42).ToggleSwitch(1);  // to the branch: against trains from 51
    } else {
      rig.field.AddTown(0, 17, 3);
      LayLevelTracks(rig.field, "17,3 25,3 34,3 42,2 43,1");
      rig.BuildAll();
      ASSERT_EQ(rig.field.At(43).SignalAt(2).state, SignalState::kGreen);  // arc meets arc
      rig.field.At(43).ToggleSignal(2);
    }
    rig.field.LaunchTrain({.colour = c.colour, .cars = 2, .loco = 4, .town = c.town},
                          Departure::kNow);
    double head = HeadBeforeReversal(rig, c.j, c.d);
    EXPECT_LT(head, c.stop);
    EXPECT_GE(head, c.stop - 2.1);
    EXPECT_TRUE(rig.host.TipShown(7));
    const Train* t = rig.Only();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->speed, 0);
    rig.field.FieldUpdate(20);
    EXPECT_DOUBLE_EQ(t->speed, 0.02 / 2);
  }
}

TEST(Trains, CrazyTrainCrashesAtASwitchSetAgainstIt) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  rig.BuildAll();
  rig.field.At(42).ToggleSwitch(1);
  rig.field.LaunchTrain({.colour = 0, .cars = 2, .loco = 4, .kind = TrainKind::kCrazy, .town = 1},
                        Departure::kNow);
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
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  rig.BuildAll();
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, [&] {
    const Train* t = rig.Only();
    return t && t->routed && t->pendingJ == 42;
  }));
  rig.field.At(42).ToggleSwitch(1);
  EXPECT_EQ(rig.field.At(42).SwitchAt(1).active, 3);
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only()->cars[0].place.j == 42; }));
  EXPECT_EQ(rig.Only()->cars[0].place.d, 3);
  // Once the train has gone by, the switch is free again.
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  rig.field.At(42).ToggleSwitch(1);
  EXPECT_NE(rig.field.At(42).SwitchAt(1).active, 3);
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
}

TEST(Trains, ACarEndingExactlyOnAJunctionLocksItsSwitch) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  rig.BuildAll();
  Train* t = rig.field.PlaceTrain(4, 2, 1, {42, 3, 0}, TrainKind::kOrdinary, 0);
  t->speed = 0;
  t->cars[0].place.pos = t->cars[0].half;  // the locomotive's rear end on junction 42
  rig.field.StepAndCheck();
  ASSERT_EQ(t->cars[1].place.j, 34);  // the wagon behind comes through 42's switch
  rig.field.At(42).ToggleSwitch(1);
  EXPECT_EQ(rig.field.At(42).SwitchAt(1).active, 3);
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
}

TEST(Trains, WrongColourReturnsAtHalfSpeed) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 2, .cars = 1, .loco = 4, .town = 0}, Departure::kNow);
  rail::Place before;
  ASSERT_TRUE(RunUntil(rig, [&] {
    if (rig.Only() && !rig.Only()->reversed) before = rig.Only()->cars[0].place;
    return rig.Only() && rig.Only()->reversed;
  }));
  // Turned round where its step ended, at top speed, and not moved again in that step.
  const Train& t = *rig.Only();
  EXPECT_EQ(t.cars[0].place.d, rail::Opposite(before.d));
  EXPECT_DOUBLE_EQ(t.cars[0].place.pos,
                   std::max(0.0, rail::TrackLength(before.d) - (before.pos + t.topSpeed)));
  EXPECT_DOUBLE_EQ(rig.Only()->speed, rig.Only()->topSpeed / 2);
  EXPECT_TRUE(rig.host.TipShown(14));
  EXPECT_EQ(rig.host.delivered, 0);
  rig.Frames(50);
  EXPECT_EQ(rig.field.Trains().size(), 1u);
}

TEST(Trains, SecondDelayedStartForABusyTownIsDropped) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 1, .cars = 2, .loco = 4, .town = 0}, Departure::kDelayed);
  rig.field.LaunchTrain({.colour = 3, .cars = 5, .loco = 6, .town = 0}, Departure::kDelayed);
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

TEST(Trains, LaunchRefusesBadLocomotivesAndTownsAndPicksAnotherTown) {
  Rig rig;
  rig.DiagonalLine();
  rig.host.sounds.clear();
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 8, .town = 0}, Departure::kNow);
  rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = 5}, Departure::kNow);
  EXPECT_TRUE(rig.field.Trains().empty());
  EXPECT_TRUE(rig.host.sounds.empty());
  for (int i = 0; i < 20; ++i) {
    // never from its own town
    rig.field.LaunchTrain({.colour = 1, .cars = 1, .loco = 4, .town = kAnyTown},
                          Departure::kDelayed);
    EXPECT_EQ(rig.field.Towns()[1].countdown, -1);
    EXPECT_TRUE(rig.field.Towns()[1].queue.empty());
    rig.Frames(50);
  }
}

// Sprites that remember which pictures were tinted; one clip can be refused.
class TintSprite : public HeadlessSprite {
 public:
  using HeadlessSprite::HeadlessSprite;
  void Tint(int r, int g, int b) override {
    tinted = true;
    HeadlessSprite::Tint(r, g, b);
  }
  bool tinted = false;
};

class PictureLog : public FieldSprites {
 public:
  FieldSprite* Create(int clip, bool) override {
    if (clip == refused) return nullptr;
    made.push_back(std::make_unique<TintSprite>(clip));
    return made.back().get();
  }
  void Remove(FieldSprite* sprite) override {
    for (size_t i = 0; i < made.size(); ++i) {
      if (made[i].get() == sprite) made.erase(made.begin() + static_cast<long>(i));
    }
  }
  int refused = -1;
  std::vector<std::unique_ptr<TintSprite>> made;
};

const TintSprite* Pic(const FieldSprite* s) { return static_cast<const TintSprite*>(s); }

TEST(Trains, PicturesByKind) {
  PictureLog log;
  Train blue(6, 3, 3, rail::Place{8, 3, 0}, TrainKind::kOrdinary, 2, &log);
  ASSERT_EQ(blue.CarCount(), 3);
  EXPECT_EQ(blue.cars[0].picture->Clip(), 130);
  EXPECT_EQ(blue.cars[0].shadow->Clip(), 138);
  EXPECT_TRUE(Pic(blue.cars[0].picture)->tinted);
  EXPECT_EQ(Pic(blue.cars[0].picture)->TintColour()[2], 75);
  EXPECT_EQ(blue.cars[0].half, 21);
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(blue.cars[i].picture->Clip(), 144);
    EXPECT_EQ(blue.cars[i].shadow->Clip(), 149);
    EXPECT_FALSE(Pic(blue.cars[i].picture)->tinted) << "wagons keep their own colours";
    EXPECT_EQ(blue.cars[i].half, 15);
    EXPECT_EQ(blue.cars[i].picture2, nullptr);
  }
  Train crazy(4, 2, 1, rail::Place{8, 3, 0}, TrainKind::kCrazy, 0, &log);
  for (const Car& c : crazy.cars) {
    ASSERT_NE(c.picture2, nullptr);
    EXPECT_TRUE(Pic(c.picture)->tinted);
    EXPECT_EQ(Pic(c.picture2)->TintColour()[0], 75);
    EXPECT_FALSE(c.picture2->Visible());
  }
  Train repair(5, 9, 2, rail::Place{8, 3, 0}, TrainKind::kRepair, -1, &log);
  EXPECT_EQ(repair.CarCount(), 1);
  EXPECT_EQ(repair.loco, 1);
  EXPECT_EQ(repair.cars[0].picture->Clip(), 140);
  EXPECT_EQ(repair.cars[0].shadow->Clip(), 141);
  EXPECT_FALSE(Pic(repair.cars[0].picture)->tinted);
  Train fast(7, 40, 2, rail::Place{8, 3, 0}, TrainKind::kOrdinary, 1, nullptr);
  EXPECT_EQ(fast.CarCount(), 1);
  EXPECT_EQ(fast.wagon, 4);
  EXPECT_DOUBLE_EQ(fast.speed, 5.5 / 2);
}

TEST(Trains, MissingLocomotivePictureIsLoggedAndTheTrainStillRuns) {
  PictureLog log;
  log.refused = 130;
  RecordingHost host;
  Field field(&log, &host);
  field.NewLevel(0, 0, 17, 3, {{2000, 2000, 0, -1}}, {}, 95);
  field.AddTown(0, 17, 3);
  LayLevelTracks(field, "17,3 25,3 34,3");
  for (int i = 0; i < 2000 && !field.AllTracksBuilt(); ++i) field.BuildStep(300);
  testing::internal::CaptureStderr();
  field.LaunchTrain({.colour = 1, .cars = 3, .loco = 6, .kind = TrainKind::kCrazy, .town = 0},
                    Departure::kNow);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: unknown error. NotTrain!\n");
  // It blinks on its way and crashes at the dead end with its pictures missing.
  for (int i = 0; i < 1500 && !field.Trains().empty(); ++i) field.FieldUpdate(20);
  EXPECT_TRUE(field.Trains().empty());
  EXPECT_EQ(field.CrashSites().size(), 1u);
}

TEST(Trains, CarsNeverOnScreenExplodeWhereTheyStand) {
  Rig rig;
  rig.DiagonalLine();
  rig.field.LaunchTrain({.colour = 1, .cars = 3, .loco = 4, .town = 0}, Departure::kNow);
  EXPECT_EQ(rig.field.RemoveTrain(0, 0, true), -5000);
  rail::Point town = rail::JunctionPos(8);
  int blasts = 0;
  for (const auto& s : rig.sprites.All()) {
    if (s->Clip() != 122 && s->Clip() != 123) continue;
    ++blasts;
    EXPECT_LE(std::abs(static_cast<int>(s->X()) - town.x), 5);
    EXPECT_LE(std::abs(static_cast<int>(s->Y()) - town.y), 5);
  }
  EXPECT_EQ(blasts, 3);
}

}  // namespace
