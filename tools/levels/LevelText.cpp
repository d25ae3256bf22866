// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/LevelText.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace levels {

LevelFile Tuned(const Layout& layout, int difficulty) {
  LevelFile l;
  l.towns = layout.TownsText();
  l.tracks = layout.TracksText();
  l.maxTowns = static_cast<int>(layout.towns.size());
  switch (std::clamp(difficulty, 1, 4)) {
    case 1:
      l.trainPeriod = 2.5, l.trainCars = 4, l.levelMinutes = 5;
      l.crashPeriod = 1000, l.crazyPeriod = 1000, l.housesPerTown = 4;
      l.forestCount = 0, l.forestSize = 1, l.locoMin = 4, l.waveMinutes = 5, l.waveMax = 1.5;
      break;
    case 2:
      l.trainPeriod = 2, l.trainCars = 6, l.levelMinutes = 8;
      l.crashPeriod = 1000, l.crazyPeriod = 1000, l.housesPerTown = 5;
      l.forestCount = 1, l.forestSize = 1, l.locoMin = 4, l.waveMinutes = 5, l.waveMax = 1.5;
      break;
    case 3:
      l.trainPeriod = 1.6, l.trainCars = 7, l.levelMinutes = 10;
      l.crashPeriod = 10, l.crazyPeriod = 10, l.housesPerTown = 5;
      l.forestCount = 1, l.forestSize = 2, l.locoMin = 3, l.waveMinutes = 5, l.waveMax = 1.3;
      break;
    default:
      l.trainPeriod = 1.3, l.trainCars = 8, l.levelMinutes = 12;
      l.crashPeriod = 8, l.crazyPeriod = 8, l.housesPerTown = 6;
      l.forestCount = 2, l.forestSize = 2, l.locoMin = 3, l.waveMinutes = 8, l.waveMax = 1.2;
      break;
  }
  return l;
}

std::shared_ptr<const LevelFile> ReadLevel(const std::string& path) {
  std::string why;
  std::optional<LevelFile> level = ReadLevelFile(path, why);
  if (!level) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return nullptr;
  }
  return std::make_shared<const LevelFile>(std::move(*level));
}

bool WriteLevelText(const std::string& path, const LevelFile& level) {
  std::ofstream out(path, std::ios::binary);
  out << FormatLevelFile(level);
  return static_cast<bool>(out);
}

}  // namespace levels
