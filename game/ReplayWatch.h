// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recorded level played again on a host, step by step: each action at its update, a
// recorded rewind taken as the player took it. The course the level has taken so far
// is kept, so that the player can take the level over at any moment.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/LevelReplay.h"

class LevelRecorder;

class ReplayWatch {
 public:
  explicit ReplayWatch(Replay replay) : replay_(std::move(replay)) {}

  // The level begun anew on the host; false (with the reason) when its start does not
  // load.
  bool Begin(LevelHost& host, std::string& why);
  // Applies the actions due before the game's next step; a recorded rewind makes the
  // game anew on the host. Once the recording has run out, a level that ended by a
  // dialog closed over its waiting end is ended as it was. The game to step, or nullptr
  // when a rewind's start failed.
  Game* BeforeStep(LevelHost& host);
  // The recording has run out: the game has reached the update the level ended at.
  bool Ended() const;
  Game* CurrentGame() const { return game_; }
  const Replay& Recording() const { return replay_; }
  // The course so far, and the rewinds taken so far.
  const std::vector<PlayerAction>& Course() const { return course_; }
  int32_t Rewinds() const { return rewinds_; }
  // The player takes the level over: the recorder goes on from the course so far.
  void TakeOver(LevelRecorder& recorder) const;

 private:
  Replay replay_;
  Game* game_ = nullptr;
  size_t next_ = 0;  // the first recorded action not yet applied
  std::vector<PlayerAction> course_;
  int32_t rewinds_ = 0;

  void Conclude();
};

namespace replay {
// The player's rewind in a live level: the game made anew on the host, 10 s of game
// time (kRewindSteps) before the current game's update, and played there along the
// recorder's course; the recorder keeps the rewind. Nullptr when the level's start
// does not load again.
Game* RewindLive(LevelHost& host, LevelRecorder& recorder, const Game& current, std::string& why);
}  // namespace replay
