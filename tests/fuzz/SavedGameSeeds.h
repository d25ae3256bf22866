// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The saved-game seeds of fuzz-corpus: games saved by the headless game in the states a
// player can leave a game in, so that the fuzzer starts from every kind of record the
// saved game holds (trains running and queued, a delayed start, crash sites, switches
// and signals, tracks the player laid, a finishing level, the level's statistics, a
// game out of money) in both game types.
#include <cstdint>
#include <functional>
#include <string>

class GameSession;

// Takes one seed: its name, the saved file and the selector byte of its game type.
using SavedGameSink =
    std::function<void(const std::string& name, const std::string& file, uint8_t selector)>;

// Plays the games in the working folder and hands over each saved file as it is written,
// then runs more (other seeds played on the same headless session), when given. False
// (with the reason on stderr) when the headless game cannot start, a game does not reach
// the state its seed is for, or more answers false.
bool MakeSavedGameSeeds(const SavedGameSink& emit,
                        const std::function<bool(GameSession&)>& more = {});
