// SPDX-License-Identifier: GPL-3.0-or-later
// LArchive::Open of the input as an archive file, then every record read whole, by
// size and into a buffer of its size.
//
// The index is sealed, so random bytes rarely get past it. An input that begins with
// "IDX:" is an archive whose index is plain: the target seals it first, so that the
// index records themselves (names, offsets, sizes) reach the reader.
#include <cstring>
#include <memory>
#include <vector>

#include "core/Cipher.h"
#include "engine/LArchive.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

constexpr char kPlainIndex[] = "IDX:";
constexpr size_t kHeader = 12;  // reserved word, record count, index length

uint32_t Little(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The archive image of a plain-index input: the header's index length and the index
// replaced by the sealed index. Empty when the input is too short for its own header.
std::vector<uint8_t> SealIndex(const uint8_t* data, size_t size) {
  if (size < kHeader) return {};
  const uint32_t plainLength = Little(data + 8);
  if (plainLength > size - kHeader || plainLength > (1u << 20)) return {};
  const auto n = static_cast<int32_t>(plainLength);
  std::vector<uint8_t> image(data, data + kHeader);
  image.resize(kHeader + static_cast<size_t>(SealedLength(n)));
  const int32_t sealed =
      Seal(ProgramCipher(), data + kHeader, n, image.data() + kHeader, SealedLength(n), false);
  for (int k = 0; k < 4; ++k) image[8 + k] = static_cast<uint8_t>(uint32_t(sealed) >> (8 * k));
  image.insert(image.end(), data + kHeader + plainLength, data + size);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::TempPath("fuzz.dat");
  fuzz::Init();
  const size_t tag = sizeof kPlainIndex - 1;
  if (size >= tag && std::memcmp(data, kPlainIndex, tag) == 0) {
    const std::vector<uint8_t> image = SealIndex(data + tag, size - tag);
    if (!fuzz::WriteBytes(path, image.data(), image.size())) return 0;
  } else if (!fuzz::WriteBytes(path, data, size)) {
    return 0;
  }
  LArchive archive;
  archive.SetLooseRoot(fuzz::TempFolder());
  if (!archive.Open(path, kProgramKey, kProgramKeyLength)) return 0;
  for (const LArchive::RecordInfo& record : archive.Records()) {
    std::unique_ptr<uint8_t[]> whole;
    archive.LoadFile(record.name, whole);
    const int32_t length = archive.GetSize(record.name);
    if (length < 0) continue;
    std::vector<uint8_t> buffer(static_cast<size_t>(length));
    archive.Read(record.name, buffer.data(), length);
  }
  archive.ListFiles("Dat/*");
  return 0;
}
