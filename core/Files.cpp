// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace core {

bool CreateFolder(const std::string& path, unsigned mode) {
  return ::mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

std::vector<std::string> ListFolder(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string AbsolutePath(const std::string& path) {
  const std::string named = path.empty() ? "." : path;
  if (char* real = ::realpath(named.c_str(), nullptr)) {
    std::string absolute = real;
    std::free(real);
    return absolute;
  }
  if (named[0] == '/') return named;
  char current[4096];
  if (::getcwd(current, sizeof current) == nullptr) return named;
  return std::string(current) + "/" + named;
}

}  // namespace core
