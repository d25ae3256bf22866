// SPDX-License-Identifier: GPL-3.0-or-later
// The field played by keyboard through the headless session, on Puzzle level 1: the
// selection ring, Enter, S and C, and the hint, each checked by what the player sees (the
// ring's and the highlight's pictures, the switches and signals, the repair train) and by
// what the game keeps (its actions, its saved game, its replay).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/MemoryStore.h"
#include "core/Random.h"
#include "game/KeyboardPlay.h"
#include "railway/FieldReport.h"
#include "railway/FieldSprites.h"
#include "railway/Junction.h"
#include "tests/tools/SessionTest.h"
#include "tools/game/GameReport.h"

namespace {

constexpr const char* kReplays = "keyboard_play_replays";

class KeyboardPlayTest : public SessionTest {
 protected:
  void SetUp() override {
    rnd::SetRunSeed(2);
    SessionTest::SetUp();
    S().NewGame(1, 1);
  }
  void Run(int ms) {
    for (int t = 0; t < ms; t += GameSession::kFrame) S().RunFrame();
  }
  KeyboardPlay& Keys() { return S().GetGame().Keyboard(); }
  const Junction& At(int j) { return S().GetGame().GetField().At(j); }
  // The switch's active branch, or the signal's light, as the field shows it.
  int StateOf(const FieldControl& c) {
    return c.signal ? static_cast<int>(At(c.junction).SignalAt(c.side).state)
                    : At(c.junction).SwitchAt(c.side).active;
  }
  PlayerAction LastAction() {
    const auto& actions = S().GetGame().LevelActions();
    return actions.empty() ? PlayerAction{} : actions.back();
  }
};

TEST_F(KeyboardPlayTest, ArrowsMoveTheRingEnterAndSActOnItsControlWithAClickAtIt) {
  Run(3000);
  EXPECT_EQ(Keys().Ring(), nullptr);  // nothing new before the first arrow key
  const size_t actions = S().GetGame().LevelActions().size();
  S().Key(SDLK_RIGHT, 0);
  ASSERT_TRUE(Keys().Selected());
  ASSERT_NE(Keys().Ring(), nullptr);
  EXPECT_TRUE(Keys().Ring()->Visible());
  EXPECT_EQ(S().GetGame().LevelActions().size(), actions);  // moving the ring is no action

  // Each arrow takes the ring that way, until there is no control left that way.
  struct Way {
    int key, dx, dy;
  };
  for (const Way w :
       {Way{SDLK_RIGHT, 1, 0}, Way{SDLK_DOWN, 0, 1}, Way{SDLK_LEFT, -1, 0}, Way{SDLK_UP, 0, -1}}) {
    for (int i = 0; i < 30; ++i) {
      const int x = Keys().RingX(), y = Keys().RingY();
      S().Key(w.key, 0);
      const double along = (Keys().RingX() - x) * w.dx + (Keys().RingY() - y) * w.dy;
      const double across = std::abs((Keys().RingX() - x) * w.dy - (Keys().RingY() - y) * w.dx);
      if (along == 0 && across == 0) break;
      EXPECT_GT(along, 0) << "key " << w.key;
      EXPECT_LE(across, 2 * along) << "key " << w.key;
    }
  }

  // Enter on a switch throws it, as a click at the ring's point would.
  for (int i = 0; i < 30 && Keys().Selected()->signal; ++i) S().Key(SDLK_RIGHT, 0);
  FieldControl c = *Keys().Selected();
  ASSERT_FALSE(c.signal);
  const int before = StateOf(c);
  S().Key(SDLK_RETURN, 0);
  EXPECT_NE(StateOf(c), before);
  EXPECT_EQ(LastAction().kind, ActionKind::kClick);
  EXPECT_EQ(LastAction().x, Keys().RingX());
  EXPECT_EQ(LastAction().y, Keys().RingY());
  EXPECT_EQ(Keys().Ring()->X(), Keys().RingX());  // the ring round the switch's pivot
  EXPECT_EQ(Keys().Ring()->Y(), Keys().RingY());
  // S on a side without a signal changes nothing.
  const size_t taken = S().GetGame().LevelActions().size();
  S().Key(SDLK_s, 0);
  EXPECT_EQ(S().GetGame().LevelActions().size(), taken);

  // S and Enter each set a signal.
  for (int i = 0; i < 60 && !Keys().Selected()->signal; ++i)
    S().Key(i % 2 ? SDLK_DOWN : SDLK_LEFT, 0);
  c = *Keys().Selected();
  ASSERT_TRUE(c.signal);
  EXPECT_LT(Keys().Ring()->Y(), Keys().RingY());  // round the lamps, over the post's foot
  const int light = StateOf(c);
  S().Key(SDLK_s, 0);
  EXPECT_NE(StateOf(c), light);
  S().Key(SDLK_RETURN, 0);
  EXPECT_EQ(StateOf(c), light);
  // Ctrl with an arrow is no ring key.
  const int x = Keys().RingX(), y = Keys().RingY();
  S().Key(SDLK_LEFT, KMOD_LCTRL);
  S().Key(SDLK_UP, KMOD_LCTRL);
  EXPECT_EQ(Keys().RingX(), x);
  EXPECT_EQ(Keys().RingY(), y);
}

TEST_F(KeyboardPlayTest, CCallsTheRepairTrainToTheDamageByItsCallButton) {
  Run(3000);
  ScriptedGame& g = S().GetGame();
  S().Key(SDLK_c, 0);  // no damage: nothing happens but the message
  EXPECT_FALSE(g.GetField().RepairTrainOnField());
  g.GetField().DamageRandomTrack();
  ASSERT_EQ(g.GetField().CrashSites().size(), 1u);
  Run(100);  // its call button shows from the next step on
  const int32_t money = g.MoneyCounter;
  S().Key(SDLK_c, 0);
  EXPECT_TRUE(g.GetField().RepairTrainOnField());
  EXPECT_LT(g.MoneyCounter, money);
  EXPECT_EQ(LastAction().kind, ActionKind::kClick);
  EXPECT_EQ(g.GetField().CallButtonAt(LastAction().x, LastAction().y),
            g.GetField().CrashSites()[0].button);
}

// The hint names the control the autopilot changes next, changes nothing on the field,
// stays two seconds of frame time even while paused, and is counted.
TEST_F(KeyboardPlayTest, HintShowsTheAutopilotsNextChangeForTwoSecondsAndIsCounted) {
  Run(3000);
  S().Key(SDLK_h, 0);  // no trains yet: nothing to change
  EXPECT_FALSE(Keys().Hinted());
  EXPECT_EQ(Keys().HintMark(), nullptr);
  Run(7000);
  const std::string field = report::All(S().GetGame().GetField());
  S().Key(SDLK_h, 0);
  ASSERT_TRUE(Keys().Hinted());
  const FieldControl hinted = *Keys().Hinted();
  ASSERT_NE(Keys().HintMark(), nullptr);
  EXPECT_TRUE(Keys().HintMark()->Visible());
  EXPECT_EQ(report::All(S().GetGame().GetField()), field);
  EXPECT_EQ(S().GetGame().HintsUsed, 2);
  EXPECT_EQ(LastAction().kind, ActionKind::kHint);
  EXPECT_EQ(Keys().Ring(), nullptr);  // the ring stays away from a player of the mouse

  S().Key(SDLK_SPACE, 0);
  Run(KeyboardPlay::kHintMs - GameSession::kFrame);
  EXPECT_TRUE(Keys().HintMark()->Visible());
  Run(GameSession::kFrame);
  EXPECT_FALSE(Keys().HintMark()->Visible());
  EXPECT_FALSE(Keys().Hinted());
  S().Key(SDLK_SPACE, 0);  // ends the pause only

  // The autopilot, looking at the same field, changes that control.
  const int before = StateOf(hinted);
  S().SetAutopilot(true, false);
  Run(Autopilot::kPeriod * GameSession::kFrame);
  EXPECT_NE(StateOf(hinted), before);
}

TEST_F(KeyboardPlayTest, HintsAreSavedOnlyWhenUsedAndReplayedWithTheLevel) {
  S().Record(kReplays);
  S().NewGame(1, 1);
  Run(10000);
  auto hasHints = [this] {
    const core::ParamEntries doc = S().GetGame().SavedState();
    return std::any_of(doc.begin(), doc.end(), [](const auto& e) {
      return e.first.find("HintsUsed") != std::string::npos;
    });
  };
  EXPECT_FALSE(hasHints());
  S().Key(SDLK_h, 0);
  S().Key(SDLK_h, 0);
  EXPECT_TRUE(hasHints());
  S().Save();
  ASSERT_TRUE(S().Load());
  for (int i = 0; i < 1000 && S().GetGame().GameState != kStatePlaying; ++i) S().RunFrame();
  EXPECT_EQ(S().GetGame().HintsUsed, 2);
  S().Key(SDLK_h, 0);
  Run(1000);
  S().Key(SDLK_9, KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_CAPS);
  Replay replay;
  std::string why;
  ASSERT_TRUE(ReadReplayFile(S().Written().back(), replay, why)) << why;
  EXPECT_EQ(std::count_if(replay.actions.begin(), replay.actions.end(),
                          [](const PlayerAction& a) { return a.kind == ActionKind::kHint; }),
            1);
  ASSERT_TRUE(S().Watch(replay, why) && S().WatchTo(INT32_MAX, why)) << why;
  ASSERT_TRUE(S().WatchEnded());
  EXPECT_TRUE(S().WatchEnded()->AsRecorded());
  EXPECT_EQ(S().GetGame().HintsUsed, 3);
}

}  // namespace
