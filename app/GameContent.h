#pragma once
// The game's own content for the frame.
#include "app/FrameContent.h"

class GameContent : public FrameContent {
 public:
  bool LoadClipLibrary() override;
  std::unique_ptr<LEngine> CreateIntro(SDL_Surface* display) override;
  std::unique_ptr<LEngine> CreateMainWindow(SDL_Surface* display) override;
  void SetMainWindowPaused(LEngine& mainWindow, bool paused) override;
  void StartSoundEffects(const Settings& settings, bool audioAvailable) override;
  void StartMusic(const Settings& settings, bool audioAvailable) override;
  void AdvanceMusic() override;
  void PauseMusic() override;
  void ResumeMusic() override;
  void ShutDown() override;
};
