// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Files.h"

#ifndef OT_INSTALL_DATA_DIR
#define OT_INSTALL_DATA_DIR "/usr/local/share/games/ostrel-trains"
#endif

namespace platform {

const char kArchiveName[] = "data.dat";

namespace {

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string ExecutableFolder() {
  char buffer[PATH_MAX + 1];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return "";
  buffer[n] = '\0';
  return ParentOf(buffer);
}

std::string InstalledDataFolder() { return OT_INSTALL_DATA_DIR; }

bool HasResources(const std::string& folder) {
  if (folder.empty()) return false;
  return core::IsFile(JoinPath(folder, kArchiveName)) || core::IsFolder(JoinPath(folder, "Dat"));
}

std::string InstalledDataFolderBeside(const std::string& executableFolder) {
  if (executableFolder.empty()) return "";
  return JoinPath(ParentOf(executableFolder), "share/games/ostrel-trains");
}

std::string FindResourceFolder() {
  const std::string executable = ExecutableFolder();
  return FindResourceFolder(
      {executable, InstalledDataFolderBeside(executable), InstalledDataFolder()});
}

std::string FindResourceFolder(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (HasResources(folder)) return folder;
  }
  return folders.empty() ? std::string() : folders.front();
}

std::string ChooseWorkingFolder(const FolderFacts& facts) {
  if (facts.homeOverrideSet && !facts.homeOverride.empty()) return facts.homeOverride;
  if (!facts.executableFolder.empty() && facts.executableFolder == facts.resourceFolder &&
      facts.executableHasResources && facts.executableFolderWritable)
    return facts.executableFolder;
  if (!facts.xdgDataHome.empty() && facts.xdgDataHome[0] == '/')
    return JoinPath(facts.xdgDataHome, "ostrel-trains");
  const std::string home = facts.home.empty() ? "." : facts.home;
  return JoinPath(home, ".local/share/ostrel-trains");
}

FolderFacts CurrentFolderFacts(const std::string& resourceFolder) {
  FolderFacts facts;
  const char* override = std::getenv("OSTREL_TRAINS_HOME");
  facts.homeOverrideSet = override != nullptr && override[0] != '\0';
  facts.homeOverride = EnvText("OSTREL_TRAINS_HOME");
  facts.executableFolder = ExecutableFolder();
  facts.resourceFolder = resourceFolder;
  facts.executableHasResources = HasResources(facts.executableFolder);
  facts.executableFolderWritable =
      !facts.executableFolder.empty() && ::access(facts.executableFolder.c_str(), W_OK | X_OK) == 0;
  facts.xdgDataHome = EnvText("XDG_DATA_HOME");
  facts.home = EnvText("HOME");
  return facts;
}

bool CreateFolderPath(const std::string& path, unsigned mode) {
  if (path.empty()) return false;
  if (core::IsFolder(path)) return true;
  const std::string parent = ParentOf(path);
  if (parent != path && !core::IsFolder(parent) && !CreateFolderPath(parent, mode)) return false;
  return core::CreateFolder(path, mode) || core::IsFolder(path);
}

bool EnterWorkingFolder(const std::string& folder) {
  if (!CreateFolderPath(folder, 0700)) {
    std::fprintf(stderr, "Error: cannot create the folder %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return false;
  }
  if (::chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "Error: cannot enter the folder %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace platform
