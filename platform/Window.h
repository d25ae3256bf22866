// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop and the program's own window, as the window system sees them.
// Under a video driver without a window system (the dummy driver) every query
// answers false and nothing is moved.
#include <cstdint>
#include <vector>

namespace platform {

// True when the video driver is the headless "dummy" driver.
bool IsDummyVideo();

// Size of the desktop in pixels, also before the first video mode. False when no window
// system is reachable.
bool DesktopSize(int32_t& width, int32_t& height);

// Cursor position in desktop coordinates. False when it cannot be read.
bool CursorPosition(int32_t& x, int32_t& y);

// True when the program's own top-level window exists on the desktop.
bool FindOwnWindow();

// Moves the program's window to (x, y) with the given size, not kept on top,
// and maps it. False when the window could not be found.
bool MoveOwnWindow(int32_t x, int32_t y, int32_t width, int32_t height);

// Makes the program's full-screen window cover the whole desktop when nobody
// else did. sdl12-compat shows full screen as a desktop-sized window and counts
// on a window manager to grow it; without one the window keeps its old size
// while the library draws for the desktop's, so only a corner of the picture
// shows. Classic SDL makes its own desktop-sized window and needs nothing here.
// False when the window could not be found; true when it covers the desktop.
bool CoverDesktopWithOwnWindow();

// Makes the loss of the X display connection (the server ended, the session
// closed) end the process at once with status 1 and a log line, instead of
// running the exit handlers, which would talk to the lost display again and
// can hang. Does nothing without a window system.
void ExitWhenDisplayIsLost();

// The same services behind an interface, so the frame can be driven by tests.
class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual bool Size(int32_t& width, int32_t& height) = 0;
  virtual bool Cursor(int32_t& x, int32_t& y) = 0;
  virtual bool FindWindow() = 0;
  virtual bool MoveWindow(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  virtual bool CoverDesktop() = 0;
};

// The real desktop (the functions above).
class SystemDesktop : public Desktop {
 public:
  bool Size(int32_t& width, int32_t& height) override { return DesktopSize(width, height); }
  bool Cursor(int32_t& x, int32_t& y) override { return CursorPosition(x, y); }
  bool FindWindow() override { return FindOwnWindow(); }
  bool MoveWindow(int32_t x, int32_t y, int32_t width, int32_t height) override {
    return MoveOwnWindow(x, y, width, height);
  }
  bool CoverDesktop() override { return CoverDesktopWithOwnWindow(); }
};

// A desktop that a test sets up and inspects.
class FakeDesktop : public Desktop {
 public:
  struct Move {
    int32_t x, y, width, height;
  };
  int32_t width = 1920;
  int32_t height = 1080;
  int32_t cursorX = 0;
  int32_t cursorY = 0;
  bool windowExists = true;
  std::vector<Move> moves;
  int coverings = 0;

  bool Size(int32_t& w, int32_t& h) override {
    w = width;
    h = height;
    return true;
  }
  bool Cursor(int32_t& x, int32_t& y) override {
    x = cursorX;
    y = cursorY;
    return true;
  }
  bool FindWindow() override { return windowExists; }
  bool MoveWindow(int32_t x, int32_t y, int32_t w, int32_t h) override {
    if (!windowExists) return false;
    moves.push_back({x, y, w, h});
    return true;
  }
  bool CoverDesktop() override {
    if (!windowExists) return false;
    ++coverings;
    return true;
  }
};

}  // namespace platform
