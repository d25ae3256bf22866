// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LParams.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>

#include "core/Cipher.h"
#include "core/Files.h"

namespace {

constexpr size_t kNumberWidth = 8;

std::string Number8(size_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%8zu", value);
  return text;
}

// Reads one 8-character number field at pos as the runtime's text-to-int does
// (leading blanks, optional sign, digits up to the first other character).
// False when the field runs past the end or the number is negative.
bool ReadNumber(const std::string& doc, size_t& pos, size_t& value) {
  if (doc.size() - pos < kNumberWidth) return false;
  const std::string field = doc.substr(pos, kNumberWidth);
  pos += kNumberWidth;
  const long number = std::strtol(field.c_str(), nullptr, 10);
  if (number < 0) return false;
  value = static_cast<size_t>(number);
  return true;
}

bool ReadBytes(const std::string& doc, size_t& pos, size_t length, std::string& out) {
  if (doc.size() - pos < length) return false;
  out = doc.substr(pos, length);
  pos += length;
  return true;
}

// Temporary files of writers in this process that have not closed yet.
std::set<std::string>& OpenTemporaries() {
  static std::set<std::string> open;
  return open;
}

constexpr char kTempSuffix[] = ".tmp";

// A writer killed between writing its temporary file and renaming it leaves the
// temporary file behind. The store's files end in ".sav", so every "*.sav.tmp" in the
// folder that no writer of this process holds open is such a leftover.
void RemoveStaleTemporaries(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string leftover = std::string(".sav") + kTempSuffix;
  for (const std::string& name : core::ListFolder(folder)) {
    if (name.size() <= leftover.size() ||
        name.compare(name.size() - leftover.size(), leftover.size(), leftover) != 0) {
      continue;
    }
    const std::string temp = prefix + name;
    struct stat st {};
    if (OpenTemporaries().count(temp) != 0 || ::lstat(temp.c_str(), &st) != 0 ||
        !S_ISREG(st.st_mode)) {
      continue;
    }
    if (::unlink(temp.c_str()) == 0) {
      std::printf("LParams: removed the unfinished file %s\n", temp.c_str());
    }
  }
}

}  // namespace

namespace core {

// Parses the plain document. Nothing is read beyond it: a count or a length that
// runs past its end makes the whole document unusable, and so do bytes left after the
// last entry when the document's length is exact.
bool ParseDocument(const std::string& doc, bool exact, ParamEntries& entries) {
  size_t pos = 0;
  size_t count = 0;
  if (!ReadNumber(doc, pos, count)) return false;
  // Every entry takes at least its two length fields.
  if (count > (doc.size() - pos) / (2 * kNumberWidth)) return false;
  for (size_t i = 0; i < count; ++i) {
    size_t length = 0;
    std::string key;
    std::string value;
    if (!ReadNumber(doc, pos, length) || !ReadBytes(doc, pos, length, key)) return false;
    if (!ReadNumber(doc, pos, length) || !ReadBytes(doc, pos, length, value)) return false;
    entries.emplace_back(std::move(key), std::move(value));
  }
  // A block that gave its own length ends where the document ends. Bytes beyond it
  // come from a changed length field: the padding behind the document reads as data.
  return !exact || pos == doc.size();
}

std::string BuildDocument(const ParamEntries& entries) {
  std::string doc = Number8(entries.size());
  for (const auto& [key, value] : entries) {
    doc += Number8(key.size());
    doc += key;
    doc += Number8(value.size());
    doc += value;
  }
  return doc;
}

}  // namespace core

LParams::~LParams() {
  // At program end the entries are released without writing.
  if (file_ != nullptr) std::fclose(file_);
  if (writing_) {
    std::remove(tempPath_.c_str());
    OpenTemporaries().erase(tempPath_);
  }
}

bool LParams::OpenWrite(const std::string& path) {
  if (file_ != nullptr) Close();
  // The document goes to a temporary file beside the target; Close renames it over
  // the target, so the previous file stays whole until the new one is complete.
  const std::string temp = path + kTempSuffix;
  RemoveStaleTemporaries(path);
  file_ = core::ReplaceableFile(path) ? core::CreateFreshFile(temp) : nullptr;
  if (file_ == nullptr) {
    std::printf("Error open file %s\n", path.c_str());
    AllFound = false;
    return false;
  }
  path_ = path;
  tempPath_ = temp;
  OpenTemporaries().insert(temp);
  writing_ = true;
  Reset();
  AllFound = true;
  return true;
}

bool LParams::OpenRead(const std::string& path) {
  if (file_ != nullptr) Close();
  // Values saved after a failed OpenWrite were never written anywhere; they must not
  // be found ahead of (or instead of) what this file holds.
  Reset();
  AllFound = false;
  FILE* f = core::OpenRegularFile(path);
  if (f == nullptr) {
    std::printf("Error open file %s\n", path.c_str());
    return false;
  }
  std::string sealed;
  core::ParamEntries loaded;
  bool ok = core::ReadWhole(f, sealed, INT32_MAX - 200);
  if (ok) {
    const int32_t capacity = static_cast<int32_t>(sealed.size()) + 100;
    std::string plain(static_cast<size_t>(capacity) + 1, '\0');
    const int32_t length =
        Unseal(ProgramCipher(), reinterpret_cast<const uint8_t*>(sealed.data()),
               static_cast<int32_t>(sealed.size()), reinterpret_cast<uint8_t*>(plain.data()),
               capacity);
    ok = length > 0;
    if (ok) {
      plain.resize(static_cast<size_t>(length));
      ok = core::ParseDocument(plain, length < capacity, loaded);
      if (!ok) std::printf("Error(LParams::OpenRead): damaged document in %s\n", path.c_str());
    }
  }
  if (!ok) {
    std::fclose(f);
    return false;
  }
  file_ = f;
  path_ = path;
  writing_ = false;
  Reset(std::move(loaded));
  AllFound = true;
  return true;
}

bool LParams::Close() {
  if (file_ == nullptr) return true;
  bool ok = true;
  if (writing_) {
    ok = WriteDocument();
    if (std::fclose(file_) != 0) ok = false;
    OpenTemporaries().erase(tempPath_);
    if (ok && std::rename(tempPath_.c_str(), path_.c_str()) != 0) ok = false;
    if (ok) {
      core::SyncFolderOf(path_);
    } else {
      std::printf("Error(LParams::Close): unable to write file %s: %s\n", path_.c_str(),
                  std::strerror(errno));
      std::remove(tempPath_.c_str());
    }
  } else {
    std::fclose(file_);
  }
  file_ = nullptr;
  writing_ = false;
  Reset();
  return ok;
}

// Seals the document and writes it to the temporary file, through to the disk.
bool LParams::WriteDocument() {
  const std::string doc = core::BuildDocument(Entries());
  if (doc.size() > static_cast<size_t>(INT32_MAX - 200)) {
    errno = EFBIG;
    return false;
  }
  const int32_t capacity = static_cast<int32_t>(doc.size()) + 100;
  std::vector<uint8_t> sealed(static_cast<size_t>(capacity));
  const int32_t length = Seal(ProgramCipher(), reinterpret_cast<const uint8_t*>(doc.data()),
                              static_cast<int32_t>(doc.size()), sealed.data(), capacity, false);
  if (length < 0) return false;
  if (std::fwrite(sealed.data(), 1, static_cast<size_t>(length), file_) !=
      static_cast<size_t>(length)) {
    return false;
  }
  return core::FlushToDisk(file_);
}

LParams& Params() {
  static LParams params;
  return params;
}
