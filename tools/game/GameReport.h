// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain-text views of a game in progress for the script tool: its state, level,
// money, deliveries, towns, timers, progress and shown tips, and the field's trees and
// houses, one line per item.
#include <string>

class GameSession;

namespace gamereport {
// The game's lines, the in-game screen's pause and open dialog last (no tips).
std::string Game(GameSession& session);
std::string ShownTips(GameSession& session);
std::string Trees(GameSession& session);
std::string Houses(GameSession& session);
std::string AutopilotCounts(GameSession& session);
// The field's views of railway/FieldReport.h by name (trains, crashes, queues, switches,
// signals, towns, records, field for all of them); false for an unknown name.
bool FieldPart(GameSession& session, const std::string& what, std::string& out);
// The middle of the call button of crash site n; false when it is not shown.
bool CallButtonPoint(GameSession& session, int n, int& x, int& y);
}  // namespace gamereport
