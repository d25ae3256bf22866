// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A level's railway as the level file holds it: towns (inner junction, type of the track
// that joins the town) and tracks (start junction, type), with what the layout checks
// need: the track ends at each junction, and which towns a train can reach from which,
// running forwards with the switches set as the player likes.
#include <array>
#include <string>
#include <vector>

namespace levels {

struct Pair {
  int junction = -1;
  int type = -1;
  bool operator==(const Pair&) const = default;
  bool operator<(const Pair& o) const {
    return junction != o.junction ? junction < o.junction : type < o.type;
  }
};

// The junction a track leaving j in direction d ends at, or -1 when it would leave
// the grid (the plain neighbour formula wraps around the rows).
int Step(int j, int d);
// True for a town place: column 1 of an even row or column 6 of an odd row.
bool TownPlace(int j);
// The town junction (column 0 or 7) of a town at inner junction j joined by type t, or
// -1 when that type cannot join a town there.
int TownJunction(int j, int t);
// The track a town lays: from the town junction for a left town, from j for a right one.
Pair TownTrack(const Pair& town);
// The direction at the inner junction that leads into the town.
int TownDirection(const Pair& town);

class Layout {
 public:
  std::vector<Pair> towns;   // in colour order
  std::vector<Pair> tracks;  // the level's own tracks (not the towns')

  // Ends at each junction, the towns' tracks included: a bit per direction.
  std::array<int, 136> Ends() const;
  bool HasTrack(int j, int t) const;
  // Whether every town reaches every other town running forwards.
  bool AllReachable() const;
  // How many of the ordered town pairs are reachable.
  int ReachablePairs() const;
  // Empty when the layout lays as a level: towns on town places with valid types, every
  // track inside the grid, no side with three ends, no track twice. Otherwise the fault.
  std::string Fault() const;
  // The text forms ("j,t j,t").
  std::string TownsText() const;
  std::string TracksText() const;
  // The same railway, whatever the order of the tracks: towns in order, tracks sorted.
  std::string Key() const;
};

// Reads "j,t j,t ..." pairs; false on anything else.
bool ParsePairList(const std::string& text, std::vector<Pair>& out);

}  // namespace levels
