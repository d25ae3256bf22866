#include "platform/Process.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

// Replaces the current (child) process image; only returns by exiting.
[[noreturn]] void ExecOrExit(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  ::_exit(127);
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunAndWait(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) ExecOrExit(argv);
  return WaitFor(pid);
}

bool StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    // The intermediate child starts the program and leaves at once, so the
    // program is adopted by init and this process never has to reap it.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) ExecOrExit(argv);
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  return WaitFor(pid) == 0;
}

bool ProgramInPath(const std::string& name) {
  if (name.empty()) return false;
  if (name.find('/') != std::string::npos) return ::access(name.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    if (dir.empty()) dir = ".";
    if (::access((dir + "/" + name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace platform
