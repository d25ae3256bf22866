// SPDX-License-Identifier: GPL-3.0-or-later
// The data the field preview needs to place pictures as the game does: the first Puzzle
// level's layout, the anchors of the library pictures, the town tints and a few trains.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace art {

struct Anchor {
  int x, y;
};

inline const char* kLevelTowns = "97,3 17,0 62,2 ";
inline const char* kLevelTracks =
    "17,1 17,5 18,3 18,4 26,3 33,2 35,3 43,3 52,2 52,4 53,1 54,3 54,4 60,0 60,5 68,0 75,0 76,2 "
    "77,0 81,1 81,5 "
    "82,4 83,0 90,0 97,2 98,0 ";

inline const std::array<Anchor, 6> kTrackAnchors = {
    {{70, 2}, {5, 39}, {46, 2}, {4, 26}, {31, 17}, {30, 50}}};
inline const std::array<Anchor, 24> kSwitchAnchors = {
    {{4, 14},  {4, 14},  {32, 30}, {33, 29}, {33, 11}, {33, 12}, {4, 27},  {4, 29},
     {36, 26}, {35, 26}, {6, 10},  {8, 9},   {7, 31},  {7, 30},  {37, 14}, {37, 13},
     {5, 12},  {3, 10},  {36, 30}, {37, 29}, {4, 30},  {4, 31},  {36, 11}, {37, 11}}};
inline const std::array<Anchor, 12> kSignalAnchors = {{{9, 28},
                                                       {9, 28},
                                                       {14, 28},
                                                       {14, 28},
                                                       {14, 28},
                                                       {14, 28},
                                                       {9, 28},
                                                       {9, 28},
                                                       {9, 28},
                                                       {11, 28},
                                                       {11, 28},
                                                       {9, 28}}};
inline const int kSignalBase[4] = {6, 0, 2, 4};
inline const int kSignalOffsets[4][2] = {{-2, -6}, {12, -1}, {15, 8}, {-14, 6}};
inline const std::array<Anchor, 6> kHouseAnchors = {
    {{11, 14}, {9, 16}, {9, 15}, {7, 20}, {8, 21}, {11, 14}}};
inline const std::array<Anchor, 12> kTreeAnchors = {{{11, 35},
                                                     {14, 34},
                                                     {16, 35},
                                                     {14, 36},
                                                     {17, 35},
                                                     {15, 35},
                                                     {14, 35},
                                                     {14, 36},
                                                     {14, 36},
                                                     {15, 35},
                                                     {18, 36},
                                                     {19, 33}}};

// Switch frame of an (active, another) pair; other pairs show frame 0.
inline int SwitchFrame(int active, int another) {
  static const int pairs[24][2] = {{3, 2},  {2, 3},  {9, 10}, {10, 9}, {6, 5}, {5, 6},
                                   {0, 1},  {1, 0},  {9, 8},  {8, 9},  {3, 4}, {4, 3},
                                   {0, 11}, {11, 0}, {6, 7},  {7, 6},  {4, 2}, {2, 4},
                                   {8, 10}, {10, 8}, {11, 1}, {1, 11}, {5, 7}, {7, 5}};
  for (int f = 0; f < 24; ++f)
    if (pairs[f][0] == active && pairs[f][1] == another) return f;
  return 0;
}

struct Vehicle {
  std::string picture, shadow;
  Anchor anchor, shadowAnchor;
  int length;  // track units
};

inline const std::vector<Vehicle> kVehicles = {
    {"Dat/Game/parovoz/parovoz_48.jpg",
     "Dat/Game/parovoz/parovoz_shadow_48.jpg",
     {26, 27},
     {26, 27},
     36},
    {"Dat/Game/parovoz/thege.jpg", "Dat/Game/parovoz/thege_shadow.jpg", {28, 28}, {28, 28}, 52},
    {"Dat/Game/parovoz/2_6_4.jpg", "Dat/Game/parovoz/2_6_4_shadow.jpg", {28, 29}, {28, 29}, 38},
    {"Dat/Game/parovoz/vlc75.jpg", "Dat/Game/parovoz/vlc75_shadow.jpg", {28, 27}, {28, 27}, 40},
    {"Dat/Game/parovoz/emdsd.jpg", "Dat/Game/parovoz/emdsd_shadow.jpg", {28, 24}, {28, 24}, 42},
    {"Dat/Game/parovoz/avenger.jpg", "Dat/Game/parovoz/avenger_shadow.jpg", {31, 23}, {31, 23}, 47},
    {"Dat/Game/parovoz/Server.jpg", "Dat/Game/parovoz/server_shadow.jpg", {25, 25}, {25, 25}, 52},
    {"Dat/Game/parovoz/vagon_cargo_48.tga",
     "Dat/Game/parovoz/vagon_cargo_shadow_48.tga",
     {17, 20},
     {20, 20},
     35},
    {"Dat/Game/parovoz/cargo_v2.jpg",
     "Dat/Game/parovoz/cargo_v2_shadow.jpg",
     {26, 29},
     {26, 26},
     37},
    {"Dat/Game/parovoz/pst_vagon.jpg",
     "Dat/Game/parovoz/pst_vagon_shadow.jpg",
     {23, 25},
     {23, 25},
     30},
    {"Dat/Game/parovoz/boxcar.jpg", "Dat/Game/parovoz/boxcar_shadow.jpg", {27, 26}, {27, 26}, 30},
    {"Dat/Game/parovoz/goodswagon.jpg",
     "Dat/Game/parovoz/goodswagon_shadow.jpg",
     {31, 25},
     {31, 25},
     50},
};

struct PreviewTrain {
  int colour;  // -1: untinted (repair train)
  int junction, direction;
  double head;            // position of the locomotive's centre
  std::vector<int> cars;  // indexes into kVehicles, locomotive first
};

inline const std::vector<PreviewTrain> kPreviewTrains = {
    {1, 52, 4, 95, {2, 9, 9}}, {0, 17, 1, 100, {5, 11}}, {3, 81, 5, 100, {4, 10, 10}},
    {2, 26, 3, 50, {3, 7}},    {-1, 60, 0, 35, {6}},     {6, 77, 0, 40, {1}},
    {7, 90, 0, 52, {0, 8}},    {4, 54, 4, 90, {3, 8}},   {5, 33, 2, 80, {1, 10}},
};

}  // namespace art
