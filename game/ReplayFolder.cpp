// SPDX-License-Identifier: GPL-3.0-or-later
// The replays folder: the names of new replays and the newest-files rule.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/Files.h"
#include "game/ReplayFile.h"
#include "platform/Folders.h"

const char kReplaysFolder[] = "replays/";
const char kReplaySuffix[] = ".otr";

namespace {

constexpr int kMostCounters = 999;
constexpr char kTempSuffix[] = ".otr.tmp";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Digits(const std::string& text, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

// A name NewReplayPath gives: "YYYYMMDD-HHMMSS-" first, the suffix last.
bool GameNamed(const std::string& name) {
  const size_t stamp = 16;
  return name.size() > stamp + std::strlen(kReplaySuffix) && Digits(name, 0, 8) && name[8] == '-' &&
         Digits(name, 9, 6) && name[15] == '-' && EndsWith(name, kReplaySuffix);
}

bool RegularFile(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Taken(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

// The name without its suffix: "X" sorts before "X-002", which sorts before "X-003".
std::string Stem(const std::string& name) {
  return name.substr(0, name.size() - std::strlen(kReplaySuffix));
}

// Keeps the newest keep replays the game named; spared, when among them, is one of the
// kept whatever its name.
void Prune(const std::string& folder, int keep, const std::string& spared) {
  std::vector<std::string> replays;
  bool spare = false;
  for (const std::string& name : core::ListFolder(folder.empty() ? "." : folder)) {
    const std::string path = platform::JoinPath(folder, name);
    if (EndsWith(name, kTempSuffix) && RegularFile(path)) {
      core::DeleteFile(path);
    } else if (GameNamed(name) && RegularFile(path)) {
      if (name == spared) {
        spare = true;
      } else {
        replays.push_back(name);
      }
    }
  }
  std::sort(replays.begin(), replays.end(),
            [](const std::string& a, const std::string& b) { return Stem(a) < Stem(b); });
  const size_t kept = static_cast<size_t>(std::max(keep - (spare ? 1 : 0), 0));
  for (size_t i = 0; i + kept < replays.size(); ++i) {
    core::DeleteFile(platform::JoinPath(folder, replays[i]));
  }
}

}  // namespace

std::string NewReplayPath(const std::string& folder, const Replay& replay, std::time_t when) {
  std::tm local{};
  if (::localtime_r(&when, &local) == nullptr) local = std::tm{};
  char stamp[32];
  if (std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) != 15) {
    std::snprintf(stamp, sizeof stamp, "00000000-000000");
  }
  char name[64];
  const char* type = replay.pack ? "PACK" : replay.gameType == 0 ? "CLASSIC" : "PUZZLE";
  const int32_t level = replay.pack ? replay.pack->number : replay.level;
  std::snprintf(name, sizeof name, "%s-%s-L%02d", stamp, type, std::clamp(level, 0, 99));
  std::string path = platform::JoinPath(folder, name + std::string(kReplaySuffix));
  for (int counter = 2; Taken(path) && counter <= kMostCounters; ++counter) {
    char numbered[80];
    std::snprintf(numbered, sizeof numbered, "%s-%03d%s", name, counter, kReplaySuffix);
    path = platform::JoinPath(folder, numbered);
  }
  return Taken(path) ? std::string() : path;
}

void PruneReplays(const std::string& folder, int keep) { Prune(folder, keep, ""); }

std::string SaveNewReplay(const std::string& folder, const Replay& replay, std::time_t when) {
  if (!core::IsFolder(folder)) core::CreateFolder(folder);
  const std::string path = NewReplayPath(folder, replay, when);
  if (path.empty() || !WriteReplayFile(path, replay)) {
    std::printf("Error: cannot write a replay in %s: %s\n", folder.c_str(),
                path.empty() ? "every name is taken" : std::strerror(errno));
    return {};
  }
  // A clock set back makes the new file look older than others: it is kept all the same.
  const size_t slash = path.rfind('/');
  Prune(folder, kKeptReplays, slash == std::string::npos ? path : path.substr(slash + 1));
  return path;
}
