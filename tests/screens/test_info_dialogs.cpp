// SPDX-License-Identifier: GPL-3.0-or-later
// The level statistics pages, the question box and the help page: what they show
// and the codes they close with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "screens/GWndHelp.h"
#include "screens/GWndLevelStats.h"
#include "screens/GWndMessage.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

struct RecordingScreen : LEngine {
  RecordingScreen() : LEngine(Display(), 0, 0, 800, 600, false) {}
  void OnChildClosed(LEngine*, int32_t code) override { codes.push_back(code); }
  std::vector<int32_t> codes;
};

struct InfoDialogs : ::testing::Test {
  void SetUp() override {
    cwd = std::make_unique<ScopedCwd>(LibraryFolder());
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    font = std::make_unique<BitmapFont>(ClipLib::GetTemplate(clip::FontRed));
    parent = std::make_unique<RecordingScreen>();
    parent->Show(&slot);
  }
  void TearDown() override {
    if (slot != parent.get()) slot->Close(-2);
    screen.reset();
    parent.reset();
    ClipLib::Shutdown();
    cwd.reset();
  }
  // A press and release in the middle of a control of the screen on top.
  void Click(const LClip* control) {
    const int px = slot->X + static_cast<int>(control->x) + 4;
    const int py = slot->Y + static_cast<int>(control->y) + 4;
    slot->OnMouseMove(px, py);
    slot->OnLeftDown(px, py);
    slot->OnLeftUp(px, py);
  }

  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<BitmapFont> font;
  std::unique_ptr<RecordingScreen> parent;
  std::unique_ptr<LEngine> screen;
  LEngine* slot = nullptr;
};

}  // namespace

TEST_F(InfoDialogs, StatisticsPagesShowTheFiguresAndTheirButton) {
  auto* stats = new GWndLevelStats(Display(), 200, 40, 400, 520, font.get());
  screen.reset(stats);
  EXPECT_FALSE(stats->NextButton->Visible || stats->OkButton->Visible);
  stats->ShowLevelEnd(&slot, {"Anna", 3, 12, 40, 7, -2500, -3000});
  EXPECT_EQ(stats->Lines,
            (std::vector<std::string>{"END LEVEL", "Player:  Anna", "Level:  3", "Time:  12:00",
                                      "Trains:  40", "Trains on level:  7", "Money:  -2500",
                                      "Change balance:  -3000"}));
  EXPECT_TRUE(stats->NextButton->Visible && !stats->OkButton->Visible);
  EXPECT_EQ(stats->NextButton->x, (400 - stats->NextButton->FrameW) / 2);
  Click(stats->NextButton);
  // Hints and rewinds, when there were any, share one line under the time.
  LevelStatistics hinted{"Anna", 3, 12, 40, 7, -2500, -3000};
  hinted.hints = 2;
  stats->ShowLevelEnd(&slot, hinted);
  EXPECT_EQ(stats->Lines.back(), "Hints:  2");
  hinted.rewinds = 1;
  stats->ShowLevelEnd(&slot, hinted);
  EXPECT_EQ(stats->Lines.back(), "Rewinds:  1   Hints:  2");
  EXPECT_EQ(stats->Lines.size(), 9u);

  stats->ShowGameOver(&slot, {"Bo", 5, 125, 230});
  EXPECT_EQ(stats->Lines, (std::vector<std::string>{"GAME OVER", "Player:  Bo", "Top level:  5",
                                                    "Total time:  2:5:00", "Total trains:  230"}));
  EXPECT_TRUE(stats->OkButton->Visible && !stats->NextButton->Visible);
  Click(stats->OkButton);
  stats->ShowGameOver(&slot, {"Bo", 5, 59, 230});
  stats->OnKeyDown(SDLK_ESCAPE, 0);
  stats->ShowGameOver(&slot, {"Bo", 5, 59, 230});
  stats->OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(parent->codes, (std::vector<int32_t>{-1, -1, -2, -1}));
}

TEST_F(InfoDialogs, MessageBoxOpenedAgainKeepsOnePairOfButtons) {
  auto* box = new GWndMessage(Display(), 200, 175, 400, 250, font.get());
  screen.reset(box);
  box->Open(&slot, clip::MessageOk, clip::MessageCancel, "QUIT THE GAME?");
  Click(box->CancelButton);
  box->Open(&slot, clip::MessageOk, clip::MessageCancel, "QUIT THE GAME?", "SURE?");
  EXPECT_EQ(box->Controls.size(), 2u);
  EXPECT_EQ(box->Sprites.size(), 2u);
  Click(box->OkButton);
  box->Open(&slot, clip::MessageOk, clip::MessageCancel, "QUIT THE GAME?");
  box->OnKeyDown(SDLK_KP_ENTER, 0);
  box->Open(&slot, clip::MessageOk, clip::MessageCancel, "QUIT THE GAME?");
  box->OnKeyDown(SDLK_ESCAPE, 0);
  EXPECT_EQ(parent->codes, (std::vector<int32_t>{-2, -1, -1, -2}));
}

TEST_F(InfoDialogs, HelpPageTakesTheStartFlagAndClosesWithItsCodes) {
  auto* help = new GWndHelp(Display(), 0, 0, 800, 600, "1.0");
  screen.reset(help);
  bool flag = true;
  help->ExchangeStartHelp(flag, true);
  help->Show(&slot);
  EXPECT_TRUE(help->StartHelpBox->Checked);
  Click(help->StartHelpBox);
  help->ExchangeStartHelp(flag, false);
  EXPECT_FALSE(flag);
  // The pictures change once a second.
  const int32_t frame = help->Pictures[0]->cFrame;
  help->Tick(999, 20);
  EXPECT_EQ(help->Pictures[0]->cFrame, frame);
  help->Tick(1, 20);
  EXPECT_NE(help->Pictures[0]->cFrame, frame);
  Click(help->OkButton);
  help->Show(&slot);
  help->OnKeyDown(SDLK_ESCAPE, 0);
  help->Show(&slot);
  help->OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(parent->codes, (std::vector<int32_t>{0, -2, -1}));
}

TEST_F(InfoDialogs, HelpPicturesHoldStillWhenTheEnvironmentAsks) {
  setenv("OSTREL_TRAINS_STILL", "1", 1);
  auto* help = new GWndHelp(Display(), 0, 0, 800, 600, "1.0");
  unsetenv("OSTREL_TRAINS_STILL");
  screen.reset(help);
  help->Show(&slot);
  const int32_t frame = help->Pictures[0]->cFrame;
  help->Tick(5000, 20);
  EXPECT_EQ(help->Pictures[0]->cFrame, frame);
}
