// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a level file headless from its start to its statistics, with a player or
// with no input at all, and says how it ended.
#include <SDL.h>

#include <memory>

#include "game/LevelFile.h"
#include "tools/game/Solver.h"

namespace levels {

struct PlayResult {
  bool ended = false;  // the statistics came within the time limit
  int delivered = 0;   // trains delivered in the level
  int balance = 0;     // money at the end less money at the start
  int money = 0;       // money at the end
  // The level is finished: it ended with money above zero and at least par delivered.
  bool Finished(int par) const { return ended && money > 0 && delivered >= par; }
};

// Who plays: nobody (no input at all), the autopilot, or the solver with its look ahead.
struct Player {
  enum Kind { kNobody, kAutopilot, kSolver };
  Kind kind = kAutopilot;
  SolverOptions solver = SolverOptions::Brief();  // the levels are proven with the brief one
};

// One play of level with the run seed seed.
PlayResult PlayLevel(SDL_Surface* display, const std::shared_ptr<const LevelFile>& level,
                     unsigned seed, const Player& player);

}  // namespace levels
