// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Frame.h"

#include <cstdio>
#include <cstdlib>

#include "app/VideoDevice.h"
#include "engine/LParams.h"
#include "game/Settings.h"
#include "platform/Terminal.h"

void PlacementRule(int32_t& x, int32_t& y, int32_t desktopWidth, int32_t desktopHeight) {
  const bool unplaced = x == -1 || y == -1;
  // Part of the window may hang over the left edge, but its top rows, by which it is
  // dragged, must lie on the desktop.
  const bool onDesktop = x > -kDisplayWidth && x < desktopWidth && y >= 0 && y < desktopHeight;
  if (!unplaced && onDesktop) return;
  if (!unplaced) {
    std::fprintf(stderr, "Warning: window position %ld,%ld lies off the desktop; centred\n",
                 static_cast<long>(x), static_cast<long>(y));
  }
  x = (desktopWidth - kDisplayWidth) / 2;
  y = (desktopHeight - kDisplayHeight) / 2;
}

bool Frame::TryMode(bool fullScreen) {
  int bpp = parts_.video.CurrentBitsPerPixel();
  if (bpp == 0) bpp = 32;
  SDL_Surface* surface =
      fullScreen ? parts_.video.SetMode(kDisplayWidth, kDisplayHeight, 16, SDL_FULLSCREEN)
                 : parts_.video.SetMode(kDisplayWidth, kDisplayHeight, bpp, SDL_NOFRAME);
  if (surface == nullptr) {
    std::printf("Unable to set video mode: %s\n", SDL_GetError());
    std::fflush(stdout);
    return false;
  }
  display_ = surface;
  std::fprintf(stderr, "Video mode: %dx%d %s, %d bits per pixel.\n", surface->w, surface->h,
               fullScreen ? "full screen" : "window",
               surface->format != nullptr ? surface->format->BitsPerPixel : 0);
  framelessWindow_ = !fullScreen;
  haveWorkingMode_ = true;
  workingFullScreen_ = fullScreen;
  if (fullScreen)
    parts_.desktop.CoverDesktop();
  else
    PlaceWindow();
  displayRecreated_ = true;
  return true;
}

bool Frame::SetVideoMode() {
  if (TryMode(settings_.FullScreen)) return true;
  // Go back to the mode that worked, and let the setting say so.
  if (haveWorkingMode_) {
    settings_.FullScreen = workingFullScreen_;
    if (TryMode(workingFullScreen_)) return true;
  }
  // The log has the line already; a player at a terminal gets it too.
  platform::TellTerminal(std::string("Unable to set video mode: ") + SDL_GetError());
  return false;
}

void Frame::ChangeVideoMode() {
  if (SetVideoMode()) return;
  SaveSettingsFile(Params(), settings_);
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(1);
}

void Frame::PlaceWindow() {
  if (!framelessWindow_) return;
  if (!parts_.desktop.FindWindow()) return;
  int32_t width = 0, height = 0;
  if (!parts_.desktop.Size(width, height)) return;
  PlacementRule(settings_.MainWindowPosX, settings_.MainWindowPosY, width, height);
  parts_.desktop.MoveWindow(settings_.MainWindowPosX, settings_.MainWindowPosY, kDisplayWidth,
                            kDisplayHeight);
}
