// SPDX-License-Identifier: GPL-3.0-or-later
// The game's one random generator: the seed of a run, replaying by seed, and Gaussian
// values that keep nothing for the next call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/Random.h"

namespace {

TEST(Random, SeedComesFromTheEnvironmentWhenItIsANumber) {
  setenv("OSTREL_TRAINS_SEED", "1234", 1);
  EXPECT_EQ(rnd::StartSeed(), 1234u);
  setenv("OSTREL_TRAINS_SEED", "12x", 1);
  EXPECT_NE(rnd::StartSeed(), 12u);  // not a number: the clock
  unsetenv("OSTREL_TRAINS_SEED");

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
