// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A saved game taken up by a fresh game and played on, with the game's invariants
// checked after every frame: what the saved-game tests and the saved-game fuzz target
// ask of any file, however damaged.
#include <string>

class GameSession;

struct RestoreOutcome {
  bool loaded = false;  // the saved game was taken up (false: a new game began at once)
  std::string failure;  // empty when every frame kept the invariants and the restore ended
};

// Loads the session's saved game, runs the restore to its end (at most 2000 frames) and
// then `frames` more.
RestoreOutcome RestoreAndPlay(GameSession& session, int frames);
