// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelRecorder.h"

#include <ctime>

#include "game/LevelReplay.h"

void LevelRecorder::Begin(const Replay& start) {
  start_ = start;
  start_.actions.clear();
  start_.end.reset();
  recorded_.clear();
  course_.clear();
  rewinds_ = 0;
  recording_ = true;
}

void LevelRecorder::Continue(const Replay& start, const std::vector<PlayerAction>& course,
                             int32_t rewinds) {
  Begin(start);
  recorded_ = course;
  course_ = course;
  rewinds_ = rewinds;
}

void LevelRecorder::Note(const PlayerAction& action) {
  if (!recording_) return;
  recorded_.push_back(action);
  if (action.kind != ActionKind::kRewind) course_.push_back(action);
}

void LevelRecorder::NoteRewind(int32_t from, int32_t target) {
  if (!recording_) return;
  recorded_.push_back(PlayerAction{from, ActionKind::kRewind, 0, 0, target});
  replay::TakeBack(course_, target);
  ++rewinds_;
}

std::optional<Replay> LevelRecorder::Finish(ReplayOutcome outcome, int32_t update, uint64_t hash) {
  if (!recording_) return std::nullopt;
  recording_ = false;
  Replay replay = start_;
  replay.actions = recorded_;
  replay.end = ReplayEnd{outcome, update, hash, rewinds_};
  lastWritten_.clear();
  if (!folder_.empty()) lastWritten_ = SaveNewReplay(folder_, replay, std::time(nullptr));
  return replay;
}
