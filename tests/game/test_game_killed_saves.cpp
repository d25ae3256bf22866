// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game outlives a writer killed at any moment: a child process saves two
// different games in turn, over and over, and is killed with SIGKILL at a random
// moment; the game then loads one of the two whole games, never a broken one. The
// temporary file a killed write leaves behind never stops a load or the next save.
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "GameTestSupport.h"

using namespace gametest;

namespace {

constexpr int kKills = 200;
constexpr int kReadyDeadlineMs = 60000;

// What a player sees of a saved game once it is loaded: level, money, trains, time.
std::string Summary(const Game& g) {
  return "level " + std::to_string(g.CurrentRoundInType + 1) + ", money " +
         std::to_string(g.MoneyCounter) + ", trains " + std::to_string(g.TrainCounter) +
         ", minutes " + std::to_string(g.TotalTime);
}

// The child: saves first, then second, then first... for ever, and writes one byte to
// ready after each finished save. It dies with its parent.
[[noreturn]] void SaveForEver(Game& first, Game& second, int ready) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  for (Game* g = &first;; g = g == &first ? &second : &first) {
    g->Save();
    const char done = 1;
    if (write(ready, &done, 1) != 1) _exit(1);
  }
}

// True once the child has finished its first save.
bool FirstSaveDone(int ready) {
  pollfd p{ready, POLLIN, 0};
  char done = 0;
  return poll(&p, 1, kReadyDeadlineMs) == 1 && read(ready, &done, 1) == 1;
}

}  // namespace

class KilledSave : public GameTest {
 protected:
  // The saved game as a fresh game loads it; empty when the load fails.
  std::string Loaded() {
    TestGame& g = Make();
    const std::string summary = g.Load() ? Summary(g) : std::string();
    Drop(g);
    Params().Close();
    return summary;
  }
};

TEST_F(KilledSave, LeavesTheOldOrTheNewGame) {
  TestGame& a = Start(1, 0);
  Frames(a, 300);
  // The second game is not run: the frames of one game move every sprite of the shared
  // screen, and the first game's engine would travel on without its game.
  TestGame& b = Start(1, 2);
  b.MoneyCounter += 1111;
  ASSERT_EQ(a.GameState, kStatePlaying);
  ASSERT_EQ(b.GameState, kStatePlaying);
  const std::string summaryA = Summary(a), summaryB = Summary(b);
  ASSERT_NE(summaryA, summaryB);
  const std::string path = SavePath(1), temp = path + ".tmp";

  // The kill moment falls within one save of each game, timed on this build and machine.
  const auto start = std::chrono::steady_clock::now();
  b.Save();
  a.Save();
  const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  ASSERT_EQ(Loaded(), summaryA);

  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int64_t> delay(0, cycle.count());
  std::string onDisk = summaryA;
  int loadedA = 0, loadedB = 0, unchanged = 0, replaced = 0, leftovers = 0;
  for (int n = 0; n < kKills; ++n) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    // Each child first writes the game that is not on the disk.
    if (child == 0) {
      close(ready[0]);
      if (onDisk == summaryA) SaveForEver(b, a, ready[1]);
      SaveForEver(a, b, ready[1]);
    }
    close(ready[1]);
    const bool started = FirstSaveDone(ready[0]);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(ready[0]);
    ASSERT_TRUE(started) << "kill " << n << ": the child finished no save";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << n;

    leftovers += std::filesystem::exists(temp);
    const std::string loaded = Loaded();
    ASSERT_TRUE(loaded == summaryA || loaded == summaryB)
        << "kill " << n << " loaded '" << loaded << "'";
    ++(loaded == summaryA ? loadedA : loadedB);
    ++(loaded == onDisk ? unchanged : replaced);
    onDisk = loaded;
  }
  std::printf(
      "%d kills: game A loaded %d times, game B %d; the file before the kill %d, "
      "another %d; %d kills left %s\n",
      kKills, loadedA, loadedB, unchanged, replaced, leftovers, temp.c_str());

  // A damaged temporary file beside the saved game stops neither a load nor a save.
  std::ofstream(temp, std::ios::binary | std::ios::trunc) << "a write cut short";
  EXPECT_EQ(Loaded(), onDisk);
  Game& next = onDisk == summaryA ? static_cast<Game&>(b) : a;
  next.Save();
  EXPECT_EQ(Loaded(), Summary(next));
  EXPECT_FALSE(std::filesystem::exists(temp));
}
