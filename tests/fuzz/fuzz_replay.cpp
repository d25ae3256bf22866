// SPDX-License-Identifier: GPL-3.0-or-later
// The replay file's reader on any text: it is read or refused with one line of message,
// never more; a text that is read is written again, and that text reads back as the same
// replay and writes as itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/ReplayFile.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_replay: %s\n%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Replay replay;
  std::string error;
  if (!ParseReplay(text, replay, error)) {
    if (error.empty() || error.find('\n') != std::string::npos) {
      Broken("a refusal without a one-line message", error);
    }
    return 0;
  }
  const std::string written = FormatReplay(replay);
  Replay again;
  if (!ParseReplay(written, again, error)) Broken("the written text is refused", error);
  if (!(again == replay)) Broken("the written text reads as another replay", written);
  if (FormatReplay(again) != written) Broken("the written text writes otherwise", written);
  return 0;
}
