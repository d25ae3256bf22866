// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Terminal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

const char kProgramName[] = "ostrel-trains";

namespace {
int keptTerminal = -1;
}  // namespace

void KeepTerminal() {
  if (keptTerminal >= 0 || !::isatty(STDERR_FILENO)) return;
  // Close-on-exec: helper programs get the log streams, not the terminal.
  keptTerminal = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
}

void ForgetTerminal() {
  if (keptTerminal < 0) return;
  ::close(keptTerminal);
  keptTerminal = -1;
}

void TellTerminal(const std::string& line) {
  if (keptTerminal < 0) return;
  const std::string text = std::string(kProgramName) + ": " + line + "\n";
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(keptTerminal, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a terminal that went away is not worth more
    written += static_cast<size_t>(n);
  }
}

}  // namespace platform
