// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the termination signals (SIGTERM, SIGINT) into a quit request that the
// frame loop collects, so the program closes through its normal path.

namespace platform {

// Installs the handlers. Safe to call more than once.
void InstallQuitSignals();

// True once a quit signal arrived since the last call; clears the request.
bool TakeQuitRequest();

// True while a quit request is pending (does not clear it).
bool QuitRequestPending();

}  // namespace platform
