// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "core/Random.h"
#include "railway/Field.h"
#include "railway/FieldArea.h"

namespace {
constexpr int kRepairPrice = 1000;
constexpr int kRestorePrice = 1000;

// Position of place p measured along track (j, d), when p lies on that track.
std::optional<double> OnTrack(const rail::Place& p, int j, int d) {
  if (p.j == j && p.d == d) return p.pos;
  if (p.j == rail::Neighbour(j, d) && p.d == rail::Opposite(d)) {
    return rail::TrackLength(d) - p.pos;
  }
  return std::nullopt;
}
// The tracks the trains' cars stand on, by the track's own name (the lower junction of
// its two): a place on none of them is within no car's stretch.
class TracksInUse {
 public:
  explicit TracksInUse(const std::vector<std::unique_ptr<Train>>& trains) {
    for (const auto& t : trains) {
      if (t->cars.empty()) continue;
      Mark(t->head);
      for (const Car& car : t->cars) Mark(car.rear);
    }
  }
  bool Holds(const rail::Place& p) const {
    const int k = KeyOf(p);
    return all_ || k < 0 || used_.test(static_cast<size_t>(k));
  }

 private:
  static int KeyOf(const rail::Place& p) {
    if (!rail::ValidJunction(p.j) || !rail::ValidDirection(p.d)) return -1;
    return rail::TrackIndex(rail::NameOfTrack(p.j, p.d));
  }
  void Mark(const rail::Place& p) {
    const int k = KeyOf(p);
    if (k < 0) {
      all_ = true;  // a place off the field: nothing is left out
      return;
    }
    used_.set(static_cast<size_t>(k));
  }
  std::bitset<rail::kJunctions * rail::kDirectionCount> used_;
  bool all_ = false;
};

}  // namespace

bool Field::Within(const rail::Place& p, const rail::Place& a, const rail::Place& b) const {
  if (a.j == b.j && a.d == b.d) {
    std::optional<double> q = OnTrack(p, a.j, a.d);
    return q && *q >= std::min(a.pos, b.pos) && *q <= std::max(a.pos, b.pos);
  }
  std::optional<double> qa = OnTrack(p, a.j, a.d);
  if (qa && *qa >= 0 && *qa <= a.pos) return true;
  std::optional<double> qb = OnTrack(p, b.j, b.d);
  return qb && *qb >= b.pos && *qb <= rail::TrackLength(b.d);
}

bool Field::CarStretchContains(const Train& t, int car, const rail::Place& p) const {
  const rail::Place& front = car == 0 ? t.head : t.cars[car - 1].rear;
  return Within(p, front, t.cars[car].rear);
}

// Each check finds the first crash in its order, settles it and is asked again. A crash
// only takes trains (and, with the repair, a site) away, so what the check passed over
// before the crash stays clear: the next search starts where the last crash was found.
void Field::CheckCollisions() {
  for (size_t from = 0; TrainAgainstTrain(from);) {
  }
  for (int from = 0; JunctionCrossings(from);) {
  }
  for (int from = 0; ArcCrossings(from);) {
  }
  for (size_t from = 0; CrashSiteChecks(from);) {
  }
}

bool Field::TrainAgainstTrain(size_t& from) {
  for (size_t i = from; i < trains_.size(); ++i) {
    for (size_t k = i + 1; k < trains_.size(); ++k) {
      Train& a = *trains_[i];
      Train& b = *trains_[k];
      if (a.cars.empty() || b.cars.empty()) continue;
      int aLast = a.CarCount() - 1;
      int bLast = b.CarCount() - 1;
      int fromA = -1, fromB = -1;
      if (Within(b.cars[bLast].rear, a.head, a.cars[0].rear)) {
        fromA = 0;
        fromB = bLast;
      } else if (a.CarCount() >= 2 && Within(b.head, a.cars[aLast - 1].rear, a.cars[aLast].rear)) {
        fromA = aLast;
        fromB = 0;
      } else if (Within(b.head, a.head, a.cars[0].rear)) {
        fromA = 0;
        fromB = 0;
      } else {
        continue;
      }
      DamageTrack(b.head);
      int total = RemoveTrain(static_cast<int>(k), fromB, true);
      total += RemoveTrain(static_cast<int>(i), fromA, true);
      CrashMessages(total);
      from = i;
      return true;
    }
  }
  return false;
}

bool Field::JunctionCrossings(int& from) {
  // The first two trains, in their order, with a car on each junction, and the first such
  // car of each: only a junction two trains sit on can see a crash. Gathered from the cars
  // rather than asked of every junction, as most junctions have no car at all.
  struct Sitters {
    int train[2] = {-1, -1};
    int car[2] = {-1, -1};
  };
  std::array<Sitters, rail::kJunctions> on;
  auto sit = [&on](int j, int t, int c) {
    if (!rail::ValidJunction(j)) return;
    Sitters& s = on[static_cast<size_t>(j)];
    for (int k = 0; k < 2; ++k) {
      if (s.train[k] == t) return;
      if (s.train[k] < 0) {
        s.train[k] = t;
        s.car[k] = c;
        return;
      }
    }
  };
  for (size_t t = 0; t < trains_.size(); ++t) {
    const Train& tr = *trains_[t];
    for (int c = 0; c < tr.CarCount(); ++c) {
      const Car& car = tr.cars[c];
      if (car.place.pos <= car.half) sit(car.place.j, static_cast<int>(t), c);
      if (car.place.pos + car.half >= rail::TrackLength(car.place.d))
        sit(rail::Neighbour(car.place.j, car.place.d), static_cast<int>(t), c);
    }
  }
  for (int j = from; j < rail::kJunctions; ++j) {
    const Sitters& s = on[static_cast<size_t>(j)];
    if (s.train[1] < 0 || !At(j).IsCrossing()) continue;
    rail::Place site = trains_[s.train[1]]->cars[s.car[1]].place;
    int total = RemoveTrain(s.train[1], s.car[1], true);
    total += RemoveTrain(s.train[0], s.car[0], true);
    CrashMessages(total);
    DamageTrack(site);
    from = j;
    return true;
  }
  return false;
}

bool Field::ArcCrossings(int& from) {
  // A car's stretch lies on the tracks of its two ends: a crossing none of whose places
  // lies on such a track has no car on it, and most crossings have none.
  const TracksInUse used(trains_);
  for (int j = from; j < rail::kJunctions; ++j) {
    for (int pair = 0; pair < 2; ++pair) {
      const rail::Place& p1 = At(j).crossings[2 * pair];
      const rail::Place& p2 = At(j).crossings[2 * pair + 1];
      if (p1.j < 0 || p2.j < 0) continue;
      if (!used.Holds(p1) && !used.Holds(p2)) continue;
      int found[2] = {-1, -1};
      int carOf[2] = {-1, -1};
      int n = 0;
      for (size_t t = 0; t < trains_.size() && n < 2; ++t) {
        const Train& tr = *trains_[t];
        for (int c = 0; c < tr.CarCount(); ++c) {
          if (!CarStretchContains(tr, c, p1) && !CarStretchContains(tr, c, p2)) continue;
          found[n] = static_cast<int>(t);
          carOf[n] = c;
          ++n;
          break;
        }
      }
      if (n < 2) continue;
      const Train& first = *trains_[found[0]];
      rail::Place site = carOf[0] == 0 ? first.head : first.cars[carOf[0] - 1].rear;
      int total = RemoveTrain(found[1], carOf[1], true);
      total += RemoveTrain(found[0], carOf[0], true);
      DamageTrack(site);
      CrashMessages(total);
      from = j;
      return true;
    }
  }
  return false;
}

bool Field::CrashSiteChecks(size_t& from) {
  for (size_t s = from; s < crashSites_.size(); ++s) {
    const rail::Place place = crashSites_[s].place;
    for (size_t t = 0; t < trains_.size(); ++t) {
      Train& tr = *trains_[t];
      bool on = false;
      for (int c = 0; c < tr.CarCount() && !on; ++c) on = CarStretchContains(tr, c, place);
      if (!on) continue;
      from = s;
      if (tr.kind != TrainKind::kRepair) {
        CrashMessages(RemoveTrain(static_cast<int>(t), 0, true));
        return true;
      }
      tr.speed = 0;
      CrashSite& site = crashSites_[s];
      int sx = site.sign ? static_cast<int>(site.sign->X()) : 0;
      int sy = site.sign ? static_cast<int>(site.sign->Y()) : 0;
      Tip(tip::TrackRepaired, sx, sy);
      if (sprites_) {
        if (site.sign) sprites_->Remove(site.sign);
        if (site.button) sprites_->Remove(site.button);
      }
      crashSites_.erase(crashSites_.begin() + static_cast<long>(s));
      if (host_) host_->Fine(kRestorePrice);
      Post("Track restored.");
      Sound(snd::Repair);
      return true;
    }
  }
  return false;
}

rail::Place Field::SnapPlace(int j, int d, double p) const {
  double L = rail::TrackLength(d);
  if (p >= 0.2333 * L && p <= 0.4333 * L) {
    p = 0.2333 * L;
  } else if (p >= 0.5666 * L && p <= 0.7666 * L) {
    p = 0.5666 * L;
  } else if (p <= 0.1 * L) {
    p = 0.1 * L;
  } else if (p >= 0.9 * L) {
    p = 0.9 * L;
  }
  return {j, d, p};
}

void Field::AddCrashSite(int j, int d, double p) {
  if (towns_.empty() || !rail::ValidJunction(j) || !rail::ValidDirection(d)) return;
  CrashSite site;
  site.place = SnapPlace(j, d, p);
  rail::TrackPose pose = rail::TrackPoint(j, d, site.place.pos);
  // The sign stays over the field, clear of the left panel and the right edge.
  int x = std::clamp(pose.x, rail::kFieldArea.left, rail::kFieldArea.Right());
  int y = pose.y;
  if (sprites_) {
    site.sign = sprites_->Create(clip::DamageSign, false);
    site.sign->SetPos(x, y);
    site.sign->SetZ(x / 1000 - 2 * y);
    site.sign->SetPeriod(500);
    site.sign->Animate(true);
    site.button = sprites_->Create(clip::CallRepairButton, true);
    int rgb[3];
    ColourTint(selectedTown_, rgb);
    site.button->Tint(rgb[0], rgb[1], rgb[2]);
    site.button->SetPos(x - 25, y - 61);
    site.button->SetZ(-3000);
    site.button->Show(false);
  }
  crashSites_.push_back(site);
  if (RepairTrainOnField()) {
    Tip(tip::MoveRepairTrainHere, x, y);
  } else {
    Tip(tip::CallRepairButton, x, y);
  }
}

bool Field::Damaged(int j, int d) const {
  for (const CrashSite& s : crashSites_) {
    if (OnTrack(s.place, j, d)) return true;
  }
  return false;
}

// A piece of track carries one crash site at most: a crash on a damaged piece adds no
// second sign, and the repair train clears the piece in one pass.
void Field::DamageTrack(const rail::Place& at) {
  if (!Damaged(at.j, at.d)) AddCrashSite(at.j, at.d, at.pos);
}

void Field::DamageRandomTrack() {
  // Crash sites need a town to call the repair train from; without one no site is made,
  // so there is no damage to announce either.
  if (towns_.empty()) return;
  std::vector<std::pair<int, int>> ends;
  for (int j = 0; j < rail::kJunctions; ++j) {
    int col = j % rail::kFieldWidth;
    if (col == 0 || col == 6 || col == 7) continue;
    for (int d = 0; d <= 5; ++d) {
      if (At(j).End(d) == EndState::kBuilt && !Damaged(j, d)) ends.emplace_back(j, d);
    }
  }
  for (int i = static_cast<int>(ends.size()) - 1; i > 0; --i) {
    std::swap(ends[i], ends[rnd::Below(i + 1)]);
  }
  for (int attempt = 0; attempt < 50 && !ends.empty(); ++attempt) {
    auto [j, d] = ends.back();
    ends.pop_back();
    rail::Place site = SnapPlace(j, d, rnd::Below(rail::TrackLength(d)));
    if (IsTrackOccupied(d, j)) continue;
    bool underCar = false;
    for (const auto& t : trains_) {
      for (int c = 0; c < t->CarCount() && !underCar; ++c)
        underCar = CarStretchContains(*t, c, site);
    }
    if (underCar) continue;
    AddCrashSite(site.j, site.d, site.pos);
    Post("Track is damaged");
    Sound(snd::NewBad);
    return;
  }
}

void Field::CallRepairTrain(int town) {
  if (town < 0 || town >= static_cast<int>(towns_.size())) return;
  const Town& tw = towns_[town];
  int dir = At(tw.townJunction).RouteExit(-1, -1, true, false);
  if (dir != -1 && IsTrackOccupied(dir, tw.townJunction)) {
    Sound(snd::ServerLock);
    Post("The server is locked by train.");
    return;
  }
  if (dir == -1) return;
  auto train = std::make_unique<Train>(1, 1, town, rail::Place{tw.townJunction, dir, 0},
                                       TrainKind::kRepair, -1, sprites_);
  if (train->cars[0].picture) {
    train->cars[0].picture->SetPos(-1000, -1000);
    train->cars[0].picture->SetZ(50);
  } else if (sprites_) {
    std::fputs("Error: unknown error. NotTrain!\n", stderr);
  }
  trains_.push_back(std::move(train));
  if (host_) host_->Fine(kRepairPrice);
  Post("Repair train has arrived");
  Sound(snd::CallServer);
  if (!repairTipShown_) {
    repairTipShown_ = true;
    char buf[200];
    const char* name = ColourName(town);
    std::snprintf(buf, sizeof buf, TipText(tip::RepairTrainMovedOut), name, name);
    rail::Point p = TownPosition(town);
    Tip(tip::RepairTrainMovedOut, p.x, p.y, buf);
  }
}
