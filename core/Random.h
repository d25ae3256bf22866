// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's one pseudo-random generator: values 0..32767, seeded once at start (from
// the clock, or from a seed the player gives to replay a reported game), so a run is
// repeatable for a given seed.
#include <cstdint>
#include <optional>
#include <string>

namespace rnd {
void Seed(unsigned seed);
int Next();               // 0..32767
int Below(int n);         // 0..n-1; 0 when n <= 0
double Unit();            // 0 <= value < 1
// A normally distributed value by the polar method, drawing two values per try and
// keeping none for the next call.
double Gauss(double mean, double deviation);
// No value of Gauss lies further than this many deviations from the mean: the draws
// are multiples of 1/32767 and never both zero, so x*x + y*y is at least 2/32767^2, and
// |x| * sqrt(-2 ln s / s) is at most sqrt(-2 ln s) <= 6.34.
constexpr double kGaussReach = 6.35;
// A seed as the player writes it: decimal digits only, 0 to 4294967295. Nothing for
// any other text (empty, a sign, blanks, letters, a number beyond 32 bits), which the
// caller refuses rather than replaying some other game.
std::optional<uint32_t> ReadSeed(const std::string& text);
// The seed of a run that was given none: the clock in seconds.
unsigned ClockSeed();
// The run's seed: the game's stream starts from it at every level start.
void SetRunSeed(uint32_t seed);
uint32_t RunSeed();
}  // namespace rnd
