// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's pseudo-random generator, values 0..32767, in two streams of their own:
//
// - the game's stream: everything a level's outcome depends on (towns, trains, track
//   damage, the level flow's timers, the field's scenery). Every level start seeds it
//   from the run's seed, so the same seed and the same player actions give the same
//   game. The free functions Next, Below, Unit and Gauss draw from it.
// - the presentation stream: draws whose number depends on the machine or the screen
//   (the intro draws once per frame, the music picks a random tune, an explosion's
//   look). Nothing the game's outcome depends on draws from it.
//
// The run's seed comes from the clock, or from a seed the player gives to replay a
// reported game.
#include <cstdint>
#include <optional>
#include <string>

namespace rnd {

class Stream {
 public:
  void Seed(unsigned seed) { state_ = seed; }
  int Next();        // 0..32767
  int Below(int n);  // 0..n-1; 0 when n <= 0
  double Unit();     // 0 <= value < 1
  // A normally distributed value by the polar method, drawing two values per try and
  // keeping none for the next call.
  double Gauss(double mean, double deviation);
  // The whole state: two streams with the same state draw the same values from now on.
  uint32_t State() const { return state_; }

 private:
  uint32_t state_ = 1;
};

Stream& GameStream();
Stream& PresentationStream();

// Sets the run's seed and starts both streams from it.
void SetRunSeed(uint32_t seed);
uint32_t RunSeed();

// Draws of the game's stream.
int Next();
int Below(int n);
double Unit();
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
}  // namespace rnd
