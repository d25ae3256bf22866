// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SpriteTestSupport.h"
#include "core/MemoryStore.h"
#include "engine/LEngine.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/FineSink.h"

using namespace spritetest;

namespace {

struct RecordingGame : FineSink {
  void Fine(uint32_t amount) override { fines.push_back(amount); }
  int32_t GameType() const override { return type; }
  std::vector<uint32_t> fines;
  int32_t type = 0;
};

struct Indicator : ::testing::Test {
  void SetUp() override {
    cwd = std::make_unique<ScopedCwd>(LibraryFolder());
    screen = std::make_unique<LEngine>(Display(), 0, 0, 800, 600, true);
    indicator = std::make_unique<CompleteIndicator>(screen.get());
  }
  void TearDown() override {
    indicator.reset();
    screen.reset();
    cwd.reset();
  }
  // One frame of the game: the indicator, then the screen moves the sprites.
  void Frame(int32_t dt = 20) {
    indicator->Update(dt, true);
    screen->Update(dt, 20);
  }
  int VisibleCrates() const {
    int n = 0;
    for (LClip* c : indicator->Crates) n += c->Visible;
    for (LClip* s : indicator->Stacks) n += 7 * s->Visible;
    return n;
  }
  // Runs until the engine stands at the warehouse.
  void RunToWarehouse() {
    for (int i = 0; i < 100000 && indicator->iState == 0; ++i) Frame();
  }
  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<LEngine> screen;
  std::unique_ptr<CompleteIndicator> indicator;
  RecordingGame game;
};

}  // namespace

TEST_F(Indicator, SpritesJoinTheScreenHidden) {
  EXPECT_EQ(screen->Sprites.size(), 15u);
  EXPECT_FALSE(indicator->Engine->Visible);
  EXPECT_EQ(VisibleCrates(), 0);
  indicator.reset();
  EXPECT_TRUE(screen->Sprites.empty());
}

TEST_F(Indicator, ZeroMinutesIsTwoHalfTrips) {
  indicator->Start(0, &game);
  EXPECT_DOUBLE_EQ(indicator->DeltaPercent, 50);
  EXPECT_EQ(indicator->Engine->x, 146);
  EXPECT_EQ(indicator->Engine->y, 25);
  EXPECT_EQ(VisibleCrates(), 0);  // 0 + 2 x 50 leaves nothing to carry
  double progress = 0;
  for (int i = 0; i < 100000 && indicator->Percent < 100; ++i) {
    Frame();
    EXPECT_GE(indicator->GetProgress(), progress - 1e-9);
    progress = indicator->GetProgress();
    EXPECT_LE(progress, 100);
  }
  EXPECT_DOUBLE_EQ(indicator->Percent, 100);
  EXPECT_EQ(game.fines.size(), 1u);
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(indicator->Engine->Vx, 0);  // stopped for good
  EXPECT_DOUBLE_EQ(indicator->GetProgress(), 100);
}

TEST_F(Indicator, MinutesBecomeHalfTripShares) {
  // One pass of 855 pixels takes 855 / 800 / 0.002 x 30 ms = 16.03 s.
  indicator->Start(1, &game);
  EXPECT_DOUBLE_EQ(indicator->DeltaPercent, 25);
  indicator->Start(10, &game);
  EXPECT_DOUBLE_EQ(indicator->DeltaPercent, 100.0 / 38);  // 18 round trips
  indicator->Start(-3, &game);
  EXPECT_DOUBLE_EQ(indicator->DeltaPercent, 50);
}

TEST_F(Indicator, StopChangesThePileOnceAndLeavesAfterHalfASecond) {
  indicator->Start(10, &game);
  const int full = VisibleCrates();
  EXPECT_EQ(full, 46);  // 100 - 2 x 100/38 = 94.7 left, 49 crates a level
  RunToWarehouse();
  ASSERT_EQ(indicator->iState, 1);
  EXPECT_EQ(indicator->Engine->x, 146);
  EXPECT_DOUBLE_EQ(indicator->Percent, 2 * indicator->DeltaPercent);
  ASSERT_EQ(game.fines.size(), 1u);
  EXPECT_EQ(game.fines[0], 1000u);
  EXPECT_EQ(indicator->Engine->Vx, 0);
  int changes = 0;
  int changedAt = -1;
  int leftAt = -1;
  int last = VisibleCrates();
  for (int t = 10; t <= 600 && leftAt < 0; t += 10) {
    Frame(10);
    if (VisibleCrates() != last) {
      ++changes;
      changedAt = t;
      last = VisibleCrates();
    }
    if (indicator->iState == 0) leftAt = t;
  }
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changedAt, 250);
  EXPECT_EQ(leftAt, 500);
  EXPECT_LT(last, full);
  EXPECT_GT(indicator->Engine->Vx, 0);
}

TEST_F(Indicator, PuzzleGameIsFinedDouble) {
  game.type = 1;
  indicator->Start(0, &game);
  RunToWarehouse();
  ASSERT_EQ(game.fines.size(), 1u);
  EXPECT_EQ(game.fines[0], 2000u);
}

TEST_F(Indicator, ProgressFollowsTheEngineAndNeverPasses100) {
  indicator->Start(0, &game);
  indicator->Engine->x = 145 + 855 / 2.0;
  EXPECT_DOUBLE_EQ(indicator->GetProgress(), 25);
  indicator->Percent = 90;
  indicator->Engine->Vx = -0.002;
  indicator->Engine->x = 200;
  EXPECT_DOUBLE_EQ(indicator->GetProgress(), 100);
}

TEST_F(Indicator, SaveWritesItsKeysInOrderAndLoadRestoresTheRun) {
  indicator->Start(10, &game);
  for (int i = 0; i < 300; ++i) Frame();
  const double x = indicator->Engine->x;
  const double progress = indicator->GetProgress();
  core::MemoryStore store;
  indicator->Save(store);
  std::vector<std::string> keys;
  for (const auto& entry : store.Entries()) keys.push_back(entry.first);
  const std::vector<std::string> expected = {"CompleteIndicator.DeltaPercent",
                                             "CompleteIndicator.Percent",
                                             "CompleteIndicator.x",
                                             "CompleteIndicator.y",
                                             "CompleteIndicator.Vx",
                                             "CompleteIndicator.Frame",
                                             "CompleteIndicator.iState",
                                             "CompleteIndicator.WaitCounter",
                                             "CompleteIndicator.SaveV",
                                             "CompleteIndicator.NeedShow"};
  EXPECT_EQ(keys, expected);
  CompleteIndicator other(screen.get());
  other.Start(10, &game);  // as the game lays the saved level out first
  EXPECT_TRUE(other.Load(store));
  EXPECT_DOUBLE_EQ(other.Engine->x, x);
  EXPECT_DOUBLE_EQ(other.GetProgress(), progress);
  EXPECT_DOUBLE_EQ(other.DeltaPercent, indicator->DeltaPercent);
  EXPECT_EQ(other.iState, indicator->iState);
}

// A run the level cannot give is refused, and the indicator keeps its fresh start.
TEST_F(Indicator, ImpossibleSavedRunsAreRefused) {
  indicator->Start(10, &game);
  for (int i = 0; i < 300; ++i) Frame();
  core::MemoryStore store;
  indicator->Save(store);
  const core::ParamEntries saved = store.Entries();
  const char* const changes[][2] = {{"DeltaPercent", "0"},
                                    {"DeltaPercent", "1e-300"},
                                    {"DeltaPercent", "50"},
                                    {"Percent", "nan"},
                                    {"Percent", "101"},
                                    {"Percent", "1.5"},
                                    {"x", "inf"},
                                    {"x", "-5000"},
                                    {"y", "300"},
                                    {"Vx", "1e-300"},
                                    {"Vx", "0"},
                                    {"Frame", "2"},
                                    {"iState", "7"},
                                    {"WaitCounter", "-40"},
                                    {"WaitCounter", "500"},
                                    {"SaveV", "nan"},
                                    {"SaveV", "1e-300"}};
  for (const auto& [name, text] : changes) {
    core::MemoryStore changed;
    for (auto [key, value] : saved) {
      if (key == std::string("CompleteIndicator.") + name) value = text;
      changed.Text("", key, value, kSave);
    }
    CompleteIndicator fresh(screen.get());
    fresh.Start(10, &game);
    const double start = fresh.GetProgress();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(fresh.Load(changed)) << name << " " << text;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error. CompleteIndicator::Load. The saved progress is out of range.\n");
    EXPECT_DOUBLE_EQ(fresh.GetProgress(), start) << name << " " << text;
  }
}
