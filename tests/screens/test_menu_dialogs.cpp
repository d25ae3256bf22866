// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "screens/GWndMenu.h"
#include "screens/GWndNewGame.h"
#include "screens/GWndPickGame.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

// The screen the dialogs open over; it records the codes they close with.
struct Recorder : LEngine {
  Recorder() : LEngine(Display(), 0, 0, 800, 600, false) {}
  void OnChildClosed(LEngine*, int32_t code) override { Codes.push_back(code); }
  std::vector<int32_t> Codes;
};

struct MenuDialogs : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    font = std::make_unique<BitmapFont>(ClipLib::GetTemplate(clip::FontRed));
    parent.Show(&slot);
    LevelSpinner::RepeatTimer = 0;
  }
  void TearDown() override { ClipLib::Shutdown(); }
  // Mouse events inside a control of dialog d, in display coordinates.
  static void Press(LEngine& d, const LClip* c) { d.OnLeftDown(d.X + c->x + 4, d.Y + c->y + 5); }
  static void Release(LEngine& d, const LClip* c) { d.OnLeftUp(d.X + c->x + 4, d.Y + c->y + 5); }
  static void Click(LEngine& d, const LClip* c) {
    Press(d, c);
    Release(d, c);
  }

  ScopedCwd cwd{LibraryFolder()};
  Recorder parent;
  std::unique_ptr<BitmapFont> font;
  LEngine* slot = nullptr;
};

constexpr int kOff = -1000;

}  // namespace

TEST_F(MenuDialogs, MenuStacksTheShownItemsAndClosesWithTheChosenCode) {
  GWndMenu menu(Display(), 200, 40, 400, 520, font.get());
  // REWIND shows only while the running level can go back.
  const std::vector<std::tuple<bool, bool, std::vector<int>>> cases = {
      {true, false, {75, kOff, 146, 217, kOff, kOff, 288, 359, 430}},    // 6 items, 71 px apart
      {false, false, {kOff, kOff, 75, 161, kOff, kOff, 247, 333, 419}},  // 5 items, 86 px apart
      {true, true, {75, 136, 197, 258, kOff, kOff, 319, 380, 441}},      // 7 items, 61 px apart
  };
  for (const auto& [showContinue, showRewind, ys] : cases) {
    menu.Open(&slot, showContinue, showRewind);
    ASSERT_EQ(slot, &menu);
    for (int i = 0; i < GWndMenu::kItemCount; ++i) {
      const LClipButton* b = menu.Items[i].button;
      SCOPED_TRACE(menu.Items[i].text);
      EXPECT_EQ(b->y, ys[i]);
      EXPECT_EQ(b->x, ys[i] == kOff ? kOff : (400 - b->FrameW) / 2);
      EXPECT_EQ(b->Visible, ys[i] != kOff);
    }
    menu.OnKeyDown(SDLK_ESCAPE, 0);
    EXPECT_EQ(slot, &parent);
  }
  for (int item : {0, 1, 2, 3, 6, 7, 8}) {
    menu.Open(&slot, true, true);
    Click(menu, menu.Items[item].button);
    EXPECT_EQ(slot, &parent);
  }
  EXPECT_EQ(parent.Codes, (std::vector<int32_t>{-2, -2, -2, 0, 10, 1, 2, 6, 7, 9}));
}

TEST_F(MenuDialogs, PickGameAnimatesThePictureOfTheOtherFrame) {
  GWndPickGame pick(Display(), 200, 40, 400, 520, font.get());
  pick.Open(&slot, false);
  LClip* puzzle = pick.PuzzlePicture;
  LClip* classic = pick.ClassicPicture;
  EXPECT_TRUE(puzzle->Stop && classic->Stop);
  pick.Hover(pick.PuzzleFrame->x + 4, pick.PuzzleFrame->y + 5);
  EXPECT_FALSE(classic->Stop);
  EXPECT_TRUE(puzzle->Stop);
  // The headless mouse is over neither frame: the pictures keep their state.
  pick.Update(500, 20);
  pick.Update(500, 20);
  EXPECT_EQ(classic->cFrame, 2);
  EXPECT_EQ(puzzle->cFrame, 0);

  pick.Hover(pick.ClassicFrame->x + 4, pick.ClassicFrame->y + 5);
  EXPECT_TRUE(classic->Stop);
  EXPECT_EQ(classic->cFrame, 0);
  pick.Update(500, 20);
  EXPECT_EQ(puzzle->cFrame, 1);
  EXPECT_EQ(classic->cFrame, 0);
}

TEST_F(MenuDialogs, PickGameMarksTheTypeInUseAndClosesWithTheChosenOne) {
  GWndPickGame pick(Display(), 200, 40, 400, 520, font.get());
  pick.Open(&slot, true);
  EXPECT_EQ(pick.Marker->x, 65);
  EXPECT_EQ(pick.Marker->y, 316);
  EXPECT_EQ(pick.Marker->z, -100);
  Click(pick, pick.PuzzleFrame);
  pick.Open(&slot, false);
  EXPECT_EQ(pick.Marker->y, 88);
  Click(pick, pick.ClassicFrame);
  pick.Open(&slot, false);
  pick.OnKeyDown(SDLK_ESCAPE, 0);
  EXPECT_EQ(parent.Codes, (std::vector<int32_t>{pick::kPuzzle, pick::kClassic, -2}));
  EXPECT_EQ(slot, &parent);
}

TEST_F(MenuDialogs, NewGameWithoutALevelReachedOffersOnlyOkAndCancel) {
  GWndNewGame dialog(Display(), 200, 175, 400, 250, font.get());
  dialog.Show(&slot);
  for (const LClip* c : std::vector<const LClip*>{dialog.Label, dialog.LeftArrow, dialog.RightArrow,
                                                  dialog.NumberBox})
    EXPECT_FALSE(c->Visible);
  EXPECT_TRUE(dialog.OkButton->Visible && dialog.CancelButton->Visible);
  EXPECT_EQ(dialog.GetStartLevel(), 0);
  dialog.OnKeyDown(SDLK_KP_ENTER, 0);
  dialog.Show(&slot);
  Click(dialog, dialog.CancelButton);
  EXPECT_EQ(parent.Codes, (std::vector<int32_t>{-1, -2}));
}

TEST_F(MenuDialogs, NewGameProposesTheHighestLevelReached) {
  GWndNewGame dialog(Display(), 200, 175, 400, 250, font.get());
  dialog.SetMaxLevel(4);
  dialog.Show(&slot);
  EXPECT_TRUE(dialog.Label->Visible && dialog.LeftArrow->Visible && dialog.NumberBox->Visible);
  EXPECT_EQ(dialog.Spinner.Value, 5);
  EXPECT_EQ(dialog.Spinner.Min, 1);
  EXPECT_EQ(dialog.Spinner.Max, 5);
  // The arrows and the number box stand in a row after the label text.
  const BitmapFont levelFont(ClipLib::GetTemplate(clip::FontLevelNumber), "( ):0123456789-");
  const double left = 240 + levelFont.Measure("(1-5):");
  EXPECT_EQ(dialog.LeftArrow->x, left);
  EXPECT_EQ(dialog.NumberBox->x, left + dialog.LeftArrow->FrameW);
  EXPECT_EQ(dialog.RightArrow->x, dialog.NumberBox->x + 25);
  EXPECT_EQ(dialog.NumberBox->y, 76);

  Click(dialog, dialog.LeftArrow);
  Click(dialog, dialog.LeftArrow);
  Click(dialog, dialog.RightArrow);
  Click(dialog, dialog.OkButton);
  EXPECT_EQ(parent.Codes, std::vector<int32_t>{-1});
  EXPECT_EQ(dialog.GetStartLevel(), 3);
}

TEST_F(MenuDialogs, HeldArrowRepeatsWithinTheRangeUntilReleasedAnywhere) {
  GWndNewGame dialog(Display(), 200, 175, 400, 250, font.get());
  dialog.SetMaxLevel(4);
  dialog.Show(&slot);
  dialog.Spinner.SetValue(1);
  Press(dialog, dialog.RightArrow);
  for (int t = 0; t < 6000; t += 20) dialog.Update(20, 20);
  EXPECT_EQ(dialog.Spinner.Value, 5);
  Release(dialog, dialog.RightArrow);
  // Pressed on the left arrow, released away from it: one step only.
  Press(dialog, dialog.LeftArrow);
  dialog.OnLeftUp(dialog.X + 5, dialog.Y + 5);
  for (int t = 0; t < 5000; t += 20) dialog.Update(20, 20);
  EXPECT_EQ(dialog.Spinner.Value, 4);
  EXPECT_EQ(slot, &dialog);
}

TEST(Spinner, RepeatSpeedsUpAndStepsStayInRange) {
  LevelSpinner s;
  for (auto [held, interval] : std::vector<std::pair<int32_t, int32_t>>{
           {0, 1000}, {1000, 810}, {2500, 525}, {5000, 50}, {60000, 50}}) {
    s.HeldTime = held;
    EXPECT_EQ(s.RepeatInterval(), interval) << held;
  }
  s.SetRange(1, 100);
  s.SetValue(1);
  s.PressDec();
  s.Update(2000);
  EXPECT_EQ(s.Value, 1);
}
