// SPDX-License-Identifier: GPL-3.0-or-later
// The in-game screen's dialogs: opening them with the current values, and acting on
// the code each one closes with.
#include "core/ClipTable.h"
#include "game/Settings.h"
#include "screens/GMainWindow.h"
#include "screens/GWndHelp.h"
#include "screens/GWndLevelStats.h"
#include "screens/GWndMenu.h"
#include "screens/GWndMessage.h"
#include "screens/GWndNewGame.h"
#include "screens/GWndOptions.h"
#include "screens/GWndPacks.h"
#include "screens/GWndPickGame.h"
#include "screens/ScreenServices.h"
#include "sprites/Widgets.h"

namespace {
constexpr const char* kQuitQuestion = "QUIT THE GAME?";
constexpr int32_t kPuzzleType = 1;
constexpr int32_t kClassicType = 0;
}  // namespace

bool GMainWindow::DialogOpen() const { return TopSlot && *TopSlot && *TopSlot != this; }

bool GMainWindow::BeginDialog() {
  if (!TopSlot || DialogOpen()) return false;
  SetPaused(true);
  return true;
}

void GMainWindow::OpenMenu() {
  if (BeginDialog()) MenuDialog->Open(TopSlot, true, CanRewind());
}

void GMainWindow::OpenGameType() {
  if (BeginDialog()) PickGameDialog->Open(TopSlot, Globals().GameType != kPuzzleType);
}

void GMainWindow::OpenOptions() {
  if (!BeginDialog()) return;
  Settings& s = Globals();
  OptionsDialog->Exchange(s.SoundVolume, s.MusicVolume, s.FullScreen, s.ShowTips, s.SoundOn,
                          s.MusicOn, true);
  OptionsDialog->ExchangeSymbols(s.ColourSymbols, true);
  OptionsDialog->ExchangePlayerHelp(s.ActWhilePaused, s.LockMarks, true);
  OptionsDialog->Show(TopSlot);
}

void GMainWindow::OpenNewGame() {
  if (!BeginDialog()) return;
  const Settings& s = Globals();
  NewGameDialog->SetMaxLevel(s.GameType == kPuzzleType ? s.MaxLevelPuzzle : s.MaxLevelStrateg);
  NewGameDialog->Show(TopSlot);
}

void GMainWindow::OpenHelp() { ShowHelp(Globals().DontShowBeginHelp); }

void GMainWindow::OpenQuitQuestion() {
  if (BeginDialog())
    MessageDialog->Open(TopSlot, clip::MessageOk, clip::MessageCancel, kQuitQuestion);
}

// ---------------------------------------------------------------- what the game opens

void GMainWindow::ShowHelp(bool dontShowAtStart) {
  if (!BeginDialog()) return;
  HelpDialog->ExchangeStartHelp(dontShowAtStart, true);
  HelpDialog->Show(TopSlot);
}

bool GMainWindow::HelpDontShowAtStart() const { return HelpDialog->StartHelpBox->Checked; }

void GMainWindow::ShowLevelEnd(const LevelStatistics& statistics) {
  LevelStatistics shown = statistics;
  if (watch_) shown.rewinds = watch_->Rewinds();
  if (BeginDialog()) LevelStatsDialog->ShowLevelEnd(TopSlot, shown);
}

void GMainWindow::ShowGameOver(const GameOverStatistics& statistics) {
  if (BeginDialog()) LevelStatsDialog->ShowGameOver(TopSlot, statistics);
}

// ---------------------------------------------------------------- closing

GameScreen GMainWindow::ScreenOf(const LEngine* child) const {
  if (child == LevelStatsDialog.get()) return GameScreen::kLevelStatistics;
  if (child == HelpDialog.get()) return GameScreen::kHelp;
  if (child == NewGameDialog.get()) return GameScreen::kNewGame;
  return GameScreen::kOther;
}

void GMainWindow::OnChildClosed(LEngine* child, int32_t code) {
  SetPaused(false);
  // The player's own game follows a watched replay's statistics at the next frame: when
  // the whole program closes, these statistics close first, and the player's game must
  // not be taken up only to be quit (and recorded) at once.
  if (watch_ && watchEnded_) {
    StopWatching();
    ownGameDue_ = true;
    return;
  }
  if (game_) game_->OnScreenClosed(ScreenOf(child), code);
  if (child == LevelStatsDialog.get() && game_ && game_->PackLevel()) {
    // A pack level's game ends with its statistics: the pack's next level is offered.
    OpenPacksWhereThePlayerIs();
  } else if (child == PacksDialog.get()) {
    if (code == -1) StartPackLevel();
  } else if (child == PickGameDialog.get()) {
    ApplyGameType(code);
  } else if (child == OptionsDialog.get()) {
    ApplyOptions(code);
  } else if (child == NewGameDialog.get()) {
    if (code == newgame::kPacks) OpenPacksWhereThePlayerIs();
    if (code == -1 && game_) {
      // The level left is recorded, as a quit is.
      game_->FinishRecording(ReplayOutcome::kQuit);
      // A new game is one of the game type's: a pack level is left.
      game_->LeavePackGame();
      game_->StartLevelNumber = NewGameDialog->GetStartLevel();
      game_->SetState(kStateNewGame);
      StopSpeed();
    }
  } else if (child == MessageDialog.get()) {
    if (code == -1) Close(0);
  } else if (child == MenuDialog.get()) {
    ApplyMenuChoice(code);
  }
}

void GMainWindow::ApplyGameType(int32_t code) {
  if (code == -2 || !game_) return;
  const int32_t type = code == pick::kPuzzle ? kPuzzleType : kClassicType;
  if (type == Globals().GameType && !game_->PackLevel()) return;
  // The level left is recorded, as a quit is.
  game_->FinishRecording(ReplayOutcome::kQuit);
  game_->Save();
  game_->LeavePackGame();
  Globals().GameType = type;
  game_->LoadOrStartNew();
  StopSpeed();
}

void GMainWindow::ApplyOptions(int32_t code) {
  Settings& s = Globals();
  if (code != -1) {
    // Undo the dialog's live music preview.
    services_.SetMusicVolume(s.MusicVolume);
    services_.SetMusicOn(s.MusicOn);
    return;
  }
  const bool wasFullScreen = s.FullScreen;
  OptionsDialog->Exchange(s.SoundVolume, s.MusicVolume, s.FullScreen, s.ShowTips, s.SoundOn,
                          s.MusicOn, false);
  OptionsDialog->ExchangeSymbols(s.ColourSymbols, false);
  OptionsDialog->ExchangePlayerHelp(s.ActWhilePaused, s.LockMarks, false);
  if (game_) game_->ApplyColourSymbols();
  if (s.FullScreen != wasFullScreen) services_.SwitchVideoMode();
  // The switch first: the effects take a volume only while they are on.
  services_.SetSoundOn(s.SoundOn);
  services_.SetSoundVolume(s.SoundVolume);
}

void GMainWindow::ApplyMenuChoice(int32_t code) {
  switch (code) {
    case menu::kNewGame:
      OpenNewGame();
      break;
    case menu::kPickGame:
      OpenGameType();
      break;
    case menu::kOptions:
      OpenOptions();
      break;
    case menu::kHelp:
      OpenHelp();
      break;
    case menu::kExit:
      OpenQuitQuestion();
      break;
    case menu::kRewind:
      Rewind();
      break;
    default:
      break;  // continue, or the menu was cancelled
  }
}
