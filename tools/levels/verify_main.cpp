// SPDX-License-Identifier: GPL-3.0-or-later
// ot-levels-verify: ot-levelgen's "play" alone (the same options), built optimised and
// without sanitizers in the sanitizer build, so that the test suite can play every
// shipped level in reasonable time there.
#include <string>
#include <vector>

#include "tools/levels/Commands.h"

int main(int argc, char** argv) {
  return levels::PlayCommand(std::vector<std::string>(argv + 1, argv + argc));
}
