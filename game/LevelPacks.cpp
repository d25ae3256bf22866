// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LevelPacks.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "core/Files.h"
#include "game/KeyLines.h"

namespace {

constexpr const char* kMagic = "ostrel-pack";
constexpr int kMaxOrder = 9999;

// A level's file name: letters, digits, '-', '_' and '.', not starting with '.'.
bool GoodLevelName(const std::string& name) {
  if (name.empty() || name[0] == '.' || name.size() > 64) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
  });
}

class IndexReader {
 public:
  explicit IndexReader(const std::string& file) : file_(file) {}

  std::optional<PackIndex> Read(const std::vector<KeyLine>& lines, int lastLine) {
    if (!Magic(lines)) return std::nullopt;
    for (size_t i = 1; i < lines.size(); ++i) {
      if (!Line(lines[i])) return std::nullopt;
    }
    if (titleLine_ == 0) return Fail(lastLine, "the key 'title' is missing");
    if (orderLine_ == 0) return Fail(lastLine, "the key 'order' is missing");
    if (index_.levels.empty()) return Fail(lastLine, "no 'level' is listed");
    return index_;
  }

  const std::string& Why() const { return why_; }

 private:
  std::nullopt_t Fail(int line, const std::string& reason) {
    why_ = LineError(file_, line, reason);
    return std::nullopt;
  }

  bool Magic(const std::vector<KeyLine>& lines) {
    if (lines.empty() || lines[0].key != kMagic) {
      Fail(lines.empty() ? 1 : lines[0].number,
           std::string("not a pack index: the first line must be '") + kMagic + " " +
               std::to_string(kPackIndexVersion) + "'");
      return false;
    }
    const std::optional<int> version = WholeInt(WithoutComment(lines[0].value));
    if (!version || *version < 1) {
      Fail(lines[0].number, "the version is not a number from 1 on");
      return false;
    }
    if (*version > kPackIndexVersion) {
      Fail(lines[0].number, "version " + std::to_string(*version) +
                                " is newer than this game reads (" +
                                std::to_string(kPackIndexVersion) + ")");
      return false;
    }
    return true;
  }

  bool Once(const KeyLine& line, int& seenOn) {
    if (seenOn != 0) {
      Fail(line.number, "the key '" + line.key + "' is given twice (first on line " +
                            std::to_string(seenOn) + ")");
      return false;
    }
    seenOn = line.number;
    return true;
  }

  bool Line(const KeyLine& line) {
    if (line.key == "title") return Once(line, titleLine_) && Title(line);
    const std::string value = WithoutComment(line.value);
    if (line.key == "order") return Once(line, orderLine_) && Order(line, value);
    if (line.key == "level") return Level(line, value);
    Fail(line.number, "unknown key '" + line.key + "'");
    return false;
  }

  // The title takes the whole rest of the line, '#' included.
  bool Title(const KeyLine& line) {
    if (line.value.empty() || line.value.size() > kMaxPackTitleLength) {
      Fail(line.number,
           "the title must be 1 to " + std::to_string(kMaxPackTitleLength) + " characters");
      return false;
    }
    index_.title = line.value;
    return true;
  }

  bool Order(const KeyLine& line, const std::string& value) {
    const std::optional<int> order = WholeInt(value);
    if (!order || *order < 0 || *order > kMaxOrder) {
      Fail(line.number,
           "order: '" + value + "' is not a whole number in 0.." + std::to_string(kMaxOrder));
      return false;
    }
    index_.order = *order;
    return true;
  }

  bool Level(const KeyLine& line, const std::string& value) {
    if (!GoodLevelName(value)) {
      Fail(line.number,
           "level: '" + value + "' is not a level file name (letters, digits, '-', '_', '.')");
      return false;
    }
    if (!names_.insert(value).second) {
      Fail(line.number, "level '" + value + "' is listed twice");
      return false;
    }
    if (index_.levels.size() == kMaxPackLevels) {
      Fail(line.number, "more than " + std::to_string(kMaxPackLevels) + " levels");
      return false;
    }
    index_.levels.push_back(value);
    return true;
  }

  const std::string& file_;
  PackIndex index_;
  std::set<std::string> names_;
  int titleLine_ = 0;
  int orderLine_ = 0;
  std::string why_;
};

std::string FolderName(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  return BaseName(f, "");
}

struct Found {
  LevelPack pack;
  size_t root;
};

}  // namespace

std::optional<PackIndex> ParsePackIndex(const std::string& text, const std::string& fileName,
                                        std::string& why) {
  if (text.size() > kMaxPackIndexBytes) {
    why = LineError(fileName, 1,
                    "the file is larger than " + std::to_string(kMaxPackIndexBytes / 1024) + " KB");
    return std::nullopt;
  }
  const std::optional<std::vector<KeyLine>> lines = SplitKeyLines(text, fileName, why);
  if (!lines) return std::nullopt;
  IndexReader reader(fileName);
  std::optional<PackIndex> index = reader.Read(*lines, LastLineNumber(text));
  if (!index) why = reader.Why();
  return index;
}

std::optional<LevelPack> ReadLevelPack(const std::string& folder) {
  const std::string indexPath = folder + "/" + kPackIndexName;
  std::string why;
  std::optional<std::string> text = ReadTextFile(indexPath, kMaxPackIndexBytes, why);
  std::optional<PackIndex> index;
  if (text) index = ParsePackIndex(*text, indexPath, why);
  if (!index) {
    std::fprintf(stderr, "%s (the pack is left out)\n", why.c_str());
    return std::nullopt;
  }
  LevelPack pack;
  pack.id = FolderName(folder);
  pack.title = index->title;
  pack.folder = folder;
  pack.order = index->order;
  for (const std::string& name : index->levels) {
    std::optional<LevelFile> level = ReadLevelFile(folder + "/" + name + ".level", why);
    if (!level) {
      std::fprintf(stderr, "%s (the level is left out)\n", why.c_str());
      continue;
    }
    pack.levels.push_back(std::make_shared<const LevelFile>(std::move(*level)));
  }
  if (pack.levels.empty()) {
    std::fprintf(stderr, "%s: no level of the pack can be played (the pack is left out)\n",
                 indexPath.c_str());
    return std::nullopt;
  }
  return pack;
}

std::vector<LevelPack> FindLevelPacks(const std::vector<std::string>& roots) {
  std::vector<Found> found;
  for (size_t r = 0; r < roots.size(); ++r) {
    std::vector<std::string> names = core::ListFolder(roots[r]);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const std::string folder = roots[r] + "/" + name;
      if (name[0] == '.' || !core::IsFolder(folder) ||
          !core::IsFile(folder + "/" + kPackIndexName)) {
        continue;
      }
      if (std::optional<LevelPack> pack = ReadLevelPack(folder))
        found.push_back({std::move(*pack), r});
    }
  }
  // Ids stay unique in root order: a later root's pack of a name already taken is renamed.
  std::set<std::string> ids;
  for (Found& f : found) {
    const std::string name = f.pack.id;
    for (int n = 2; !ids.insert(f.pack.id).second; ++n) f.pack.id = name + "@" + std::to_string(n);
  }
  std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    const std::string an = FolderName(a.pack.folder), bn = FolderName(b.pack.folder);
    if (a.pack.order != b.pack.order) return a.pack.order < b.pack.order;
    if (an != bn) return an < bn;
    return a.root < b.root;
  });
  std::vector<LevelPack> packs;
  for (Found& f : found) packs.push_back(std::move(f.pack));
  return packs;
}
