// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Process.h"
#include "platform/Terminal.h"
#include "platform/Window.h"

namespace platform {
namespace {

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return !IsDummyVideo() && display != nullptr && display[0] != '\0';
}

bool HasPrefix(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

void ShowErrorBox(const std::string& caption, const std::string& text) {
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
  std::fflush(stderr);
  TellTerminal(caption.empty() ? line : caption + ": " + line);
  if (!HaveDisplay() || !ProgramInPath("xmessage")) return;
  // A leading blank keeps a text that starts with '-' from reading as an option.
  if (!line.empty() && line[0] == '-') line = " " + line;
  RunAndWait(
      {"xmessage", "-center", "-title", caption, "-buttons", "OK:0", "-default", "OK", line});
}

bool OpenWebPage(const std::string& url) {
  if (IsDummyVideo() || !ProgramInPath("xdg-open")) return false;
  if (!HasPrefix(url, "http://") && !HasPrefix(url, "https://") && !HasPrefix(url, "file://"))
    return false;
  return StartDetached({"xdg-open", url});
}

}  // namespace platform
