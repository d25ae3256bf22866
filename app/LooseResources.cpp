#include "app/LooseResources.h"

#include <unistd.h>

#include <cstdio>

#include "platform/Files.h"
#include "platform/Folders.h"

bool LinkLooseResources(const std::string& resourceFolder, const std::string& workingFolder) {
  if (resourceFolder == workingFolder) return true;
  if (platform::IsFile(platform::JoinPath(resourceFolder, platform::kArchiveName))) return true;
  const std::string target = platform::JoinPath(resourceFolder, "Dat");
  if (!platform::IsFolder(target)) return true;
  char existing[4096];
  const ssize_t n = ::readlink("Dat", existing, sizeof existing - 1);
  if (n >= 0) {
    existing[n] = '\0';
    if (target == existing) return true;
    ::unlink("Dat");
  } else if (platform::IsFolder("Dat") || platform::IsFile("Dat")) {
    return true;
  }
  if (::symlink(target.c_str(), "Dat") == 0) return true;
  std::fprintf(stderr, "Error: cannot link the resource folder %s\n", target.c_str());
  return false;
}
