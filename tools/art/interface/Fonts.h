// SPDX-License-Identifier: GPL-3.0-or-later
// The looks of the game's font sheets and their character lists.
#pragma once

#include "interface/FontSheet.h"

namespace art::ui {

FontLook MessageFontLook();  // entry 1, the message line
FontLook SmallFontLook();    // entry 2, panel captions, statistics, tips, version
FontLook BigFontLook();      // entry 103, the level banner
FontLook RedFontLook();      // entry 77, dialog titles and questions
FontLook MenuFontLook();     // entry 70, menu items
FontLook LevelFontLook();    // entry 71, the new-game level choice

extern const char* const kBigCharacters;    // "LEV 0123456789"
extern const char* const kLevelCharacters;  // "( ):0123456789-"

}  // namespace art::ui
