// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: the program's cipher, one private temp folder per
// process and the sealed-or-raw document convention.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Prepares the program's cipher once.
void Init();
// A private empty folder (below /dev/shm when usable, else the temp folder), made on
// the first call and removed when the process exits.
const std::string& TempFolder();
// TempFolder()/name.
std::string TempPath(const std::string& name);

// Writes size bytes to path; false when the file cannot be written.
bool WriteBytes(const std::string& path, const uint8_t* data, size_t size);
// The selector convention of the document targets: the first byte is even → the rest is
// a plain parameter document and is sealed (mode 'n') with the program's cipher before
// it is written; odd → the rest is written as it is. False for an empty input.
bool WriteDocument(const std::string& path, const uint8_t* data, size_t size);

}  // namespace fuzz
