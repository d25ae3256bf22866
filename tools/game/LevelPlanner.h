// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solver with a plan: before it acts in a level, it plays the whole level ahead on a
// private copy of the game (GameCopy) with the solver, keeping the game's state every
// second. At each crash of that play it goes back a few seconds and tries holding a switch
// or signal near the crash one way or the other from there, each try on a copy of its own
// played two minutes on; the hold whose try ends with the most money, if clearly more than
// without it, joins the plan, and the play goes on from where the hold starts. A crash that
// no hold helps stays. The plan's play starts from what the solver playing the game had
// in mind when the level was laid out, so that without holds it is the solver's own play,
// with the period between its choices of ways that ended the level with the most money
// when played alone (ChooseSolver); a plan that ends the level with no more money than
// that play is dropped: holds judged over two minutes can cost more later. The game is then
// played by the solver with the plan's holds added at their frames, its solver taken up
// from memory wherever the plan's play took its solver up from memory: the rules are
// deterministic, so it goes as the plan foretold. Should it ever stand otherwise at a
// kept second (Diverged), it goes on with the solver and the plan's later holds.
//
// Going back needs more than a saved game: a copy takes the running state a saved game
// leaves out (the clocks, the trains' speeds, the progress engine) from the game it
// copies. So each kept second also keeps a copy of the game standing still at that frame,
// for the last seconds that are gone back to.
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/game/GameCopy.h"
#include "tools/game/Solver.h"

class Game;
struct EventLog;

struct PlanOptions {
  int keepEvery = 50;                      // frames between two kept states
  int horizon = 6000;                      // frames a try plays on past the crash it is against
  std::vector<int> backs{150, 500, 1000};  // frames before a crash a hold may start
  int last = 300;                          // frames past the crash a hold lasts
  int radius = 160;            // pixels round the crash whose switches and signals are tried
  long long budget = 6000000;  // frames the tries may play in all
  // ms added to the solver's period between two choices of ways: the solver alone plays
  // the level with each first, and the plan starts from the one that ends with the most
  // money (the first of them when none ends with more).
  std::vector<int> choiceShifts{0, -6000, 6000};
};

class LevelPlanner {
 public:
  // solver: the options of the solver that plays the plan, and the copies' solvers.
  LevelPlanner(Game& game, PlayerHands& hands, const PlanOptions& options,
               const SolverOptions& solver, const EventLog* log);
  ~LevelPlanner();
  LevelPlanner(const LevelPlanner&) = delete;
  LevelPlanner& operator=(const LevelPlanner&) = delete;

  // Once per frame while it plays.
  void Act();

  // The crashes the plan foretold, its holds, and the frames its plays ahead took.
  int PlannedCrashes() const { return plannedCrashes_; }
  int PlannedHolds() const { return static_cast<int>(holds_.size()); }
  long long Played() const { return played_; }
  // Whether the game ever stood otherwise than the plan foretold at a kept second.
  bool Diverged() const { return diverged_; }

  // A hold with the frames it starts and ends at, counted from the plan's first frame.
  struct Hold {
    SolverHold hold;  // its until: the frame it ends at
    int from = 0;
  };
  // The game as the plan's play left it at a frame.
  struct Kept {
    int frame = 0;
    core::ParamEntries state;
    SharedState shared;
    Solver::Memory memory;
    bool remembers = false;  // false: the solver starts afresh there
    uint64_t print = 0;      // PlayPrint
    int crashes = 0;         // since the plan's first frame
    // The game standing still at that frame; none at the first, whose game is the game.
    std::shared_ptr<GameCopy> still;
  };

 private:
  class Run;
  // The plan, from the game as it stands and what the solver has in mind.
  void MakePlan(const Solver::Memory& memory);
  // Plays the plan from the kept state at frame from, keeping states, until a crash at a
  // frame at least settled (its frame) or the end (-1).
  int PlayOn(int from, int settled);
  // Adds the best hold against the crash at that frame, if one is clearly better than
  // none; the frame it starts at, or -1.
  int Mend(int crash, int settled);
  // How a play on the trial copy ended: its money, its crashes since the plan's first
  // frame and the track units its trains still had to go (money LLONG_MIN: it could not
  // start).
  struct End {
    long long money = LLONG_MIN;
    int crashes = 0;
    long long left = 0;
  };
  // The play with the holds from the kept state at frame from to frame to, or to the
  // level's end (or Last) when that comes first.
  End Play(const std::vector<Hold>& holds, int from, int to);
  // The play judged: its money, less the crashes' later costs and the ways the trains
  // still have to go.
  long long Try(const std::vector<Hold>& holds, int from, int to);
  // The frame no play goes beyond: far past the level's minutes, should a level not end
  // (a train left on the field after its time is fined until it leaves).
  int Last() const;
  // Plays the level with the solver alone for each of the choice periods and keeps the
  // options of the play that ends with the most money; that play's end.
  End ChooseSolver();
  // Drops the plan for the solver's own play when that ends the level with as much money.
  void DropIfNoBetter();
  std::vector<Hold> Candidates(int from, int crash) const;
  // Whether the play can go back to the state kept at the frame.
  bool Usable(int frame) const;
  static GameCopy& Copy(std::unique_ptr<GameCopy>& copy);
  void Note(const std::string& text) const;

  Game& game_;
  PlayerHands& hands_;
  PlanOptions options_;
  SolverOptions own_;            // the options of the solver that plays the plan, as given
  SolverOptions solverOptions_;  // and as chosen for the level
  End alone_;                    // the chosen solver's play without holds
  const EventLog* log_;
  // Plays the game: from the first frame as the solver alone would, while the level is
  // laid out, then with the plan.
  std::unique_ptr<Solver> solver_;
  std::unique_ptr<GameCopy> main_, trial_;  // the plan's play, and the tries'
  std::vector<Hold> holds_;
  std::map<int, Kept> kept_;
  std::vector<int> crashAt_;  // the junctions at either end of the last crash's track
  // The frames the plan's play went on from a kept state, its solver taken up from memory
  // there. The game's solver is taken up from the same memory at the same frames, so that
  // it plays as the plan's play did even where a solver's memory leaves something out.
  std::vector<int> resumes_;
  int tick_ = 0;
  int start_ = -1;       // the game's frame the plan starts at
  int levelUpdate_ = 0;  // the game's level update when last seen: a new level plans anew
  int plannedCrashes_ = 0;
  long long plannedMoney_ = 0;  // the money the plan's play ended the level with
  long long played_ = 0;
  bool diverged_ = false;
};
