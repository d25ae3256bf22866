// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

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
    // An empty entry stands for the current folder.
    const std::string dir = end > start ? dirs.substr(start, end - start) : std::string(".");
    if (::access((dir + "/" + name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// The process's start time is field 22 of /proc/self/stat, in clock ticks since boot,
// the clock CLOCK_BOOTTIME also counts from.
long MillisecondsSinceStart() {
  std::ifstream in("/proc/self/stat");
  std::string stat;
  if (!std::getline(in, stat)) return -1;
  const size_t close = stat.rfind(')');  // the command name may hold blanks
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat);
  fields.ignore(static_cast<std::streamsize>(close + 2));
  std::string field;
  unsigned long long startTicks = 0;
  for (int n = 3; n <= 22 && fields >> field; ++n)
    if (n == 22) startTicks = std::strtoull(field.c_str(), nullptr, 10);
  const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
  timespec now{};
  if (startTicks == 0 || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
    return -1;
  const long long nowMs = now.tv_sec * 1000LL + now.tv_nsec / 1000000;
  return static_cast<long>(nowMs - static_cast<long long>(startTicks) * 1000 / ticksPerSecond);
}

}  // namespace platform
