// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "railway/Field.h"

namespace {
// No list of a saved field is longer than this, whatever the field holds.
constexpr int kMaxListLength = 100000;
// Switches and signals: each belongs to one side of one junction, which has at most one
// of each (a side listed twice is refused).
constexpr int kMostSwitches = rail::kJunctions * rail::kSideCount;
constexpr int kMostSignals = rail::kJunctions * rail::kSideCount;
// Queued trains have no bound of their own. A train for a busy line joins its town's
// queue at once, without the delayed start, and the release timer can fire frame after
// frame (its next interval is a Gaussian draw, and a draw near or below zero while the
// wave has the period under a minute makes it 0). Over the longest level, 25 minutes of
// 20 ms frames, the queues could take some 75 000 trains: only the list limit holds.
constexpr int kMostQueued = kMaxListLength;
// A town's track holds two trains that the built length does not count: one running
// into the town, its leading car already past the track's end, and one leaving it, its
// cars still standing at the track's start.
constexpr int kTrainsPerTown = 2;
// Car 0 runs on past the end of its track while the train enters a town, by at most the
// train's length; anything far beyond that (or not a number) comes from a damaged file.
constexpr double kMaxCarPosition = 4000;
constexpr double kMaxSpeed = 100;

bool InRange(double v, double low, double high) {
  return std::isfinite(v) && v >= low && v <= high;
}

std::string Name(const char* fmt, int i) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, i);
  return buf;
}

// Reads a list count; false (and 0) when it is missing or beyond the list's bound.
bool ReadCount(core::ValueStore& store, const std::string& prefix, const char* name, int most,
               int32_t& count) {
  count = 0;
  if (!store.Long(prefix, name, count, 0)) return false;
  if (count < 0 || count > std::min(most, kMaxListLength)) {
    count = 0;
    return false;
  }
  return true;
}

// A queued or delayed train that LaunchTrain can start as saved. The game draws 0
// wagons too: such a train runs as its locomotive alone. The kind is checked where it
// is read (KindFromSaved).
bool ValidTrainRecord(const TrainOrder& q) {
  return q.colour >= 0 && q.colour <= 7 && q.cars >= 0 && q.cars <= kMaxCars && q.loco >= 0 &&
         q.loco <= 7;
}

// The track leaving j in direction d exists and is built at both ends: the only
// place a saved train or crash site can be.
bool BuiltTrack(const Field& field, int j, int d) {
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d)) return false;
  const int far = rail::Neighbour(j, d);
  return rail::ValidJunction(far) && field.At(j).End(d) == EndState::kBuilt &&
         field.At(far).End(rail::Opposite(d)) == EndState::kBuilt;
}

// The built pieces of track and their length, each piece counted once.
struct BuiltLine {
  int pieces = 0;
  int length = 0;
};

BuiltLine MeasureBuiltLine(const Field& field) {
  BuiltLine line;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int t = 0; t < rail::kTrackTypeCount; ++t) {
      if (!BuiltTrack(field, j, t)) continue;
      ++line.pieces;
      line.length += rail::TrackLength(t);
    }
  }
  return line;
}

// Crash sites: a piece of track carries one at most (Field::DamageTrack).
int MostCrashSites(const BuiltLine& line) { return line.pieces; }

// Trains never share track: a head that reaches another train's leading or last car
// crashes both at the next check (a step moves a train at most 5.5 units, far less than
// a car's length), switches let no train in beside another's wagons and crossings crash
// trains that meet there. So the trains lie one after another along the built track.
//
// The most trains the field can carry at once: each leading car covers at least
// ShortestCar(), and the towns' tracks add kTrainsPerTown each.
int MostTrains(const Field& field, const BuiltLine& line) {
  return line.length / ShortestCar() + kTrainsPerTown * static_cast<int>(field.Towns().size());
}

// The most track the trains' cars can cover together: every train counts its length, up
// to ShortestLoop(), and the towns' trains count in full.
int MostTrainLength(const Field& field, const BuiltLine& line) {
  return line.length + kTrainsPerTown * static_cast<int>(field.Towns().size()) * ShortestLoop();
}

// A train as the saved game lists it: its types, car 0's place and its speed.
struct SavedTrain {
  int colour = 0;
  int cars = 1;
  int loco = 0;
  int wagon = 0;
  TrainKind kind = TrainKind::kOrdinary;
  bool reversed = false;
  rail::Place place;
  double speed = 0;
};

// False for a record no game writes: car 0 off the built track, a type, flag or number
// out of its range.
bool ParseTrain(const Field& field, const std::string& text, SavedTrain& t) {
  int savedKind, reversed, d, j;
  float speed, pos;
  if (std::sscanf(text.c_str(), "%d %d %d %d %d %f %d %d %f %d", &t.colour, &t.cars, &t.loco,
                  &savedKind, &reversed, &speed, &d, &j, &pos, &t.wagon) != 10 ||
      !BuiltTrack(field, j, d) || reversed < 0 || reversed > 1 || t.loco < 0 ||
      t.loco >= kLocoTypes || !KindFromSaved(savedKind, t.kind) || t.colour < 0 || t.colour > 7 ||
      t.wagon < 0 || t.wagon >= kWagonTypes || t.cars < 1 || t.cars > kMaxCars ||
      !InRange(pos, 0, kMaxCarPosition) || !InRange(speed, 0, kMaxSpeed)) {
    return false;
  }
  t.reversed = reversed == 1;
  t.place = {j, d, pos};
  t.speed = speed;
  return true;
}

// A saved switch only sets the position of a switch the rebuilt level has: two
// different built tracks leaving j through side s.
bool SwitchFits(const Field& field, int j, int s, int a, int b) {
  return a != b && field.At(j).SwitchAt(s).state == SwitchState::kWorking &&
         BuiltTrack(field, j, a) && BuiltTrack(field, j, b);
}

bool ReadText(core::ValueStore& store, const std::string& prefix, const std::string& name,
              std::string& text) {
  text.clear();
  return store.Text(prefix, name, text, 0);
}
}  // namespace

void Field::SaveField(core::ValueStore& store, const std::string& outer) {
  const std::string prefix = outer + "GameField.";
  store.Double(prefix, "CounterMinusMoney", waitTimer_, 1);
  SaveTrains(store, prefix);
  int32_t next = nextTownJunction_;
  int32_t nextType = nextTrackType_;
  store.Long(prefix, "NextTownJunctions", next, 1);
  store.Long(prefix, "NextTrackType", nextType, 1);
  std::vector<std::string> switches, lights;
  char buf[160];
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      const Junction::Switch& sw = At(j).SwitchAt(s);
      if (sw.state != SwitchState::kNone) {
        std::snprintf(buf, sizeof buf, "%d %d %d %d", j, s, sw.active, sw.another);
        switches.push_back(buf);
      }
    }
  }
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      const Junction::Signal& sig = At(j).SignalAt(s);
      if (sig.state != SignalState::kNone) {
        std::snprintf(buf, sizeof buf, "%d %d %d", j, s, sig.state == SignalState::kRed ? 1 : 0);
        lights.push_back(buf);
      }
    }
  }
  auto writeList = [&](const char* countName, const char* itemName,
                       std::vector<std::string>& items) {
    int32_t n = static_cast<int32_t>(items.size());
    store.Long(prefix, countName, n, 1);
    for (int i = 0; i < n; ++i) store.Text(prefix, Name(itemName, i), items[i], 1);
  };
  writeList("SwitchNumber", "S%d", switches);
  writeList("LightNumber", "L%d", lights);
  std::vector<std::string> crashes, blocks;
  for (const CrashSite& c : crashSites_) {
    std::snprintf(buf, sizeof buf, "%d %d %f", c.place.d, c.place.j, c.place.pos);
    crashes.push_back(buf);
  }
  writeList("CrashesNumber", "Crash%d", crashes);
  for (const Town& tw : towns_) {
    for (const TrainOrder& q : tw.queue) {
      std::snprintf(buf, sizeof buf, "%d %d %d %d %d", q.town, q.colour, q.cars, q.loco,
                    SavedKind(q.kind));
      blocks.push_back(buf);
    }
  }
  writeList("BlockedNumbers", "Block%d", blocks);
  for (size_t t = 0; t < towns_.size(); ++t) {
    const Town& tw = towns_[t];
    const std::string base = Name("WaitTown%d", static_cast<int>(t));
    int32_t v[6] = {tw.countdown,    tw.delayed.colour, tw.delayed.cars,
                    tw.delayed.loco, tw.delayed.town,   SavedKind(tw.delayed.kind)};
    const char* names[6] = {"CounterWaitTrain", "Color", "Len", "Type", "TownColor", "Crasy"};
    for (int k = 0; k < 6; ++k) store.Long(prefix, base + names[k], v[k], 1);
  }
}

void Field::SaveTrains(core::ValueStore& store, const std::string& prefix) {
  int32_t n = static_cast<int32_t>(trains_.size());
  store.Long(prefix, "NumberTrains", n, 1);
  char buf[200];
  for (int i = 0; i < n; ++i) {
    const Train& t = *trains_[i];
    const Car& c0 = t.cars[0];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %f %d %d %f %d", t.colour, t.CarCount(), t.loco,
                  SavedKind(t.kind), t.reversed ? 1 : 0, t.speed, c0.place.d, c0.place.j,
                  c0.place.pos, t.wagon);
    std::string text = buf;
    store.Text(prefix, Name("TrainNumber%d", i), text, 1);
  }
}

SavedListBounds Field::ListBounds() const {
  const BuiltLine line = MeasureBuiltLine(*this);
  return {kMostSwitches,           kMostSignals, MostCrashSites(line),
          MostTrains(*this, line), kMostQueued,  MostTrainLength(*this, line)};
}

// Every list count that is there lies within its bound; read before anything is built, so
// that a list no game could write costs nothing.
bool Field::ListsFit(core::ValueStore& store, const std::string& prefix) const {
  const SavedListBounds most = ListBounds();
  const std::pair<const char*, int> lists[] = {{"SwitchNumber", most.switches},
                                               {"LightNumber", most.signals},
                                               {"CrashesNumber", most.crashSites},
                                               {"NumberTrains", most.trains},
                                               {"BlockedNumbers", most.queued}};
  for (const auto& [name, bound] : lists) {
    int32_t count = 0;
    if (store.Long(prefix, name, count, 0) && (count < 0 || count > bound)) return false;
  }
  return true;
}

bool Field::LoadField(core::ValueStore& store, const std::string& outer) {
  const std::string prefix = outer + "GameField.";
  if (!ListsFit(store, prefix)) return false;
  double waited = waitTimer_;
  bool ok =
      store.Double(prefix, "CounterMinusMoney", waited, 0) && std::isfinite(waited) && waited >= 0;
  if (ok) waitTimer_ = waited;
  ok = LoadSwitches(store, prefix) && ok;
  ok = LoadSignals(store, prefix) && ok;
  ok = LoadCrashes(store, prefix) && ok;
  ok = LoadTrains(store, prefix) && ok;
  int32_t next = nextTownJunction_;
  int32_t nextType = nextTrackType_;
  bool haveNext = store.Long(prefix, "NextTownJunctions", next, 0);
  haveNext = store.Long(prefix, "NextTrackType", nextType, 0) && haveNext;
  // The rebuilt field has reserved a place of its own for the next town; the saved place
  // takes its reserved track ends over, so the player still cannot build on them.
  if (haveNext && next == -1) {
    nextTownJunction_ = -1;
    nextTrackType_ = -1;
  } else if (!haveNext || !ReserveNextTown(next, nextType)) {
    ok = false;
  }
  ok = LoadQueues(store, prefix) && ok;
  ok = LoadTownWaits(store, prefix) && ok;
  return ok;
}

bool Field::LoadSwitches(core::ValueStore& store, const std::string& prefix) {
  int32_t n = 0;
  bool ok = ReadCount(store, prefix, "SwitchNumber", kMostSwitches, n);
  std::array<bool, kMostSwitches> listed{};
  for (int i = 0; i < n; ++i) {
    std::string text;
    int j, s, a, b;
    if (!ReadText(store, prefix, Name("S%d", i), text) ||
        std::sscanf(text.c_str(), "%d %d %d %d", &j, &s, &a, &b) != 4 || !rail::ValidJunction(j) ||
        s < 0 || s >= rail::kSideCount || !rail::ValidDirection(a) || !rail::ValidDirection(b) ||
        rail::SideOf(a) != s || rail::SideOf(b) != s || !SwitchFits(*this, j, s, a, b) ||
        std::exchange(listed[j * rail::kSideCount + s], true)) {  // a side listed again
      ok = false;
      continue;
    }
    At(j).SetSwitch(s, a, b);
  }
  return ok;
}

bool Field::LoadSignals(core::ValueStore& store, const std::string& prefix) {
  int32_t n = 0;
  bool ok = ReadCount(store, prefix, "LightNumber", kMostSignals, n);
  std::array<bool, kMostSignals> listed{};
  for (int i = 0; i < n; ++i) {
    std::string text;
    int j, s, red;
    if (!ReadText(store, prefix, Name("L%d", i), text) ||
        std::sscanf(text.c_str(), "%d %d %d", &j, &s, &red) != 3 || !rail::ValidJunction(j) ||
        s < 0 || s >= rail::kSideCount || red < 0 || red > 1 ||
        std::exchange(listed[j * rail::kSideCount + s], true)) {  // a side listed again
      ok = false;
      continue;
    }
    At(j).SetSignal(s, red != 0);
  }
  return ok;
}

bool Field::LoadCrashes(core::ValueStore& store, const std::string& prefix) {
  int32_t n = 0;
  bool ok = ReadCount(store, prefix, "CrashesNumber", ListBounds().crashSites, n);
  for (int i = 0; i < n; ++i) {
    std::string text;
    int d, j;
    float p;
    if (!ReadText(store, prefix, Name("Crash%d", i), text) ||
        std::sscanf(text.c_str(), "%d %d %f", &d, &j, &p) != 3 || !BuiltTrack(*this, j, d) ||
        !InRange(p, 0, rail::TrackLength(d))) {
      ok = false;
      continue;
    }
    AddCrashSite(j, d, p);
  }
  return ok;
}

bool Field::LoadTrains(core::ValueStore& store, const std::string& prefix) {
  const SavedListBounds most = ListBounds();
  int32_t n = 0;
  bool ok = ReadCount(store, prefix, "NumberTrains", most.trains, n);
  std::vector<SavedTrain> saved;
  int length = 0;
  for (int i = 0; i < n; ++i) {
    std::string text;
    SavedTrain t;
    if (!ReadText(store, prefix, Name("TrainNumber%d", i), text) || !ParseTrain(*this, text, t)) {
      ok = false;
      continue;
    }
    length += std::min(TrainLength(t.loco, t.cars, t.wagon, t.kind), ShortestLoop());
    saved.push_back(t);
  }
  // Cars that could not all stand on the track are refused before any is made.
  if (length > most.trainLength) return false;
  for (const SavedTrain& t : saved) {
    Train* train = PlaceTrain(t.loco, t.cars, t.colour, t.place, t.kind, t.wagon);
    if (t.reversed) {
      std::reverse(train->cars.begin(), train->cars.end());
      train->reversed = true;
    }
    train->speed = t.speed;
  }
  return ok;
}

Train* Field::PlaceTrain(int loco, int cars, int colour, rail::Place place, TrainKind kind,
                         int wagon) {
  auto train = std::make_unique<Train>(loco, cars, colour, place, kind, wagon, sprites_);
  if (train->cars[0].picture) {
    train->cars[0].picture->SetPos(kParkedAt, kParkedAt);
    train->cars[0].picture->SetZ(kParkedDepth);
  }
  trains_.push_back(std::move(train));
  return trains_.back().get();
}

bool Field::LoadQueues(core::ValueStore& store, const std::string& prefix) {
  int32_t n = 0;
  bool ok = ReadCount(store, prefix, "BlockedNumbers", kMostQueued, n);
  for (int i = 0; i < n; ++i) {
    std::string text;
    TrainOrder q;
    int savedKind = 0;
    if (!ReadText(store, prefix, Name("Block%d", i), text) ||
        std::sscanf(text.c_str(), "%d %d %d %d %d", &q.town, &q.colour, &q.cars, &q.loco,
                    &savedKind) != 5 ||
        q.town < 0 || q.town >= static_cast<int>(towns_.size()) ||
        !KindFromSaved(savedKind, q.kind) || !ValidTrainRecord(q)) {
      ok = false;
      continue;
    }
    towns_[q.town].queue.push_back(q);
  }
  return ok;
}

bool Field::LoadTownWaits(core::ValueStore& store, const std::string& prefix) {
  bool ok = true;
  for (size_t t = 0; t < towns_.size(); ++t) {
    Town& tw = towns_[t];
    const std::string base = Name("WaitTown%d", static_cast<int>(t));
    int32_t v[6] = {tw.countdown,    tw.delayed.colour, tw.delayed.cars,
                    tw.delayed.loco, tw.delayed.town,   SavedKind(tw.delayed.kind)};
    const char* names[6] = {"CounterWaitTrain", "Color", "Len", "Type", "TownColor", "Crasy"};
    bool all = true;
    for (int k = 0; k < 6; ++k) all = store.Long(prefix, base + names[k], v[k], 0) && all;
    TrainOrder delayed{v[1], v[2], v[3], tw.delayed.kind, v[4]};
    const bool knownKind = KindFromSaved(v[5], delayed.kind);
    if (!all || (v[0] != -1 && (v[4] < 0 || v[4] >= static_cast<int>(towns_.size()) || !knownKind ||
                                !ValidTrainRecord(delayed)))) {
      ok = false;
      continue;
    }
    tw.countdown = v[0];
    tw.delayed = delayed;
    if (tw.countdown != -1) {
      tw.countdown = 0;
      if (tw.startSign) {
        tw.startSign->SetFrame(0);
        tw.startSign->Show(true);
        tw.startSign->Animate(true);
      }
    }
  }
  return ok;
}
