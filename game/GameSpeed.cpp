// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/GameSpeed.h"

bool GameSpeed::Valid(int factor) {
  return factor == 1 || factor == 2 || factor == kFastest || factor == -2 || factor == kSlowest;
}

bool GameSpeed::Set(int factor) {
  if (!Valid(factor)) return false;
  factor_ = factor;
  skipped_ = 0;
  return true;
}

void GameSpeed::Cycle() {
  if (factor_ == kSlowest)
    Set(-2);
  else if (factor_ < 0 || factor_ >= kFastest)
    Set(1);
  else
    Set(factor_ * 2);
}

void GameSpeed::CycleDown() {
  if (factor_ > 1)
    Set(factor_ / 2);
  else if (factor_ == 1)
    Set(-2);
  else if (factor_ == -2)
    Set(kSlowest);
  else
    Set(1);
}

std::string GameSpeed::Name() const {
  // Appended rather than "x" + std::to_string(...): GCC 12 at -O3 warns, wrongly, of an
  // overlapping copy inside that operator+.
  std::string name = factor_ < 0 ? "x1/" : "x";
  name += std::to_string(factor_ < 0 ? -factor_ : factor_);
  return name;
}
