// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game (sealed by the selector byte, see FuzzSupport.h; bit 1 of that byte
// picks the Classic game over the Puzzle game) restored into the headless game, which
// then plays for three seconds of game time: the level is laid out again, the running
// values are read once every track is built, and the game runs on from there, keeping
// the game's invariants every frame.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Random.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/soak/RestoreCheck.h"

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
  // Whatever the file holds, the game that comes of it keeps the game's invariants.
  const RestoreOutcome outcome = RestoreAndPlay(session, 150);
  if (!outcome.failure.empty()) {
    std::fprintf(stderr, "fuzz_savedgame: %s\n", outcome.failure.c_str());
    std::abort();
  }
  return 0;
}
