// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ClipTable.h"

namespace {

constexpr ClipDesc Reserved() { return {"", "", 0, false, 0, 0, 0, 0, 0, "", "", "", 200}; }

// Columns: picture, mask, frames, preload, x, y, z, AlignX, AlignY, align text 1,
// align text 2, sequence, period.
constexpr ClipDesc kTable[kClipCount] = {
    {"Dat/Game/kolokol.jpg", "Dat/Game/kolokol.gif", 7, true, 0, 0, -1303, 0, 0, "27,6 25,6 20,6 16,6 14,6 16,6 23,14 ", "", "6,5,4,3,2,1,0,0,1,2,3,4,5,6", 200},  // 0
    {"Dat/Game/font_message.gif", "Dat/Game/font_messageMask.gif", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 1
    {"Dat/Game/fontSmall.gif", "Dat/Game/fontSmallMask.gif", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 2
    {"Dat/Interface/introBG.jpg", "", 1, false, 0, 0, 0, 0, 0, "", "", "", 200},  // 3
    Reserved(),  // 4
    {"Dat/Interface/LogoIntro.tga", "", 1, false, 3, 7, 0, 0, 0, "", "", "", 200},  // 5
    {"Dat/Interface/IntroOstrelGames.tga", "", 1, false, 253, 5, 0, 0, 0, "", "", "", 200},  // 6
    {"Dat/Interface/button_ok.jpg", "Dat/Interface/button_ok.gif", 3, true, 170, 401, 0, 0, 0, "", "", "", 200},  // 7
    {"Dat/Interface/button_next.jpg", "Dat/Interface/button_next.gif", 3, true, 70, 401, 0, 0, 0, "", "", "", 200},  // 8
    Reserved(),  // 9
    {"Dat/Game/top_train_2.jpg", "Dat/Game/top_train_2.gif", 2, false, 13, 25, -1205, 0, 0, "", "", "", 200},  // 10
    {"Dat/Interface/MainWindow/sklad_.tga", "", 1, false, 144, 0, -1215, 0, 0, "", "", "", 200},  // 11
    {"Dat/Interface/MainWindow/top_forest.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 12
    {"Dat/Interface/MainWindow/top_forest_sand.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 13
    {"Dat/Interface/MainWindow/top_forest_snow.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 14
    {"Dat/Interface/MainWindow/top_tube.jpg", "Dat/Interface/MainWindow/top_tube.gif", 1, false, 140, 0, -1216, 0, 0, "", "", "", 200},  // 15
    {"Dat/Interface/MainWindow/tunnel_.tga", "", 1, false, 749, 15, -1208, 0, 0, "", "", "", 200},  // 16
    {"Dat/Interface/MainWindow/DownLine.jpg", "", 1, false, 140, 570, -1200, 0, 0, "", "", "", 200},  // 17
    {"Dat/Interface/MainWindow/right_panel.tga", "", 1, false, 793, 0, -1217, 0, 0, "", "", "", 200},  // 18
    {"Dat/Game/btn_menu.jpg", "Dat/Game/btn_menu.gif", 3, false, 14, 78, -1201, 0, 0, "", "", "", 200},  // 19
    {"Dat/Interface/MainWindow/logo.jpg", "", 3, false, 14, 512, -1201, 0, 0, "", "", "", 200},  // 20
    {"Dat/Interface/MainWindow/ostrelgames.jpg", "", 3, false, 14, 564, -1201, 0, 0, "", "", "", 200},  // 21
    {"Dat/Interface/MainWindow/building_available.tga", "", 1, false, 24, 355, -1301, 0, 0, "", "", "", 200},  // 22
    {"Dat/Interface/MainWindow/puzzle_game_cap.jpg", "", 1, false, 15, 191, -1201, 0, 0, "", "", "", 200},  // 23
    {"Dat/Interface/MainWindow/VertLine.jpg", "", 1, false, 199, 575, -1204, 0, 0, "", "", "", 200},  // 24
    {"Dat/Interface/MainWindow/VertLine.jpg", "", 1, false, 725, 575, -1204, 0, 0, "", "", "", 200},  // 25
    Reserved(),  // 26
    Reserved(),  // 27
    Reserved(),  // 28
    Reserved(),  // 29
    Reserved(),  // 30
    Reserved(),  // 31
    Reserved(),  // 32
    Reserved(),  // 33
    {"Dat/Interface/PickGame/AddBG1.jpg", "Dat/Interface/PickGame/AddBG1.gif", 1, true, 111, 288, 0, 0, 0, "", "", "", 200},  // 34
    {"Dat/Interface/PickGame/AddBG2.jpg", "Dat/Interface/PickGame/AddBG2.gif", 1, true, 112, 58, 0, 0, 0, "", "", "", 200},  // 35
    {"Dat/Interface/PickGame/frame_state.tga", "", 3, false, 64, 86, 0, 0, 0, "", "", "", 200},  // 36
    {"Dat/Interface/PickGame/frame_state.tga", "", 3, false, 64, 315, 0, 0, 0, "", "", "", 200},  // 37
    {"Dat/Interface/PickGame/puzzle_game.jpg", "", 7, false, 65, 87, 0, 0, 0, "", "", "", 200},  // 38
    {"Dat/Interface/PickGame/classic_game.jpg", "", 4, false, 65, 317, 0, 0, 0, "", "", "", 200},  // 39
    {"Dat/Interface/PickGame/Selected.tga", "", 1, false, 0, 0, 0, 0, 0, "", "", "", 200},  // 40
    {"Dat/Interface/Options/AddBG.gif", "Dat/Interface/Options/AddBGMask.gif", 1, true, 55, 75, 0, 0, 0, "", "", "", 200},  // 41
    {"Dat/Interface/button_ok.jpg", "Dat/Interface/button_ok.gif", 3, true, 70, 458, 0, 0, 0, "", "", "", 200},  // 42
    {"Dat/Interface/button_cancel.jpg", "Dat/Interface/button_cancel.gif", 3, true, 219, 458, 0, 0, 0, "", "", "", 200},  // 43
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 188, 190, 0, 0, 0, "", "", "", 200},  // 44
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 188, 235, 0, 0, 0, "", "", "", 200},  // 45
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 233, 283, 0, 0, 0, "", "", "", 200},  // 46
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 233, 317, 0, 0, 0, "", "", "", 200},  // 47
    {"Dat/Interface/Options/slider.jpg", "", 1, true, 187, 125, 0, 0, 0, "", "", "", 200},  // 48
    {"Dat/Interface/Options/slider_handle.tga", "", 2, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 49
    {"Dat/Interface/Options/slider.jpg", "", 1, true, 187, 74, 0, 0, 0, "", "", "", 200},  // 50
    {"Dat/Interface/Options/slider_handle.tga", "", 2, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 51
    Reserved(),  // 52
    Reserved(),  // 53
    Reserved(),  // 54
    {"Dat/Interface/button_ok.jpg", "Dat/Interface/button_ok.gif", 3, true, 70, 121, 0, 0, 0, "", "", "", 200},  // 55
    {"Dat/Interface/button_cancel.jpg", "Dat/Interface/button_cancel.gif", 3, true, 219, 121, 0, 0, 0, "", "", "", 200},  // 56
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 12, 557, 0, 0, 0, "", "", "", 200},  // 57
    {"Dat/Interface/Help/helpBG.jpg", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 58
    {"Dat/Interface/Help/0.jpg", "", 3, true, 258, 32, 0, 0, 0, "", "", "", 200},  // 59
    {"Dat/Interface/Help/1.jpg", "", 2, true, 80, 213, 0, 0, 0, "", "", "", 200},  // 60
    {"Dat/Interface/Help/2.jpg", "", 3, true, 495, 221, 0, 0, 0, "", "", "", 200},  // 61
    {"Dat/Interface/Help/3.jpg", "", 4, true, 107, 405, 0, 0, 0, "", "", "", 200},  // 62
    {"Dat/Interface/Help/4.jpg", "", 2, true, 487, 420, 0, 0, 0, "", "", "", 200},  // 63
    {"Dat/Interface/Help/11.tga", "", 2, true, 23, 238, 0, 0, 0, "", "", "", 200},  // 64
    {"Dat/Interface/Help/12.tga", "", 2, true, 740, 419, 0, 0, 0, "", "", "", 200},  // 65
    {"Dat/Interface/Help/13.tga", "", 2, true, 73, 416, 0, 0, 0, "", "", "", 200},  // 66
    {"Dat/Interface/Help/14.tga", "", 2, true, 702, 231, 0, 0, 0, "", "", "", 200},  // 67
    {"Dat/Interface/btnokGlass.tga", "", 3, true, 643, 560, 0, 0, 0, "", "", "", 200},  // 68
    {"Dat/Interface/Menu/main_menu_frames.tga", "", 3, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 69
    {"Dat/Interface/Menu/red_white_font.tga", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 70
    {"Dat/Interface/NewGame/fontLevelN.tga", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 71
    {"Dat/Interface/NewGame/SelectStartLevel.tga", "", 1, true, 38, 80, -4000, 0, 0, "", "", "", 200},  // 72
    {"Dat/Interface/NewGame/NewGameBtLeft.tga", "", 3, true, 100, 90, 0, 0, 0, "", "", "", 200},  // 73
    {"Dat/Interface/NewGame/NewGameBtRight.tga", "", 3, true, 130, 90, 0, 0, 0, "", "", "", 200},  // 74
    {"Dat/Interface/BigBG.jpg", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 75
    {"Dat/Interface/SmallBG.jpg", "", 1, false, 0, 0, 0, 0, 0, "", "", "", 200},  // 76
    {"Dat/Interface/fontRed.gif", "Dat/Interface/fontRedMask.gif", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 77
    {"Dat/Game/tip_text.tga", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 78
    {"Dat/Game/tip_hide_text.tga", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 79
    {"Dat/Game/TipsArrowLeft.tga", "", 2, true, 0, 0, -2303, -1, 5, "", "", "", 200},  // 80
    {"Dat/Game/TipsArrowRight.tga", "", 2, true, 0, 0, -2303, 27, 5, "", "", "", 200},  // 81
    {"Dat/Game/TipsArrowTop.tga", "", 2, true, 0, 0, -2303, 7, 1, "", "", "", 200},  // 82
    {"Dat/Game/train_out_right.tga", "", 6, true, 0, 0, -1303, 0, 0, "", "", "", 200},  // 83
    {"Dat/Game/train_out_left.tga", "", 6, true, 0, 0, -1303, 0, 0, "", "", "", 200},  // 84
    {"Dat/Game/server_znak.tga", "", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 85
    {"Dat/Game/kolokol.jpg", "Dat/Game/kolokol.gif", 7, true, 0, 0, -1303, 0, 0, "27,6 25,6 20,6 16,6 14,6 16,6 23,14 ", "", "6,5,4,3,2,1,0,0,1,2,3,4,5,6", 200},  // 86
    {"Dat/Game/BackMain.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 87
    {"Dat/Game/BackMainSand.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 88
    {"Dat/Game/BackMainSnow.jpg", "", 1, false, 140, 0, 0, 0, 0, "", "", "", 200},  // 89
    {"Dat/Game/pause.jpg", "Dat/Game/pause.gif", 1, true, 300, 300, -4000, 0, 0, "", "", "", 200},  // 90
    {"Dat/Game/BlockBuild.jpg", "", 2, true, 10, 250, -1201, 0, 0, "", "", "", 200},  // 91
    {"Dat/Game/left_panel.jpg", "Dat/Game/left_panel.gif", 1, false, 0, 0, -1200, 0, 0, "", "", "", 200},  // 92
    {"Dat/Game/btn_build_mode.jpg", "", 1, true, 14, 237, -1201, 0, 0, "", "", "", 200},  // 93
    {"Dat/Game/btn_build_route_middle.jpg", "", 1, true, 14, 237, -1202, 0, 0, "", "", "", 200},  // 94
    {"Dat/Game/Trees.jpg", "Dat/Game/Trees.gif", 12, true, 0, 0, 0, 0, 0, "11,35 14,34 16,35 14,36 17,35 15,35 14,35 14,36 14,36 15,35 18,36 19,33 ", "", "", 200},  // 95
    {"Dat/Game/trees_for_sand.jpg", "Dat/Game/trees_for_sand.gif", 8, true, 0, 0, 0, 0, 0, "16,39 17,39 16,39 16,39 16,39 17,39 17,39 18,39 ", "", "", 200},  // 96
    {"Dat/Game/winter_trees.jpg", "Dat/Game/winter_trees.gif", 10, true, 0, 0, 0, 0, 0, "20,37 18,36 17,36 23,35 17,36 26,35 18,36 17,36 17,37 16,36 ", "", "", 200},  // 97
    {"Dat/Game/znak.jpg", "Dat/Game/znak.gif", 2, true, 0, 0, -1203, 0, 0, "27,45 27,45 ", "", "", 200},  // 98
    {"Dat/Game/Homes.jpg", "Dat/Game/Homes.gif", 6, true, 0, 0, 0, 0, 0, "11,14 9,16 9,15 7,20 8,21 11,14 ", "", "", 200},  // 99
    {"Dat/Game/btn_call_server.jpg", "Dat/Game/btn_call_server.gif", 3, true, 0, 0, -2001, 0, 0, "", "", "", 200},  // 100
    {"Dat/Game/grey_route_mode.jpg", "Dat/Game/grey_route_mode.gif", 1, true, 13, 305, -1204, 0, 0, "", "", "", 200},  // 101
    {"Dat/Game/WaitTrain.jpg", "Dat/Game/WaitTrain.gif", 2, true, 0, 0, -2301, 0, 0, "", "", "", 200},  // 102
    {"Dat/Game/fontBig.gif", "Dat/Game/fontBigMask.gif", 1, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 103
    {"Dat/Game/LeftTrack0.tga", "", 3, true, 39, 465, -1203, 0, 0, "", "", "", 200},  // 104
    {"Dat/Game/LeftTrack1.tga", "", 3, true, 15, 377, -1203, 0, 0, "", "", "", 200},  // 105
    {"Dat/Game/LeftTrack2.tga", "", 3, true, 15, 408, -1203, 0, 0, "", "", "", 200},  // 106
    {"Dat/Game/LeftTrack3.tga", "", 3, true, 39, 428, -1203, 0, 0, "", "", "", 200},  // 107
    {"Dat/Game/LeftTrack4.tga", "", 3, true, 85, 305, -1203, 0, 0, "", "", "", 200},  // 108
    {"Dat/Game/LeftTrack5.tga", "", 3, true, 22, 305, -1203, 0, 0, "", "", "", 200},  // 109
    {"Dat/Game/box.jpg", "Dat/Game/box.gif", 1, true, 0, 0, -1212, 0, 0, "", "", "", 200},  // 110
    {"Dat/Game/box-7.tga", "", 1, true, 0, 0, -1211, 0, 0, "", "", "", 200},  // 111
    {"Dat/Game/nums.jpg", "Dat/Game/nums.gif", 40, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 112
    {"Dat/Game/trackReserved.jpg", "Dat/Game/trackReserved.gif", 6, true, 0, 0, 0, 0, 0, "70,13 6,51 47,13 5,37 31,28 31,62 ", "", "", 200},  // 113
    {"Dat/Game/trackGround.jpg", "Dat/Game/trackGround.gif", 6, true, 0, 0, 0, 0, 0, "70,2 5,39 46,2 4,26 31,17 30,50 ", "", "", 200},  // 114
    {"Dat/Game/TrackShpali.jpg", "Dat/Game/TrackShpali.gif", 6, true, 0, 0, 0, 0, 0, "70,2 5,39 46,2 4,26 31,17 30,50 ", "", "", 200},  // 115
    {"Dat/Game/track.jpg", "Dat/Game/track.gif", 6, true, 0, 0, 0, 0, 0, "70,2 5,39 46,2 4,26 31,17 30,50 ", "", "", 200},  // 116
    {"Dat/Game/trackNo.jpg", "Dat/Game/trackNo.gif", 6, true, 0, 0, 0, 0, 0, "70,2 5,39 46,2 4,26 31,17 30,50 ", "", "", 200},  // 117
    {"Dat/Game/semaphor.tga", "", 12, true, 0, 0, 0, 0, 0, "9,28 9,28 14,28 14,28 14,28 14,28 9,28 9,28 9,28 11,28 11,28 9,28 ", "", "", 200},  // 118
    {"Dat/Game/strelki.tga", "", 24, true, 0, 0, 0, 0, 0, "4,14 4,14 32,30 33,29 33,11 33,12 4,27 4,29 36,26 35,26 6,10 8,9 7,31 7,30 37,14 37,13 5,12 3,10 36,30 37,29 4,30 4,31 36,11 37,11 ", "", "", 200},  // 119
    {"Dat/Game/short_strelki.tga", "", 24, true, 0, 0, 0, 0, 0, "4,14 4,14 32,30 33,29 33,11 33,12 4,27 4,29 36,26 35,26 6,10 8,9 7,31 7,30 37,14 37,13 5,12 3,10 36,30 37,29 4,30 4,31 36,11 37,11 ", "", "", 200},  // 120
    {"Dat/Game/TrainCrash.jpg", "Dat/Game/TrainCrash.gif", 8, true, 0, 0, 0, 0, 0, "", "", "", 200},  // 121
    {"Dat/Game/explosion.jpg", "Dat/Game/explosion.gif", 11, true, 0, 0, 0, 20, 22, "", "", "", 200},  // 122
    {"Dat/Game/explosion2.jpg", "Dat/Game/explosion2.gif", 16, true, 0, 0, 0, 20, 22, "", "", "", 200},  // 123
    {"Dat/Game/parovoz/parovoz_48.jpg", "Dat/Game/parovoz/parovoz_48.gif", 48, true, 0, 0, 0, 26, 27, "", "", "", 200},  // 124
    {"Dat/Game/parovoz/thege.jpg", "Dat/Game/parovoz/thege.gif", 48, true, 0, 0, 0, 28, 28, "", "", "", 200},  // 125
    {"Dat/Game/parovoz/parovoz_48.jpg", "Dat/Game/parovoz/parovoz_48.gif", 48, true, 0, 0, 0, 26, 27, "", "", "", 200},  // 126
    {"Dat/Game/parovoz/thege.jpg", "Dat/Game/parovoz/thege.gif", 48, true, 0, 0, 0, 28, 28, "", "", "", 200},  // 127
    {"Dat/Game/parovoz/2_6_4.jpg", "Dat/Game/parovoz/2_6_4.gif", 48, true, 0, 0, 0, 28, 29, "", "", "", 200},  // 128
    {"Dat/Game/parovoz/vlc75.jpg", "Dat/Game/parovoz/vlc75.gif", 48, true, 0, 0, 0, 28, 27, "", "", "", 200},  // 129
    {"Dat/Game/parovoz/emdsd.jpg", "Dat/Game/parovoz/emdsd.gif", 48, true, 0, 0, 0, 28, 24, "", "", "", 200},  // 130
    {"Dat/Game/parovoz/avenger.jpg", "Dat/Game/parovoz/avenger.gif", 48, true, 0, 0, 0, 31, 23, "", "", "", 200},  // 131
    {"Dat/Game/parovoz/parovoz_shadow_48.jpg", "Dat/Game/parovoz/parovoz_shadow_48.gif", 48, true, 0, 0, 0, 26, 27, "", "", "", 200},  // 132
    {"Dat/Game/parovoz/thege_shadow.jpg", "Dat/Game/parovoz/thege_shadow.gif", 48, true, 0, 0, 0, 28, 28, "", "", "", 200},  // 133
    {"Dat/Game/parovoz/parovoz_shadow_48.jpg", "Dat/Game/parovoz/parovoz_shadow_48.gif", 48, true, 0, 0, 0, 26, 27, "", "", "", 200},  // 134
    {"Dat/Game/parovoz/thege_shadow.jpg", "Dat/Game/parovoz/thege_shadow.gif", 48, true, 0, 0, 0, 28, 28, "", "", "", 200},  // 135
    {"Dat/Game/parovoz/2_6_4_shadow.jpg", "Dat/Game/parovoz/2_6_4_shadow.gif", 48, true, 0, 0, 0, 28, 29, "", "", "", 200},  // 136
    {"Dat/Game/parovoz/vlc75_shadow.jpg", "Dat/Game/parovoz/vlc75_shadow.gif", 48, true, 0, 0, 0, 28, 27, "", "", "", 200},  // 137
    {"Dat/Game/parovoz/emdsd_shadow.jpg", "Dat/Game/parovoz/emdsd_shadow.gif", 48, true, 0, 0, 0, 28, 24, "", "", "", 200},  // 138
    {"Dat/Game/parovoz/avenger_shadow.jpg", "Dat/Game/parovoz/avenger_shadow.gif", 48, true, 0, 0, 0, 31, 23, "", "", "", 200},  // 139
    {"Dat/Game/parovoz/Server.jpg", "Dat/Game/parovoz/Server.gif", 48, true, 0, 0, 0, 25, 25, "", "", "", 200},  // 140
    {"Dat/Game/parovoz/server_shadow.jpg", "Dat/Game/parovoz/server_shadow.gif", 48, true, 0, 0, 0, 25, 25, "", "", "", 200},  // 141
    {"Dat/Game/parovoz/vagon_cargo_48.tga", "", 48, true, 0, 0, 0, 17, 20, "", "", "", 200},  // 142
    {"Dat/Game/parovoz/cargo_v2.jpg", "Dat/Game/parovoz/cargo_v2.gif", 48, true, 0, 0, 0, 26, 29, "", "", "", 200},  // 143
    {"Dat/Game/parovoz/pst_vagon.jpg", "Dat/Game/parovoz/pst_vagon.gif", 48, true, 0, 0, 0, 23, 25, "", "", "", 200},  // 144
    {"Dat/Game/parovoz/boxcar.jpg", "Dat/Game/parovoz/boxcar.gif", 48, true, 0, 0, 0, 27, 26, "", "", "", 200},  // 145
    {"Dat/Game/parovoz/goodswagon.jpg", "Dat/Game/parovoz/goodswagon.gif", 48, true, 0, 0, 0, 31, 25, "", "", "", 200},  // 146
    {"Dat/Game/parovoz/vagon_cargo_shadow_48.tga", "", 48, true, 0, 0, 0, 20, 20, "", "", "", 200},  // 147
    {"Dat/Game/parovoz/cargo_v2_shadow.jpg", "Dat/Game/parovoz/cargo_v2_shadow.gif", 48, true, 0, 0, 0, 26, 26, "", "", "", 200},  // 148
    {"Dat/Game/parovoz/pst_vagon_shadow.jpg", "Dat/Game/parovoz/pst_vagon_shadow.gif", 48, true, 0, 0, 0, 23, 25, "", "", "", 200},  // 149
    {"Dat/Game/parovoz/boxcar_shadow.jpg", "Dat/Game/parovoz/boxcar_shadow.gif", 48, true, 0, 0, 0, 27, 26, "", "", "", 200},  // 150
    {"Dat/Game/parovoz/goodswagon_shadow.jpg", "Dat/Game/parovoz/goodswagon_shadow.gif", 48, true, 0, 0, 0, 31, 25, "", "", "", 200},  // 151
    {"Dat/Game/ColourBadges.tga", "", 9, true, 0, 0, 0, 7, 7, "", "", "", 200},  // 152
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 233, 351, 0, 0, 0, "", "", "", 200},  // 153
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 233, 385, 0, 0, 0, "", "", "", 200},  // 154
    {"Dat/Interface/Options/chckbox.jpg", "", 6, true, 233, 419, 0, 0, 0, "", "", "", 200},  // 155
    {"Dat/Game/LockMark.tga", "", 1, true, 0, 0, 0, 8, 13, "", "", "", 200},  // 156
    {"Dat/Game/SelectRing.tga", "", 1, true, 0, 0, 0, 17, 17, "", "", "", 200},  // 157
    {"Dat/Game/HintMark.tga", "", 4, true, 0, 0, 0, 22, 22, "", "", "", 200},  // 158
};

}  // namespace

const ClipDesc* GetClipDesc(int index) {
  if (index < 0 || index >= kClipCount) return nullptr;
  return &kTable[index];
}
