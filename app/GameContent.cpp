#include "app/GameContent.h"

#include "app/DemoScreen.h"
#include "game/Settings.h"

// The sprite clip library joins the start-up here (its Init; false ends the
// program with "Error init ClipLib."). Until then there is nothing to load.
bool GameContent::LoadClipLibrary() { return true; }

// The intro screen is created here. Until it exists the frame shows a plain
// screen of its own, which a click or a key closes.
std::unique_ptr<LEngine> GameContent::CreateIntro(SDL_Surface* display) {
  return std::make_unique<DemoScreen>(display, DemoScreen::Kind::Intro);
}

// The in-game main window is created here. Until it exists the frame shows a
// plain screen of its own, closed by Alt+F4.
std::unique_ptr<LEngine> GameContent::CreateMainWindow(SDL_Surface* display) {
  return std::make_unique<DemoScreen>(display, DemoScreen::Kind::Main);
}

// The main window's pause follows here; the plain screen has no game to pause.
void GameContent::SetMainWindowPaused(LEngine&, bool) {}

// The sound effects start here (volume and switch from the settings), only when
// audioAvailable is set.
void GameContent::StartSoundEffects(const Settings&, bool) {}

// The music starts here (play list, volume and switch from the settings), only
// when audioAvailable is set; the three operations below drive it afterwards.
void GameContent::StartMusic(const Settings&, bool) {}
void GameContent::AdvanceMusic() {}
void GameContent::PauseMusic() {}
void GameContent::ResumeMusic() {}
