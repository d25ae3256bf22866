// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/Ground.h"

#include <algorithm>

#include "railway/Geometry.h"

namespace art {

namespace {
// A junction with every neighbour inside the grid (row 4 is even, so the diagonal steps
// are 53 pixels wide; odd rows differ by one pixel).
constexpr int kReferenceJunction = 4 * 8 + 3;
}  // namespace

TrackCurve::TrackCurve(int type, int samplesPerUnit) : type_(type) {
  length_ = rail::TrackLength(type);
  int n = std::max(2, int(length_ * samplesPerUnit));
  step_ = length_ / n;
  double x0 = rail::JunctionX(kReferenceJunction), y0 = rail::JunctionY(kReferenceJunction);
  for (int i = 0; i <= n; ++i) {
    rail::PrecisePoint q = rail::TrackPointPrecise(kReferenceJunction, type, i * step_);
    ground_.push_back(ScreenToGround(q.x - x0, q.y - y0));
  }
}

static Vec2 Lerp(const Vec2& a, const Vec2& b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Vec2 TrackCurve::GroundTangent(double p) const {
  double f = std::clamp(p / step_, 0.0, double(ground_.size() - 1));
  size_t i = std::min(size_t(f), ground_.size() - 2);
  Vec2 d{ground_[i + 1].x - ground_[i].x, ground_[i + 1].y - ground_[i].y};
  double len = std::hypot(d.x, d.y);
  return len > 0 ? Vec2{d.x / len, d.y / len} : Vec2{1, 0};
}

Vec2 TrackCurve::At(double p, double side) const {
  double f = std::clamp(p / step_, 0.0, double(ground_.size() - 1));
  size_t i = std::min(size_t(f), ground_.size() - 2);
  Vec2 g = Lerp(ground_[i], ground_[i + 1], f - i);
  Vec2 t = GroundTangent(p);
  // Beyond the ends the piece continues straight along its end tangent (overlapping joints).
  double beyond = p < 0 ? p : p > length_ ? p - length_ : 0;
  g = {g.x + t.x * beyond, g.y + t.y * beyond};
  // Right of travel on the ground, with ground y growing towards the viewer.
  Vec2 n{-t.y, t.x};
  return GroundToScreen(g.x + n.x * side, g.y + n.y * side);
}

}  // namespace art
