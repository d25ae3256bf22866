// SPDX-License-Identifier: GPL-3.0-or-later
// Level packs found in folders, and the player's progress through them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/LevelFile.h"
#include "game/LevelPacks.h"
#include "game/PackProgress.h"

namespace {

// A level file of the given name whose par tells the levels apart.
std::string LevelText(const std::string& name, int par) {
  LevelFile level = LevelFileFrom(Level(kPuzzleOffset), name, "A test level.", par);
  return FormatLevelFile(level);
}

// A scratch folder, removed with everything in it at the end of the test.
class PackFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = "/tmp/ot_packs_XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    root_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void Write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(root_ + "/" + path).parent_path());
    std::ofstream(root_ + "/" + path, std::ios::binary) << text;
  }
  std::string Read(const std::string& path) {
    std::ifstream in(root_ + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string root_;
};

std::vector<std::string> Names(const LevelPack& pack) {
  std::vector<std::string> names;
  for (const auto& level : pack.levels) names.push_back(level->name);
  return names;
}

}  // namespace

TEST(PackIndex, ParsesStrictly) {
  std::string why;
  const std::optional<PackIndex> index = ParsePackIndex(
      "ostrel-pack 1\n# a pack\ntitle First steps #1\norder 2  # early\nlevel a\nlevel b-2\n",
      "p/pack.index", why);
  ASSERT_TRUE(index) << why;
  EXPECT_EQ(index->title, "First steps #1");
  EXPECT_EQ(index->order, 2);
  EXPECT_EQ(index->levels, (std::vector<std::string>{"a", "b-2"}));
  const struct {
    std::string text, why;
  } cases[] = {
      {"title x\n", "i:1: not a pack index"},
      {"ostrel-pack 3\ntitle x\norder 1\nlevel a\n", "i:1: version 3 is newer"},
      {"ostrel-pack 1\ntitle x\norder 1\nlevel a\nlevel a\n", "i:5: level 'a' is listed twice"},
      {"ostrel-pack 1\ntitle x\norder 1\nlevel ../a\n", "i:4: level: '../a' is not a level"},
      {"ostrel-pack 1\ntitle x\ntitle y\norder 1\nlevel a\n",
       "i:3: the key 'title' is given twice"},
      {"ostrel-pack 1\ntitle x\norder -1\nlevel a\n", "i:3: order: '-1' is not"},
      {"ostrel-pack 1\ntitle x\nlevel a\n", "i:3: the key 'order' is missing"},
      {"ostrel-pack 1\ntitle x\norder 1\n", "i:3: no 'level' is listed"},
      {"ostrel-pack 1\ntitle x\norder 1\nlevel a\nauthor me\n", "i:5: unknown key 'author'"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParsePackIndex(c.text, "i", why));
    EXPECT_EQ(why.rfind(c.why, 0), 0u) << why;
  }
}

TEST_F(PackFolders, BadLevelsAndPacksAreLoggedAndLeftOut) {
  const std::string installed = root_ + "/installed";
  const std::string own = root_ + "/own";
  Write("installed/basics/pack.index",
        "ostrel-pack 1\ntitle Basics\norder 2\nlevel one\nlevel bad\n"
        "level missing\nlevel two\n");
  Write("installed/basics/one.level", LevelText("One", 1));
  Write("installed/basics/two.level", LevelText("Two", 2));
  Write("installed/basics/bad.level", "ostrel-level 1\nname Bad\n");
  Write("installed/first/pack.index", "ostrel-pack 1\ntitle First\norder 1\nlevel a\n");
  Write("installed/first/a.level", LevelText("A", 1));
  Write("installed/empty/pack.index", "ostrel-pack 1\ntitle Empty\norder 1\nlevel gone\n");
  Write("installed/broken/pack.index", "ostrel-pack 1\ntitle Broken\n");
  Write("installed/no-index/x.level", LevelText("X", 1));
  Write("own/basics/pack.index", "ostrel-pack 1\ntitle My basics\norder 2\nlevel mine\n");
  Write("own/basics/mine.level", LevelText("Mine", 1));

  testing::internal::CaptureStderr();
  const std::vector<LevelPack> packs = FindLevelPacks({installed, own, root_ + "/none"});
  const std::string log = testing::internal::GetCapturedStderr();

  ASSERT_EQ(packs.size(), 3u);
  EXPECT_EQ(packs[0].id, "first");
  EXPECT_EQ(packs[1].id, "basics");
  EXPECT_EQ(Names(packs[1]), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(packs[1].levels[0]->path, installed + "/basics/one.level");
  EXPECT_EQ(packs[1].levels[1]->id, "two");
  EXPECT_EQ(packs[2].id, "basics@2");
  EXPECT_EQ(packs[2].title, "My basics");
  EXPECT_EQ(packs[2].folder, own + "/basics");
  // One line for each refusal, naming file and line.
  EXPECT_NE(log.find(installed + "/basics/bad.level:2: the key 'description' is missing (the "
                                 "level is left out)\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(installed + "/basics/missing.level:1: cannot be opened"), std::string::npos);
  EXPECT_NE(log.find(installed + "/empty/pack.index: no level of the pack can be played"),
            std::string::npos);
  EXPECT_NE(log.find(installed + "/empty/gone.level:1: cannot be opened"), std::string::npos);
  EXPECT_NE(log.find(installed + "/broken/pack.index:2: the key 'order' is missing (the pack is "
                                 "left out)\n"),
            std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 5);
}

TEST_F(PackFolders, ProgressRecordsUnlocksAndSurvivesAReload) {
  LevelPack pack;
  for (int par = 1; par <= 3; ++par) {
    std::string why;
    pack.levels.push_back(
        std::make_shared<const LevelFile>(*ParseLevelFile(LevelText("L", par), "l.level", why)));
  }
  const std::string& first = pack.levels[0]->contentHash;
  const std::string path = root_ + "/levels/progress.txt";
  PackProgress progress;
  EXPECT_TRUE(progress.Load(path));
  EXPECT_TRUE(progress.Unlocked(pack, 0));
  EXPECT_FALSE(progress.Unlocked(pack, 1));
  EXPECT_FALSE(progress.Unlocked(pack, 3));

  EXPECT_TRUE(progress.Record(first, 4, 2500, false));
  EXPECT_FALSE(progress.Unlocked(pack, 1));
  EXPECT_TRUE(progress.Record(first, 2, 3000, true));
  EXPECT_TRUE(progress.Record(first, 3, -500, false));
  EXPECT_FALSE(progress.Record("not-a-hash", 1, 1, true));
  EXPECT_EQ(*progress.Find(first), (LevelProgress{true, 4, 3000}));
  EXPECT_TRUE(progress.Unlocked(pack, 1));
  EXPECT_FALSE(progress.Unlocked(pack, 2));

  PackProgress again;
  EXPECT_TRUE(again.Load(path));
  EXPECT_EQ(again.Format(), progress.Format());
  EXPECT_EQ(Read("levels/progress.txt"), "ostrel-progress 1\nlevel " + first + " 1 4 3000\n");
  EXPECT_TRUE(again.Unlocked(pack, 1));
  EXPECT_EQ(again.Find(pack.levels[1]->contentHash), nullptr);
}

TEST_F(PackFolders, DamagedProgressStartsFreshAndIsKeptAside) {
  const std::string damaged = "ostrel-progress 1\nlevel 0123456789abcdef 2 1 1\n";
  Write("levels/progress.txt", damaged);
  Write("Ostrel-PUZZLE.sav", "a saved game");
  PackProgress progress;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(progress.Load(root_ + "/levels/progress.txt"));
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("progress.txt:2: level 0123456789abcdef: a value is out of range"),
            std::string::npos)
      << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
  EXPECT_EQ(progress.Find("0123456789abcdef"), nullptr);
  EXPECT_EQ(Read("levels/progress.txt.damaged"), damaged);
  EXPECT_EQ(Read("Ostrel-PUZZLE.sav"), "a saved game");
  EXPECT_TRUE(progress.Record("0123456789abcdef", 1, 10, true));
  EXPECT_EQ(Read("levels/progress.txt.damaged"), damaged);
  EXPECT_TRUE(PackProgress().Load(root_ + "/levels/progress.txt"));
}

// The packs the game ships, as the build copies them: every listed level plays.
TEST(ShippedPacks, EveryLevelIsAccepted) {
  testing::internal::CaptureStderr();
  const std::vector<LevelPack> packs = FindLevelPacks({OT_SOURCE_DIR "/data/levels"});
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(packs.empty());
  for (const LevelPack& pack : packs) {
    std::ifstream in(pack.folder + "/" + kPackIndexName);
    std::string why;
    const std::optional<PackIndex> index =
        ParsePackIndex(std::string(std::istreambuf_iterator<char>(in), {}), "pack.index", why);
    ASSERT_TRUE(index) << why;
    EXPECT_EQ(pack.levels.size(), index->levels.size()) << pack.id;
  }
}
