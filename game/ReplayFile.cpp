// SPDX-License-Identifier: GPL-3.0-or-later
// The replay file's writer, and reading and writing it as a file.
#include "game/ReplayFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/Files.h"
#include "game/ReplayNames.h"
#include "game/ReplayText.h"

namespace {

void AppendNumber(std::string& text, int64_t value) {
  char digits[24];
  std::snprintf(digits, sizeof digits, " %" PRId64, value);
  text += digits;
}

// A space and the value escaped, unless it is empty. (Appended piece by piece: GCC 12
// warns falsely of overlapping copies in " " + a temporary string.)
void AppendText(std::string& text, const std::string& value) {
  if (value.empty()) return;
  text += ' ';
  text += replay_text::Escape(value);
}

// "pack NUMBER HASH PACK/LEVEL FILE": the ids escaped with their spaces too, so that
// the line splits at its blanks.
void AppendPack(std::string& text, const ReplayPackLevel& pack) {
  text += "pack";
  AppendNumber(text, pack.number);
  text += ' ';
  text += pack.hash.empty() ? "-" : pack.hash;
  text += ' ';
  for (const char c : replay_text::Escape(pack.pack + "/" + pack.id)) {
    if (c == ' ') {
      text += "%20";
    } else {
      text += c;
    }
  }
  text += ' ';
  text += replay_text::Base64(pack.text);
  text += '\n';
}

void AppendHeader(std::string& text, const Replay& replay) {
  text += replay_names::kMagic;
  AppendNumber(text, Replay::kFormatVersion);
  text += "\nprogram";
  AppendText(text, replay.program);
  text += "\nplayer";
  AppendText(text, replay.player);
  text += "\ntype ";
  text += replay_names::kTypes[replay.gameType == 0 ? 0 : 1];
  text += "\nlevel";
  AppendNumber(text, replay.level);
  text += "\nseed";
  AppendNumber(text, replay.seed);
  text += replay.tips ? "\ntips on\n" : "\ntips off\n";
  if (replay.pack) AppendPack(text, *replay.pack);
  if (replay.savedState.empty()) {
    text += "start fresh money";
    AppendNumber(text, replay.money);
    text += " delivered";
    AppendNumber(text, replay.delivered);
    text += " minutes";
    AppendNumber(text, replay.minutes);
  } else {
    text += "start saved ";
    text += replay_text::Base64(replay.savedState);
  }
  text += '\n';
}

void AppendAction(std::string& text, const PlayerAction& a) {
  char line[80];
  int n = std::snprintf(line, sizeof line, "%" PRId32 " %s", a.update, action::Name(a.kind));
  if (action::HasPosition(a.kind)) {
    n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), " %" PRId32 " %" PRId32, a.x,
                       a.y);
  }
  if (action::HasArg(a.kind)) {
    n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), " %" PRId32, a.arg);
  }
  text.append(line, static_cast<size_t>(n));
  text += '\n';
}

void AppendEnd(std::string& text, const ReplayEnd& end) {
  char line[120];
  std::snprintf(line, sizeof line,
                "end %s update %" PRId32 " rewinds %" PRId32 " hash %016" PRIx64 "\n",
                replay_names::OutcomeName(end.outcome), end.update, end.rewinds, end.hash);
  text += line;
}

}  // namespace

std::string FormatReplay(const Replay& replay) {
  std::string text;
  // A header, the saved game grown by a third, some 20 bytes an action.
  const size_t carried = replay.savedState.size() + (replay.pack ? replay.pack->text.size() : 0);
  text.reserve(256 + carried / 3 * 4 + replay.actions.size() * 20);
  AppendHeader(text, replay);
  for (const PlayerAction& a : replay.actions) AppendAction(text, a);
  if (replay.end) AppendEnd(text, *replay.end);
  return text;
}

bool ReadReplayFile(const std::string& path, Replay& out, std::string& error) {
  errno = 0;
  FILE* f = core::OpenRegularFile(path);
  if (f == nullptr) {
    // A path that opened but is no regular file leaves errno alone.
    error = path + ": cannot be read (" +
            (errno == 0 ? std::string("not a regular file") : std::strerror(errno)) + ")";
    return false;
  }
  struct stat st {};
  std::string text;
  bool read = ::fstat(::fileno(f), &st) == 0;
  if (read && static_cast<unsigned long long>(st.st_size) > kReplayMaxBytes) {
    std::fclose(f);
    error = path + ": " + std::to_string(st.st_size) + " bytes, more than a replay can be (" +
            std::to_string(kReplayMaxBytes) + ")";
    return false;
  }
  read = read && core::ReadWhole(f, text, kReplayMaxBytes);
  std::fclose(f);
  if (!read) {
    error = path + ": cannot be read";
    return false;
  }
  if (!ParseReplay(text, out, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool WriteReplayFile(const std::string& path, const Replay& replay) {
  return core::ReplaceFile(path, FormatReplay(replay));
}
