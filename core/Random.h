// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's one pseudo-random generator: values 0..32767, seeded once at start (from
// the clock, or from OSTREL_TRAINS_SEED to replay a reported game), so a run is
// repeatable for a given seed.

namespace rnd {
void Seed(unsigned seed);
int Next();               // 0..32767
int Below(int n);         // 0..n-1; 0 when n <= 0
double Unit();            // 0 <= value < 1
// A normally distributed value by the polar method, drawing two values per try and
// keeping none for the next call.
double Gauss(double mean, double deviation);
// The seed for this run: OSTREL_TRAINS_SEED when it holds a number, else the clock.
unsigned StartSeed();
}  // namespace rnd
