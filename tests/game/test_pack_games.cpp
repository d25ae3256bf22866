// SPDX-License-Identifier: GPL-3.0-or-later
// Games of a level pack's levels: played from the level file, saved in a file of their
// own, resumed, started anew when the file changed, and their results kept as progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/LevelFile.h"
#include "game/LevelPacks.h"
#include "game/PackProgress.h"
#include "game/PackRoots.h"
#include "tests/game/GameTestSupport.h"

using namespace gametest;

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The first Puzzle level's towns and tracks in another landscape, with two towns only
// (the file's own), under name and par.
LevelFile TestLevel(const std::string& name, int par) {
  LevelFile level = LevelFileFrom(Level(kPuzzleOffset), name, "Two towns.", par);
  level.towns = "17,0 62,2";
  level.maxTowns = 2;
  level.background = 2;
  level.levelMinutes = 2;
  return level;
}

// A pack "first" of two levels in the player's levels/ folder.
void WritePack(int firstPar) {
  WriteText("levels/first/pack.index", "ostrel-pack 1\ntitle First\norder 1\nlevel a\nlevel b\n");
  WriteText("levels/first/a.level", FormatLevelFile(TestLevel("Level A", firstPar)));
  WriteText("levels/first/b.level", FormatLevelFile(TestLevel("Level B", 1)));
}

LevelPack FirstPack() {
  std::vector<LevelPack> packs = FindLevelPacks(LevelPackRoots());
  return packs.empty() ? LevelPack{} : packs.front();
}

std::vector<TrackPair> Sorted(std::vector<TrackPair> pairs) {
  std::sort(pairs.begin(), pairs.end(), [](const TrackPair& a, const TrackPair& b) {
    return a.junction != b.junction ? a.junction < b.junction : a.type < b.type;
  });
  return pairs;
}

class PackGameTest : public GameTest {
 public:
  void SetUp() override {
    GameTest::SetUp();
    roots_ = LevelPackRoots();
    SetLevelPackRoots({"levels"});
  }
  void TearDown() override {
    SetLevelPackRoots(roots_);
    GameTest::TearDown();
  }
  // A new game of the pack's level (0-based), as the packs dialog starts it.
  TestGame& StartPack(size_t index, TestGame* game = nullptr) {
    const LevelPack pack = FirstPack();
    EXPECT_LT(index, pack.levels.size());
    TestGame& g = game ? *game : Make();
    g.NewPackGame(pack.levels.at(index), {pack.id, static_cast<int32_t>(index) + 1});
    return g;
  }
  // Ends the running level at once and closes its statistics.
  void EndLevel(TestGame& g) {
    while (!g.GetField().Trains().empty()) g.GetField().RemoveTrain(0, 0, false);
    g.HoldProgress(100);
    RunUntil(g, [&] { return g.GameState == kStateLevelStatistics; });
  }

 private:
  std::vector<std::string> roots_;
};

}  // namespace

TEST_F(PackGameTest, APackLevelPlaysItsFileAndEndsWithItsParAndProgress) {
  WritePack(0);
  TestGame& g = StartPack(0);
  const LevelFile& level = *g.PackLevel();
  Ready(g);
  EXPECT_EQ(g.GameType(), 1);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  EXPECT_EQ(g.Record().Background, 2);
  EXPECT_EQ(g.Record().LevelMinutes, 2);
  EXPECT_EQ(g.LevelCaption, "LEVEL  1");
  EXPECT_EQ(Sorted(ParsePairs(g.GetField().TownRecord())), Sorted(ParsePairs(level.towns)));
  EXPECT_EQ(Sorted(ParsePairs(g.GetField().BuiltTrackRecord())), Sorted(ParsePairs(level.tracks)));
  // A level file's game is that one level: the level skip has nowhere to go.
  EXPECT_FALSE(g.Apply(action::Make(ActionKind::kSkipLevel)).taken);

  EndLevel(g);
  ASSERT_EQ(owner.levelEnds.size(), 1u);
  EXPECT_EQ(owner.levelEnds[0].par, 0);
  EXPECT_EQ(owner.levelEnds[0].level, 1);
  // Par 0 with money left: finished, and the pack's second level opens.
  PackProgress progress;
  ASSERT_TRUE(progress.Load(kPackProgressFile));
  ASSERT_NE(progress.Find(level.contentHash), nullptr);
  EXPECT_TRUE(progress.Find(level.contentHash)->finished);
  EXPECT_EQ(progress.Find(level.contentHash)->bestMoney, g.MoneyCounter);
  EXPECT_TRUE(progress.Unlocked(FirstPack(), 1));

  // After the statistics the level begins again; no built-in level is reached.
  g.OnScreenClosed(GameScreen::kLevelStatistics, -1);
  EXPECT_EQ(g.GameState, kStatePlaying);
  EXPECT_EQ(g.PackLevel(), &level);
  EXPECT_EQ(g.TrainCounter, 0);
  EXPECT_EQ(Globals().MaxLevelPuzzle, 0);

  // The second level asks for a train: none delivered leaves it unfinished.
  TestGame& second = StartPack(1, &g);
  EXPECT_EQ(second.LevelCaption, "LEVEL  2");
  Ready(second);
  EndLevel(second);
  ASSERT_TRUE(progress.Load(kPackProgressFile));
  EXPECT_FALSE(progress.Finished(second.PackLevel()->contentHash));
  EXPECT_EQ(owner.levelEnds.back().par, 1);
}

TEST_F(PackGameTest, APackLevelIsSavedApartAndResumedAndTheBuiltInGameStaysAsItWas) {
  WritePack(0);
  // The player's own Puzzle game, saved as the screen saves it before a pack level.
  TestGame& own = Start(1, 1);
  Frames(own, 500);
  own.Save();
  const std::string puzzle = Bytes(SavePath(1));
  ASSERT_FALSE(puzzle.empty());

  TestGame& g = StartPack(1, &own);
  Frames(g, 500);
  g.TrainCounter = 3;
  g.MoneyCounter = 104000;
  g.Save();
  EXPECT_TRUE(Globals().PackGame);
  EXPECT_EQ(Bytes(SavePath(1)), puzzle);
  ASSERT_TRUE(std::filesystem::exists(Game::PackSaveFileName("Manager")));
  const Doc doc = Entries(Game::PackSaveFileName("Manager"));
  const auto value = [&](const std::string& key) {
    for (const auto& [k, v] : doc)
      if (k == key) return v;
    return std::string("(none)");
  };
  EXPECT_EQ(value("Game.PackId"), "first");
  EXPECT_EQ(value("Game.PackLevel"), "b");
  EXPECT_EQ(value("Game.PackHash"), g.PackLevel()->contentHash);
  const std::string towns = g.GetField().TownRecord();
  Drop(g);

  // The next start resumes the pack level where it was.
  TestGame& back = Open();
  RunUntil(back, [&] { return back.GameState != kStateRestoring; });
  ASSERT_NE(back.PackLevel(), nullptr);
  EXPECT_EQ(back.PackLevel()->id, "b");
  EXPECT_EQ(back.PackLevelPlace().number, 2);
  EXPECT_EQ(back.TrainCounter, 3);
  EXPECT_EQ(back.MoneyCounter, 104000);
  EXPECT_EQ(back.GetField().TownRecord(), towns);

  // Leaving the pack for the game type takes up the player's own game, untouched.
  back.LeavePackGame();
  EXPECT_FALSE(Globals().PackGame);
  ASSERT_TRUE(back.LoadOrStartNew());
  RunUntil(back, [&] { return back.GameState != kStateRestoring; });
  EXPECT_EQ(back.PackLevel(), nullptr);
  EXPECT_EQ(back.CurrentRoundInType, 1);
  EXPECT_EQ(Bytes(SavePath(1)), puzzle);
}

TEST_F(PackGameTest, TheSettingOfAPackGameIsWrittenOnlyWhileOn) {
  const auto written = [](bool on) {
    Settings s;
    s.PackGame = on;
    LParams store;
    EXPECT_TRUE(SaveSettingsFile(store, s, "save.sav"));
    Settings read;
    LParams again;
    EXPECT_EQ(LoadSettingsFile(again, read, "save.sav", "savep/"), SettingsRead::Loaded);
    EXPECT_EQ(read.PackGame, on);
    return Bytes("save.sav");
  };
  const std::string off = written(false);
  Settings plain;
  LParams store;
  ASSERT_TRUE(SaveSettingsFile(store, plain, "plain.sav"));
  EXPECT_EQ(off, Bytes("plain.sav"));
  EXPECT_NE(written(true), off);
}

TEST_F(PackGameTest, AChangedLevelFileStartsAnewAndAVanishedOneGivesTheGameTypesGame) {
  WritePack(0);
  TestGame& g = StartPack(0);
  Frames(g, 500);
  g.TrainCounter = 2;
  g.Save();
  Drop(g);

  // The file changed (its description): a new game of the changed level, logged.
  WriteText("levels/first/a.level",
            FormatLevelFile(LevelFileFrom(Level(kPuzzleOffset), "Level A", "Changed.", 0)));
  testing::internal::CaptureStderr();
  TestGame& changed = Open();
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("has changed"), std::string::npos) << log;
  ASSERT_NE(changed.PackLevel(), nullptr);
  EXPECT_EQ(changed.PackLevel()->description, "Changed.");
  EXPECT_EQ(changed.GameState, kStatePlaying);
  EXPECT_EQ(changed.TrainCounter, 0);
  changed.Save();
  Drop(changed);

  // The pack is gone: the player's Puzzle game begins, and the setting is off.
  std::filesystem::remove_all("levels/first");
  testing::internal::CaptureStderr();
  TestGame& gone = Open();
  log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("is gone"), std::string::npos) << log;
  EXPECT_EQ(gone.PackLevel(), nullptr);
  EXPECT_FALSE(Globals().PackGame);
  EXPECT_EQ(gone.GameType(), 1);
  EXPECT_EQ(gone.CurrentRoundInType, 0);
  EXPECT_EQ(gone.Record().TownsText, Level(kPuzzleOffset).TownsText);
}
