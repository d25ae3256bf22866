// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player that plays to win: the autopilot's hands and routing, with a look ahead. Every
// so often it plays the next seconds on a private copy of the game (GameCopy) with the
// autopilot; when that loses money to a crash, turns a train back or leaves a train
// standing, it tries holding one switch or signal near the trains one way or the other for
// a while, each on a copy of its own, and keeps the choice only when it ends the look, and
// a longer one, clearly better than the autopilot alone. It acts only with the player's
// own hands (left clicks on switches and signals, right clicks on towns) and never changes
// the game it watches otherwise: a solver that looks without acting leaves the game as
// it would have gone without it. Its plays ahead are kept (LookRun) and read again by the
// next looks while the game goes as they foretold.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/Autopilot.h"
#include "game/ClickTargets.h"
#include "tools/game/LookRun.h"

class Game;
class LevelPlanner;
struct EventLog;

struct SolverOptions {
  int lookahead = 25000;   // ms of game time each try plays ahead; 0: the autopilot alone
  int period = 1000;       // ms between two looks ahead while trouble is ahead
  int quietPeriod = 3000;  // ms to the next look after one that found none
  int hold = 5000;         // ms a chosen switch or signal stays as chosen
  int reach = 3;           // the junctions on each train's way looked at for a hold
  int most = 16;           // holds tried in one look (about), nearest junctions first
  int soon = 15000;        // ms: only a crash this near is worth trying holds against
  int depth = 1;           // holds added in one look at the most
  int budget = 100;        // tries a minute of game time at the most (the cost's bound); a
                           // try longer than the look counts as that many looks
  int flips = 4;           // changes of one switch or signal within 2 s that make a loop
  int confirm = 4;         // a chosen hold must also win a look this many times longer
  // ms between two choices of the autopilot's ways for trains with no way straight to
  // their goal: through towns of other colours, or turning them back where a click can
  // stop them, or both, or neither. Each choice plays every way ahead for choiceLooks looks and
  // keeps the one with the most money. (0: no choice; trains go through towns once the
  // warehouse is empty, as always then.)
  int choice = 30000;
  int choiceLooks = 10;
  bool turnsOnTheWay = true;  // false: the choice leaves turns on the way out
  // true: the choice also plays the way with both, town turns and turns on the way
  bool bothTurns = true;
  bool acts = true;  // false: it looks ahead but never clicks (to show it changes nothing)
  // true: it also tries the holds that keep a switch or signal as the look ahead left it
  // (they play the look again; to show that leaving them out changes nothing)
  bool triesEveryHold = false;
  // false: every try plays from a new copy of the game, none read from a kept run (to
  // show that keeping them changes nothing)
  bool keepsRuns = true;
  // true: it plays the whole level ahead first and then plays its plan (LevelPlanner)
  bool plans = false;

  // The solver at about a third of the cost: shorter looks, and fewer and shorter choices
  // of ways. The shipped levels and their pars are proven with it; it wins less often on
  // the hardest railways.
  static SolverOptions Brief() {
    SolverOptions brief;
    brief.lookahead = 15000;
    brief.choice = 60000;
    brief.choiceLooks = 6;
    brief.bothTurns = false;
    return brief;
  }
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

  // What the solver has in mind, apart from its game, to go on with on a game that stands
  // as this one does.
  struct Memory {
    Autopilot::Memory pilot;
    std::vector<SolverHold> holds;
    std::map<Autopilot::ControlKey, int> states;
    std::map<Autopilot::ControlKey, std::vector<int>> flips;
    int tick = 0, nextLook = 0, nextChoice = 0, calmUntil = 0;
    SolverWays ways;
    bool losing = false;
    int looks = 0, tries = 0, holdsMade = 0;
  };
  Memory Remember() const;
  void ContinueFrom(const Memory& memory);
  // Holds a switch or signal as another player chose, as its own holds are kept.
  void Force(const SolverHold& hold) { holds_.push_back(hold); }
  int Tick() const { return tick_; }

  int Looks() const { return looks_; }
  int Tries() const { return tries_; }
  // The tries among them left out, as they would have played a look again.
  int Skipped() const { return skipped_; }
  // The tries read from a kept run, and the frames the runs played.
  int Reused() const { return reused_; }
  long long Played() const { return played_; }
  int Holds() const { return holdsMade_; }
  // Whether the last choice sends trains with no way straight home round by other towns.
  bool GoesRoundByTowns() const { return ways_.townTurns; }
  // Whether the last choice lets such trains turn back on the way.
  bool TurnsOnTheWay() const { return ways_.turnsOnTheWay; }
  const Autopilot& Pilot() const { return pilot_; }

  using Hold = SolverHold;

 private:
  // How good the copy's end is (its money, less the crashes on the way and the ways the
  // trains still have to go), and the crashes.
  struct Outcome {
    long long score = 0;
    long long money = 0;  // the copy's money at the end, less the crashes' later costs
    int crashes = 0;
    int stalled = 0;         // trains on the field all the look that hardly moved
    int firstCrash = -1;     // frames to the first crash, or -1
    int reversals = 0;       // turns of trains that had turned before in the look
    int firstReversal = -1;  // frames to the first, or -1
    std::vector<int> where;  // the junctions at either end of the first crash's track
  };
  // The frame of a try's first click of each switch and signal the autopilot clicked.
  using Clicks = std::map<Autopilot::ControlKey, int>;
  // Looks ahead; true when trouble was seen.
  bool Look();
  // Adds the hold that makes the best try clearly better, if one does and it stays
  // better over a longer look (best becomes its try). With the clicks of best's try, the
  // holds that would change nothing are left out.
  bool Improve(Outcome& best, const Clicks* clicks);
  // Whether adding the hold also beats the holds so far over the longer look.
  bool Confirmed(const Hold& hold);
  using Ways = SolverWays;
  // The game played ahead for ms on a copy with the holds, the autopilot's ways as chosen
  // (or as given). A try stops early once it has crashed more often than worst.
  // With clicks, the try's clicks are written there. A kept run that foretells the game
  // with these holds and ways is read and played on; otherwise one starts anew.
  Outcome Try(const std::vector<Hold>& holds, int ms, int worst = 1 << 20,
              const Ways* ways = nullptr, Clicks* clicks = nullptr);
  // Whether a hold keeps its switch or signal as it stands and the look without it
  // (whose clicks are given) leaves it so as long as the hold lasts: the game then plays
  // the same with and without it.
  bool ChangesNothing(const Hold& hold, const Clicks& clicks) const;
  // The run to read for the holds and ways: a kept one that foretells them, or the one
  // longest unused among those that do not foretell the game's own, started anew.
  LookRun* RunFor(const std::vector<Hold>& holds, const Ways& ways);
  // Plays the next choiceLooks looks with each way and keeps the one with the most money.
  void ChooseWays();
  // A switch or signal the autopilot throws to and fro (two trains each wanting it their
  // way, or a train turned back at it again and again) is held the way that plays
  // better; true when one was.
  bool BreakLoops();
  // Holds worth a try for frames: each switch and signal near the trains, both ways.
  std::vector<Hold> Candidates(const std::vector<int>& focus, int frames) const;
  void Note(const std::string& text) const;

  Game& game_;
  PlayerHands& hands_;
  SolverOptions options_;
  std::unique_ptr<LevelPlanner> planner_;
  const EventLog* log_;
  Autopilot pilot_;
  ClickTargets targets_;
  std::vector<std::unique_ptr<LookRun>> runs_;
  uint64_t print_ = 0;  // PlayPrint of the game at frame printed_
  int printed_ = -1;
  core::ParamEntries saved_;  // the game's saved state at frame savedAt_
  int savedAt_ = -1;
  int uses_ = 0;
  std::vector<Hold> holds_;
  std::set<Autopilot::ControlKey> held_;
  std::map<Autopilot::ControlKey, int> states_;              // as last seen
  std::map<Autopilot::ControlKey, std::vector<int>> flips_;  // when they changed lately
  uint64_t seenChange_ = 0;  // Junction::NewestChange() when they were last seen
  int tick_ = 0;
  int nextLook_ = 0;
  int nextChoice_ = 0;
  Ways ways_;            // chosen for the time to the next choice
  bool losing_ = false;  // the level's money is below its start: turns count
  int calmUntil_ = 0;    // the frame from which turns and standing trains get tries again
  int looks_ = 0;
  int tries_ = 0;
  int holdsMade_ = 0;
  int skipped_ = 0;
  int reused_ = 0;
  long long played_ = 0;
};
