// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recorded replay seeds of fuzz-corpus: levels played by the headless game with
// recording on, as a player leaves them: a Puzzle level played to its statistics with a
// rewind, a Classic level of bought track, the wheel, the speed and the pause, skipped,
// a level resumed from a saved game, and a replay taken over.
#include <functional>
#include <string>

class GameSession;

// Takes one seed: its name and the replay file.
using ReplaySink = std::function<void(const std::string& name, const std::string& file)>;

// Plays the levels on the session (in its working folder, whose replays/ it fills) and
// hands over each replay; false (with the reason on stderr) when a level did not go as
// its seed needs.
bool MakeReplaySeeds(GameSession& session, const ReplaySink& emit);
