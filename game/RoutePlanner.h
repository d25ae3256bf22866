// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ways over the built track as a player reads them off the screen: from the junction a
// train comes to next, the shortest way to where it should go, with every switch and
// signal on the way in the position the train needs.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "railway/Field.h"

// A switch or signal that a way needs in a certain position.
struct ControlNeed {
  int junction = -1;
  int side = -1;
  bool signal = false;
  int want = -1;                           // a switch: its active direction
  SignalState light = SignalState::kNone;  // a signal: kGreen or kRed
  int distance = 0;                        // track units from the train to the junction
};

// Where a trip ends.
struct RouteGoal {
  enum Kind { kTown, kAnyTown, kCrashSite };
  Kind kind = kTown;
  int town = -1;                 // kTown: the town of the train's colour
  bool stopsAtRed = true;        // false for crazy trains
  bool avoidsCrashSites = true;  // false for the repair train
};

// Whether a click can change that switch or signal.
using Reachable = std::function<bool(int junction, int side, bool signal)>;
// What taking the track leaving a junction in a direction, distance units ahead of the
// train, costs beyond its length: never less than nothing.
using ExtraCost = std::function<int(int junction, int direction, int distance)>;

// One track of a way: it leaves junction in direction, distance units from the train.
struct RouteStep {
  int junction = -1;
  int direction = -1;
  int distance = 0;
};

// How a train may turn back on its way, at a switch set against it, a red signal or the
// end of the track: its last car then leads back the way the train came.
struct RouteTurns {
  int length = 0;  // the train's length, in track units
  int cost = 0;    // units a turn costs beyond the way back: the time to gather speed again
  // Where the last car would lead from if the train turned now: the junction it comes to,
  // the direction it arrives in and the units it has to go (j -1: unknown).
  int j = -1, a = -1, travelled = 0;
};

struct Route {
  bool found = false;
  int length = 0;
  std::vector<ControlNeed> needs;
  std::vector<RouteStep> steps;
};

class RoutePlanner {
 public:
  explicit RoutePlanner(const Field& field) : field_(field) {}

  // The way from junction at, reached over the track that left its previous junction in
  // direction arrival, the train being travelled units away from at. With turns, a train
  // with no way straight there may be sent a way that turns it back where a click can
  // stop it (or the track ends).
  Route Find(int at, int arrival, int travelled, const RouteGoal& goal, const Reachable& reachable,
             const ExtraCost& extra = nullptr, const RouteTurns* turns = nullptr);

  // Whether Find() would find a way, traffic and turns on the way aside (quicker: the
  // search stops at the first way it comes to).
  bool Exists(int at, int arrival, const RouteGoal& goal, const Reachable& reachable);

  // With town turns, a train that has no way straight to its goal may be sent into a town
  // that is not its goal: the town sends it back out, the other way (off: such towns end
  // every way).
  void SetTownTurns(bool on) { townTurns_ = on; }
  bool TownTurns() const { return townTurns_; }

  // True when leaving junction j in direction d enters a town (j is its inner junction).
  bool EntersTown(int j, int d, int* town) const;

  // With still on, the owner promises that the field and the answers of its reachable
  // stand still between two calls of Forget(): the planner then keeps what it read off
  // each junction, and the starts with no way straight to a goal, from one search to the
  // next (off: it reads them anew in each Find).
  void KeepAnswers(bool still) { keeps_ = still; }
  void Forget() { ++generation_; }

 private:
  static constexpr int kStates = rail::kJunctions * 12;
  // The shortest way; with turning_, through towns that send the train back out.
  Route Search(int at, int arrival, int travelled, const RouteGoal& goal,
               const Reachable& reachable, const ExtraCost& extra);
  // The exits a train arriving at j in direction a can take, at most three.
  int Exits(int j, int a, std::array<int, 3>& exits) const;
  // Adds the need for junction j, distance units from the train; false when it asks for
  // a change no click can make.
  static bool AddNeed(ControlNeed n, int j, int distance, bool change, const Reachable& reachable,
                      std::vector<ControlNeed>* needs);
  // Adds what leaving j in direction e (arrived in direction a) needs; false when a
  // switch or signal in the way cannot be changed. An e on the side the train came in
  // by is a turn there.
  bool StepNeeds(int j, int a, int e, const RouteGoal& goal, const Reachable& reachable,
                 int distance, std::vector<ControlNeed>* needs) const;
  // Adds what turns a train arriving at j in direction a back there; false when nothing
  // a click reaches (or a train may stop at) does.
  bool TurnNeeds(int j, int a, const RouteGoal& goal, const Reachable& reachable, int distance,
                 std::vector<ControlNeed>* needs) const;
  // Turns the train arriving at state s back, if it can be: where its last car then
  // leads from is the next state.
  void Turn(int s, const RouteGoal& goal, const Reachable& reachable, const ExtraCost& extra);
  // Where the last car of a train that turns at state s leads from: false when that is
  // not known (the train turned or came out of a town on its way there).
  bool LeadsBackFrom(int s, int& j, int& a, int& travelled) const;
  void Collect(int last, int exit, const RouteGoal& goal, const Reachable& reachable,
               Route& route) const;

  // Whether the track leaving j in direction d carries a crash site (of those the search
  // named at its start).
  bool SiteOnTrack(int j, int d) const;

  // What a train arriving at a junction in a direction may do there, as read off the
  // field: the exits, whether each may be taken as far as its switches and signals go,
  // and where each leads.
  struct Edges {
    uint32_t generation = 0;  // of the answers it was read with; 0: never read
    int count = 0;
    std::array<int, 3> exit{};
    std::array<bool, 3> passes{};  // StepNeeds allows it
    std::array<int, 3> town{};     // the town it enters, or -1
    std::array<bool, 3> site{};    // a crash site on its track
    std::array<bool, 3> onGrid{};  // its far junction is on the field
  };
  // The edges of state s for a train with the goal.
  const Edges& EdgesOf(int s, const RouteGoal& goal, const Reachable& reachable);
  // Where taking the edges' k-th exit leads: 1: the step ends the trip, 0: it goes on,
  // -1: it may not be taken, 2: it enters a town that sends the train back out.
  int EdgeEnds(const Edges& edges, int k, const RouteGoal& goal) const;

  // A state on the search's heap: its distance in the high half (its sign bit flipped, so
  // that the halves compare as the signed values do), the state in the low one: one
  // comparison orders by distance and then by state.
  using Item = uint64_t;
  static Item ItemOf(int distance, int state) {
    return static_cast<uint64_t>(static_cast<uint32_t>(distance) ^ 0x80000000u) << 32 |
           static_cast<uint32_t>(state);
  }
  static int DistanceOf(Item item) {
    return static_cast<int>(static_cast<uint32_t>(item >> 32) ^ 0x80000000u);
  }
  static int StateOf(Item item) { return static_cast<int>(item & 0xffffffffu); }
  const Field& field_;
  std::vector<Item> open_;              // the search's heap
  std::vector<rail::TrackName> sites_;  // the crash sites' tracks, for the search
  // The distances with the extra costs, valid where stamped with this search's number.
  int Dist(int s) const { return stamp_[s] == search_ ? dist_[s] : kFar; }
  void SetDist(int s, int d) {
    stamp_[s] = search_;
    dist_[s] = d;
  }
  static constexpr int kFar = 1 << 29;
  std::array<int, kStates> dist_{};
  std::array<uint32_t, kStates> stamp_{};
  uint32_t search_ = 0;
  bool existsOnly_ = false;           // the search stops at the first way found, collects nothing
  std::array<int, kStates> units_{};  // track units only (and the units turns lose)
  std::array<int, kStates> parent_{};
  std::array<int, kStates> exit_{};  // the direction the parent state left in
  // How each state was reached from its parent: over a track, through a town or by a turn.
  enum class Reached : uint8_t { kTrack, kTown, kTurn };
  std::array<Reached, kStates> reached_{};
  std::vector<Edges> edges_ = std::vector<Edges>(kStates * 2);  // by state and red stops
  uint32_t generation_ = 1;
  // The starts (state, goal kind and town, red stops, crash sites) from which the search
  // found no way straight to the goal, with the generation of the answers it read.
  std::map<std::tuple<int, int, int, bool, bool>, uint32_t> noStraightWay_;
  bool keeps_ = false;
  const RouteTurns* turns_ = nullptr;  // this search's
  int start_ = -1;                     // this search's first state
  bool townTurns_ = false;
  bool turning_ = false;  // this search turns in towns
};
