// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the script-driven tools share: running a script file line by line, the colour
// and train-kind words, and the event lines stamped with the running time.
#include <functional>
#include <string>

enum class TrainKind;

namespace script {

// The line without its comment (from '#') and without trailing blanks.
std::string Clean(const std::string& raw);

// Runs every line of the file at path that is not blank through run, after echoing it
// as "> line". Returns 0 when every line ran, 2 when the file cannot be read or run
// refuses a line (the line is named on standard error then).
int RunFile(const char* tool, const char* path, const std::function<bool(const std::string&)>& run);

// A colour by its name ("yellow" ... "white") or its number.
bool Colour(const std::string& word, int& colour);
// A train kind by its name: "ordinary", "repair" or "crazy".
bool Kind(const std::string& word, TrainKind& kind);

// Prints "@time text" on its own line.
void Event(int time, const std::string& text);
// The text with every byte outside printable ASCII written as \xNN.
std::string Printable(const std::string& text);

}  // namespace script
