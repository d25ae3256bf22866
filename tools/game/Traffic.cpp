#include "tools/game/Traffic.h"

#include <algorithm>

#include "railway/Train.h"

namespace {
constexpr int kHeadOnCost = 3000;  // a way against a claim: taken only when there is no other
constexpr double kMargin = 25;     // movement steps kept between two trains on one track
constexpr int kReach = 3000;       // track units of a way that are claimed
constexpr double kCatchUp = 5;     // movement steps: a train behind may not leave a track
                                   // sooner than this after the one ahead of it
}  // namespace

Traffic::Mover Traffic::MoverOf(const Train& train, int id) {
  Mover m;
  m.id = id;
  m.speed = std::max(train.topSpeed, 0.1);
  for (const Car& c : train.cars) m.length += 2 * c.half;
  return m;
}

Traffic::Key Traffic::KeyOf(int j, int d, int* way) {
  const int far = rail::Neighbour(j, d);
  if (!rail::ValidJunction(far) || j < far) {
    *way = 1;
    return {j, d};
  }
  *way = -1;
  return {far, rail::Opposite(d)};
}

void Traffic::Add(int j, int d, const Claim& claim) {
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d)) return;
  int way = 0;
  const Key key = KeyOf(j, d, &way);
  Claim c = claim;
  c.way = way;
  std::vector<Claim>& list = claims_[key];
  for (Claim& old : list) {
    if (old.train != c.train || old.way != c.way) continue;
    old.enter = std::min(old.enter, c.enter);
    old.leave = std::max(old.leave, c.leave);
    return;
  }
  list.push_back(c);
}

void Traffic::Occupy(const Train& train, int id) {
  const Mover m = MoverOf(train, id);
  // A train running into a town of another colour comes back out at half speed.
  const bool bounces = train.kind == kOrdinary && train.arrivedTown >= 0 &&
                       train.arrivedTown != train.colour;
  const double leave = (m.length + 115) / m.speed * (bounces ? 4 : 1);
  // The track the locomotive's front has gone on to counts as well.
  Add(train.head.j, train.head.d, {id, 0, 0, leave});
  if (train.pendingJ >= 0) Add(train.pendingJ, train.pendingD, {id, 0, 0, leave});
  for (const Car& car : train.cars) {
    for (const rail::Place& p : {car.place, car.rear}) {
      Add(p.j, p.d, {id, 0, 0, leave});
      const int far = rail::Neighbour(p.j, p.d);
      if (bounces && rail::ValidJunction(far)) Add(far, rail::Opposite(p.d), {id, 0, 0, leave});
    }
  }
}

void Traffic::Reserve(const Route& route, const Mover& mover) {
  for (const RouteStep& s : route.steps) {
    if (s.distance > kReach) break;
    const double enter = s.distance / mover.speed;
    const double leave = (s.distance + rail::TrackLength(s.direction) + mover.length) / mover.speed;
    Add(s.junction, s.direction, {mover.id, 0, enter, leave});
  }
}

void Traffic::LearnCrossings(const Field& field) {
  crossings_.clear();
  int way = 0;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int pair = 0; pair < 2; ++pair) {
      const rail::Place& a = field.At(j).crossings[2 * pair];
      const rail::Place& b = field.At(j).crossings[2 * pair + 1];
      if (!rail::ValidJunction(a.j) || !rail::ValidJunction(b.j)) continue;
      if (!rail::ValidDirection(a.d) || !rail::ValidDirection(b.d)) continue;
      const Key ka = KeyOf(a.j, a.d, &way);
      const Key kb = KeyOf(b.j, b.d, &way);
      crossings_[ka].push_back(kb);
      crossings_[kb].push_back(ka);
    }
  }
}

// Claims of the key's track against the way (way 0: any way) within the time.
void Traffic::MeetsOn(const Key& key, int way, double enter, double leave, int id,
                      std::vector<const Claim*>& met) const {
  const auto it = claims_.find(key);
  if (it == claims_.end()) return;
  for (const Claim& c : it->second) {
    if (c.train == id) continue;
    if (way != 0 && c.way == way) {
      // The same way: the one coming later must not catch up with the one ahead.
      const bool behind = enter >= c.enter;
      const bool catches = behind ? leave < c.leave + kCatchUp : c.leave < leave + kCatchUp;
      if (catches && enter < c.leave && c.enter < leave) met.push_back(&c);
      continue;
    }
    if (enter < c.leave + kMargin && c.enter < leave + kMargin) met.push_back(&c);
  }
}

void Traffic::Meets(int j, int d, double enter, double leave, int id,
                    std::vector<const Claim*>& met) const {
  int way = 0;
  const Key key = KeyOf(j, d, &way);
  MeetsOn(key, way, enter, leave, id, met);
  const auto crossing = crossings_.find(key);
  if (crossing == crossings_.end()) return;
  for (const Key& other : crossing->second) MeetsOn(other, 0, enter, leave, id, met);
}

int Traffic::Cost(int j, int d, int distance, const Mover& mover) const {
  if (distance > kReach) return 0;
  const double enter = distance / mover.speed;
  const double leave = (distance + rail::TrackLength(d) + mover.length) / mover.speed;
  std::vector<const Claim*> met;
  Meets(j, d, enter, leave, mover.id, met);
  return met.empty() ? 0 : kHeadOnCost;
}

std::vector<Traffic::Conflict> Traffic::Conflicts(const Route& route, const Mover& mover) const {
  std::vector<Conflict> conflicts;
  std::vector<const Claim*> met;
  for (const RouteStep& s : route.steps) {
    if (s.distance > kReach) break;
    const double enter = s.distance / mover.speed;
    const double leave = (s.distance + rail::TrackLength(s.direction) + mover.length) / mover.speed;
    met.clear();
    Meets(s.junction, s.direction, enter, leave, mover.id, met);
    for (const Claim* c : met) {
      bool known = false;
      for (const Conflict& k : conflicts) known = known || k.train == c->train;
      if (!known) conflicts.push_back({true, c->train, s.distance, enter, c->enter});
    }
  }
  return conflicts;
}
