// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording of the level being played: how it began, every action in the order the
// player made them (rewinds, and the actions a rewind took back, included), and the
// actions the game's present course is made of. It outlives the games a rewind makes
// anew, and writes the level's replay when the level ends.
#include <cstdint>
#include <string>
#include <vector>

#include "game/PlayerAction.h"
#include "game/ReplayFile.h"

class LevelRecorder {
 public:
  // Finished levels are written to folder; an empty folder writes nothing.
  explicit LevelRecorder(std::string folder = std::string()) : folder_(std::move(folder)) {}

  // A level began as start says (its actions and end are ignored).
  void Begin(const Replay& start);
  // A level began from a recording's start and the course it had taken so far: a
  // replay taken over by the player.
  void Continue(const Replay& start, const std::vector<PlayerAction>& course, int32_t rewinds);
  bool Recording() const { return recording_; }

  // An action the game applied.
  void Note(const PlayerAction& action);
  // The player went back from update from to update target: the actions from target on
  // leave the course, and the recording keeps the rewind.
  void NoteRewind(int32_t from, int32_t target);

  const Replay& Start() const { return start_; }
  const std::vector<PlayerAction>& Course() const { return course_; }
  const std::vector<PlayerAction>& Recorded() const { return recorded_; }
  int32_t Rewinds() const { return rewinds_; }

  // The level ended: its replay, written to the folder when there is one. Nothing when
  // no level is being recorded.
  std::optional<Replay> Finish(ReplayOutcome outcome, int32_t update, uint64_t hash);
  // The file the last Finish wrote, or empty.
  const std::string& LastWritten() const { return lastWritten_; }

 private:
  std::string folder_;
  bool recording_ = false;
  Replay start_;
  std::vector<PlayerAction> recorded_;
  std::vector<PlayerAction> course_;
  int32_t rewinds_ = 0;
  std::string lastWritten_;
};
