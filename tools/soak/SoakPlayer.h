// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player without a plan: from one seed it moves and clicks the mouse, mostly on the
// switches, signals, call buttons, panel buttons and towns of the field, turns the wheel,
// presses keys, answers the dialogs, switches the colour symbols, and now and then starts
// a new game, saves or loads, rewinds the level (Backspace, when the session records),
// or lets the autopilot play for a while. The same seed gives the same input.
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>

class ClickTargets;
class FieldSprite;
class GameSession;

// What the last step did to the game as a whole (a rewind makes another game object).
enum class Replaced { kNo, kNewGame, kOtherGame };

// Counts of what the player did.
struct SoakCounts {
  long long actions = 0;
  long long newGames = 0;
  long long saves = 0;
  long long loads = 0;
  long long rewinds = 0;
};

class SoakPlayer {
 public:
  SoakPlayer(GameSession& session, uint32_t seed);
  ~SoakPlayer();
  SoakPlayer(const SoakPlayer&) = delete;
  SoakPlayer& operator=(const SoakPlayer&) = delete;

  // Perhaps some input, then one frame of the game.
  Replaced Step(long long frame);

  // The last actions, oldest first, one a line.
  std::string Recent() const;
  const SoakCounts& Counts() const { return counts_; }
  bool AutopilotOn() const { return autopilot_; }

 private:
  Replaced Act();
  Replaced AnswerDialog();
  Replaced Rare();
  void ClickPicture();
  void ClickCallButton();
  void ClickToggle();
  void RightClickTown();
  void PressKey();
  void PressTrackButton();
  void SwitchColourSymbols();
  Replaced NewGame();
  bool Chance(double p);
  int Below(int n);
  void Note(std::string text);
  void Targets();

  GameSession& session_;
  std::mt19937 rng_;
  std::unique_ptr<ClickTargets> targets_;
  long long targetsFor_ = -1;  // the session's GamesMade when the targets were made
  long long frame_ = 0;
  bool autopilot_ = false;
  std::deque<std::string> recent_;
  SoakCounts counts_;
};
