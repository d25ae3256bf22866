// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Laying a level out again: the text form of a level's towns and tracks ("j,t j,t ...",
// as the level table and the field's records write it), and the one way a saved level
// is rebuilt on a field: a fresh field with its trees and houses, the tracks, then the
// towns in their order, each reserving the place of the next.
#include <string>
#include <vector>

#include "railway/Field.h"

struct TrackPair {
  int junction;
  int type;
  bool operator==(const TrackPair&) const = default;
};

// Reads "%d,%d" pairs separated by blanks; stops at the end of the text or at
// something that is not a pair (a number too large for an int is not one). When stop
// is given it receives the offset where reading ended: text.size() when every
// character was read as pairs and blanks.
std::vector<TrackPair> ParsePairs(const std::string& text, size_t* stop = nullptr);

// The pair after the town numbered town, or (-1, -1) past the list: where the field
// reserves the place for the following town.
TrackPair NextTownPair(const std::vector<TrackPair>& towns, int town);

// A fresh level on the field: the first town's place reserved, the saved trees and
// houses put back (or, with no tree records, forests generated).
void BeginLevel(Field& field, const std::vector<TrackPair>& towns, int forests, int forestSize,
                const std::vector<SceneryRecord>& trees, const std::vector<SceneryRecord>& houses,
                int treeClip);
// Lays the level's tracks as its layout (free, no rules); false when one was refused.
bool LayLevelTracks(Field& field, const std::vector<TrackPair>& tracks);
bool LayLevelTracks(Field& field, const std::string& pairs);
// Adds town number town at the reserved place and reserves the next one's.
bool AddLevelTown(Field& field, const std::vector<TrackPair>& towns, int town);
// Runs the construction until every track is built.
void FinishBuilding(Field& field);

// The whole rebuild at once (the game spreads the towns and the building over its
// updates): towns and tracks from their records, every track built. The running
// state is then read with Field::LoadField. False when a town could not be added.
bool RebuildLevel(Field& field, const std::string& townRecord, const std::string& trackRecord,
                  const std::vector<SceneryRecord>& trees, const std::vector<SceneryRecord>& houses,
                  int treeClip);
