// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values a proposed level starts with, by difficulty; reading and writing level files.
#include <memory>
#include <string>

#include "game/LevelFile.h"
#include "tools/levels/Layout.h"

namespace levels {

// A level of difficulty 1..4 on the layout: periods shorten, trains lengthen and damage
// and crazy trains come in as the difficulty grows. Name and par are left to the caller.
LevelFile Tuned(const Layout& layout, int difficulty);

// The level file at path, or nullptr with the reason on standard error.
std::shared_ptr<const LevelFile> ReadLevel(const std::string& path);
// Writes the level's text to path; false when it cannot be written.
bool WriteLevelText(const std::string& path, const LevelFile& level);

}  // namespace levels
