// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the script language that name what a script waits for and the keys it
// presses.
#include <string>

class GameSession;

namespace conditions {
// Conditions of "until": state N, level N, trains N, repairs N (repair trains), crashes N
// (crash sites), all exactly; delivered N, towns N, progress P, at least; statistics,
// help, crash (a crash site).
bool Known(const std::string& what);
bool TakesValue(const std::string& what);
bool Holds(GameSession& session, const std::string& what, int value);

// A key by name (space, f1, escape, enter, 0..9, a..z); -1 when unknown.
int KeyCode(const std::string& name);
// A modifier by name (shift, ctrl, alt, caps); 0 when unknown.
int Modifier(const std::string& name);
}  // namespace conditions
