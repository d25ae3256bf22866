// SPDX-License-Identifier: GPL-3.0-or-later
// restore-bench [--long-trains] [RUNS]: the cost of taking up the largest saved game the
// loader accepts. A Classic level with eight towns is laid as densely as the building
// rules allow; its saved game then holds every list at its bound, each record one the
// loader takes: trains on built track (as many as may be, or with --long-trains as many
// of 29 cars as may be), a crash site on every built piece, a switch for every switch of
// the field, a signal on every side of every junction, full queues, and as many trees
// and houses as the level can have. Each run restores it through the real game,
// headless: the load, the frames until the game plays again (the last of them reads the
// running state and makes the catch-up movement step) and the frames up to the next
// movement step. Prints each run and the median.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/LParams.h"
#include "core/Random.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;
bool g_longTrains = false;  // fewer trains, all as long as may be
int g_trains = 0;           // the saved trains
int g_cars = 0;             // and their cars
using Clock = std::chrono::steady_clock;

constexpr int kClassic = 0;
constexpr int kLevel = 3;  // 1-based: Classic level 3 has eight towns and runs 25 minutes
// Four towns on the left (inner junctions in column 1), four on the right (column 6).
constexpr const char* kTowns = "1,1 14,1 33,1 46,1 65,1 78,1 97,1 110,1 ";
constexpr int kFieldPrefixLength = sizeof("Game.GameField.") - 1;
constexpr int kMostFrames = 5000;  // a restore that takes longer has failed
// Trains move once more than 100 ms have gathered: every sixth 20 ms frame.
constexpr int kFramesPerStep = 6;

std::string Format(const char* fmt, auto... values) {
  char text[200];
  std::snprintf(text, sizeof text, fmt, values...);
  return text;
}

struct Piece {
  int j;
  int t;
};

// The level's towns, then every piece the building rules accept, junction by junction.
void LayDenseLevel(Field& field, std::string& towns, std::string& tracks) {
  RebuildLevel(field, kTowns, "", {{500, 500, 0, -1}}, {}, clip::Trees);
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int t = 0; t < rail::kTrackTypeCount; ++t) {
      if (!field.HasTrack(j, t) && field.CanBuild(j, t)) field.AddTrack(j, t, Laying::kLevelLayout);
    }
  }
  FinishBuilding(field);
  towns = field.TownRecord();
  tracks = field.BuiltTrackRecord();
}

std::vector<Piece> BuiltPieces(const Field& field) {
  std::vector<Piece> pieces;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int t = 0; t < rail::kTrackTypeCount; ++t) {
      const int far = rail::Neighbour(j, t);
      if (rail::ValidJunction(far) && field.At(j).End(t) == EndState::kBuilt &&
          field.At(far).End(rail::Opposite(t)) == EndState::kBuilt) {
        pieces.push_back({j, t});
      }
    }
  }
  return pieces;
}

// Replaces the list under countKey (items named by fmt) with the given records.
void PutList(Entries& out, const std::string& prefix, const char* countKey, const char* fmt,
             const std::vector<std::string>& records) {
  out.emplace_back(prefix + countKey, std::to_string(records.size()));
  for (size_t i = 0; i < records.size(); ++i) {
    out.emplace_back(prefix + Format(fmt, static_cast<int>(i)), records[i]);
  }
}

// The field's running state with every list at its bound.
Entries FieldLists(Field& field) {
  const SavedListBounds most = field.ListBounds();
  const std::vector<Piece> pieces = BuiltPieces(field);
  const std::string prefix = "Game.GameField.";
  Entries out;
  out.emplace_back(prefix + "CounterMinusMoney", "0");
  // As many trains as may be, as long as their cars may be: every train has its
  // locomotive, and the length left goes to trains of as many cars as fit.
  auto covers = [](int loco, int cars, int wagon, TrainKind kind) {
    return std::min(TrainLength(loco, cars, wagon, kind), ShortestLoop());
  };
  auto kindOf = [](int k) { return k % 7 ? TrainKind::kOrdinary : TrainKind::kCrazy; };
  int lengthLeft = most.trainLength;
  int count = 0;
  for (; count < most.trains; ++count) {
    const int alone = covers(count % kLocoTypes, 1, count % kWagonTypes, kindOf(count));
    // With --long-trains only as many trains as can all be of 29 cars.
    if (alone > lengthLeft || (g_longTrains && count >= most.trainLength / ShortestLoop())) break;
    lengthLeft -= alone;
  }
  std::vector<std::string> trains;
  for (int k = 0; k < count; ++k) {
    const Piece& p = pieces[static_cast<size_t>(k) % pieces.size()];
    const int loco = k % kLocoTypes, wagon = k % kWagonTypes;
    const TrainKind kind = kindOf(k);
    const int alone = covers(loco, 1, wagon, kind);
    int cars = kMaxCars;
    while (cars > 1 && covers(loco, cars, wagon, kind) - alone > lengthLeft) --cars;
    lengthLeft -= covers(loco, cars, wagon, kind) - alone;
    g_cars += cars;
    const double pos = 15 + 30 * (k / static_cast<int>(pieces.size()) % 3);
    trains.push_back(Format("%d %d %d %d %d %f %d %d %f %d", k % 8, cars, loco, SavedKind(kind),
                            k % 2, Loco(loco).topSpeed / 2, p.t, p.j,
                            std::min<double>(pos, rail::TrackLength(p.t)), wagon));
  }
  g_trains = count;
  PutList(out, prefix, "NumberTrains", "TrainNumber%d", trains);
  out.emplace_back(prefix + "NextTownJunctions", "-1");
  out.emplace_back(prefix + "NextTrackType", "-1");
  // The switches the field has, as it would save them; a signal on every side.
  core::MemoryStore saved;
  field.SaveField(saved, "");
  std::vector<std::string> switches, signals;
  for (const auto& [key, value] : saved.Entries()) {
    if (key.rfind("GameField.S", 0) == 0 && key != "GameField.SwitchNumber")
      switches.push_back(value);
  }
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < rail::kSideCount; ++s) signals.push_back(Format("%d %d %d", j, s, j % 2));
  }
  signals.resize(std::min<size_t>(signals.size(), most.signals));
  PutList(out, prefix, "SwitchNumber", "S%d", switches);
  PutList(out, prefix, "LightNumber", "L%d", signals);
  const double snaps[] = {0.1, 0.2333, 0.5666, 0.9};
  std::vector<std::string> crashes;
  for (int k = 0; k < most.crashSites; ++k) {
    const Piece& p = pieces[static_cast<size_t>(k) % pieces.size()];
    const double pos = snaps[k / pieces.size() % 4] * rail::TrackLength(p.t);
    crashes.push_back(Format("%d %d %f", p.t, p.j, pos));
  }
  PutList(out, prefix, "CrashesNumber", "Crash%d", crashes);
  std::vector<std::string> blocks;
  const int towns = static_cast<int>(field.Towns().size());
  for (int k = 0; k < most.queued; ++k) {
    blocks.push_back(Format("%d %d %d %d %d", k % towns, (k + 1) % 8, k % (kMaxCars + 1),
                            k % kLocoTypes, k % 5 ? 0 : 2));
  }
  PutList(out, prefix, "BlockedNumbers", "Block%d", blocks);
  const char* waits[] = {"CounterWaitTrain", "Color", "Len", "Type", "TownColor", "Crasy"};
  for (int t = 0; t < towns; ++t) {
    const int values[] = {t % 2 ? 1000 : -1, t, 3, 2, t, 0};
    for (int k = 0; k < 6; ++k) {
      out.emplace_back(prefix + Format("WaitTown%d", t) + waits[k], std::to_string(values[k]));
    }
  }
  return out;
}

// Trees and houses, as many as the level can have, spread over the field.
Entries Scenery(const LevelParams& level) {
  std::vector<std::string> trees, homes;
  for (int k = 0; k < Field::MostTrees(level.ForestCount, level.ForestSize); ++k) {
    trees.push_back(Format("%d %d %d -1", 67 + k * 37 % 850, 80 + k * 53 % 490, k % 4));
  }
  for (int k = 0; k < Game::MostHouses(level); ++k) {
    homes.push_back(Format("%d %d %d %d", 70 + k * 41 % 840, 85 + k * 29 % 480, k % 3, k % 8));
  }
  Entries out;
  PutList(out, "Game.", "NumberTrees", "TreeNumber%d", trees);
  PutList(out, "Game.", "NumberHomes", "HomeNumber%d", homes);
  return out;
}

Entries ReadEntries(const std::string& path) {
  LParams reader;
  Entries entries;
  if (reader.OpenRead(path)) entries = reader.Entries();
  reader.Close();
  return entries;
}

bool WriteEntries(const std::string& path, const Entries& entries) {
  LParams writer;
  if (!writer.OpenWrite(path)) return false;
  for (auto [key, value] : entries) writer.Text("", key, value, kSave);
  return writer.Close();
}

bool IsScenery(const std::string& key) {
  for (const char* name :
       {"Game.NumberTrees", "Game.TreeNumber", "Game.NumberHomes", "Game.HomeNumber"}) {
    if (key.rfind(name, 0) == 0) return true;
  }
  return false;
}

// Saves a game of the level and rewrites it into the largest one the loader accepts.
bool MakeSavedGame(SDL_Surface* display, std::string& path) {
  Globals().GameType = kClassic;
  EventLog log;
  log.quiet = true;
  {
    GameSession session(display, log);
    session.NewGame(kClassic, kLevel);
    session.RunFrame();
    session.Save();
  }
  path = Game::SaveFileName(Globals().PlayerName, kClassic);
  const Entries saved = ReadEntries(path);
  if (saved.empty()) return false;
  QuietFieldHost host;
  HeadlessSprites sprites;
  std::string towns, tracks;
  {
    Field dense(&sprites, &host);
    LayDenseLevel(dense, towns, tracks);
  }
  Field field(&sprites, &host);
  RebuildLevel(field, towns, tracks, {{500, 500, 0, -1}}, {}, clip::Trees);
  const LevelParams& level = Level(LevelIndex(kLevel - 1, kClassic));
  Entries out;
  for (auto [key, value] : saved) {
    if (key.compare(0, kFieldPrefixLength, "Game.GameField.") == 0 || IsScenery(key)) continue;
    if (key == "Game.BeginTowns") value = towns;
    if (key == "Game.BeginTracks") value = tracks;
    if (key == "Game.NumberTown") value = std::to_string(level.MaxTowns);
    out.emplace_back(key, value);
  }
  for (const Entries& part : {Scenery(level), FieldLists(field)}) {
    out.insert(out.end(), part.begin(), part.end());
  }
  const SavedListBounds most = field.ListBounds();
  std::printf(
      "field: %zu pieces, %d towns; lists: %d trains (%d cars), %d crash sites, %d "
      "queued, %d signals; %d trees, %d houses; %zu keys\n",
      BuiltPieces(field).size(), static_cast<int>(field.Towns().size()), g_trains, g_cars,
      most.crashSites, most.queued, most.signals,
      Field::MostTrees(level.ForestCount, level.ForestSize), Game::MostHouses(level), out.size());
  return WriteEntries(path, out);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Run {
  double load = 0, frames = 0, lastFrame = 0, step = 0;
  double hash = 0;  // one Game::StateHash of the restored game, beside the total
  int frameCount = 0;
  bool restored = false;
  double Total() const { return load + frames + lastFrame + step; }
};

Run RestoreOnce(SDL_Surface* display) {
  rnd::SetRunSeed(4);
  EventLog log;
  log.quiet = true;
  GameSession session(display, log);
  Run run;
  const auto start = Clock::now();
  const bool loaded = session.Load();
  const auto loadedAt = Clock::now();
  // The frames that build the level's track again; in the last one the running state is
  // read and the game plays on at once with a catch-up movement step.
  auto frameAt = loadedAt;
  while (loaded && session.GetGame().GameState == kStateRestoring && run.frameCount < kMostFrames) {
    frameAt = Clock::now();
    session.RunFrame();
    ++run.frameCount;
  }
  const auto playingAt = Clock::now();
  // On to the next movement step, the first of the game as it plays on.
  for (int k = 0; k < kFramesPerStep; ++k) session.RunFrame();
  const auto end = Clock::now();
  (void)session.GetGame().StateHash();
  run.hash = Ms(Clock::now() - end);
  run.load = Ms(loadedAt - start);
  run.frames = Ms(frameAt - loadedAt);
  run.lastFrame = Ms(playingAt - frameAt);
  run.step = Ms(end - playingAt);
  // The trains all crash in that step, and the fines may end the game: a new game in
  // place of the saved one would have no crash sites at all.
  run.restored = loaded && session.GetGame().GameState != kStateRestoring &&
                 !session.GetGame().GetField().CrashSites().empty();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--long-trains") {
      g_longTrains = true;
    } else if (std::atoi(argv[i]) > 0) {
      runs = std::atoi(argv[i]);
    } else {
      std::fprintf(stderr, "usage: restore-bench [--long-trains] [RUNS]\n");
      return 2;
    }
  }
  const HeadlessRun headless;
  SDL_Surface* display = headless.Display();
  if (!display) {
    std::fprintf(stderr, "restore-bench: %s\n", headless.Error().c_str());
    return 1;
  }
  std::string path;
  if (!MakeSavedGame(display, path)) {
    std::fprintf(stderr, "restore-bench: the saved game could not be made\n");
    return 1;
  }
  std::vector<double> totals;
  for (int r = 0; r < runs; ++r) {
    const Run run = RestoreOnce(display);
    if (!run.restored) {
      std::fprintf(stderr, "restore-bench: the saved game was not taken up\n");
      return 1;
    }
    std::printf(
        "run %d: %.1f ms (load %.1f, %d frames of building %.1f, the frame that reads "
        "the field and moves the trains %.1f, %d frames to the next movement step %.1f); "
        "then its state hash %.1f ms\n",
        r + 1, run.Total(), run.load, run.frameCount - 1, run.frames, run.lastFrame, kFramesPerStep,
        run.step, run.hash);
    totals.push_back(run.Total());
  }
  std::sort(totals.begin(), totals.end());
  std::printf("median of %d runs: %.1f ms\n", runs, totals[totals.size() / 2]);
  return 0;
}
