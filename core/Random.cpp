// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Random.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace rnd {
namespace {
unsigned long g_state = 1;
}  // namespace

void Seed(unsigned seed) { g_state = seed; }

int Next() {
  g_state = (g_state * 1103515245UL + 12345UL) & 0xffffffffUL;
  return static_cast<int>((g_state >> 16) & 0x7fff);
}

int Below(int n) { return n <= 0 ? 0 : Next() % n; }

double Unit() { return Next() / 32768.0; }

double Gauss(double mean, double deviation) {
  double x, y, s;
  do {
    x = 2.0 * Next() / 32767.0 - 1.0;
    y = 2.0 * Next() / 32767.0 - 1.0;
    s = x * x + y * y;
  } while (s > 1 || s == 0);  // s == 0 cannot come from these draws; kept from log(0)
  return mean + deviation * x * std::sqrt(-2.0 * std::log(s) / s);
}

unsigned StartSeed() {
  if (const char* text = std::getenv("OSTREL_TRAINS_SEED")) {
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 10);
    if (end != text && *end == '\0') return static_cast<unsigned>(value);
  }
  return static_cast<unsigned>(std::time(nullptr));
}

}  // namespace rnd
