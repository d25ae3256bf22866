// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Traffic.h"

#include <algorithm>
#include <utility>

#include "railway/Train.h"

namespace {
constexpr int kHeadOnCost = 3000;  // a way against a claim: taken only when there is no other
constexpr double kMargin = 25;     // movement steps kept between two trains on one track
constexpr int kReach = 3000;       // track units of a way that are claimed
constexpr double kCatchUp = 5;     // movement steps: a train behind may not leave a track
                                   // sooner than this after the one ahead of it
constexpr double kGap = 10;        // nor come onto it sooner than this after the one ahead
                                   // has cleared its start
}  // namespace

Traffic::Mover Traffic::MoverOf(const Train& train, int id) {
  Mover m;
  m.id = id;
  m.speed = std::max(train.topSpeed, 0.1);
  for (const Car& c : train.cars) m.length += 2 * c.half;
  return m;
}

void Traffic::Clear() {
  for (size_t i : claimed_) claims_[i].clear();
  claimed_.clear();
}

void Traffic::Add(int j, int d, const Claim& claim) {
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d)) return;
  int way = 0;
  const Key key = rail::NameOfTrack(j, d, &way);
  Claim c = claim;
  c.way = way;
  std::vector<Claim>& list = claims_[IndexOf(key)];
  if (list.empty()) claimed_.push_back(IndexOf(key));
  for (Claim& old : list) {
    if (old.train != c.train || old.way != c.way) continue;
    old.enter = std::min(old.enter, c.enter);
    old.clear = std::max(old.clear, c.clear);
    old.leave = std::max(old.leave, c.leave);
    return;
  }
  list.push_back(c);
}

void Traffic::Occupy(const Train& train, int id) {
  const Mover m = MoverOf(train, id);
  // A train running into a town of another colour comes back out at half speed.
  const bool bounces = train.kind == TrainKind::kOrdinary && train.arrivedTown >= 0 &&
                       train.arrivedTown != train.colour;
  const double leave = (m.length + 115) / m.speed * (bounces ? 4 : 1);
  const Claim here{id, 0, 0, m.length / m.speed, leave};
  // The track the locomotive's front has gone on to counts as well.
  Add(train.head.j, train.head.d, here);
  if (train.pendingJ >= 0) Add(train.pendingJ, train.pendingD, here);
  for (const Car& car : train.cars) {
    for (const rail::Place& p : {car.place, car.rear}) {
      Add(p.j, p.d, here);
      const int far = rail::Neighbour(p.j, p.d);
      if (bounces && rail::ValidJunction(far)) Add(far, rail::Opposite(p.d), here);
    }
  }
}

Traffic::Claim Traffic::ClaimOf(const Mover& mover, int d, int distance) {
  Claim c;
  c.train = mover.id;
  c.enter = distance / mover.speed;
  c.clear = (distance + mover.length) / mover.speed;
  c.leave = (distance + rail::TrackLength(d) + mover.length) / mover.speed;
  return c;
}

void Traffic::Reserve(const Route& route, const Mover& mover) {
  for (const RouteStep& s : route.steps) {
    if (s.distance > kReach) break;
    Add(s.junction, s.direction, ClaimOf(mover, s.direction, s.distance));
  }
}

void Traffic::LearnCrossings(const Field& field) {
  for (size_t i : crossed_) crossings_[i].clear();
  crossed_.clear();
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int pair = 0; pair < 2; ++pair) {
      const rail::Place& a = field.At(j).crossings[2 * pair];
      const rail::Place& b = field.At(j).crossings[2 * pair + 1];
      if (!rail::ValidJunction(a.j) || !rail::ValidJunction(b.j)) continue;
      if (!rail::ValidDirection(a.d) || !rail::ValidDirection(b.d)) continue;
      const Key ka = rail::NameOfTrack(a.j, a.d);
      const Key kb = rail::NameOfTrack(b.j, b.d);
      for (const auto& [from, to] : {std::pair(ka, kb), std::pair(kb, ka)}) {
        std::vector<Key>& list = crossings_[IndexOf(from)];
        if (list.empty()) crossed_.push_back(IndexOf(from));
        list.push_back(to);
      }
    }
  }
}

// Whether the claim on a track runs into own there: against its way (way 0: any way) at
// an overlapping time, or the same way too close behind or ahead.
bool Traffic::RunsInto(const Claim& c, int way, const Claim& own) {
  if (c.train == own.train) return false;
  if (way != 0 && c.way == way) {
    const Claim& ahead = own.enter >= c.enter ? c : own;
    const Claim& behind = own.enter >= c.enter ? own : c;
    const bool close = behind.enter < ahead.clear + kGap || behind.leave < ahead.leave + kCatchUp;
    return close && behind.enter < ahead.leave;
  }
  return own.enter < c.leave + kMargin && c.enter < own.leave + kMargin;
}

bool Traffic::Meets(int j, int d, const Claim& own, std::vector<const Claim*>* met) const {
  int way = 0;
  const Key key = rail::NameOfTrack(j, d, &way);
  if (!Valid(key)) return false;
  bool any = false;
  auto on = [&](const Key& track, int runs) {
    for (const Claim& c : claims_[IndexOf(track)]) {
      if (!RunsInto(c, runs, own)) continue;
      any = true;
      if (!met) return;
      met->push_back(&c);
    }
  };
  on(key, way);
  for (const Key& other : crossings_[IndexOf(key)]) {
    if (any && !met) break;
    if (Valid(other)) on(other, 0);
  }
  return any;
}

int Traffic::Cost(int j, int d, int distance, const Mover& mover) const {
  if (distance > kReach || !Claimed(j, d)) return 0;
  return Meets(j, d, ClaimOf(mover, d, distance), nullptr) ? kHeadOnCost : 0;
}

bool Traffic::Claimed(int j, int d) const {
  const Key key = rail::NameOfTrack(j, d);
  if (!Valid(key)) return false;
  if (!claims_[IndexOf(key)].empty()) return true;
  for (const Key& other : crossings_[IndexOf(key)])
    if (Valid(other) && !claims_[IndexOf(other)].empty()) return true;
  return false;
}

std::vector<Traffic::Conflict> Traffic::Conflicts(const Route& route, const Mover& mover) const {
  std::vector<Conflict> conflicts;
  std::vector<const Claim*> met;
  for (const RouteStep& s : route.steps) {
    if (s.distance > kReach) break;
    const Claim own = ClaimOf(mover, s.direction, s.distance);
    met.clear();
    Meets(s.junction, s.direction, own, &met);
    for (const Claim* c : met) {
      bool known = false;
      for (const Conflict& k : conflicts) known = known || k.train == c->train;
      if (!known) conflicts.push_back({true, c->train, s.distance, own.enter, c->enter});
    }
  }
  return conflicts;
}
