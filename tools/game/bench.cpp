// SPDX-License-Identifier: GPL-3.0-or-later
// A whole Puzzle level 1 (ten minutes of game time in 20 ms frames) played by the
// autopilot, from the new game to the level statistics, printing nothing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/Random.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

constexpr int kLevelLimit = 30 * 60 * 1000;  // far beyond a level's ten minutes

SDL_Surface* Display() {
  static SDL_Surface* display = [] {
    std::string error;
    const std::string folder = MakeTempFolder();
    SDL_Surface* d = nullptr;
    if (!folder.empty() && EnterGameFolder(folder, error)) d = StartHeadless(error);
    if (!d) std::fprintf(stderr, "game-bench: %s\n", error.c_str());
    return d;
  }();
  return display;
}

void BM_PuzzleLevel1(benchmark::State& state) {
  SDL_Surface* display = Display();
  if (!display) {
    state.SkipWithError("no headless display");
    return;
  }
  Globals().ShowTips = false;
  double delivered = 0, frames = 0;
  for (auto _ : state) {
    rnd::SetRunSeed(4);
    EventLog log;
    log.quiet = true;
    GameSession session(display, log);
    session.SetAutopilot(true, false);
    session.NewGame(1, 1);
    int ms = 0;
    while (session.Open() == Dialog::kNone && ms < kLevelLimit) {
      session.RunFrame();
      ms += GameSession::kFrame;
    }
    delivered += session.GetGame().TrainCounter;
    frames += ms / GameSession::kFrame;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["delivered"] = delivered / runs;
  state.counters["frames"] = frames / runs;
}
BENCHMARK(BM_PuzzleLevel1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
