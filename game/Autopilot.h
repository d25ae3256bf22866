// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player for tests and benchmarks: it looks at the field as a player looks at the
// screen and acts only with the player's own hands (left clicks on switches and
// signals, right clicks on towns to call the repair train, the mode toggle), so that
// every ordinary train runs to the town of its colour, crazy trains to any town, and
// the repair train to the damaged track and then home. Of two trains that would meet
// head-on, the one that comes later gives way: it leaves its way at a switch before
// the meeting and comes back round, or turns back.
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/ClickTargets.h"
#include "game/RoutePlanner.h"
#include "game/Traffic.h"

class Game;
class Train;

// Where the autopilot writes down what it does and why, one line at a time.
class AutopilotLog {
 public:
  virtual ~AutopilotLog() = default;
  virtual void Print(const std::string& text) const = 0;
};

// What the autopilot acts with: the mouse buttons at screen points.
class PlayerHands {
 public:
  virtual void LeftClick(int x, int y) = 0;
  virtual void RightClick(int x, int y) = 0;

 protected:
  ~PlayerHands() = default;
};

class Autopilot {
 public:
  // It looks every kPeriod frames.
  static constexpr int kPeriod = 5;
  using ControlKey = std::tuple<int, int, bool>;  // junction, side, signal

  // With a log, every click is written down with what it was meant for.
  Autopilot(Game& game, PlayerHands& hands, const AutopilotLog* log);

  // Once per frame while it plays.
  void Act();

  // Goes on with what the other autopilot, playing the game this one's game copies,
  // has in mind: its rhythm, its last repair call and who gives way to whom.
  void ContinueFrom(const Autopilot& other);
  // What the autopilot has in mind, apart from its game: the trains named by their places
  // in the field's list, which a copy of the game keeps.
  struct Memory {
    int tick = 0;
    int lastCall = -1000;
    bool townTurns = false;
    bool turnsOnTheWay = false;
    std::vector<std::tuple<size_t, size_t, size_t>> yielders;  // the pair and who gives way
    std::vector<size_t> yieldedBefore;
  };
  Memory Remember() const;
  // Goes on with what an autopilot had in mind on a game that stood as this one does.
  void ContinueFrom(const Memory& memory);
  // Switches and signals another player holds as they are: the autopilot leaves them
  // alone (nullptr: none).
  void LeaveAlone(const std::set<ControlKey>* held) { held_ = held; }
  // Every switch and signal it clicks from now on is added to the end of clicked
  // (nullptr: none are written down).
  void WriteClicksTo(std::vector<ControlKey>* clicked) { clicked_ = clicked; }
  // Whether ways may turn in a town of another colour (RoutePlanner::SetTownTurns).
  void TurnInTowns(bool on);
  // Whether a train with no way straight to its goal may be sent a way that turns it back
  // further on, at a switch set against it or a red signal (off: it turns where it is,
  // when it has a way back).
  void TurnOnTheWay(bool on) { turnsOnTheWay_ = on; }
  // The junctions the trains come to next, and up to steps more on each train's way, as
  // the last look found them: nearest first (each train's next junction, then the ones
  // after), each once; the ways of the trains that pass one of the focus junctions
  // first.
  std::vector<int> JunctionsAhead(int steps, const std::vector<int>& focus = {}) const;
  // The track units the trains still have to go on their ways, as the last look found
  // them; a train with no way counts as lost units.
  long long DistanceLeft(int lost) const;

  int Clicks() const { return clicks_; }
  int RightClicks() const { return rightClicks_; }
  int TurnBacks() const { return turnBacks_; }
  int Diversions() const { return diversions_; }

 private:
  // One train's look ahead: where it decides next and its way from there.
  struct Plan {
    const Train* train = nullptr;
    int id = -1;
    int j = -1, a = -1, travelled = 0;  // the next junction, arrival direction, distance
    RouteGoal goal;
    Traffic::Mover mover;
    Route route;
    std::vector<Traffic::Conflict> meetings;  // head-on, one per other train, nearest first
    int giveWayBefore = -1;                   // it gives way before this distance; -1: it does not
  };

  bool MakePlan(const Train& train, int id, Plan& plan);
  RouteGoal GoalFor(const Train& train) const;
  // The junction the train decides at next, the direction it arrives in and how far
  // away it is; false when it is entering a town or has no junction ahead.
  bool NextDecision(const Train& train, int& j, int& a, int& travelled) const;
  // Who gives way in each meeting of two trains: the later one, unless it cannot and
  // the other can.
  void Meetings();
  const Plan* PlanOf(int id) const;
  // What makes the train give way before the distance: a diversion, else a turn.
  bool GiveWay(const Plan& plan, int before, std::vector<ControlNeed>& needs,
               bool* diverts = nullptr);
  // A repair train with no damaged track to go to.
  bool Idle(const Train& train) const;
  void Drive(const Plan& plan);
  // The need that sends the train off its way at the first switch before the given
  // distance, onto a branch that leads round to its goal; false when there is none.
  bool Divert(const Plan& plan, int before, std::vector<ControlNeed>& needs);
  // The need that turns the train back at its next junction with a switch set against
  // it or a red signal; with wayBack only when it has a way to its goal backwards.
  bool TurnBack(const Plan& plan, bool wayBack, std::vector<ControlNeed>& needs);
  void Count(const Train& train, bool diverts);
  void Want(const ControlNeed& need);
  void Apply();
  // True when a car of some train stands on or right at the junction: a player leaves
  // its switches alone then.
  bool TrainAt(int junction) const;
  void CallRepairTrain();
  bool Reachable(int junction, int side, bool signal);
  Route Find(int j, int a, int travelled, const RouteGoal& goal, const Traffic::Mover* mover,
             const RouteTurns* turns = nullptr);
  // How the train may turn on its way.
  static RouteTurns TurnsOf(const Train& train, const Traffic::Mover& mover);
  // Whether any way leads from junction j, arrived at in direction a, to the goal,
  // traffic aside (asked once a look).
  bool Leads(int j, int a, const RouteGoal& goal);
  // Forgets what Reachable(), Leads() and the planner found, when the field changed
  // since they were found.
  void ForgetAnswers();
  void Note(const std::string& text) const;

  Game& game_;
  PlayerHands& hands_;
  const AutopilotLog* log_;
  RoutePlanner planner_;
  ClickTargets targets_;
  Traffic traffic_;
  std::vector<Plan> plans_;
  // What this look wants of each switch and signal, by junction, side and kind (a
  // junction of -1: nothing), and the places wanted so far, in the order they came.
  std::array<ControlNeed, rail::kJunctions * 8> wanted_{};
  std::vector<size_t> wantedPlaces_;
  void ForgetWanted();
  // Whether a click reaches each switch and signal (by junction, side and kind), as this
  // look found it before its clicks: -1 not asked yet.
  std::array<int8_t, rail::kJunctions * 8> reachable_{};
  // Leads() as this look found it, by state, goal kind and town, red stops and crash sites.
  std::map<std::tuple<int, int, int, bool, bool>, bool> leads_;
  // What those answers were found from: the tracks and the crash sites (and the same
  // read now), and the newest change stamp of the field's junctions, read when any
  // junction's newest stamp was stampedAt_.
  std::vector<uint64_t> marks_, marksNow_;
  uint64_t newestStamp_ = 0, stampedAt_ = 0;
  // The tracks and newest stamp the traffic's crossings were learnt from.
  std::vector<uint64_t> crossingsMarks_;
  uint64_t crossingsStamp_ = 0;
  const std::set<ControlKey>* held_ = nullptr;
  std::vector<ControlKey>* clicked_ = nullptr;
  // Trains by their serials: giving way in this look, in the last.
  std::set<unsigned long long> yielding_, yieldedBefore_;
  // Who gives way in a meeting of two trains (by serials), kept while the meeting lasts so
  // that the choice does not swing between looks.
  using Pair = std::pair<unsigned long long, unsigned long long>;
  std::map<Pair, unsigned long long> yielders_;
  bool turnsOnTheWay_ = false;
  int tick_ = 0;
  int lastCall_ = -1000;
  int clicks_ = 0;
  int rightClicks_ = 0;
  int turnBacks_ = 0;
  int diversions_ = 0;
};
