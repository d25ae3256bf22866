// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/GameSpeed.h"

bool GameSpeed::Set(int factor) {
  if (factor != 1 && factor != 2 && factor != kFastest) return false;
  factor_ = factor;
  return true;
}

const char* GameSpeed::Label() const {
  switch (factor_) {
    case 2:
      return "x2";
    case kFastest:
      return "x4";
    default:
      return "";
  }
}
