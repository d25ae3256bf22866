// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelTable.h"

#include <algorithm>

#include "core/ClipTable.h"

namespace {

constexpr LevelParams Empty() { return {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, "", "", 0, 0}; }

// A filled record: every level uses the default landscape and the locomotives up to
// the last type; only the Puzzle levels have their towns and tracks laid out.
constexpr LevelParams Filled(double train, int cars, double crash, int minutes, double crazy,
                             int houses, int forests, int forestSize, int towns, int locoMin,
                             double waveMinutes, double waveMax, const char* townsText = "",
                             const char* tracksText = "") {
  return {train, cars,  crash,   minutes, crazy,     houses,     forests,     forestSize,
          0,     towns, locoMin, -1,      townsText, tracksText, waveMinutes, waveMax};
}

struct Table {
  LevelParams records[kLevelCount];
  constexpr Table() : records{} {
    for (LevelParams& r : records) r = Empty();
    records[0] = Filled(2.5, 6, 1000, 7, 1000, 4, 0, 1, 4, 4, 5, 2);
    records[1] = Filled(1.5, 6, 10, 15, 10, 4, 1, 1, 6, 3, 5, 2);
    records[2] = Filled(1.5, 8, 10, 25, 10, 4, 1, 1, 8, 2, 5, 2);
    records[3] = Filled(2, 9, 3, 10, 3, 4, 1, 3, 4, 2, 5, 2);
    records[4] = Filled(1.5, 8, 10, 25, 10, 5, 1, 2, 5, 2, 10, 1.3);
    records[5] = Filled(1.5, 8, 10, 25, 10, 5, 1, 3, 6, 2, 10, 1.3);
    records[100] =
        Filled(2, 6, 1000, 10, 1000, 6, 0, 2, 3, 4, 5, 1.8, "97,3 17,0 62,2 ",
               "17,1 17,5 18,3 18,4 26,3 33,2 35,3 43,3 52,2 52,4 53,1 54,3 54,4 60,0 60,5 68,0 "
               "75,0 76,2 77,0 81,1 81,5 82,4 83,0 90,0 97,2 98,0 ");
    records[101] =
        Filled(1.5, 7, 5, 10, 5, 6, 0, 2, 4, 4, 5, 1.1, "1,1 14,1 126,2 113,2 ",
               "1,2 1,3 2,1 2,5 3,2 4,1 5,3 9,3 13,2 13,4 18,4 22,0 29,0 29,5 34,5 45,4 50,4 61,5 "
               "66,5 77,4 82,4 93,5 98,5 105,0 109,3 109,4 113,0 113,1 114,3 118,3 122,2 123,1 "
               "124,2 125,1 ");
    records[102] = Filled(
        1.5, 6, 10, 15, 10, 5, 1, 2, 4, 3, 10, 1.3, "46,1 78,2 30,1 94,2 ",
        "4,1 4,5 5,4 20,4 21,5 36,1 37,2 37,3 38,0 43,0 45,2 45,3 49,1 49,5 50,2 51,0 51,5 "
        "54,4 65,2 66,1 67,3 75,3 77,0 77,1 84,2 84,4 85,0 85,1 85,5 86,3 100,5 101,4 116,2 ");
    records[103] = Filled(
        1.5, 9, 1000, 15, 1000, 6, 2, 1, 8, 2, 5, 1.4, "14,0 17,3 33,3 113,0 97,0 30,0 110,3 94,3 ",
        "3,1 4,2 5,1 6,4 10,0 17,2 18,0 18,5 22,0 29,0 29,5 33,3 34,4 38,0 38,5 41,4 45,3 "
        "54,4 57,0 57,5 70,5 73,3 73,4 77,0 77,5 82,4 86,3 93,4 97,0 98,5 105,0 109,1 113,0 "
        "114,2 115,1 116,2 117,0 ");
    records[104] =
        Filled(1.5, 6, 100, 10, 1000, 6, 2, 1, 6, 3, 5, 1.3, "14,2 110,1 46,2 78,1 94,2 30,1",
               "2,1 2,5 3,3 11,3 13,1 14,4 18,4 20,4 21,0 28,0 34,5 36,0 38,0 43,0 45,0 45,1 50,2 "
               "51,0 51,5 53,0 53,5 66,1 66,5 67,3 69,3 75,3 77,2 77,3 82,4 84,3 84,4 86,3 92,3 "
               "94,4 98,5 101,3 107,0 109,2 114,2 115,0 ");
    records[105] =
        Filled(1.4, 8, 100, 15, 100, 6, 3, 3, 4, 3, 10, 1.1, "1,1 14,1 126,2 113,2 ",
               "1,2 1,3 2,1 3,2 4,1 5,3 9,3 13,2 18,3 22,0 26,3 29,0 35,3 37,0 43,3 43,4 44,0 52,0 "
               "52,4 59,0 59,5 68,5 75,0 75,3 83,0 84,3 90,0 92,3 98,0 101,3 105,0 109,3 113,0 "
               "113,1 114,3 118,3 122,2 123,1 124,2 125,1 ");
  }
};

constexpr Table kTable;

constexpr Landscape kLandscapes[3] = {
    {clip::TopForest, clip::BackMain, clip::Trees},
    {clip::TopForestSand, clip::BackMainSand, clip::TreesForSand},
    {clip::TopForestSnow, clip::BackMainSnow, clip::WinterTrees},
};

}  // namespace

const LevelParams& Level(int index) {
  return kTable.records[std::clamp(index, 0, kLevelCount - 1)];
}

int LevelIndex(int levelInType, int gameType) {
  // Clamped first: the level number may come from a damaged saved game.
  const int level = std::clamp(levelInType, -kLevelCount, kLevelCount);
  return std::clamp(level + (gameType == 1 ? kPuzzleOffset : 0), 0, kLevelCount - 1);
}

const Landscape& LandscapeFor(int background) {
  if (background == 1) return kLandscapes[1];
  if (background == 2) return kLandscapes[2];
  return kLandscapes[0];
}
