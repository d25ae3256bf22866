// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <SDL.h>

namespace platform {

uint32_t SdlClock::Now() { return SDL_GetTicks(); }

void SdlClock::Sleep(uint32_t ms) { SDL_Delay(ms); }

}  // namespace platform
