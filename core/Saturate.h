// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counter arithmetic that holds at the ends of a 32-bit counter instead of overflowing,
// whatever a saved game put in the counter.
#include <algorithm>
#include <cstdint>

namespace core {

// a + b, held to the range of int32_t.
inline int32_t SaturatedSum(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

// Adds amount to counter, held to the range of int32_t.
inline void AddTo(int32_t& counter, int64_t amount) { counter = SaturatedSum(counter, amount); }

}  // namespace core
