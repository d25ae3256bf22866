// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight train and town colours: their names and the shift added to a neutral
// picture to paint it in the colour. A town's houses are given more contrast after
// the shift. Header-only, so the picture generator and its tests use the game's own
// values.
namespace rail {

inline constexpr int kColourCount = 8;
inline constexpr const char* kColourNames[kColourCount] = {"yellow", "red",     "green", "blue",
                                                           "cyan",   "magenta", "black", "white"};
inline constexpr int kColourTints[kColourCount][3] = {{75, 75, 0}, {75, 0, 0},  {0, 75, 0},
                                                      {0, 0, 75},  {0, 75, 75}, {75, 0, 75},
                                                      {0, 0, 0},   {75, 75, 75}};
// The contrast (in steps of 1/128 around level 159) of a town's houses after the shift.
inline constexpr int kHouseContrast = 35;

}  // namespace rail
