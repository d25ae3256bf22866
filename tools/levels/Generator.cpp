// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/Generator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <queue>
#include <random>

#include "railway/Geometry.h"

namespace levels {

namespace {

constexpr int kStates = 136 * 12;

int EndsOnSide(int ends, int side) {
  int n = 0;
  for (int k = 0; k < 3; ++k) n += (ends >> rail::SideDirection(side, k)) & 1;
  return n;
}

bool NetworkColumn(int j) { return j % 8 != 0 && j % 8 != 7; }

// The track as the field stores it: from the end whose direction is 0..5.
Pair Canonical(int j, int d) { return d <= 5 ? Pair{j, d} : Pair{Step(j, d), rail::Opposite(d)}; }

class Builder {
 public:
  Builder(uint32_t seed, const Shape& shape) : rng_(seed), shape_(shape) {}

  std::optional<Layout> Run();

 private:
  bool PlaceTowns();
  // Lays new track from state (j, a) (a train at j that arrived over the end a) to the
  // line; false when no way was found.
  // With balloon set the new track comes back to j itself through the side it left by:
  // a loop where a train turns round.
  bool Connect(int j, int a, int minTracks, bool balloon = false);
  bool AddLoop(bool balloon);
  bool Crosses(const Pair& p) const;
  int TownSide(int j) const;
  double Noise() { return std::uniform_real_distribution<double>(0.8, 1.5)(rng_); }

  std::optional<Layout> Fail(const char* why) {
    if (std::getenv("OT_LEVELGEN_DEBUG")) std::fprintf(stderr, "no layout: %s\n", why);
    return std::nullopt;
  }

  std::mt19937 rng_;
  Shape shape_;
  Layout layout_;
};

int Builder::TownSide(int j) const {
  for (const Pair& t : layout_.towns)
    if (t.junction == j) return rail::SideOf(TownDirection(t));
  return -1;
}

bool Builder::Crosses(const Pair& p) const {
  if (p.type == 1 || p.type == 2) {
    const int up = Step(p.junction, 0);
    return up >= 0 && (layout_.HasTrack(up, 4) || layout_.HasTrack(up, 5));
  }
  if (p.type == 4 || p.type == 5) {
    const int down = Step(p.junction, 6);
    return down >= 0 && (layout_.HasTrack(down, 1) || layout_.HasTrack(down, 2));
  }
  return false;
}

bool Builder::PlaceTowns() {
  std::vector<int> places;
  for (int k = 0; k < 8; ++k) {
    places.push_back(16 * k + 1);
    places.push_back(16 * k + 14);
  }
  std::shuffle(places.begin(), places.end(), rng_);
  for (int j : places) {
    if (static_cast<int>(layout_.towns.size()) >= shape_.towns) break;
    // Towns on one side stay at least four rows apart, so their houses have room.
    bool crowded = false;
    for (const Pair& t : layout_.towns)
      crowded |= t.junction % 8 == j % 8 && std::abs(t.junction / 8 - j / 8) < 4;
    if (crowded || j / 8 == 0 || j / 8 >= 15) continue;
    std::vector<int> types;
    for (int t = 0; t < 4; ++t)
      if (TownJunction(j, t) >= 0) types.push_back(t);
    if (types.empty()) continue;
    layout_.towns.push_back({j, types[rng_() % types.size()]});
  }
  return static_cast<int>(layout_.towns.size()) == shape_.towns;
}

bool Builder::Connect(int startJ, int startA, int minTracks, bool balloon) {
  const std::array<int, 136> ends = layout_.Ends();
  std::vector<double> cost(kStates, 1e18);
  std::vector<int> from(kStates, -1), steps(kStates, 0);
  using Item = std::pair<double, int>;
  std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
  const int start = startJ * 12 + startA;
  cost[static_cast<size_t>(start)] = 0;
  open.push({0, start});
  int goal = -1;
  while (!open.empty() && goal < 0) {
    auto [c, s] = open.top();
    open.pop();
    if (c > cost[static_cast<size_t>(s)]) continue;
    const int j = s / 12, a = s % 12;
    const int exitSide = rail::OppositeSide(rail::SideOf(a));
    const int j_ends = s == start ? ends[static_cast<size_t>(j)] : 0;
    if (s == start && (EndsOnSide(j_ends, exitSide) >= 2 || TownSide(j) == exitSide)) return false;
    for (int k = 0; k < 3; ++k) {
      const int e = rail::SideDirection(exitSide, k);
      const int n = Step(j, e);
      if (n < 0 || !NetworkColumn(n) || ((ends[static_cast<size_t>(j)] >> e) & 1)) continue;
      const Pair track = Canonical(j, e);
      const int arrive = rail::Opposite(e), side = rail::SideOf(arrive);
      const int nEnds = ends[static_cast<size_t>(n)];
      double step =
          (rail::IsArc(e) ? 190 : 70) * Noise() + (Crosses(track) ? shape_.crossingCost : 0);
      bool isGoal = false;
      if (balloon && n == startJ) {
        if (side != rail::OppositeSide(rail::SideOf(startA)) ||
            steps[static_cast<size_t>(s)] + 1 < minTracks)
          continue;
        isGoal = true;
      } else if (balloon && nEnds != 0) {
        continue;
      } else if (nEnds != 0) {
        // Joining the line: the train goes on through the far side, and this side takes
        // at most one more end (then a switch).
        const bool through = EndsOnSide(nEnds, rail::OppositeSide(side)) >= 1;
        if (through && EndsOnSide(nEnds, side) <= 1 && TownSide(n) != side && n != startJ &&
            steps[static_cast<size_t>(s)] + 1 >= minTracks) {
          isGoal = true;
        } else if (EndsOnSide(nEnds, side) == 0 &&
                   EndsOnSide(nEnds, rail::OppositeSide(side)) == 0 && TownSide(n) < 0) {
          step += 150;  // crossing another line
        } else {
          continue;
        }
      }
      const int next = n * 12 + arrive;
      if (c + step >= cost[static_cast<size_t>(next)]) continue;
      cost[static_cast<size_t>(next)] = c + step;
      from[static_cast<size_t>(next)] = s;
      steps[static_cast<size_t>(next)] = steps[static_cast<size_t>(s)] + 1;
      if (isGoal) {
        goal = next;
        break;
      }
      open.push({c + step, next});
    }
  }
  if (goal < 0) return false;
  for (int s = goal; s != start; s = from[static_cast<size_t>(s)]) {
    const int prev = from[static_cast<size_t>(s)];
    const int j = prev / 12, n = s / 12;
    for (int e = 0; e < 12; ++e)
      if (Step(j, e) == n && rail::Opposite(e) == s % 12) layout_.tracks.push_back(Canonical(j, e));
  }
  return true;
}

// A new branch from a through junction of the line back to the line: a loop where a
// train can wait or turn.
bool Builder::AddLoop(bool balloon) {
  const std::array<int, 136> ends = layout_.Ends();
  std::vector<std::pair<int, int>> starts;
  for (int j = 0; j < 136; ++j) {
    if (!NetworkColumn(j) || ends[static_cast<size_t>(j)] == 0) continue;
    for (int side = 0; side < 4; ++side) {
      const int e = ends[static_cast<size_t>(j)];
      if (EndsOnSide(e, side) == 1 && EndsOnSide(e, rail::OppositeSide(side)) >= 1 &&
          TownSide(j) != side) {
        // Arriving over an end on the far side, the train leaves through this side.
        for (int k = 0; k < 3; ++k) {
          const int a = rail::SideDirection(rail::OppositeSide(side), k);
          if ((e >> a) & 1) starts.push_back({j, a});
        }
      }
    }
  }
  std::shuffle(starts.begin(), starts.end(), rng_);
  for (size_t i = 0; i < starts.size() && i < 12; ++i) {
    const Layout before = layout_;
    if (Connect(starts[i].first, starts[i].second, balloon ? 5 : 3, balloon) &&
        layout_.Fault().empty())
      return true;
    layout_ = before;
  }
  return false;
}

std::optional<Layout> Builder::Run() {
  if (!PlaceTowns()) return Fail("towns");
  for (size_t t = 1; t < layout_.towns.size(); ++t) {
    const Pair& town = layout_.towns[t];
    if (!Connect(town.junction, TownDirection(town), 1)) return Fail("connect");
    if (!layout_.Fault().empty()) return Fail(layout_.Fault().c_str());
  }
  for (int tries = 0; tries < 16 && !layout_.AllReachable(); ++tries) {
    const Layout before = layout_;
    const int reached = layout_.ReachablePairs();
    if (!AddLoop(rng_() % 2 == 0) || layout_.ReachablePairs() <= reached) layout_ = before;
  }
  if (!layout_.AllReachable()) return Fail("reach");
  for (int n = 0; n < shape_.extraLoops; ++n) AddLoop(false);
  if (!layout_.Fault().empty() || !layout_.AllReachable()) return std::nullopt;
  return layout_;
}

}  // namespace

Shape ShapeFor(int difficulty, uint32_t seed) {
  std::mt19937 rng(seed ^ 0x5bd1e995u);
  auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % (hi - lo + 1)); };
  Shape s;
  switch (std::clamp(difficulty, 1, 4)) {
    case 1:
      s = {pick(2, 3), pick(0, 1), 800};
      break;
    case 2:
      s = {pick(3, 4), pick(1, 2), 500};
      break;
    case 3:
      s = {pick(4, 5), pick(1, 3), 300};
      break;
    default:
      s = {pick(5, 7), pick(2, 4), 200};
      break;
  }
  return s;
}

std::optional<Layout> Propose(uint32_t seed, const Shape& shape) {
  Builder builder(seed, shape);
  return builder.Run();
}

}  // namespace levels
