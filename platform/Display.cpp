// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Display.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Terminal.h"

namespace platform {
namespace {

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

constexpr char kAdvice[] = "; set DISPLAY or SDL_VIDEODRIVER=dummy to run without a window";

// Opens the display and keeps the connection for the rest of the run. An X server
// that resets when its last client leaves (Xvfb as xvfb-run starts it) would
// otherwise reset between this check and the video library's own connection,
// which then finds no display.
bool HoldDisplay(const std::string& name) {
  static Display* held = nullptr;
  if (held == nullptr) held = XOpenDisplay(name.c_str());
  return held != nullptr;
}

}  // namespace

DisplayChoice ChooseVideoDriver(const DisplayFacts& facts) {
  if (!facts.videoDriver.empty()) return {};
  if (facts.display.empty()) {
    const char* wayland =
        facts.waylandSession ? "; under Wayland the game runs through XWayland" : "";
    return {"", std::string("no X display (DISPLAY is not set") + wayland + ")" + kAdvice};
  }
  if (!facts.displayOpens)
    return {"", "cannot open the X display \"" + facts.display + "\"" + kAdvice};
  return {"x11", ""};
}

DisplayFacts CurrentDisplayFacts() {
  DisplayFacts facts;
  facts.videoDriver = EnvText("SDL_VIDEODRIVER");
  facts.display = EnvText("DISPLAY");
  facts.waylandSession = !EnvText("WAYLAND_DISPLAY").empty();
  if (facts.videoDriver.empty() && !facts.display.empty())
    facts.displayOpens = HoldDisplay(facts.display);
  return facts;
}

bool PrepareVideoDriver() {
  const DisplayChoice choice = ChooseVideoDriver(CurrentDisplayFacts());
  if (!choice.problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, choice.problem.c_str());
    std::fflush(stderr);
    return false;
  }
  if (!choice.driver.empty()) ::setenv("SDL_VIDEODRIVER", choice.driver.c_str(), 1);
  return true;
}

}  // namespace platform
