// SPDX-License-Identifier: GPL-3.0-or-later
// What a replay stands on: a level is its run's seed and the player's actions (whatever
// the presentation draws), a game restored from a document in memory, and the hash
// of the game's state.
#include "GameTestSupport.h"

using namespace gametest;

namespace {

// A Classic level 2 (random town places, a forest, houses) played for a minute from a
// level start under the run's seed, after the given draws of each stream.
std::string PlayedLevel(GameTest& t, unsigned seed, int presentationDraws, int gameDraws) {
  rnd::SetRunSeed(seed);
  for (int i = 0; i < presentationDraws; ++i) rnd::PresentationStream().Next();
  for (int i = 0; i < gameDraws; ++i) rnd::Next();
  TestGame& g = t.Start(0, 1);
  t.Frames(g, 3000);
  EXPECT_FALSE(g.GetField().Trains().empty());
  const std::string dump = Dump(g);
  t.Drop(g);
  return dump;
}

// However long the intro ran (a draw of the presentation stream each frame) and whatever
// drew from the game's stream before, a level start under the same run's seed lays out
// the same level and plays the same minute: the same towns, trees, houses and trains.
TEST_F(GameTest, ALevelStartUnderTheSameSeedMakesTheSameLevel) {
  const std::string level = PlayedLevel(*this, 11, 0, 0);
  EXPECT_EQ(PlayedLevel(*this, 11, 4321, 0), level) << "the intro's draws changed the level";
  EXPECT_EQ(PlayedLevel(*this, 11, 17, 999), level) << "earlier draws changed the level";
  EXPECT_NE(PlayedLevel(*this, 12, 0, 0), level);
}

}  // namespace
