// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Noise.h"

#include <cmath>

#include "kit/Draw.h"

namespace art {

ValueNoise::ValueNoise(unsigned seed, int size) : size_(size), values_(size * size) {
  Rng rng(seed);
  for (double& v : values_) v = rng.Uniform();
}

double ValueNoise::Lattice(int x, int y) const {
  x = ((x % size_) + size_) % size_;
  y = ((y % size_) + size_) % size_;
  return values_[y * size_ + x];
}

double ValueNoise::At(double x, double y, double scale) const {
  double fx = x / scale, fy = y / scale;
  int ix = int(std::floor(fx)), iy = int(std::floor(fy));
  double tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  double a = Lattice(ix, iy), b = Lattice(ix + 1, iy), c = Lattice(ix, iy + 1),
         d = Lattice(ix + 1, iy + 1);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double ValueNoise::Fractal(double x, double y, double scale, int octaves) const {
  double sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += At(x + o * 31.7, y + o * 17.3, scale) * weight;
    total += weight;
    weight *= 0.5;
    scale *= 0.5;
  }
  return sum / total;
}

double ValueNoise::Grain(int x, int y, unsigned seed) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 65535.0;
}

}  // namespace art
