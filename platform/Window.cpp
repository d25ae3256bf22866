// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Terminal.h"

namespace platform {
namespace {

// The X11 connection and windows SDL made for us, taken under SDL's lock.
class X11Access {
 public:
  X11Access() {
    if (IsDummyVideo() || SDL_GetVideoSurface() == nullptr) return;
    SDL_VERSION(&info_.version);
    if (SDL_GetWMInfo(&info_) <= 0 || info_.subsystem != SDL_SYSWM_X11) return;
    if (info_.info.x11.display == nullptr) return;
    if (info_.info.x11.lock_func) info_.info.x11.lock_func();
    ok_ = true;
  }
  ~X11Access() {
    if (!ok_) return;
    XFlush(info_.info.x11.display);
    if (info_.info.x11.unlock_func) info_.info.x11.unlock_func();
  }
  X11Access(const X11Access&) = delete;
  X11Access& operator=(const X11Access&) = delete;

  bool ok() const { return ok_; }
  Display* display() const { return info_.info.x11.display; }
  // The window the window manager handles. Classic SDL wraps its drawing window
  // in a managed one (wmwindow); sdl12-compat reports wmwindow as 0 and its
  // drawing window is itself the top-level window.
  Window topLevel() const {
    return info_.info.x11.wmwindow != 0 ? info_.info.x11.wmwindow : info_.info.x11.window;
  }
  // True when the library draws straight into its top-level window (sdl12-compat).
  bool drawsInTopLevel() const { return info_.info.x11.wmwindow == 0; }

 private:
  SDL_SysWMinfo info_{};
  bool ok_ = false;
};

int OnDisplayLost(Display*) {
  std::fprintf(stderr, "Error: the connection to the X display was lost.\n");
  TellTerminal("the connection to the X display was lost");
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(1);
}

}  // namespace

void ExitWhenDisplayIsLost() {
  X11Access x;
  if (x.ok()) XSetIOErrorHandler(OnDisplayLost);
}

bool IsDummyVideo() {
  char name[64] = {};
  if (SDL_VideoDriverName(name, sizeof name) != nullptr) return std::strcmp(name, "dummy") == 0;
  const char* env = std::getenv("SDL_VIDEODRIVER");
  return env != nullptr && std::strcmp(env, "dummy") == 0;
}

bool DesktopSize(int32_t& width, int32_t& height) {
  X11Access x;
  if (!x.ok()) {
    // Before the first video mode there is no window to ask through, but the video
    // library reports the desktop's size until a mode is set.
    const SDL_VideoInfo* info =
        IsDummyVideo() || SDL_GetVideoSurface() != nullptr ? nullptr : SDL_GetVideoInfo();
    if (info == nullptr) return false;
    width = info->current_w;
    height = info->current_h;
    return width > 0 && height > 0;
  }
  const int screen = DefaultScreen(x.display());
  width = DisplayWidth(x.display(), screen);
  height = DisplayHeight(x.display(), screen);
  return width > 0 && height > 0;
}

bool CursorPosition(int32_t& x, int32_t& y) {
  X11Access access;
  if (!access.ok()) return false;
  Display* d = access.display();
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
    return false;
  x = rootX;
  y = rootY;
  return true;
}

bool FindOwnWindow() {
  X11Access x;
  return x.ok() && x.topLevel() != 0;
}

bool MoveOwnWindow(int32_t x, int32_t y, int32_t width, int32_t height) {
  X11Access access;
  if (!access.ok() || access.topLevel() == 0 || width <= 0 || height <= 0) return false;
  Display* d = access.display();
  const Window w = access.topLevel();
  XMoveResizeWindow(d, w, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XMapWindow(d, w);
  return true;
}

bool CoverDesktopWithOwnWindow() {
  X11Access access;
  if (!access.ok() || access.topLevel() == 0) return false;
  if (!access.drawsInTopLevel()) return true;
  Display* d = access.display();
  const int screen = DefaultScreen(d);
  const int width = DisplayWidth(d, screen);
  const int height = DisplayHeight(d, screen);
  XWindowAttributes now{};
  int x = 0, y = 0;
  Window child = 0;
  if (!XGetWindowAttributes(d, access.topLevel(), &now) ||
      !XTranslateCoordinates(d, access.topLevel(), DefaultRootWindow(d), 0, 0, &x, &y, &child))
    return false;
  if (x == 0 && y == 0 && now.width == width && now.height == height) return true;
  XMoveResizeWindow(d, access.topLevel(), 0, 0, static_cast<unsigned>(width),
                    static_cast<unsigned>(height));
  return true;
}

}  // namespace platform
