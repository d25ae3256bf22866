// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PackRoots.h"

namespace {

std::vector<std::string>& Roots() {
  static std::vector<std::string> roots{"levels"};
  return roots;
}

}  // namespace

const std::vector<std::string>& LevelPackRoots() { return Roots(); }

void SetLevelPackRoots(std::vector<std::string> roots) { Roots() = std::move(roots); }

FoundPackLevel FindPackLevel(const std::vector<LevelPack>& packs, const std::string& packId,
                             const std::string& levelId) {
  for (const LevelPack& pack : packs) {
    if (pack.id != packId) continue;
    for (size_t i = 0; i < pack.levels.size(); ++i) {
      if (pack.levels[i] && pack.levels[i]->id == levelId) return {pack.levels[i], i};
    }
  }
  return {};
}
