// SPDX-License-Identifier: GPL-3.0-or-later
// The random generator: the seed of a run, replaying by seed, the two streams, and
// Gaussian values that keep nothing for the next call.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Random.h"

namespace {

// A seed is read whole or not at all: a text that is not a 32-bit number must not
// replay some other game (a wrapped negative, a saturated huge number).
TEST(Random, SeedsAreWholeNumbersWithin32BitsAndReplayTheirRun) {
  EXPECT_EQ(rnd::ReadSeed("1234"), 1234u);
  EXPECT_EQ(rnd::ReadSeed("0"), 0u);
  EXPECT_EQ(rnd::ReadSeed("4294967295"), 4294967295u);
  EXPECT_EQ(rnd::ReadSeed("0004294967295"), 4294967295u);
  for (const char* bad : {"", "12x", "-5", "+5", " 5", "5 ", "0x10", "4294967296",
                          "999999999999999999999999", "18446744073709551621"})
    EXPECT_EQ(rnd::ReadSeed(bad), std::nullopt) << "'" << bad << "'";

  rnd::SetRunSeed(77);
  EXPECT_EQ(rnd::RunSeed(), 77u);
  const int first[3] = {rnd::Next(), rnd::Below(10), rnd::Next()};
  rnd::SetRunSeed(77);
  const int again[3] = {rnd::Next(), rnd::Below(10), rnd::Next()};
  EXPECT_TRUE(std::equal(first, first + 3, again));
}

// The presentation draws as often as it likes: the game's stream does not move.
TEST(Random, TheStreamsDrawApart) {
  rnd::SetRunSeed(5);
  const int alone = rnd::Next();
  rnd::SetRunSeed(5);
  for (int i = 0; i < 1000; ++i) rnd::PresentationStream().Next();
  const uint32_t state = rnd::GameStream().State();
  EXPECT_EQ(rnd::Next(), alone);
  EXPECT_NE(rnd::GameStream().State(), state);
  EXPECT_NE(rnd::PresentationStream().State(), rnd::GameStream().State());
}

TEST(Random, EveryGaussianValueDrawsAfresh) {
  rnd::GameStream().Seed(9);
  rnd::Gauss(0, 1);
  const int afterOne = rnd::Next();
  rnd::GameStream().Seed(9);
  rnd::Gauss(0, 1);
  rnd::Gauss(0, 1);  // a kept second value would draw nothing here
  EXPECT_NE(rnd::Next(), afterOne);
}

}  // namespace
