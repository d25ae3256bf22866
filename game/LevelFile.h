// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A level read from a level file (stand-in until the parser lands).
#include <optional>
#include <string>

#include "game/LevelTable.h"

struct LevelFile {
  std::string id;
  std::string path;
  std::string name;
  std::string description;
  int par = 0;
  double trainPeriod = 3, crashPeriod = 1000, crazyPeriod = 1000, waveMinutes = 5, waveMax = 1.5;
  int trainCars = 4, levelMinutes = 5, housesPerTown = 4, forestCount = 0, forestSize = 1,
      background = 0, maxTowns = 2, locoMin = 4, locoMax = -1;
  std::string towns, tracks;
  std::string contentHash;
  LevelParams Params() const {
    return {trainPeriod,   trainCars,      crashPeriod, levelMinutes, crazyPeriod, housesPerTown,
            forestCount,   forestSize,     background,  maxTowns,     locoMin,     locoMax,
            towns.c_str(), tracks.c_str(), waveMinutes, waveMax};
  }
};

std::optional<LevelFile> ReadLevelFile(const std::string& path, std::string& why);
