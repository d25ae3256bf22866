// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain-text views of the field's running state, one line per item, for the scenario
// runner and for comparing states in tests.
#include <string>

class Field;
enum class TrainKind;

namespace report {
std::string Trains(const Field& field);
std::string CrashSites(const Field& field);
std::string Queues(const Field& field);
std::string Switches(const Field& field);
std::string Signals(const Field& field);
std::string Towns(const Field& field);
// Everything above, in that order, each block under a heading line.
std::string All(const Field& field);

// "ordinary", "repair" or "crazy".
const char* KindName(TrainKind kind);
// printf into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
}  // namespace report
