// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-in until the pack finder lands.
#include <memory>
#include <string>
#include <vector>

#include "game/LevelFile.h"

struct LevelPack {
  std::string id, title, folder;
  int order = 0;
  std::vector<std::shared_ptr<const LevelFile>> levels;
};

std::vector<LevelPack> FindLevelPacks(const std::vector<std::string>& roots);
