// SPDX-License-Identifier: GPL-3.0-or-later
// The ground plane as the game shows it: seen from the front at 35 degrees of elevation,
// so ground depth is squashed by sin 35 on screen and heights by cos 35.
#pragma once

#include <cmath>
#include <vector>

namespace art {

inline const double kGroundSquash = std::sin(35.0 * M_PI / 180.0);  // ground y -> screen y
inline const double kHeightSquash = std::cos(35.0 * M_PI / 180.0);  // height -> screen y

struct Vec2 {
  double x = 0, y = 0;
};

inline Vec2 GroundToScreen(double gx, double gy, double height = 0) {
  return {gx, gy * kGroundSquash - height * kHeightSquash};
}
inline Vec2 ScreenToGround(double sx, double sy) { return {sx, sy / kGroundSquash}; }

// The centre line of one track piece, relative to its start junction, in screen pixels,
// sampled from the game's own track geometry.
class TrackCurve {
 public:
  // type 0..5: the direction the piece leaves its start junction.
  explicit TrackCurve(int type, int samplesPerUnit = 2);

  int Type() const { return type_; }
  double Length() const { return length_; }
  // Screen point at distance p (0..Length; beyond the ends the line goes on straight)
  // shifted sideways on the ground by `side` ground pixels (positive: right of travel).
  Vec2 At(double p, double side = 0) const;
  // Unit tangent on the ground at p.
  Vec2 GroundTangent(double p) const;
  // Screen offset of the far junction from the start junction.
  Vec2 End() const { return At(length_); }

 private:
  int type_;
  double length_;
  std::vector<Vec2> ground_;  // centre line on the ground, evenly spaced in p
  double step_;
};

}  // namespace art
