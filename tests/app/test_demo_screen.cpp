#include <gtest/gtest.h>

#include "app/DemoScreen.h"

namespace {

class DemoScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    display_ = SDL_SetVideoMode(800, 600, 16, SDL_NOFRAME);
    ASSERT_NE(display_, nullptr);
    TopScreen() = nullptr;
  }
  void TearDown() override {
    TopScreen() = nullptr;
    SDL_Quit();
  }
  SDL_Surface* display_ = nullptr;
};

TEST_F(DemoScreenTest, RunnerGoesRoundItsLoop) {
  DemoScreen screen(display_, DemoScreen::Kind::Main);
  screen.Show(&TopScreen());
  LClip* runner = screen.Runner();
  ASSERT_NE(runner, nullptr);
  const double startX = runner->x, startY = runner->y;
  screen.Tick(30, 20);
  EXPECT_EQ(runner->x, startX);
  EXPECT_LT(runner->y, startY);
  // Long enough for a whole lap: the runner keeps moving, never stops.
  for (int i = 0; i < 2000; ++i) screen.Tick(30, 20);
  EXPECT_FALSE(runner->Waypoints.empty());
  EXPECT_FALSE(screen.Render().empty());
}

TEST_F(DemoScreenTest, IntroClosesOnAClickOrAKeyMainDoesNot) {
  DemoScreen intro(display_, DemoScreen::Kind::Intro);
  intro.Show(&TopScreen());
  intro.OnLeftDown(100, 10);  // the drag band does not close it
  EXPECT_EQ(TopScreen(), &intro);
  intro.OnKeyDown(SDLK_LALT, 0);
  intro.OnKeyDown(SDLK_F4, KMOD_LALT);
  EXPECT_EQ(TopScreen(), &intro);
  intro.OnLeftDown(100, 300);
  EXPECT_EQ(TopScreen(), nullptr);
  intro.Show(&TopScreen());
  intro.OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(TopScreen(), nullptr);

  DemoScreen mainScreen(display_, DemoScreen::Kind::Main);
  mainScreen.Show(&TopScreen());
  mainScreen.OnKeyDown(SDLK_SPACE, 0);
  mainScreen.OnLeftDown(100, 300);
  EXPECT_EQ(TopScreen(), &mainScreen);
}

}  // namespace
