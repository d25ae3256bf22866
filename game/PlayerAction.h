// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the player does to a game, as a value: the screen turns mouse and keys into
// actions, the game applies each through Game::Apply and answers what happened, and a
// recording keeps them so that a level can be played again action for action.
#include <cstdint>
#include <optional>
#include <string>

enum class ActionKind : int32_t {
  kClick = 0,        // left button at (x, y): a tip, a call button, a switch or signal,
                     // the mode toggle, or laying track in building mode
  kRightClick = 1,   // right button at (x, y): the next track type, or a repair train
  kWheelDown = 2,    // the wheel at (x, y): the next track type
  kWheelUp = 3,      // the wheel at (x, y): the previous track type
  kTrackButton = 4,  // arg: the track-type button 0..5 of the left panel
  kSkipLevel = 5,    // the level-skip keys
  kSpeed = 6,        // arg: the game speed now, 1, 2 or 4 (-2, -4: x1/2, x1/4)
  kPause = 7,        // the screen paused the game
  kResume = 8,       // the pause ended
  kRewind = 9,       // arg: the update the level goes back to
  kHint = 10,        // the player asked which switch or signal to change next
};
constexpr int kActionKinds = 11;

struct PlayerAction {
  // The game updates of the level that ran before the action (0 before the first).
  int32_t update = 0;
  ActionKind kind = ActionKind::kClick;
  int32_t x = 0;
  int32_t y = 0;
  int32_t arg = 0;
  bool operator==(const PlayerAction&) const = default;
};

struct ActionResult {
  bool taken = false;  // the game did something with it; the screen passes it on otherwise
  int32_t cost = 0;    // what it cost the player (a refund is negative)
  int tip = -1;        // the tip the game showed for it, or -1
  int sound = -1;      // the sound the game played for it, or -1
};

namespace action {
// An action of the kind; the game stamps its update when it applies it.
inline PlayerAction Make(ActionKind kind, int32_t x = 0, int32_t y = 0, int32_t arg = 0) {
  return PlayerAction{.kind = kind, .x = x, .y = y, .arg = arg};
}
// The name of a kind in a replay file ("click", "rclick", ...); the kind of a name.
const char* Name(ActionKind kind);
std::optional<ActionKind> FromName(const std::string& name);
// Whether the kind carries a screen position, and whether it carries arg.
bool HasPosition(ActionKind kind);
bool HasArg(ActionKind kind);
}  // namespace action
