// SPDX-License-Identifier: GPL-3.0-or-later
// A recorded level watched again on the test rig ends where it ended when it was played:
// a fresh level that began with a track type chosen in the level before, levels whose
// game over came after the wait out of money or from a dialog closed during it, and a
// level of a pack rewound on the way.
#include <filesystem>

#include "GameTestSupport.h"
#include "game/LevelFile.h"
#include "game/LevelRecorder.h"
#include "game/PackProgress.h"
#include "game/ReplayWatch.h"
#include "railway/Geometry.h"

using namespace gametest;

namespace {

// The rig as the host of a replay: a game replaced is a new game of the rig.
class RigHost : public LevelHost {
 public:
  explicit RigHost(GameTest& rig) : rig_(rig) {}
  Game& ReplaceGame() override {
    if (game_) rig_.Drop(*game_);
    game_ = &rig_.Make();
    // As the game's hosts make it: it saves nothing until the player has it again.
    game_->KeepSavedGames(false);
    return *game_;
  }
  void StepGame() override { rig_.Frames(*game_, 1); }

 private:
  GameTest& rig_;
  TestGame* game_ = nullptr;
};

// The replay the recorder wrote last, read back from its file.
Replay Written(const LevelRecorder& recorder) {
  Replay replay;
  std::string error;
  EXPECT_TRUE(ReadReplayFile(recorder.LastWritten(), replay, error)) << error;
  return replay;
}

// The replay watched on the rig to its end: the game there, or nullptr.
Game* Watch(RigHost& host, ReplayWatch& watch) {
  std::string why;
  if (!watch.Begin(host, why)) {
    ADD_FAILURE() << why;
    return nullptr;
  }
  for (int steps = 0; steps < 100000; ++steps) {
    Game* game = watch.BeforeStep(host);
    if (!game || watch.Ended()) return game;
    host.StepGame();
  }
  ADD_FAILURE() << "the replay did not end";
  return nullptr;
}

void Click(Game& g, int node) {
  const rail::Point at = rail::JunctionPos(node);
  g.Apply(action::Make(ActionKind::kClick, at.x, at.y));
}

TEST_F(GameTest, AFreshLevelsReplayBeginsWithTheTrackTypeChosenBefore) {
  Globals().GameType = 0;
  LevelRecorder recorder(kReplaysFolder);
  TestGame& g = Make();
  g.AttachRecorder(&recorder);
  g.StartLevelNumber = 0;
  g.SetState(kStateNewGame);
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 4));
  Frames(g, 10);
  g.Apply(action::Make(ActionKind::kSkipLevel));  // the next level keeps type 4
  ASSERT_EQ(g.CurrentRoundInType, 1);
  Frames(g, 10);
  Click(g, 4 * 8 + 3);
  Frames(g, 200);
  const std::string tracks = g.GetField().BuiltTrackRecord();
  ASSERT_NE(tracks.find(",4 "), std::string::npos) << tracks;
  g.FinishRecording(ReplayOutcome::kQuit);
  const Replay replay = Written(recorder);
  Drop(g);

  RigHost host(*this);
  ReplayWatch watch(replay);
  Game* watched = Watch(host, watch);
  ASSERT_NE(watched, nullptr);
  EXPECT_EQ(watched->CurrSelectTrackType, 4);
  EXPECT_EQ(watched->GetField().BuiltTrackRecord(), tracks);
  EXPECT_EQ(watched->StateHash(), replay.end->hash);
}

// A game over ends the level either at once, by a dialog closed during the wait out of
// money (no action), or after the wait, here with a save in between (a save marks a game
// that is over as asking for a new game; replays save nothing). The replay ends as the
// level ended, at its recorded update.
TEST_F(GameTest, AGameOverEndsTheReplayAsItEndedTheLevel) {
  for (const bool byDialog : {true, false}) {
    SCOPED_TRACE(byDialog ? "by a dialog" : "after the wait");
    Globals().GameType = 0;
    LevelRecorder recorder(kReplaysFolder);
    TestGame& g = Make();
    g.AttachRecorder(&recorder);
    g.StartLevelWith(0, 1000, 0, 0);
    Frames(g, 10);
    g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 3));
    g.Apply(action::Make(ActionKind::kClick, 495, 204));  // the last 1000 go on this piece
    ASSERT_EQ(g.GameState, kStateOutOfMoney);
    Frames(g, 30);
    if (byDialog) {
      g.OnScreenClosed(GameScreen::kHelp, -1);
    } else {
      g.Save();
      ASSERT_TRUE(RunUntil(
          g, [&] { return g.GameState == kStateFinalStatistics; }, 400));
    }
    ASSERT_EQ(g.GameState, kStateFinalStatistics);
    const Replay replay = Written(recorder);
    ASSERT_EQ(replay.end->outcome, ReplayOutcome::kGameOver);
    Drop(g);

    RigHost host(*this);
    ReplayWatch watch(replay);
    Game* watched = Watch(host, watch);
    ASSERT_NE(watched, nullptr);
    EXPECT_EQ(watched->GameState, kStateFinalStatistics);
    EXPECT_EQ(watched->LevelUpdate(), replay.end->update);
    EXPECT_EQ(watched->StateHash(), replay.end->hash);
  }
}

// A one-minute level of a pack, held in memory only: no file of it exists.
std::shared_ptr<const LevelFile> MemoryPackLevel() {
  LevelFile level = LevelFileFrom(Level(kPuzzleOffset), "Level A", "Two towns.", 0);
  level.towns = "17,0 62,2";
  level.maxTowns = 2;
  level.levelMinutes = 1;
  level.id = "a";
  level.contentHash = "0123456789abcdef";
  return std::make_shared<const LevelFile>(std::move(level));
}

// A level of a pack is recorded and rewound as a built-in one is: the rewind goes back
// 10 s within the same pack level (the game type setting left alone), and the replay,
// which carries the level, plays it to the recorded end without any file of the pack
// and without saving the game or the pack progress.
TEST_F(GameTest, APackLevelIsRewoundWithinItselfAndItsReplayNeedsNoPack) {
  Globals().GameType = 0;
  std::filesystem::create_directories(std::filesystem::path(kPackProgressFile).parent_path());
  LevelRecorder recorder(kReplaysFolder);
  RigHost host(*this);
  Game& g = host.ReplaceGame();
  g.KeepSavedGames(true);
  g.AttachRecorder(&recorder);
  g.NewPackGame(MemoryPackLevel(), {"first", 2});
  Frames(g, 300);
  Click(g, 4 * 8 + 3);
  Frames(g, 100);
  const uint64_t at400 = g.StateHash();
  Frames(g, 500);
  Click(g, 5 * 8 + 2);
  std::string why;
  Game* back = replay::RewindLive(host, recorder, g, why);
  ASSERT_NE(back, nullptr) << why;
  EXPECT_EQ(back->LevelUpdate(), 400);
  EXPECT_EQ(back->StateHash(), at400);
  ASSERT_NE(back->PackLevel(), nullptr);
  EXPECT_EQ(back->PackLevel()->id, "a");
  EXPECT_EQ(back->PackLevel()->contentHash, "0123456789abcdef");
  EXPECT_EQ(back->PackLevelPlace().pack, "first");
  EXPECT_EQ(back->LevelCaption, "LEVEL  2");
  EXPECT_EQ(Globals().GameType, 0);
  Click(*back, 6 * 8 + 1);
  ASSERT_TRUE(RunUntil(*back, [&] { return back->GameState == kStateLevelStatistics; }));
  // The player's game keeps the level's result.
  EXPECT_TRUE(std::filesystem::exists(kPackProgressFile));
  const Replay replay = Written(recorder);
  ASSERT_TRUE(replay.pack.has_value());
  EXPECT_EQ(replay.pack->number, 2);
  EXPECT_EQ(replay.end->outcome, ReplayOutcome::kLevelComplete);
  EXPECT_EQ(replay.end->rewinds, 1);
  EXPECT_NE(recorder.LastWritten().find("-PACK-L02"), std::string::npos);

  std::filesystem::remove(kPackProgressFile);
  std::filesystem::remove(Game::PackSaveFileName("Manager"));
  ReplayWatch watch(replay);
  Game* watched = Watch(host, watch);
  ASSERT_NE(watched, nullptr);
  EXPECT_EQ(watched->GameState, kStateLevelStatistics);
  EXPECT_EQ(watched->LevelUpdate(), replay.end->update);
  EXPECT_EQ(watched->StateHash(), replay.end->hash);
  EXPECT_EQ(watch.Rewinds(), 1);
  watched->Save();
  EXPECT_FALSE(std::filesystem::exists(kPackProgressFile));
  EXPECT_FALSE(std::filesystem::exists(Game::PackSaveFileName("Manager")));
  EXPECT_EQ(Globals().GameType, 0);
}

// A level of a pack taken up from its saved game: its replay gives the new game the
// carried level before the saved game is restored in it.
TEST_F(GameTest, AResumedPackLevelsReplayRestoresItsSavedGameInTheCarriedLevel) {
  const std::shared_ptr<const LevelFile> level = MemoryPackLevel();
  LevelRecorder recorder(kReplaysFolder);
  RigHost host(*this);
  Game& first = host.ReplaceGame();
  first.NewPackGame(level, {"first", 2});
  Frames(first, 400);
  Click(first, 4 * 8 + 3);
  Frames(first, 100);
  const core::ParamEntries saved = first.SavedState();
  Game& g = host.ReplaceGame();
  g.AttachRecorder(&recorder);
  g.PlayPackLevel(level, {"first", 2});
  ASSERT_TRUE(g.LoadFrom(saved));
  ASSERT_TRUE(RunUntil(g, [&] { return g.GameState == kStatePlaying; }));
  Click(g, 5 * 8 + 2);
  Frames(g, 200);
  g.FinishRecording(ReplayOutcome::kQuit);
  const Replay replay = Written(recorder);
  EXPECT_FALSE(replay.savedState.empty());
  ASSERT_TRUE(replay.pack.has_value());

  ReplayWatch watch(replay);
  Game* watched = Watch(host, watch);
  ASSERT_NE(watched, nullptr);
  ASSERT_NE(watched->PackLevel(), nullptr);
  EXPECT_EQ(watched->PackLevel()->id, "a");
  EXPECT_EQ(watched->StateHash(), replay.end->hash);
}

}  // namespace
