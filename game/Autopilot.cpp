// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Autopilot.h"

#include <algorithm>
#include <utility>

#include "engine/LClip.h"
#include "game/Game.h"

namespace {

constexpr int kCallPause = 30;       // looks between two repair calls (3 s)
constexpr int kTownBandLeft = 291;   // right clicks left of this or from kTownBandRight on
constexpr int kTownBandRight = 660;  // reach the towns

std::string ControlName(const ControlNeed& n) {
  return std::string(n.signal ? "signal " : "switch ") + std::to_string(n.junction) + " side " +
         std::to_string(n.side);
}

// Everything the planner's ways and the click targets are read from, besides the
// junctions: the tracks, and the crash sites with their call buttons.
void MarkTracks(const Field& field, std::vector<uint64_t>& marks) {
  marks.clear();
  marks.push_back(field.Tracks().size());
  for (const CrashSite& site : field.CrashSites()) {
    marks.push_back(static_cast<uint64_t>(site.place.j * 12 + site.place.d));
    marks.push_back(reinterpret_cast<uintptr_t>(site.button));
  }
}

// The newest change stamp among the field's junctions (their ends, switches, signals,
// town and pictures): stamps only grow, so any change to one of them raises it.
uint64_t NewestStamp(const Field& field) {
  uint64_t newest = 0;
  for (int j = 0; j < rail::kJunctions; ++j) newest = std::max(newest, field.At(j).Changes());
  return newest;
}

// The place of a switch or signal in the tables kept by junction, side and kind.
size_t ControlPlace(int junction, int side, bool signal) {
  return static_cast<size_t>((junction * 4 + side) * 2 + (signal ? 1 : 0));
}

}  // namespace

Autopilot::Autopilot(Game& game, PlayerHands& hands, const AutopilotLog* log)
    : game_(game), hands_(hands), log_(log), planner_(game.GetField()), targets_(game) {
  reachable_.fill(-1);
  // The field stands still from one ForgetAnswers() to the next.
  planner_.KeepAnswers(true);
}

void Autopilot::Note(const std::string& text) const {
  if (log_) log_->Print("autopilot " + text);
}

bool Autopilot::Reachable(int junction, int side, bool signal) {
  // The ways of one look ask after the same switches and signals again and again; what a
  // click reaches does not change until the look clicks.
  int8_t& known = reachable_[ControlPlace(junction, side, signal)];
  if (known < 0) {
    const Junction& at = game_.GetField().At(junction);
    const FieldSprite* picture = signal ? at.SignalAt(side).picture : at.SwitchAt(side).picture;
    int x = 0, y = 0;
    known = targets_.PointFor(picture, x, y) ? 1 : 0;
  }
  return known != 0;
}

Route Autopilot::Find(int j, int a, int travelled, const RouteGoal& goal,
                      const Traffic::Mover* mover, const RouteTurns* turns) {
  auto reachable = [this](int junction, int side, bool signal) {
    return Reachable(junction, side, signal);
  };
  if (!mover) return planner_.Find(j, a, travelled, goal, reachable);
  auto extra = [this, mover](int junction, int direction, int distance) {
    return traffic_.Cost(junction, direction, distance, *mover);
  };
  return planner_.Find(j, a, travelled, goal, reachable, extra, turns);
}

RouteTurns Autopilot::TurnsOf(const Train& train, const Traffic::Mover& mover) {
  RouteTurns turns;
  turns.length = static_cast<int>(mover.length);
  // A turned train stops and gathers speed again: the units it loses to that, at top speed.
  const double gain = train.acceleration / std::max(1, train.CarCount());
  if (gain > 0) turns.cost = static_cast<int>(train.topSpeed * train.topSpeed / (2 * gain));
  if (!train.cars.empty()) {
    const rail::Place& last = train.cars.back().place;
    turns.j = last.j;
    turns.a = rail::Opposite(last.d);
    turns.travelled = static_cast<int>(last.pos);
  }
  return turns;
}

bool Autopilot::Leads(int j, int a, const RouteGoal& goal) {
  // Whether a way exists depends on the field alone, which stands still until the look
  // clicks; the ways round of many meetings ask after the same branches.
  const auto key = std::make_tuple(j * 12 + a, static_cast<int>(goal.kind), goal.town,
                                   goal.stopsAtRed, goal.avoidsCrashSites);
  const auto [it, added] = leads_.try_emplace(key, false);
  if (added) {
    it->second = planner_.Exists(j, a, goal, [this](int junction, int side, bool signal) {
      return Reachable(junction, side, signal);
    });
  }
  return it->second;
}

void Autopilot::Act() {
  if (++tick_ % kPeriod != 0 || game_.GameState != kStatePlaying) return;
  if (game_.iGameMode == kBuildingMode) {
    const PanelBox toggle = game_.Panel().ToggleBox();
    if (toggle.Empty()) return;
    Note("clicks the mode toggle");
    hands_.LeftClick(toggle.x + toggle.w / 2, toggle.y + toggle.h / 2);
    ++clicks_;
    return;
  }
  ForgetWanted();
  ForgetAnswers();
  traffic_.Clear();
  // The crossings change only with the tracks. The marks are never empty once read, so
  // the first look always learns them.
  if (crossingsMarks_ != marks_ || crossingsStamp_ != newestStamp_) {
    traffic_.LearnCrossings(game_.GetField());
    crossingsMarks_ = marks_;
    crossingsStamp_ = newestStamp_;
  }
  plans_.clear();
  const auto& trains = game_.GetField().Trains();
  for (size_t i = 0; i < trains.size(); ++i) traffic_.Occupy(*trains[i], static_cast<int>(i));
  // Ways around the trains standing in the way, then every way claimed, then who
  // gives way to whom.
  for (size_t i = 0; i < trains.size(); ++i) {
    Plan plan;
    if (MakePlan(*trains[i], static_cast<int>(i), plan)) plans_.push_back(std::move(plan));
  }
  for (const Plan& plan : plans_) {
    if (plan.route.found) traffic_.Reserve(plan.route, plan.mover);
  }
  Meetings();
  yielding_.clear();
  for (const Plan& plan : plans_) Drive(plan);
  yieldedBefore_.swap(yielding_);
  Apply();
  // The clicks just made may change which switches a way to the damaged track needs.
  ForgetAnswers();
  CallRepairTrain();
}

void Autopilot::TurnInTowns(bool on) {
  // Leads() answers with the ways through towns as they were allowed.
  if (on != planner_.TownTurns()) leads_.clear();
  planner_.SetTownTurns(on);
}

void Autopilot::ForgetAnswers() {
  // Between two looks the field mostly stands as it was: then everything found last
  // time still holds, and finding it again is most of a look's work.
  const Field& field = game_.GetField();
  MarkTracks(field, marksNow_);
  bool same = marksNow_ == marks_;
  if (!same) marks_.swap(marksNow_);
  // The junctions are read again only once some junction, of any field, has changed.
  if (Junction::NewestChange() != stampedAt_) {
    stampedAt_ = Junction::NewestChange();
    const uint64_t newest = NewestStamp(field);
    if (newest != newestStamp_) {
      same = false;
      newestStamp_ = newest;
    }
  }
  if (same) return;
  reachable_.fill(-1);
  planner_.Forget();
  leads_.clear();
}

RouteGoal Autopilot::GoalFor(const Train& train) const {
  RouteGoal goal;
  if (train.kind == TrainKind::kOrdinary) {
    goal.town = train.colour;
  } else if (train.kind == TrainKind::kCrazy) {
    goal.kind = RouteGoal::kAnyTown;
    goal.stopsAtRed = false;
  } else {
    goal.kind = game_.GetField().CrashSites().empty() ? RouteGoal::kAnyTown : RouteGoal::kCrashSite;
    goal.avoidsCrashSites = false;
  }
  return goal;
}

bool Autopilot::NextDecision(const Train& train, int& j, int& a, int& travelled) const {
  if (train.cars.empty() || train.arrivedTown >= 0) return false;
  const Car& c0 = train.cars[0];
  const int left = rail::TrackLength(c0.place.d) - static_cast<int>(c0.place.pos);
  if (train.pendingJ >= 0) {
    // Routed already: the junction after the one it is passing decides next.
    if (planner_.EntersTown(train.pendingJ, train.pendingD, nullptr)) return false;
    j = rail::Neighbour(train.pendingJ, train.pendingD);
    a = train.pendingD;
    travelled = left + rail::TrackLength(a);
  } else {
    if (planner_.EntersTown(c0.place.j, c0.place.d, nullptr)) return false;
    j = rail::Neighbour(c0.place.j, c0.place.d);
    a = c0.place.d;
    travelled = left;
  }
  return rail::ValidJunction(j);
}

bool Autopilot::MakePlan(const Train& train, int id, Plan& plan) {
  plan.train = &train;
  plan.id = id;
  if (!NextDecision(train, plan.j, plan.a, plan.travelled)) return false;
  plan.goal = GoalFor(train);
  plan.mover = Traffic::MoverOf(train, id);
  const RouteTurns turns = TurnsOf(train, plan.mover);
  plan.route = Find(plan.j, plan.a, plan.travelled, plan.goal, &plan.mover,
                    turnsOnTheWay_ && train.kind != TrainKind::kCrazy ? &turns : nullptr);
  return true;
}

const Autopilot::Plan* Autopilot::PlanOf(int id) const {
  for (const Plan& p : plans_) {
    if (p.id == id) return &p;
  }
  return nullptr;
}

bool Autopilot::GiveWay(const Plan& plan, int before, std::vector<ControlNeed>& needs,
                        bool* diverts) {
  if (plan.train->kind == TrainKind::kCrazy)
    return false;  // it would crash on a switch set against it
  const bool diverted = Divert(plan, before, needs);
  if (diverts) *diverts = diverted;
  return diverted || TurnBack(plan, false, needs);
}

bool Autopilot::Idle(const Train& train) const {
  return train.kind == TrainKind::kRepair && game_.GetField().CrashSites().empty();
}

void Autopilot::Meetings() {
  for (Plan& plan : plans_) {
    if (plan.route.found) plan.meetings = traffic_.Conflicts(plan.route, plan.mover);
  }
  std::map<Pair, unsigned long long> kept;
  std::vector<ControlNeed> scratch;
  for (Plan& plan : plans_) {
    for (const Traffic::Conflict& c : plan.meetings) {
      const Plan* other = PlanOf(c.train);
      const Train* them = other ? other->train : game_.GetField().Trains()[c.train].get();
      const auto key = std::minmax(plan.train->serial, them->serial);
      scratch.clear();
      const bool canYield = GiveWay(plan, c.distance, scratch);
      const Traffic::Conflict* back = nullptr;
      if (other) {
        for (const Traffic::Conflict& oc : other->meetings) {
          if (oc.train == plan.id) back = &oc;
        }
      }
      scratch.clear();
      const bool theyCan = other && back && GiveWay(*other, back->distance, scratch);
      const auto now = kept.find(key);
      const auto known = yielders_.find(key);
      bool yields = false;
      if (now != kept.end()) {
        yields = now->second == plan.train->serial;  // decided from the other side now
      } else if (known != yielders_.end() &&
                 (known->second == plan.train->serial ? canYield : theyCan)) {
        yields = known->second == plan.train->serial;
      } else {
        // A repair train with nothing to repair gives way first; else the later train
        // does, and the earlier one only when the later one cannot.
        const bool idle = Idle(*plan.train), otherIdle = Idle(*them);
        const bool later = idle != otherIdle            ? idle
                           : c.ownEnter != c.otherEnter ? c.ownEnter > c.otherEnter
                                                        : plan.id > c.train;
        yields = canYield && (later || !theyCan);
      }
      if (yields || theyCan) kept[key] = yields ? plan.train->serial : them->serial;
      if (yields && (plan.giveWayBefore < 0 || c.distance < plan.giveWayBefore)) {
        plan.giveWayBefore = c.distance;
      }
    }
  }
  yielders_.swap(kept);
}

void Autopilot::Drive(const Plan& plan) {
  if (!plan.route.found) {
    std::vector<ControlNeed> turn;
    if (TurnBack(plan, true, turn)) {
      for (const ControlNeed& n : turn) Want(n);
      Count(*plan.train, false);
    }
    return;
  }
  std::vector<ControlNeed> yield;
  bool diverts = false;
  if (plan.giveWayBefore < 0 || !GiveWay(plan, plan.giveWayBefore, yield, &diverts)) {
    for (const ControlNeed& n : plan.route.needs) Want(n);
    return;
  }
  const ControlNeed& y = yield.back();
  if (diverts) {
    for (const ControlNeed& n : plan.route.needs) {
      if (n.distance <= y.distance) Want(n);
    }
  }
  for (const ControlNeed& n : yield) Want(n);
  Count(*plan.train, diverts);
}

// Counted once for each time a train starts to turn or to leave its way.
void Autopilot::Count(const Train& train, bool diverts) {
  yielding_.insert(train.serial);
  if (!yieldedBefore_.count(train.serial)) ++(diverts ? diversions_ : turnBacks_);
}

bool Autopilot::Divert(const Plan& plan, int before, std::vector<ControlNeed>& needs) {
  const Field& field = game_.GetField();
  for (const RouteStep& step : plan.route.steps) {
    if (step.distance > before) break;
    const Junction& at = field.At(step.junction);
    const int side = rail::SideOf(step.direction);
    const Junction::Switch& sw = at.SwitchAt(side);
    if (sw.state != SwitchState::kWorking || !Reachable(step.junction, side, false)) continue;
    const int other = sw.active == step.direction ? sw.another : sw.active;
    // The other branch must lead round to the goal: never into a town of another colour.
    const int beyond = rail::Neighbour(step.junction, other);
    if (at.End(other) != EndState::kBuilt || !rail::ValidJunction(beyond) ||
        planner_.EntersTown(step.junction, other, nullptr) || !Leads(beyond, other, plan.goal)) {
      continue;
    }
    // Before any way through the same junction.
    needs.push_back(
        {.junction = step.junction, .side = side, .want = other, .distance = step.distance - 1});
    return true;
  }
  return false;
}

bool Autopilot::TurnBack(const Plan& plan, bool wayBack, std::vector<ControlNeed>& needs) {
  const Train& train = *plan.train;
  if (train.kind == TrainKind::kCrazy) return false;  // it would crash on a switch set against it
  const Car& last = train.cars.back();
  // Backwards the last car leads: never into a town that would only send it back.
  const int behind = rail::Neighbour(last.place.j, last.place.d);
  int town = -1;
  if (rail::ValidJunction(behind) &&
      planner_.EntersTown(behind, rail::Opposite(last.place.d), &town) &&
      !(plan.goal.kind == RouteGoal::kAnyTown ||
        (plan.goal.kind == RouteGoal::kTown && plan.goal.town == town))) {
    return false;
  }
  if (wayBack && !Leads(last.place.j, rail::Opposite(last.place.d), plan.goal)) {
    return false;
  }
  const int j = plan.j;
  const Junction& at = game_.GetField().At(j);
  const int entry = rail::SideOf(rail::Opposite(plan.a));
  const Junction::Switch& in = at.SwitchAt(entry);
  const int own = rail::Opposite(plan.a);
  // Before any way through the same junction.
  const int distance = plan.travelled - 1;
  if (in.state == SwitchState::kWorking && Reachable(j, entry, false)) {
    needs.push_back({.junction = j,
                     .side = entry,
                     .want = in.active == own ? in.another : in.active,
                     .distance = distance});
  } else if (at.SwitchAt(rail::OppositeSide(entry)).state != SwitchState::kWorking &&
             at.SignalAt(entry).state >= SignalState::kGreen && Reachable(j, entry, true)) {
    needs.push_back({.junction = j,
                     .side = entry,
                     .signal = true,
                     .light = SignalState::kRed,
                     .distance = distance});
  } else {
    return false;
  }
  return true;
}

// The nearest train decides how a switch or signal stands.
void Autopilot::Want(const ControlNeed& need) {
  if (!rail::ValidJunction(need.junction) || need.side < 0 || need.side > 3) return;
  const size_t place = ControlPlace(need.junction, need.side, need.signal);
  ControlNeed& known = wanted_[place];
  if (known.junction < 0) {
    wantedPlaces_.push_back(place);
    known = need;
  } else if (need.distance < known.distance) {
    known = need;
  }
}

void Autopilot::ForgetWanted() {
  for (const size_t place : wantedPlaces_) wanted_[place].junction = -1;
  wantedPlaces_.clear();
}

void Autopilot::ContinueFrom(const Autopilot& other) { ContinueFrom(other.Remember()); }

Autopilot::Memory Autopilot::Remember() const {
  Memory m;
  m.tick = tick_;
  m.lastCall = lastCall_;
  m.townTurns = planner_.TownTurns();
  m.turnsOnTheWay = turnsOnTheWay_;
  std::map<unsigned long long, size_t> place;
  const auto& trains = game_.GetField().Trains();
  for (size_t i = 0; i < trains.size(); ++i) place.emplace(trains[i]->serial, i);
  for (const auto& [pair, who] : yielders_) {
    const auto a = place.find(pair.first), b = place.find(pair.second), w = place.find(who);
    if (a != place.end() && b != place.end() && w != place.end())
      m.yielders.emplace_back(a->second, b->second, w->second);
  }
  for (const unsigned long long t : yieldedBefore_) {
    if (const auto p = place.find(t); p != place.end()) m.yieldedBefore.push_back(p->second);
  }
  return m;
}

void Autopilot::ContinueFrom(const Memory& memory) {
  tick_ = memory.tick;
  lastCall_ = memory.lastCall;
  TurnInTowns(memory.townTurns);
  turnsOnTheWay_ = memory.turnsOnTheWay;
  // The trains stand in the same order in both games.
  const auto& trains = game_.GetField().Trains();
  auto serial = [&trains](size_t i) { return trains[i]->serial; };
  yielders_.clear();
  for (const auto& [a, b, who] : memory.yielders) {
    if (a < trains.size() && b < trains.size() && who < trains.size())
      yielders_[std::minmax(serial(a), serial(b))] = serial(who);
  }
  yieldedBefore_.clear();
  for (const size_t t : memory.yieldedBefore) {
    if (t < trains.size()) yieldedBefore_.insert(serial(t));
  }
}

std::vector<int> Autopilot::JunctionsAhead(int steps, const std::vector<int>& focus) const {
  auto passes = [&focus](const Plan& plan) {
    if (std::find(focus.begin(), focus.end(), plan.j) != focus.end()) return true;
    for (const RouteStep& step : plan.route.steps) {
      if (std::find(focus.begin(), focus.end(), step.junction) != focus.end()) return true;
    }
    return false;
  };
  std::vector<const Plan*> order;
  for (const Plan& plan : plans_) {
    if (passes(plan)) order.push_back(&plan);
  }
  for (const Plan& plan : plans_) {
    if (!passes(plan)) order.push_back(&plan);
  }
  std::vector<int> ahead;
  auto add = [&ahead](int j) {
    if (std::find(ahead.begin(), ahead.end(), j) == ahead.end()) ahead.push_back(j);
  };
  for (const Plan* plan : order) add(plan->j);
  for (int i = 0; i < steps; ++i) {
    for (const Plan* plan : order) {
      if (static_cast<size_t>(i) < plan->route.steps.size()) {
        add(plan->route.steps[static_cast<size_t>(i)].junction);
      }
    }
  }
  return ahead;
}

long long Autopilot::DistanceLeft(int lost) const {
  long long left = 0;
  for (const Plan& plan : plans_)
    left += plan.route.found ? plan.route.length + plan.travelled : lost;
  return left;
}

void Autopilot::Apply() {
  const Field& field = game_.GetField();
  // In the order of junction, side and kind, as the clicks have always come.
  std::sort(wantedPlaces_.begin(), wantedPlaces_.end());
  for (const size_t place : wantedPlaces_) {
    const ControlNeed& need = wanted_[place];
    const ControlKey key{need.junction, need.side, need.signal};
    if (held_ && held_->count(key)) continue;
    const Junction& at = field.At(need.junction);
    const FieldSprite* picture = nullptr;
    if (need.signal) {
      if (at.SignalAt(need.side).state == need.light) continue;
      picture = at.SignalAt(need.side).picture;
    } else {
      const Junction::Switch& sw = at.SwitchAt(need.side);
      if (sw.active == need.want || sw.lock || sw.state != SwitchState::kWorking) continue;
      if (TrainAt(need.junction)) continue;
      picture = sw.picture;
    }
    int x = 0, y = 0;
    if (!targets_.ClickFor(picture, x, y)) continue;
    Note("click " + std::to_string(x) + "," + std::to_string(y) + ": " + ControlName(need));
    hands_.LeftClick(x, y);
    ++clicks_;
    if (clicked_) clicked_->push_back(key);
  }
}

bool Autopilot::TrainAt(int junction) const {
  constexpr double kClearance = 10;
  for (const auto& train : game_.GetField().Trains()) {
    for (const Car& car : train->cars) {
      for (const rail::Place& p : {car.place, car.rear}) {
        if (!rail::ValidDirection(p.d)) continue;
        const double reach = car.half + kClearance;
        if (p.j == junction && p.pos <= reach) return true;
        if (rail::Neighbour(p.j, p.d) == junction && rail::TrackLength(p.d) - p.pos <= reach) {
          return true;
        }
      }
    }
  }
  return false;
}

// A crash site with no repair train out: the train is called from the town with the
// shortest way there whose start track is free, by a right click on that town.
void Autopilot::CallRepairTrain() {
  const Field& field = game_.GetField();
  if (field.CrashSites().empty() || field.RepairTrainOnField()) return;
  if (tick_ - lastCall_ < kCallPause * kPeriod) return;
  RouteGoal goal;
  goal.kind = RouteGoal::kCrashSite;
  goal.avoidsCrashSites = false;
  int best = -1, bestLength = 0;
  for (const Town& t : field.Towns()) {
    const int d = t.startDirection;
    if (!rail::ValidDirection(d) || field.IsTrackOccupied(d, t.townJunction)) continue;
    const Route r = Find(t.innerJunction, d, rail::TrackLength(d), goal, nullptr);
    if (r.found && (best < 0 || r.length < bestLength)) {
      best = t.colour;
      bestLength = r.length;
    }
  }
  if (best < 0) return;
  const Town& town = field.Towns()[static_cast<size_t>(best)];
  const rail::Point inner = rail::JunctionPos(town.innerJunction);
  const rail::Point home = rail::JunctionPos(town.townJunction);
  if (inner.x >= kTownBandLeft && inner.x < kTownBandRight) return;
  lastCall_ = tick_;
  Note("right click " + std::to_string(inner.x) + "," + std::to_string(home.y) +
       ": repair train from " + ColourName(best));
  hands_.RightClick(inner.x, home.y);
  ++rightClicks_;
}
