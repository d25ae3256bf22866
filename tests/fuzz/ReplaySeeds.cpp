// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/ReplaySeeds.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "core/Random.h"
#include "game/LevelFile.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"

namespace {

constexpr int kSkipKeys = KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_CAPS;

class ReplayGames {
 public:
  ReplayGames(GameSession& session, const ReplaySink& emit) : s_(session), emit_(emit) {}

  void Begin(int gameType, int level, uint32_t seed) {
    s_.EndGame();
    s_.Record(kReplaysFolder);
    rnd::SetRunSeed(seed);
    s_.NewGame(gameType, level);
  }
  void RunTo(int update) {
    while (s_.GetGame().LevelUpdate() < update) s_.RunFrame();
  }
  // The replay written last is handed over under name; false when none was written.
  bool Emit(const std::string& name) {
    if (s_.Written().empty()) {
      std::fprintf(stderr, "fuzz-corpus: no replay written for %s\n", name.c_str());
      return false;
    }
    emit_(name, s_.Written().back());
    return true;
  }
  GameSession& S() { return s_; }

 private:
  GameSession& s_;
  const ReplaySink& emit_;
};

// Puzzle level 1 played by the autopilot to its statistics, rewound once on the way.
bool PuzzleLevel(ReplayGames& g) {
  g.Begin(1, 1, 2);
  g.S().SetAutopilot(true, false);
  g.RunTo(6000);
  g.S().Key(SDLK_BACKSPACE, 0);
  g.S().Key(SDLK_SPACE, 0);  // ends the pause the rewind left
  for (int frame = 0; frame < 40000 && g.S().Open() == Dialog::kNone; ++frame) g.S().RunFrame();
  g.S().SetAutopilot(false, false);
  return g.S().Open() == Dialog::kLevelStatistics && g.Emit("recorded-puzzle-1-complete");
}

// Classic level 1: track bought by clicks, the wheel and the track buttons, a stretch at
// x4 and a pause, then skipped.
bool ClassicLevel(ReplayGames& g) {
  g.Begin(0, 1, 3);
  g.RunTo(100);
  g.S().Wheel(true, 400, 300);
  g.S().LeftClick(174, 80);
  g.S().PressButton(g.S().GetGame().Panel().TrackButton(3));
  g.S().LeftClick(174, 142);
  g.S().RightClick(300, 300);
  g.S().Key(SDLK_TAB, 0);
  g.S().Key(SDLK_TAB, 0);
  g.RunTo(700);
  g.S().Key(SDLK_SPACE, 0);
  g.S().LeftClick(174, 328);  // ends the pause
  g.S().LeftClick(174, 328);
  g.RunTo(1500);
  g.S().Key(SDLK_9, kSkipKeys);
  return g.Emit("recorded-classic-1-skipped");
}

// Puzzle level 3 saved and taken up again: the level's recording starts from the saved
// game; then a replay of it watched and taken over.
bool ResumedAndTakenOver(ReplayGames& g) {
  g.Begin(1, 3, 5);
  g.S().SetAutopilot(true, false);
  g.RunTo(3000);
  g.S().Save();
  g.S().Load();
  if (!g.Emit("recorded-puzzle-3-left")) return false;
  const std::string leftPath = g.S().Written().back();
  g.RunTo(1500);
  g.S().Key(SDLK_9, kSkipKeys);
  if (!g.Emit("recorded-puzzle-3-resumed")) return false;
  Replay left;
  std::string why;
  if (!ReadReplayFile(leftPath, left, why) || !g.S().Watch(left, why) ||
      !g.S().WatchTo(1000, why)) {
    std::fprintf(stderr, "fuzz-corpus: %s\n", why.c_str());
    return false;
  }
  g.S().TakeOver();
  g.RunTo(2000);
  g.S().Key(SDLK_9, kSkipKeys);
  return g.Emit("recorded-puzzle-3-taken-over");
}

// A level file's level (the first Puzzle level's record, made in memory) with clicks and
// a rewind, then left: its replay carries the level.
bool PackLevel(ReplayGames& g) {
  g.S().EndGame();
  g.S().Record(kReplaysFolder);
  rnd::SetRunSeed(7);
  LevelFile level = LevelFileFrom(Level(kPuzzleOffset), "Corpus", "A level of a pack.", 1);
  level.id = "corpus-level";
  g.S().NewPackGame(std::make_shared<const LevelFile>(std::move(level)), {"corpus", 2});
  g.RunTo(300);
  g.S().LeftClick(174, 80);
  g.RunTo(900);
  g.S().Key(SDLK_BACKSPACE, 0);
  g.S().Key(SDLK_SPACE, 0);  // ends the pause the rewind left
  g.S().LeftClick(174, 142);
  g.RunTo(1200);
  g.S().EndGame();
  return g.Emit("recorded-pack-level-left");
}

}  // namespace

bool MakeReplaySeeds(GameSession& session, const ReplaySink& emit) {
  ReplayGames games(session, emit);
  bool ok = PuzzleLevel(games);
  ok = ClassicLevel(games) && ok;
  ok = ResumedAndTakenOver(games) && ok;
  ok = PackLevel(games) && ok;
  session.EndGame();
  session.Record("");
  return ok;
}
