// SPDX-License-Identifier: GPL-3.0-or-later
// The field's whole running state as text, for a hash of the game's state: what the
// saved field leaves out (the timers, the cars behind the locomotive, the tracks under
// construction, the locks) and every number that it rounds, each double written exactly.
#include <cstdio>
#include <string>

#include "railway/Field.h"

namespace {

// Appends printf-formatted text; doubles go as %a, which keeps every bit.
template <typename... Values>
void Add(std::string& text, const char* format, Values... values) {
  char part[160];
  std::snprintf(part, sizeof part, format, values...);
  text += part;
}

void AddPlace(std::string& text, const rail::Place& p) { Add(text, " %d,%d,%a", p.j, p.d, p.pos); }

std::string Name(const char* what, size_t i) { return what + std::to_string(i); }

void Put(core::ValueStore& store, const std::string& prefix, const std::string& name,
         std::string text) {
  store.Text(prefix, name, text, kSave);
}

std::string TrainText(const Train& t) {
  std::string text;
  Add(text, "%d %d %d %d %d %d %d %d %d %d %d %a %a %a", SavedKind(t.kind), t.colour, t.loco,
      t.wagon, t.reversed, t.routed, t.arrivedTown, t.pendingJ, t.pendingD, t.blinkTimer,
      t.tipFollow, t.speed, t.topSpeed, t.acceleration);
  AddPlace(text, t.head);
  for (const Car& c : t.cars) {
    text += " |";
    AddPlace(text, c.place);
    AddPlace(text, c.rear);
    Add(text, " %a %d %d %d", c.half, c.previousDirection, c.sx, c.sy);
  }
  return text;
}

std::string JunctionText(const Junction& junction) {
  std::string text;
  for (int d = 0; d < rail::kDirectionCount; ++d) {
    Add(text, "%d", static_cast<int>(junction.End(d)));
  }
  for (int side = 0; side < rail::kSideCount; ++side) {
    const Junction::Switch& sw = junction.SwitchAt(side);
    Add(text, " %d,%d,%d,%d,%d", static_cast<int>(sw.state), sw.active, sw.another, sw.lock,
        sw.shortPicture);
    Add(text, " %d", static_cast<int>(junction.SignalAt(side).state));
  }
  Add(text, " %d %d", junction.Town(), junction.TownOnLeft());
  return text;
}

void AddOrder(std::string& text, const TrainOrder& q) {
  Add(text, " %d,%d,%d,%d,%d", q.colour, q.cars, q.loco, SavedKind(q.kind), q.town);
}

// A town with its delayed start, then its queue.
std::string TownText(const Town& t) {
  std::string text;
  Add(text, "%d %d %d %d %d %d", t.townJunction, t.innerJunction, t.colour, t.startDirection,
      t.left, t.countdown);
  AddOrder(text, t.delayed);
  for (const TrainOrder& q : t.queue) AddOrder(text, q);
  return text;
}

void PutScenery(core::ValueStore& store, const std::string& prefix, const char* what,
                const std::vector<Scenery>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const Scenery& s = items[i];
    std::string text;
    Add(text, "%d %d %d %d %d", s.x, s.y, s.frame, s.town, s.mark);
    Put(store, prefix, Name(what, i), text);
  }
}

}  // namespace

void Field::TakeClocksOf(const Field& other) {
  buildTimer_ = other.buildTimer_;
  buildInterval_ = other.buildInterval_;
  repairTipShown_ = other.repairTipShown_;
  moveTimer_ = other.moveTimer_;
  endTimer_ = other.endTimer_;
  selectTimer_ = other.selectTimer_;
  selectedTown_ = other.selectedTown_;
}

void Field::TakeTrafficOf(const Field& other) {
  if (trains_.size() != other.trains_.size()) return;
  for (size_t i = 0; i < trains_.size(); ++i) {
    Train& t = *trains_[i];
    const Train& o = *other.trains_[i];
    if (t.colour != o.colour || t.kind != o.kind || t.cars.size() != o.cars.size()) continue;
    t.speed = o.speed;
    t.topSpeed = o.topSpeed;
    t.acceleration = o.acceleration;
    t.reversed = o.reversed;
    t.head = o.head;
    t.routed = o.routed;
    t.arrivedTown = o.arrivedTown;
    t.pendingJ = o.pendingJ;
    t.pendingD = o.pendingD;
    t.blinkTimer = o.blinkTimer;
    for (size_t k = 0; k < t.cars.size(); ++k) {
      Car& c = t.cars[k];
      const Car& oc = o.cars[k];
      c.place = oc.place;
      c.rear = oc.rear;
      c.half = oc.half;
      c.previousDirection = oc.previousDirection;
      c.sx = oc.sx;
      c.sy = oc.sy;
    }
    bool moved = false;
    DrawTrain(t, moved);
  }
  for (int j = 0; j < rail::kJunctions; ++j) At(j).TakeLocksOf(other.At(j));
  locked_ = other.locked_;
  for (size_t i = 0; i < towns_.size() && i < other.towns_.size(); ++i) {
    Town& t = towns_[i];
    const Town& o = other.towns_[i];
    if (t.townJunction != o.townJunction || t.colour != o.colour) continue;
    t.countdown = o.countdown;
    t.delayed = o.delayed;
    t.queue = o.queue;
  }
}

void Field::SaveRunningState(core::ValueStore& store, const std::string& outer) const {
  const std::string prefix = outer + "FieldState.";
  std::string timers;
  Add(timers, "%d %d %d %a %d %d %d %d %d %d", buildTimer_, buildInterval_, moveTimer_, waitTimer_,
      endTimer_, selectTimer_, selectedTown_, nextTownJunction_, nextTrackType_, repairTipShown_);
  Put(store, prefix, "Timers", timers);
  Put(store, prefix, "Records", townRecord_ + "|" + builtRecord_);
  for (size_t i = 0; i < tracks_.size(); ++i) {
    const Track& t = *tracks_[i];
    std::string text;
    Add(text, "%d %d %d %d %d %d", t.Start(), t.Type(), t.Progress(), t.Stage(), t.Free(),
        t.Quiet());
    Put(store, prefix, Name("Track", i), text);
  }
  for (int j = 0; j < rail::kJunctions; ++j) {
    Put(store, prefix, Name("Junction", static_cast<size_t>(j)), JunctionText(At(j)));
  }
  for (size_t i = 0; i < trains_.size(); ++i) {
    Put(store, prefix, Name("Train", i), TrainText(*trains_[i]));
  }
  for (size_t i = 0; i < crashSites_.size(); ++i) {
    std::string text;
    AddPlace(text, crashSites_[i].place);
    Put(store, prefix, Name("Crash", i), text);
  }
  for (size_t i = 0; i < towns_.size(); ++i) {
    Put(store, prefix, Name("Town", i), TownText(towns_[i]));
  }
  PutScenery(store, prefix, "Tree", trees_);
  PutScenery(store, prefix, "House", houses_);
}
