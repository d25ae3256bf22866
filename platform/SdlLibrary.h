// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which SDL 1.2 library the program runs on, and what it needs to draw well there.
// Debian ships two: the classic library, and sdl12-compat, which offers the SDL 1.2
// interface on top of SDL2.

namespace platform {

// Settles how sdl12-compat presents the display, before the video starts; writes
// the library's version to the log. By
// default SDL2 draws it through OpenGL, which without a graphics card (a virtual
// display, a remote desktop) means Mesa's software renderer: about ten times the
// processor time and 90 MB more memory than the classic library for the same
// pictures. The program only blits 2D surfaces, so it asks for SDL2's software
// renderer drawing straight into the window's own surface. A variable the user set
// in the environment is left as it is. Does nothing on the classic library.
void PrepareVideoLibrary();

}  // namespace platform
