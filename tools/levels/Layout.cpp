// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/Layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

#include "railway/Geometry.h"

namespace levels {

namespace {

// The screen offset from a junction to its neighbour in each direction.
constexpr int kOffsetX[12] = {53, 107, 107, 53, 0, 0, -53, -107, -107, -53, 0, 0};
constexpr int kOffsetY[12] = {-31, 0, 0, 31, 62, 62, 31, 0, 0, -31, -62, -62};

int EndsOnSide(int ends, int side) {
  int n = 0;
  for (int k = 0; k < 3; ++k) n += (ends >> rail::SideDirection(side, k)) & 1;
  return n;
}

}  // namespace

int Step(int j, int d) {
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d)) return -1;
  const int n = rail::Neighbour(j, d);
  if (!rail::ValidJunction(n)) return -1;
  // Odd rows sit half a column (53 pixels of 107) to the right: diagonals are 53 or 54.
  if (std::abs(rail::JunctionX(n) - rail::JunctionX(j) - kOffsetX[d]) > 1) return -1;
  if (rail::JunctionY(n) - rail::JunctionY(j) != kOffsetY[d]) return -1;
  return n;
}

bool TownPlace(int j) { return j >= 0 && j < 128 && (j % 16 == 1 || j % 16 == 14); }

int TownJunction(int j, int t) {
  if (!TownPlace(j) || t < 0 || t > 3) return -1;
  const bool left = j % 8 == 1;
  const int n = Step(j, left ? rail::Opposite(t) : t);
  if (n < 0) return -1;
  return (left ? n % 8 == 0 : n % 8 == 7) ? n : -1;
}

Pair TownTrack(const Pair& town) {
  const bool left = town.junction % 8 == 1;
  return left ? Pair{TownJunction(town.junction, town.type), town.type} : town;
}

int TownDirection(const Pair& town) {
  const bool left = town.junction % 8 == 1;
  return left ? rail::Opposite(town.type) : town.type;
}

std::array<int, 136> Layout::Ends() const {
  std::array<int, 136> ends{};
  auto add = [&](const Pair& p) {
    const int n = Step(p.junction, p.type);
    if (n < 0) return;
    ends[static_cast<size_t>(p.junction)] |= 1 << p.type;
    ends[static_cast<size_t>(n)] |= 1 << rail::Opposite(p.type);
  };
  for (const Pair& t : towns)
    if (TownJunction(t.junction, t.type) >= 0) add(TownTrack(t));
  for (const Pair& p : tracks) add(p);
  return ends;
}

bool Layout::HasTrack(int j, int t) const {
  return std::find(tracks.begin(), tracks.end(), Pair{j, t}) != tracks.end();
}

int Layout::ReachablePairs() const {
  const std::array<int, 136> ends = Ends();
  std::array<int, 136> townAt;
  townAt.fill(-1);
  for (size_t c = 0; c < towns.size(); ++c) townAt[static_cast<size_t>(towns[c].junction)] = int(c);
  int count = 0;
  for (size_t from = 0; from < towns.size(); ++from) {
    std::vector<bool> seen(136 * 12, false), reached(towns.size(), false);
    std::vector<std::pair<int, int>> todo{{towns[from].junction, TownDirection(towns[from])}};
    while (!todo.empty()) {
      auto [j, a] = todo.back();
      todo.pop_back();
      if (seen[static_cast<size_t>(j * 12 + a)]) continue;
      seen[static_cast<size_t>(j * 12 + a)] = true;
      const int exitSide = rail::OppositeSide(rail::SideOf(a));
      for (int k = 0; k < 3; ++k) {
        const int e = rail::SideDirection(exitSide, k);
        if (!((ends[static_cast<size_t>(j)] >> e) & 1)) continue;
        const int town = townAt[static_cast<size_t>(j)];
        if (town >= 0 && e == TownDirection(towns[static_cast<size_t>(town)])) {
          reached[static_cast<size_t>(town)] = true;
          continue;
        }
        const int n = Step(j, e);
        if (n >= 0) todo.push_back({n, rail::Opposite(e)});
      }
    }
    for (size_t to = 0; to < towns.size(); ++to) count += to != from && reached[to] ? 1 : 0;
  }
  return count;
}

bool Layout::AllReachable() const {
  const int n = static_cast<int>(towns.size());
  return ReachablePairs() == n * (n - 1);
}

std::string Layout::Fault() const {
  char text[96];
  if (towns.size() < 2 || towns.size() > 8) return "needs 2 to 8 towns";
  std::set<int> inner;
  for (const Pair& t : towns) {
    if (TownJunction(t.junction, t.type) < 0) {
      std::snprintf(text, sizeof text, "town %d,%d is not on a town place", t.junction, t.type);
      return text;
    }
    if (!inner.insert(t.junction).second) return "two towns share a junction";
  }
  std::set<std::pair<int, int>> joined;
  std::vector<Pair> all = tracks;
  for (const Pair& t : towns) all.push_back(TownTrack(t));
  for (const Pair& p : all) {
    const int n = Step(p.junction, p.type);
    if (p.type < 0 || p.type > 5 || n < 0) {
      std::snprintf(text, sizeof text, "track %d,%d leaves the grid", p.junction, p.type);
      return text;
    }
    if (!joined.insert({std::min(p.junction, n), std::max(p.junction, n)}).second) {
      std::snprintf(text, sizeof text, "track %d,%d joins two junctions joined already", p.junction,
                    p.type);
      return text;
    }
  }
  const std::array<int, 136> ends = Ends();
  for (int j = 0; j < 136; ++j)
    for (int side = 0; side < 4; ++side)
      if (EndsOnSide(ends[static_cast<size_t>(j)], side) > 2) {
        std::snprintf(text, sizeof text, "junction %d has three ends on side %d", j, side);
        return text;
      }
  return "";
}

namespace {
std::string Text(const std::vector<Pair>& pairs) {
  std::string out;
  for (const Pair& p : pairs) {
    if (!out.empty()) out += ' ';
    out += std::to_string(p.junction) + "," + std::to_string(p.type);
  }
  return out;
}
}  // namespace

std::string Layout::TownsText() const { return Text(towns); }
std::string Layout::TracksText() const { return Text(tracks); }

std::string Layout::Key() const {
  std::vector<Pair> sorted = tracks;
  std::sort(sorted.begin(), sorted.end());
  return Text(towns) + " / " + Text(sorted);
}

bool ParsePairList(const std::string& text, std::vector<Pair>& out) {
  out.clear();
  std::istringstream in(text);
  std::string item;
  while (in >> item) {
    Pair p;
    char comma = 0, extra = 0;
    std::istringstream one(item);
    if (!(one >> p.junction >> comma >> p.type) || comma != ',' || (one >> extra)) return false;
    out.push_back(p);
  }
  return true;
}

}  // namespace levels
