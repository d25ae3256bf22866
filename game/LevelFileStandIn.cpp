// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in pack finder until the real one lands (no checks).
#include <fstream>
#include <map>
#include <sstream>

#include "game/LevelFile.h"

#include <filesystem>

#include "game/LevelPacks.h"

std::vector<LevelPack> FindLevelPacks(const std::vector<std::string>& roots) {
  std::vector<LevelPack> packs;
  for (const std::string& root : roots) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(root, ec)) {
      std::ifstream in(entry.path() / "pack.index");
      if (!in) continue;
      LevelPack pack;
      pack.id = entry.path().filename().string();
      pack.folder = entry.path().string();
      for (std::string line; std::getline(in, line);) {
        std::istringstream ls(line.substr(0, line.find('#')));
        std::string key, rest;
        if (!(ls >> key)) continue;
        std::getline(ls >> std::ws, rest);
        if (key == "title") pack.title = rest;
        if (key == "order") pack.order = std::stoi(rest);
        if (key != "level") continue;
        std::string why;
        auto level = ReadLevelFile((entry.path() / (rest + ".level")).string(), why);
        if (!level) continue;
        level->id = rest;
        pack.levels.push_back(std::make_shared<const LevelFile>(std::move(*level)));
      }
      packs.push_back(std::move(pack));
    }
  }
  return packs;
}
