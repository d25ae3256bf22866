// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

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

std::optional<uint32_t> ReadSeed(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return {};
  // Leading zeros aside, more than ten digits cannot fit; strtoull would saturate.
  const size_t first = std::min(text.find_first_not_of('0'), text.size());
  if (text.size() - first > 10) return {};
  const unsigned long long value = std::strtoull(text.c_str() + first, nullptr, 10);
  if (value > std::numeric_limits<uint32_t>::max()) return {};
  return static_cast<uint32_t>(value);
}

unsigned ClockSeed() { return static_cast<unsigned>(std::time(nullptr)); }

namespace {
uint32_t g_runSeed = 1;
}  // namespace

void SetRunSeed(uint32_t seed) { g_runSeed = seed; }
uint32_t RunSeed() { return g_runSeed; }

}  // namespace rnd
