// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed table of clip descriptions by which every part of the game names its
// pictures: an entry number selects the picture file, its mask, the frame count,
// the start position and depth, the anchors and the animation.
#include <cstdint>

struct ClipDesc {
  const char* Picture;    // picture file; empty for a reserved entry
  const char* Mask;       // mask file; empty when the picture needs none
  int32_t iNumberFrames;
  bool Preload;           // loaded and kept as a template at start-up
  int32_t x, y, z;
  int32_t AlignX, AlignY;  // default anchor when no align text is given
  const char* AlignText1;
  const char* AlignText2;
  const char* SequenceText;
  int32_t Period;
};

constexpr int kClipCount = 154;

// The description of entry index (0 .. kClipCount - 1); nullptr outside that range.
const ClipDesc* GetClipDesc(int index);

// Entries of the table by name.
namespace clip {
constexpr int Bell = 0;
constexpr int FontMessage = 1;
constexpr int FontSmall = 2;
constexpr int IntroBackground = 3;
constexpr int IntroLogo = 5;
constexpr int IntroMaker = 6;
constexpr int IntroOk = 7;
constexpr int ButtonNext = 8;
constexpr int TopTrain = 10;
constexpr int Warehouse = 11;
constexpr int TopForest = 12;
constexpr int TopForestSand = 13;
constexpr int TopForestSnow = 14;
constexpr int TopTube = 15;
constexpr int Tunnel = 16;
constexpr int DownLine = 17;
constexpr int RightPanel = 18;
constexpr int MenuButton = 19;
constexpr int LogoButton = 20;
constexpr int MakerButton = 21;
constexpr int BuildingAvailable = 22;
constexpr int PuzzleGameCap = 23;
constexpr int VertLineLeft = 24;
constexpr int VertLineRight = 25;
constexpr int PickGameBackTop = 34;
constexpr int PickGameBackBottom = 35;
constexpr int PickFramePuzzle = 36;
constexpr int PickFrameClassic = 37;
constexpr int PuzzleGamePicture = 38;
constexpr int ClassicGamePicture = 39;
constexpr int PickSelected = 40;
constexpr int OptionsBack = 41;
constexpr int OptionsOk = 42;
constexpr int OptionsCancel = 43;
constexpr int OptionsCheck1 = 44;
constexpr int OptionsCheck2 = 45;
constexpr int OptionsCheck3 = 46;
constexpr int OptionsCheck4 = 47;
constexpr int SliderSound = 48;
constexpr int SliderSoundHandle = 49;
constexpr int SliderMusic = 50;
constexpr int SliderMusicHandle = 51;
constexpr int MessageOk = 55;
constexpr int MessageCancel = 56;
constexpr int HelpCheck = 57;
constexpr int HelpBackground = 58;
constexpr int Help0 = 59;
constexpr int Help1 = 60;
constexpr int Help2 = 61;
constexpr int Help3 = 62;
constexpr int Help4 = 63;
constexpr int Help11 = 64;
constexpr int Help12 = 65;
constexpr int Help13 = 66;
constexpr int Help14 = 67;
constexpr int HelpOk = 68;
constexpr int MenuFrames = 69;
constexpr int FontRedWhite = 70;
constexpr int FontLevelNumber = 71;
constexpr int SelectStartLevel = 72;
constexpr int NewGameLeft = 73;
constexpr int NewGameRight = 74;
constexpr int BigBackground = 75;
constexpr int SmallBackground = 76;
constexpr int FontRed = 77;
constexpr int TipText = 78;
constexpr int TipHideText = 79;
constexpr int TipsArrowLeft = 80;
constexpr int TipsArrowRight = 81;
constexpr int TipsArrowTop = 82;
constexpr int TrainOutRight = 83;
constexpr int TrainOutLeft = 84;
constexpr int RepairSign = 85;
constexpr int TownBell = 86;
constexpr int BackMain = 87;
constexpr int BackMainSand = 88;
constexpr int BackMainSnow = 89;
constexpr int Pause = 90;
constexpr int BlockBuild = 91;
constexpr int LeftPanel = 92;
constexpr int BuildModeButton = 93;
constexpr int BuildRouteMiddle = 94;
constexpr int Trees = 95;
constexpr int TreesForSand = 96;
constexpr int WinterTrees = 97;
constexpr int DamageSign = 98;
constexpr int Homes = 99;
constexpr int CallRepairButton = 100;
constexpr int GreyRouteMode = 101;
constexpr int WaitTrain = 102;
constexpr int FontBig = 103;
constexpr int LeftTrack0 = 104;
constexpr int LeftTrack1 = 105;
constexpr int LeftTrack2 = 106;
constexpr int LeftTrack3 = 107;
constexpr int LeftTrack4 = 108;
constexpr int LeftTrack5 = 109;
constexpr int Box = 110;
constexpr int BoxStack = 111;
constexpr int Digits = 112;
constexpr int TrackReserved = 113;
constexpr int TrackGround = 114;
constexpr int TrackSleepers = 115;
constexpr int Track = 116;
constexpr int TrackNo = 117;
constexpr int Semaphore = 118;
constexpr int Switches = 119;
constexpr int ShortSwitches = 120;
constexpr int TrainCrash = 121;
constexpr int Explosion = 122;
constexpr int Explosion2 = 123;
constexpr int Loco0 = 124;
constexpr int Loco1 = 125;
constexpr int Loco2 = 126;
constexpr int Loco3 = 127;
constexpr int Loco4 = 128;
constexpr int Loco5 = 129;
constexpr int Loco6 = 130;
constexpr int Loco7 = 131;
constexpr int LocoShadow0 = 132;
constexpr int LocoShadow1 = 133;
constexpr int LocoShadow2 = 134;
constexpr int LocoShadow3 = 135;
constexpr int LocoShadow4 = 136;
constexpr int LocoShadow5 = 137;
constexpr int LocoShadow6 = 138;
constexpr int LocoShadow7 = 139;
constexpr int RepairLoco = 140;
constexpr int RepairLocoShadow = 141;
constexpr int Wagon0 = 142;
constexpr int Wagon1 = 143;
constexpr int Wagon2 = 144;
constexpr int Wagon3 = 145;
constexpr int Wagon4 = 146;
constexpr int WagonShadow0 = 147;
constexpr int WagonShadow1 = 148;
constexpr int WagonShadow2 = 149;
constexpr int WagonShadow3 = 150;
constexpr int WagonShadow4 = 151;
// One shape per colour (frames 0-7) and the badge of a train bound for any town (frame 8).
constexpr int ColourBadge = 152;
constexpr int kBadgeAnywhereFrame = 8;
constexpr int OptionsCheck5 = 153;
}  // namespace clip
