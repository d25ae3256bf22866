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

namespace levels {

namespace {

struct PlayOptions {
  int seeds = 3;
  unsigned first = 1;
  int need = -1;  // finishes wanted; all seeds when not given
  int idleSeeds = 1;
  std::vector<std::string> files;
};

bool ParseOptions(const Args& args, PlayOptions& o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--seeds" && hasValue) {
      o.seeds = std::atoi(args[++i].c_str());
    } else if (args[i] == "--first" && hasValue) {
      o.first = static_cast<unsigned>(std::atol(args[++i].c_str()));
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

int PlayCommand(const Args& args) {
  PlayOptions o;
  if (!ParseOptions(args, o)) return 2;
  std::vector<std::shared_ptr<const LevelFile>> levels;
  for (const std::string& path : o.files) {
    std::string why;
    std::optional<LevelFile> level = ReadLevelFile(path, why);
    if (!level) {
      std::fprintf(stderr, "%s\n", why.c_str());
      return 1;
    }
    levels.push_back(std::make_shared<const LevelFile>(std::move(*level)));
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
    const LevelFile& level = *levels[i];
    std::vector<int> delivered, balance;
    int finishes = 0;
    for (int s = 0; s < o.seeds; ++s) {
      PlayResult r = PlayLevel(run.Display(), levels[i], o.first + static_cast<unsigned>(s), true);
      delivered.push_back(r.delivered);
      balance.push_back(r.balance);
      finishes += r.Finished(level.par) ? 1 : 0;
    }
    // Without input: the seed that delivers most.
    PlayResult idle;
    bool idleFinishes = false;
    for (int s = 0; s < o.idleSeeds; ++s) {
      PlayResult r = PlayLevel(run.Display(), levels[i], o.first + static_cast<unsigned>(s), false);
      idleFinishes |= r.Finished(level.par);
      if (s == 0 || r.delivered > idle.delivered) idle = r;
    }
    const bool ok = finishes >= o.need && !idleFinishes;
    failed += ok ? 0 : 1;
    std::printf("%-28s %4d %6d/%-2d %6d..%-6d %10d  %s (%d, %d)%s\n", Name(o.files[i]).c_str(),
                level.par, finishes, o.seeds, *std::min_element(delivered.begin(), delivered.end()),
                Median(delivered), Median(balance), idleFinishes ? "finishes" : "misses",
                idle.delivered, idle.balance, ok ? "" : "  FAIL");
    std::fflush(stdout);
  }
  std::printf("%zu levels, %d failed\n", levels.size(), failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace levels
