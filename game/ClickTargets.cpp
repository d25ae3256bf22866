// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ClickTargets.h"

#include <cstdlib>
#include <vector>

#include "engine/LClip.h"
#include "game/Game.h"
#include "ids/ScreenSize.h"

namespace {

constexpr int kReach = 20;  // pixels around a picture's point that are tried
constexpr int kNear = 40;   // pictures of junctions farther away cannot take the point

bool OnScreen(int x, int y) {
  return x >= 0 && x < screen::kWidth && y >= 0 && y < screen::kHeight;
}

}  // namespace

const FieldSprite* ClickTargets::FirstHit(int x, int y) const {
  static const std::vector<int> all = [] {
    std::vector<int> every(rail::kJunctions);
    for (int j = 0; j < rail::kJunctions; ++j) every[static_cast<size_t>(j)] = j;
    return every;
  }();
  return FirstHitAmong(x, y, all);
}

const FieldSprite* ClickTargets::FirstHitAmong(int x, int y, const std::vector<int>& near) const {
  const Field& field = game_.GetField();
  for (const CrashSite& site : field.CrashSites()) {
    if (site.button && site.button->Hit(x, y)) return site.button;
  }
  for (const int j : near) {
    const Junction& at = field.At(j);
    if (std::abs(at.X() - x) > kNear || std::abs(at.Y() - y) > kNear) continue;
    for (int s = 0; s < 4; ++s) {
      const FieldSprite* p = at.SwitchAt(s).picture;
      if (p && p->Covers(x, y)) return p;
    }
    for (int s = 0; s < 4; ++s) {
      const FieldSprite* p = at.SignalAt(s).picture;
      if (p && p->Covers(x, y)) return p;
    }
  }
  return nullptr;
}

bool ClickTargets::Covered(int x, int y) const {
  for (const Tips::Shown& t : game_.GetTips().ShownTips()) {
    if (x >= t.boxX && y >= t.boxY && x < t.boxX + t.boxW && y < t.boxY + t.boxH) return true;
  }
  return game_.Panel().IsInsideToggle(x, y);
}

// Tries the points around the picture, nearest first, until one is accepted.
template <typename Accept>
bool ClickTargets::Search(const FieldSprite* picture, int& x, int& y, Accept accept) const {
  const int cx = static_cast<int>(picture->X());
  const int cy = static_cast<int>(picture->Y());
  // Only the junctions near enough to take a point of the search can: they are asked in
  // index order, as the field asks them.
  std::vector<int> near;
  const Field& field = game_.GetField();
  for (int j = 0; j < rail::kJunctions; ++j) {
    const Junction& at = field.At(j);
    if (std::abs(at.X() - cx) <= kNear + kReach && std::abs(at.Y() - cy) <= kNear + kReach) {
      near.push_back(j);
    }
  }
  for (int ring = 0; ring <= kReach; ++ring) {
    for (int dy = -ring; dy <= ring; ++dy) {
      for (int dx = -ring; dx <= ring; ++dx) {
        if (std::abs(dx) != ring && std::abs(dy) != ring) continue;
        const int px = cx + dx, py = cy + dy;
        if (!OnScreen(px, py) || !picture->Covers(px, py)) continue;
        if (FirstHitAmong(px, py, near) != picture || !accept(px, py)) continue;
        x = px;
        y = py;
        return true;
      }
    }
  }
  return false;
}

void ClickTargets::Refresh() {
  const Field& field = game_.GetField();
  if (field.Tracks().size() == tracks_ && field.CrashSites().size() == sites_) return;
  tracks_ = field.Tracks().size();
  sites_ = field.CrashSites().size();
  cache_.clear();
}

bool ClickTargets::StillFor(const Found& found, const FieldSprite* picture) const {
  if (found.clip != picture->Clip() || found.px != picture->X() || found.py != picture->Y())
    return false;
  // A point is still good while a click there reaches the picture; none stays none only
  // while the picture shows the same frame.
  return found.x >= 0 ? FirstHit(found.x, found.y) == picture : found.frame == picture->Frame();
}

bool ClickTargets::PointFor(const FieldSprite* picture, int& x, int& y) {
  if (!picture) return false;
  Refresh();
  auto it = cache_.find(picture);
  if (it != cache_.end() && !StillFor(it->second, picture)) {
    cache_.erase(it);
    it = cache_.end();
  }
  if (it == cache_.end()) {
    Found found{-1, -1, picture->Clip(), picture->Frame(), picture->X(), picture->Y()};
    if (!Search(picture, found.x, found.y, [](int, int) { return true; })) found.x = found.y = -1;
    it = cache_.emplace(picture, found).first;
  }
  x = it->second.x;
  y = it->second.y;
  return x >= 0;
}

bool ClickTargets::ClickFor(const FieldSprite* picture, int& x, int& y) {
  if (!PointFor(picture, x, y)) return false;
  if (!Covered(x, y)) return true;
  int px = x, py = y;
  if (Search(picture, px, py, [this](int sx, int sy) { return !Covered(sx, sy); })) {
    x = px;
    y = py;
  }
  return true;
}
