// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a game in progress needs from the screen that hosts it: the pause, the help
// screen with its check box, and the two statistics screens. The in-game screen
// implements it; tests and the scenario runner use recording fakes.
#include <cstdint>
#include <string>

// The statistics of a finished level, in the order the statistics screen shows them.
struct LevelStatistics {
  std::string player;
  int32_t level = 0;  // 1-based
  int32_t minutes = 0;
  int32_t trains = 0;
  int32_t trainsOnLevel = 0;
  int32_t money = 0;
  int32_t balanceChange = 0;
  int32_t rewinds = 0;  // how often the player went back in the level
  int32_t par = -1;     // the trains a level file asks for; -1 for the level table's levels
  int32_t hints = 0;    // the hints the player asked for in the level
};

// The final statistics after the money ran out.
struct GameOverStatistics {
  std::string player;
  int32_t topLevel = 0;   // 1-based level reached
  int32_t totalTime = 0;  // minutes
  int32_t trains = 0;
};

// The modal screens whose closing moves the game on.
enum class GameScreen { kLevelStatistics, kHelp, kNewGame, kOther };

class GameOwner {
 public:
  virtual void SetPaused(bool paused) = 0;
  // Opens the help screen; its check box ("do not show at start") starts as given.
  virtual void ShowHelp(bool dontShowAtStart) = 0;
  // The state of the help screen's check box.
  virtual bool HelpDontShowAtStart() const = 0;
  virtual void ShowLevelEnd(const LevelStatistics& statistics) = 0;
  virtual void ShowGameOver(const GameOverStatistics& statistics) = 0;

 protected:
  ~GameOwner() = default;
};
