// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/LevelPlay.h"

#include "core/Random.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"

namespace levels {

namespace {
// Far beyond the longest level (60 minutes) and the trains still out at its end.
constexpr int kLimitMs = 75 * 60 * 1000;
}  // namespace

PlayResult PlayLevel(SDL_Surface* display, const std::shared_ptr<const LevelFile>& level,
                     unsigned seed, const Player& player) {
  Globals().ShowTips = false;
  rnd::SetRunSeed(seed);
  EventLog log;
  log.quiet = true;
  GameSession session(display, log);
  if (player.kind == Player::kAutopilot) session.SetAutopilot(true, false);
  if (player.kind == Player::kSolver) session.SetSolver(true, player.solver, false);
  session.NewPackGame(level);
  for (int ms = 0; session.Open() == Dialog::kNone && ms < kLimitMs; ms += GameSession::kFrame)
    session.RunFrame();
  PlayResult r;
  const ScriptedGame& g = session.GetGame();
  r.ended =
      session.Open() == Dialog::kLevelStatistics || session.Open() == Dialog::kFinalStatistics;
  r.delivered = g.TrainCounter - g.TrainCounterBeginLevel;
  r.balance = g.MoneyCounter - g.MoneyCounterBeginLevel;
  r.money = g.MoneyCounter;
  return r;
}

}  // namespace levels
