// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Field.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>

namespace {
// Trees within 20 pixels (in x and in y) of a point of a new track are in its way,
// houses within 10.
constexpr int kTreeRange = 20;
constexpr int kHouseRange = 10;
// Prices in the Classic game: the track itself and the fines for what it removes.
constexpr int kTrackPrice = 1000;
constexpr int kTreePrice = 500;
constexpr int kHousePrice = 1000;
// Construction runs one step per 200 ms in play; a level's own tracks are built at
// frame rate first (the interval starts at 1 ms) until none is left unfinished.
constexpr int kBuildIntervalPlay = 200;
// A track grows by 10 % per construction step, a quiet one (laid by the level or a
// town) by 50 %.
constexpr int kBuildStep = 10;
constexpr int kQuietBuildStep = 50;
// A track's way is sampled at 15 steps along it (4 units on a straight, 7 on an arc).
constexpr int kWaySamples = 15;

// The grid's borders for building: the towns stand in the first and last columns, and
// nothing may leave the grid at the top or bottom.
constexpr int kFirstColumn = 0;
constexpr int kTownColumn = rail::kFieldWidth - 1;
constexpr int kLastInnerColumn = kTownColumn - 1;
constexpr int kLastRow = rail::kFieldHeight - 1;
// The arcs two rows down (types 4 and 5) need two rows below their start.
constexpr int kLastArcDownRow = kLastRow - 1;

// The straight directions: a switch at either end of a straight track is drawn short.
constexpr int kStraights[] = {0, 3, 6, 9};

// Arcs cross other arcs in the same grid square at a third and two thirds of their length.
constexpr double kCrossNear = 38;  // 115 * 1 / 3, whole units
constexpr double kCrossFar = 76;   // 115 * 2 / 3
// Junction two rows below and the one to the right, for the partner arcs.
constexpr int kTwoRowsDown = 2 * rail::kFieldWidth;
constexpr int kNextColumn = 1;

// Track types by the direction they leave in: 0 up-right, 1 and 2 the arcs to the right,
// 3 down-right, 4 and 5 the arcs two rows down. Types up to 3 lead to the right.
constexpr int kUpRight = 0;
constexpr int kDownLeft = 6;
constexpr int kLastRightwardType = 3;

bool ValidType(int t) { return t >= 0 && t < Track::kTypes; }
bool ArcRight(int t) { return t == 1 || t == 2; }
bool ArcDown(int t) { return t == 4 || t == 5; }
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

// Both ends are registered, in whatever state (reserved, under construction or built).
bool Field::HasTrack(int i, int t) const {
  if (!rail::ValidJunction(i) || !ValidType(t)) return false;
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  return At(i).HasEnd(t) && At(far).HasEnd(rail::Opposite(t));
}

// The building rules for a player's track.
bool Field::CanBuild(int i, int t) const {
  if (!rail::ValidJunction(i) || !ValidType(t)) return false;
  int c = i % rail::kFieldWidth;
  int r = i / rail::kFieldWidth;
  // No track starts in the towns' columns or in the bottom row (every type leads right,
  // down or up-right from its start).
  if (c == kFirstColumn || c == kTownColumn || r == kLastRow) return false;
  // From the last inner column, the pieces that would reach the towns' column: the arcs
  // to the right on an even row, and on an odd row (shifted half a column right) every
  // piece leading right.
  bool oddRow = r % 2 == 1;
  if (c == kLastInnerColumn && ((!oddRow && ArcRight(t)) || (oddRow && t <= kLastRightwardType)))
    return false;
  // Nothing leaves the grid: up-right from the top row, two rows down near the bottom.
  if (r == 0 && t == kUpRight) return false;
  if (r >= kLastArcDownRow && ArcDown(t)) return false;
  // Both ends must be free to take a track: a side with a switch takes no third.
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  return At(i).AcceptsEnd(t) && At(far).AcceptsEnd(rail::Opposite(t));
}

// Screen points along the track, ordered by x: what it covers on the way.
std::vector<rail::Point> Field::TrackSamples(int i, int t) const {
  std::vector<rail::Point> points;
  int length = rail::TrackLength(t);
  int step = length / kWaySamples;
  for (int p = 0; p < length; p += step) {
    rail::TrackPose pose = rail::TrackPoint(i, t, p);
    points.push_back({pose.x, pose.y});
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const rail::Point& a, const rail::Point& b) { return a.x < b.x; });
  return points;
}

// Marks with the track's key every unmarked item within range of one of the points;
// returns how many were newly marked. A marked item belongs to the first track over it.
int Field::MarkScenery(std::vector<Scenery>& items, const std::vector<rail::Point>& points,
                       int range, int key) {
  if (points.empty()) return 0;
  // Only an item within range of the points' box can be within range of one of them.
  int left = points.front().x, right = left, top = points.front().y, bottom = top;
  for (const rail::Point& p : points) {
    left = std::min(left, p.x - range);
    right = std::max(right, p.x + range);
    top = std::min(top, p.y - range);
    bottom = std::max(bottom, p.y + range);
  }
  int count = 0;
  for (Scenery& s : items) {
    if (s.mark != 0 || s.x < left || s.x > right || s.y < top || s.y > bottom) continue;
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

namespace {

// What a way of laying a track does: checkRules applies the building rules; a free
// piece costs nothing and fines nothing; a quiet one stays out of the built-track
// record, builds fast and becomes the active branch of a new switch; loading lays it
// without fines or sounds.
struct LayingEffects {
  bool checkRules;
  bool free;
  bool quiet;
  bool loading;
};

// Nothing for a value that is no way of laying.
std::optional<LayingEffects> EffectsOf(Laying how) {
  switch (how) {
    case Laying::kByPlayer:
      return LayingEffects{.checkRules = true, .free = false, .quiet = false, .loading = false};
    case Laying::kLevelLayout:
      return LayingEffects{.checkRules = false, .free = true, .quiet = false, .loading = true};
    case Laying::kTownTrack:
      return LayingEffects{.checkRules = false, .free = true, .quiet = true, .loading = false};
    case Laying::kQuietLayout:
      return LayingEffects{.checkRules = false, .free = true, .quiet = true, .loading = true};
  }
  return std::nullopt;
}

}  // namespace

// Lays one track piece in the given way; false (and nothing changed) when it cannot be
// laid there.
bool Field::AddTrack(int i, int t, Laying how) {
  const std::optional<LayingEffects> effects = EffectsOf(how);
  if (!effects) return false;
  const auto [checkRules, free, quiet, loading] = *effects;
  if (!ValidType(t) || !rail::ValidJunction(i)) return false;
  int far = rail::Neighbour(i, t);
  if (!rail::ValidJunction(far)) return false;
  if (checkRules && !CanBuild(i, t)) return false;
  if (!quiet) builtRecord_ += std::to_string(i) + "," + std::to_string(t) + " ";
  // The trees and houses in the way are marked now and cleared during construction.
  std::vector<rail::Point> points = TrackSamples(i, t);
  int key = Track::KeyOf(i, t);
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
  // Both ends register at their junctions, which may make switches and signals there.
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

// Two switches at the ends of one straight track would overlap: both are drawn with the
// short picture, created again so that they draw above the newest track.
void Field::RefreshSwitchPictures(int j) {
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

// The arcs to the right (types 1 and 2) from a junction cross the arcs downward (types
// 4 and 5) from its up-right neighbour, inside one grid square. For a new arc, each
// partner arc already there gives one pair of places (one on each arc) that the
// collision checks watch. Places are given from the arcs' ends whose direction is not 2
// or 4, and the pairs are kept by the junction of the new arc's place.
void Field::RegisterCrossings(int i, int t) {
  int c = i % rail::kFieldWidth;
  int p = -1;
  if (ArcRight(t) && i >= rail::kFieldWidth) p = rail::Neighbour(i, kUpRight);
  if (ArcDown(t) && c != kFirstColumn) p = rail::Neighbour(i, kDownLeft);
  if (!rail::ValidJunction(p)) return;
  // firstAt and secondAt: the partner's directions whose arcs give the first and the
  // second pair; store: the junction that keeps the pairs.
  struct Pair {
    int firstAt, secondAt, store;
    rail::Place a1, b1, a2, b2;
  };
  Pair q{};
  constexpr double kNear = kCrossNear;
  constexpr double kFar = kCrossFar;
  const int below = p + kTwoRowsDown;
  const int right = p + kNextColumn;
  switch (t) {
    case 1:
      q = {5, 4, i, {i, 1, kNear}, {p, 5, kNear}, {i, 1, kFar}, {below, 11, kFar}};
      break;
    case 2:
      q = {5,
           4,
           i + kNextColumn,
           {i + kNextColumn, 7, kFar},
           {p, 5, kFar},
           {i + kNextColumn, 7, kNear},
           {below, 11, kNear}};
      break;
    case 4:
      q = {1,
           2,
           i + kTwoRowsDown,
           {i + kTwoRowsDown, 11, kFar},
           {p, 1, kFar},
           {i + kTwoRowsDown, 11, kNear},
           {right, 7, kNear}};
      break;
    default:
      q = {1, 2, i, {i, 5, kNear}, {p, 1, kNear}, {i, 5, kFar}, {right, 7, kFar}};
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

// A tree or house cleared by a track shows the last frame of its picture (never used
// otherwise) until RemoveFinishedScenery takes it away. One item per call, or all of
// them for a track that builds without pause; true when the step should end here.
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

// Construction: one track at a time, in the order they were laid. The items in its way
// are cleared first, then the track grows stage by stage.
void Field::BuildStep(int dt) {
  buildTimer_ += dt;
  if (buildTimer_ <= buildInterval_) return;
  Track* track = nullptr;
  for (; finishedTracks_ < tracks_.size(); ++finishedTracks_) {
    if (tracks_[finishedTracks_]->Progress() < Track::kFinished) {
      track = tracks_[finishedTracks_].get();
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
  if (track->Advance(track->Quiet() ? kQuietBuildStep : kBuildStep) && !track->Quiet()) {
    Sound(snd::BuildTrack);
  }
  // Finished: both ends are built, and trains may use the track.
  if (track->Progress() >= Track::kFinished) {
    At(track->Start()).EndLine(track->Type());
    At(rail::Neighbour(track->Start(), track->Type())).EndLine(rail::Opposite(track->Type()));
  }
}

bool Field::AllTracksBuilt() const {
  // The tracks before finishedTracks_ are known to be finished.
  for (size_t i = finishedTracks_; i < tracks_.size(); ++i) {
    if (tracks_[i]->Progress() < Track::kFinished) return false;
  }
  return true;
}

// A click in route mode: a crash site's call button is returned to the game (it calls
// the repair train); otherwise the first junction with a switch or signal under the
// point takes it.
FieldSprite* Field::FieldClick(int x, int y) {
  if (FieldSprite* button = CallButtonAt(x, y)) return button;
  ClickJunctions(x, y);
  return nullptr;
}

FieldSprite* Field::CallButtonAt(int x, int y) {
  for (CrashSite& site : crashSites_) {
    if (site.button && site.button->Hit(x, y)) return site.button;
  }
  return nullptr;
}

bool Field::ClickJunctions(int x, int y) {
  for (auto& j : junctions_) {
    if (j->ClickJunction(x, y)) return true;
  }
  return false;
}

bool Field::IsCallButton(const FieldSprite* sprite) const {
  for (const CrashSite& site : crashSites_) {
    if (sprite && site.button == sprite) return true;
  }
  return false;
}

// Only the cars' centres count, on the track as seen from either end.
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

// Whether a train may leave a town: the line in front of it (from junction j in
// direction d) is looked at up to the first switch, dead end or second curve, and it is
// busy when a car stands on one of those tracks. A line that cannot be told (no start
// direction yet) counts as busy.
bool Field::LineBusy(int d, int j) const {
  if (d == -1 || j == -1 || !rail::ValidJunction(j) || !rail::ValidDirection(d)) return true;
  bool arcPassed = rail::IsArc(d);
  if (IsTrackOccupied(d, j)) return true;
  int cur = j;
  int dir = d;
  // The guard (every track end once) only stops a walk round a closed loop.
  constexpr int kLongestWalk = rail::kJunctions * 12;
  for (int guard = 0; guard < kLongestWalk; ++guard) {
    int n = rail::Neighbour(cur, dir);
    if (!rail::ValidJunction(n)) return false;
    const Junction& jn = At(n);
    int entry = rail::SideOf(rail::Opposite(dir));
    if (jn.SwitchAgainst(dir)) return false;
    int exit = jn.RouteExit(rail::OppositeSide(entry), dir, false, false);
    if (exit == -1) return false;
    // Beyond a switch the player decides where trains go: the look stops there.
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
