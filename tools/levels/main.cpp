// SPDX-License-Identifier: GPL-3.0-or-later
// ot-levelgen: proposes level layouts, checks and plays level files, and draws them.
// Usage:
//   ot-levelgen propose DIFFICULTY SEED OUT.level
//   ot-levelgen batch DIFFICULTY FIRST_SEED COUNT FOLDER [TOWNS [LOOPS]]
//   ot-levelgen check FILE... | ROOT
//   ot-levelgen render FILE.level OUT.png
//   ot-levelgen sheet OUT.png ROOT
//   ot-levelgen play [--solver [--lookahead MS]] [--write-par] [--seeds N] [--first S] [--need K]
//   [--idle-seeds K] FILE...
// The commands that draw or play run the game headless from the folder of data.dat.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/levels/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fprintf(stderr,
                 "usage: ot-levelgen propose|batch|check|render|sheet|play ... (see main.cpp)\n");
    return 2;
  }
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "propose") return levels::ProposeCommand(args);
  if (command == "batch") return levels::BatchCommand(args);
  if (command == "check") return levels::CheckCommand(args);
  if (command == "render") return levels::RenderCommand(args);
  if (command == "sheet") return levels::SheetCommand(args);
  if (command == "play") return levels::PlayCommand(args);
  std::fprintf(stderr, "ot-levelgen: unknown command %s\n", command.c_str());
  return 2;
}
