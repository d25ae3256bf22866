// SPDX-License-Identifier: GPL-3.0-or-later
// ot-archive-fixture: writes an archive whose records carry exactly the names given,
// including names no pack of a folder can produce ("../x", "/abs/x"). The tool's
// tests use it to check that extraction keeps every file inside its folder.
//   ot-archive-fixture OUT.dat NAME TEXT [NAME TEXT ...]
#include <cstdio>
#include <string>
#include <vector>

#include "core/Cipher.h"
#include "tools/archive/ArchiveWriter.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: ot-archive-fixture OUT.dat NAME TEXT [NAME TEXT ...]\n");
    return 2;
  }
  std::vector<archive_tool::PackEntry> entries;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string text = argv[i + 1];
    entries.push_back({argv[i], std::vector<uint8_t>(text.begin(), text.end())});
  }
  std::vector<uint8_t> image;
  std::string error;
  if (!archive_tool::BuildArchive(entries, kProgramKey, kProgramKeyLength, image, error) ||
      !archive_tool::WriteFileAtomically(argv[1], image, error)) {
    std::fprintf(stderr, "ot-archive-fixture: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
