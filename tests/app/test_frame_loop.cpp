// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/app/FrameHarness.h"

namespace {

using platform::ButtonEvent;
using platform::KeyDownEvent;

TEST_F(FrameTest, ALongFrameIsCappedAtOneHundredMilliseconds) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  ASSERT_NE(intro, nullptr);
  clock_.Advance(350);
  ASSERT_TRUE(frame_->LoopPass());
  ASSERT_EQ(intro->ticks.size(), 1u);
  EXPECT_EQ(intro->ticks[0].elapsed, 100);
  EXPECT_EQ(intro->ticks[0].frame, 20);
  EXPECT_EQ(content_.musicAdvances, 1);
}

TEST_F(FrameTest, NoTickWithinTwentyMillisecondsOnlyAShortWait) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  clock_.Advance(20);
  ASSERT_TRUE(frame_->LoopPass());
  ASSERT_EQ(intro->ticks.size(), 1u);
  EXPECT_EQ(intro->ticks[0].elapsed, 20);
  EXPECT_TRUE(events_.Waits().empty());

  clock_.Advance(15);
  ASSERT_TRUE(frame_->LoopPass());
  EXPECT_EQ(intro->ticks.size(), 1u);
  ASSERT_EQ(events_.Waits().size(), 1u);
  EXPECT_LE(events_.Waits()[0], 10u);
  // The wait ended after 10 ms at most; the next pass is due at 20 ms after the step.
  EXPECT_EQ(clock_.Now(), 1000u + 20 + 15 + 10);
  ASSERT_TRUE(frame_->LoopPass());
  ASSERT_EQ(intro->ticks.size(), 2u);
  EXPECT_EQ(intro->ticks[1].elapsed, 25);
}

TEST_F(FrameTest, WaitEndsEarlyWhenInputArrives) {
  Started(false);
  clock_.Advance(25);
  frame_->LoopPass();  // a step at 1025
  events_.PushAt(1028, KeyDownEvent(SDLK_a));
  frame_->LoopPass();  // waits, wakes at the key and hands it on
  EXPECT_EQ(clock_.Now(), 1028u);
  EXPECT_EQ(content_.intro->calls.back(), "kdown " + std::to_string(SDLK_a) + " 0");
}

TEST_F(FrameTest, ChangedRectanglesArePresentedClippedToTheDisplay) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  StepPass();  // the first render is a full redraw
  intro->DirtyRects.push_back({-10, -20, 30, 40});
  intro->DirtyRects.push_back({790, 590, 900, 700});
  intro->DirtyRects.push_back({900, 10, 950, 20});  // wholly outside: skipped
  StepPass();
  ASSERT_EQ(video_.rects.size(), 2u);
  EXPECT_EQ(video_.rects[0].x, 0);
  EXPECT_EQ(video_.rects[0].y, 0);
  EXPECT_EQ(video_.rects[0].w, 30);
  EXPECT_EQ(video_.rects[0].h, 40);
  EXPECT_EQ(video_.rects[1].x, 790);
  EXPECT_EQ(video_.rects[1].w, 10);
  EXPECT_EQ(video_.rects[1].h, 10);
  EXPECT_TRUE(intro->DirtyRects.empty());

  // In the full redraw mode the whole display is presented instead.
  intro->RedrawMode = 1;
  const int before = video_.fullPresents;
  StepPass();
  EXPECT_EQ(video_.fullPresents, before + 1);
  EXPECT_TRUE(intro->DirtyRects.empty());
}

TEST_F(FrameTest, IntroGivesWayToTheMainWindowAndItsEndEndsTheLoop) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  StepPass();
  intro->Close(0);
  ASSERT_TRUE(StepPass());
  EXPECT_EQ(frame_->CurrentPhase(), Frame::Phase::Main);
  EXPECT_EQ(frame_->Intro(), nullptr);
  ASSERT_NE(content_.mainWindow, nullptr);
  EXPECT_EQ(TopScreen(), content_.mainWindow);
  EXPECT_FALSE(content_.mainPaused);
  EXPECT_EQ(content_.mainWindow->ticks.size(), 1u) << "the new main window is ticked at once";
  content_.mainWindow->Close(0);
  EXPECT_FALSE(StepPass());
  EXPECT_EQ(frame_->CurrentPhase(), Frame::Phase::Ended);
  EXPECT_EQ(frame_->MainWindow(), nullptr);
}

TEST_F(FrameTest, MainWindowStartsPausedWhenTheWindowIsInactive) {
  Started(false);
  events_.Push(platform::ActiveEvent(false, SDL_APPINPUTFOCUS));
  StepPass();
  EXPECT_TRUE(frame_->Inactive());
  content_.intro->Close(0);
  StepPass();
  EXPECT_TRUE(content_.mainPaused);
}

TEST_F(FrameTest, FocusChangesPauseAndResumeMusicButMouseFocusIsIgnored) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  events_.Push(platform::ActiveEvent(false, SDL_APPMOUSEFOCUS));
  events_.Push(platform::ActiveEvent(false, SDL_APPACTIVE));
  StepPass();
  EXPECT_TRUE(frame_->Inactive());
  EXPECT_EQ(content_.musicPauses, 1);
  events_.Push(platform::ActiveEvent(true, SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS));
  StepPass();
  EXPECT_FALSE(frame_->Inactive());
  EXPECT_EQ(content_.musicResumes, 1);
  EXPECT_EQ(intro->calls, (std::vector<std::string>{"activate 0 0", "activate 1 0"}));
}

TEST_F(FrameTest, MouseEventsReachTheTopScreenAsTheirOperations) {
  Started(false);
  RecordingScreen* intro = content_.intro;
  events_.Push(platform::MotionEvent(5, 300));
  events_.Push(ButtonEvent(true, SDL_BUTTON_RIGHT, 6, 301));
  events_.Push(ButtonEvent(false, SDL_BUTTON_RIGHT, 7, 302));
  events_.Push(ButtonEvent(true, SDL_BUTTON_WHEELDOWN, 8, 303));
  events_.Push(ButtonEvent(true, SDL_BUTTON_WHEELUP, 9, 304));
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 10, 305));
  events_.Push(ButtonEvent(false, SDL_BUTTON_LEFT, 11, 306));
  events_.Push(platform::KeyUpEvent(SDLK_SPACE, KMOD_LSHIFT));
  StepPass();
  EXPECT_EQ(
      intro->calls,
      (std::vector<std::string>{
          "move 5 300", "rdown 6 301", "rup 7 302", "wdown 8 303", "wup 9 304", "ldown 10 305",
          "lup 11 306", "kup " + std::to_string(SDLK_SPACE) + " " + std::to_string(KMOD_LSHIFT)}));
}

TEST_F(FrameTest, AnExposedWindowIsPresentedWhole) {
  Started(false);
  StepPass();
  const int before = video_.fullPresents;
  SDL_Event expose{};
  expose.type = SDL_VIDEOEXPOSE;
  events_.Push(expose);
  clock_.Advance(5);
  frame_->LoopPass();
  EXPECT_EQ(video_.fullPresents, before + 1);
}

}  // namespace
