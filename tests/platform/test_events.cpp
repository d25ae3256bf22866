// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>

#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Signals.h"
#include "platform/Window.h"

namespace {

using namespace platform;

// SDL's queue on the dummy video driver, waited on with a clock the test moves:
// every pause of the idle wait moves it on, so the time a wait took is exact.
class SdlEvents : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(64, 48, 0, SDL_SWSURFACE), nullptr) << SDL_GetError();
    // On a real display the wait sleeps in select(), which the test clock cannot see.
    if (!IsDummyVideo()) GTEST_SKIP() << "needs the dummy video driver";
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1) {
    }
  }
  void TearDown() override { SDL_Quit(); }
  // How long, on the test clock, one idle wait of ms lasted.
  uint32_t Waited(uint32_t ms) {
    const uint32_t start = clock_.Now();
    source_.WaitForInput(ms);
    return clock_.Now() - start;
  }

  ManualClock clock_{1000};
  SdlEventSource source_{clock_};
};

TEST_F(SdlEvents, IdleWaitLastsWhatIsAskedUpToTenMilliseconds) {
  EXPECT_EQ(Waited(3), 3u);
  EXPECT_EQ(Waited(500), kMaxIdleWaitMs);
  EXPECT_EQ(Waited(0), 0u);
}

TEST_F(SdlEvents, IdleWaitEndsAtOnceWhenInputOrAQuitSignalIsPending) {
  SDL_Event pushed = KeyDownEvent(SDLK_SPACE);
  ASSERT_EQ(SDL_PushEvent(&pushed), 0);
  EXPECT_EQ(Waited(10), 0u);
  SDL_Event e;
  ASSERT_TRUE(source_.Poll(e));
  EXPECT_EQ(e.type, SDL_KEYDOWN);

  InstallQuitSignals();
  std::raise(SIGTERM);
  EXPECT_EQ(Waited(10), 0u);
  EXPECT_TRUE(QuitRequestPending()) << "waiting leaves the request to the frame";
  EXPECT_TRUE(TakeQuitRequest());
  EXPECT_FALSE(TakeQuitRequest());
}

}  // namespace
