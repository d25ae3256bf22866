// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/LevelSpinner.h"

#include <algorithm>

namespace {

// Holding an arrow speeds the repeat up from kSlowest to kFastest over kRampTime.
constexpr int32_t kSlowest = 1000;
constexpr int32_t kSpeedUp = 950;
constexpr int32_t kRampTime = 5000;

}  // namespace

int32_t LevelSpinner::RepeatTimer = 0;

void LevelSpinner::SetValue(int32_t v) { Value = v; }

void LevelSpinner::SetRange(int32_t min, int32_t max) {
  Min = min;
  Max = max;
}

void LevelSpinner::Inc() { Value = std::min(Value + 1, Max); }

void LevelSpinner::Dec() { Value = std::max(Value - 1, Min); }

void LevelSpinner::PressInc() {
  Inc();
  HeldTime = 0;
  IncHeld = true;
}

void LevelSpinner::PressDec() {
  Dec();
  HeldTime = 0;
  DecHeld = true;
}

void LevelSpinner::ReleaseInc() { IncHeld = false; }

void LevelSpinner::ReleaseDec() { DecHeld = false; }

int32_t LevelSpinner::RepeatInterval() const {
  return kSlowest - (std::min(HeldTime, kRampTime) * kSpeedUp) / kRampTime;
}

void LevelSpinner::Update(int32_t dt) {
  if (!DecHeld && !IncHeld) return;
  HeldTime += dt;
  RepeatTimer += dt;
  if (RepeatTimer <= RepeatInterval()) return;
  RepeatTimer = 0;
  if (DecHeld) Dec();
  if (IncHeld) Inc();
}
