// SPDX-License-Identifier: GPL-3.0-or-later
// "check": level files that read, lay out on the field, let every town reach every
// other and differ from each other and from the built-in levels; with a folder, also
// that every level file there is played by a pack.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "core/ClipTable.h"
#include "game/LevelPacks.h"
#include "game/LevelTable.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"
#include "tools/levels/Commands.h"
#include "tools/levels/Layout.h"
#include "tools/levels/LevelText.h"

namespace levels {

namespace {

std::optional<Layout> LayoutOf(const LevelFile& level, std::string& why) {
  Layout layout;
  if (!ParsePairList(level.towns, layout.towns) || !ParsePairList(level.tracks, layout.tracks)) {
    why = "towns or tracks are not pairs";
    return std::nullopt;
  }
  return layout;
}

// Lays the level on a railway-only field as a level begins; false unless every town and
// every track is there.
bool Lays(const LevelFile& level) {
  const LevelParams params = level.Params();
  QuietFieldHost host(50);
  HeadlessSprites sprites;
  Field field(&sprites, &host);
  if (!RebuildLevel(field, params.TownsText, params.TracksText, NoForest(), {}, clip::Trees))
    return false;
  const size_t tracks = ParsePairs(params.TracksText).size() + ParsePairs(params.TownsText).size();
  return static_cast<int>(field.Towns().size()) == params.MaxTowns &&
         field.Tracks().size() == tracks;
}

std::string Absolute(const std::string& path) { return std::filesystem::absolute(path).string(); }

// With a folder: the packs under it, and every level file there must be one a pack plays.
int CheckPacks(const std::string& root, std::vector<std::string>& files) {
  namespace fs = std::filesystem;
  std::set<std::string> played;
  for (const LevelPack& pack : FindLevelPacks({Absolute(root)})) {
    std::printf("pack %s \"%s\": %zu levels\n", pack.id.c_str(), pack.title.c_str(),
                pack.levels.size());
    for (const auto& level : pack.levels) played.insert(fs::canonical(level->path).string());
  }
  int faults = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (e.path().extension() != ".level") continue;
    files.push_back(e.path().string());
    if (played.count(fs::canonical(e.path()).string())) continue;
    std::printf("%s: no pack plays it\n", e.path().c_str());
    ++faults;
  }
  std::sort(files.begin(), files.end());
  return faults;
}

}  // namespace

int CheckCommand(const Args& given) {
  Args args = given;
  int faults = 0;
  if (args.size() == 1 && std::filesystem::is_directory(args[0])) {
    const std::string root = args[0];
    args.clear();
    faults = CheckPacks(root, args);
  }
  std::map<std::string, std::string> keys;  // layout -> the file or record that has it
  for (int r = kPuzzleOffset; r <= kPuzzleOffset + kLastLevel; ++r) {
    Layout l;
    ParsePairList(Level(r).TownsText, l.towns);
    ParsePairList(Level(r).TracksText, l.tracks);
    keys[l.Key()] = "level record " + std::to_string(r);
  }
  for (const std::string& path : args) {
    std::shared_ptr<const LevelFile> level = ReadLevel(path);
    std::string why;
    std::optional<Layout> layout = level ? LayoutOf(*level, why) : std::nullopt;
    if (layout && why.empty()) why = layout->Fault();
    if (layout && why.empty() && !layout->AllReachable()) why = "some town cannot reach another";
    if (layout && why.empty() && !Lays(*level)) why = "does not lay out on the field";
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

}  // namespace levels
