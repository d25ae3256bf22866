// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/GeometryExtra.h"

#include "railway/Geometry.h"

namespace rail {

bool ValidJunction(int j) { return j >= 0 && j < kJunctions; }
bool ValidDirection(int d) { return d >= 0 && d < 12; }
Point JunctionPos(int j) { return {Geometry::JunctionX(j), Geometry::JunctionY(j)}; }
int NodeAt(int x, int y) { return Geometry::NodeAt(x, y); }
int Neighbour(int j, int d) { return Geometry::Neighbour(j, d); }
int Opposite(int d) { return Geometry::Opposite(d); }
int SideOf(int d) { return Geometry::SideOf(d); }
int OppositeSide(int side) { return side >= 0 && side < 4 ? Geometry::OppositeSide(side) : -1; }
int SideDirection(int side, int k) {
  return side >= 0 && side < 4 && k >= 0 && k < 3 ? Geometry::SideDirection(side, k) : -1;
}
bool IsStraight(int d) { return Geometry::IsStraight(d); }
bool IsArc(int d) { return ValidDirection(d) && !IsStraight(d); }
int TrackLength(int d) { return Geometry::TrackLength(d); }

TrackPose TrackPoint(int j, int d, double pos) {
  if (!ValidDirection(d) || !ValidJunction(j)) return {};
  Geometry::TrackPointResult r = Geometry::TrackPoint(j, d, pos);
  return {r.x, r.y, r.heading};
}

int FrameFromHeading(int heading, int frames) { return Geometry::FrameFromHeading(heading, frames); }

int TypeFrame(int type) {
  int f = Geometry::TypeFrame(type);
  return f < 0 ? 0 : f;
}

}  // namespace rail
