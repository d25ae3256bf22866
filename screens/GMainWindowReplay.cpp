// SPDX-License-Identifier: GPL-3.0-or-later
// The in-game screen's replays: a recorded level watched, taken over by the player, and
// the running level rewound. Both make the game anew on this screen and play its
// recorded course to the wanted update without drawing.
#include <cstdio>

#include "game/Settings.h"
#include "screens/GMainWindow.h"

// The parts of a new game: its own panel, and the screen's pictures and lines.
GameParts GMainWindow::Parts(LevelRecorder* recorder) {
  panel_ = std::make_unique<SpritePanel>(this);
  GameParts parts;
  parts.panel = panel_.get();
  parts.screen = this;
  parts.owner = this;
  parts.fieldSprites = fieldSprites_.get();
  parts.trainsDisplay = TrainsDisplay.get();
  parts.moneyDisplay = MoneyDisplay.get();
  parts.bigCaption = BigCaption.get();
  parts.smallCaption = SmallCaption.get();
  parts.messages = Messages.get();
  parts.recorder = recorder;
  return parts;
}

Game& GMainWindow::ReplaceGame() {
  game_.reset();
  panel_.reset();
  game_ = std::make_unique<Game>(Parts(nullptr));
  game_->KeepSavedGames(false);
  return *game_;
}

void GMainWindow::StepGame() {
  if (game_) game_->Update(kGameStep);
  LEngine::Update(kGameStep, 0);
}

bool GMainWindow::WatchReplay(const Replay& replay, std::string& why) {
  DropGame();
  ownGameType_ = Globals().GameType;
  ownShowTips_ = Globals().ShowTips;
  watch_ = std::make_unique<ReplayWatch>(replay);
  watchEnded_ = false;
  if (!watch_->Begin(*this, why)) {
    StopWatching();
    return false;
  }
  StopSpeed();
  return true;
}

// A frame's steps of the watched level, as many as the speed asks. When the recording
// runs out, the level's statistics come up: the game's own, when the level ended there.
bool GMainWindow::StepWatched() {
  bool going = true;
  speed_.RunFrame([&] {
    if (going && watch_ && !watchEnded_) going = StepWatchedOnce();
  });
  return going;
}

// One step of the watched level; false when the recording ran out or the step paused.
bool GMainWindow::StepWatchedOnce() {
  Game* game = watch_->BeforeStep(*this);
  if (!game || watch_->Ended()) {
    watchEnded_ = true;
    if (game) ReportReplayEnd(*game);
    if (game && game->GameState != kStateLevelStatistics &&
        game->GameState != kStateFinalStatistics) {
      game->EndLevel();
    }
    if (!game) EndWatching();
    return false;
  }
  StepGame();
  return !Paused;
}

int32_t GMainWindow::OnWatchKey(int32_t key, int32_t modifiers) {
  if (key == SDLK_SPACE) {
    SetPaused(true);
  } else if (key == SDLK_TAB) {
    ChangeSpeed(modifiers);
  } else if (key == kTakeOverKey) {
    TakeOver();
  } else if (key == SDLK_ESCAPE) {
    EndWatching();
  }
  return 0;
}

void GMainWindow::TakeOver() {
  if (!watch_ || watchEnded_ || !game_) return;
  watch_->TakeOver(recorder_);
  game_->AttachRecorder(&recorder_);
  watch_.reset();
  ShowSpeed();
  std::printf("The replay is taken over: the level goes on as a game of your own.\n");
}

void GMainWindow::StopWatching() {
  watch_.reset();
  watchEnded_ = false;
  game_.reset();
  Globals().GameType = ownGameType_;
  Globals().ShowTips = ownShowTips_;
  ShowSpeed();
}

void GMainWindow::EndWatching() {
  if (!watch_) return;
  StopWatching();
  BeginOwnGame();
}

void GMainWindow::BeginOwnGame() {
  ownGameDue_ = false;
  NewGame();
  if (game_) game_->SetState(kStateStartHelp);
}

bool GMainWindow::CanRewind() const {
  return game_ && !watch_ && game_->GameState == kStatePlaying && recorder_.Recording() &&
         game_->LevelUpdate() > 0;
}

bool GMainWindow::Rewind() {
  if (!CanRewind()) return false;
  std::string why;
  if (!replay::RewindLive(*this, recorder_, *game_, why)) {
    std::printf(
        "Error. GMainWindow::Rewind. The level cannot be rewound (%s); a new game starts.\n",
        why.c_str());
    game_.reset();
    NewGame();
    return false;
  }
  // The rewind pauses: a fast speed falls back to x1, a slow one stays.
  SetPaused(true);
  return true;
}

// The log says whether the level ended as it was recorded.
void GMainWindow::ReportReplayEnd(Game& game) {
  const std::optional<ReplayEnd>& end = watch_->Recording().end;
  const uint64_t hash = game.StateHash();
  if (end && end->hash == hash) {
    std::printf("The replay ended as it was recorded (update %d, hash %016llx).\n",
                game.LevelUpdate(), static_cast<unsigned long long>(hash));
  } else {
    std::printf(
        "Error. The replay ended differently from its recording (update %d, hash %016llx, "
        "recorded %016llx).\n",
        game.LevelUpdate(), static_cast<unsigned long long>(hash),
        static_cast<unsigned long long>(end ? end->hash : 0));
  }
}
