// SPDX-License-Identifier: GPL-3.0-or-later
// Level files: what parses, what formats back, and the one line each refusal gives.
#include <gtest/gtest.h>

#include <string>

#include "game/LevelFile.h"
#include "game/LevelTable.h"

namespace {

const std::string kValid =
    "ostrel-level 1\n"
    "name First switch\n"
    "description One train and one switch: send it home.\n"
    "par 3\n"
    "train-period 3\n"
    "train-cars 4\n"
    "crash-period 1000\n"
    "level-minutes 5\n"
    "crazy-period 1000\n"
    "houses-per-town 4\n"
    "forest-count 0\n"
    "forest-size 1\n"
    "background 0\n"
    "max-towns 2\n"
    "loco-min 4\n"
    "loco-max -1\n"
    "wave-minutes 5\n"
    "wave-max 1.5\n"
    "towns 97,3 17,0\n"
    "tracks 17,1 17,5 18,3\n";

// kValid with the line starting with key replaced by line (or removed when line is "").
std::string With(const std::string& key, const std::string& line) {
  std::string text = kValid;
  const size_t at = text.find("\n" + key + " ") + 1;
  const size_t end = text.find('\n', at) + 1;
  return text.replace(at, end - at, line.empty() ? "" : line + "\n");
}

std::string Refusal(const std::string& text) {
  std::string why;
  EXPECT_FALSE(ParseLevelFile(text, "x.level", why).has_value()) << text;
  return why;
}

}  // namespace

TEST(LevelFile, ParsesFormatsBackAndPlaysItsRecord) {
  std::string why;
  const std::optional<LevelFile> level = ParseLevelFile(kValid, "levels/first-switch.level", why);
  ASSERT_TRUE(level) << why;
  EXPECT_EQ(level->id, "first-switch");
  EXPECT_EQ(level->name, "First switch");
  EXPECT_EQ(level->par, 3);
  EXPECT_EQ(level->waveMax, 1.5);
  EXPECT_EQ(level->contentHash.size(), 16u);
  EXPECT_EQ(FormatLevelFile(*level), kValid);
  const LevelParams p = level->Params();
  EXPECT_EQ(p.MaxTowns, 2);
  EXPECT_STREQ(p.TownsText, "97,3 17,0");
  EXPECT_STREQ(p.TracksText, "17,1 17,5 18,3");

  // Comments, blank lines, any key order and a '#' in the name.
  const std::string commented =
      "# a level\n\n" + With("name", "name Switch #1") + "   # trailing\n";
  std::string moved = With("par", "par 3   # trains");
  moved = "ostrel-level 1 # v1\n" + moved.substr(moved.find('\n') + 1);
  for (const std::string& text : {commented, moved}) {
    const std::optional<LevelFile> other = ParseLevelFile(text, "x.level", why);
    ASSERT_TRUE(other) << why;
    EXPECT_EQ(other->par, 3);
  }
  EXPECT_EQ(ParseLevelFile(commented, "x.level", why)->name, "Switch #1");
}

TEST(LevelFile, BuiltInPuzzleLevelsRoundTrip) {
  for (int i = kPuzzleOffset; i <= kPuzzleOffset + kLastLevel; ++i) {
    const LevelFile level = LevelFileFrom(Level(i), "Level " + std::to_string(i), "", 10);
    std::string why;
    const std::string text = FormatLevelFile(level);
    std::optional<LevelFile> back = ParseLevelFile(text, "built-in.level", why);
    ASSERT_TRUE(back) << why;
    back->id.clear();
    back->contentHash.clear();
    EXPECT_EQ(*back, level);
    EXPECT_EQ(FormatLevelFile(*back), text);
  }
}

TEST(LevelFile, EachRefusalIsOneLineNamingFileAndLine) {
  const struct {
    std::string text;
    std::string why;
  } cases[] = {
      {"name x\n" + kValid, "x.level:1: not a level file"},
      {"ostrel-level 2\n" + kValid.substr(15), "x.level:1: version 2 is newer"},
      {"ostrel-level one\n" + kValid.substr(15), "x.level:1: the version is not"},
      {kValid + "colour red\n", "x.level:21: unknown key 'colour'"},
      {kValid + "par 4\n", "x.level:21: the key 'par' is given twice (first on line 4)"},
      {With("par", ""), "x.level:19: the key 'par' is missing"},
      {With("train-cars", "train-cars 21"), "x.level:6: train-cars: 21 is outside 1..20"},
      {With("train-cars", "train-cars 4x"), "x.level:6: train-cars: '4x' is not a whole number"},
      {With("train-period", "train-period 0"), "x.level:5: train-period: 0 must be above 0"},
      {With("wave-max", "wave-max nan"), "x.level:18: wave-max: 'nan' is not a number"},
      {With("wave-max", "wave-max 1e999"), "x.level:18: wave-max: '1e999' is not a number"},
      {With("name", "name"), "x.level:2: the name is empty"},
      {With("towns", "towns 97,3 18,0"), "x.level:19: town 18,0 is not a town place"},
      {With("towns", "towns 97,3 17,4"), "x.level:19: town 17,4 is not a town place"},
      {With("towns", "towns 97,3 97,0"), "x.level:19: two towns stand at junction 97"},
      {With("towns", "towns 97,3 17,0 x"), "x.level:19: towns: 'x' is not a pair"},
      {With("towns", "towns 97,3 4294967313,0"), "x.level:19: towns: '4294967313,0' is not"},
      {With("tracks", "tracks 17,1 7,1"), "x.level:20: track 7,1 leaves the field"},
      {With("tracks", "tracks 17,1 130,4"), "x.level:20: track 130,4 leaves the field"},
      {With("tracks", "tracks 17,6"), "x.level:20: track 17,6: the type is outside 0..5"},
      {With("tracks", "tracks 17,1 17,1"), "x.level:20: track 17,1 is given twice"},
      {With("tracks", "tracks 24,0"), "x.level:20: track 24,0 is the track of town 17,0"},
      {With("max-towns", "max-towns 3"), "x.level:14: max-towns 3 differs from the 2 town"},
      {With("loco-max", "loco-max 4"), "x.level:16: loco-max must be -1 or above loco-min"},
      {kValid + "tracks 1,1\x01\n", "x.level:21: the line holds a control character"},
      {kValid + "# " + std::string(9000, 'a') + "\n", "x.level:21: the line is longer than"},
      {kValid + std::string(70000, '\n'), "x.level:1: the file is larger than 64 KB"},
  };
  for (const auto& c : cases) {
    const std::string why = Refusal(c.text);
    EXPECT_EQ(why.rfind(c.why, 0), 0u) << why;
    EXPECT_EQ(why.find('\n'), std::string::npos);
  }
  // Eight towns at most, and as many as max-towns.
  const std::string nine = "towns 1,1 14,1 33,1 46,1 65,1 78,1 97,1 110,1 126,2";
  EXPECT_EQ(Refusal(With("towns", nine)), "x.level:19: 9 towns; a level has 2 to 8");
}

TEST(LevelFile, ReadsFilesAndRefusesWhatIsNoFile) {
  const std::string path = testing::TempDir() + "read-me.level";
  FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_TRUE(f);
  std::fputs(kValid.c_str(), f);
  std::fclose(f);
  std::string why;
  const std::optional<LevelFile> level = ReadLevelFile(path, why);
  ASSERT_TRUE(level) << why;
  EXPECT_EQ(level->path, path);
  EXPECT_EQ(level->id, "read-me");
  EXPECT_EQ(level->contentHash, LevelContentHash(kValid));
  std::remove(path.c_str());
  EXPECT_FALSE(ReadLevelFile(path, why));
  EXPECT_EQ(why, path + ":1: cannot be opened as a file");
}
