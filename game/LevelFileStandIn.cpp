// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in reader of level files until the real parser lands (no checks).
#include <fstream>
#include <map>
#include <sstream>

#include "game/LevelFile.h"

std::optional<LevelFile> ReadLevelFile(const std::string& path, std::string& why) {
  std::ifstream in(path);
  if (!in) {
    why = path + ":0: cannot be read";
    return std::nullopt;
  }
  std::map<std::string, std::string> v;
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('#'));
    std::istringstream ls(line);
    std::string key, rest;
    if (!(ls >> key)) continue;
    std::getline(ls >> std::ws, rest);
    while (!rest.empty() && rest.back() == ' ') rest.pop_back();
    v[key] = rest;
  }
  LevelFile l;
  l.path = path;
  l.name = v["name"];
  l.par = std::stoi(v["par"]);
  l.trainPeriod = std::stod(v["train-period"]);
  l.trainCars = std::stoi(v["train-cars"]);
  l.crashPeriod = std::stod(v["crash-period"]);
  l.levelMinutes = std::stoi(v["level-minutes"]);
  l.crazyPeriod = std::stod(v["crazy-period"]);
  l.housesPerTown = std::stoi(v["houses-per-town"]);
  l.forestCount = std::stoi(v["forest-count"]);
  l.forestSize = std::stoi(v["forest-size"]);
  l.background = std::stoi(v["background"]);
  l.maxTowns = std::stoi(v["max-towns"]);
  l.locoMin = std::stoi(v["loco-min"]);
  l.locoMax = std::stoi(v["loco-max"]);
  l.waveMinutes = std::stod(v["wave-minutes"]);
  l.waveMax = std::stod(v["wave-max"]);
  l.towns = v["towns"];
  l.tracks = v["tracks"];
  l.contentHash = "0000000000000000";
  return l;
}

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
