// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/SavedGameSeeds.h"

#include <cstdio>

#include "core/Random.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "railway/Field.h"
#include "railway/Geometry.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/Widgets.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

constexpr uint8_t kPuzzleSelector = 0;   // sealed, Puzzle game
constexpr uint8_t kClassicSelector = 2;  // sealed, Classic game

class SeedGames {
 public:
  SeedGames(GameSession& session, const SavedGameSink& emit) : session_(session), emit_(emit) {}

  // A new game of the type at the 1-based level, from a fixed seed, as in a new session.
  Game& Begin(int gameType, int level, uint32_t seed) {
    session_.EndGame();  // and with it any dialog the last game left open
    rnd::SetRunSeed(seed);
    session_.NewGame(gameType, level);
    return session_.GetGame();
  }
  void Play(int ms) {
    for (int t = 0; t < ms; t += GameSession::kFrame) session_.RunFrame();
  }
  // Plays until the game is in state, for at most ms; false when it never got there.
  bool PlayUntil(int32_t state, int ms) {
    for (int t = 0; t < ms && session_.GetGame().GameState != state; t += GameSession::kFrame) {
      session_.RunFrame();
    }
    if (session_.GetGame().GameState == state) return true;
    std::fprintf(stderr, "fuzz-corpus: the game never reached state %d\n", static_cast<int>(state));
    return false;
  }
  void Save(const std::string& name) {
    session_.Save();
    const int type = session_.GetGame().GameType();
    emit_(name, Game::SaveFileName(Globals().PlayerName, type),
          type == 0 ? kClassicSelector : kPuzzleSelector);
  }
  GameSession& Session() { return session_; }

 private:
  GameSession& session_;
  const SavedGameSink& emit_;
};

// The first Puzzle level played by the autopilot: trains on the track, switches set.
void PuzzleStart(SeedGames& g) {
  g.Begin(1, 1, 1);
  g.Session().SetAutopilot(true, false);
  g.Play(15000);
  g.Save("puzzle-1");
}

// The third Puzzle level in full swing: running trains, a crash site on built track,
// trains queued behind a leaving one, and a train whose start is delayed.
void PuzzleBusy(SeedGames& g) {
  Game& game = g.Begin(1, 3, 5);
  g.Session().SetAutopilot(true, false);
  for (int t = 0; t < 120000 && game.GetField().Trains().size() < 3; t += GameSession::kFrame) {
    g.Session().RunFrame();
  }
  Field& field = game.GetField();
  for (int j = 0; j < rail::kJunctions && field.CrashSites().empty(); ++j) {
    for (int d = 0; d < rail::kDirectionCount && field.CrashSites().empty(); ++d) {
      if (field.At(j).End(d) == EndState::kBuilt && !field.IsTrackOccupied(d, j)) {
        field.AddCrashSite(j, d, 20);
      }
    }
  }
  for (int k = 0; k < 3; ++k)
    field.LaunchTrain({.colour = k, .cars = 2, .loco = 1, .town = 0}, Departure::kNow);
  field.LaunchTrain({.colour = 3, .cars = 2, .loco = 1, .town = 1}, Departure::kDelayed);
  g.Play(100);
  g.Save("puzzle-3-busy");
}

// The second Puzzle level at its end: saved while the level finishes, then while its
// statistics show.
bool PuzzleEnd(SeedGames& g) {
  Game& game = g.Begin(1, 2, 7);
  g.Play(2000);
  game.GetProgress().Percent = 100.0;
  if (!g.PlayUntil(kStateLevelFinishing, 2000)) return false;
  g.Save("puzzle-2-finishing");
  if (!g.PlayUntil(kStateLevelStatistics, 20000)) return false;
  g.Save("puzzle-2-statistics");
  return true;
}

// The first Classic level early on, as a new player leaves it.
void ClassicStart(SeedGames& g) {
  g.Begin(0, 1, 1);
  g.Play(5000);
  g.Save("classic-1");
}

// The first Classic level in building mode with track the player bought by clicks, some
// of it still being built.
void ClassicBuilding(SeedGames& g) {
  Game& game = g.Begin(0, 1, 5);
  g.Play(100);
  for (int k = 0; k < 3; ++k) g.Session().RightClick(174, 80);  // track type 3
  g.Session().LeftClick(174, 80);
  g.Session().PressButton(game.Panel().TrackButton(0));
  g.Session().LeftClick(174, 142);
  g.Session().LeftClick(174, 328);
  g.Play(1000);
  g.Save("classic-1-building");
}

// A later Classic level, and a game that ran out of money (saved as one to begin anew).
bool ClassicLateAndBroke(SeedGames& g) {
  Game& game = g.Begin(0, 4, 11);
  g.Play(20000);
  g.Save("classic-4");
  game.Fine(static_cast<unsigned>(Game::kStartMoney) * 100);
  if (!g.PlayUntil(kStateOutOfMoney, 100)) return false;
  g.Save("classic-4-out-of-money");
  return true;
}

}  // namespace

bool MakeSavedGameSeeds(const SavedGameSink& emit, const std::function<bool(GameSession&)>& more) {
  std::string error;
  SDL_Surface* display = StartHeadless(error);
  if (!display) {
    std::fprintf(stderr, "fuzz-corpus: %s\n", error.c_str());
    return false;
  }
  bool ok = true;
  {
    EventLog log;
    log.quiet = true;
    GameSession session(display, log);
    Globals().ShowTips = false;
    SeedGames games(session, emit);
    PuzzleStart(games);
    PuzzleBusy(games);
    ok = PuzzleEnd(games) && ok;
    ClassicStart(games);
    ClassicBuilding(games);
    ok = ClassicLateAndBroke(games) && ok;
    if (more) ok = more(session) && ok;
  }
  StopHeadless();
  return ok;
}
