// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SdlLibrary.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// sdl12-compat numbers its releases from 1.2.50 on.
constexpr int kFirstCompatPatch = 50;

void SetUnlessChosen(const char* name, const char* value) {
  if (std::getenv(name) == nullptr) ::setenv(name, value, 0);
}

}  // namespace

bool RunsOnSdl12Compat() {
  const SDL_version* linked = SDL_Linked_Version();
  return linked != nullptr && linked->major == 1 && linked->minor == 2 &&
         linked->patch >= kFirstCompatPatch;
}

void PrepareVideoLibrary() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  const SDL_version* linked = SDL_Linked_Version();
  const bool compat = RunsOnSdl12Compat();
  std::fprintf(stderr, "SDL library: %d.%d.%d (%s)\n", linked->major, linked->minor,
               linked->patch, compat ? "sdl12-compat" : "classic");
  if (!compat) return;
  // SDL2 reads both when the window and its renderer are made, at each video mode.
  SetUnlessChosen("SDL_RENDER_DRIVER", "software");
  SetUnlessChosen("SDL_FRAMEBUFFER_ACCELERATION", "0");
}

}  // namespace platform
