// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The terminal the program was started from. The log streams go to files once the
// frame starts, so the few lines a player at a terminal must see (why the program
// ended, where the log is) are also written to a copy of the original standard
// error, kept before it was redirected, when that is a terminal.
#include <string>

namespace platform {

// The name the program signs its terminal lines with.
extern const char kProgramName[];

// Keeps a copy of standard error when it is a terminal; call before the stream is
// pointed elsewhere. Once a copy is kept, later calls keep it.
void KeepTerminal();
// Drops the kept copy (the stream was not redirected after all).
void ForgetTerminal();

// Writes "ostrel-trains: " + line and a line break to the kept terminal; nothing
// when none is kept.
void TellTerminal(const std::string& line);

}  // namespace platform
