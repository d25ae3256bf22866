// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain-text views of a game in progress for the script tool: its state, level,
// money, deliveries, towns, timers, progress and shown tips, and the field's trees and
// houses, one line per item.
#include <string>

#include "game/ReplayFile.h"

class GameSession;

namespace gamereport {
// The game's lines, the in-game screen's pause and open dialog last (no tips).
std::string Game(GameSession& session);
std::string ShownTips(GameSession& session);
// The keyboard's selection ring and hint highlight while shown ("" when neither is).
std::string Keys(GameSession& session);
std::string Trees(GameSession& session);
std::string Houses(GameSession& session);
std::string AutopilotCounts(GameSession& session);
// "lock mark at X,Y, N ms left" while the lock mark shows, else "no lock mark".
std::string Marks(GameSession& session);
// The field's views of railway/FieldReport.h by name (trains, crashes, queues, switches,
// signals, towns, records, field for all of them); false for an unknown name.
bool FieldPart(GameSession& session, const std::string& what, std::string& out);
// The middle of the call button of crash site n; false when it is not shown.
bool CallButtonPoint(GameSession& session, int n, int& x, int& y);
// "hash H, update U": the game's state hash and the updates its level has run.
std::string Hash(GameSession& session);
// A replay as one line: its level, seed, start, actions, rewinds and recorded end.
std::string ReplayHeader(const std::string& name, const Replay& replay);
// How the last watched replay ended: the update, the game's lines (as "print game")
// and "hash H as recorded" or "hash H differs from the recorded H2".
std::string ReplayEnd(GameSession& session);
}  // namespace gamereport
