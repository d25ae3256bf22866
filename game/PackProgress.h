// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's progress through the level packs, kept per level by the level's content
// hash (so a level changed in its file starts afresh, and a level moved to another
// pack keeps its record): finished or not, the most trains delivered and the best
// money. Stored in a text file of its own ("levels/progress.txt" in the player's
// folder), replaced crash-safely on every record:
//   ostrel-progress 1
//   level <hash> <finished 0/1> <best delivered> <best money>
// A damaged file is logged in one line, kept aside with ".damaged" added to its name
// and the progress starts empty; no saved game is touched.
#include <cstdint>
#include <map>
#include <string>

#include "game/LevelPacks.h"

constexpr const char* kPackProgressFile = "levels/progress.txt";
constexpr size_t kMaxProgressBytes = 1024 * 1024;

struct LevelProgress {
  bool finished = false;
  int bestDelivered = 0;
  int64_t bestMoney = 0;
  bool operator==(const LevelProgress&) const = default;
};

class PackProgress {
 public:
  // Reads the progress at path, which later records replace. A missing file is an
  // empty progress; a damaged one is logged, moved aside and the progress starts
  // empty. False only when the file was damaged.
  bool Load(const std::string& path);

  // One played level: the finished flag is kept once set, delivered and money keep
  // their best (a negative delivered counts as 0). Saves at once; false when the file
  // could not be written, or for a hash that is not 16 lower-case hex digits.
  bool Record(const std::string& contentHash, int delivered, int64_t money, bool finished);

  // The record of a level, nullptr when it has never been played.
  const LevelProgress* Find(const std::string& contentHash) const;
  bool Finished(const std::string& contentHash) const;

  // The first level of a pack is open; a level is open when the one before it is finished.
  bool Unlocked(const LevelPack& pack, size_t index) const;

  // The file text of the progress.
  std::string Format() const;

 private:
  bool Save() const;

  std::string path_;
  bool writable_ = true;  // false while a damaged file could not be moved aside
  std::map<std::string, LevelProgress> levels_;
};

// One parser for the progress text; a refusal is one line "FILE:LINE: reason".
std::optional<std::map<std::string, LevelProgress>> ParsePackProgress(const std::string& text,
                                                                      const std::string& fileName,
                                                                      std::string& why);
