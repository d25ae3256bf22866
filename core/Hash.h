// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FNV-1a, 64 bits: a hash of bytes that is the same on every machine and in every run.
#include <cstdint>
#include <string_view>

namespace core {

constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ULL;

// Hashes bytes on from hash (the offset basis to begin with), so that one hash can run
// over several pieces in turn.
constexpr uint64_t Fnv1a64(std::string_view bytes, uint64_t hash = kFnvOffsetBasis) {
  constexpr uint64_t kPrime = 1099511628211ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kPrime;
  }
  return hash;
}

}  // namespace core
