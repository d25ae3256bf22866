// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay: one level as it was played, kept as a text file so that it can be watched
// again, checked without a window and rewound. It holds what the level started from
// (the game type and level, the random seed, the tips setting and either the money,
// deliveries and minutes carried over or the saved game the level resumed), every
// action of the player with the update it came at, and how the level ended.
//
// The file, one item a line, each line ending in '\n':
//   OSTREL-TRAINS-REPLAY 1
//   program 1.0                      the program's version, escaped (see EscapeText)
//   player Manager                   the player's name, escaped
//   type classic                     classic | puzzle
//   level 3                          1..6 within the type
//   seed 3141592653                  0..4294967295
//   tips on                          on | off
//   pack 2 0123456789abcdef first-steps/first-switch b3N0cmVs...
//                                    only for a level of a level pack: its number in
//                                    the pack, the content hash of the file it was
//                                    played from ("-" for a level made in memory),
//                                    "PACK/LEVEL" (the pack's and the level's ids,
//                                    escaped, a space as %20) and the level file's text
//                                    (FormatLevelFile) in base64; type is then puzzle
//                                    and level 1. Older files have no such line.
//   start fresh money 100000 delivered 12 minutes 40
//     or: start saved <the saved game's plain document in base64>
//   1250 click 412 230               UPDATE KIND [X Y] [ARG], updates never going down
//   1300 track 3                     (after "rewind T", the next may go back to T)
//   end complete update 75000 rewinds 0 hash 0123456789abcdef
//                                    complete | game-over | quit
// The header lines may come in any order, each once. Nothing follows the end line.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "game/PlayerAction.h"

enum class ReplayOutcome { kLevelComplete, kGameOver, kQuit };  // "complete", "game-over", "quit"

struct ReplayEnd {
  ReplayOutcome outcome = ReplayOutcome::kQuit;
  int32_t update = 0;   // the updates the level had run when it ended
  uint64_t hash = 0;    // the game's state at the end, as a hash a replay checks
  int32_t rewinds = 0;  // how often the player rewound
  bool operator==(const ReplayEnd&) const = default;
};

// The level of a level pack a replay carries, so that it plays back whatever became of
// the pack since. The saved game and the pack progress know the level by its ids and
// hash, which a level begun again from the replay takes over.
struct ReplayPackLevel {
  std::string pack;    // the pack's id; empty for a level file played on its own
  int32_t number = 1;  // the level's place in the pack, 1-based
  std::string id;      // the level file's id (its name without ".level")
  std::string hash;    // the content hash of the file played (16 lower-case hex digits;
                       // empty for a level made in memory)
  std::string text;    // the level file's text, as FormatLevelFile writes it
  bool operator==(const ReplayPackLevel&) const = default;
};

struct Replay {
  static constexpr int32_t kFormatVersion = 1;
  int32_t format = kFormatVersion;
  std::string program;   // the program's version, Globals().Version ("1.0")
  std::string player;    // the player's name: any bytes
  int32_t gameType = 0;  // 0 classic, 1 puzzle
  int32_t level = 1;     // 1-based within the type, 1..kLastLevel + 1
  uint32_t seed = 0;     // the run's seed: the game's random stream starts from it
  bool tips = true;      // the ShowTips setting (a shown tip takes a click)
  // A level that starts fresh carries these over from the level before. A level resumed
  // from a saved game takes them from there: the file does not hold them then, and a
  // read leaves them at their defaults.
  int32_t money = 100000, delivered = 0, minutes = 0;
  // A level resumed from a saved game starts from that saved game: its plain document
  // (core::BuildDocument of the entries, see core/LParams.h); empty for a fresh start.
  std::string savedState;
  // The level played, when it was a level of a level pack rather than one of the level
  // table.
  std::optional<ReplayPackLevel> pack;
  std::vector<PlayerAction> actions;
  std::optional<ReplayEnd> end;  // missing while a level is still being recorded
  bool operator==(const Replay&) const = default;
};

// What a reader accepts at most: no real level comes near either.
constexpr size_t kReplayMaxBytes = size_t{32} << 20;
constexpr int32_t kReplayMaxActions = 1000000;

// The text of the file. A replay without its end gives a text without the end line,
// which the reader refuses as cut short.
std::string FormatReplay(const Replay& replay);

// Everything below answers false and one line saying what is wrong and where (the line
// number). On failure out is left as it was.
bool ParseReplay(const std::string& text, Replay& out, std::string& error);
// Refuses anything but a regular file, and files over kReplayMaxBytes unread.
bool ReadReplayFile(const std::string& path, Replay& out, std::string& error);
// Replaces the file at path crash-safely (see core::ReplaceFile). False when the write
// failed; the previous file at path is then left as it was.
bool WriteReplayFile(const std::string& path, const Replay& replay);

// The replays folder of the player's data folder (the working folder).
extern const char kReplaysFolder[];
// The name ending of replay files, and how many of the files the game names itself a
// folder keeps.
extern const char kReplaySuffix[];
constexpr int kKeptReplays = 100;

// A path for a new replay in folder that names no existing file: the local time, the
// game type and the level, as "20261207-174801-CLASSIC-L03.otr" (a level of a pack:
// "PACK" and its number in the pack); when that is taken, a counter follows
// ("...-L03-002.otr"). Names sort by time as text, once the suffix is taken off.
std::string NewReplayPath(const std::string& folder, const Replay& replay, std::time_t when);
// Deletes all but the newest keep files of folder that the game named (see
// NewReplayPath), and the temporary files writers killed in the folder left behind.
// Files the player named otherwise are not touched.
void PruneReplays(const std::string& folder, int keep = kKeptReplays);
// Makes the folder when missing, writes the replay under NewReplayPath and prunes the
// folder. The path written, or empty (with a line on stdout) when the write failed.
std::string SaveNewReplay(const std::string& folder, const Replay& replay, std::time_t when);
