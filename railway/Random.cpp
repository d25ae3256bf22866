#include "railway/Random.h"

#include <cmath>

namespace rnd {
namespace {
unsigned long g_state = 1;
bool g_haveSpare = false;
double g_spare = 0;
}  // namespace

void Seed(unsigned seed) {
  g_state = seed;
  g_haveSpare = false;
}

int Next() {
  g_state = (g_state * 1103515245UL + 12345UL) & 0xffffffffUL;
  return static_cast<int>((g_state >> 16) & 0x7fff);
}

int Below(int n) { return n <= 0 ? 0 : Next() % n; }

double Unit() { return Next() / 32768.0; }

double Gauss(double mean, double deviation) {
  if (g_haveSpare) {
    g_haveSpare = false;
    return mean + deviation * g_spare;
  }
  double u, v, s;
  do {
    u = 2 * Unit() - 1;
    v = 2 * Unit() - 1;
    s = u * u + v * v;
  } while (s >= 1 || s == 0);
  double f = std::sqrt(-2 * std::log(s) / s);
  g_spare = v * f;
  g_haveSpare = true;
  return mean + deviation * u * f;
}

}  // namespace rnd
