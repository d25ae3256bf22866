// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test program: the tests always run headless, with SDL's dummy
// video and audio drivers, whether started by CTest or by hand. A driver chosen
// explicitly in the environment is kept.
#include <cstdlib>

namespace {
struct HeadlessEnvironment {
  HeadlessEnvironment() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
};
const HeadlessEnvironment kHeadless;
}  // namespace
