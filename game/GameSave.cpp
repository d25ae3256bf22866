// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and restoring a game: one sealed parameter document per player and game
// type in the saved-games folder. A restore runs in two phases: the level is laid out
// again first, and the running values are read once every town is back and every
// track is built.
#include <algorithm>
#include <cstdio>

#include "core/Files.h"
#include "core/LParams.h"
#include "core/Saturate.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/TextLines.h"

namespace {

const char kPrefix[] = "Game.";

// A tree or house record: "x y frame town".
std::string RecordText(const SceneryRecord& r) {
  char text[64];
  std::snprintf(text, sizeof text, "%d %d %d %d", r.x, r.y, r.frame, r.town);
  return text;
}

bool ParseRecord(const std::string& text, SceneryRecord& r) {
  return std::sscanf(text.c_str(), "%d %d %d %d", &r.x, &r.y, &r.frame, &r.town) == 4;
}

// A game whose money ran out is over: it is not resumed with a balance that can no longer
// change. Neither is a game whose new game is being started or one at its final
// statistics.
bool Over(int32_t state) {
  return state == kStateNewGame || state == kStateFinalStatistics || state == kStateOutOfMoney;
}

// A restore still running (also under the help shown at start) has no whole game to
// write: its saved game is still being read.
bool Restoring(int32_t state, int32_t previous) {
  return state == kStateRestoring || (state == kStateStartHelp && previous == kStateRestoring);
}

// A place on or near the field where the game itself puts trees and houses.
bool OnField(const SceneryRecord& r) {
  return r.x >= 0 && r.x < 1000 && r.y >= 0 && r.y < 700 && r.frame >= 0 && r.frame < 64;
}

// The field lists each built piece once.
bool EachOnce(std::vector<TrackPair> pairs) {
  auto before = [](const TrackPair& a, const TrackPair& b) {
    return a.junction != b.junction ? a.junction < b.junction : a.type < b.type;
  };
  std::sort(pairs.begin(), pairs.end(), before);
  return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}

}  // namespace

std::string Game::SaveFileName(const std::string& player, int32_t gameType) {
  const char* type = gameType == 0 ? "CLASSIC" : gameType == 1 ? "PUZZLE" : "";
  return std::string("savep/") + FileNamePart(player) + type + ".sav";
}

// The settings file is the player's to edit: a name must not lead the saved game out
// of savep/ or into a name the file system refuses. Slashes, backslashes and control
// characters become '_', a name of dots only or one too long falls back to the
// default player name.
std::string Game::FileNamePart(const std::string& player) {
  constexpr size_t kLongestName = 64;
  if (player.empty() || player.size() > kLongestName) return kDefaultPlayer;
  std::string part = player;
  for (char& c : part) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) c = '_';
  }
  if (part.find_first_not_of('.') == std::string::npos) return kDefaultPlayer;
  return part;
}

void Game::Save() {
  if (!savesGames_) return;
  if (Over(GameState)) NeedNewGame = true;
  if (Restoring(GameState, PreviousState)) return;
  const std::string path = SavePath();
  LParams store;
  if (!store.OpenWrite(path)) {
    std::fprintf(stderr, "Error. Game::Save. Cannot write the saved game %s.\n", path.c_str());
    return;
  }
  core::SaveEntries(store, SavedState());
  if (!store.Close()) {
    std::fprintf(stderr, "Error. Game::Save. The saved game %s was not written.\n", path.c_str());
  }
}

void Game::TakeRunningOf(const Game& original) {
  // The restore's frames run the progress engine, which may have stopped and fined.
  MoneyCounter = original.MoneyCounter;
  TrainCounter = original.TrainCounter;
  field_.TakeClocksOf(original.field_);
  field_.TakeTrafficOf(original.field_);
  TownAddPeriod = original.TownAddPeriod;
  NewTownAdd = original.NewTownAdd;
  PercentCounterNewHouse = original.PercentCounterNewHouse;
  PercentAddNewHouse = original.PercentAddNewHouse;
  PercentDeltaFirstTown = original.PercentDeltaFirstTown;
  CaptionTimer = original.CaptionTimer;
  progress_->TakeRunOf(*original.progress_);
}

core::ParamEntries Game::SavedState() {
  if (Restoring(GameState, PreviousState)) return restoring_.Entries();
  core::MemoryStore store;
  WriteSavedGame(store);
  return store.TakeEntries();
}

// The saved game: the running values, the scenery, the tips, the field and the progress.
void Game::WriteSavedGame(core::ValueStore& store) {
  ExchangeRunning(store, kSave);
  std::vector<SceneryRecord> treeRecords = field_.CollectTrees();
  std::vector<SceneryRecord> homeRecords = field_.CollectHouses();
  ExchangeScenery(store, kSave, treeRecords, homeRecords);
  tips_.Exchange(store, kPrefix, kSave);
  field_.SaveField(store, kPrefix);
  progress_->Save(store);
  if (packLevel_) WritePackPlace(store);
}

// The values of the key table in their order, both directions, up to the tree and house
// records. Loading reads the first phase's values after the level has been laid out
// (the records were read before it); the values of the second phase are skipped.
bool Game::ExchangeRunning(core::ValueStore& s, int d) {
  const bool save = d == kSave;
  bool ok = true;
  std::string towns = save ? field_.TownRecord() : std::string();
  std::string tracks = save ? field_.BuiltTrackRecord() : std::string();
  // Saving writes what Save leaves the flag at; only a load sets it.
  bool needNewGame = NeedNewGame || (save && Over(GameState));
  ok = s.Bool(kPrefix, "NeedNewGame", needNewGame, d) && ok;
  if (!save) NeedNewGame = needNewGame;
  ok = s.Long(kPrefix, "iGameMode", iGameMode, d) && ok;
  ok = s.Text(kPrefix, "BeginTowns", towns, d) && ok;
  ok = s.Text(kPrefix, "BeginTracks", tracks, d) && ok;
  ok = s.Long(kPrefix, "CurrentRound", CurrentRound, d) && ok;
  ok = s.Long(kPrefix, "CurrentRoundInType", CurrentRoundInType, d) && ok;
  ok = s.Long(kPrefix, "CurrSelectTrackType", CurrSelectTrackType, d) && ok;
  // Only a load sets the running game's total: saving leaves the game as it was.
  int32_t totalTime = save ? SavedTotalTime() : TotalTime;
  ok = s.Long(kPrefix, "TotalTime", totalTime, d) && ok;
  if (!save) TotalTime = totalTime;
  ok = s.Long(kPrefix, "TrainCounter", TrainCounter, d) && ok;
  ok = s.Long(kPrefix, "TrainCounterBeginLevel", TrainCounterBeginLevel, d) && ok;
  ok = s.Long(kPrefix, "MoneyCounter", MoneyCounter, d) && ok;
  ok = s.Long(kPrefix, "MoneyCounterBeginLevel", MoneyCounterBeginLevel, d) && ok;
  if (save) s.Long(kPrefix, "NumberTown", NumberTown, d);
  ok = s.Long(kPrefix, "CounterTimeWithoutTrain", CounterTimeWithoutTrain, d) && ok;
  if (save) s.Long(kPrefix, "CounterTimeMinuteTips", CounterTimeMinuteTips, d);
  ok = s.Long(kPrefix, "TimeWave", TimeWave, d) && ok;
  ok = s.Long(kPrefix, "CounterWave", CounterWave, d) && ok;
  ok = s.Long(kPrefix, "TimeNewTrain", TimeNewTrain, d) && ok;
  ok = s.Long(kPrefix, "CounterNewTrain", CounterNewTrain, d) && ok;
  ok = s.Long(kPrefix, "TimeNewCrazy", TimeNewCrazy, d) && ok;
  ok = s.Long(kPrefix, "CounterNewCrazy", CounterNewCrazy, d) && ok;
  ok = s.Long(kPrefix, "TimeNewCrashes", TimeNewCrashes, d) && ok;
  ok = s.Long(kPrefix, "CounterNewCrashes", CounterNewCrashes, d) && ok;
  if (save) s.Double(kPrefix, "TownAddPeriod", TownAddPeriod, d);
  if (save) s.Double(kPrefix, "NewTownAdd", NewTownAdd, d);
  ok = s.Double(kPrefix, "PercentCounterNewHouse", PercentCounterNewHouse, d) && ok;
  ok = s.Double(kPrefix, "PercentAddNewHouse", PercentAddNewHouse, d) && ok;
  if (save) s.Double(kPrefix, "PercentDeltaFirstTown", PercentDeltaFirstTown, d);
  if (save) s.Long(kPrefix, "NumberHouseForNextTown", NumberHouseForNextTown, d);
  // Only a level with hints says so: a game without them saves as it always did.
  int32_t hints = save ? HintsUsed : 0;
  if (!save || hints > 0) s.Long(kPrefix, "HintsUsed", hints, d, true);
  if (!save) HintsUsed = std::max(hints, int32_t{0});
  return ok;
}

// The tree and house records, which follow the values of the key table.
bool Game::ExchangeScenery(core::ValueStore& s, int d, std::vector<SceneryRecord>& treeRecords,
                           std::vector<SceneryRecord>& homeRecords) {
  bool ok = true;
  // The saved level's forests and towns bound its trees and houses; its number is read.
  const LevelParams& level = SavedLevel();
  for (auto* list : {&treeRecords, &homeRecords}) {
    const bool isTrees = list == &treeRecords;
    int32_t count = static_cast<int32_t>(list->size());
    ok = s.Long(kPrefix, isTrees ? "NumberTrees" : "NumberHomes", count, d) && ok;
    if (d == kLoad) {
      list->clear();
      const int32_t most =
          isTrees ? Field::MostTrees(level.ForestCount, level.ForestSize) : MostHouses(level);
      if (count < 0 || count > most) return false;
    }
    for (int32_t i = 0; i < count && ok; ++i) {
      const std::string name = (isTrees ? "TreeNumber" : "HomeNumber") + std::to_string(i);
      std::string text = d == kSave ? RecordText((*list)[i]) : std::string();
      ok = s.Text(kPrefix, name, text, d) && ok;
      if (d == kSave) continue;
      SceneryRecord r;
      if (!ok || !ParseRecord(text, r) || !OnField(r)) return false;
      if (isTrees) r.town = -1;
      // Houses of no town are left out.
      if (isTrees || (r.town >= 0 && r.town <= 7)) list->push_back(r);
    }
  }
  return ok;
}

bool Game::LoadOrStartNew() {
  if (Load()) return true;
  StartLevelNumber = 0;
  SetState(kStateNewGame);
  return false;
}

bool Game::Load() {
  if (Globals().PackGame) {
    if (const std::optional<bool> resumed = LoadPackGame()) return *resumed;
  }
  GameState = kStateRestoring;
  townLost_ = false;
  restoreUpdates_ = 0;
  restoringFile_ = true;
  const std::string path = SaveFileName(Globals().PlayerName, Globals().GameType);
  LParams file;
  if (!file.OpenRead(path)) {
    // A missing file has its line from the store; one that is there but does not open
    // as a document is damaged.
    if (core::IsFile(path)) RefuseSavedGame("Load", "it cannot be unsealed");
    return false;
  }
  // The restore reads the document from memory: the file is closed before the level is
  // laid out again.
  core::ParamEntries document = file.TakeEntries();
  file.Close();
  return Restore(std::move(document), true);
}

bool Game::LoadFrom(const core::ParamEntries& document) { return Restore(document, false); }

// Phase 1 of a restore: the level laid out again from the document's records, the
// running values of the first phase read. Phase 2 (ReadPhaseTwo) follows once the level
// is back.
bool Game::Restore(core::ParamEntries document, bool fromFile) {
  GameState = kStateRestoring;
  townLost_ = false;
  restoreUpdates_ = 0;
  restoringFile_ = fromFile;
  restoring_.Reset(std::move(document));
  core::MemoryStore& s = restoring_;
  bool ok = s.Bool(kPrefix, "NeedNewGame", NeedNewGame, kLoad);
  ok = s.Long(kPrefix, "CurrentRound", CurrentRound, kLoad) && ok;
  ok = s.Long(kPrefix, "CurrentRoundInType", CurrentRoundInType, kLoad) && ok;
  if (!ok) {
    RefuseSavedGame("Load", "a value is missing");
    return false;
  }
  if (NeedNewGame) {
    restoring_.Reset();
    return false;
  }
  std::string towns, tracks;
  ok = s.Text(kPrefix, "BeginTowns", towns, kLoad) && s.Text(kPrefix, "BeginTracks", tracks, kLoad);
  BeginTowns = ParsePairs(towns);
  BeginTracks = ParsePairs(tracks);
  ok = ok && CurrentRoundInType >= 0 && CurrentRoundInType <= kLastLevel && EachOnce(BeginTracks);
  ok = ok && ExchangeScenery(s, kLoad, trees, homes);  // bounded by the level's scenery
  if (!ok || static_cast<int>(BeginTowns.size()) > SavedLevel().MaxTowns) {
    RefuseSavedGame("Load", "its level cannot be laid out");
    trees.clear();
    homes.clear();
    return false;
  }
  StartLevel();
  // The new game that follows a refused file starts a level, which sets every running
  // value again but the selected track type: that one is put back.
  const int32_t selected = CurrSelectTrackType;
  ok = progress_->Load(s);
  ok = ExchangeRunning(s, kLoad) && ok;
  CurrentRound = LevelIndex(CurrentRoundInType, GameType());
  const char* outside = ok ? OutsidePhaseOne() : nullptr;
  if (!ok || outside || !ValuesUsable()) {
    RefuseSavedGame("Load", outside ? std::string(outside) + " is out of range"
                                    : std::string("a value is missing or out of range"));
    CurrSelectTrackType = selected;
    return false;
  }
  // The Puzzle game has no building mode, whatever the file says.
  if (Puzzle()) iGameMode = kOperatingMode;
  ShowModeWidgets();
  SelectTrackType(CurrSelectTrackType);
  if (parts_.trainsDisplay) parts_.trainsDisplay->SetValue(TrainCounter, false);
  if (parts_.moneyDisplay) parts_.moneyDisplay->SetValue(MoneyCounter, false);
  // The document is written out only for a recorder (a game copy has none).
  if (recorder_) BeginRecording(core::BuildDocument(restoring_.Entries()));
  return true;
}

// The values of the first phase that are not numbers of the game's kinds.
bool Game::ValuesUsable() const {
  return (iGameMode == kOperatingMode || iGameMode == kBuildingMode) && CurrSelectTrackType >= 0 &&
         CurrSelectTrackType < kTrackTypes && CurrentRoundInType >= 0 &&
         CurrentRoundInType <= kLastLevel;
}

int32_t Game::SavedTotalTime() const {
  if (GameState != kStateLevelStatistics) return TotalTime;
  return core::SaturatedSum(TotalTime, -int64_t{Record().LevelMinutes});
}

void Game::RefuseSavedGame(const char* operation, const std::string& why) {
  restoring_.Reset();
  if (!restoringFile_) {
    std::fprintf(stderr,
                 "Error. Game::%s. The saved game given is damaged (%s); a new game starts.\n",
                 operation, why.c_str());
    return;
  }
  const std::string path = SavePath();
  const std::string aside = path + kRefusedSuffix;
  std::string kept;
  if (core::IsFile(path) && std::rename(path.c_str(), aside.c_str()) == 0) {
    kept = "; it is kept as " + aside;
  }
  std::fprintf(stderr, "Error. Game::%s. The saved game %s is damaged (%s)%s; a new game starts.\n",
               operation, path.c_str(), why.c_str(), kept.c_str());
}

bool Game::ReadPhaseTwo() {
  core::MemoryStore& s = restoring_;
  tips_.Exchange(s, kPrefix, kLoad);
  bool ok = field_.LoadField(s, kPrefix);
  ok = progress_->Load(s) && ok;
  ok = s.Long(kPrefix, "NumberHouseForNextTown", NumberHouseForNextTown, kLoad) && ok;
  ok = s.Double(kPrefix, "TownAddPeriod", TownAddPeriod, kLoad) && ok;
  ok = s.Double(kPrefix, "NewTownAdd", NewTownAdd, kLoad) && ok;
  ok = s.Double(kPrefix, "PercentDeltaFirstTown", PercentDeltaFirstTown, kLoad) && ok;
  ok = s.Long(kPrefix, "NumberTown", NumberTown, kLoad) && ok;
  // The towns re-added during the restore have moved the house timer on; it is read back.
  ok = s.Double(kPrefix, "PercentCounterNewHouse", PercentCounterNewHouse, kLoad) && ok;
  ok = s.Double(kPrefix, "PercentAddNewHouse", PercentAddNewHouse, kLoad) && ok;
  if (!ok) {
    RefuseSavedGame("Update", "a value of the running game is missing or out of range");
    return false;
  }
  if (const char* outside = OutsidePhaseTwo()) {
    RefuseSavedGame("Update", std::string(outside) + " is out of range");
    return false;
  }
  restoring_.Reset();  // the restore has read the whole saved game
  return true;
}
