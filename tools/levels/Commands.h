// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of ot-levelgen; each returns the program's exit status.
#include <string>
#include <vector>

namespace levels {

using Args = std::vector<std::string>;
int ProposeCommand(const Args& args);
int BatchCommand(const Args& args);
int CheckCommand(const Args& args);
int RenderCommand(const Args& args);
int SheetCommand(const Args& args);
int PlayCommand(const Args& args);

}  // namespace levels
