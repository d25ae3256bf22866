// SPDX-License-Identifier: GPL-3.0-or-later
// A game of one level of a level pack: it is played by the Puzzle game's rules from the
// level file's record, saved in a file of its own that names the pack, the level and the
// file's content hash, and its result goes to the player's pack progress.
#include <cstdio>

#include "core/Files.h"
#include "core/LParams.h"
#include "core/Saturate.h"
#include "game/Game.h"
#include "game/LevelFile.h"
#include "game/PackProgress.h"
#include "game/PackRoots.h"
#include "game/Settings.h"

namespace {

const char kPrefix[] = "Game.";

// What a saved pack game says of its level.
struct SavedPlace {
  std::string pack, level, hash;
  int32_t number = 1;
};

bool ReadPlace(core::ValueStore& s, SavedPlace& place) {
  bool ok = s.Text(kPrefix, "PackId", place.pack, kLoad);
  ok = s.Text(kPrefix, "PackLevel", place.level, kLoad) && ok;
  ok = s.Text(kPrefix, "PackHash", place.hash, kLoad) && ok;
  return s.Long(kPrefix, "PackNumber", place.number, kLoad) && ok;
}

}  // namespace

std::string Game::PackSaveFileName(const std::string& player) {
  return std::string("savep/") + FileNamePart(player) + "PACK.sav";
}

std::string Game::SavePath() const {
  const Settings& s = Globals();
  return packSave_ ? PackSaveFileName(s.PlayerName) : SaveFileName(s.PlayerName, s.GameType);
}

const LevelParams& Game::SavedLevel() const {
  return packLevel_ ? packParams_ : Level(LevelIndex(CurrentRoundInType, GameType()));
}

void Game::NewPackGame(std::shared_ptr<const LevelFile> level, const PackPlace& place) {
  FinishRecording(ReplayOutcome::kQuit);
  if (!level) return;
  PlayPackLevel(std::move(level), place);
  Globals().PackGame = true;
  StartLevelNumber = 0;
  GameState = kStateNewGame;
  NewGame();
}

void Game::PlayPackLevel(std::shared_ptr<const LevelFile> level, const PackPlace& place) {
  packLevel_ = std::move(level);
  packParams_ = packLevel_ ? packLevel_->Params() : LevelParams{};
  packPlace_ = place;
  packSave_ = packLevel_ != nullptr;
}

void Game::LeavePackGame() {
  packLevel_.reset();
  packPlace_ = {};
  packSave_ = false;
  Globals().PackGame = false;
}

void Game::SharePackLevelOf(const Game& other) {
  PlayPackLevel(other.packLevel_, other.packPlace_);
  packSave_ = other.packSave_;
}

void Game::WritePackPlace(core::ValueStore& store) {
  std::string pack = packPlace_.pack, level = packLevel_->id, hash = packLevel_->contentHash;
  store.Text(kPrefix, "PackId", pack, kSave);
  store.Text(kPrefix, "PackLevel", level, kSave);
  store.Text(kPrefix, "PackHash", hash, kSave);
  store.Long(kPrefix, "PackNumber", packPlace_.number, kSave);
}

std::optional<bool> Game::LoadPackGame() {
  GameState = kStateRestoring;
  packSave_ = true;
  restoringFile_ = true;
  const std::string path = SavePath();
  LParams file;
  core::ParamEntries document;
  if (file.OpenRead(path)) {
    document = file.TakeEntries();
    file.Close();
  }
  core::MemoryStore store(document);
  SavedPlace saved;
  if (document.empty() || !ReadPlace(store, saved)) {
    if (core::IsFile(path)) RefuseSavedGame("Load", "it names no level of a pack");
    LeavePackGame();
    return std::nullopt;
  }
  const FoundPackLevel found =
      FindPackLevel(FindLevelPacks(LevelPackRoots()), saved.pack, saved.level);
  if (!found.level) {
    std::fprintf(stderr,
                 "Error. Game::Load. The level %s of the pack %s, which the saved game %s "
                 "plays, is gone; the %s game follows.\n",
                 saved.level.c_str(), saved.pack.c_str(), path.c_str(),
                 Globals().GameType == 1 ? "Puzzle" : "Classic");
    LeavePackGame();
    return std::nullopt;
  }
  PlayPackLevel(found.level, {saved.pack, static_cast<int32_t>(found.index) + 1});
  if (found.level->contentHash != saved.hash) {
    std::fprintf(stderr,
                 "Error. Game::Load. The level file %s has changed since the saved game %s was "
                 "written; a new game of it starts.\n",
                 found.level->path.c_str(), path.c_str());
    return false;
  }
  return Restore(std::move(document), true);
}

// The level's result in the player's pack progress: finished with money left and the
// par delivered. A progress file that cannot be written is logged by the progress.
void Game::RecordPackResult() {
  if (!savesGames_) return;
  const int32_t delivered = core::SaturatedSum(TrainCounter, -int64_t{TrainCounterBeginLevel});
  const bool finished = MoneyCounter > 0 && delivered >= packLevel_->par;
  PackProgress progress;
  progress.Load(kPackProgressFile);
  progress.Record(packLevel_->contentHash, delivered, MoneyCounter, finished);
}
