// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SdlLibrary.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// sdl12-compat numbers its releases from 1.2.50 on.
constexpr int kFirstCompatPatch = 50;

// Classic SDL ended at 1.2.15.
bool IsSdl12Compat(const SDL_version& linked) {
  return linked.major == 1 && linked.minor == 2 && linked.patch >= kFirstCompatPatch;
}

}  // namespace

void PrepareVideoLibrary() {
  const SDL_version* linked = SDL_Linked_Version();
  const bool compat = IsSdl12Compat(*linked);
  std::fprintf(stderr, "SDL library: %d.%d.%d (%s)\n", linked->major, linked->minor, linked->patch,
               compat ? "sdl12-compat" : "classic");
  if (!compat) return;
  // SDL2 reads both when the window and its renderer are made, at each video mode.
  // A value the user set stays (no overwrite).
  ::setenv("SDL_RENDER_DRIVER", "software", 0);
  ::setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}

}  // namespace platform
