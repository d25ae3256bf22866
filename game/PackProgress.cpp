// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PackProgress.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/Files.h"
#include "game/KeyLines.h"

namespace {

constexpr const char* kMagic = "ostrel-progress";
constexpr int kVersion = 1;
constexpr const char* kDamagedSuffix = ".damaged";

bool IsContentHash(const std::string& s) {
  return s.size() == 16 && std::all_of(s.begin(), s.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

// "<hash> <finished> <delivered> <money>"; the reason when it is not that.
std::optional<std::string> ReadLevel(const std::string& value, std::string& hash,
                                     LevelProgress& p) {
  std::istringstream in(value);
  std::string finished, delivered, money, extra;
  if (!(in >> hash >> finished >> delivered >> money) || (in >> extra)) {
    return "a level line is '<hash> <finished 0/1> <best delivered> <best money>'";
  }
  if (!IsContentHash(hash)) return "'" + hash + "' is not a content hash of 16 hex digits";
  const std::optional<int> d = WholeInt(delivered);
  const std::optional<int64_t> m = WholeInt64(money);
  if ((finished != "0" && finished != "1") || !d || *d < 0 || !m) {
    return "level " + hash + ": a value is out of range or not a number";
  }
  p = {finished == "1", *d, *m};
  return std::nullopt;
}

}  // namespace

std::optional<std::map<std::string, LevelProgress>> ParsePackProgress(const std::string& text,
                                                                      const std::string& fileName,
                                                                      std::string& why) {
  const std::optional<std::vector<KeyLine>> lines = SplitKeyLines(text, fileName, why);
  if (!lines) return std::nullopt;
  if (lines->empty() || (*lines)[0].key != kMagic ||
      (*lines)[0].value != std::to_string(kVersion)) {
    why = LineError(
        fileName, lines->empty() ? 1 : (*lines)[0].number,
        std::string("the first line must be '") + kMagic + " " + std::to_string(kVersion) + "'");
    return std::nullopt;
  }
  std::map<std::string, LevelProgress> levels;
  for (size_t i = 1; i < lines->size(); ++i) {
    const KeyLine& line = (*lines)[i];
    std::string hash;
    LevelProgress p;
    std::optional<std::string> reason =
        line.key != "level" ? "unknown key '" + line.key + "'" : ReadLevel(line.value, hash, p);
    if (!reason && !levels.emplace(hash, p).second) reason = "level " + hash + " is given twice";
    if (reason) {
      why = LineError(fileName, line.number, *reason);
      return std::nullopt;
    }
  }
  return levels;
}

bool PackProgress::Load(const std::string& path) {
  path_ = path;
  writable_ = true;
  levels_.clear();
  if (!core::IsFile(path)) {
    if (core::ReplaceableFile(path)) return true;  // nothing played yet
    writable_ = false;
    std::fprintf(stderr,
                 "Error. PackProgress::Load. %s is not a file; the level progress is not saved.\n",
                 path.c_str());
    return false;
  }
  std::string why;
  std::optional<std::map<std::string, LevelProgress>> levels;
  if (const std::optional<std::string> text = ReadTextFile(path, kMaxProgressBytes, why)) {
    levels = ParsePackProgress(*text, path, why);
  }
  if (levels) {
    levels_ = std::move(*levels);
    return true;
  }
  const std::string aside = path + kDamagedSuffix;
  writable_ = std::rename(path.c_str(), aside.c_str()) == 0;
  std::fprintf(
      stderr, "Error. PackProgress::Load. The level progress is damaged (%s); %s.\n", why.c_str(),
      writable_ ? ("it is kept as " + aside + " and the progress starts empty").c_str()
                : "it cannot be moved aside, so the progress starts empty and is not saved");
  return false;
}

bool PackProgress::Record(const std::string& contentHash, int delivered, int64_t money,
                          bool finished) {
  // What the file could not read back is not recorded.
  if (!IsContentHash(contentHash)) return false;
  delivered = std::max(delivered, 0);
  const auto [it, fresh] =
      levels_.try_emplace(contentHash, LevelProgress{finished, delivered, money});
  LevelProgress& p = it->second;
  if (!fresh) {
    p.finished = p.finished || finished;
    p.bestDelivered = std::max(p.bestDelivered, delivered);
    p.bestMoney = std::max(p.bestMoney, money);
  }
  return Save();
}

const LevelProgress* PackProgress::Find(const std::string& contentHash) const {
  const auto it = levels_.find(contentHash);
  return it == levels_.end() ? nullptr : &it->second;
}

bool PackProgress::Finished(const std::string& contentHash) const {
  const LevelProgress* p = Find(contentHash);
  return p && p->finished;
}

bool PackProgress::Unlocked(const LevelPack& pack, size_t index) const {
  if (index >= pack.levels.size()) return false;
  return index == 0 || Finished(pack.levels[index - 1]->contentHash);
}

std::string PackProgress::Format() const {
  std::string text = std::string(kMagic) + " " + std::to_string(kVersion) + "\n";
  for (const auto& [hash, p] : levels_) {
    text += "level " + hash + " " + (p.finished ? "1" : "0") + " " +
            std::to_string(p.bestDelivered) + " " + std::to_string(p.bestMoney) + "\n";
  }
  return text;
}

bool PackProgress::Save() const {
  if (path_.empty() || !writable_) return false;
  const size_t slash = path_.find_last_of('/');
  if (slash != std::string::npos && slash > 0) core::CreateFolder(path_.substr(0, slash));
  if (core::ReplaceFile(path_, Format())) return true;
  std::fprintf(stderr, "Error. PackProgress::Record. The level progress %s cannot be written.\n",
               path_.c_str());
  return false;
}
