#include "app/GameContent.h"

#include "engine/LMusic.h"
#include "engine/LSound.h"
#include "game/Settings.h"
#include "screens/GShowcase.h"
#include "screens/GWndIntro.h"
#include "sprites/ClipLib.h"

bool GameContent::LoadClipLibrary() { return ClipLib::Init(); }

// The intro loads the rest of the clip library while its little train runs.
std::unique_ptr<LEngine> GameContent::CreateIntro(SDL_Surface* display) {
  return std::make_unique<GWndIntro>(display, 0, 0, 800, 600, Globals().Version);
}

// Until the in-game screen exists, the main phase shows the sprite kit at work:
// message line, counters, a button, a check box and the progress indicator.
std::unique_ptr<LEngine> GameContent::CreateMainWindow(SDL_Surface* display) {
  return std::make_unique<GShowcase>(display, 0, 0, 800, 600);
}

// The plain main screen has no game to pause.
void GameContent::SetMainWindowPaused(LEngine&, bool) {}

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
