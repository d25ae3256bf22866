#include <gtest/gtest.h>

#include <memory>

#include "screens/GShowcase.h"
#include "sprites/ClipLib.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

struct Showcase : ::testing::Test {
  void SetUp() override {
    cwd = std::make_unique<ScopedCwd>(LibraryFolder());
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    screen = std::make_unique<GShowcase>(Display(), 0, 0, 800, 600);
    screen->Show(&slot);
  }
  void TearDown() override {
    screen.reset();
    ClipLib::Shutdown();
    cwd.reset();
  }
  void Run(int32_t ms) {
    for (int32_t t = 0; t < ms; t += 20) {
      screen->Tick(20, 20);
      screen->Render();
      screen->DirtyRects.clear();
    }
  }
  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<GShowcase> screen;
  LEngine* slot = nullptr;
};

}  // namespace

TEST_F(Showcase, MessagesCountersAndEngineRun) {
  const double engineStart = screen->Progress->Engine->x;
  int postedStates = 0;
  for (int t = 0; t < 6000; t += 20) {
    Run(20);
    postedStates |= 1 << screen->Messages->State;
  }
  EXPECT_TRUE(postedStates & (1 << MessageLine::kRevealing));
  EXPECT_TRUE(postedStates & (1 << MessageLine::kLeaving));
  EXPECT_GE(screen->Trains, 3);
  EXPECT_EQ(screen->TrainsDisplay->Digits()[3]->Digit, '0' + screen->Trains % 10);
  EXPECT_GT(screen->Progress->Engine->x, engineStart);
  EXPECT_TRUE(screen->Progress->Engine->Visible);
}

TEST_F(Showcase, ButtonClickPostsAtOnce) {
  const int bx = static_cast<int>(screen->Button->x) + 4;
  const int by = static_cast<int>(screen->Button->y) + 4;
  screen->OnMouseMove(bx, by);
  EXPECT_EQ(screen->Button->ButtonState, LClipButton::kHover);
  screen->OnLeftDown(bx, by);
  EXPECT_EQ(screen->Button->ButtonState, LClipButton::kPressed);
  EXPECT_EQ(screen->OnLeftUp(bx, by), screen->Button);
  int visible = 0;
  for (const CharStatic* c : screen->Messages->Chars()) visible += c->Visible;
  EXPECT_EQ(visible, 14);  // "Button clicked", shown whole
}

TEST_F(Showcase, CheckBoxTogglesOnClick) {
  const int bx = static_cast<int>(screen->Box->x) + 4;
  const int by = static_cast<int>(screen->Box->y) + 4;
  screen->OnLeftDown(bx, by);
  screen->OnLeftUp(bx, by);
  EXPECT_TRUE(screen->Box->Checked);
  screen->OnLeftDown(bx, by);
  screen->OnLeftUp(bx, by);
  EXPECT_FALSE(screen->Box->Checked);
}

TEST_F(Showcase, EscapeCloses) {
  screen->OnKeyDown(SDLK_ESCAPE, 0);
  EXPECT_EQ(slot, nullptr);
}
