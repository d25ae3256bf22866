// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/archive/ArchiveWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/Cipher.h"

namespace archive_tool {

namespace {

constexpr size_t kRecordSize = 168;
constexpr size_t kNameField = 152;
constexpr size_t kHeaderSize = 12;

void PutLittle(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

std::vector<uint8_t> SealBytes(const CipherContext& ctx, const uint8_t* data, size_t n) {
  std::vector<uint8_t> out(static_cast<size_t>(SealedLength(static_cast<int32_t>(n))));
  const int32_t length =
      Seal(ctx, data, static_cast<int32_t>(n), out.data(), static_cast<int32_t>(out.size()), false);
  out.resize(length < 0 ? 0 : static_cast<size_t>(length));
  return out;
}

bool CheckEntries(const std::vector<PackEntry>& entries, std::string& error) {
  if (entries.size() > (1u << 20)) {
    error = "too many files";
    return false;
  }
  uint64_t total = kHeaderSize + entries.size() * kRecordSize + 17;
  for (const PackEntry& entry : entries) {
    if (entry.name.empty() || entry.name.size() > kMaxNameLength ||
        entry.name.find('\0') != std::string::npos) {
      error = "bad record name \"" + entry.name + "\" (1 to 151 bytes, no NUL)";
      return false;
    }
    total += entry.data.size() + 17;
  }
  // Offsets are 32-bit and the reader takes sizes as signed 32-bit numbers.
  if (total > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
    error = "the archive would exceed 2 GB";
    return false;
  }
  return true;
}

}  // namespace

bool BuildArchive(const std::vector<PackEntry>& entries, const char* key, int keyLength,
                  std::vector<uint8_t>& image, std::string& error) {
  if (!CheckEntries(entries, error)) return false;
  CipherContext ctx{};
  CipherSetup(ctx, reinterpret_cast<const uint8_t*>(key), keyLength);

  std::vector<std::vector<uint8_t>> bodies;
  for (const PackEntry& entry : entries) {
    bodies.push_back(SealBytes(ctx, entry.data.data(), entry.data.size()));
  }
  std::vector<uint8_t> index(entries.size() * kRecordSize, 0);
  const size_t indexSealed = static_cast<size_t>(SealedLength(static_cast<int32_t>(index.size())));
  uint32_t offset = static_cast<uint32_t>(kHeaderSize + indexSealed);
  for (size_t i = 0; i < entries.size(); ++i) {
    uint8_t* record = index.data() + i * kRecordSize;
    std::memcpy(record, entries[i].name.data(), entries[i].name.size());
    PutLittle(record + kNameField, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
    PutLittle(record + kNameField + 4, offset);
    PutLittle(record + kNameField + 8, static_cast<uint32_t>(entries[i].data.size()));
  }
  const std::vector<uint8_t> sealedIndex = SealBytes(ctx, index.data(), index.size());

  image.assign(kHeaderSize, 0);
  PutLittle(image.data() + 4, static_cast<uint32_t>(entries.size()));
  PutLittle(image.data() + 8, static_cast<uint32_t>(sealedIndex.size()));
  image.insert(image.end(), sealedIndex.begin(), sealedIndex.end());
  for (const auto& body : bodies) image.insert(image.end(), body.begin(), body.end());
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& image,
                         std::string& error) {
  const std::string temp = path + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) {
    error = "cannot create " + temp + ": " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(image.data(), 1, image.size(), f) == image.size() && std::fflush(f) == 0 &&
            ::fsync(::fileno(f)) == 0;
  ok = std::fclose(f) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temp.c_str());
  }
  return ok;
}

}  // namespace archive_tool
