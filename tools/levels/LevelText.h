// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values a proposed level starts with, by difficulty, and the level file's text.
#include <string>

#include "game/LevelFile.h"
#include "tools/levels/Layout.h"

namespace levels {

// A level of difficulty 1..4 on the layout: periods shorten, trains lengthen and damage
// and crazy trains come in as the difficulty grows. Name and par are left to the caller.
LevelFile Tuned(const Layout& layout, int difficulty);

// The file text of a level, every key in the usual order.
std::string LevelText(const LevelFile& level);

}  // namespace levels
