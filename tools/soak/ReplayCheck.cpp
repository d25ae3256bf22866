// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soak/ReplayCheck.h"

#include <climits>
#include <cstdio>
#include <filesystem>

#include "game/ReplayFile.h"
#include "game/ReplayNames.h"
#include "tools/game/GameSession.h"

namespace {

void Count(const Replay& replay, ReplayTally& tally) {
  if (replay.end) {
    const ReplayOutcome outcome = replay.end->outcome;
    tally.complete += outcome == ReplayOutcome::kLevelComplete ? 1 : 0;
    tally.gameOver += outcome == ReplayOutcome::kGameOver ? 1 : 0;
    tally.quit += outcome == ReplayOutcome::kQuit ? 1 : 0;
    tally.rewound += replay.end->rewinds > 0 ? 1 : 0;
  }
  tally.resumed += replay.savedState.empty() ? 0 : 1;
}

std::string Describe(const std::string& path, const Replay& r) {
  char text[256];
  std::snprintf(text, sizeof text, "%s (%s level %d, %s, %d rewinds, %s at update %d)",
                std::filesystem::path(path).filename().c_str(),
                replay_names::kTypes[r.gameType & 1], r.level,
                r.savedState.empty() ? "fresh" : "resumed", r.end ? r.end->rewinds : 0,
                r.end ? replay_names::OutcomeName(r.end->outcome) : "?", r.end ? r.end->update : 0);
  return text;
}

// Empty when the replay ended as recorded, otherwise how it did not.
std::string Watch(GameSession& session, const std::string& path, ReplayTally& tally) {
  Replay replay;
  std::string why;
  if (!ReadReplayFile(path, replay, why)) return why;
  Count(replay, tally);
  const std::string name = Describe(path, replay);
  if (!session.Watch(replay, why) || !session.WatchTo(INT32_MAX, why)) return name + ": " + why;
  const WatchEnd& end = *session.WatchEnded();
  if (end.AsRecorded()) return std::string();
  char text[160];
  std::snprintf(text, sizeof text, ": ended at update %d with hash %016llx, recorded %016llx",
                end.update, static_cast<unsigned long long>(end.hash),
                static_cast<unsigned long long>(end.recorded));
  return name + text;
}

}  // namespace

ReplayTally CheckReplays(GameSession& session) {
  ReplayTally tally;
  for (const std::string& path : session.Written()) {
    ++tally.written;
    const std::string difference = Watch(session, path, tally);
    if (difference.empty()) {
      ++tally.asRecorded;
      continue;
    }
    ++tally.differ;
    if (tally.firstDifference.empty()) tally.firstDifference = difference;
  }
  session.EndGame();
  return tally;
}
