// SPDX-License-Identifier: GPL-3.0-or-later
// The session's replays: the levels it records (each written replay renamed to the
// session's numbering and printed), a recorded level watched as the in-game screen
// watches one, and the watched level taken over by the player.
#include <SDL.h>

#include <cstdio>
#include <filesystem>

#include "game/Settings.h"
#include "tools/game/GameReport.h"
#include "tools/game/GameSession.h"

namespace {

// A name NewReplayPath gives begins with the time: "YYYYMMDD-HHMMSS-".
constexpr size_t kTimeStamp = 16;

bool LevelOver(const Game& game) {
  return game.GameState == kStateLevelStatistics || game.GameState == kStateFinalStatistics;
}

}  // namespace

void GameSession::Record(const std::string& folder) {
  if (game_) game_->AttachRecorder(nullptr);
  recorder_.reset();
  if (folder.empty()) return;
  recorder_ = std::make_unique<LevelRecorder>(folder);
  if (game_ && !watch_) game_->AttachRecorder(recorder_.get());
}

// The recorder names a replay by the time it was written; a script cannot know that
// name, so the session numbers its replays instead: "001-PUZZLE-L01.otr".
void GameSession::NoteWritten() {
  namespace fs = std::filesystem;
  if (!recorder_ || recorder_->LastWritten().empty()) return;
  const fs::path path = recorder_->LastWritten();
  std::error_code ec;
  // Already renamed, or kept under its own name when the rename failed.
  if (!fs::exists(path, ec) || path == unrenamed_) return;
  const std::string name = path.filename().string();
  const std::string tail = name.size() > kTimeStamp ? name.substr(kTimeStamp) : name;
  fs::path renamed;
  do {
    char number[16];
    std::snprintf(number, sizeof number, "%03d-", ++replayNumber_);
    renamed = path.parent_path() / (number + tail);
  } while (fs::exists(renamed, ec));
  fs::rename(path, renamed, ec);
  unrenamed_.clear();
  if (ec) unrenamed_ = renamed = path;
  written_.push_back(renamed.string());
  log_.Print("replay written " + renamed.filename().string());
}

void GameSession::DropGame() {
  if (game_) {
    game_->FinishRecording(ReplayOutcome::kQuit);
    NoteWritten();
  }
  solver_.reset();
  autopilot_.reset();
  game_.reset();
}

bool GameSession::Watch(Replay replay, std::string& why) {
  StopWatching();
  DropGame();
  paused_ = false;
  dialog_ = Dialog::kNone;
  StopSpeed();
  watchEnd_.reset();
  ownGameType_ = Globals().GameType;
  ownShowTips_ = Globals().ShowTips;
  watch_ = std::make_unique<ReplayWatch>(std::move(replay));
  const bool quiet = log_.quiet;
  log_.quiet = true;
  const bool begun = watch_->Begin(*this, why);
  log_.quiet = quiet;
  if (!begun) watch_.reset();
  return begun;
}

bool GameSession::WatchTo(int32_t update, std::string& why) {
  const bool quiet = log_.quiet;
  log_.quiet = true;
  const bool ok = WatchSteps(update, why);
  log_.quiet = quiet;
  return ok;
}

bool GameSession::WatchSteps(int32_t update, std::string& why) {
  while (watch_) {
    Game* game = watch_->BeforeStep(*this);
    if (!game) {
      why = "the start of a recorded rewind does not load";
      watch_.reset();
      return false;
    }
    // A level that ended before its recording did would only stand still at its
    // statistics until then: the watch ends there.
    if (watch_->Ended() || LevelOver(*game)) {
      const std::optional<ReplayEnd>& end = watch_->Recording().end;
      watchEnd_ = WatchEnd{game->LevelUpdate(), game->StateHash(), end ? end->update : 0,
                           end ? end->hash : 0};
      watch_.reset();
      return true;
    }
    if (game->LevelUpdate() >= update) return true;
    StepGame();
  }
  return true;
}

void GameSession::WatchFrame() {
  speed_.RunFrame([this] {
    log_.time += kFrame;
    if (!watch_) return;
    std::string why;
    if (!WatchSteps(game_->LevelUpdate() + 1, why)) {
      log_.Print("the replay stops: " + why);
    } else if (!watch_) {
      std::fputs(gamereport::ReplayEnd(*this).c_str(), stdout);
    }
  });
}

bool GameSession::TakeOver() {
  if (!watch_ || !recorder_ || !game_) return false;
  watch_->TakeOver(*recorder_);
  game_->AttachRecorder(recorder_.get());
  watch_.reset();
  if (autopilotOn_ || solverOptions_) MakeAutopilot();
  log_.Print("replay taken over at update " + std::to_string(game_->LevelUpdate()));
  return true;
}

void GameSession::StopWatching() { watch_.reset(); }

// The in-game screen's keys while a replay is watched: Space pauses, Tab and Shift+Tab
// change the speed, T takes the level over and Escape ends the watch (the watched game
// goes, and the settings the replay set go back).
void GameSession::WatchKey(int key, int modifiers) {
  if (key == SDLK_SPACE) SetPaused(true);
  if (key == SDLK_TAB) ChangeSpeed(modifiers);
  if (key == SDLK_t) TakeOver();
  if (key == SDLK_ESCAPE) {
    StopWatching();
    solver_.reset();
    autopilot_.reset();
    game_.reset();
    paused_ = false;
    dialog_ = Dialog::kNone;
    Globals().GameType = ownGameType_;
    Globals().ShowTips = ownShowTips_;
    log_.Print("replay ended by Escape");
  }
}
