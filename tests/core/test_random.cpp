// SPDX-License-Identifier: GPL-3.0-or-later
// The game's one random generator: the seed of a run, replaying by seed, and Gaussian
// values that keep nothing for the next call.
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

  rnd::Seed(77);
  const int first[3] = {rnd::Next(), rnd::Below(10), rnd::Next()};
  rnd::Seed(77);
  const int again[3] = {rnd::Next(), rnd::Below(10), rnd::Next()};
  EXPECT_TRUE(std::equal(first, first + 3, again));
}

TEST(Random, EveryGaussianValueDrawsAfresh) {
  rnd::Seed(9);
  rnd::Gauss(0, 1);
  const int afterOne = rnd::Next();
  rnd::Seed(9);
  rnd::Gauss(0, 1);
  rnd::Gauss(0, 1);  // a kept second value would draw nothing here
  EXPECT_NE(rnd::Next(), afterOne);
}

}  // namespace
