// SPDX-License-Identifier: GPL-3.0-or-later
// The level pack texts: the input is read as a level file, a pack index and a pack
// progress file. A level that is accepted must format back to the same level and be
// laid out on a field with every one of its towns; anything else stops the run.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/ClipTable.h"
#include "game/LevelFile.h"
#include "game/LevelPacks.h"
#include "game/PackProgress.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_levelfile: %s: %s\n", what, detail.c_str());
  std::abort();
}

void CheckLevel(const LevelFile& level) {
  std::string why;
  const std::string text = FormatLevelFile(level);
  std::optional<LevelFile> back = ParseLevelFile(text, "back.level", why);
  if (!back) Broken("a formatted level is refused", why);
  back->id = level.id;
  back->contentHash = level.contentHash;
  if (!(*back == level)) Broken("a formatted level reads back differently", text);
  const LevelParams params = level.Params();
  QuietFieldHost host(50);
  HeadlessSprites sprites;
  Field field(&sprites, &host);
  if (!RebuildLevel(field, params.TownsText, params.TracksText, NoForest(), {}, clip::Trees) ||
      static_cast<int>(field.Towns().size()) != params.MaxTowns) {
    Broken("an accepted level cannot be laid out", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string why;
  if (const std::optional<LevelFile> level = ParseLevelFile(text, "fuzz.level", why)) {
    CheckLevel(*level);
  } else if (why.empty() || why.find('\n') != std::string::npos) {
    Broken("a refusal is not one line", why);
  }
  ParsePackIndex(text, "pack.index", why);
  ParsePackProgress(text, "progress.txt", why);
  return 0;
}
