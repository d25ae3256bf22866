// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The soak's replays checked: every level the session recorded is watched again from
// its file to its recorded end, and must end there with the recorded state hash.
#include <string>

class GameSession;

struct ReplayTally {
  int written = 0;     // replays the session wrote
  int asRecorded = 0;  // ended at the recorded update with the recorded hash
  int differ = 0;      // ended otherwise, or could not be read or begun
  // What the replays were: how their levels ended, and how they started.
  int complete = 0, gameOver = 0, quit = 0;
  int rewound = 0;              // with at least one rewind
  int resumed = 0;              // begun from a saved game
  std::string firstDifference;  // the first replay that differed, and how
};

// Watches each replay the session has written (GameSession::Written), quietly, and
// leaves the session without a game.
ReplayTally CheckReplays(GameSession& session);
