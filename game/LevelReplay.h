// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing a recorded level again: the level begun as it began, then the game's steps
// with every action applied at the update it was made at. A rewind and a replay both
// come down to this, so a level rewound or watched takes exactly its recorded course.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/PlayerAction.h"
#include "game/ReplayFile.h"

class Game;
struct LevelFile;

// What playing a level again needs of the game's host.
class LevelHost {
 public:
  // A new game in place of the host's game, which goes without saving or recording
  // anything; the new one records nothing either.
  virtual Game& ReplaceGame() = 0;
  // One game step of kStepMs: the game and the pictures whose frames the field reads.
  virtual void StepGame() = 0;

 protected:
  ~LevelHost() = default;
};

namespace replay {

constexpr int32_t kStepMs = 20;
// How far one rewind goes back: 10 s of game time.
constexpr int32_t kRewindSteps = 10000 / kStepMs;

// The level of a pack a replay carries, read strictly (ParseLevelFile) and known by the
// ids and hash it was played under. Nullptr, with the reason on one line, when it is
// refused.
std::shared_ptr<const LevelFile> CarriedLevel(const ReplayPackLevel& pack, std::string& why);

// Sets the game up as the recorded level began: the settings it depends on, the level
// of a pack it carries, then a fresh level with the values it carried over, or the
// restore of its saved game. False, with the reason, when the carried level or the
// saved game does not load. A level of a pack leaves the game type setting alone: such a
// level plays the same under either.
bool BeginLevel(Game& game, const Replay& start, std::string& why);

// Runs the game's steps until it has run update steps, applying each action of course
// (from index next on) before the step its update names. Actions the game cannot reach
// (those of a later update, when update stops short) stay for the next call.
void PlayTo(LevelHost& host, Game& game, const std::vector<PlayerAction>& course, size_t& next,
            int32_t update);

// A rewind to update target takes back the actions of course made at target or later.
void TakeBack(std::vector<PlayerAction>& course, int32_t target);

// The recorded level begun anew on the host and played to update target along course
// (the actions before target: see TakeBack), without drawing. Nullptr (with the reason)
// when its start does not load.
Game* Rebuild(LevelHost& host, const Replay& start, const std::vector<PlayerAction>& course,
              int32_t target, std::string& why);

}  // namespace replay
