// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player that plays to win: the autopilot's hands and routing, with a look ahead. Every
// so often it plays the next seconds on a private copy of the game (GameCopy) with the
// autopilot; when that loses money to a crash, it tries holding one switch or signal near
// the trains one way or the other for a while, each on a copy of its own, and keeps the
// choice that ends the look with the most money. It acts only with the player's own
// hands (left clicks on switches and signals, right clicks on towns) and never changes
// the game it watches otherwise: a solver that looks without acting leaves the game as
// it would have gone without it.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tools/game/Autopilot.h"
#include "tools/game/ClickTargets.h"

class Game;
class GameCopy;
struct EventLog;

struct SolverOptions {
  int lookahead = 12000;  // ms of game time each try plays ahead; 0: the autopilot alone
  int period = 1000;      // ms between two looks ahead
  int hold = 6000;        // ms a chosen switch or signal stays as chosen
  int reach = 3;          // the junctions on each train's way looked at for a hold
  bool acts = true;       // false: it looks ahead but never clicks (to show it changes nothing)
};

class Solver {
 public:
  // With a log, every choice is written down.
  Solver(Game& game, PlayerHands& hands, const SolverOptions& options,
         const EventLog* log = nullptr);
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // Once per frame while it plays.
  void Act();

  int Looks() const { return looks_; }
  int Tries() const { return tries_; }
  int Holds() const { return holdsMade_; }
  const Autopilot& Pilot() const { return pilot_; }

  // A switch (its active direction) or a signal (its light) held as chosen until a
  // time in frames.
  struct Hold {
    Autopilot::ControlKey key;
    int state = -1;
    int until = 0;
  };

 private:
  // The money the copy ends the look with, and the crashes on the way.
  struct Outcome {
    long long money = 0;
    int crashes = 0;
  };
  void Look();
  // The game played ahead on a copy with the holds.
  Outcome Try(const std::vector<Hold>& holds);
  // Holds worth a try: each switch and signal near the trains, both ways.
  std::vector<Hold> Candidates() const;
  void Note(const std::string& text) const;

  Game& game_;
  PlayerHands& hands_;
  SolverOptions options_;
  const EventLog* log_;
  Autopilot pilot_;
  ClickTargets targets_;
  std::unique_ptr<GameCopy> copy_;
  std::vector<Hold> holds_;
  std::set<Autopilot::ControlKey> held_;
  int tick_ = 0;
  int looks_ = 0;
  int tries_ = 0;
  int holdsMade_ = 0;
};

// Clicks the held switches and signals of a game that stand otherwise; false when one
// could not be reached.
void KeepHolds(Game& game, PlayerHands& hands, ClickTargets& targets,
               const std::vector<Solver::Hold>& holds);
