// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/Commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "game/LevelPacks.h"
#include "tools/game/Headless.h"
#include "tools/levels/Generator.h"
#include "tools/levels/LevelPicture.h"
#include "tools/levels/LevelPlay.h"
#include "tools/levels/LevelText.h"

namespace levels {

namespace {

bool ToInt(const std::string& text, long& out) {
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0';
}

// The proposal of a seed, or nothing when the seed's attempt failed.
std::optional<LevelFile> Proposal(int difficulty, uint32_t seed, int towns = 0, int loops = -1) {
  Shape shape = ShapeFor(difficulty, seed);
  if (towns > 0) shape.towns = towns;
  if (loops >= 0) shape.extraLoops = loops;
  std::optional<Layout> layout = Propose(seed, shape);
  if (!layout) return std::nullopt;
  LevelFile level = Tuned(*layout, difficulty);
  level.name = "Proposal " + std::to_string(difficulty) + "-" + std::to_string(seed);
  level.description = "A proposed layout.";
  level.par = 1;
  return level;
}

// Runs body with the headless game started from the tool's folder (data.dat beside it).
int Headless(const std::function<int(SDL_Surface*)>& body) {
  HeadlessRun run;
  if (!run.Display()) {
    std::fprintf(stderr, "ot-levelgen: %s\n", run.Error().c_str());
    return 2;
  }
  return body(run.Display());
}

std::string Absolute(const std::string& path) { return std::filesystem::absolute(path).string(); }

}  // namespace

int ProposeCommand(const Args& args) {
  long difficulty = 0, seed = 0;
  if (args.size() != 3 || !ToInt(args[0], difficulty) || !ToInt(args[1], seed)) return 2;
  std::optional<LevelFile> level =
      Proposal(static_cast<int>(difficulty), static_cast<uint32_t>(seed));
  if (!level) {
    std::fprintf(stderr, "seed %ld gives no layout; try another\n", seed);
    return 1;
  }
  return WriteLevelText(args[2], *level) ? 0 : 1;
}

int BatchCommand(const Args& args) {
  long difficulty = 0, first = 0, count = 0, towns = 0, loops = -1;
  if (args.size() < 4 || args.size() > 6 || !ToInt(args[0], difficulty) || !ToInt(args[1], first) ||
      !ToInt(args[2], count) || (args.size() > 4 && !ToInt(args[4], towns)) ||
      (args.size() > 5 && !ToInt(args[5], loops)))
    return 2;
  std::filesystem::create_directories(args[3]);
  std::set<std::string> seen;
  int written = 0;
  for (long seed = first; seed < first + count; ++seed) {
    std::optional<LevelFile> level =
        Proposal(static_cast<int>(difficulty), static_cast<uint32_t>(seed), static_cast<int>(towns),
                 static_cast<int>(loops));
    if (!level || !seen.insert(level->towns + "/" + level->tracks).second) continue;
    const std::string path =
        args[3] + "/d" + std::to_string(difficulty) + "-" + std::to_string(seed) + ".level";
    if (!WriteLevelText(path, *level)) return 1;
    std::printf("%s towns %d tracks %zu\n", path.c_str(), level->maxTowns,
                std::count(level->tracks.begin(), level->tracks.end(), ',') + 0);
    ++written;
  }
  std::printf("%d proposals written\n", written);
  return 0;
}

int RenderCommand(const Args& args) {
  if (args.size() != 2) return 2;
  std::shared_ptr<const LevelFile> level = ReadLevel(args[0]);
  if (!level) return 1;
  const std::string out = Absolute(args[1]);
  return Headless([&](SDL_Surface* display) {
    LevelCamera camera(display);
    cairo_surface_t* picture = camera.Shoot(level);
    if (!picture) return 1;
    const bool ok = cairo_surface_write_to_png(picture, out.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(picture);
    return ok ? 0 : 1;
  });
}

int SheetCommand(const Args& args) {
  if (args.size() != 2) return 2;
  const std::string out = Absolute(args[0]);
  const std::vector<LevelPack> packs = FindLevelPacks({Absolute(args[1])});
  return Headless([&](SDL_Surface* display) {
    LevelCamera camera(display);
    std::vector<SheetEntry> entries;
    for (const LevelPack& pack : packs)
      for (size_t i = 0; i < pack.levels.size(); ++i)
        entries.push_back({pack.id + " " + std::to_string(i + 1) + ": " + pack.levels[i]->name,
                           camera.Shoot(pack.levels[i])});
    const bool ok = WriteSheet(entries, 5, out);
    for (SheetEntry& e : entries)
      if (e.picture) cairo_surface_destroy(e.picture);
    std::printf("%zu levels drawn into %s\n", entries.size(), out.c_str());
    return ok ? 0 : 1;
  });
}

}  // namespace levels
