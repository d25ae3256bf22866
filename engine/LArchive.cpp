// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LArchive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cinttypes>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

#include "core/Files.h"

namespace {

// One index record as stored: the NUL-terminated name, then the offsets of the
// sealed body's start and end, the plain size and a reserved word, all little-endian.
struct TYPE_FILE_INFO {
  char name[152];
  uint8_t start[4];
  uint8_t end[4];
  uint8_t size[4];
  uint8_t reserved[4];
};
static_assert(sizeof(TYPE_FILE_INFO) == 168, "index records are 168 bytes");

constexpr int32_t kRecordSize = sizeof(TYPE_FILE_INFO);
constexpr int32_t kNameSize = sizeof(TYPE_FILE_INFO::name);
constexpr int32_t kSealedTrailer = 9;

uint32_t LoadLittle(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

bool ReadWord(FILE* f, uint32_t& value) {
  uint8_t bytes[4];
  if (std::fread(bytes, 1, 4, f) != 4) return false;
  value = LoadLittle(bytes);
  return true;
}

// Length of an open file, or -1.
int64_t FileLength(FILE* f) {
  struct stat st {};
  if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string PatternPrefix(const std::string& pattern) {
  const size_t star = pattern.rfind('*');
  return star == std::string::npos ? pattern : pattern.substr(0, star);
}

}  // namespace

LArchive::~LArchive() { Close(); }

void LArchive::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  open_ = false;
  index_.clear();
}

bool LArchive::Open(const std::string& path, const char* key, int keyLength) {
  Close();
  CipherSetup(ctx_, reinterpret_cast<const uint8_t*>(key), keyLength);
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) {
    std::printf("Error open file %s\n", path.c_str());
    return false;
  }
  if (!ReadIndex()) {
    Close();
    return false;
  }
  open_ = true;
  return true;
}

// Reads the header and the sealed index; keeps the records that lie inside the file.
bool LArchive::ReadIndex() {
  fileLength_ = FileLength(file_);
  uint32_t reserved = 0;
  uint32_t count = 0;
  uint32_t sealedLength = 0;
  if (fileLength_ < 12 || !ReadWord(file_, reserved) || !ReadWord(file_, count) ||
      !ReadWord(file_, sealedLength)) {
    return false;
  }
  // The sealed index cannot be longer than the rest of the file: a short read.
  if (int64_t{sealedLength} > fileLength_ - 12) return false;
  std::vector<uint8_t> sealed(sealedLength);
  if (std::fread(sealed.data(), 1, sealed.size(), file_) != sealed.size()) return false;

  const int64_t capacity = int64_t{count} * kRecordSize;
  int32_t result = -1;
  std::vector<uint8_t> plain;
  // An index that would not fit its own sealed block cannot decode; do not allocate.
  if (capacity <= int64_t{sealedLength}) {
    plain.assign(static_cast<size_t>(capacity) + 1024, 0);
    result = Unseal(ctx_, sealed.data(), static_cast<int32_t>(sealedLength), plain.data(),
                    static_cast<int32_t>(capacity));
  }
  // A failed unseal (a negative result) must not pass for a count: read as unsigned, -1
  // divides to 25565281 records, which would then be read from no index at all.
  if (result < 0 || static_cast<uint32_t>(result) / kRecordSize != count) {
    std::printf("Error decode. ReadLen/sizeof(TYPE_FILE_INFO) != FileNumbers\n");
    return false;
  }
  FileNumbers = static_cast<int32_t>(count);
  for (uint32_t i = 0; i < count; ++i) AddRecord(plain.data() + size_t{i} * kRecordSize, i);
  return true;
}

// Adds one index record, unless its name or its block is unusable: a record whose
// name does not end within its field, or whose block does not lie inside the file
// and cannot hold its size, is skipped with a line on standard output.
void LArchive::AddRecord(const uint8_t* raw, uint32_t number) {
  const void* nul = std::memchr(raw, 0, kNameSize);
  if (nul == nullptr) {
    std::printf("Error(LArchive::Open): record %" PRIu32 " has an unterminated name, skipped\n",
                number);
    return;
  }
  Record record;
  record.name.assign(reinterpret_cast<const char*>(raw), static_cast<const uint8_t*>(nul) - raw);
  record.start = LoadLittle(raw + offsetof(TYPE_FILE_INFO, start));
  record.end = LoadLittle(raw + offsetof(TYPE_FILE_INFO, end));
  record.size = LoadLittle(raw + offsetof(TYPE_FILE_INFO, size));
  const bool inside =
      record.start >= 12 && record.start <= record.end && int64_t{record.end} <= fileLength_;
  const uint32_t sealed = record.end - record.start;
  if (!inside || sealed < kSealedTrailer + 8 || record.size > sealed - kSealedTrailer ||
      sealed > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
    std::printf("Error(LArchive::Open): record %" PRIu32 " (%s) lies outside the file, skipped\n",
                number, record.name.c_str());
    return;
  }
  index_.push_back(std::move(record));
}

int32_t LArchive::GetSize(const std::string& name) {
  if (!open_) {
    FILE* f = std::fopen(LoosePath(name).c_str(), "rb");
    if (f == nullptr) return -1;
    const int64_t length = FileLength(f);
    std::fclose(f);
    if (length < 0 || length > std::numeric_limits<int32_t>::max()) return -1;
    return static_cast<int32_t>(length);
  }
  for (auto it = index_.rbegin(); it != index_.rend(); ++it) {
    if (it->name == name) return static_cast<int32_t>(it->size);
  }
  return -1;
}

int32_t LArchive::Read(const std::string& name, uint8_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity < 0) return -1;
  if (!open_) return ReadLoose(name, buffer, capacity);
  std::vector<uint8_t> sealed;
  for (const Record& record : index_) {
    if (record.name != name) continue;
    const uint32_t length = record.end - record.start;
    if (length > static_cast<uint32_t>(capacity)) continue;
    sealed.resize(length);
    if (std::fseek(file_, static_cast<long>(record.start), SEEK_SET) != 0) continue;
    if (std::fread(sealed.data(), 1, length, file_) != length) continue;
    const int32_t result =
        Unseal(ctx_, sealed.data(), static_cast<int32_t>(length), buffer, capacity);
    if (result >= 0 && static_cast<uint32_t>(result) == record.size) return result;
  }
  return -1;
}

std::string LArchive::LoosePath(const std::string& name) const {
  if (looseRoot_.empty() || name.empty() || name[0] == '/') return name;
  return looseRoot_ + (looseRoot_.back() == '/' ? "" : "/") + name;
}

int32_t LArchive::ReadLoose(const std::string& name, uint8_t* buffer, int32_t capacity) {
  FILE* f = std::fopen(LoosePath(name).c_str(), "rb");
  if (f == nullptr) return -1;
  const int64_t length = FileLength(f);
  int32_t result = -1;
  if (length >= 0 && length <= capacity &&
      std::fread(buffer, 1, static_cast<size_t>(length), f) == static_cast<size_t>(length)) {
    result = static_cast<int32_t>(length);
  }
  std::fclose(f);
  return result;
}

int32_t LArchive::LoadFile(const std::string& name, std::unique_ptr<uint8_t[]>& out) {
  const int32_t size = GetSize(name);
  if (size < 0) return -1;
  const int64_t capacity = int64_t{size} + 100;
  if (capacity > std::numeric_limits<int32_t>::max()) return -1;
  out.reset(new (std::nothrow) uint8_t[static_cast<size_t>(capacity)]);
  if (!out) return -1;
  const int32_t length = Read(name, out.get(), static_cast<int32_t>(capacity));
  // Clear what follows the file (the cipher's padding), so a text is NUL-terminated.
  const int32_t used = std::max(length, 0);
  std::memset(out.get() + used, 0, static_cast<size_t>(capacity - used));
  return length;
}

bool LArchive::LoadText(const std::string& name, std::string& text) {
  std::unique_ptr<uint8_t[]> data;
  const int32_t length = LoadFile(name, data);
  if (length < 0 || !data) return false;
  text.assign(reinterpret_cast<const char*>(data.get()), static_cast<size_t>(length));
  return true;
}

std::vector<std::string> LArchive::ListFiles(const std::string& pattern) {
  const std::string prefix = PatternPrefix(pattern);
  std::vector<std::string> names;
  if (open_) {
    for (const Record& record : index_) {
      if (StartsWith(record.name, prefix)) names.push_back(record.name);
    }
    return names;
  }
  // Loose files: the folder part of the prefix is listed; what follows its last '/'
  // must begin each entry's name.
  const size_t slash = prefix.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : prefix.substr(0, slash + 1);
  const std::string start = prefix.substr(folder.size());
  for (const std::string& entry : core::ListFolder(LoosePath(folder.empty() ? "." : folder))) {
    if (StartsWith(entry, start)) names.push_back(folder + entry);
  }
  return names;
}

std::vector<LArchive::RecordInfo> LArchive::Records() const {
  std::vector<RecordInfo> records;
  for (const Record& record : index_) records.push_back({record.name, record.size});
  return records;
}

LArchive& Archive() {
  static LArchive archive;
  return archive;
}
