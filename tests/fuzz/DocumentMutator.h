// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Structure-aware changes of a parameter document, for the saved-game fuzz target: the
// changes of a doctored or damaged saved game that byte mutations rarely make whole. A
// number at a bound of its type (INT32_MIN/MAX, 2147483648, 0, -1, 1e-300, -0.0, 1e308,
// nan, inf), a count set to 0 with its records left or raised with its records repeated,
// records dropped, a list emptied, cut or repeated, entries dropped or shadowed, and towns
// short of the town counter.
#include <cstddef>
#include <cstdint>
#include <random>

#include "core/LParams.h"

namespace fuzz {

using Rng = std::mt19937;

// One change of the entries, picked by rng. Records and list items are repeated only
// while the document stays within maxBytes. False when nothing could be changed.
bool MutateEntries(core::ParamEntries& entries, Rng& rng, size_t maxBytes);

// The custom mutator's step on an input of a document target (FuzzSupport.h): a plain
// document behind an even selector byte is parsed, changed by MutateEntries and written
// back, now and then with the selector's game-type bit flipped. The new size, or 0 when
// the input holds no plain document or the result does not fit in maxSize.
size_t MutateDocumentInput(uint8_t* data, size_t size, size_t maxSize, uint32_t seed);

}  // namespace fuzz
