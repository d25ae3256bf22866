// SPDX-License-Identifier: GPL-3.0-or-later
// The frame loop with the game's own content: the real intro, the in-game screen and
// its dialogs, on the synthetic library pictures.
#include <filesystem>

#include "app/GameContent.h"
#include "core/Files.h"
#include "game/ClickTargets.h"
#include "game/Game.h"
#include "railway/Junction.h"
#include "screens/GMainWindow.h"
#include "screens/GWndHelp.h"
#include "screens/GWndMenu.h"
#include "tests/app/FrameHarness.h"
#include "tests/sprites/SpriteTestSupport.h"

namespace {

using platform::ActiveEvent;
using platform::KeyDownEvent;

class FrameGameTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    for (const auto& entry :
         std::filesystem::directory_iterator(spritetest::LibraryFolder() + "/Dat"))
      std::filesystem::create_directory_symlink(entry.path(), "Dat" / entry.path().filename());
    Globals().FullScreen = false;
  }
  // Starts the frame and runs it until the in-game screen is up, under its help page.
  GMainWindow& StartedGame() {
    clock_.Set(1000);
    frame_ = std::make_unique<Frame>(FrameParts{clock_, events_, desktop_, video_, game_, dir_});
    EXPECT_EQ(frame_->StartUp(), -1);
    for (int pass = 0; pass < 100000 && frame_->MainWindow() == nullptr; ++pass) {
      clock_.Advance(20);
      frame_->LoopPass();
    }
    StepPass();
    return *static_cast<GMainWindow*>(frame_->MainWindow());
  }
  GameContent game_;
};

const SDL_Event kAltF4 = KeyDownEvent(SDLK_F4, KMOD_LALT);

TEST_F(FrameGameTest, DialogsTakeF4AndAltF4AndTheWindowsCloseEndsTheGameSaved) {
  GMainWindow& main = StartedGame();
  ASSERT_EQ(TopScreen(), main.HelpDialog.get()) << "the help page opens at the first start";
  EXPECT_TRUE(main.Paused);

  // F4 switches the display under the open dialog, which stays.
  const size_t modes = video_.modes.size();
  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_EQ(video_.modes.size(), modes + 1);
  EXPECT_TRUE(Globals().FullScreen);
  EXPECT_EQ(TopScreen(), main.HelpDialog.get());
  EXPECT_EQ(main.Target, frame_->Display());

  // Alt+F4 cancels the dialog only; the game goes on.
  events_.Push(kAltF4);
  StepPass();
  EXPECT_EQ(TopScreen(), &main);
  EXPECT_FALSE(main.Paused);
  EXPECT_FALSE(Globals().DontShowBeginHelp);
  ASSERT_NE(main.CurrentGame(), nullptr);
  EXPECT_EQ(main.CurrentGame()->GameState, kStatePlaying);

  // Losing the focus pauses; a key ends the pause, the next opens the menu.
  events_.Push(ActiveEvent(false, SDL_APPINPUTFOCUS));
  StepPass();
  EXPECT_TRUE(main.Paused);
  events_.Push(ActiveEvent(true, SDL_APPINPUTFOCUS));
  events_.Push(KeyDownEvent(SDLK_a));
  events_.Push(KeyDownEvent(SDLK_ESCAPE));
  StepPass();
  EXPECT_EQ(TopScreen(), main.MenuDialog.get());

  // The window's close closes the menu and then the game, with nothing more asked.
  events_.Push(platform::QuitEvent());
  StepPass();
  EXPECT_EQ(TopScreen(), nullptr);
  EXPECT_FALSE(StepPass());
  EXPECT_EQ(frame_->ShutDown(), 0);
  EXPECT_TRUE(core::IsFile("save/globals.sav"));
  EXPECT_TRUE(core::IsFile("savep/ManagerPUZZLE.sav"));
  EXPECT_EQ(Value(SavedSettings(), "Globals.Globals.FullScreen"), "1");
}

// F4 ends a pause on a library that keeps its window as on one that makes a new window
// for each mode (its focus lost and regained on the way); Ctrl+minus and Ctrl+plus too.
TEST_F(FrameGameTest, F4AndTheScaleKeysEndThePauseWhateverTheLibraryDoesWithTheWindow) {
  desktop_.width = 2560;
  desktop_.height = 1440;
  GMainWindow& main = StartedGame();
  events_.Push(kAltF4);  // the help page
  StepPass();
  ASSERT_EQ(TopScreen(), &main);
  for (bool newWindow : {false, true}) {
    SCOPED_TRACE(newWindow ? "a new window" : "the same window");
    video_.afterSetMode = [&] {
      if (!newWindow) return;
      events_.Push(ActiveEvent(false, SDL_APPINPUTFOCUS));
      events_.Push(ActiveEvent(true, SDL_APPINPUTFOCUS));
    };
    for (const SDL_Event& key :
         {KeyDownEvent(SDLK_F4), KeyDownEvent(SDLK_F4), KeyDownEvent(SDLK_MINUS, KMOD_LCTRL),
          KeyDownEvent(SDLK_EQUALS, KMOD_LCTRL)}) {
      const size_t modes = video_.modes.size();
      events_.Push(KeyDownEvent(SDLK_SPACE));
      StepPass();
      ASSERT_TRUE(main.Paused);
      events_.Push(key);
      StepPass();
      EXPECT_EQ(video_.modes.size(), modes + 1);
      EXPECT_FALSE(main.Paused);
      EXPECT_FALSE(main.PauseClip->Visible);
    }
  }
}

// At scales 2 and 3 a click anywhere in the window pixels of a switch picture's point
// reaches the field at that point and throws the switch.
class ScaledGameTest : public FrameGameTest, public testing::WithParamInterface<int> {};

TEST_P(ScaledGameTest, AClickOnASwitchAtTheScaledPositionThrowsIt) {
  const int scale = GetParam();
  desktop_.width = 3840;  // a window at scale 3 fits
  desktop_.height = 2160;
  Globals().WindowScale = scale;
  Globals().ShowTips = false;
  GMainWindow& main = StartedGame();
  ASSERT_EQ(frame_->Scale(), scale);
  events_.Push(kAltF4);  // the help page
  StepPass();
  ASSERT_EQ(TopScreen(), &main);
  Game& game = *main.CurrentGame();
  ClickTargets targets(game);
  const Junction* junction = nullptr;
  int side = 0, x = 0, y = 0;
  for (int pass = 0; pass < 3000 && junction == nullptr; ++pass) {
    StepPass();
    for (int j = 0; j < rail::kJunctions && junction == nullptr; ++j)
      for (side = 0; side < 4; ++side) {
        const Junction::Switch& s = game.GetField().At(j).SwitchAt(side);
        const bool free = s.state == SwitchState::kWorking && !s.lock && s.picture;
        if (free && targets.ClickFor(s.picture, x, y)) {
          junction = &game.GetField().At(j);
          break;
        }
      }
  }
  ASSERT_NE(junction, nullptr) << "no switch to throw";
  const int before = junction->SwitchAt(side).active;
  const int last = scale - 1;  // the block's far corner still means the same point
  events_.Push(platform::ButtonEvent(true, SDL_BUTTON_LEFT, x * scale + last, y * scale + last));
  events_.Push(platform::ButtonEvent(false, SDL_BUTTON_LEFT, x * scale, y * scale));
  StepPass();
  EXPECT_NE(junction->SwitchAt(side).active, before);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledGameTest, testing::Values(2, 3));

}  // namespace
