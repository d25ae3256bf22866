// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ot-game solve: one level played by the solver (or the autopilot) on N seeds from the
// first (1..N by default), one line per seed with how the level ended.
#include <string>
#include <vector>

class GameSession;

struct SolveRequest {
  int seeds = 10;
  int first = 1;           // the first seed played
  int lookahead = -1;      // ms; -1: the solver's own default
  bool autopilot = false;  // the autopilot alone plays
  bool brief = false;      // the brief solver plays (SolverOptions::Brief)
  bool plan = false;       // the solver plans the whole level first (SolverOptions::plans)
  int puzzle = 0;          // a built-in Puzzle level 1.., or 0
  std::string file;        // else a level file
};

// Reads "[--seeds N] [--first S] [--lookahead MS] [--brief] [--plan] [--autopilot] puzzle L |
// FILE"; false with the reason when the arguments say something else.
bool ReadSolveRequest(const std::vector<std::string>& args, SolveRequest& request,
                      std::string& why);
// Plays the level on each seed and prints its line; 0, or 2 when the level cannot begin.
int RunSolve(GameSession& session, const SolveRequest& request);
