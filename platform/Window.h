#pragma once
// The desktop and the program's own window, as the window system sees them.
// Under a video driver without a window system (the dummy driver) every query
// answers false and nothing is moved.
#include <cstdint>

namespace platform {

// True when the video driver is the headless "dummy" driver.
bool IsDummyVideo();

// Size of the desktop in pixels. False when no window system is reachable.
bool DesktopSize(int32_t& width, int32_t& height);

// Cursor position in desktop coordinates. False when it cannot be read.
bool CursorPosition(int32_t& x, int32_t& y);

// True when the program's own top-level window exists on the desktop.
bool FindOwnWindow();

// Moves the program's window to (x, y) with the given size, not kept on top,
// and maps it. False when the window could not be found.
bool MoveOwnWindow(int32_t x, int32_t y, int32_t width, int32_t height);

}  // namespace platform
