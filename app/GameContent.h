// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's own content for the frame.
#include <memory>
#include <optional>

#include "app/FrameContent.h"
#include "game/ReplayFile.h"

class ScreenServices;

class GameContent : public FrameContent {
 public:
  GameContent();
  ~GameContent() override;

  bool LoadClipLibrary() override;
  std::unique_ptr<LEngine> CreateIntro(SDL_Surface* display) override;
  std::unique_ptr<LEngine> CreateMainWindow(SDL_Surface* display,
                                            std::function<void()> changeVideoMode) override;
  void SetMainWindowPaused(LEngine& mainWindow, bool paused) override;
  void TellPlayer(LEngine& mainWindow, const std::string& text) override;
  bool IntroFailed(const LEngine& intro) override;
  bool PictureMissing() override;
  void StartSoundEffects(const Settings& settings, bool audioAvailable) override;
  void StartMusic(const Settings& settings, bool audioAvailable) override;
  void AdvanceMusic() override;
  void PauseMusic() override;
  void ResumeMusic() override;
  void ShutDown() override;
  // The main window shows the replay instead of the player's game, without the intro.
  void WatchReplay(const Replay& replay) { replay_ = replay; }
  // The replay given could not be begun.
  bool ReplayFailed() const { return replayFailed_; }

 private:
  // What the in-game screen uses of the sound, the music, the frame and the browser;
  // it lives as long as the content, longer than the screen.
  std::unique_ptr<ScreenServices> services_;
  std::optional<Replay> replay_;
  bool replayFailed_ = false;
};
