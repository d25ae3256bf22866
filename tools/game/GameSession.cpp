// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/GameSession.h"

#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "sprites/ClipLib.h"

const char* DialogName(Dialog d) {
  switch (d) {
    case Dialog::kLevelStatistics:
      return "level statistics";
    case Dialog::kFinalStatistics:
      return "final statistics";
    case Dialog::kHelp:
      return "help";
    case Dialog::kMenu:
      return "menu";
    default:
      return "none";
  }
}

GameSession::GameSession(SDL_Surface* display, EventLog& log)
    : log_(log),
      screen_(std::make_unique<LEngine>(display, 0, 0, screen::kWidth, screen::kHeight, true)),
      sprites_(std::make_unique<HeadlessSprites>()) {
  // Clicks take the field's pictures exactly as in the game's window.
  sprites_->SetPictureTest(&ClipLib::Covers);
}

GameSession::~GameSession() {
  solver_.reset();
  autopilot_.reset();
  game_.reset();
  panel_.reset();
}

ScriptedGame& GameSession::GetGame() {
  if (!game_) MakeGame();
  return *game_;
}

void GameSession::MakeGame() {
  StopWatching();
  DropGame();
  paused_ = false;
  dialog_ = Dialog::kNone;
  StopSpeed();
  panel_ = std::make_unique<SpritePanel>(screen_.get());
  GameParts parts;
  parts.screen = screen_.get();
  parts.owner = this;
  parts.panel = panel_.get();
  parts.fieldSprites = sprites_.get();
  parts.recorder = recorder_.get();
  game_ = std::make_unique<ScriptedGame>(parts, log_);
  ++gamesMade_;
  if (autopilotOn_ || solverOptions_) MakeAutopilot();
}

Game& GameSession::ReplaceGame() {
  solver_.reset();
  autopilot_.reset();
  game_.reset();
  panel_ = std::make_unique<SpritePanel>(screen_.get());
  GameParts parts;
  parts.screen = screen_.get();
  parts.owner = this;
  parts.panel = panel_.get();
  parts.fieldSprites = sprites_.get();
  game_ = std::make_unique<ScriptedGame>(parts, log_);
  ++gamesMade_;
  game_->KeepSavedGames(false);
  return *game_;
}

void GameSession::StepGame() {
  game_->Update(kFrame);
  screen_->Update(kFrame, frame_);
  sprites_->Advance(kFrame);
}

bool GameSession::Rewind() {
  if (!game_ || watch_ || !recorder_ || !recorder_->Recording() ||
      game_->GameState != kStatePlaying || game_->LevelUpdate() == 0) {
    return false;
  }
  const bool quiet = log_.quiet;
  log_.quiet = true;
  std::string why;
  Game* game = replay::RewindLive(*this, *recorder_, *game_, why);
  log_.quiet = quiet;
  if (!game) {
    // As on the in-game screen: the level cannot go back, and a new game begins.
    log_.Print("the level cannot be rewound (" + why + "); a new game begins");
    MakeGame();
    game_->LoadOrStartNew();
    return false;
  }
  log_.Print("rewound to update " + std::to_string(game_->LevelUpdate()));
  // The rewind pauses: a fast speed falls back to x1, a slow one stays.
  SetPaused(true);
  if (autopilotOn_ || solverOptions_) MakeAutopilot();
  return true;
}

void GameSession::MakeAutopilot() {
  const EventLog* log = autopilotVerbose_ ? &log_ : nullptr;
  solver_.reset();
  autopilot_.reset();
  if (solverOptions_) {
    solver_ = std::make_unique<Solver>(*game_, *this, *solverOptions_, log);
  } else {
    autopilot_ = std::make_unique<Autopilot>(*game_, *this, log);
  }
}

void GameSession::Show() {
  if (!game_) {
    MakeGame();
    game_->LoadOrStartNew();
  }
  game_->SetState(kStateStartHelp);
}

void GameSession::NewGame(int gameType, int level) {
  StopSpeed();
  if (!game_) {
    Globals().GameType = gameType;
    MakeGame();
  } else {
    // The level left is recorded, as a quit is.
    game_->FinishRecording(ReplayOutcome::kQuit);
    NoteWritten();
    // A pack level left for the game types' levels is saved as a change of type is.
    if (game_->PackLevel() || gameType != game_->GameType()) {
      game_->Save();
      game_->LeavePackGame();
      Globals().GameType = gameType;
    }
    game_->OnScreenClosed(GameScreen::kNewGame, -1);
  }
  game_->StartLevelNumber = level - 1;
  game_->SetState(kStateNewGame);
}

void GameSession::NewPackGame(std::shared_ptr<const LevelFile> level, const PackPlace& place) {
  StopSpeed();
  if (!game_) {
    MakeGame();
  } else {
    // The level left is recorded, as a quit is; a game of the game types is kept.
    game_->FinishRecording(ReplayOutcome::kQuit);
    NoteWritten();
    if (!game_->PackLevel()) game_->Save();
  }
  paused_ = false;
  dialog_ = Dialog::kNone;
  game_->NewPackGame(std::move(level), place);
}

bool GameSession::Load() {
  MakeGame();
  return game_->LoadOrStartNew();
}

int GameSession::EndGame() {
  StopWatching();
  DropGame();
  panel_.reset();
  autopilotOn_ = false;
  autopilotVerbose_ = false;
  solverOptions_.reset();
  paused_ = false;
  dialog_ = Dialog::kNone;
  helpBox_ = false;
  speed_.Stop();
  frame_ = 0;
  // The screen is never drawn here: the areas its removed pictures left to redraw would
  // only pile up from game to game.
  screen_->DirtyRects.clear();
  screen_->MouseDown = false;
  return static_cast<int>(screen_->Sprites.size()) + sprites_->Count();
}

void GameSession::Save() {
  if (game_) game_->Save();
}

void GameSession::RunFrame() {
  ++frame_;
  // The game's passing marks count real time: they go away in a pause too.
  if (game_) game_->TickMarks(kFrame);
  if (!game_ || paused_) {
    log_.time += kFrame;
    return;
  }
  if (watch_) {
    WatchFrame();
    return;
  }
  // The autopilot is the player's hands: at a higher speed it still looks at every
  // game step, so its clicks land at the same game times as at x1.
  speed_.RunFrame([this] {
    log_.time += kFrame;
    if (dialog_ == Dialog::kNone) {
      if (solver_) solver_->Act();
      if (autopilot_) autopilot_->Act();
    }
    StepGame();
  });
  NoteWritten();
}

bool GameSession::SetSpeed(int factor) {
  const int before = speed_.Factor();
  if (!speed_.Set(factor)) return false;
  NoteSpeed(before);
  return true;
}

void GameSession::NoteSpeed(int before) {
  if (speed_.Factor() != before) log_.Print("speed " + speed_.Name());
}

void GameSession::StopSpeed() {
  const int before = speed_.Factor();
  speed_.Stop();
  NoteSpeed(before);
}

void GameSession::PauseSpeed() {
  const int before = speed_.Factor();
  speed_.Pause();
  NoteSpeed(before);
}

void GameSession::SetAutopilot(bool on, bool verbose) {
  autopilotOn_ = on;
  autopilotVerbose_ = verbose;
  solverOptions_.reset();
  solver_.reset();
  autopilot_.reset();
  if (on && game_) MakeAutopilot();
}

void GameSession::SetSolver(bool on, const SolverOptions& options, bool verbose) {
  autopilotOn_ = false;
  autopilotVerbose_ = verbose;
  solverOptions_.reset();
  if (on) solverOptions_ = options;
  solver_.reset();
  autopilot_.reset();
  if (on && game_) MakeAutopilot();
}

bool GameSession::TakesPress(bool space) {
  if (!game_) return false;
  if (dialog_ != Dialog::kNone) {
    log_.Print(std::string("the ") + DialogName(dialog_) + " screen takes the press");
    return false;
  }
  if (!paused_ || (Globals().ActWhilePaused && !watch_ && !space)) return true;
  SetPaused(false);
  Apply(ActionKind::kResume);
  return false;
}

void GameSession::MouseMove(int x, int y) {
  if (game_ && dialog_ == Dialog::kNone) game_->OnMouseMove(x, y);
}

void GameSession::ChangeSpeed(int modifiers) {
  const int before = speed_.Factor();
  if (modifiers & KMOD_SHIFT)
    speed_.CycleDown();
  else
    speed_.Cycle();
  NoteSpeed(before);
}

void GameSession::Apply(ActionKind kind, int x, int y, int arg) {
  game_->Apply(PlayerAction{.kind = kind, .x = x, .y = y, .arg = arg});
  NoteWritten();
}

// The in-game screen's window is the 800 x 600 picture (or a whole multiple of it):
// a press outside it never reaches the screen.
bool GameSession::OnScreen(int x, int y) const {
  if (x >= 0 && x < screen::kWidth && y >= 0 && y < screen::kHeight) return true;
  log_.Print("the press at " + std::to_string(x) + "," + std::to_string(y) +
             " is outside the screen");
  return false;
}

void GameSession::LeftClick(int x, int y) {
  if (!OnScreen(x, y)) return;
  MouseMove(x, y);
  if (TakesPress() && !watch_) Apply(ActionKind::kClick, x, y);
}

void GameSession::RightClick(int x, int y) {
  if (!OnScreen(x, y)) return;
  MouseMove(x, y);
  if (TakesPress() && !watch_) Apply(ActionKind::kRightClick, x, y);
}

void GameSession::Wheel(bool down, int x, int y) {
  if (!game_ || dialog_ != Dialog::kNone || watch_ || !OnScreen(x, y)) return;
  Apply(down ? ActionKind::kWheelDown : ActionKind::kWheelUp, x, y);
}

void GameSession::PressButton(const LControl* button) {
  if (!TakesPress() || watch_) return;
  const int type = panel_->TrackTypeOf(button);
  if (type >= 0) Apply(ActionKind::kTrackButton, 0, 0, type);
}

// Space pauses, Tab speeds up and Shift+Tab slows down, F1 opens the help and Escape the
// menu, and the level-skip keys skip the level; Backspace rewinds; the keyboard's keys play
// the field (game/KeyboardPlay.h). A replay watched has keys of its own.
void GameSession::Key(int key, int modifiers) {
  // Backspace goes on back while the game is paused, as a rewind leaves it (as on the
  // in-game screen).
  if (paused_ && key == SDLK_BACKSPACE && dialog_ == Dialog::kNone && Rewind()) return;
  if (!TakesPress(key == SDLK_SPACE)) return;
  if (watch_) {
    WatchKey(key, modifiers);
    return;
  }
  if (game_->Keyboard().OnKey(key, modifiers)) return;
  if (key == SDLK_SPACE) {
    SetPaused(true);
    Apply(ActionKind::kPause);
  }
  if (key == SDLK_TAB) {
    ChangeSpeed(modifiers);
    Apply(ActionKind::kSpeed, 0, 0, speed_.Factor());
  }
  if (key == SDLK_F1) {
    SetPaused(true);
    ShowHelp(Globals().DontShowBeginHelp);
  }
  if (key == SDLK_ESCAPE) {
    SetPaused(true);
    OpenDialog(Dialog::kMenu);
  }
  if (key == SDLK_BACKSPACE) Rewind();
  if (Game::IsSkipLevelKey(key, modifiers)) Apply(ActionKind::kSkipLevel);
}

bool GameSession::Close(Dialog dialog, bool dontShowHelpAtStart) {
  const bool statistics = dialog == Dialog::kLevelStatistics || dialog == Dialog::kFinalStatistics;
  const bool match =
      dialog_ == dialog ||
      (statistics && (dialog_ == Dialog::kLevelStatistics || dialog_ == Dialog::kFinalStatistics));
  if (!game_ || !match) return false;
  const Dialog closing = dialog_;
  if (closing == Dialog::kHelp) helpBox_ = dontShowHelpAtStart;
  dialog_ = Dialog::kNone;
  log_.Print(std::string(DialogName(closing)) + " closed");
  SetPaused(false);
  GameScreen screen = GameScreen::kOther;
  if (statistics) screen = GameScreen::kLevelStatistics;
  if (closing == Dialog::kHelp) screen = GameScreen::kHelp;
  game_->OnScreenClosed(screen, -1);
  return true;
}

void GameSession::OpenDialog(Dialog dialog) {
  PauseSpeed();
  dialog_ = dialog;
  log_.Print(std::string(DialogName(dialog)) + " shown");
}

void GameSession::SetPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  log_.Print(paused ? "pause on" : "pause off");
  if (paused) PauseSpeed();
}

void GameSession::ShowHelp(bool dontShowAtStart) {
  helpBox_ = dontShowAtStart;
  OpenDialog(Dialog::kHelp);
}

void GameSession::ShowLevelEnd(const LevelStatistics& s) {
  levelEnd_ = s;
  PauseSpeed();
  dialog_ = Dialog::kLevelStatistics;
  log_.Print("level statistics: player " + s.player + ", level " + std::to_string(s.level) +
             ", time " + std::to_string(s.minutes) + ":00, trains " + std::to_string(s.trains) +
             ", trains on level " + std::to_string(s.trainsOnLevel) + ", money " +
             std::to_string(s.money) + ", change balance " + std::to_string(s.balanceChange) +
             (s.rewinds > 0 ? ", rewinds " + std::to_string(s.rewinds) : std::string()) +
             (s.hints > 0 ? ", hints " + std::to_string(s.hints) : std::string()) +
             (s.par >= 0 ? ", par " + std::to_string(s.par) : std::string()));
}

void GameSession::ShowGameOver(const GameOverStatistics& s) {
  PauseSpeed();
  dialog_ = Dialog::kFinalStatistics;
  log_.Print("final statistics: player " + s.player + ", top level " + std::to_string(s.topLevel) +
             ", total time " + std::to_string(s.totalTime) + " min, total trains " +
             std::to_string(s.trains));
}
