// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soak/RestoreCheck.h"

#include "tools/game/GameSession.h"
#include "tools/soak/Invariants.h"

namespace {
// Frames: the game itself gives a restore 1500 updates, a large Classic level takes 600.
constexpr int kLongestRestore = 2000;
}  // namespace

RestoreOutcome RestoreAndPlay(GameSession& session, int frames) {
  RestoreOutcome out;
  out.loaded = session.Load();
  GameInvariants invariants;
  std::string& failure = out.failure;
  failure = invariants.Check(session.GetGame(), &session.Sprites());
  for (int f = 0; failure.empty() && session.GetGame().GameState == kStateRestoring; ++f) {
    if (f == kLongestRestore) {
      failure = "the restore never ended";
      return out;
    }
    // A restore whose second phase fails begins a new game, as the player's would.
    invariants.ExpectNewGame();
    session.RunFrame();
    failure = invariants.Check(session.GetGame(), &session.Sprites());
  }
  for (int f = 0; f < frames && failure.empty(); ++f) {
    session.RunFrame();
    failure = invariants.Check(session.GetGame(), &session.Sprites());
  }
  return out;
}
