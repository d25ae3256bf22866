// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the replay file that its writer and its reader share.
#include <array>
#include <optional>
#include <string_view>

#include "game/ReplayFile.h"

namespace replay_names {

inline constexpr char kMagic[] = "OSTREL-TRAINS-REPLAY";

// The game types by their value.
inline constexpr std::array<const char*, 2> kTypes = {"classic", "puzzle"};
// The outcomes in the order of ReplayOutcome.
inline constexpr std::array<const char*, 3> kOutcomes = {"complete", "game-over", "quit"};

inline const char* OutcomeName(ReplayOutcome outcome) {
  const auto index = static_cast<size_t>(outcome);
  return index < kOutcomes.size() ? kOutcomes[index] : "?";
}

inline std::optional<ReplayOutcome> OutcomeFromName(std::string_view name) {
  for (size_t i = 0; i < kOutcomes.size(); ++i) {
    if (name == kOutcomes[i]) return static_cast<ReplayOutcome>(i);
  }
  return std::nullopt;
}

}  // namespace replay_names
