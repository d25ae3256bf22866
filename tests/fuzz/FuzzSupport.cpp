// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/Cipher.h"

namespace fuzz {

namespace {

std::string MakeFolder() {
  std::vector<std::string> bases{"/dev/shm"};
  if (const char* tmp = std::getenv("TMPDIR")) bases.push_back(tmp);
  bases.push_back("/tmp");
  for (const std::string& base : bases) {
    if (access(base.c_str(), W_OK) != 0) continue;
    std::string pattern = base + "/ot-fuzz-XXXXXX";
    if (mkdtemp(pattern.data())) return pattern;
  }
  std::fprintf(stderr, "fuzz: cannot make a temp folder\n");
  std::abort();
}

std::string& Folder() {
  static std::string folder;
  return folder;
}

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(Folder(), ec);
}

}  // namespace

void Init() {
  static const bool ready = [] {
    CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
    return true;
  }();
  (void)ready;
}

const std::string& TempFolder() {
  if (Folder().empty()) {
    Folder() = MakeFolder();
    std::atexit(RemoveFolder);
  }
  return Folder();
}

std::string TempPath(const std::string& name) { return TempFolder() + "/" + name; }

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

bool WriteDocument(const std::string& path, const uint8_t* data, size_t size) {
  if (size == 0) return false;
  const bool seal = data[0] % 2 == 0;
  ++data;
  --size;
  if (!seal || size > (1u << 24)) return WriteBytes(path, data, size);
  Init();
  const int32_t n = static_cast<int32_t>(size);
  std::vector<uint8_t> sealed(static_cast<size_t>(SealedLength(n)));
  const int32_t m =
      Seal(ProgramCipher(), data, n, sealed.data(), static_cast<int32_t>(sealed.size()), false);
  return m >= 0 && WriteBytes(path, sealed.data(), static_cast<size_t>(m));
}

}  // namespace fuzz
