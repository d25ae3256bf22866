// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Proposes a level's railway from a seed: towns on town places, the shortest tracks
// joining each town to the line (with some randomness in what "shortest" means), then
// loops and sidings until every town can send a train to every other town running
// forwards, and a few more loops where trains can give way to each other.
#include <cstdint>
#include <optional>

#include "tools/levels/Layout.h"

namespace levels {

struct Shape {
  int towns = 2;           // 2..8
  int extraLoops = 0;      // loops laid after every town reaches every other
  int crossingCost = 400;  // extra cost of an arc crossing another arc (lower: more crossings)
};

// The shape of a difficulty 1..4: towns and loops grow with it.
Shape ShapeFor(int difficulty, uint32_t seed);

// A layout that passes Layout::Fault and AllReachable, or nothing when this seed's
// attempt fails (try another seed).
std::optional<Layout> Propose(uint32_t seed, const Shape& shape);

}  // namespace levels
