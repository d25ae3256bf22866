// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/Commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "game/LevelTable.h"
#include "tools/game/Headless.h"
#include "tools/levels/Generator.h"
#include "tools/levels/LevelPicture.h"
#include "tools/levels/LevelPlay.h"
#include "tools/levels/LevelText.h"
#include "tools/levels/PackList.h"

namespace levels {

namespace {

bool ToInt(const std::string& text, long& out) {
  char* end = nullptr;
  out = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0';
}

std::optional<Layout> LayoutOf(const LevelFile& level, std::string& why) {
  Layout layout;
  if (!ParsePairList(level.towns, layout.towns) || !ParsePairList(level.tracks, layout.tracks)) {
    why = "towns or tracks are not pairs";
    return std::nullopt;
  }
  return layout;
}

std::shared_ptr<const LevelFile> Read(const std::string& path) {
  std::string why;
  std::optional<LevelFile> level = ReadLevelFile(path, why);
  if (!level) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return nullptr;
  }
  return std::make_shared<const LevelFile>(std::move(*level));
}

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
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
  return WriteText(args[2], LevelText(*level)) ? 0 : 1;
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
    if (!WriteText(path, LevelText(*level))) return 1;
    std::printf("%s towns %d tracks %zu\n", path.c_str(), level->maxTowns,
                std::count(level->tracks.begin(), level->tracks.end(), ',') + 0);
    ++written;
  }
  std::printf("%d proposals written\n", written);
  return 0;
}

int CheckCommand(const Args& args) {
  std::map<std::string, std::string> keys;  // layout -> the file or record that has it
  for (int r = kPuzzleOffset; r <= kPuzzleOffset + kLastLevel; ++r) {
    Layout l;
    ParsePairList(Level(r).TownsText, l.towns);
    ParsePairList(Level(r).TracksText, l.tracks);
    keys[l.Key()] = "level record " + std::to_string(r);
  }
  int faults = 0;
  for (const std::string& path : args) {
    std::shared_ptr<const LevelFile> level = Read(path);
    std::string why;
    std::optional<Layout> layout = level ? LayoutOf(*level, why) : std::nullopt;
    if (layout && why.empty()) why = layout->Fault();
    if (layout && why.empty() && !layout->AllReachable()) why = "some town cannot reach another";
    if (layout && why.empty() && static_cast<int>(layout->towns.size()) != level->maxTowns)
      why = "max-towns differs from the towns";
    if (layout && why.empty()) {
      auto [it, fresh] = keys.insert({layout->Key(), path});
      if (!fresh) why = "the same railway as " + it->second;
    }
    if (level && why.empty()) continue;
    std::printf("%s: %s\n", path.c_str(), level ? why.c_str() : "does not read");
    ++faults;
  }
  std::printf("%zu levels checked, %d faulty\n", args.size(), faults);
  return faults == 0 ? 0 : 1;
}

int RenderCommand(const Args& args) {
  if (args.size() != 2) return 2;
  std::shared_ptr<const LevelFile> level = Read(args[0]);
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
  std::vector<PackListing> packs = ListPacks(args[1]);
  return Headless([&](SDL_Surface* display) {
    LevelCamera camera(display);
    std::vector<SheetEntry> entries;
    for (const PackListing& pack : packs)
      for (const std::string& path : pack.levels) {
        std::shared_ptr<const LevelFile> level = Read(path);
        if (!level) continue;
        entries.push_back({pack.id + " / " + level->name, camera.Shoot(level)});
      }
    const bool ok = WriteSheet(entries, 5, out);
    for (SheetEntry& e : entries)
      if (e.picture) cairo_surface_destroy(e.picture);
    std::printf("%zu levels drawn into %s\n", entries.size(), out.c_str());
    return ok ? 0 : 1;
  });
}

}  // namespace levels
