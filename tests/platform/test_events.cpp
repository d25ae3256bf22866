// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>

#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Signals.h"

namespace {

using namespace platform;

class SdlEvents : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(64, 48, 0, SDL_SWSURFACE), nullptr) << SDL_GetError();
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1) {
    }
  }
  void TearDown() override { SDL_Quit(); }
};

TEST_F(SdlEvents, IdleWaitNeverExceedsTenMilliseconds) {
  SdlEventSource source;
  SdlClock clock;
  const uint32_t start = clock.Now();
  source.WaitForInput(500);
  const uint32_t waited = clock.Now() - start;
  EXPECT_GE(waited, 9u);
  EXPECT_LE(waited, 15u);  // 10 ms plus the scheduler's slack
}

TEST_F(SdlEvents, IdleWaitEndsAtOnceWhenInputIsPending) {
  SdlEventSource source;
  SDL_Event pushed = KeyDownEvent(SDLK_SPACE);
  ASSERT_EQ(SDL_PushEvent(&pushed), 0);
  SdlClock clock;
  const uint32_t start = clock.Now();
  source.WaitForInput(10);
  EXPECT_LE(clock.Now() - start, 2u);
  SDL_Event e;
  ASSERT_TRUE(source.Poll(e));
  EXPECT_EQ(e.type, SDL_KEYDOWN);
}

TEST_F(SdlEvents, IdleWaitEndsAtOnceWhenAQuitSignalIsPending) {
  InstallQuitSignals();
  std::raise(SIGTERM);
  SdlEventSource source;
  SdlClock clock;
  const uint32_t start = clock.Now();
  source.WaitForInput(10);
  EXPECT_LE(clock.Now() - start, 2u);
  EXPECT_TRUE(QuitRequestPending()) << "waiting leaves the request to the frame";
  EXPECT_TRUE(TakeQuitRequest());
  EXPECT_FALSE(TakeQuitRequest());
}

}  // namespace
