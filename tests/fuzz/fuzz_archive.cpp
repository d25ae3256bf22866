// SPDX-License-Identifier: GPL-3.0-or-later
// LArchive::Open of the input as an archive file, then every record read whole, by
// size and into a buffer of its size.
#include <memory>
#include <vector>

#include "engine/LArchive.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::TempPath("fuzz.dat");
  if (!fuzz::WriteBytes(path, data, size)) return 0;
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
