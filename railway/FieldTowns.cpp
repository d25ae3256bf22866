// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "core/Random.h"
#include "ids/ScreenSize.h"
#include "railway/Field.h"

namespace {
bool IsTownPlace(int j) { return rail::ValidJunction(j) && (j % 16 == 1 || j % 16 == 14); }
bool InColumnOne(int j) { return j % 16 == 1; }

// Puts both ends of the next town's track (inner junction j, type t) into the reserved
// state, or back to none while they are still only reserved.
void MarkReservation(Field& field, int j, int t, bool reserve) {
  int tj = TownJunctionFor(j, t);
  if (tj < 0) return;
  int start = InColumnOne(j) ? tj : j;
  const int ends[2][2] = {{start, t}, {rail::Neighbour(start, t), rail::Opposite(t)}};
  for (const auto& e : ends) {
    Junction& jn = field.At(e[0]);
    if (jn.End(e[1]) == (reserve ? EndState::kNone : EndState::kReserved)) {
      jn.SetEnd(e[1], reserve ? EndState::kReserved : EndState::kNone);
    }
  }
}

// A level's forests: each forest of size class 0..4 draws kForestBase + 0..kForestExtra-1
// trees around its centre, kForestSpread pixels about; then kSinglesBase + 0..kSinglesExtra-1
// single trees go anywhere.
constexpr int kForestClasses = 5;
constexpr int kForestBase[kForestClasses] = {5, 8, 20, 50, 50};
constexpr int kForestExtra[kForestClasses] = {10, 20, 60, 100, 200};
constexpr int kForestSpread[kForestClasses] = {50, 100, 150, 200, 200};
constexpr int kSinglesBase = 10;
constexpr int kSinglesExtra = 10;

int ForestClass(int size) { return std::clamp(size, 0, kForestClasses - 1); }

void SortByX(std::vector<Scenery>& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const Scenery& a, const Scenery& b) { return a.x < b.x; });
}
}  // namespace

int TownJunctionFor(int j, int t) {
  if (!IsTownPlace(j) || t < 0 || t > 5) return -1;
  int tj = InColumnOne(j) ? rail::Neighbour(j, rail::Opposite(t)) : rail::Neighbour(j, t);
  if (!rail::ValidJunction(tj)) return -1;
  int col = tj % rail::kFieldWidth;
  if (InColumnOne(j) ? col != 0 : col != 7) return -1;
  // The track must really join the two junctions.
  int start = InColumnOne(j) ? tj : j;
  int end = InColumnOne(j) ? j : tj;
  return rail::Neighbour(start, t) == end ? tj : -1;
}

void Field::MakeTownPictures(Town& tw) {
  if (!sprites_) return;
  rail::Point p = rail::JunctionPos(tw.innerJunction);
  tw.arrival = sprites_->Create(tw.left ? clip::TrainOutLeft : clip::TrainOutRight, false);
  tw.arrival->SetPos(p.x + (tw.left ? -15 : 15), p.y - 5);
  tw.arrival->SetPeriod(200);
  tw.arrival->Show(false);
  tw.bell = sprites_->Create(clip::TownBell, false);
  tw.bell->SetPos(p.x, p.y - 30);
  tw.bell->Show(false);
  tw.startSign = sprites_->Create(clip::WaitTrain, false);
  tw.startSign->SetPos(p.x, p.y - 25);
  tw.startSign->SetPeriod(2000);
  tw.startSign->Show(false);
  badges_.Attach(tw);
}

void Field::RemoveTownPictures(Town& tw) {
  if (!sprites_) return;
  badges_.Detach(tw);
  for (FieldSprite** s : {&tw.arrival, &tw.bell, &tw.startSign}) {
    if (*s) sprites_->Remove(*s);
    *s = nullptr;
  }
}

bool Field::AddTown(int c, int j, int t) {
  int tj = TownJunctionFor(j, t);
  if (tj < 0 || c != static_cast<int>(towns_.size()) || c > 7 || At(j).Town() >= 0) {
    std::fprintf(stderr, "Error. Field::AddInitialTowns. Bad town info: %d,%d\n", j, t);
    return false;
  }
  Town tw;
  tw.colour = c;
  tw.innerJunction = j;
  tw.townJunction = tj;
  tw.left = InColumnOne(j);
  tw.startDirection = tw.left ? t : rail::Opposite(t);
  MakeTownPictures(tw);
  towns_.push_back(tw);
  At(j).AttachTown(c, tw.left);
  AddTrack(tw.left ? tj : j, t, Laying::kTownTrack);
  townRecord_ += std::to_string(j) + "," + std::to_string(t) + " ";
  return true;
}

bool Field::AddNewTown(int colour, int nextJunction, int nextType) {
  if (!AddTown(colour, nextTownJunction_, nextTrackType_)) return false;
  ReserveNextTown(nextJunction, nextType);
  Sound(snd::NewTown);
  Post("New town added");
  return true;
}

bool Field::ReserveNextTown(int junction, int type) {
  if (junction == -1) {
    std::vector<int> candidates;
    for (int k = 0; k < 8; ++k) {
      if (At(16 * k + 1).Town() < 0) candidates.push_back(16 * k + 1);
    }
    for (int k = 0; k < 8; ++k) {
      if (At(16 * k + 14).Town() < 0) candidates.push_back(16 * k + 14);
    }
    if (candidates.empty()) {
      nextTownJunction_ = -1;
      nextTrackType_ = -1;
      return false;
    }
    for (int i = static_cast<int>(candidates.size()) - 1; i > 0; --i) {
      std::swap(candidates[i], candidates[rnd::Below(i + 1)]);
    }
    junction = candidates[0];
    type = rnd::Below(4);
    int up = junction - 16;
    if ((up < 0 || At(up).Town() >= 0) && (type == 0 || type == 3)) type = 1 + rnd::Below(2);
    int down = junction + 16;
    if ((down >= rail::kJunctions || At(down).Town() >= 0) && (type == 0 || type == 3)) {
      type = 1 + rnd::Below(2);
    }
  }
  int tj = TownJunctionFor(junction, type);
  if (tj < 0) {
    std::fprintf(stderr, "Error. Field::ReserveNextTown. Bad town info: %d,%d\n", junction, type);
    return false;
  }
  // Only one place is held for the next town: ends of an earlier reservation that no
  // town has taken up are let go.
  MarkReservation(*this, nextTownJunction_, nextTrackType_, false);
  nextTownJunction_ = junction;
  nextTrackType_ = type;
  MarkReservation(*this, junction, type, true);
  return true;
}

void Field::AddScenery(std::vector<Scenery>& items, int clip, const SceneryRecord& r) {
  Scenery s;
  s.x = r.x;
  s.y = r.y;
  s.frame = r.frame;
  s.town = r.town;
  if (sprites_) {
    bool house = &items == &houses_;
    s.picture = house ? sprites_->CreateHouse(r.town) : sprites_->Create(clip, false);
    s.picture->SetPos(r.x, r.y);
    s.picture->SetFrame(r.frame);
    s.picture->SetZ(r.x / 1000 - 2 * r.y);
  }
  items.push_back(s);
}

bool Field::AddHouse(double growth, int town, bool aroundRandomTown) {
  if (town < 0 || town > 7) return false;
  int centre = nextTownJunction_;
  if (aroundRandomTown) {
    if (towns_.empty()) return false;
    town = rnd::Below(static_cast<int>(towns_.size()));
    centre = towns_[town].innerJunction;
  }
  if (!rail::ValidJunction(centre)) return false;
  std::vector<rail::Point> samples;
  for (int d = 0; d < 12; ++d) {
    if (!At(centre).HasEnd(d) || !rail::ValidJunction(rail::Neighbour(centre, d))) continue;
    std::vector<rail::Point> pts = TrackSamples(centre, d);
    samples.insert(samples.end(), pts.begin(), pts.end());
  }
  rail::Point c = rail::JunctionPos(centre);
  for (int attempt = 0; attempt < 100; ++attempt) {
    int x = c.x + rnd::Below(60) - 30;
    int y = c.y + rnd::Below(60) - 30;
    if (x < 67 || y < 80 || x >= screen::kWidth || y >= screen::kHeight - 30) continue;
    bool blocked = false;
    for (const Scenery& h : houses_) {
      if (std::abs(h.x - x) <= 7 && std::abs(h.y - y) <= 7) blocked = true;
    }
    for (const rail::Point& p : samples) {
      if (std::abs(p.x - x) <= 10 && std::abs(p.y - y) <= 10) blocked = true;
    }
    if (blocked) continue;
    int frames = FieldClipFrames(houseClip_);
    int f = rnd::Below(3) + static_cast<int>((frames - 1) * growth / 100) - 1;
    // The last frame is kept for a house being cleared away for track.
    if (f > frames - 2) f = frames - 2;
    if (f < 0) f = 0;
    AddScenery(houses_, houseClip_, {x, y, f, town});
    SortByX(houses_);
    return true;
  }
  return false;
}

void Field::PlaceTrees(int forests, int size) {
  for (Scenery& t : trees_) {
    if (t.picture && sprites_) sprites_->Remove(t.picture);
  }
  trees_.clear();
  int frames = FieldClipFrames(treeClip_);
  auto freeSpot = [this](int x, int y) {
    for (const Scenery& t : trees_) {
      if (std::abs(t.x - x) <= 5 && std::abs(t.y - y) <= 5) return false;
    }
    return true;
  };
  const int cls = ForestClass(size);
  for (int f = 0; f < forests; ++f) {
    int count = kForestBase[cls] + rnd::Below(kForestExtra[cls]);
    int spread = kForestSpread[cls];
    int cx = 67 + spread + rnd::Below(856 - 2 * spread);
    int cy = 80 + spread + rnd::Below(527 - 2 * spread);
    int f1 = rnd::Below(frames - 2);
    int f2 = rnd::Below(frames - 2);
    for (int k = 0; k < count; ++k) {
      int x = cx + static_cast<int>(rnd::Gauss(0, spread / 2.0));
      int y = cy + static_cast<int>(rnd::Gauss(0, spread / 2.0));
      if (x < 67 || x > 923 || y < 80 || y > 576 || !freeSpot(x, y)) continue;
      AddScenery(trees_, treeClip_, {x, y, rnd::Below(2) ? f1 : f2, -1});
    }
  }
  int singles = kSinglesBase + rnd::Below(kSinglesExtra);
  for (int k = 0; k < singles; ++k) {
    int x = 67 + rnd::Below(856);
    int y = 80 + rnd::Below(496);
    if (!freeSpot(x, y)) continue;
    AddScenery(trees_, treeClip_, {x, y, rnd::Below(frames - 1), -1});
  }
  SortByX(trees_);
}

int Field::MostTrees(int forests, int size) {
  const int cls = ForestClass(size);
  return std::max(forests, 0) * (kForestBase[cls] + kForestExtra[cls] - 1) + kSinglesBase +
         kSinglesExtra - 1;
}

void Field::ClearField() {
  trains_.clear();
  tracks_.clear();
  finishedTracks_ = 0;
  for (CrashSite& s : crashSites_) {
    if (!sprites_) break;
    if (s.sign) sprites_->Remove(s.sign);
    if (s.button) sprites_->Remove(s.button);
  }
  crashSites_.clear();
  for (Explosion& e : explosions_) {
    if (!sprites_) break;
    for (FieldSprite* s : {e.blast, e.car, e.carSecond, e.carShadow}) {
      if (s) sprites_->Remove(s);
    }
  }
  explosions_.clear();
  for (auto* items : {&trees_, &houses_}) {
    for (Scenery& s : *items) {
      if (s.picture && sprites_) sprites_->Remove(s.picture);
    }
    items->clear();
  }
  for (Town& tw : towns_) RemoveTownPictures(tw);
  towns_.clear();
  for (auto& j : junctions_) {
    if (j) j->Reset();
  }
  builtRecord_.clear();
  townRecord_.clear();
}

void Field::NewLevel(int forests, int size, int nextJunction, int nextType,
                     const std::vector<SceneryRecord>& trees,
                     const std::vector<SceneryRecord>& houses, int treeClip) {
  ClearField();
  treeClip_ = treeClip;
  buildTimer_ = 0;
  buildInterval_ = 1;
  waitTimer_ = 0;
  endTimer_ = 0;
  selectTimer_ = 0;
  selectedTown_ = 0;
  moveTimer_ = 0;
  repairTipShown_ = false;
  nextTownJunction_ = -1;
  nextTrackType_ = -1;
  ReserveNextTown(nextJunction, nextType);
  if (!trees.empty()) {
    for (const SceneryRecord& r : trees) AddScenery(trees_, treeClip_, r);
  } else {
    PlaceTrees(forests, size);
  }
  for (const SceneryRecord& r : houses) {
    if (r.town >= 0 && r.town <= 7) AddScenery(houses_, houseClip_, r);
  }
  SortByX(trees_);
  SortByX(houses_);
}

std::vector<SceneryRecord> Field::CollectHouses() const {
  std::vector<SceneryRecord> out;
  for (const Scenery& h : houses_) out.push_back({h.x, h.y, h.frame, h.town});
  return out;
}

std::vector<SceneryRecord> Field::CollectTrees() const {
  std::vector<SceneryRecord> out;
  for (const Scenery& t : trees_) out.push_back({t.x, t.y, t.frame, t.mark});
  return out;
}

int Field::TownAt(int x, int y) const {
  int best = 0;
  int bestDist = -1;
  for (size_t i = 0; i < towns_.size(); ++i) {
    rail::Point p = rail::JunctionPos(towns_[i].townJunction);
    if (std::abs(p.x - x) >= 200) continue;
    int dist = std::abs(p.y - y);
    if (bestDist < 0 || dist < bestDist) {
      bestDist = dist;
      best = static_cast<int>(i);
    }
  }
  return best;
}

rail::Point Field::TownPosition(int town) const {
  if (town < 0 || town >= static_cast<int>(towns_.size())) return {0, 0};
  return rail::JunctionPos(towns_[town].innerJunction);
}
