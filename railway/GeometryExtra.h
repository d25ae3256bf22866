// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Grid and track geometry used by the railway's rules: junction positions, the twelve
// directions with their sides and neighbours, track lengths and points along a track.
// All functions are pure.

namespace rail {

constexpr int kFieldWidth = 8;
constexpr int kFieldHeight = 17;
constexpr int kJunctions = kFieldWidth * kFieldHeight;

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

bool ValidJunction(int j);
bool ValidDirection(int d);
Point JunctionPos(int j);
int NodeAt(int x, int y);
int Neighbour(int j, int d);
int Opposite(int d);
int SideOf(int d);
int OppositeSide(int side);
// The three directions of a side, in scanning order (arc, straight, arc).
int SideDirection(int side, int k);
bool IsStraight(int d);
bool IsArc(int d);
int TrackLength(int d);
TrackPose TrackPoint(int j, int d, double pos);
// Picture frame for a heading, for a picture of the given number of frames.
int FrameFromHeading(int heading, int frames);
// Frame of the track pictures for a track type.
int TypeFrame(int type);

}  // namespace rail
