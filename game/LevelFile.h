// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A level read from a ".level" file: every value of a level record, its towns and
// tracks in the pair form, a name, a one-line description and the number of trains to
// deliver (par). The text form is one "key value" a line after the line
// "ostrel-level 1"; README.md describes it. Reading is strict: every key exactly once,
// every value in range, towns on town places and tracks on the field, or the level is
// refused with one line "FILE:LINE: reason".
#include <cstddef>
#include <optional>
#include <string>

#include "game/LevelTable.h"

constexpr int kLevelFileVersion = 1;
constexpr size_t kMaxLevelFileBytes = 64 * 1024;
constexpr size_t kMaxLevelNameLength = 64;
constexpr size_t kMaxLevelDescriptionLength = 200;

struct LevelFile {
  std::string id;           // the file's name without ".level"
  std::string path;         // where it was read from ("" for text parsed from memory)
  std::string name;         // shown to the player
  std::string description;  // one line
  int par = 0;              // trains to deliver
  // Every field of the level record; towns/tracks in the pair form ("97,3 17,0 62,2").
  double trainPeriod = 0, crashPeriod = 0, crazyPeriod = 0, waveMinutes = 0, waveMax = 0;
  int trainCars = 0, levelMinutes = 0, housesPerTown = 0, forestCount = 0, forestSize = 0,
      background = 0, maxTowns = 0, locoMin = 0, locoMax = -1;
  std::string towns, tracks;
  std::string contentHash;  // 16 lower-case hex digits, FNV-1a 64 of the file's bytes
  // The record the game plays; its texts point into this object's towns/tracks, so it
  // is valid as long as this LevelFile lives (hold levels by shared_ptr<const LevelFile>).
  LevelParams Params() const;

  bool operator==(const LevelFile&) const = default;
};

// One parser. On refusal returns nullopt and sets why to one line "FILE:LINE: reason".
// fileName names the text in messages and gives the id.
std::optional<LevelFile> ParseLevelFile(const std::string& text, const std::string& fileName,
                                        std::string& why);
// Reads and parses the file at path (at most kMaxLevelFileBytes).
std::optional<LevelFile> ReadLevelFile(const std::string& path, std::string& why);
// The file text; parses back to the same level. Towns and tracks are written as
// parsed: pairs separated by one blank.
std::string FormatLevelFile(const LevelFile& level);

// A level file holding the values of a level record (a built-in level, or one a tool
// made); name, description and par as given.
LevelFile LevelFileFrom(const LevelParams& record, const std::string& name,
                        const std::string& description, int par);

// The content hash of file bytes: FNV-1a 64 as 16 lower-case hex digits.
std::string LevelContentHash(const std::string& bytes);
