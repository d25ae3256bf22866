// SPDX-License-Identifier: GPL-3.0-or-later
// hint-bench: the cost of the hint (H) on a busy level. A Puzzle level is played by the
// autopilot in 20 ms frames; every --every ms of game time the keyboard's hint looks for
// the autopilot's next change on the field as it stands, timed alone (the thread's
// processor time, and the wall clock). Prints the median, 90th and 99th percentile and
// the largest look, with the most trains the field had at a look.
//
//   hint-bench [--level N] [--seed S] [--minutes M] [--every MS] [--idle]
//   --level    the Puzzle level, 1 to 5 (default 5)
//   --seed     the run's random seed (default 4)
//   --minutes  game time played (default 10)
//   --every    game time between two looks (default 500 ms)
//   --idle     nobody plays: the trains wait, crash and pile up
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/KeyboardPlay.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

struct Options {
  int level = 5;
  unsigned seed = 4;
  int minutes = 10;
  int every = 500;
  bool idle = false;  // no autopilot: the trains run as the level set the switches
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; i += 2) {
    if (!std::strcmp(argv[i], "--idle")) {
      o.idle = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) return false;
    const int value = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--level") && value >= 1 && value <= 5) {
      o.level = value;
    } else if (!std::strcmp(argv[i], "--seed") && value >= 0) {
      o.seed = static_cast<unsigned>(value);
    } else if (!std::strcmp(argv[i], "--minutes") && value >= 1) {
      o.minutes = value;
    } else if (!std::strcmp(argv[i], "--every") && value >= GameSession::kFrame) {
      o.every = value;
    } else {
      return false;
    }
  }
  return true;
}

double Microseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// The processor time this thread has had, in microseconds: on a shared machine a look
// can wait for the processor, which the wall clock counts and this does not.
double ThreadMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

void PrintSpread(const char* name, std::vector<double> looks) {
  std::sort(looks.begin(), looks.end());
  std::printf("%s: median %.0f us, 90%% %.0f us, 99%% %.0f us, max %.0f us\n", name,
              looks[looks.size() / 2], looks[looks.size() * 9 / 10], looks[looks.size() * 99 / 100],
              looks.back());
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!Parse(argc, argv, o)) {
    std::fprintf(
        stderr, "usage: hint-bench [--level 1-5] [--seed S] [--minutes M] [--every MS] [--idle]\n");
    return 2;
  }
  std::string error;
  const std::string folder = MakeTempFolder();
  SDL_Surface* display = nullptr;
  if (!folder.empty() && EnterGameFolder(folder, error)) display = StartHeadless(error);
  if (!display) {
    std::fprintf(stderr, "hint-bench: %s\n", error.c_str());
    return 1;
  }
  Globals().ShowTips = false;
  rnd::SetRunSeed(o.seed);
  EventLog log;
  log.quiet = true;
  GameSession session(display, log);
  session.NewGame(1, o.level);
  session.SetAutopilot(!o.idle, false);

  std::vector<double> looks, processor;
  size_t mostTrains = 0;
  int found = 0;
  const int end = o.minutes * 60 * 1000;
  for (int ms = 0; ms < end && session.Open() == Dialog::kNone; ms += GameSession::kFrame) {
    session.RunFrame();
    if (ms % o.every != 0 || session.GetGame().GameState != kStatePlaying) continue;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = ThreadMicroseconds();
    const bool some = session.GetGame().Keyboard().NextChange().has_value();
    processor.push_back(ThreadMicroseconds() - cpu);
    looks.push_back(Microseconds(std::chrono::steady_clock::now() - start));
    found += some ? 1 : 0;
    mostTrains = std::max(mostTrains, session.GetGame().GetField().Trains().size());
  }
  if (looks.empty()) {
    std::fprintf(stderr, "hint-bench: the level gave no looks\n");
    return 1;
  }
  std::printf("Puzzle level %d, seed %u: %zu looks, %d found a change, up to %zu trains\n", o.level,
              o.seed, looks.size(), found, mostTrains);
  PrintSpread("processor", processor);
  PrintSpread("wall clock", looks);
  return 0;
}
