// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

FILE* OpenRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  FILE* f = ::fdopen(fd, "rb");
  if (f == nullptr) ::close(fd);
  return f;
}

bool ReadWhole(FILE* f, std::string& data, size_t maxBytes) {
  struct stat st {};
  if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<unsigned long long>(st.st_size) > maxBytes) {
    return false;
  }
  data.assign(static_cast<size_t>(st.st_size), '\0');
  return std::fread(data.data(), 1, data.size(), f) == data.size();
}

bool ReplaceableFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode);
}

FILE* CreateFreshFile(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(path.c_str());
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  FILE* f = ::fdopen(fd, "wb");
  if (f == nullptr) ::close(fd);
  return f;
}

bool FlushToDisk(FILE* f) { return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0; }

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool ReplaceFile(const std::string& path, const std::string& data) {
  const std::string temp = path + ".tmp";
  FILE* f = ReplaceableFile(path) ? CreateFreshFile(temp) : nullptr;
  if (f == nullptr) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size() && FlushToDisk(f);
  if (std::fclose(f) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (ok) {
    SyncFolderOf(path);
  } else {
    // Keep the reason of the failure for the caller's message.
    const int reason = errno;
    std::remove(temp.c_str());
    errno = reason;
  }
  return ok;
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
