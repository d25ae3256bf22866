// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "engine/PictureEffects.h"
#include "screens/GWndIntro.h"
#include "sprites/ClipLib.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

struct Intro : ::testing::Test {
  void SetUp() override {
    cwd = std::make_unique<ScopedCwd>(LibraryFolder());
    ASSERT_TRUE(ClipLib::Init());
    intro = std::make_unique<GWndIntro>(Display(), 0, 0, 800, 600, "2.5");
    intro->Show(&slot);
  }
  void TearDown() override {
    intro.reset();
    ClipLib::Shutdown();
    cwd.reset();
  }
  // Ticks until the intro closes; the number of ticks it took.
  int RunUntilClosed(int32_t dt) {
    int ticks = 0;
    while (slot && ticks < 10000) {
      slot->Tick(dt, 20);
      ++ticks;
    }
    return ticks;
  }
  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<GWndIntro> intro;
  LEngine* slot = nullptr;
};

}  // namespace

TEST_F(Intro, ShowsBackgroundLogoTitleAndTrain) {
  EXPECT_EQ(slot, intro.get());
  ASSERT_NE(intro->Background, nullptr);
  // The synthetic background of entry 3 is stamped at (0, 0).
  const int64_t pixel = GetPixel(intro->Background, 4, 4);
  EXPECT_EQ(pixel, SDL_MapRGB(intro->Background->format, 0x40, 0x60, 0x83));
  ASSERT_EQ(intro->Sprites.size(), 3u);
  EXPECT_EQ(intro->TrainClip->x, 278);
  EXPECT_EQ(intro->TrainClip->y, 524);
  bool logo = false, title = false;
  for (LClip* s : intro->Sprites) {
    logo |= s->x == 3 && s->y == 7;
    title |= s->x == 253 && s->y == 5;
  }
  EXPECT_TRUE(logo);
  EXPECT_TRUE(title);
}

TEST_F(Intro, TrainRunsWithTheLoadingAndStaysAtLeastThreeSeconds) {
  intro->Tick(20, 20);
  EXPECT_EQ(intro->TrainClip->x, 278 + (11 * 100 / kClipCount) * 162 / 100);
  // The other entries load one a tick in under 3000 ms; the intro still waits for 3000.
  ASSERT_LT((kClipCount - 10) * 20, 3000);
  const int ticks = 1 + RunUntilClosed(20);
  EXPECT_TRUE(ClipLib::IsComplete());
  EXPECT_EQ(ticks, 151);  // 3020 ms: the first step beyond 3000
  EXPECT_EQ(intro->TrainClip->x, 440);
  EXPECT_EQ(slot, nullptr);
}

TEST_F(Intro, StaysLongerWhileTheLibraryIsStillLoading) {
  const int ticks = RunUntilClosed(100);
  EXPECT_EQ(ticks, kClipCount - 10);  // one entry a tick: it waited for the last entry
  EXPECT_TRUE(ClipLib::IsComplete());
}

TEST_F(Intro, KeysDoNotSkipIt) {
  intro->OnKeyDown(SDLK_ESCAPE, 0);
  intro->OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(slot, intro.get());
}

TEST_F(Intro, ShowingAgainRestartsTheMinimumTime) {
  RunUntilClosed(20);
  ASSERT_TRUE(ClipLib::IsComplete());
  intro->Show(&slot);
  for (int i = 0; i < 150; ++i) slot->Tick(20, 20);  // 3000 ms: not beyond yet
  EXPECT_EQ(slot, intro.get());
  slot->Tick(20, 20);
  EXPECT_EQ(slot, nullptr);
}

// A failed load stops the intro where it is and says so; the frame ends the program.
TEST_F(Intro, AFailedLoadStopsTheIntroAndIsReported) {
  const std::string empty = MakeTempDir();
  ScopedCwd inEmpty(empty);  // from here on every picture is missing
  testing::internal::CaptureStderr();
  for (int i = 0; i < 200; ++i) intro->Tick(20, 20);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(intro->LoadFailed());
  EXPECT_FALSE(ClipLib::IsComplete());
  const double stoppedAt = intro->TrainClip->x;
  intro->Tick(20, 20);
  EXPECT_EQ(intro->TrainClip->x, stoppedAt);
  EXPECT_EQ(slot, intro.get());  // still shown: it does not pass for a finished intro
}
