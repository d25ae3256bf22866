// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/RoutePlanner.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int kTownTurn = 150;  // units a turn in a town of another colour costs beyond its way

int State(int j, int a) { return j * 12 + a; }

}  // namespace

bool RoutePlanner::EntersTown(int j, int d, int* town) const {
  const Junction& at = field_.At(j);
  if (at.Town() < 0) return false;
  const bool into = at.TownOnLeft() ? (d >= 6 && d <= 9) : (d >= 0 && d <= 3);
  if (into && town) *town = at.Town();
  return into;
}

bool RoutePlanner::SiteOnTrack(int j, int d) const {
  if (sites_.empty()) return false;
  return std::find(sites_.begin(), sites_.end(), rail::NameOfTrack(j, d)) != sites_.end();
}

int RoutePlanner::Exits(int j, int a, std::array<int, 3>& exits) const {
  const Junction& at = field_.At(j);
  const int entry = rail::SideOf(rail::Opposite(a));
  const int side = rail::OppositeSide(entry);
  if (side < 0) return 0;
  const Junction::Switch& out = at.SwitchAt(side);
  if (out.state == SwitchState::kWorking) {
    int n = 0;
    for (int e : {out.active, out.another}) {
      if (at.End(e) == EndState::kBuilt) exits[n++] = e;
    }
    return n;
  }
  for (int k = 0; k < 3; ++k) {
    const int e = rail::SideDirection(side, k);
    if (at.End(e) == EndState::kBuilt) {
      exits[0] = e;
      return 1;
    }
  }
  return 0;
}

bool RoutePlanner::AddNeed(ControlNeed n, int j, int distance, bool change,
                           const Reachable& reachable, std::vector<ControlNeed>* needs) {
  if (change && !reachable(j, n.side, n.signal)) return false;
  n.junction = j;
  n.distance = distance;
  if (needs) needs->push_back(n);
  return true;
}

bool RoutePlanner::StepNeeds(int j, int a, int e, const RouteGoal& goal, const Reachable& reachable,
                             int distance, std::vector<ControlNeed>* needs) const {
  const Junction& at = field_.At(j);
  const int entry = rail::SideOf(rail::Opposite(a));
  const int side = rail::OppositeSide(entry);
  if (rail::SideOf(e) == entry) return TurnNeeds(j, a, goal, reachable, distance, needs);
  auto need = [&](const ControlNeed& n, bool change) {
    return AddNeed(n, j, distance, change, reachable, needs);
  };
  const Junction::Switch& in = at.SwitchAt(entry);
  if (in.state == SwitchState::kWorking) {
    const int own = rail::Opposite(a);
    if (!need({.side = entry, .want = own}, in.active != own)) return false;
  }
  const Junction::Switch& out = at.SwitchAt(side);
  if (out.state == SwitchState::kWorking) return need({.side = side, .want = e}, out.active != e);
  const SignalState light = at.SignalAt(entry).state;
  if (goal.stopsAtRed && (light == SignalState::kGreen || light == SignalState::kRed)) {
    return need({.side = entry, .signal = true, .light = SignalState::kGreen},
                light == SignalState::kRed);
  }
  return true;
}

bool RoutePlanner::TurnNeeds(int j, int a, const RouteGoal& goal, const Reachable& reachable,
                             int distance, std::vector<ControlNeed>* needs) const {
  // A crazy train runs past red signals and crashes on a switch set against it.
  if (!goal.stopsAtRed) return false;
  std::array<int, 3> exits{};
  if (Exits(j, a, exits) == 0) return true;  // the end of the track turns it
  const Junction& at = field_.At(j);
  const int entry = rail::SideOf(rail::Opposite(a));
  const int own = rail::Opposite(a);
  auto need = [&](const ControlNeed& n, bool change) {
    return AddNeed(n, j, distance, change, reachable, needs);
  };
  const Junction::Switch& in = at.SwitchAt(entry);
  if (in.state == SwitchState::kWorking) {
    return need({.side = entry, .want = in.active == own ? in.another : in.active},
                in.active == own);
  }
  if (at.SwitchAt(rail::OppositeSide(entry)).state == SwitchState::kWorking) return false;
  const SignalState light = at.SignalAt(entry).state;
  if (light != SignalState::kGreen && light != SignalState::kRed) return false;
  return need({.side = entry, .signal = true, .light = SignalState::kRed},
              light == SignalState::kGreen);
}

const RoutePlanner::Edges& RoutePlanner::EdgesOf(int s, const RouteGoal& goal,
                                                 const Reachable& reachable) {
  // What the switches and signals allow depends on the goal only through its red stops.
  Edges& edges = edges_[static_cast<size_t>(s * 2 + (goal.stopsAtRed ? 1 : 0))];
  if (edges.generation == generation_) return edges;
  edges.generation = generation_;
  const int j = s / 12, a = s % 12;
  edges.count = Exits(j, a, edges.exit);
  for (int k = 0; k < edges.count; ++k) {
    const int e = edges.exit[k];
    edges.passes[k] = StepNeeds(j, a, e, goal, reachable, 0, nullptr);
    edges.site[k] = SiteOnTrack(j, e);
    edges.town[k] = -1;
    EntersTown(j, e, &edges.town[k]);
    edges.onGrid[k] = rail::ValidJunction(rail::Neighbour(j, e));
  }
  return edges;
}

int RoutePlanner::EdgeEnds(const Edges& edges, int k, const RouteGoal& goal) const {
  if (goal.kind == RouteGoal::kCrashSite && edges.site[k]) return 1;
  if (edges.site[k] && goal.avoidsCrashSites) return -1;
  const int town = edges.town[k];
  if (town >= 0) {
    if (goal.kind == RouteGoal::kAnyTown || (goal.kind == RouteGoal::kTown && town == goal.town)) {
      return 1;
    }
    return turning_ ? 2 : -1;
  }
  return edges.onGrid[k] ? 0 : -1;
}

Route RoutePlanner::Find(int at, int arrival, int travelled, const RouteGoal& goal,
                         const Reachable& reachable, const ExtraCost& extra,
                         const RouteTurns* turns) {
  if (!keeps_) Forget();
  turns_ = nullptr;
  turning_ = false;
  // Whether a way goes straight there depends on the field alone, not on the traffic:
  // a train that had none from this junction has none until the field changes.
  Route route;
  const auto key = std::make_tuple(State(at, arrival), static_cast<int>(goal.kind), goal.town,
                                   goal.stopsAtRed, goal.avoidsCrashSites);
  const auto none = noStraightWay_.find(key);
  if (none == noStraightWay_.end() || none->second != generation_) {
    route = Search(at, arrival, travelled, goal, reachable, extra);
    if (!route.found && rail::ValidJunction(at) && rail::ValidDirection(arrival))
      noStraightWay_[key] = generation_;
  }
  if (!route.found && turns) {
    // No way goes straight there: one that turns the train back on the way will do.
    turns_ = turns;
    route = Search(at, arrival, travelled, goal, reachable, extra);
  }
  if (route.found || !townTurns_) return route;
  // No way goes straight there: one that turns in a town of another colour will do.
  turning_ = true;
  route = Search(at, arrival, travelled, goal, reachable, extra);
  turning_ = false;
  return route;
}

bool RoutePlanner::Exists(int at, int arrival, const RouteGoal& goal, const Reachable& reachable) {
  existsOnly_ = true;
  const bool found = Find(at, arrival, 0, goal, reachable).found;
  existsOnly_ = false;
  return found;
}

Route RoutePlanner::Search(int at, int arrival, int travelled, const RouteGoal& goal,
                           const Reachable& reachable, const ExtraCost& extra) {
  Route route;
  if (!rail::ValidJunction(at) || !rail::ValidDirection(arrival)) return route;
  if (++search_ == 0) {  // the stamps wrapped round: none may pass for this search's
    stamp_.fill(0);
    search_ = 1;
  }
  // The tracks with crash sites, named once for the whole search.
  sites_.clear();
  for (const CrashSite& site : field_.CrashSites())
    sites_.push_back(rail::NameOfTrack(site.place.j, site.place.d));
  // A heap of (distance, state), nearest on top, kept between searches for its memory.
  std::vector<Item>& open = open_;
  open.clear();
  const auto push = [&open](int distance, int state) {
    open.push_back(ItemOf(distance, state));
    std::push_heap(open.begin(), open.end(), std::greater<Item>());
  };
  const int start = State(at, arrival);
  start_ = start;
  SetDist(start, travelled);
  units_[start] = travelled;
  parent_[start] = -1;
  reached_[start] = Reached::kTrack;
  push(travelled, start);
  int bestLength = kFar, bestState = -1, bestExit = -1;
  while (!open.empty()) {
    std::pop_heap(open.begin(), open.end(), std::greater<Item>());
    const int d = DistanceOf(open.back());
    const int s = StateOf(open.back());
    open.pop_back();
    if (d != Dist(s) || d >= bestLength) continue;
    const int j = s / 12;
    const Edges& edges = EdgesOf(s, goal, reachable);
    for (int k = 0; k < edges.count; ++k) {
      const int e = edges.exit[k];
      const int ends = EdgeEnds(edges, k, goal);
      if (ends < 0 || !edges.passes[k]) continue;
      // The extra cost is never negative: a step that cannot win without it is not asked
      // for it.
      const auto withExtra = [&](int least, int known) {
        return least >= known || !extra ? least : least + extra(j, e, units_[s]);
      };
      if (ends == 2) {
        // The town sends the train back out over the same track, the other way.
        const int back = State(j, rail::Opposite(e));
        const int through = withExtra(d + 2 * rail::TrackLength(e) + kTownTurn, Dist(back));
        if (through < Dist(back)) {
          SetDist(back, through);
          units_[back] = units_[s] + 2 * rail::TrackLength(e);
          parent_[back] = s;
          exit_[back] = e;
          reached_[back] = Reached::kTown;
          push(through, back);
        }
        continue;
      }
      if (ends > 0) {
        if (existsOnly_) {
          route.found = true;
          return route;
        }
        if (d < bestLength) {
          bestLength = d;
          bestState = s;
          bestExit = e;
        }
        continue;
      }
      const int next = State(rail::Neighbour(j, e), e);
      const int step = withExtra(d + rail::TrackLength(e), Dist(next));
      if (step < Dist(next)) {
        SetDist(next, step);
        units_[next] = units_[s] + rail::TrackLength(e);
        parent_[next] = s;
        exit_[next] = e;
        reached_[next] = Reached::kTrack;
        push(step, next);
      }
    }
    if (turns_) Turn(s, goal, reachable, extra);
  }
  if (bestState < 0) return route;
  route.found = true;
  route.length = units_[bestState];
  Collect(bestState, bestExit, goal, reachable, route);
  return route;
}

void RoutePlanner::Turn(int s, const RouteGoal& goal, const Reachable& reachable,
                        const ExtraCost& extra) {
  const int j = s / 12, a = s % 12;
  const int back = rail::Opposite(a);
  if (!TurnNeeds(j, a, goal, reachable, units_[s], nullptr)) return;
  int q = -1, b = -1, left = 0;
  if (!LeadsBackFrom(s, q, b, left) || !rail::ValidJunction(q) || !rail::ValidDirection(b)) return;
  const int next = State(q, b);
  const int behind = rail::Neighbour(q, rail::Opposite(b));
  if (goal.avoidsCrashSites && (SiteOnTrack(j, back) || SiteOnTrack(behind, b))) return;
  // The train's traffic: on the track it turns on, and on the track its last car leads
  // it back over.
  const int traffic = extra ? extra(j, back, units_[s]) + extra(behind, b, units_[s]) : 0;
  const int length = Dist(s) + turns_->cost + left + traffic;
  if (length >= Dist(next)) return;
  SetDist(next, length);
  units_[next] = units_[s] + turns_->cost + left;
  parent_[next] = s;
  exit_[next] = back;
  reached_[next] = Reached::kTurn;
  open_.push_back(ItemOf(length, next));
  std::push_heap(open_.begin(), open_.end(), std::greater<Item>());
}

bool RoutePlanner::LeadsBackFrom(int s, int& j, int& a, int& travelled) const {
  // The last car is the train's length back along the way the train came.
  int remaining = turns_->length;
  for (int t = s; t != start_; t = parent_[t]) {
    if (reached_[t] != Reached::kTrack) return false;
    const int e = exit_[t];
    const int length = rail::TrackLength(e);
    if (remaining < length) {
      j = parent_[t] / 12;
      a = rail::Opposite(e);
      travelled = length - remaining;
      return true;
    }
    remaining -= length;
  }
  // Back on the track the train is on now, or behind it where its last car is.
  const int e = start_ % 12;
  const int length = rail::TrackLength(e);
  if (remaining < length) {
    j = rail::Neighbour(start_ / 12, rail::Opposite(e));
    a = rail::Opposite(e);
    travelled = length - remaining;
    return true;
  }
  j = turns_->j;
  a = turns_->a;
  travelled = turns_->travelled;
  return j >= 0;
}

void RoutePlanner::Collect(int last, int exit, const RouteGoal& goal, const Reachable& reachable,
                           Route& route) const {
  // The way's length in tracks, so that its lists are sized once.
  size_t tracks = 0;
  for (int s = last; s >= 0; s = parent_[s]) tracks += reached_[s] == Reached::kTurn ? 2 : 1;
  route.needs.reserve(tracks);
  route.steps.reserve(tracks);
  for (int s = last, e = exit; s >= 0; e = exit_[s], s = parent_[s]) {
    StepNeeds(s / 12, s % 12, e, goal, reachable, units_[s], &route.needs);
    route.steps.push_back({s / 12, e, units_[s]});
    if (reached_[s] == Reached::kTurn) {
      // The track the turned train's last car leads it back over, from the turn on.
      const int b = s % 12;
      route.steps.push_back({rail::Neighbour(s / 12, rail::Opposite(b)), b, units_[parent_[s]]});
    }
  }
  std::reverse(route.needs.begin(), route.needs.end());
  std::reverse(route.steps.begin(), route.steps.end());
}
