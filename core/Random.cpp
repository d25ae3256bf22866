// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace rnd {
namespace {
uint32_t g_runSeed = 1;
}  // namespace

int Stream::Next() {
  state_ = state_ * 1103515245U + 12345U;  // modulo 2^32
  return static_cast<int>((state_ >> 16) & 0x7fff);
}

int Stream::Below(int n) { return n <= 0 ? 0 : Next() % n; }

double Stream::Unit() { return Next() / 32768.0; }

double Stream::Gauss(double mean, double deviation) {
  double x, y, s;
  do {
    x = 2.0 * Next() / 32767.0 - 1.0;
    y = 2.0 * Next() / 32767.0 - 1.0;
    s = x * x + y * y;
  } while (s > 1 || s == 0);  // s == 0 cannot come from these draws; kept from log(0)
  return mean + deviation * x * std::sqrt(-2.0 * std::log(s) / s);
}

Stream& GameStream() {
  static Stream stream;
  return stream;
}

Stream& PresentationStream() {
  static Stream stream;
  return stream;
}

void SetRunSeed(uint32_t seed) {
  g_runSeed = seed;
  GameStream().Seed(seed);
  PresentationStream().Seed(seed);
}

uint32_t RunSeed() { return g_runSeed; }

int Next() { return GameStream().Next(); }
int Below(int n) { return GameStream().Below(n); }
double Unit() { return GameStream().Unit(); }
double Gauss(double mean, double deviation) { return GameStream().Gauss(mean, deviation); }

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

}  // namespace rnd
