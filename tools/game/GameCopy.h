// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private copy of a running game to try choices on: made from the game's saved state,
// on a screen of its own that is never drawn, with the field's pictures headless. The
// game it copies and everything the two share (the random streams, the settings) are
// as they were once the copy goes: it touches nothing of the real game.
#include <SDL.h>

#include <cstdint>
#include <memory>

#include "core/Random.h"
#include "engine/LEngine.h"
#include "game/Autopilot.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "railway/HeadlessSprites.h"

// The program-wide state a game plays with: the random streams, the run's seed and the
// settings.
struct SharedState {
  uint32_t seed = 0, game = 0, presentation = 0;
  Settings settings;
  // As it stands now.
  static SharedState Now();
  // Puts it in place.
  void Apply() const;
};

// What a copy leaves unchanged of the program-wide state, put back when it goes.
class SharedStateGuard {
 public:
  SharedStateGuard() : saved_(SharedState::Now()) {}
  ~SharedStateGuard() { saved_.Apply(); }
  SharedStateGuard(const SharedStateGuard&) = delete;
  SharedStateGuard& operator=(const SharedStateGuard&) = delete;

 private:
  SharedState saved_;
};

class GameCopy : public GameOwner, public PlayerHands {
 public:
  static constexpr int kFrame = 20;  // ms

  explicit GameCopy(SDL_Surface* display);
  ~GameCopy();
  GameCopy(const GameCopy&) = delete;
  GameCopy& operator=(const GameCopy&) = delete;

  // Takes up the state of the game (which must be playing) and runs the restore's
  // frames; false when the copy does not come to play.
  bool CopyOf(Game& original) { return CopyOf(original, original.SavedState()); }
  // The same with the game's saved state as already taken.
  bool CopyOf(Game& original, const core::ParamEntries& state);
  // One frame of 20 ms.
  void Step();
  Game& Copy();
  bool Ended() const { return ended_; }
  // The crashes in the copy since it was taken.
  int Crashes() const;

  // The player's hands on the copy.
  void LeftClick(int x, int y) override;
  void RightClick(int x, int y) override;

  // What the game asks of its screen: the copy has no pause and no dialogs.
  void SetPaused(bool) override {}
  void ShowHelp(bool) override {}
  bool HelpDontShowAtStart() const override { return true; }
  void ShowLevelEnd(const LevelStatistics&) override { ended_ = true; }
  void ShowGameOver(const GameOverStatistics&) override { ended_ = true; }

 private:
  std::unique_ptr<LEngine> screen_;
  std::unique_ptr<HeadlessSprites> sprites_;
  class CountingGame;
  std::unique_ptr<CountingGame> game_;
  int frame_ = 0;
  bool ended_ = false;
};
