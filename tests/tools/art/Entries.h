// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library entries the art generator draws for the railway and the field: picture,
// mask, frame count and the frame size the game's layout asks for.
#include <string>
#include <vector>

#include "ids/ClipIds.h"

namespace arttest {

struct Entry {
  int index;
  std::string picture, mask;
  int frames, frameW, frameH;
};

inline std::string Loco(const std::string& stem) { return "Dat/Game/parovoz/" + stem; }

inline const std::vector<Entry>& FieldEntries() {
  static const std::vector<Entry> entries = {
      {0, "Dat/Game/kolokol.jpg", "Dat/Game/kolokol.gif", 7, 42, 34},
      {10, "Dat/Game/top_train_2.jpg", "Dat/Game/top_train_2.gif", 2, 56, 24},
      {11, "Dat/Interface/MainWindow/sklad_.tga", "", 1, 76, 50},
      {12, "Dat/Interface/MainWindow/top_forest.jpg", "", 1, 660, 50},
      {13, "Dat/Interface/MainWindow/top_forest_sand.jpg", "", 1, 660, 50},
      {14, "Dat/Interface/MainWindow/top_forest_snow.jpg", "", 1, 660, 50},
      {15, "Dat/Interface/MainWindow/top_tube.jpg", "Dat/Interface/MainWindow/top_tube.gif", 1, 660,
       50},
      {16, "Dat/Interface/MainWindow/tunnel_.tga", "", 1, 44, 35},
      {17, "Dat/Interface/MainWindow/DownLine.jpg", "", 1, 660, 30},
      {18, "Dat/Interface/MainWindow/right_panel.tga", "", 1, 7, 600},
      {24, "Dat/Interface/MainWindow/VertLine.jpg", "", 1, 4, 22},
      {83, "Dat/Game/train_out_right.tga", "", 6, 44, 40},
      {84, "Dat/Game/train_out_left.tga", "", 6, 44, 40},
      {85, "Dat/Game/server_znak.tga", "", 1, 21, 21},
      {86, "Dat/Game/kolokol.jpg", "Dat/Game/kolokol.gif", 7, 42, 34},
      {87, "Dat/Game/BackMain.jpg", "", 1, 660, 600},
      {88, "Dat/Game/BackMainSand.jpg", "", 1, 660, 600},
      {89, "Dat/Game/BackMainSnow.jpg", "", 1, 660, 600},
      {95, "Dat/Game/Trees.jpg", "Dat/Game/Trees.gif", 12, 36, 40},
      {96, "Dat/Game/trees_for_sand.jpg", "Dat/Game/trees_for_sand.gif", 8, 40, 44},
      {97, "Dat/Game/winter_trees.jpg", "Dat/Game/winter_trees.gif", 10, 48, 42},
      {98, "Dat/Game/znak.jpg", "Dat/Game/znak.gif", 2, 54, 50},
      {99, "Dat/Game/Homes.jpg", "Dat/Game/Homes.gif", 6, 36, 36},
      {100, "Dat/Game/btn_call_server.jpg", "Dat/Game/btn_call_server.gif", 3, 50, 16},
      {102, "Dat/Game/WaitTrain.jpg", "Dat/Game/WaitTrain.gif", 2, 28, 30},
      {110, "Dat/Game/box.jpg", "Dat/Game/box.gif", 1, 9, 7},
      {111, "Dat/Game/box-7.tga", "", 1, 63, 7},
      {113, "Dat/Game/trackReserved.jpg", "Dat/Game/trackReserved.gif", 6, 118, 80},
      {114, "Dat/Game/trackGround.jpg", "Dat/Game/trackGround.gif", 6, 118, 68},
      {115, "Dat/Game/TrackShpali.jpg", "Dat/Game/TrackShpali.gif", 6, 118, 68},
      {116, "Dat/Game/track.jpg", "Dat/Game/track.gif", 6, 118, 68},
      {117, "Dat/Game/trackNo.jpg", "Dat/Game/trackNo.gif", 6, 118, 68},
      {118, "Dat/Game/semaphor.tga", "", 12, 24, 34},
      {119, "Dat/Game/strelki.tga", "", 24, 44, 42},
      {120, "Dat/Game/short_strelki.tga", "", 24, 44, 42},
      {121, "Dat/Game/TrainCrash.jpg", "Dat/Game/TrainCrash.gif", 8, 48, 40},
      {122, "Dat/Game/explosion.jpg", "Dat/Game/explosion.gif", 11, 40, 44},
      {123, "Dat/Game/explosion2.jpg", "Dat/Game/explosion2.gif", 16, 40, 44},
      {124, Loco("parovoz_48.jpg"), Loco("parovoz_48.gif"), 48, 52, 54},
      {125, Loco("thege.jpg"), Loco("thege.gif"), 48, 56, 56},
      {128, Loco("2_6_4.jpg"), Loco("2_6_4.gif"), 48, 56, 58},
      {129, Loco("vlc75.jpg"), Loco("vlc75.gif"), 48, 56, 54},
      {130, Loco("emdsd.jpg"), Loco("emdsd.gif"), 48, 56, 48},
      {131, Loco("avenger.jpg"), Loco("avenger.gif"), 48, 62, 46},
      {132, Loco("parovoz_shadow_48.jpg"), Loco("parovoz_shadow_48.gif"), 48, 52, 54},
      {133, Loco("thege_shadow.jpg"), Loco("thege_shadow.gif"), 48, 56, 56},
      {136, Loco("2_6_4_shadow.jpg"), Loco("2_6_4_shadow.gif"), 48, 56, 58},
      {137, Loco("vlc75_shadow.jpg"), Loco("vlc75_shadow.gif"), 48, 56, 54},
      {138, Loco("emdsd_shadow.jpg"), Loco("emdsd_shadow.gif"), 48, 56, 48},
      {139, Loco("avenger_shadow.jpg"), Loco("avenger_shadow.gif"), 48, 62, 46},
      {140, Loco("Server.jpg"), Loco("Server.gif"), 48, 50, 50},
      {141, Loco("server_shadow.jpg"), Loco("server_shadow.gif"), 48, 50, 50},
      {142, Loco("vagon_cargo_48.tga"), "", 48, 34, 40},
      {143, Loco("cargo_v2.jpg"), Loco("cargo_v2.gif"), 48, 52, 58},
      {144, Loco("pst_vagon.jpg"), Loco("pst_vagon.gif"), 48, 46, 50},
      {145, Loco("boxcar.jpg"), Loco("boxcar.gif"), 48, 54, 52},
      {146, Loco("goodswagon.jpg"), Loco("goodswagon.gif"), 48, 62, 50},
      {147, Loco("vagon_cargo_shadow_48.tga"), "", 48, 40, 40},
      {148, Loco("cargo_v2_shadow.jpg"), Loco("cargo_v2_shadow.gif"), 48, 52, 52},
      {149, Loco("pst_vagon_shadow.jpg"), Loco("pst_vagon_shadow.gif"), 48, 46, 50},
      {150, Loco("boxcar_shadow.jpg"), Loco("boxcar_shadow.gif"), 48, 54, 52},
      {151, Loco("goodswagon_shadow.jpg"), Loco("goodswagon_shadow.gif"), 48, 62, 50},
      {clip::LockMark, "Dat/Game/LockMark.tga", "", 1, 18, 21},
  };
  return entries;
}

}  // namespace arttest

#include <ostream>

namespace arttest {
// Test names and failure messages show the picture, not the bytes of the record.
inline void PrintTo(const Entry& e, std::ostream* os) { *os << e.index << " " << e.picture; }
}  // namespace arttest
