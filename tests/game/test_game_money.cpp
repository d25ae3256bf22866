// SPDX-License-Identifier: GPL-3.0-or-later
// Money, fines and scoring: running out of money, deliveries and crashes
// paid through the game.
#include <climits>

#include "GameTestSupport.h"

using namespace gametest;

namespace {

TEST_F(GameTest, LastThousandSpentOnTrackEndsTheGameAfterFiveSeconds) {
  TestGame& g = Start(0);
  int node = 8, type = 0;  // a junction the player may build on, clicked at its centre
  while (!(g.GetField().CanBuild(node, type) && rail::JunctionPos(node).x > 140 &&
           rail::NodeAt(rail::JunctionPos(node).x, rail::JunctionPos(node).y) == node)) {
    type = (type + 1) % 6, node += type == 0;
  }
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, type));
  g.TrainCounter = 4;
  g.MoneyCounter = 1000;
  g.Apply(action::Make(ActionKind::kClick, rail::JunctionPos(node).x, rail::JunctionPos(node).y));
  EXPECT_TRUE(g.GetField().HasTrack(node, type));
  EXPECT_EQ(g.MoneyCounter, 0);
  EXPECT_TRUE(g.Said("OUT OF MONEY !", true));
  EXPECT_EQ(g.GameState, kStateOutOfMoney);
  g.ChangeMoney(-5);  // once 0, the balance stays 0
  EXPECT_EQ(g.Sounds(snd::BadGame), 1);
  Frames(g, 249);
  EXPECT_EQ(g.GameState, kStateOutOfMoney);
  EXPECT_TRUE(owner.gameOvers.empty());
  Frames(g, 1);
  EXPECT_EQ(g.GameState, kStateFinalStatistics);
  EXPECT_TRUE(owner.paused);
  ASSERT_EQ(owner.gameOvers.size(), 1u);
  const GameOverStatistics& s = owner.gameOvers[0];
  EXPECT_EQ(s.player, "Manager");
  EXPECT_EQ(std::vector({s.topLevel, s.totalTime, s.trains}), std::vector({1, 0, 4}));
  g.OnScreenClosed(GameScreen::kLevelStatistics, -1);  // 8: a new game
  EXPECT_EQ(g.GameState, kStatePlaying);
  EXPECT_EQ(g.MoneyCounter, 100000);
  EXPECT_EQ(g.TrainCounter, 0);
}

// A train of the town's colour, settled by the field as arrived.
void Deliver(Game& g, int cars) {
  Field& f = g.GetField();
  f.LaunchTrain({.colour = 1, .cars = cars, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_EQ(f.Trains().size(), 1u);
  EXPECT_EQ(f.RemoveTrain(0, 0, false), 3000 + 1000 * (cars - 1));
}

TEST_F(GameTest, DeliveriesPayByCarsAndNothingOnceTheMoneyRanOut) {
  TestGame& g = Ready(Start(1));
  for (auto [cars, pay] : {std::pair{1, 3000}, std::pair{4, 6000}}) {
    const int32_t before = g.MoneyCounter, trains = g.TrainCounter;
    Deliver(g, cars);
    EXPECT_EQ(g.MoneyCounter, before + pay) << cars << " cars";
    EXPECT_EQ(g.TrainCounter, trains + 1);
  }
  g.Fine(static_cast<unsigned>(g.MoneyCounter));
  ASSERT_EQ(g.GameState, kStateOutOfMoney);
  Deliver(g, 2);  // counted, not paid
  EXPECT_EQ(g.TrainCounter, 3);
  EXPECT_EQ(g.MoneyCounter, 0);
  g.MoneyCounter = 7;
  g.Fine(UINT_MAX);
  EXPECT_EQ(g.MoneyCounter, 0);
}

TEST_F(GameTest, TwoTwoCarTrainsCrashingCost8000) {
  TestGame& g = Start(0);
  Field& f = g.GetField();  // the railway tests' diagonal line between two towns
  f.NewLevel(0, 0, 17, 3, {{2000, 2000, 0, -1}}, {}, 95);
  f.AddTown(0, 17, 3);
  LayLevelTracks(f, "17,3 25,3 34,3 42,3 51,3 59,3 68,3 76,3 85,3 93,3 102,3");
  f.AddTown(1, 110, 3);
  for (int i = 0; i < 2000 && !f.AllTracksBuilt(); ++i) f.BuildStep(300);
  f.PlaceTrain(4, 2, 1, {34, 3, 10}, TrainKind::kOrdinary, 0);
  f.PlaceTrain(4, 2, 0, {76, 9, 10}, TrainKind::kOrdinary, 0);
  for (int i = 0; i < 3000 && !f.Trains().empty(); ++i) f.FieldUpdate(20), sprites.Advance(20);
  EXPECT_TRUE(f.Trains().empty());
  EXPECT_EQ(g.MoneyCounter, 100000 - 8000);
  EXPECT_TRUE(g.Said("C R A S H E S !!!"));
  EXPECT_TRUE(g.Said("-8000 fine for crashed trains"));
}

// The money ran out when the level was over anyway: it stays a lost game (10 -> 8).
TEST_F(GameTest, OutOfMoneyAtTheLevelsEndStaysALostGame) {
  TestGame& g = Ready(Start(1));
  g.MoneyCounter = 500;
  g.Fine(1000);
  ASSERT_EQ(g.GameState, kStateOutOfMoney);
  g.HoldProgress(100);
  for (int i = 0; i < 300; ++i) {
    Frames(g, 1);
    ASSERT_EQ(g.GameState, i < 249 ? kStateOutOfMoney : kStateFinalStatistics) << i;
  }
  EXPECT_EQ(owner.gameOvers.size(), 1u);
  EXPECT_TRUE(owner.levelEnds.empty());
}

}  // namespace
