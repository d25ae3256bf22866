// SPDX-License-Identifier: GPL-3.0-or-later
// ot-soak: plays the whole game headless with random input from one seed and checks the
// game's invariants after every frame.
// Usage: ot-soak --seed N [--frames F] [--minutes M]
// It stops after F frames or M minutes of wall time, whichever comes first (without
// either, after 10000 frames). On a broken invariant it prints the seed, the frame and
// what failed and exits with 1; "ot-soak --seed N --frames F" replays the run exactly.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Random.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/soak/Invariants.h"
#include "tools/soak/SoakPlayer.h"

namespace {

struct Options {
  unsigned long seed = 1;
  long long frames = -1;
  double minutes = -1;
};

bool Parse(int argc, char** argv, Options& o) {
  bool seeded = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    char* end = nullptr;
    const char* text = argv[i + 1];
    if (name == "--seed") {
      o.seed = std::strtoul(text, &end, 10);
      if (text[0] == '-' || o.seed > UINT32_MAX) return false;
      seeded = true;
    } else if (name == "--frames") {
      o.frames = std::strtoll(text, &end, 10);
      if (o.frames < 0) return false;
    } else if (name == "--minutes") {
      o.minutes = std::strtod(text, &end);
      if (!(o.minutes >= 0)) return false;
    } else {
      return false;
    }
    if (end == text || *end != '\0') return false;
  }
  if (argc % 2 != 1 || !seeded) return false;
  if (o.frames < 0 && o.minutes < 0) o.frames = 10000;
  return true;
}

std::string GameTime(long long frames) {
  const long long s = frames * GameSession::kFrame / 1000;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

struct Tally {
  long long frames = 0;
  long long running = 0;  // frames the game moved on (not paused)
  long long levelsEnded = 0;
  long long gamesOver = 0;
};

int Soak(const Options& o, SDL_Surface* display) {
  const auto seed = static_cast<uint32_t>(o.seed);
  rnd::SetRunSeed(seed);
  EventLog log;
  log.quiet = true;
  GameSession session(display, log);
  SoakPlayer player(session, seed);
  GameInvariants invariants;
  // The game type to begin with comes from the seed too.
  Globals().GameType = static_cast<int>(seed % 2);
  session.Show();
  Tally tally;
  std::string failure = invariants.Check(session.GetGame(), &session.Sprites());
  const auto start = std::chrono::steady_clock::now();
  const auto deadline = start + std::chrono::duration<double>(o.minutes * 60);
  int32_t lastState = session.GetGame().GameState;
  while (failure.empty()) {
    if (o.frames >= 0 && tally.frames >= o.frames) break;
    if (o.minutes >= 0 && (tally.frames & 255) == 0 && std::chrono::steady_clock::now() >= deadline)
      break;
    ++tally.frames;
    if (!session.Paused()) ++tally.running;
    const Replaced replaced = player.Step(tally.frames);
    if (replaced == Replaced::kNewGame) invariants.ExpectNewGame();
    if (replaced == Replaced::kOtherGame) invariants.Forget();
    Game& game = session.GetGame();
    failure = invariants.Check(game, &session.Sprites());
    if (game.GameState != lastState) {
      if (game.GameState == kStateLevelStatistics) ++tally.levelsEnded;
      if (game.GameState == kStateFinalStatistics) ++tally.gamesOver;
      lastState = game.GameState;
    }
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const SoakCounts& c = player.Counts();
  std::printf(
      "ot-soak: seed %u: %lld frames in %.1f s (%.0f frames/s), game time %s, "
      "%lld actions, %lld new games, %lld saves, %lld loads, %lld levels ended, %lld games over\n",
      seed, tally.frames, wall, wall > 0 ? tally.frames / wall : 0.0,
      GameTime(tally.running).c_str(), c.actions, c.newGames, c.saves, c.loads, tally.levelsEnded,
      tally.gamesOver);
  if (failure.empty()) return 0;
  std::printf(
      "ot-soak: FAILED seed %u frame %lld: %s\nlast actions:\n%s"
      "replay: ot-soak --seed %u --frames %lld\n",
      seed, tally.frames, failure.c_str(), player.Recent().c_str(), seed, tally.frames);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!Parse(argc, argv, o)) {
    std::fprintf(stderr, "usage: ot-soak --seed N [--frames F] [--minutes M]\n");
    return 2;
  }
  std::printf("ot-soak: seed %lu\n", o.seed);
  std::fflush(stdout);
  const std::string folder = MakeTempFolder();
  std::string error = folder.empty() ? "cannot make a temp folder" : "";
  if (folder.empty() || !EnterGameFolder(folder, error)) {
    std::fprintf(stderr, "ot-soak: %s\n", error.c_str());
    return 2;
  }
  SDL_Surface* display = StartHeadless(error);
  int status = 2;
  if (display) {
    status = Soak(o, display);
    StopHeadless();
  } else {
    std::fprintf(stderr, "ot-soak: %s\n", error.c_str());
  }
  std::error_code ec;
  std::filesystem::current_path("/", ec);
  std::filesystem::remove_all(folder, ec);
  return status;
}
