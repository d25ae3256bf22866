// SPDX-License-Identifier: GPL-3.0-or-later
// Rewinds and replays through the headless session, as the in-game screen makes them:
// Backspace goes back 10 s and stops at the level's start; the game after a rewind is the
// game the same course played afresh reaches; a rewind from the level's end phase goes
// back into the level and the statistics count it; a replay with a rewind, a replay
// taken over and a level resumed from a saved game all end as recorded. The levels are
// Puzzle level 1 played by the autopilot, which acts on what it sees, so the same level
// played again takes the same course.
#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/Settings.h"
#include "tests/tools/SessionTest.h"
#include "tools/game/GameReport.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"

namespace {

class ReplaySession : public SessionTest {
 protected:
  void SetUp() override {
    rnd::SetRunSeed(4);
    SessionTest::SetUp();
  }

  // A new Puzzle level 1 with the autopilot playing, recorded or not.
  void Begin(bool record) {
    S().Record(record ? kReplaysFolder : "");
    S().NewGame(1, 1);
    S().SetAutopilot(true, false);
  }
  // Frames until the level has run update steps.
  void RunTo(int update) {
    while (S().GetGame().LevelUpdate() < update) S().RunFrame();
  }
  // The level skipped: its replay is written; the replay read back.
  Replay Skip() {
    S().Key(SDLK_9, KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_CAPS);
    return Read(S().Written().back());
  }
  static Replay Read(const std::string& path) {
    Replay replay;
    std::string error;
    EXPECT_TRUE(ReadReplayFile(path, replay, error)) << error;
    return replay;
  }
  // The game and its field as ot-game prints them, the screen's line left out (a rewind
  // leaves the screen paused), and its state hash.
  std::string State() {
    std::string field;
    gamereport::FieldPart(S(), "field", field);
    std::string game = gamereport::Game(S());
    game.erase(game.find("screen: "), std::string::npos);
    return game + field + gamereport::Hash(S());
  }
  // Watches the replay to its end: true when it ended as recorded.
  bool Watch(const Replay& replay) {
    std::string why;
    EXPECT_TRUE(S().Watch(replay, why) && S().WatchTo(INT32_MAX, why)) << why;
    return S().WatchEnded() && S().WatchEnded()->AsRecorded();
  }
};

TEST_F(ReplaySession, BackspaceGoesBackTenSecondsAndStopsAtTheLevelsStart) {
  Begin(false);
  const std::string start = State();
  Begin(true);
  RunTo(1100);
  for (const int32_t back : {600, 100, 0}) {  // pressed again while paused: 10 s more
    S().Key(SDLK_BACKSPACE, 0);
    EXPECT_EQ(S().GetGame().LevelUpdate(), back);
    EXPECT_TRUE(S().Paused());
  }
  EXPECT_EQ(State(), start);
  S().Key(SDLK_BACKSPACE, 0);  // nothing before the start: it ends the pause
  EXPECT_FALSE(S().Paused());
  EXPECT_FALSE(S().Rewind());
  EXPECT_EQ(S().Recorder()->Rewinds(), 3);
}

TEST_F(ReplaySession, LevelsBegunUnderTheStartHelpReplay) {
  S().Record(kReplaysFolder);
  S().Show();  // the player's game under the start help, as the in-game screen shows it
  S().Load();  // and left at once, still under the help
  EXPECT_TRUE(Watch(Read(S().Written().back())));
  S().Show();
  S().Close(S().Open(), false);
  S().SetAutopilot(true, false);
  RunTo(600);
  EXPECT_TRUE(Watch(Skip()));
}

TEST_F(ReplaySession, AGameRewoundIsTheGameItsCoursePlayedAfreshReaches) {
  Begin(true);
  RunTo(2100);
  S().GetGame().Apply(action::Make(ActionKind::kRightClick, 100, 300));  // a repair train
  RunTo(2400);
  const size_t played = S().Recorder()->Course().size();
  ASSERT_TRUE(S().Rewind());
  EXPECT_EQ(S().GetGame().LevelUpdate(), 1900);
  const std::string rewound = State();
  const std::vector<PlayerAction> course = S().Recorder()->Course();
  EXPECT_GT(course.size(), 0u);
  EXPECT_LT(course.size(), played);  // the actions from update 1900 on are taken back
  for (const PlayerAction& a : course) EXPECT_LT(a.update, 1900);
  EXPECT_EQ(S().Recorder()->Recorded().size(), played + 1);  // the rewind kept
  Begin(false);
  RunTo(1900);
  EXPECT_EQ(rewound, State());
}

TEST_F(ReplaySession, ARewindFromTheLevelsEndPhaseGoesBackIntoTheLevelAndReplays) {
  Begin(true);
  Game* game = &S().GetGame();
  while (game->Progress() < 100) S().RunFrame();
  RunTo(game->LevelUpdate() + 250);  // 5 s into the end phase, trains still out
  ASSERT_EQ(game->GameState, kStatePlaying);
  ASSERT_TRUE(S().Rewind());
  game = &S().GetGame();
  EXPECT_LT(game->Progress(), 100);
  S().SetPaused(false);
  while (S().Open() == Dialog::kNone) S().RunFrame();
  ASSERT_EQ(S().Open(), Dialog::kLevelStatistics);
  ASSERT_TRUE(S().LastLevelEnd());
  EXPECT_EQ(S().LastLevelEnd()->rewinds, 1);

  const Replay replay = Read(S().Written().back());
  ASSERT_EQ(replay.end->outcome, ReplayOutcome::kLevelComplete);
  EXPECT_EQ(replay.end->rewinds, 1);
  EXPECT_TRUE(Watch(replay));
  EXPECT_EQ(S().GetGame().GameState, kStateLevelStatistics);
}

TEST_F(ReplaySession, AReplayTakenOverRecordsItsCourseAndTheNewActionsAsAReplayOfItsOwn) {
  Begin(true);
  RunTo(1500);
  const Replay recorded = Skip();
  std::string why;
  ASSERT_TRUE(S().Watch(recorded, why)) << why;
  ASSERT_TRUE(S().WatchTo(800, why)) << why;
  ASSERT_TRUE(S().TakeOver());
  S().SetAutopilot(true, false);
  S().GetGame().Apply(action::Make(ActionKind::kRightClick, 100, 300));  // new: a repair train
  RunTo(2000);
  const Replay own = Skip();
  size_t before = 0;
  while (before < recorded.actions.size() && recorded.actions[before].update <= 800) ++before;
  ASSERT_GT(own.actions.size(), before);
  for (size_t i = 0; i < before; ++i) EXPECT_EQ(own.actions[i], recorded.actions[i]);
  EXPECT_EQ(own.actions[before].kind, ActionKind::kRightClick);
  EXPECT_EQ(own.end->update, 2000);
  EXPECT_TRUE(Watch(own));
}

// The level after a resumed level that ran to its end starts on the game object that
// played it: what that level left behind (the progress engine's waits, the restore's
// count) must not reach the next level's course or hash.
TEST_F(ReplaySession, ResumedLevelPlayedToItsEndAndTheNextLevelReplay) {
  Begin(true);
  RunTo(3000);
  S().Save();
  ASSERT_TRUE(S().Load());
  S().SetAutopilot(true, false);
  while (S().Open() == Dialog::kNone) S().RunFrame();
  ASSERT_EQ(S().Open(), Dialog::kLevelStatistics);
  const Replay resumed = Read(S().Written().back());
  ASSERT_EQ(resumed.end->outcome, ReplayOutcome::kLevelComplete);
  S().Close(Dialog::kLevelStatistics, false);
  ASSERT_EQ(S().GetGame().CurrentRoundInType, 1);
  RunTo(600);
  const Replay next = Skip();
  EXPECT_TRUE(next.savedState.empty());
  EXPECT_TRUE(Watch(next));
  EXPECT_TRUE(Watch(resumed));
}

TEST_F(ReplaySession, ARestoreCutShortOrEndedJustBeforeANewLevelLeavesItNothing) {
  Begin(true);
  RunTo(1500);
  S().Save();
  ASSERT_TRUE(S().Load());
  S().RunFrame();
  ASSERT_EQ(S().GetGame().GameState, kStateRestoring);
  S().NewGame(1, 1);  // the new-game dialog's OK cuts the restore short
  RunTo(300);
  EXPECT_TRUE(Watch(Skip()));
  S().Save();
  ASSERT_TRUE(S().Load());
  while (S().GetGame().GameState != kStatePlaying) S().RunFrame();
  Skip();  // before the restore's catch-up step
  RunTo(300);
  EXPECT_TRUE(Watch(Skip()));
}

TEST_F(ReplaySession, ALevelResumedFromASavedGameReplaysFromItsSavedState) {
  Begin(true);
  RunTo(1500);
  S().Save();
  ASSERT_TRUE(S().Load());
  S().SetAutopilot(true, false);
  const int written = static_cast<int>(S().Written().size());
  ASSERT_EQ(written, 1);  // the level left for the loaded game, written as quit
  RunTo(2500);
  const Replay resumed = Skip();
  EXPECT_FALSE(resumed.savedState.empty());
  EXPECT_TRUE(Watch(resumed));
  EXPECT_TRUE(Watch(Read(S().Written().front())));
}

}  // namespace
