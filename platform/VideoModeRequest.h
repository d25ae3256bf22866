// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets a screen ask the frame to set the video mode again (after the player
// changed the full-screen option), without knowing the frame itself.
#include <functional>

namespace platform {

// The frame registers its routine here while it runs; an empty one removes it.
void SetVideoModeHandler(std::function<void()> handler);

// Sets the video mode again from the full-screen setting. Nothing happens while
// no frame is running. The screens redraw on the new display afterwards.
void RequestVideoMode();

}  // namespace platform
