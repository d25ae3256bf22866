// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The choice of the video driver before the video library starts. Classic SDL 1.2
// tries its drivers in turn when none is named and may end up drawing the game as
// text on the console (aalib, caca) or on the frame buffer. The game needs an X
// display for its window (placement, dragging, the idle wait all go through X11),
// so unless the user names a driver in SDL_VIDEODRIVER, the X display is checked
// here and the driver is pinned to x11 for this process.
//
// Wayland: classic SDL 1.2 has no Wayland driver, and the window services above
// need X11, so a Wayland session is used through XWayland (its DISPLAY). A user who
// wants SDL2's Wayland driver under sdl12-compat names it: SDL_VIDEODRIVER=wayland.
#include <string>

namespace platform {

// What the choice depends on.
struct DisplayFacts {
  std::string videoDriver;      // SDL_VIDEODRIVER; empty when unset
  std::string display;          // DISPLAY; empty when unset
  bool waylandSession = false;  // WAYLAND_DISPLAY is set
  bool displayOpens = false;    // an X connection to DISPLAY could be made
};

// The driver to pin (empty: leave the environment as it is) and, when there is no
// usable display, the reason as one line (empty otherwise).
struct DisplayChoice {
  std::string driver;
  std::string problem;
};

DisplayChoice ChooseVideoDriver(const DisplayFacts& facts);

// The facts of this process; the X display is opened only when no driver is
// named, and that connection stays open for the rest of the run.
DisplayFacts CurrentDisplayFacts();

// Chooses for this process: pins the driver, or writes the reason to standard
// error and returns false.
bool PrepareVideoDriver();

}  // namespace platform
