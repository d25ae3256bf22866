// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the progress indicator needs from the game in progress: the fine charged
// each time its engine returns to the warehouse, and the game type that sets it.
#include <cstdint>

class FineSink {
 public:
  // Takes amount from the player's money.
  virtual void Fine(uint32_t amount) = 0;
  // 0 for the Classic game, 1 for the Puzzle game.
  virtual int32_t GameType() const = 0;

 protected:
  ~FineSink() = default;
};
