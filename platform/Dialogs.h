// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal error box and the system's web browser.
#include <string>

namespace platform {

// Shows an error to the player and returns when it has been dismissed. The text
// always goes to standard error as one line (and to the terminal the program was
// started from, see Terminal.h); when a display is available it is also shown in
// a window (xmessage). Under the dummy video driver, or without a
// display, only the line is written.
void ShowErrorBox(const std::string& caption, const std::string& text);

// Opens the page in the desktop's browser (xdg-open), without waiting for it.
// False when xdg-open is missing or could not be started, always under the
// dummy video driver, and for an address that does not begin with http://,
// https:// or file://.
bool OpenWebPage(const std::string& url);

}  // namespace platform
