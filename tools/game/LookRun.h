// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solver's plays ahead, kept. A run plays the game on from one frame on a private copy
// (GameCopy) with the autopilot, the solver's holds and its ways, and writes down what
// each frame left: the money, the ways still to go, the crashes and where each train
// stands. A look over frames the run has played is read from that record; one that goes
// further plays the run on. While the game goes as its run foretold (the same holds and
// ways, and the game standing as the run did at that frame), the looks of the next
// seconds cost only the frames that are new to the run.
#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "game/Autopilot.h"
#include "game/ClickTargets.h"
#include "tools/game/GameCopy.h"

class Field;
class Game;

// A switch (its active direction) or a signal (its light) held as chosen until a time in
// frames.
struct SolverHold {
  Autopilot::ControlKey key;
  int state = -1;
  int until = 0;
  bool operator==(const SolverHold&) const = default;
};

// The autopilot's ways for trains with no way straight to their goal: through towns of
// other colours, turning back where a click can stop them.
struct SolverWays {
  bool townTurns = false;
  bool turnsOnTheWay = false;
  bool operator==(const SolverWays&) const = default;
};

// Once the warehouse is empty every train still out is fined: a train with no way straight
// to its goal is then sent round by a town, whatever ways were chosen, in the game and in
// its copies alike.
bool Emptied(Game& game);

// Clicks the held switches and signals of a game that stand otherwise.
void KeepHolds(Game& game, PlayerHands& hands, ClickTargets& targets,
               const std::vector<SolverHold>& holds);

// What a game shows of its play, to tell whether a run foretold it: the money, the random
// stream, where the trains are, and (switches: SwitchesPrint of its field) how the
// switches and signals stand.
uint64_t PlayPrint(const Game& game, uint64_t switches);
uint64_t SwitchesPrint(const Field& field);

class LookRun {
 public:
  // lost: the ways still to go of a train with no way, or of one queued in a town.
  LookRun(SDL_Surface* display, int lost);
  ~LookRun();
  LookRun(const LookRun&) = delete;
  LookRun& operator=(const LookRun&) = delete;

  // Starts the run from the game at frame tick (state: its saved state), its autopilot
  // going on from pilot's; false when the copy does not come to play.
  bool Start(Game& game, const core::ParamEntries& state, const Autopilot& pilot, int tick,
             const std::vector<SolverHold>& holds, const SolverWays& ways);
  // Whether the run foretells the game from frame tick with these holds and ways: it has
  // played that far, plays the same holds (those that last past tick) and ways, and
  // stood there as the game stands now (print: PlayPrint of the game).
  bool Serves(int tick, uint64_t print, const std::vector<SolverHold>& holds,
              const SolverWays& ways) const;

  // What the frames from tick on showed: frames of them, fewer when the level ended or,
  // from tick on, more than worst crashes came first.
  struct Window {
    int crashes = 0;
    int firstCrash = -1;         // frames to the first crash, or -1
    std::vector<int> where;      // the junctions at either end of its track, when it left a site
    int reversals = 0;           // turns of trains that had turned before in the window
    int firstReversal = -1;      // frames to the first, or -1
    std::vector<int> turnedAt;   // the track of the first
    int stalled = 0;             // trains on the same track at both ends of the window
    std::vector<int> stalledAt;  // the first one's track
    long long money = 0;         // at its end
    long long left = 0;          // the ways the trains still had to go at its end
  };
  // Plays on as far as the window needs and reads it. With clicks, the window's first
  // frame of each switch and signal the autopilot clicked is written there.
  Window Look(int tick, int frames, int worst, std::map<Autopilot::ControlKey, int>* clicks);

  // The frames the run has played since it was made.
  long long Steps() const { return steps_; }
  int LastUsed() const { return lastUsed_; }
  void Use(int stamp) { lastUsed_ = stamp; }

 private:
  struct TrainSeen {
    unsigned long long serial = 0;
    int colour = 0;
    size_t cars = 0;
    bool reversed = false;
    std::pair<int, int> track;
  };
  // What a frame left (the first: how the run began).
  struct Frame {
    long long money = 0;
    long long left = 0;
    int crashes = 0;  // since the run began
    int sites = 0;    // crash sites on the field
    std::pair<int, int> newestSite;
    bool ended = false;
    uint64_t print = 0;
    std::vector<TrainSeen> trains;  // the trains but the repair train, in the field's order
    std::vector<Autopilot::ControlKey> clicks;  // made in the frame that led here
  };
  // One frame more of the copy.
  void Step();
  Frame Record();
  // The index of the frame the window ends at.
  size_t End(size_t from, int frames, int worst);
  // Keeps the record from frame tick on.
  void Forget(int tick);

  SDL_Surface* display_;
  int lost_;
  std::unique_ptr<GameCopy> copy_;
  std::unique_ptr<Autopilot> pilot_;
  std::unique_ptr<ClickTargets> targets_;
  std::vector<SolverHold> plan_;   // the holds the run began with
  std::vector<SolverHold> holds_;  // those still to end
  std::set<Autopilot::ControlKey> held_;
  SolverWays ways_;
  std::vector<Autopilot::ControlKey> clicked_;
  // The copy's own random streams and settings, put in place while it plays.
  SharedState own_;
  // The copy's SwitchesPrint, found again only when a junction changed.
  uint64_t switches_ = 0;
  uint64_t switchesAt_ = 0;  // Junction::NewestChange() then
  int first_ = 0;            // the game's frame of frames_[0]
  std::vector<Frame> frames_;
  int lastUsed_ = 0;
  long long steps_ = 0;
};
