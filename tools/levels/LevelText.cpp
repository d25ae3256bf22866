// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/levels/LevelText.h"

#include <algorithm>
#include <cstdio>

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

namespace {
std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}
}  // namespace

std::string LevelText(const LevelFile& l) {
  std::string t = "ostrel-level 1\n";
  auto line = [&](const char* key, const std::string& value) {
    t += key;
    t += ' ';
    t += value;
    t += '\n';
  };
  line("name", l.name);
  line("description", l.description);
  line("par", std::to_string(l.par));
  line("train-period", Number(l.trainPeriod));
  line("train-cars", std::to_string(l.trainCars));
  line("crash-period", Number(l.crashPeriod));
  line("level-minutes", std::to_string(l.levelMinutes));
  line("crazy-period", Number(l.crazyPeriod));
  line("houses-per-town", std::to_string(l.housesPerTown));
  line("forest-count", std::to_string(l.forestCount));
  line("forest-size", std::to_string(l.forestSize));
  line("background", std::to_string(l.background));
  line("max-towns", std::to_string(l.maxTowns));
  line("loco-min", std::to_string(l.locoMin));
  line("loco-max", std::to_string(l.locoMax));
  line("wave-minutes", Number(l.waveMinutes));
  line("wave-max", Number(l.waveMax));
  line("towns", l.towns);
  line("tracks", l.tracks);
  return t;
}

}  // namespace levels
