// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game (sealed by the selector byte, see FuzzSupport.h; bit 1 of that byte
// picks the Classic game over the Puzzle game) restored into the headless game, which
// then plays for three seconds of game time: the level is laid out again, the running
// values are read once every track is built, and the game runs on from there.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Random.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

SDL_Surface* Display() {
  static SDL_Surface* display = [] {
    std::string error;
    SDL_Surface* surface = StartHeadless(error);
    if (!surface || !EnterGameFolder(fuzz::TempFolder(), error)) {
      std::fprintf(stderr, "fuzz_savedgame: %s\n", error.c_str());
      std::abort();
    }
    return surface;
  }();
  return display;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SDL_Surface* display = Display();
  if (size == 0) return 0;
  Globals() = Settings();
  Globals().ShowTips = false;
  Globals().GameType = (data[0] & 2) ? 0 : 1;
  const std::string path = Game::SaveFileName(Globals().PlayerName, Globals().GameType);
  if (!fuzz::WriteDocument(path, data, size)) return 0;
  rnd::Seed(1);
  EventLog log;
  log.quiet = true;
  GameSession session(display, log);
  session.Load();
  for (int frame = 0; frame < 150; ++frame) session.RunFrame();
  return 0;
}
