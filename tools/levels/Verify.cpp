// SPDX-License-Identifier: GPL-3.0-or-later
// "play": every level with the player on several seeds and once without input; one table
// line per level, and status 1 when a level is not finished often enough or finishes
// by itself.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "tools/game/Headless.h"
#include "tools/levels/Commands.h"
#include "tools/levels/LevelPlay.h"
#include "tools/levels/LevelText.h"

namespace levels {

namespace {

// The seeds the test suite plays: a par is set so that all of them reach it.
constexpr int kSuiteSeeds = 3;

struct PlayOptions {
  int seeds = 3;
  unsigned first = 1;
  int need = -1;  // finishes wanted; all seeds when not given
  int idleSeeds = 1;
  Player player;
  bool writePar = false;  // sets each file's par from the plays (see PlayCommand)
  std::vector<std::string> files;
};

bool ParseOptions(const Args& args, PlayOptions& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--seeds" && hasValue) {
      o.seeds = std::atoi(args[++i].c_str());
    } else if (args[i] == "--first" && hasValue) {
      o.first = static_cast<unsigned>(std::atol(args[++i].c_str()));
    } else if (args[i] == "--solver") {
      o.player.kind = Player::kSolver;
    } else if (args[i] == "--lookahead" && hasValue) {
      o.player.solver.lookahead = std::atoi(args[++i].c_str());
    } else if (args[i] == "--write-par") {
      o.writePar = true;
    } else if (args[i] == "--idle-seeds" && hasValue) {
      o.idleSeeds = std::max(1, std::atoi(args[++i].c_str()));
    } else if (args[i] == "--need" && hasValue) {
      o.need = std::atoi(args[++i].c_str());
    } else {
      o.files.push_back(std::filesystem::absolute(args[i]).string());
    }
  }
  if (o.need < 0) o.need = o.seeds;
  return o.seeds > 0 && !o.files.empty();
}

int Median(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::string Name(const std::string& path) {
  const std::filesystem::path p(path);
  return p.parent_path().filename().string() + "/" + p.stem().string();
}

}  // namespace

// The level with the par that need of the plays reach (the need-th most delivered among
// the plays that kept money), and every one of the first `first` plays (the seeds the
// test suite plays), written back to its file; par 99 when the plays without input
// deliver as much, so that the level fails its check.
std::shared_ptr<const LevelFile> WithPar(const LevelFile& level, const std::string& path,
                                         const std::vector<PlayResult>& plays,
                                         const std::vector<PlayResult>& idle, int need, int first) {
  std::vector<int> delivered;
  for (const PlayResult& r : plays) delivered.push_back(r.ended && r.money > 0 ? r.delivered : 0);
  int par = *std::min_element(delivered.begin(),
                              delivered.begin() + std::min<size_t>(first, delivered.size()));
  std::sort(delivered.rbegin(), delivered.rend());
  par =
      std::min(par, delivered[static_cast<size_t>(std::clamp(need, 1, int(delivered.size())) - 1)]);
  for (const PlayResult& r : idle)
    if (r.delivered >= par) par = 99;
  LevelFile changed = level;
  changed.par = std::max(par, 1);
  if (!WriteLevelText(path, changed)) std::fprintf(stderr, "%s cannot be written\n", path.c_str());
  return std::make_shared<const LevelFile>(changed);
}

// One line of the table; true when the level passes.
bool Report(const std::string& name, int par, const std::vector<PlayResult>& plays,
            const std::vector<PlayResult>& idle, int need) {
  std::vector<int> delivered, balance;
  int finishes = 0;
  for (const PlayResult& r : plays) {
    delivered.push_back(r.delivered);
    balance.push_back(r.balance);
    finishes += r.Finished(par) ? 1 : 0;
  }
  // Without input: the play that delivers most.
  const PlayResult* most = &idle.front();
  bool idleFinishes = false;
  for (const PlayResult& r : idle) {
    idleFinishes |= r.Finished(par);
    if (r.delivered > most->delivered) most = &r;
  }
  const bool ok = finishes >= need && !idleFinishes;
  std::printf("%-28s %4d %6d/%-2zu %6d..%-6d %10d  %s (%d, %d)%s\n", name.c_str(), par, finishes,
              plays.size(), *std::min_element(delivered.begin(), delivered.end()),
              Median(delivered), Median(balance), idleFinishes ? "finishes" : "misses",
              most->delivered, most->balance, ok ? "" : "  FAIL");
  std::fflush(stdout);
  return ok;
}

int PlayCommand(const Args& args) {
  PlayOptions o;
  if (!ParseOptions(args, o)) return 2;
  std::vector<std::shared_ptr<const LevelFile>> levels;
  for (const std::string& path : o.files) {
    levels.push_back(ReadLevel(path));
    if (!levels.back()) return 1;
  }
  HeadlessRun run;
  if (!run.Display()) {
    std::fprintf(stderr, "ot-levelgen: %s\n", run.Error().c_str());
    return 2;
  }
  std::printf("%-28s %4s %9s %13s %10s  %s\n", "level", "par", "finishes", "delivered", "balance",
              "idle (most delivered, its balance)");
  int failed = 0;
  for (size_t i = 0; i < levels.size(); ++i) {
    std::vector<PlayResult> plays, idle;
    for (int s = 0; s < o.seeds; ++s)
      plays.push_back(PlayLevel(run.Display(), levels[i], o.first + unsigned(s), o.player));
    for (int s = 0; s < o.idleSeeds; ++s)
      idle.push_back(
          PlayLevel(run.Display(), levels[i], o.first + unsigned(s), Player{Player::kNobody}));
    if (o.writePar) levels[i] = WithPar(*levels[i], o.files[i], plays, idle, o.need, kSuiteSeeds);
    failed += Report(Name(o.files[i]), levels[i]->par, plays, idle, o.need) ? 0 : 1;
  }
  std::printf("%zu levels, %d failed\n", levels.size(), failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace levels
