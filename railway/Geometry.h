// SPDX-License-Identifier: GPL-3.0-or-later
// Track geometry of the field: the staggered grid of 136 junctions, the twelve directions
// with their sides and neighbours, track lengths, points along a track and the picture
// frame of a heading.
// Pure functions without any dependency, shared by the field and the art generator.
#pragma once

namespace rail {

constexpr int kFieldWidth = 8;
constexpr int kFieldHeight = 17;
constexpr int kJunctions = kFieldWidth * kFieldHeight;
constexpr int kDirectionCount = 12;
constexpr int kSideCount = 4;
constexpr int kTrackTypeCount = 6;

struct Point {
  int x = 0;
  int y = 0;
};

// A place on a track: distance pos from junction j along the track leaving j in direction d.
struct Place {
  int j = -1;
  int d = -1;
  double pos = 0;
};

// A screen point with the heading of the track there, in whole degrees.
struct TrackPose {
  int x = 0;
  int y = 0;
  int heading = 0;
};

constexpr bool ValidJunction(int j) { return j >= 0 && j < kJunctions; }
constexpr bool ValidDirection(int d) { return d >= 0 && d < kDirectionCount; }

// Screen position of junction i (0..135).
int JunctionX(int i);
int JunctionY(int i);
Point JunctionPos(int j);

// Junction under a screen point of the play area.
int NodeAt(int x, int y);

// Neighbour of junction i in direction d, or -1 for a direction outside 0..11.
// (The caller keeps the result inside the grid; the value may lie outside 0..135 at the border.)
constexpr int Neighbour(int i, int d) {
  const bool odd = (i / kFieldWidth) % 2 != 0;
  switch (d) {
    case 0:
      return odd ? i - 7 : i - 8;
    case 1:
    case 2:
      return i + 1;
    case 3:
      return odd ? i + 9 : i + 8;
    case 4:
    case 5:
      return i + 16;
    case 6:
      return odd ? i + 8 : i + 7;
    case 7:
    case 8:
      return i - 1;
    case 9:
      return odd ? i - 8 : i - 9;
    case 10:
    case 11:
      return i - 16;
    default:
      return -1;
  }
}
// True when a track of type 0..5 from junction i ends on the grid, at the neighbour it
// is drawn to (a piece from the last column does not wrap round to the next row).
bool TrackOnGrid(int i, int type);
// Direction in which a track leaving in d arrives at the far junction; -1 when d is invalid.
constexpr int Opposite(int d) {
  constexpr int kOpposite[kDirectionCount] = {6, 8, 7, 9, 11, 10, 0, 2, 1, 3, 5, 4};
  return ValidDirection(d) ? kOpposite[d] : -1;
}
// Side 0..3 of a direction, -1 when invalid: three directions a side, 11, 0 and 1 on side 0.
constexpr int SideOf(int d) { return ValidDirection(d) ? (d + 1) % kDirectionCount / 3 : -1; }
// The side across from a side 0..3, -1 when invalid.
constexpr int OppositeSide(int side) { return side >= 0 && side < 4 ? (side + 2) % 4 : -1; }
// The k-th (0..2) direction of a side, in scan order (arc, straight, arc); -1 when invalid.
constexpr int SideDirection(int side, int k) {
  if (side < 0 || side > 3 || k < 0 || k > 2) return -1;
  return (side * 3 + k + kDirectionCount - 1) % kDirectionCount;
}
// True for the straight directions 0, 3, 6 and 9.
constexpr bool IsStraight(int d) { return d == 0 || d == 3 || d == 6 || d == 9; }
// True for the eight arc directions.
constexpr bool IsArc(int d) { return ValidDirection(d) && !IsStraight(d); }
// 70 for straight directions, 115 for arcs, -1 when invalid.
constexpr int TrackLength(int d) { return ValidDirection(d) ? (IsStraight(d) ? 70 : 115) : -1; }

// A track named the same from either of its ends: the lower of its two junctions and the
// direction leaving it (its own junction when the far end is off the field).
struct TrackName {
  int j = -1;
  int d = -1;
  bool operator==(const TrackName&) const = default;
};
// The name of the track leaving j in direction d; way, when given, is +1 when the track
// leaves j as named and -1 when it runs the other way.
constexpr TrackName NameOfTrack(int j, int d, int* way = nullptr) {
  const int far = Neighbour(j, d);
  const bool own = !ValidJunction(far) || j < far;
  if (way) *way = own ? 1 : -1;
  return own ? TrackName{j, d} : TrackName{far, Opposite(d)};
}
// The place of a named track on the field in tables of kJunctions * kDirectionCount.
constexpr int TrackIndex(const TrackName& t) { return t.j * kDirectionCount + t.d; }

// Picture frame of a track type 0..5 in every track picture; 0 for an unknown type.
int TypeFrame(int type);

// Screen point (pixels) and heading (degrees) of the place at distance p from junction j
// along direction d; all zero for an invalid junction or direction.
TrackPose TrackPoint(int j, int d, double p);

// The same point before rounding to whole pixels and degrees (for drawing smooth curves).
struct PrecisePoint {
  double x = 0, y = 0;
  double heading = 0;
};
PrecisePoint TrackPointPrecise(int j, int d, double p);

// Frame of a picture with `frames` frames around the full turn for a heading in degrees:
// frame 0 points along the down-right diagonal, frames turn clockwise on screen.
int FrameFromHeading(int heading, int frames);
// Frame of a car at a heading on a track of direction d: arcs of directions 2, 5, 8 and 11
// run against their heading, and a reversed train turns once more.
int CarFrame(int d, int heading, int frames, bool reversed);

// The ellipse of the arcs and the elevation of the view.
constexpr double kArcRadiusX = 73.5;
constexpr double kArcRadiusY = 44.0;
constexpr double kElevationDegrees = 35.0;

}  // namespace rail
