// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayerAction.h"

#include <array>

namespace {

// The names in the order of the kinds' values.
constexpr std::array<const char*, kActionKinds> kNames = {
    "click", "rclick", "wheel-down", "wheel-up", "track", "skip",
    "speed", "pause",  "resume",     "rewind",   "hint",
};

}  // namespace

namespace action {

const char* Name(ActionKind kind) {
  const auto index = static_cast<size_t>(kind);
  return index < kNames.size() ? kNames[index] : "?";
}

std::optional<ActionKind> FromName(const std::string& name) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (name == kNames[i]) return static_cast<ActionKind>(i);
  }
  return std::nullopt;
}

bool HasPosition(ActionKind kind) {
  return kind == ActionKind::kClick || kind == ActionKind::kRightClick ||
         kind == ActionKind::kWheelDown || kind == ActionKind::kWheelUp;
}

bool HasArg(ActionKind kind) {
  return kind == ActionKind::kTrackButton || kind == ActionKind::kSpeed ||
         kind == ActionKind::kRewind;
}

}  // namespace action
