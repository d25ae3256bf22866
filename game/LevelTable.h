// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level table: 150 records indexed by level number within the game type (the
// Puzzle game adds 100); only records 0..5 and 100..105 are filled. Also the text
// form of a level's towns and tracks, and the three landscape sets.
#include <string>
#include <vector>

#include "railway/LevelRestore.h"

struct LevelParams {
  double TrainPeriod;  // mean minutes between new ordinary trains
  int TrainCars;       // car counts are drawn from 0..TrainCars-1
  double CrashPeriod;  // mean minutes between track damages
  int LevelMinutes;
  double CrazyPeriod;  // mean minutes between crazy trains
  int HousesPerTown;
  int ForestCount;
  int ForestSize;
  int Background;  // 1 sand, 2 snow, anything else the default set
  int MaxTowns;
  int LocoMin;  // below 0 counts as 0
  int LocoMax;  // one above the highest locomotive type; -1 means 8
  const char* TownsText;
  const char* TracksText;
  double WaveMinutes;
  double WaveMax;
};

constexpr int kLevelCount = 150;
constexpr int kPuzzleOffset = 100;
// Levels of one game: a game type has five levels in a row; the sixth record is
// reached only by starting a new game there.
constexpr int kLevelsPerGame = 5;
constexpr int kLastLevel = 5;  // the highest 0-based level a new game can start at

// The record of index, clamped to 0..149.
const LevelParams& Level(int index);
// The record index of a level (0-based, within the type) of game type 0 (Classic)
// or 1 (Puzzle), clamped to the table.
int LevelIndex(int levelInType, int gameType);

// The pictures of a landscape: the top bar's forest, the field's ground and the trees.
struct Landscape {
  int top;
  int background;
  int trees;
};
const Landscape& LandscapeFor(int background);
