// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VideoModeRequest.h"
#include "tests/app/FrameHarness.h"

namespace {

using platform::ButtonEvent;
using platform::KeyDownEvent;

TEST(PlacementRule, UnplacedOrOffDesktopPositionsAreCentred) {
  int32_t x = -1, y = -1;
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(x, 560);
  EXPECT_EQ(y, 240);
  x = 1920, y = 10;
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(x, 560);
  EXPECT_EQ(y, 240);
  x = 10, y = 1080;
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(x, 560);
  x = -1, y = 77;
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(y, 240);
  // Truncation towards zero on a desktop smaller than the window.
  x = -1, y = -1;
  PlacementRule(x, y, 799, 599);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  // Positions inside the desktop are kept.
  x = 1919, y = 1079;
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(x, 1919);
  EXPECT_EQ(y, 1079);
  x = -300, y = 0;  // partly off the left edge is the player's choice
  PlacementRule(x, y, 1920, 1080);
  EXPECT_EQ(x, -300);
  EXPECT_EQ(y, 0);
  // Wholly off the left edge, or the top rows above the desktop: centred, with a line.
  for (auto [offX, offY] : {std::pair{-800, 10}, std::pair{10, -5}, std::pair{-2000000000, 0}}) {
    x = offX, y = offY;
    testing::internal::CaptureStderr();
    PlacementRule(x, y, 1920, 1080);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("off the desktop"), std::string::npos);
    EXPECT_EQ(x, 560);
    EXPECT_EQ(y, 240);
  }
}

TEST_F(FrameTest, WindowedStartIsAFramelessWindowPlacedOnTheDesktop) {
  desktop_.width = 1280;
  desktop_.height = 1024;
  Started(false);
  ASSERT_EQ(video_.modes.size(), 1u);
  EXPECT_TRUE(video_.modes[0].flags & SDL_NOFRAME);
  EXPECT_FALSE(video_.modes[0].flags & SDL_FULLSCREEN);
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 240);
  EXPECT_EQ(desktop_.moves[0].y, 212);
  EXPECT_EQ(desktop_.moves[0].width, 800);
  EXPECT_EQ(desktop_.moves[0].height, 600);
  EXPECT_EQ(Globals().MainWindowPosX, 240);
}

TEST_F(FrameTest, FullScreenStartIsSixteenBitsAndCoversTheDesktop) {
  Started(true);
  ASSERT_EQ(video_.modes.size(), 1u);
  EXPECT_EQ(video_.modes[0].bpp, 16);
  EXPECT_TRUE(video_.modes[0].flags & SDL_FULLSCREEN);
  EXPECT_TRUE(desktop_.moves.empty());
  EXPECT_EQ(desktop_.coverings, 1);
}

TEST_F(FrameTest, AWindowThatCannotBeFoundIsNotMoved) {
  desktop_.windowExists = false;
  Globals().MainWindowPosX = 5000;
  Started(false);
  EXPECT_TRUE(desktop_.moves.empty());
  EXPECT_EQ(Globals().MainWindowPosX, 5000);
}

TEST_F(FrameTest, F4TogglesFullScreenAndTheScreensRedrawOnTheNewDisplay) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  StepPass();
  const int presents = video_.fullPresents;
  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_TRUE(Globals().FullScreen);
  ASSERT_EQ(video_.modes.size(), 2u);
  EXPECT_TRUE(video_.modes[1].flags & SDL_FULLSCREEN);
  EXPECT_EQ(intro->Target, frame_->Display());
  EXPECT_EQ(video_.fullPresents, presents + 1);
  EXPECT_FALSE(intro->NeedFullRedraw) << "the screen was redrawn completely";
  EXPECT_EQ(intro->calls.back(), "kdown " + std::to_string(SDLK_F4) + " 0") << "F4 is passed on";

  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_FALSE(Globals().FullScreen);
  EXPECT_TRUE(video_.modes[2].flags & SDL_NOFRAME);
}

// A library that makes a new window for a new mode queues the old window's loss of the
// focus and the new one's gain. Only where the focus ends up reaches the screen, before
// the key that asked for the mode; mouse focus alone counts for nothing.
TEST_F(FrameTest, TheFocusChangesOfANewWindowCountOnlyWhereTheFocusEndsUp) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  bool focusReturns = true;
  video_.afterSetMode = [&] {
    events_.Push(platform::ActiveEvent(false, SDL_APPINPUTFOCUS));
    events_.Push(platform::ActiveEvent(false, SDL_APPMOUSEFOCUS));
    events_.Push(platform::ActiveEvent(true, SDL_APPMOUSEFOCUS));
    if (focusReturns) events_.Push(platform::ActiveEvent(true, SDL_APPINPUTFOCUS));
  };
  const std::string f4 = "kdown " + std::to_string(SDLK_F4) + " 0";
  intro->calls.clear();
  events_.Push(KeyDownEvent(SDLK_F4));
  events_.Push(KeyDownEvent(SDLK_a));
  StepPass();
  EXPECT_EQ(intro->calls, (std::vector<std::string>{f4, "kdown 97 0"}));
  EXPECT_FALSE(frame_->Inactive());
  EXPECT_EQ(content_.musicPauses, 0);
  EXPECT_EQ(events_.Pending(), 0u);

  focusReturns = false;
  intro->calls.clear();
  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_EQ(intro->calls, (std::vector<std::string>{"activate 0 0", f4}));
  EXPECT_TRUE(frame_->Inactive());
  EXPECT_EQ(content_.musicPauses, 1);
}

TEST_F(FrameTest, AFailedModeSwitchGoesBackToTheWorkingMode) {
  Started(false);
  video_.failures = 1;
  testing::internal::CaptureStdout();
  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Unable to set video mode: no such mode here\n");
  ASSERT_EQ(video_.modes.size(), 3u);
  EXPECT_TRUE(video_.modes[1].flags & SDL_FULLSCREEN);
  EXPECT_TRUE(video_.modes[2].flags & SDL_NOFRAME);
  EXPECT_FALSE(Globals().FullScreen) << "the setting follows the mode that works";
  EXPECT_NE(frame_->Display(), nullptr);
  EXPECT_TRUE(StepPass());
}

TEST_F(FrameTest, WhenNoModeWorksTheSettingsAreSavedAndTheProgramEndsWithOne) {
  testing::FLAGS_gtest_death_test_style = "fast";
  Started(false);
  Globals().PlayerName = "Eve";
  video_.failures = 2;
  events_.Push(KeyDownEvent(SDLK_F4));
  EXPECT_EXIT(StepPass(), testing::ExitedWithCode(1), "");
  const auto saved = SavedSettings();
  EXPECT_EQ(Value(saved, "Globals.Globals.PlayerName"), "Eve");
  EXPECT_EQ(Value(saved, "Globals.Globals.FullScreen"), "0");
}

TEST_F(FrameTest, AVideoModeFailureAtStartEndsWithOne) {
  video_.failures = 1;
  clock_.Set(1000);
  testing::internal::CaptureStdout();
  EXPECT_EQ(MakeFrame().StartUp(), 1);
  EXPECT_NE(
      testing::internal::GetCapturedStdout().find("Unable to set video mode: no such mode here\n"),
      std::string::npos);
  EXPECT_EQ(video_.modes.size(), 1u);
}

TEST_F(FrameTest, ScreensAskForANewVideoModeThroughTheRequest) {
  Started(true);
  Globals().FullScreen = false;  // as the options screen does
  platform::RequestVideoMode();
  ASSERT_EQ(video_.modes.size(), 2u);
  EXPECT_TRUE(video_.modes[1].flags & SDL_NOFRAME);
  StepPass();
  EXPECT_EQ(content_.intro->Target, frame_->Display());
}

TEST_F(FrameTest, DraggingMovesTheWindowByTheCursorEveryHundredMilliseconds) {
  desktop_.cursorX = 700;
  desktop_.cursorY = 300;
  Started(false);  // placed at (560, 240)
  desktop_.moves.clear();
  // Row 40 is below the drag zone; row 39 is inside it.
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 300, 40));
  StepPass();
  EXPECT_FALSE(frame_->Dragging());
  events_.Push(ButtonEvent(false, SDL_BUTTON_LEFT, 300, 40));
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 140, 39));
  StepPass();
  ASSERT_TRUE(frame_->Dragging());
  EXPECT_EQ(content_.intro->calls.back(), "ldown 140 39");
  desktop_.cursorX = 730;
  desktop_.cursorY = 290;
  for (int i = 0; i < 5 && desktop_.moves.empty(); ++i) StepPass();
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 590);
  EXPECT_EQ(desktop_.moves[0].y, 230);
  EXPECT_EQ(Globals().MainWindowPosX, 590);
  EXPECT_EQ(Globals().MainWindowPosY, 230);
  events_.Push(ButtonEvent(false, SDL_BUTTON_LEFT, 140, 20));
  desktop_.cursorX = 900;
  for (int i = 0; i < 6; ++i) StepPass();
  EXPECT_FALSE(frame_->Dragging());
  EXPECT_EQ(desktop_.moves.size(), 1u) << "released: no more moves";
}

TEST_F(FrameTest, NoDraggingInFullScreen) {
  Started(true);
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 140, 20));
  StepPass();
  desktop_.cursorX += 50;
  for (int i = 0; i < 6; ++i) StepPass();
  EXPECT_TRUE(desktop_.moves.empty());
  EXPECT_EQ(Globals().MainWindowPosX, -1);
}

}  // namespace
