// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameContent.h"

#include <cstdio>

#include "engine/LMusic.h"
#include "engine/LSound.h"
#include "game/Settings.h"
#include "ids/ScreenSize.h"
#include "screens/GMainWindow.h"
#include "screens/GWndIntro.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"

bool GameContent::LoadClipLibrary() { return ClipLib::Init(); }

// The intro loads the rest of the clip library while its little train runs.
std::unique_ptr<LEngine> GameContent::CreateIntro(SDL_Surface* display) {
  if (replay_) return nullptr;  // a replay is watched at once
  return std::make_unique<GWndIntro>(display, 0, 0, screen::kWidth, screen::kHeight,
                                     Globals().Version);
}

GameContent::GameContent() = default;
GameContent::~GameContent() = default;

std::unique_ptr<LEngine> GameContent::CreateMainWindow(SDL_Surface* display,
                                                       std::function<void()> changeVideoMode) {
  services_ = std::make_unique<SystemServices>(std::move(changeVideoMode));
  auto window =
      std::make_unique<GMainWindow>(display, 0, 0, screen::kWidth, screen::kHeight, *services_);
  if (replay_) {
    std::string why;
    if (!window->WatchReplay(*replay_, why)) {
      std::fprintf(stderr, "Error. The replay cannot be watched: %s.\n", why.c_str());
      replayFailed_ = true;
      return nullptr;
    }
    replay_.reset();
  }
  return window;
}

// Only this content makes the main window, so it is the in-game screen.
void GameContent::SetMainWindowPaused(LEngine& mainWindow, bool paused) {
  static_cast<GMainWindow&>(mainWindow).SetPaused(paused);
}

// At once, in place of what the line shows: it answers a key the player just pressed.
void GameContent::TellPlayer(LEngine& mainWindow, const std::string& text) {
  GMainWindow& window = static_cast<GMainWindow&>(mainWindow);
  if (window.Messages) window.Messages->Post(text, true);
}

// Only this content makes the intro.
bool GameContent::IntroFailed(const LEngine& intro) {
  return static_cast<const GWndIntro&>(intro).LoadFailed();
}

bool GameContent::PictureMissing() { return ClipLib::PictureMissing(); }

void GameContent::StartSoundEffects(const Settings& settings, bool audioAvailable) {
  if (!audioAvailable) return;
  LMusic::PrepareSynth();
  Sound().Start(settings.SoundVolume, settings.SoundOn);
}

void GameContent::StartMusic(const Settings& settings, bool audioAvailable) {
  if (!audioAvailable) return;
  Music().Start(settings.MusicVolume, settings.MusicOn);
}

void GameContent::AdvanceMusic() { Music().Update(); }
void GameContent::PauseMusic() { Music().Pause(); }
void GameContent::ResumeMusic() { Music().Resume(); }

void GameContent::ShutDown() {
  Music().Shutdown();
  Sound().Shutdown();
  ClipLib::Shutdown();
}
