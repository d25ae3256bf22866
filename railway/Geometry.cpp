// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Geometry.h"

#include <algorithm>
#include <cmath>

namespace rail {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The arc angles in degrees of each direction (zero for the straight ones); the sides,
// opposites and lengths are the header's functions.
struct ArcAngles {
  double start, end;
};

constexpr ArcAngles kArcs[kDirectionCount] = {
    {0, 0}, {-90, 0},  {180, 90}, {0, 0}, {0, 90},     {-90, -180},
    {0, 0}, {90, 180}, {0, -90},  {0, 0}, {-180, -90}, {90, 0},
};

constexpr int kTypeFrame[kTrackTypeCount] = {5, 1, 3, 4, 2, 0};

// Screen angle of a ground angle k (degrees, 0..180): the ground plane seen at the
// view's elevation squashes the vertical by its sine.
double SquashedAngle(double k) {
  if (k == 90) return 89.999999;
  double s = std::sin(kElevationDegrees * kPi / 180.0);
  double t = std::atan(s * std::tan(k * kPi / 180.0)) * 180.0 / kPi;
  return k < 90 ? t : 180.0 + t;
}

// The game steps the angle in whole degrees (truncated toward zero); drawing uses it unrounded.
double ScreenAngle(double a, bool wholeDegrees) {
  if (a < -180) a += 360;
  double k = wholeDegrees ? std::trunc(a) : a;
  double t = SquashedAngle(std::min(std::fabs(k), 180.0));
  return k < 0 ? -t : t;
}

// Point of the arc ellipse at screen angle theta (degrees).
void EllipsePoint(double theta, double& x, double& y) {
  double t = std::tan(theta * kPi / 180.0);
  x = 1.0 / std::sqrt(1.0 / (kArcRadiusX * kArcRadiusX) + t * t / (kArcRadiusY * kArcRadiusY));
  if (theta > 90 || theta < -90) x = -x;
  y = x * t;
}

// The arc point at whole screen degrees k from kLowestWhole up, as EllipsePoint(ScreenAngle())
// finds it: the game's movement steps ask for the same few hundred points all the time.
constexpr int kLowestWhole = -180;
constexpr int kWholeCount = 541;  // up to 360 degrees
struct WholePoints {
  double x[kWholeCount], y[kWholeCount];
};

const WholePoints& WholeDegreePoints() {
  static const WholePoints table = [] {
    WholePoints t{};
    for (int i = 0; i < kWholeCount; ++i)
      EllipsePoint(ScreenAngle(kLowestWhole + i, true), t.x[i], t.y[i]);
    return t;
  }();
  return table;
}

// EllipsePoint(ScreenAngle(a, wholeDegrees)), from the table where the angle is whole.
void ArcPoint(double a, bool wholeDegrees, double& x, double& y) {
  if (wholeDegrees) {
    const double k = std::trunc(a < -180 ? a + 360 : a);
    if (k >= kLowestWhole && k < kLowestWhole + kWholeCount) {
      const int i = static_cast<int>(k) - kLowestWhole;
      x = WholeDegreePoints().x[i];
      y = WholeDegreePoints().y[i];
      return;
    }
  }
  EllipsePoint(ScreenAngle(a, wholeDegrees), x, y);
}

}  // namespace

int JunctionX(int i) { return (i % kFieldWidth) * 107 + 67 + ((i / kFieldWidth) % 2 ? 53 : 0); }
int JunctionY(int i) { return (i / kFieldWidth) * 31 + 80; }
Point JunctionPos(int j) { return {JunctionX(j), JunctionY(j)}; }

int NodeAt(int x, int y) {
  int row = (y - 65) / 31;
  int column = row % 2 == 0 ? (x + 53 - 67) / 107 : (x - 67) / 107;
  return row * kFieldWidth + column;
}

bool TrackOnGrid(int i, int type) {
  constexpr int kRowStep[kTrackTypeCount] = {-1, 0, 0, 1, 2, 2};
  if (!ValidJunction(i) || type < 0 || type >= kTrackTypeCount) return false;
  const int far = Neighbour(i, type);
  return ValidJunction(far) && far / kFieldWidth == i / kFieldWidth + kRowStep[type];
}

int TypeFrame(int type) { return type >= 0 && type < kTrackTypeCount ? kTypeFrame[type] : 0; }

static PrecisePoint PointOnTrack(int j, int d, double p, bool wholeDegrees) {
  PrecisePoint r;
  if (!ValidDirection(d)) return r;
  double x0 = JunctionX(j), y0 = JunctionY(j);
  double len = TrackLength(d);
  if (IsStraight(d)) {
    int far = Neighbour(j, d);
    r.x = x0 + (JunctionX(far) - x0) * p / len;
    r.y = y0 + (JunctionY(far) - y0) * p / len;
    r.heading = d == 0 ? -135 : d == 3 ? -45 : d == 6 ? 45 : 135;
    return r;
  }
  const ArcAngles& info = kArcs[d];
  double s = info.end > info.start ? 1.0 : -1.0;
  r.heading = info.start - 45 + s * 90 * p / len;
  double xs, ys, xa, ya;
  ArcPoint(info.start - 45, wholeDegrees, xs, ys);
  ArcPoint(r.heading, wholeDegrees, xa, ya);
  r.x = x0 + (xa - xs);
  r.y = y0 + (ya - ys);
  return r;
}

PrecisePoint TrackPointPrecise(int j, int d, double p) { return PointOnTrack(j, d, p, false); }

TrackPose TrackPoint(int j, int d, double p) {
  TrackPose r;
  if (!ValidDirection(d) || !ValidJunction(j)) return r;
  PrecisePoint q = PointOnTrack(j, d, p, true);
  r.heading = static_cast<int>(q.heading);
  if (IsStraight(d)) {
    r.x = static_cast<int>(q.x + 0.5);
    r.y = static_cast<int>(q.y + 0.5);
  } else {
    r.x = static_cast<int>(q.x);
    r.y = static_cast<int>(q.y);
  }
  return r;
}

int FrameFromHeading(int heading, int frames) {
  int a = heading % 360;
  if (a < 0) a += 360;
  a += 45;
  if (a > 359) a -= 360;
  return frames * a / 360;
}

int CarFrame(int d, int heading, int frames, bool reversed) {
  int f = FrameFromHeading(heading, frames);
  int turns = (d == 2 || d == 5 || d == 8 || d == 11 ? 1 : 0) + (reversed ? 1 : 0);
  for (int t = 0; t < turns; ++t) {
    f -= frames / 2;
    if (f < 0) f += frames;
  }
  return f;
}

}  // namespace rail
