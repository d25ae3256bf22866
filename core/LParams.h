// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter store: a flat list of (key, text value) pairs, sealed into one file.
// One value operation per kind serves both directions, so one routine per object
// both saves (direction 1) and loads (direction 0).
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

constexpr int kSave = 1;
constexpr int kLoad = 0;

class LParams {
 public:
  LParams() = default;
  ~LParams();
  LParams(const LParams&) = delete;
  LParams& operator=(const LParams&) = delete;

  bool AllFound = false;

  // Writing goes to path + ".tmp", created here; Close renames it over path. Fails
  // when path names something other than a regular file. Leftover "*.sav.tmp" files of
  // killed writers in the folder are removed first.
  bool OpenWrite(const std::string& path);
  // Replaces the entries by the file's document. Fails (nothing loaded) for a path
  // that is not a regular file, a file that cannot be opened or does not unseal, or a
  // document with a count or length running past its end or bytes after its end.
  bool OpenRead(const std::string& path);
  // Writes the document (for a store opened for writing) and closes. False when a
  // write failed; the previous file is then left as it was.
  bool Close();

  bool Text(const std::string& prefix, const std::string& name, std::string& value,
            int direction, bool optional = false);
  bool Long(const std::string& prefix, const std::string& name, int32_t& value,
            int direction, bool optional = false);
  bool Double(const std::string& prefix, const std::string& name, double& value,
              int direction, bool optional = false);
  bool Bool(const std::string& prefix, const std::string& name, bool& value,
            int direction, bool optional = false);

  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  bool WriteDocument();
  bool Value(const std::string& prefix, const std::string& name, std::string& text,
             int direction, bool optional);
  // The value of the first entry with the key, or nullptr.
  const std::string* Find(const std::string& key);
  void ClearEntries();

  std::vector<std::pair<std::string, std::string>> entries_;
  // Where each key first stands among entries_[0, indexed_): a saved game holds a
  // hundred thousand keys and more, each read once, so a lookup must not walk them all.
  std::unordered_map<std::string, size_t> index_;
  size_t indexed_ = 0;
  std::string path_;
  std::string tempPath_;
  FILE* file_ = nullptr;
  bool writing_ = false;
};

// The program-wide store.
LParams& Params();

namespace core {

using ParamEntries = std::vector<std::pair<std::string, std::string>>;

// The plain document the store seals: the entry count, then for each entry the key's
// length, the key, the value's length and the value, every number right-aligned in 8
// characters.
std::string BuildDocument(const ParamEntries& entries);
// Appends the entries of a plain document. False when a count or a length runs past its
// end, and, when exact, when bytes follow the last entry.
bool ParseDocument(const std::string& doc, bool exact, ParamEntries& entries);

}  // namespace core
