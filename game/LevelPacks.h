// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Level packs: folders holding a "pack.index" and the ".level" files it lists. The
// index names the pack, its place among the packs and its levels in play order:
//   ostrel-pack 1
//   title First steps
//   order 1
//   level first-switch
// Packs are found in every sub-folder of each root folder (the installed levels, then
// the player's own). A refused level is logged and left out, the rest of its pack
// still offered; a pack whose index is refused or that keeps no level is logged and
// left out.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/LevelFile.h"

constexpr int kPackIndexVersion = 1;
constexpr size_t kMaxPackIndexBytes = 64 * 1024;
constexpr size_t kMaxPackLevels = 100;
constexpr size_t kMaxPackTitleLength = 64;
constexpr const char* kPackIndexName = "pack.index";

struct LevelPack {
  // The folder name. A folder name that an earlier root already holds gets "@2" (then
  // "@3", ...) added, so a player's pack named like an installed one is a pack of its own.
  std::string id;
  std::string title;
  std::string folder;  // the pack's folder, as found under its root
  int order = 0;       // packs are offered by order, then folder name, then root
  std::vector<std::shared_ptr<const LevelFile>> levels;
};

// What a pack.index says.
struct PackIndex {
  std::string title;
  int order = 0;
  std::vector<std::string> levels;  // file names without ".level", in play order
};

// One parser for the index; a refusal is one line "FILE:LINE: reason" in why.
std::optional<PackIndex> ParsePackIndex(const std::string& text, const std::string& fileName,
                                        std::string& why);

// The pack in one folder; nullopt (logged) when its index is refused or none of its
// levels can be played.
std::optional<LevelPack> ReadLevelPack(const std::string& folder);

// Every pack under the roots, sorted by order, folder name and then root (a missing
// root holds none).
std::vector<LevelPack> FindLevelPacks(const std::vector<std::string>& roots);
