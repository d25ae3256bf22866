// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelFile.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "core/Hash.h"
#include "game/KeyLines.h"
#include "railway/Field.h"
#include "railway/Geometry.h"
#include "railway/LevelRestore.h"

namespace {

constexpr const char* kMagic = "ostrel-level";
constexpr int kMinTowns = 2;
constexpr int kMaxTowns = 8;
constexpr int kMaxPar = 1000;
constexpr int kLocoTypes = 8;

struct IntKey {
  const char* key;
  int LevelFile::*field;
  int min;
  int max;
};

// A real value above low (or at least low, when lowIncluded) and at most high.
struct RealKey {
  const char* key;
  double LevelFile::*field;
  double low;
  bool lowIncluded;
  double high;
};

// The keys in the order the file is written.
constexpr IntKey kIntKeys[] = {
    {"par", &LevelFile::par, 0, kMaxPar},
    {"train-cars", &LevelFile::trainCars, 1, 20},
    {"level-minutes", &LevelFile::levelMinutes, 1, 60},
    {"houses-per-town", &LevelFile::housesPerTown, 1, 8},
    {"forest-count", &LevelFile::forestCount, 0, 8},
    {"forest-size", &LevelFile::forestSize, 1, 4},
    {"background", &LevelFile::background, 0, 2},
    {"max-towns", &LevelFile::maxTowns, kMinTowns, kMaxTowns},
    {"loco-min", &LevelFile::locoMin, 0, kLocoTypes - 1},
    {"loco-max", &LevelFile::locoMax, -1, kLocoTypes},
};

constexpr RealKey kRealKeys[] = {
    {"train-period", &LevelFile::trainPeriod, 0, false, 1000},
    {"crash-period", &LevelFile::crashPeriod, 0, false, 1000},
    {"crazy-period", &LevelFile::crazyPeriod, 0, false, 1000},
    {"wave-minutes", &LevelFile::waveMinutes, 0, false, 1000},
    {"wave-max", &LevelFile::waveMax, 1, true, 10},
};

constexpr const char* kKeyOrder[] = {
    "name",         "description",   "par",          "train-period",    "train-cars",
    "crash-period", "level-minutes", "crazy-period", "houses-per-town", "forest-count",
    "forest-size",  "background",    "max-towns",    "loco-min",        "loco-max",
    "wave-minutes", "wave-max",      "towns",        "tracks"};

const IntKey* FindInt(const std::string& key) {
  for (const IntKey& k : kIntKeys) {
    if (key == k.key) return &k;
  }
  return nullptr;
}

const RealKey* FindReal(const std::string& key) {
  for (const RealKey& k : kRealKeys) {
    if (key == k.key) return &k;
  }
  return nullptr;
}

std::string PairText(const TrackPair& p) {
  return std::to_string(p.junction) + "," + std::to_string(p.type);
}

std::string JoinPairs(const std::vector<TrackPair>& pairs) {
  std::string text;
  for (const TrackPair& p : pairs) {
    if (!text.empty()) text += ' ';
    text += PairText(p);
  }
  return text;
}

// The track joining a town to the edge of the field, as the field lays it.
TrackPair TownTrack(const TrackPair& town) {
  const bool left = town.junction % 16 == 1;
  return {left ? TownJunctionFor(town.junction, town.type) : town.junction, town.type};
}

// Reads one level's lines into level; the first problem is the refusal.
class LevelReader {
 public:
  LevelReader(const std::string& file, LevelFile& level) : file_(file), level_(level) {}

  bool Read(const std::vector<KeyLine>& lines, int lastLine) {
    if (!Magic(lines)) return false;
    for (size_t i = 1; i < lines.size(); ++i) {
      if (!Line(lines[i])) return false;
    }
    for (const char* key : kKeyOrder) {
      if (!seen_.count(key)) return Fail(lastLine, std::string("the key '") + key + "' is missing");
    }
    return Consistent();
  }

  const std::string& Why() const { return why_; }

 private:
  bool Fail(int line, const std::string& reason) {
    why_ = LineError(file_, line, reason);
    return false;
  }

  bool Magic(const std::vector<KeyLine>& lines) {
    if (lines.empty() || lines[0].key != kMagic) {
      return Fail(lines.empty() ? 1 : lines[0].number,
                  std::string("not a level file: the first line must be '") + kMagic + " " +
                      std::to_string(kLevelFileVersion) + "'");
    }
    const std::optional<int> version = WholeInt(WithoutComment(lines[0].value));
    if (!version || *version < 1)
      return Fail(lines[0].number, "the version is not a number from 1 on");
    if (*version > kLevelFileVersion) {
      return Fail(lines[0].number, "version " + std::to_string(*version) +
                                       " is newer than this game reads (" +
                                       std::to_string(kLevelFileVersion) + ")");
    }
    return true;
  }

  bool Line(const KeyLine& line) {
    if (!seen_.emplace(line.key, line.number).second) {
      return Fail(line.number, "the key '" + line.key + "' is given twice (first on line " +
                                   std::to_string(seen_[line.key]) + ")");
    }
    if (line.key == "name" || line.key == "description") return Text(line);
    const std::string value = WithoutComment(line.value);
    if (const IntKey* k = FindInt(line.key)) return Int(line, *k, value);
    if (const RealKey* k = FindReal(line.key)) return Real(line, *k, value);
    if (line.key == "towns") return Towns(line, value);
    if (line.key == "tracks") return Tracks(line, value);
    return Fail(line.number, "unknown key '" + line.key + "'");
  }

  // Name and description take the whole rest of the line, '#' included.
  bool Text(const KeyLine& line) {
    const bool isName = line.key == "name";
    const size_t limit = isName ? kMaxLevelNameLength : kMaxLevelDescriptionLength;
    if (isName && line.value.empty()) return Fail(line.number, "the name is empty");
    if (line.value.size() > limit) {
      return Fail(line.number,
                  "the " + line.key + " is longer than " + std::to_string(limit) + " characters");
    }
    (isName ? level_.name : level_.description) = line.value;
    return true;
  }

  bool Int(const KeyLine& line, const IntKey& k, const std::string& value) {
    const std::optional<int> n = WholeInt(value);
    if (!n) return Fail(line.number, line.key + ": '" + value + "' is not a whole number");
    if (*n < k.min || *n > k.max) {
      return Fail(line.number, line.key + ": " + value + " is outside " + std::to_string(k.min) +
                                   ".." + std::to_string(k.max));
    }
    level_.*k.field = *n;
    return true;
  }

  bool Real(const KeyLine& line, const RealKey& k, const std::string& value) {
    const std::optional<double> x = WholeReal(value);
    if (!x) return Fail(line.number, line.key + ": '" + value + "' is not a number");
    const bool aboveLow = k.lowIncluded ? *x >= k.low : *x > k.low;
    if (!aboveLow || *x > k.high) {
      return Fail(line.number, line.key + ": " + value + " must be " +
                                   (k.lowIncluded ? "at least " : "above ") + RealText(k.low) +
                                   " and at most " + RealText(k.high));
    }
    level_.*k.field = *x;
    return true;
  }

  std::optional<std::vector<TrackPair>> Pairs(const KeyLine& line, const std::string& value) {
    size_t stop = 0;
    std::vector<TrackPair> pairs = ParsePairs(value, &stop);
    if (stop != value.size()) {
      constexpr size_t kShown = 32;  // enough of the word to find it on the line
      const std::string rest = value.substr(stop, std::min(value.find(' ', stop) - stop, kShown));
      Fail(line.number, line.key + ": '" + rest + "' is not a pair junction,type");
      return std::nullopt;
    }
    return pairs;
  }

  bool Towns(const KeyLine& line, const std::string& value) {
    const std::optional<std::vector<TrackPair>> towns = Pairs(line, value);
    if (!towns) return false;
    std::set<int> places;
    for (const TrackPair& t : *towns) {
      if (TownJunctionFor(t.junction, t.type) < 0) {
        return Fail(line.number, "town " + PairText(t) +
                                     " is not a town place (column 1 of an even row or column 6 "
                                     "of an odd row, joined to the edge by its track)");
      }
      if (!places.insert(t.junction).second) {
        return Fail(line.number, "two towns stand at junction " + std::to_string(t.junction));
      }
    }
    if (towns->size() < kMinTowns || towns->size() > kMaxTowns) {
      return Fail(line.number, std::to_string(towns->size()) + " towns; a level has " +
                                   std::to_string(kMinTowns) + " to " + std::to_string(kMaxTowns));
    }
    townPairs_ = *towns;
    level_.towns = JoinPairs(*towns);
    return true;
  }

  bool Tracks(const KeyLine& line, const std::string& value) {
    const std::optional<std::vector<TrackPair>> tracks = Pairs(line, value);
    if (!tracks) return false;
    std::set<std::pair<int, int>> laid;
    for (const TrackPair& t : *tracks) {
      if (t.type < 0 || t.type >= rail::kTrackTypeCount) {
        return Fail(line.number, "track " + PairText(t) + ": the type is outside 0..5");
      }
      if (!rail::TrackOnGrid(t.junction, t.type)) {
        return Fail(line.number, "track " + PairText(t) + " leaves the field");
      }
      if (!laid.emplace(t.junction, t.type).second) {
        return Fail(line.number, "track " + PairText(t) + " is given twice");
      }
    }
    trackLine_ = line.number;
    trackPairs_ = *tracks;
    level_.tracks = JoinPairs(*tracks);
    return true;
  }

  // The checks between keys, once every key is read.
  bool Consistent() {
    const int maxTownsLine = seen_["max-towns"];
    if (level_.maxTowns != static_cast<int>(townPairs_.size())) {
      return Fail(maxTownsLine, "max-towns " + std::to_string(level_.maxTowns) +
                                    " differs from the " + std::to_string(townPairs_.size()) +
                                    " town pairs");
    }
    if (level_.locoMax != -1 && level_.locoMax <= level_.locoMin) {
      return Fail(seen_["loco-max"],
                  "loco-max must be -1 or above loco-min (" + std::to_string(level_.locoMin) + ")");
    }
    for (const TrackPair& town : townPairs_) {
      const TrackPair joining = TownTrack(town);
      for (const TrackPair& t : trackPairs_) {
        if (t == joining) {
          return Fail(trackLine_, "track " + PairText(t) + " is the track of town " +
                                      PairText(town) + ", which the town lays itself");
        }
      }
    }
    return true;
  }

  const std::string& file_;
  LevelFile& level_;
  std::map<std::string, int> seen_;
  std::vector<TrackPair> townPairs_, trackPairs_;
  int trackLine_ = 0;
  std::string why_;
};

}  // namespace

LevelParams LevelFile::Params() const {
  LevelParams p{};
  p.TrainPeriod = trainPeriod;
  p.TrainCars = trainCars;
  p.CrashPeriod = crashPeriod;
  p.LevelMinutes = levelMinutes;
  p.CrazyPeriod = crazyPeriod;
  p.HousesPerTown = housesPerTown;
  p.ForestCount = forestCount;
  p.ForestSize = forestSize;
  p.Background = background;
  p.MaxTowns = maxTowns;
  p.LocoMin = locoMin;
  p.LocoMax = locoMax;
  p.TownsText = towns.c_str();
  p.TracksText = tracks.c_str();
  p.WaveMinutes = waveMinutes;
  p.WaveMax = waveMax;
  return p;
}

std::string LevelContentHash(const std::string& bytes) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016" PRIx64, core::Fnv1a64(bytes));
  return hex;
}

std::optional<LevelFile> ParseLevelFile(const std::string& text, const std::string& fileName,
                                        std::string& why) {
  if (text.size() > kMaxLevelFileBytes) {
    why = LineError(fileName, 1,
                    "the file is larger than " + std::to_string(kMaxLevelFileBytes / 1024) + " KB");
    return std::nullopt;
  }
  const std::optional<std::vector<KeyLine>> lines = SplitKeyLines(text, fileName, why);
  if (!lines) return std::nullopt;
  LevelFile level;
  LevelReader reader(fileName, level);
  if (!reader.Read(*lines, LastLineNumber(text))) {
    why = reader.Why();
    return std::nullopt;
  }
  level.id = BaseName(fileName, ".level");
  level.contentHash = LevelContentHash(text);
  return level;
}

std::optional<LevelFile> ReadLevelFile(const std::string& path, std::string& why) {
  const std::optional<std::string> text = ReadTextFile(path, kMaxLevelFileBytes, why);
  if (!text) return std::nullopt;
  std::optional<LevelFile> level = ParseLevelFile(*text, path, why);
  if (level) level->path = path;
  return level;
}

std::string FormatLevelFile(const LevelFile& level) {
  std::string text = std::string(kMagic) + " " + std::to_string(kLevelFileVersion) + "\n";
  for (const char* key : kKeyOrder) {
    const std::string k = key;
    std::string value;
    if (k == "name")
      value = level.name;
    else if (k == "description")
      value = level.description;
    else if (k == "towns")
      value = level.towns;
    else if (k == "tracks")
      value = level.tracks;
    else if (const IntKey* ik = FindInt(k))
      value = std::to_string(level.*ik->field);
    else if (const RealKey* rk = FindReal(k))
      value = RealText(level.*rk->field);
    text += k + (value.empty() ? "" : " " + value) + "\n";
  }
  return text;
}

LevelFile LevelFileFrom(const LevelParams& record, const std::string& name,
                        const std::string& description, int par) {
  LevelFile level;
  level.name = name;
  level.description = description;
  level.par = par;
  level.trainPeriod = record.TrainPeriod;
  level.trainCars = record.TrainCars;
  level.crashPeriod = record.CrashPeriod;
  level.levelMinutes = record.LevelMinutes;
  level.crazyPeriod = record.CrazyPeriod;
  level.housesPerTown = record.HousesPerTown;
  level.forestCount = record.ForestCount;
  level.forestSize = record.ForestSize;
  level.background = record.Background;
  level.maxTowns = record.MaxTowns;
  level.locoMin = record.LocoMin;
  level.locoMax = record.LocoMax;
  level.waveMinutes = record.WaveMinutes;
  level.waveMax = record.WaveMax;
  level.towns = JoinPairs(ParsePairs(record.TownsText ? record.TownsText : ""));
  level.tracks = JoinPairs(ParsePairs(record.TracksText ? record.TracksText : ""));
  return level;
}
