// SPDX-License-Identifier: GPL-3.0-or-later
// The soak's invariants: quiet on a game in play, and each planted fault named.
#include "../game/GameTestSupport.h"
#include "tools/soak/Invariants.h"

using namespace gametest;

namespace {

bool Names(const std::string& failure, const std::string& what) {
  return failure.find(what) != std::string::npos;
}

TEST_F(GameTest, SoakInvariantsHoldInPlayAndNameEachPlantedFault) {
  TestGame& g = Start(0);
  GameInvariants watch;
  for (int i = 0; i < 300; ++i) {
    Frames(g, 1);
    ASSERT_EQ(watch.Check(g, &sprites), "") << "frame " << i;
  }

  GameInvariants money;
  money.Check(g, &sprites);
  g.MoneyCounter -= 250;
  EXPECT_TRUE(Names(money.Check(g, &sprites), "not a sum of the game's amounts"));
  g.MoneyCounter += 250;

  GameInvariants earning;
  earning.Check(g, &sprites);
  g.MoneyCounter += 3000;  // a delivery's pay without a delivered train
  EXPECT_TRUE(Names(earning.Check(g, &sprites), "with 0 trains delivered"));
  g.MoneyCounter -= 3000;

  FieldSprite* stray = sprites.Create(clip::Explosion, false);
  EXPECT_TRUE(Names(GameInvariants().Check(g, &sprites), "left behind"));
  sprites.Remove(stray);

  GameInvariants states;
  ASSERT_EQ(states.Check(g, &sprites), "");
  ASSERT_EQ(g.GameState, kStatePlaying);
  g.GameState = kStateFinalStatistics;
  EXPECT_TRUE(Names(states.Check(g, &sprites), "6 -> 8"));
  g.GameState = kStatePlaying;

  ++g.NumberTown;
  EXPECT_TRUE(Names(GameInvariants().Check(g, &sprites), "town counter"));
  --g.NumberTown;
  EXPECT_EQ(GameInvariants().Check(g, &sprites), "");
}

}  // namespace
