// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ReplayWatch.h"

#include <algorithm>

#include "game/Game.h"
#include "game/LevelRecorder.h"

bool ReplayWatch::Begin(LevelHost& host, std::string& why) {
  next_ = 0;
  course_.clear();
  rewinds_ = 0;
  game_ = replay::Rebuild(host, replay_, course_, 0, why);
  return game_ != nullptr;
}

Game* ReplayWatch::BeforeStep(LevelHost& host) {
  const std::vector<PlayerAction>& actions = replay_.actions;
  while (game_ && next_ < actions.size() && actions[next_].update <= game_->LevelUpdate()) {
    const PlayerAction& a = actions[next_++];
    if (a.kind != ActionKind::kRewind) {
      game_->Apply(a);
      course_.push_back(a);
      continue;
    }
    replay::TakeBack(course_, a.arg);
    ++rewinds_;
    std::string why;
    game_ = replay::Rebuild(host, replay_, course_, a.arg, why);
  }
  if (Ended()) Conclude();
  return game_;
}

// A dialog closed while the money had run out or the level was finishing ends the level
// at once, outside the game's steps and without an action: where the recording ended
// so and the game still waits, it is ended as that close ended it.
void ReplayWatch::Conclude() {
  if (!game_ || !replay_.end) return;
  const ReplayOutcome outcome = replay_.end->outcome;
  if ((outcome == ReplayOutcome::kGameOver && game_->GameState == kStateOutOfMoney) ||
      (outcome == ReplayOutcome::kLevelComplete && game_->GameState == kStateLevelFinishing)) {
    game_->AdvanceState();
  }
}

bool ReplayWatch::Ended() const {
  if (!game_) return true;
  const int32_t last = replay_.end ? replay_.end->update : 0;
  return next_ >= replay_.actions.size() && game_->LevelUpdate() >= last;
}

void ReplayWatch::TakeOver(LevelRecorder& recorder) const {
  recorder.Continue(replay_, course_, rewinds_);
}

namespace replay {

Game* RewindLive(LevelHost& host, LevelRecorder& recorder, const Game& current, std::string& why) {
  const int32_t from = current.LevelUpdate();
  const int32_t target = std::max(0, from - kRewindSteps);
  recorder.NoteRewind(from, target);
  Game* game = Rebuild(host, recorder.Start(), recorder.Course(), target, why);
  if (!game) return nullptr;
  // The player's own game again: it records and saves as before.
  game->AttachRecorder(&recorder);
  game->KeepSavedGames(true);
  return game;
}

}  // namespace replay
