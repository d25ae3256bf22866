// SPDX-License-Identifier: GPL-3.0-or-later
// Smooth value noise for natural textures (meadow, sand, snow, gravel).
#pragma once

#include <cstdint>
#include <vector>

namespace art {

class ValueNoise {
 public:
  explicit ValueNoise(unsigned seed, int size = 256);
  // Smooth noise in [0, 1] with features about `scale` pixels wide.
  double At(double x, double y, double scale) const;
  // Sum of octaves, each half the scale and half the weight; result in [0, 1].
  double Fractal(double x, double y, double scale, int octaves) const;
  // Per-pixel hash in [0, 1]: fine grain.
  static double Grain(int x, int y, unsigned seed);

 private:
  double Lattice(int x, int y) const;
  int size_;
  std::vector<double> values_;
};

}  // namespace art
