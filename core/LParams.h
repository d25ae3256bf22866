// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter store: a document of (key, text value) pairs in memory (the value
// operations of ValueStore), read from and sealed into one file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/MemoryStore.h"

class LParams : public core::MemoryStore {
 public:
  LParams() = default;
  ~LParams();
  LParams(const LParams&) = delete;
  LParams& operator=(const LParams&) = delete;

  // False once a value that is not optional was missing on load, or the file failed.
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

 protected:
  void Missing() override { AllFound = false; }

 private:
  bool WriteDocument();

  std::string path_;
  std::string tempPath_;
  FILE* file_ = nullptr;
  bool writing_ = false;
};

// The program-wide store.
LParams& Params();

namespace core {

// The plain document the store seals: the entry count, then for each entry the key's
// length, the key, the value's length and the value, every number right-aligned in 8
// characters.
std::string BuildDocument(const ParamEntries& entries);
// Appends the entries of a plain document. False when a count or a length runs past its
// end, and, when exact, when bytes follow the last entry.
bool ParseDocument(const std::string& doc, bool exact, ParamEntries& entries);

}  // namespace core
