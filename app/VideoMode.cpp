// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Frame.h"
#include "app/FrameContent.h"
#include "app/VideoDevice.h"
#include "app/WindowScaler.h"
#include "core/LParams.h"
#include "game/Settings.h"
#include "platform/Terminal.h"

const char kWouldNotFit[] = "The window would not fit the screen";

void PlacementRule(int32_t& x, int32_t& y, int32_t desktopWidth, int32_t desktopHeight,
                   int32_t windowWidth, int32_t windowHeight) {
  const bool unplaced = x == -1 || y == -1;
  // Part of the window may hang over the left edge, but its top rows, by which it is
  // dragged, must lie on the desktop.
  const bool onDesktop = x > -windowWidth && x < desktopWidth && y >= 0 && y < desktopHeight;
  if (!unplaced && onDesktop) return;
  if (!unplaced) {
    std::fprintf(stderr, "Warning: window position %ld,%ld lies off the desktop; centred\n",
                 static_cast<long>(x), static_cast<long>(y));
  }
  // Never further up or left than the corner, so that the top rows stay reachable.
  x = std::max<int32_t>((desktopWidth - windowWidth) / 2, 0);
  y = std::max<int32_t>((desktopHeight - windowHeight) / 2, 0);
}

int AutomaticScale(int32_t desktopWidth, int32_t desktopHeight) {
  int scale = 1;
  for (int k = 2; k <= WindowScaler::kLargestScale; ++k) {
    // In tenths: the window may take up to 90 % of each side.
    const bool fits = int64_t{10} * screen::kWidth * k <= int64_t{9} * desktopWidth &&
                      int64_t{10} * screen::kHeight * k <= int64_t{9} * desktopHeight;
    if (fits) scale = k;
  }
  return scale;
}

int Frame::Scale() const { return scaler_ ? scaler_->Scale() : 1; }

int Frame::WantedScale() const {
  const int chosen = settings_.WindowScale;
  return chosen >= 1 && chosen <= WindowScaler::kLargestScale ? chosen : automaticScale_;
}

int Frame::FittingScale() {
  int32_t width = 0, height = 0;
  if (!parts_.desktop.Size(width, height) || width <= 0 || height <= 0) return 0;
  return AutomaticScale(width, height);
}

// A stored scale whose window does not fit the desktop (one made on a larger monitor,
// or given on the command line) gives way to the largest that fits, which is stored
// then; the window of the new size is centred.
void Frame::FitStoredScale(int32_t desktopWidth, int32_t desktopHeight) {
  const int chosen = settings_.WindowScale;
  if (chosen < 1 || chosen > WindowScaler::kLargestScale || chosen <= automaticScale_) return;
  std::fprintf(
      stderr, "Warning: a window at scale %d would not fit the desktop of %ldx%ld; scale %d\n",
      chosen, static_cast<long>(desktopWidth), static_cast<long>(desktopHeight), automaticScale_);
  settings_.WindowScale = automaticScale_;
  CentreOnNextPlacement();
}

void Frame::CentreOnNextPlacement() {
  settings_.MainWindowPosX = -1;
  settings_.MainWindowPosY = -1;
}

// Sets the mode; a scaled window gets its canvas, and when none can be made the
// window is shown unscaled.
SDL_Surface* Frame::OpenMode(bool fullScreen, int scale) {
  if (fullScreen) {
    SDL_Surface* screen = parts_.video.SetMode(screen::kWidth, screen::kHeight, 16, SDL_FULLSCREEN);
    if (screen != nullptr) scaler_.reset();
    return screen;
  }
  int bpp = parts_.video.CurrentBitsPerPixel();
  if (bpp == 0) bpp = 32;
  SDL_Surface* window =
      parts_.video.SetMode(screen::kWidth * scale, screen::kHeight * scale, bpp, SDL_NOFRAME);
  if (window == nullptr || scale == 1) {
    if (window != nullptr) scaler_.reset();
    return window;
  }
  auto scaler = std::make_unique<WindowScaler>(window, screen::kWidth, screen::kHeight, scale,
                                               settings_.WindowScaleSmooth);
  if (scaler->Canvas() != nullptr) {
    scaler_ = std::move(scaler);
    return window;
  }
  std::fprintf(stderr, "Warning: no picture for the window at scale %d (%s); scale 1\n", scale,
               SDL_GetError());
  return OpenMode(false, 1);
}

bool Frame::TryMode(bool fullScreen) {
  SDL_Surface* surface = OpenMode(fullScreen, fullScreen ? 1 : WantedScale());
  if (surface == nullptr) {
    std::printf("Unable to set video mode: %s\n", SDL_GetError());
    std::fflush(stdout);
    return false;
  }
  window_ = surface;
  display_ = scaler_ ? scaler_->Canvas() : surface;
  std::string scaled;
  if (scaler_)
    scaled = ", scale " + std::to_string(Scale()) + (scaler_->Smooth() ? " smooth" : " doubling");
  std::fprintf(stderr, "Video mode: %dx%d %s, %d bits per pixel%s.\n", surface->w, surface->h,
               fullScreen ? "full screen" : "window",
               surface->format != nullptr ? surface->format->BitsPerPixel : 0, scaled.c_str());
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
  if (SetVideoMode()) {
    SettleFocusAfterModeChange();
    return;
  }
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
  const int32_t windowWidth = screen::kWidth * Scale(), windowHeight = screen::kHeight * Scale();
  PlacementRule(settings_.MainWindowPosX, settings_.MainWindowPosY, width, height, windowWidth,
                windowHeight);
  parts_.desktop.MoveWindow(settings_.MainWindowPosX, settings_.MainWindowPosY, windowWidth,
                            windowHeight);
}

// A larger window that would not fit the desktop as it is now is refused, and the
// player told; a new size is centred on the desktop. A size that cannot be set gives
// way to the one before.
void Frame::StepWindowScale(int step) {
  if (settings_.FullScreen) return;
  const int now = WantedScale();
  const int next = std::clamp(now + step, 1, WindowScaler::kLargestScale);
  if (next == now) return;
  const int fitting = FittingScale();
  if (step > 0 && fitting > 0 && next > fitting) {
    std::fprintf(stderr, "A window at scale %d would not fit the desktop; the scale stays %d.\n",
                 next, now);
    if (main_) parts_.content.TellPlayer(*main_, kWouldNotFit);
    return;
  }
  const int32_t before = settings_.WindowScale;
  settings_.WindowScale = next;
  CentreOnNextPlacement();
  if (!TryMode(false)) {
    settings_.WindowScale = before;
    ChangeVideoMode();
    return;
  }
  SettleFocusAfterModeChange();
  SaveSettingsFile(Params(), settings_);
}

void Frame::PresentWhole() {
  if (scaler_) scaler_->ScaleAll();
  parts_.video.PresentAll(window_);
}

void Frame::PresentChanged(const std::vector<SDL_Rect>& rects) {
  parts_.video.PresentRects(window_, scaler_ ? scaler_->ScaleRects(rects) : rects);
}
