// SPDX-License-Identifier: GPL-3.0-or-later
// ot-archive: lists, extracts and packs the game's resource archive.
//   ot-archive list FILE.dat
//   ot-archive extract FILE.dat OUTDIR
//   ot-archive pack OUT.dat ROOT     (every regular file below ROOT/Dat)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "core/Cipher.h"
#include "engine/LArchive.h"
#include "tools/archive/ArchiveWriter.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: ot-archive list FILE.dat\n"
               "       ot-archive extract FILE.dat OUTDIR\n"
               "       ot-archive pack OUT.dat ROOT\n");
  return 2;
}

bool OpenArchive(LArchive& archive, const std::string& path) {
  if (archive.Open(path, kProgramKey, kProgramKeyLength)) return true;
  std::fprintf(stderr, "ot-archive: %s is not a readable archive\n", path.c_str());
  return false;
}

int List(const std::string& path) {
  LArchive archive;
  if (!OpenArchive(archive, path)) return 1;
  for (const auto& record : archive.Records()) {
    std::printf("%s %u\n", record.name.c_str(), record.size);
  }
  return 0;
}

// A record name is extracted only as a relative path that stays inside OUTDIR.
bool SafeName(const std::string& name) {
  if (name.empty() || name.front() == '/') return false;
  for (const auto& part : fs::path(name)) {
    if (part == "..") return false;
  }
  return true;
}

bool WriteFile(const fs::path& path, const uint8_t* data, size_t size) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

int Extract(const std::string& path, const std::string& outDir) {
  LArchive archive;
  if (!OpenArchive(archive, path)) return 1;
  int status = 0;
  std::set<std::string> done;
  for (const auto& record : archive.Records()) {
    if (!done.insert(record.name).second) continue;
    if (!SafeName(record.name)) {
      std::fprintf(stderr, "ot-archive: refusing unsafe name \"%s\"\n", record.name.c_str());
      status = 1;
      continue;
    }
    std::unique_ptr<uint8_t[]> data;
    const int32_t size = archive.LoadFile(record.name, data);
    if (size < 0 || !WriteFile(fs::path(outDir) / record.name, data.get(), size_t(size))) {
      std::fprintf(stderr, "ot-archive: cannot extract \"%s\"\n", record.name.c_str());
      status = 1;
    }
  }
  return status;
}

bool ReadFile(const fs::path& path, std::vector<uint8_t>& data) {
  std::ifstream in(path, std::ios::binary);
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Every regular file below ROOT/Dat, named by its path relative to ROOT with '/'.
bool Collect(const fs::path& root, std::vector<archive_tool::PackEntry>& entries) {
  std::error_code ec;
  const fs::path data = root / "Dat";
  if (!fs::is_directory(data, ec)) {
    std::fprintf(stderr, "ot-archive: %s is not a folder\n", data.c_str());
    return false;
  }
  for (auto it = fs::recursive_directory_iterator(data, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    archive_tool::PackEntry entry;
    entry.name = it->path().lexically_relative(root).generic_string();
    if (!ReadFile(it->path(), entry.data)) {
      std::fprintf(stderr, "ot-archive: cannot read %s\n", it->path().c_str());
      return false;
    }
    entries.push_back(std::move(entry));
  }
  if (ec) {
    std::fprintf(stderr, "ot-archive: cannot list %s: %s\n", data.c_str(), ec.message().c_str());
    return false;
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return true;
}

int Pack(const std::string& outPath, const std::string& root) {
  std::vector<archive_tool::PackEntry> entries;
  if (!Collect(root, entries)) return 1;
  std::vector<uint8_t> image;
  std::string error;
  if (!archive_tool::BuildArchive(entries, kProgramKey, kProgramKeyLength, image, error) ||
      !archive_tool::WriteFileAtomically(outPath, image, error)) {
    std::fprintf(stderr, "ot-archive: %s\n", error.c_str());
    return 1;
  }
  std::printf("ot-archive: packed %zu files into %s\n", entries.size(), outPath.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "list") return List(args[1]);
  if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2]);
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  return Usage();
}
