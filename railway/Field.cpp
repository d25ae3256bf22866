// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Field.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {
constexpr int kTreeRange = 20;
constexpr int kHouseRange = 10;
constexpr int kTrackPrice = 1000;
constexpr int kTreePrice = 500;
constexpr int kHousePrice = 1000;
constexpr int kBuildIntervalPlay = 200;
}  // namespace

Field::Field(FieldSprites* sprites, FieldHost* host) : sprites_(sprites), host_(host) {
  for (int j = 0; j < rail::kJunctions; ++j) {
    junctions_[j] = std::make_unique<Junction>(j, sprites, host);
  }
}

Field::~Field() { ClearField(); }

void Field::Post(const std::string& text) {
  if (host_) host_->PostMessage(text, false);
}

void Field::Sound(int index) {
  if (host_) host_->PlaySound(index);
}

void Field::Tip(int number, int x, int y, const std::string& text) {
  if (host_) host_->ShowTip(number, x, y, text);
}

bool Field::HasTrack(int i, int t) const {
  if (!rail::ValidJunction(i) || t < 0 || t > 5) return false;
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  return At(i).HasEnd(t) && At(far).HasEnd(rail::Opposite(t));
}

bool Field::CanBuild(int i, int t) const {
  if (!rail::ValidJunction(i) || t < 0 || t > 5) return false;
  int c = i % rail::kFieldWidth;
  int r = i / rail::kFieldWidth;
  if (c == 0 || c == 7 || r == 16) return false;
  if (c == 6 && ((r % 2 == 0 && (t == 1 || t == 2)) || (r % 2 == 1 && t <= 3))) return false;
  if (r == 0 && t == 0) return false;
  if (r >= 15 && (t == 4 || t == 5)) return false;
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  return At(i).AcceptsEnd(t) && At(far).AcceptsEnd(rail::Opposite(t));
}

std::vector<rail::Point> Field::TrackSamples(int i, int t) const {
  std::vector<rail::Point> points;
  int length = rail::TrackLength(t);
  int step = length / 15;
  for (int p = 0; p < length; p += step) {
    rail::TrackPose pose = rail::TrackPoint(i, t, p);
    points.push_back({pose.x, pose.y});
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const rail::Point& a, const rail::Point& b) { return a.x < b.x; });
  return points;
}

int Field::MarkScenery(std::vector<Scenery>& items, const std::vector<rail::Point>& points,
                       int range, int key) {
  int count = 0;
  for (Scenery& s : items) {
    if (s.mark != 0) continue;
    for (const rail::Point& p : points) {
      if (std::abs(s.x - p.x) <= range && std::abs(s.y - p.y) <= range) {
        s.mark = key;
        ++count;
        break;
      }
    }
  }
  return count;
}

bool Field::AddTrack(int i, int t, Laying how) {
  switch (how) {
    case Laying::kByPlayer: return LayPiece(i, t, true, false, false, false);
    case Laying::kLevelLayout: return LayPiece(i, t, false, true, false, true);
    case Laying::kTownTrack: return LayPiece(i, t, false, true, true, false);
    case Laying::kQuietLayout: return LayPiece(i, t, false, true, true, true);
  }
  return false;
}

bool Field::LayPiece(int i, int t, bool checkRules, bool free, bool quiet, bool loading) {
  if (t < 0 || t > 5 || !rail::ValidJunction(i)) return false;
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  if (checkRules && !CanBuild(i, t)) return false;
  if (!quiet) builtRecord_ += std::to_string(i) + "," + std::to_string(t) + " ";
  std::vector<rail::Point> points = TrackSamples(i, t);
  int key = (i + 100) * 1000 + t;
  int trees = MarkScenery(trees_, points, kTreeRange, key);
  int houses = MarkScenery(houses_, points, kHouseRange, key);
  if (!loading && !free && host_) {
    if (trees > 0) {
      host_->Fine(kTreePrice * trees);
      Post(std::to_string(kTreePrice * trees) + " fine for removing trees");
    }
    if (houses > 0) {
      host_->Fine(kHousePrice * houses);
      Post(std::to_string(kHousePrice * houses) + " fine for removing the houses");
    }
  }
  tracks_.push_back(std::make_unique<Track>(i, t, free, quiet || loading, sprites_));
  At(i).BeginLine(t, quiet);
  At(far).BeginLine(rail::Opposite(t), quiet);
  RefreshSwitchPictures(i);
  RefreshSwitchPictures(far);
  if (rail::IsArc(t)) RegisterCrossings(i, t);
  if (!loading) {
    if (!free && host_) host_->Fine(kTrackPrice);
    Sound(snd::SetTrack);
  }
  return true;
}

void Field::RefreshSwitchPictures(int j) {
  static const int kStraights[4] = {0, 3, 6, 9};
  for (int d : kStraights) {
    Junction& jn = At(j);
    if (!jn.HasEnd(d) || !jn.HasSwitch(rail::SideOf(d))) continue;
    int n = rail::Neighbour(j, d);
    if (!rail::ValidJunction(n)) continue;
    int od = rail::Opposite(d);
    if (!At(n).HasSwitch(rail::SideOf(od))) continue;
    jn.RecreateSwitchPicture(rail::SideOf(d), true);
    At(n).RecreateSwitchPicture(rail::SideOf(od), true);
  }
}

void Field::RegisterCrossings(int i, int t) {
  int c = i % rail::kFieldWidth;
  int p = -1;
  if ((t == 1 || t == 2) && i >= 8) p = rail::Neighbour(i, 0);
  if ((t == 4 || t == 5) && c != 0) p = rail::Neighbour(i, 6);
  if (!rail::ValidJunction(p)) return;
  struct Pair {
    int firstAt, secondAt, store;
    rail::Place a1, b1, a2, b2;
  };
  Pair q{};
  switch (t) {
    case 1:
      q = {5, 4, i, {i, 1, 38}, {p, 5, 38}, {i, 1, 76}, {p + 16, 11, 76}};
      break;
    case 2:
      q = {5, 4, i + 1, {i + 1, 7, 76}, {p, 5, 76}, {i + 1, 7, 38}, {p + 16, 11, 38}};
      break;
    case 4:
      q = {1, 2, i + 16, {i + 16, 11, 76}, {p, 1, 76}, {i + 16, 11, 38}, {p + 1, 7, 38}};
      break;
    default:
      q = {1, 2, i, {i, 5, 38}, {p, 1, 38}, {i, 5, 76}, {p + 1, 7, 76}};
      break;
  }
  if (!rail::ValidJunction(q.store)) return;
  Junction& store = At(q.store);
  if (At(p).HasEnd(q.firstAt)) {
    store.crossings[0] = q.a1;
    store.crossings[1] = q.b1;
  }
  if (At(p).HasEnd(q.secondAt)) {
    store.crossings[2] = q.a2;
    store.crossings[3] = q.b2;
  }
}

bool Field::FinishMarked(std::vector<Scenery>& items, int key, bool all) {
  bool any = false;
  for (Scenery& s : items) {
    if (s.mark != key) continue;
    int last = s.picture ? s.picture->Frames() - 1 : 0;
    s.frame = last;
    if (s.picture) s.picture->SetFrame(last);
    s.mark = 0;
    any = true;
    if (!all) return true;
  }
  return any && !all;
}

void Field::RemoveFinishedScenery() {
  auto sweep = [this](std::vector<Scenery>& items) {
    auto keep = std::remove_if(items.begin(), items.end(), [this](Scenery& s) {
      int last = s.picture ? s.picture->Frames() - 1 : -1;
      if (s.picture == nullptr || s.frame != last) return false;
      if (sprites_) sprites_->Remove(s.picture);
      return true;
    });
    items.erase(keep, items.end());
  };
  sweep(trees_);
  sweep(houses_);
}

void Field::BuildStep(int dt) {
  buildTimer_ += dt;
  if (buildTimer_ <= buildInterval_) return;
  Track* track = nullptr;
  for (auto& t : tracks_) {
    if (t->Progress() < 100) {
      track = t.get();
      break;
    }
  }
  if (!track) {
    buildInterval_ = kBuildIntervalPlay;
    return;
  }
  buildTimer_ = 0;
  bool all = track->Quiet() || track->Free();
  if (FinishMarked(trees_, track->Key(), all)) return;
  if (FinishMarked(houses_, track->Key(), all)) return;
  RemoveFinishedScenery();
  if (track->Advance(track->Quiet() ? 50 : 10) && !track->Quiet()) Sound(snd::BuildTrack);
  if (track->Progress() >= 100) {
    At(track->Start()).EndLine(track->Type());
    At(rail::Neighbour(track->Start(), track->Type())).EndLine(rail::Opposite(track->Type()));
  }
}

bool Field::AllTracksBuilt() const {
  for (const auto& t : tracks_) {
    if (t->Progress() < 100) return false;
  }
  return true;
}

FieldSprite* Field::FieldClick(int x, int y) {
  for (CrashSite& site : crashSites_) {
    if (site.button && site.button->Hit(x, y)) return site.button;
  }
  for (auto& j : junctions_) {
    if (j->ClickJunction(x, y)) break;
  }
  return nullptr;
}

bool Field::IsCallButton(const FieldSprite* sprite) const {
  for (const CrashSite& site : crashSites_) {
    if (sprite && site.button == sprite) return true;
  }
  return false;
}

bool Field::IsTrackOccupied(int d, int j) const {
  int far = rail::Neighbour(j, d);
  int od = rail::Opposite(d);
  for (const auto& t : trains_) {
    for (const Car& c : t->cars) {
      if ((c.place.j == j && c.place.d == d) || (c.place.j == far && c.place.d == od)) {
        return true;
      }
    }
  }
  return false;
}

bool Field::LineBusy(int d, int j) const {
  if (d == -1 || j == -1 || !rail::ValidJunction(j) || !rail::ValidDirection(d)) return true;
  bool arcPassed = rail::IsArc(d);
  if (IsTrackOccupied(d, j)) return true;
  int cur = j;
  int dir = d;
  for (int guard = 0; guard < rail::kJunctions * 12; ++guard) {
    int n = rail::Neighbour(cur, dir);
    if (!rail::ValidJunction(n)) return false;
    const Junction& jn = At(n);
    int entry = rail::SideOf(rail::Opposite(dir));
    if (jn.SwitchAgainst(dir)) return false;
    int exit = jn.RouteExit(rail::OppositeSide(entry), dir, false, false);
    if (exit == -1) return false;
    if (jn.HasSwitch(entry) || jn.HasSwitch(rail::OppositeSide(entry))) return false;
    if (rail::IsArc(exit)) {
      if (arcPassed) return false;
      arcPassed = true;
    }
    if (IsTrackOccupied(exit, n)) return true;
    cur = n;
    dir = exit;
  }
  return false;
}
