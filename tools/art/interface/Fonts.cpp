// SPDX-License-Identifier: GPL-3.0-or-later
// The game's font sheets. Text is never tinted at run time, so every look is a sheet
// of its own: the message line, the small panel and tip text, the big level banner,
// the red dialog titles, the red-and-white menu items and the new-game level digits.
#include "interface/Fonts.h"

#include "interface/FontSheet.h"
#include "interface/Style.h"
#include "kit/Registry.h"

namespace art::ui {

FontLook MessageFontLook() {
  FontLook f;
  f.size = 13;
  f.height = 23;
  f.baseline = 16;
  f.capTop = 6;
  f.top = Hex(0xfff6c0);
  f.bottom = Hex(0xe8b93a);
  f.outline = 1.2;
  f.outlineColour = Hex(0x1a1206);
  f.shadow = 1;
  return f;
}

FontLook SmallFontLook() {
  // Rows 1 to 15 hold the letters; the 6 clear rows below let tip lines stand
  // height - 7 pixels apart.
  FontLook f;
  f.size = 11;
  f.height = 22;
  f.baseline = 12;
  f.capTop = 4;
  f.top = Hex(0xfffbea);
  f.bottom = Hex(0xdccfa6);
  f.outline = 1;
  f.outlineColour = Hex(0x08100a);
  f.minSpaceWidth = 4;
  f.gap = 0;
  return f;
}

FontLook BigFontLook() {
  FontLook f;
  f.size = 58;
  f.height = 80;
  f.baseline = 64;
  f.capTop = 22;
  f.top = Hex(0xfff2ae);
  f.bottom = Hex(0xc4831a);
  f.outline = 3;
  f.outlineColour = Hex(0x4a0c0c);
  f.shadow = 4;
  f.shadowAlpha = 0.55;
  f.minSpaceWidth = 18;
  f.gap = 3;
  return f;
}

FontLook RedFontLook() {
  FontLook f;
  f.size = 19;
  f.height = 30;
  f.baseline = 22;
  f.capTop = 8;
  f.top = Hex(0xff7a5a);
  f.bottom = Hex(0xc01c1c);
  f.outline = 1.5;
  f.outlineColour = Hex(0x1d0404);
  f.shadow = 2;
  f.minSpaceWidth = 7;
  return f;
}

FontLook MenuFontLook() {
  FontLook f;
  f.size = 22;
  f.height = 44;
  f.baseline = 30;
  f.capTop = 14;
  f.top = Hex(0xffffff);
  f.bottom = Hex(0xe6d8c2);
  f.outline = 2;
  f.outlineColour = Hex(0xa31616);
  f.shadow = 2;
  f.minSpaceWidth = 8;
  return f;
}

FontLook LevelFontLook() {
  FontLook f;
  f.size = 17;
  f.height = 26;
  f.baseline = 20;
  f.capTop = 8;
  f.top = Hex(0xfff3b0);
  f.bottom = Hex(0xd8a53a);
  f.outline = 1.3;
  f.outlineColour = Hex(0x1a1206);
  f.shadow = 1;
  f.minSpaceWidth = 6;
  return f;
}

const char* const kBigCharacters = "LEV 0123456789";
const char* const kLevelCharacters = "( ):0123456789-";

}  // namespace art::ui

using namespace art::ui;

ART_GROUP(interface_fonts) {
  std::string all = DefaultCharacters();
  ctx.Save(*BuildFontSheet(all, MessageFontLook()), "Dat/Game/font_message.gif",
           "Dat/Game/font_messageMask.gif", 1, {1});
  ctx.Save(*BuildFontSheet(all, SmallFontLook()), "Dat/Game/fontSmall.gif",
           "Dat/Game/fontSmallMask.gif", 1, {2});
  ctx.Save(*BuildFontSheet(kBigCharacters, BigFontLook()), "Dat/Game/fontBig.gif",
           "Dat/Game/fontBigMask.gif", 1, {103});
  ctx.Save(*BuildFontSheet(all, RedFontLook()), "Dat/Interface/fontRed.gif",
           "Dat/Interface/fontRedMask.gif", 1, {77});
  ctx.Save(*BuildFontSheet(all, MenuFontLook()), "Dat/Interface/Menu/red_white_font.tga", "", 1,
           {70});
  ctx.Save(*BuildFontSheet(kLevelCharacters, LevelFontLook()),
           "Dat/Interface/NewGame/fontLevelN.tga", "", 1, {71});
}
