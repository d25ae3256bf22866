// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader of the game's resources: records of the enciphered archive
// "data.dat", or loose files of the same names when the archive is not open.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/Cipher.h"

class LArchive {
 public:
  LArchive() = default;
  ~LArchive();
  LArchive(const LArchive&) = delete;
  LArchive& operator=(const LArchive&) = delete;

  // Opens the archive; false (with a log line where due) leaves loose-file mode.
  // Index records whose name is not terminated or whose block does not lie inside
  // the file are left out (with a line on standard output).
  bool Open(const std::string& path, const char* key, int keyLength);
  void Close();
  bool IsOpen() const { return open_; }

  // Size of the named file, or -1.
  int32_t GetSize(const std::string& name);
  // Reads the named file into buffer; its length, or -1.
  int32_t Read(const std::string& name, uint8_t* buffer, int32_t capacity);
  // Allocates size + 100 bytes into out and reads the file into it; its length or -1.
  int32_t LoadFile(const std::string& name, std::unique_ptr<uint8_t[]>& out);
  // The whole named file as text, byte for byte; false (text untouched) when missing.
  bool LoadText(const std::string& name, std::string& text);
  // Names that begin with the pattern's part before its last '*'.
  std::vector<std::string> ListFiles(const std::string& pattern);
  // Folder in which loose files are looked up when the archive is not open; empty
  // (the default) means the working folder. Names stay relative to it.
  void SetLooseRoot(const std::string& folder) { looseRoot_ = folder; }

  // Name and plain size of every usable index record, in index order (for tools).
  struct RecordInfo {
    std::string name;
    uint32_t size = 0;
  };
  std::vector<RecordInfo> Records() const;

 private:
  struct Record {
    std::string name;
    uint32_t start = 0;
    uint32_t end = 0;
    uint32_t size = 0;
  };
  bool ReadIndex();
  void AddRecord(const uint8_t* raw, uint32_t number);
  int32_t ReadLoose(const std::string& name, uint8_t* buffer, int32_t capacity);
  std::string LoosePath(const std::string& name) const;

  std::vector<Record> index_;
  int32_t FileNumbers = 0;  // records the header announced, usable or not
  int64_t fileLength_ = 0;
  FILE* file_ = nullptr;
  bool open_ = false;
  std::string looseRoot_;
  CipherContext ctx_{};
};

// The program-wide archive.
LArchive& Archive();
