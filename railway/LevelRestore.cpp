// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/LevelRestore.h"

#include <charconv>
#include <cstdio>

namespace {
// One number at p; the position after it, or nullptr when there is none that fits an int.
const char* ReadInt(const char* p, const char* end, int& value) {
  const auto [after, error] = std::from_chars(p, end, value);
  return error == std::errc() ? after : nullptr;
}
}  // namespace

std::vector<TrackPair> ParsePairs(const std::string& text, size_t* stop) {
  std::vector<TrackPair> pairs;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  for (;;) {
    while (p != end && *p == ' ') ++p;
    TrackPair pair{-1, -1};
    const char* comma = ReadInt(p, end, pair.junction);
    if (!comma || comma == end || *comma != ',') break;
    const char* after = ReadInt(comma + 1, end, pair.type);
    if (!after) break;
    pairs.push_back(pair);
    p = after;
  }
  if (stop) *stop = static_cast<size_t>(p - begin);
  return pairs;
}

TrackPair NextTownPair(const std::vector<TrackPair>& towns, int town) {
  const size_t next = static_cast<size_t>(town) + 1;
  return town >= -1 && next < towns.size() ? towns[next] : TrackPair{-1, -1};
}

void BeginLevel(Field& field, const std::vector<TrackPair>& towns, int forests, int forestSize,
                const std::vector<SceneryRecord>& trees, const std::vector<SceneryRecord>& houses,
                int treeClip) {
  const TrackPair first = NextTownPair(towns, -1);
  field.NewLevel(forests, forestSize, first.junction, first.type, trees, houses, treeClip);
}

bool LayLevelTracks(Field& field, const std::vector<TrackPair>& tracks) {
  bool all = true;
  for (const TrackPair& t : tracks) {
    all = field.AddTrack(t.junction, t.type, Laying::kLevelLayout) && all;
  }
  return all;
}

bool LayLevelTracks(Field& field, const std::string& pairs) {
  return LayLevelTracks(field, ParsePairs(pairs));
}

bool AddLevelTown(Field& field, const std::vector<TrackPair>& towns, int town) {
  const TrackPair next = NextTownPair(towns, town);
  return field.AddNewTown(town, next.junction, next.type);
}

void FinishBuilding(Field& field) {
  for (int i = 0; i < 100000 && !field.AllTracksBuilt(); ++i) field.BuildStep(1000);
}

bool RebuildLevel(Field& field, const std::string& townRecord, const std::string& trackRecord,
                  const std::vector<SceneryRecord>& trees, const std::vector<SceneryRecord>& houses,
                  int treeClip) {
  const std::vector<TrackPair> towns = ParsePairs(townRecord);
  BeginLevel(field, towns, 0, 0, trees, houses, treeClip);
  LayLevelTracks(field, ParsePairs(trackRecord));
  bool ok = true;
  for (int i = 0; i < static_cast<int>(towns.size()); ++i) {
    if (!AddLevelTown(field, towns, i)) {
      std::fprintf(stderr, "Error. RebuildLevel. Town %d could not be added.\n", i);
      ok = false;
    }
  }
  FinishBuilding(field);
  return ok;
}
