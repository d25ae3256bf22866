// SPDX-License-Identifier: GPL-3.0-or-later
// A recorded level watched again on the test rig ends where it ended when it was played:
// a fresh level that began with a track type chosen in the level before, and levels whose
// game over came after the wait out of money or from a dialog closed during it.
#include "GameTestSupport.h"
#include "game/LevelRecorder.h"
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

}  // namespace
