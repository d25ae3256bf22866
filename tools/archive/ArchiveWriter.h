// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes resource archives in the format the game reads with LArchive: a
// little-endian header, the sealed index of 168-byte records, then one sealed
// block per file. Only this tool writes archives; the game has no writer.
#include <cstdint>
#include <string>
#include <vector>

namespace archive_tool {

struct PackEntry {
  std::string name;  // as the game asks for it, e.g. "Dat/Icon.bmp"
  std::vector<uint8_t> data;
};

// The longest name a record can hold (its field keeps a terminating NUL).
constexpr size_t kMaxNameLength = 151;

// Builds the whole archive image for the entries, in their order, sealed in mode
// "n" with the given key. False (and error set) when a name is too long or empty.
bool BuildArchive(const std::vector<PackEntry>& entries, const char* key, int keyLength,
                  std::vector<uint8_t>& image, std::string& error);

// Writes the image to path + ".tmp", syncs it and renames it over path.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& image,
                         std::string& error);

}  // namespace archive_tool
