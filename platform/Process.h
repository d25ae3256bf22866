// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting helper programs directly (fork and exec, no shell in between).
#include <string>
#include <vector>

namespace platform {

// Runs argv[0] (searched in PATH) with the given arguments and waits for it.
// Returns its exit status, or -1 when it could not be started or was killed.
int RunAndWait(const std::vector<std::string>& argv);

// Starts argv[0] detached from this process (it is not waited for and leaves no
// zombie behind). False when the intermediate process could not be made.
bool StartDetached(const std::vector<std::string>& argv);

// True when an executable of that name is found in PATH.
bool ProgramInPath(const std::string& name);

// Milliseconds since this process was started (exec included); -1 when unknown.
long MillisecondsSinceStart();

}  // namespace platform
