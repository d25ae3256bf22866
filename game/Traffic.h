// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who is on or about to use which track, and when: the autopilot's picture of the
// traffic, made anew at every look. Trains claim the tracks under their cars and the
// tracks of their way with the time (in movement steps at top speed) they will take
// to pass them; a way that would meet a claim head-on at an overlapping time is in
// conflict with it.
#include <vector>

#include "game/RoutePlanner.h"
#include "railway/Field.h"

class Train;

class Traffic {
 public:
  // A train's time on a track: the claiming train, the way it runs over the track (+1
  // from its lower junction, -1 from the higher) and the movement steps from now at
  // which it comes onto the track, has cleared the track's start and has left it.
  struct Claim {
    int train = -1;
    int way = 0;
    double enter = 0;
    double clear = 0;
    double leave = 0;
  };
  // The first head-on meeting on a way: the other train, the distance at which the
  // way comes to it, and the movement steps until either train comes onto that track.
  struct Conflict {
    bool found = false;
    int train = -1;
    int distance = 0;
    double ownEnter = 0;
    double otherEnter = 0;
  };
  // How a train moves: what its way's distances turn into times.
  struct Mover {
    int id = -1;
    double speed = 1;   // track units per movement step
    double length = 0;  // of all its cars
  };
  static Mover MoverOf(const Train& train, int id);

  void Clear();
  // The pairs of arcs that cross each other on the field: trains on both at once crash
  // as surely as trains meeting head-on.
  void LearnCrossings(const Field& field);
  // The tracks under the train's cars, from now until the train could have left them.
  void Occupy(const Train& train, int id);
  // The tracks of the way.
  void Reserve(const Route& route, const Mover& mover);
  // Extra cost of taking the track leaving j in direction d, distance units ahead.
  int Cost(int j, int d, int distance, const Mover& mover) const;
  // The first head-on meeting with each other train on the way, nearest first.
  std::vector<Conflict> Conflicts(const Route& route, const Mover& mover) const;

 private:
  using Key = rail::TrackName;
  void Add(int j, int d, const Claim& claim);
  // Whether a mover on the track between enter and leave meets a claim there or on a
  // track that crosses it; with met, every such claim is added there.
  bool Meets(int j, int d, const Claim& own, std::vector<const Claim*>* met) const;
  static bool RunsInto(const Claim& c, int way, const Claim& own);
  // Whether any train claims the track leaving j in direction d or one crossing it.
  bool Claimed(int j, int d) const;
  // The claim of a mover on the track leaving j in direction d, distance units ahead.
  static Claim ClaimOf(const Mover& mover, int d, int distance);

  // Tracks by the index of their name (rail::TrackIndex), with the indices in use, so
  // that a look clears only what the last one filled.
  static constexpr size_t kTracks = rail::kJunctions * rail::kDirectionCount;
  // Whether the key names a track on the field: a way's step off its edge names none.
  static bool Valid(const Key& key) {
    return rail::ValidJunction(key.j) && rail::ValidDirection(key.d);
  }
  static size_t IndexOf(const Key& key) { return static_cast<size_t>(rail::TrackIndex(key)); }
  std::vector<std::vector<Claim>> claims_ = std::vector<std::vector<Claim>>(kTracks);
  std::vector<size_t> claimed_;
  std::vector<std::vector<Key>> crossings_ = std::vector<std::vector<Key>>(kTracks);
  std::vector<size_t> crossed_;
};
