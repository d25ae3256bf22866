// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game looks for level packs, and a level found again by its pack and id.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/LevelPacks.h"

// The folders holding level packs: the installed data's "levels" and the player's own
// "levels" (relative to the working folder). Only "levels" until the program sets them.
const std::vector<std::string>& LevelPackRoots();
void SetLevelPackRoots(std::vector<std::string> roots);

// A level of a pack and its place there.
struct FoundPackLevel {
  std::shared_ptr<const LevelFile> level;
  size_t index = 0;  // 0-based within the pack
};

// The level levelId of the pack packId among packs; no level when either is missing.
FoundPackLevel FindPackLevel(const std::vector<LevelPack>& packs, const std::string& packId,
                             const std::string& levelId);
