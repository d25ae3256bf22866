// SPDX-License-Identifier: GPL-3.0-or-later
// ot-soak: plays the whole game headless with random input from one seed and checks the
// game's invariants after every frame.
// Usage: ot-soak --seed N [--frames F] [--minutes M] [--replays] [--keep-replays DIR]
// It stops after F frames or M minutes of wall time, whichever comes first (without
// either, after 10000 frames). On a broken invariant it prints the seed, the frame and
// what failed and exits with 1; "ot-soak --seed N --frames F" replays the run exactly.
// With --replays every level played is recorded (Backspace then rewinds), and at the
// end each recorded level is watched again from its file: a replay that does not end
// as recorded exits with 3. --keep-replays copies the replays to DIR.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/ReplayFile.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/soak/Invariants.h"
#include "tools/soak/ReplayCheck.h"
#include "tools/soak/SoakPlayer.h"

namespace {

constexpr int kReplayDiffers = 3;

struct Options {
  unsigned long seed = 1;
  long long frames = -1;
  double minutes = -1;
  bool replays = false;
  std::string keep;  // where the replays are copied to, when not empty
};

bool Parse(int argc, char** argv, Options& o) {
  bool seeded = false;
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--replays") {
      o.replays = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) return false;
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
    } else if (name == "--keep-replays") {
      std::error_code ec;
      o.keep = std::filesystem::absolute(text, ec).string();
      if (!*text || ec) return false;
      continue;
    } else {
      return false;
    }
    if (end == text || *end != '\0') return false;
  }
  if (!seeded) return false;
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

void Keep(const std::vector<std::string>& replays, const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const std::string& path : replays) {
    const std::filesystem::path to =
        std::filesystem::path(folder) / std::filesystem::path(path).filename();
    std::filesystem::copy_file(path, to, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) std::fprintf(stderr, "ot-soak: cannot copy %s to %s\n", path.c_str(), to.c_str());
  }
}

// The level still running is written as quit, then every replay is watched again.
int CheckRun(const Options& o, GameSession& session, long long frames) {
  session.EndGame();
  if (!o.keep.empty()) Keep(session.Written(), o.keep);
  const auto start = std::chrono::steady_clock::now();
  const ReplayTally t = CheckReplays(session);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "ot-soak: seed %lu: %d replays in %.1f s (%d complete, %d game over, %d quit; %d rewound, "
      "%d resumed), %d as recorded, %d differ\n",
      o.seed, t.written, wall, t.complete, t.gameOver, t.quit, t.rewound, t.resumed, t.asRecorded,
      t.differ);
  if (t.differ == 0) return 0;
  std::printf(
      "ot-soak: REPLAY DIFFERS seed %lu: %s\nreplay: ot-soak --seed %lu --frames %lld --replays\n",
      o.seed, t.firstDifference.c_str(), o.seed, frames);
  return kReplayDiffers;
}

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
  if (o.replays) session.Record(kReplaysFolder);
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
      "%lld actions, %lld new games, %lld saves, %lld loads, %lld rewinds, %lld levels ended, "
      "%lld games over\n",
      seed, tally.frames, wall, wall > 0 ? tally.frames / wall : 0.0,
      GameTime(tally.running).c_str(), c.actions, c.newGames, c.saves, c.loads, c.rewinds,
      tally.levelsEnded, tally.gamesOver);
  if (failure.empty()) return o.replays ? CheckRun(o, session, tally.frames) : 0;
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
    std::fprintf(stderr,
                 "usage: ot-soak --seed N [--frames F] [--minutes M] [--replays] "
                 "[--keep-replays DIR]\n");
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
