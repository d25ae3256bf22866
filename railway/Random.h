#pragma once
// The game's pseudo-random numbers: values 0..32767 from one seeded generator, so a
// run is repeatable for a given seed.

namespace rnd {
void Seed(unsigned seed);
int Next();               // 0..32767
int Below(int n);         // 0..n-1; 0 when n <= 0
double Unit();            // 0 <= value < 1
double Gauss(double mean, double deviation);  // polar method
}  // namespace rnd
