// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "SpriteTestSupport.h"
#include "engine/LEngine.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

using namespace spritetest;

namespace {

// A 3-frame (or 6-frame) strip of 10 x 10 frames whose top-left pixel of every
// frame is fully transparent.
LClip* RoundWidgetPicture(int frames) {
  SDL_Surface* s = MakeSurface(10 * frames, 10, true);
  SDL_FillRect(s, nullptr, 0xFF808080);
  for (int f = 0; f < frames; ++f) SetPixel(s, 10 * f, 0, 0x00808080);
  return ClipFromSurface(s, frames);
}

struct Widgets : ::testing::Test {
  void SetUp() override {
    screen = std::make_unique<LEngine>(Display(), 0, 0, 800, 600, true);
    buttonPicture.reset(RoundWidgetPicture(3));
    boxPicture.reset(RoundWidgetPicture(6));
    button = new LClipButton;
    button->Assign(*buttonPicture, false);
    button->SetPosition(100, 200);
    box = new LClipCheckBox;
    box->Assign(*boxPicture, false);
    box->SetPosition(300, 200);
    screen->AddControl(button);
    screen->AddControl(box);
  }
  void TearDown() override {
    screen.reset();
    buttonPicture.reset();
    boxPicture.reset();
  }
  std::unique_ptr<LEngine> screen;
  std::unique_ptr<LClip> buttonPicture;
  std::unique_ptr<LClip> boxPicture;
  LClipButton* button = nullptr;
  LClipCheckBox* box = nullptr;
};

}  // namespace

TEST_F(Widgets, BothEdgesCountAsInside) {
  EXPECT_TRUE(button->OnMouseDown(110, 210));
  EXPECT_TRUE(button->OnMouseUp(110, 210));
  EXPECT_TRUE(button->OnMouseDown(100, 200));
  EXPECT_FALSE(button->OnMouseUp(111, 205));
  EXPECT_FALSE(button->OnMouseDown(105, 211));
  EXPECT_FALSE(button->OnMouseDown(99, 205));
}

TEST_F(Widgets, PixelHitIgnoresTransparentCorners) {
  button->PixelHit = true;
  EXPECT_FALSE(button->OnMouseDown(100, 200));
  EXPECT_EQ(button->ButtonState, LClipButton::kNormal);
  EXPECT_FALSE(button->Pressed);
  EXPECT_FALSE(button->OnMouseUp(100, 200));
  EXPECT_EQ(button->cFrame, 0);
  EXPECT_TRUE(button->OnMouseDown(105, 205));
  EXPECT_TRUE(button->OnMouseUp(105, 205));
  // Without pixel testing the same corner is a hit.
  button->PixelHit = false;
  EXPECT_TRUE(button->OnMouseDown(100, 200));
}

TEST_F(Widgets, ButtonStatesShowTheirFrames) {
  EXPECT_TRUE(button->OnMouseMove(105, 205, false));
  EXPECT_EQ(button->ButtonState, LClipButton::kHover);
  EXPECT_EQ(button->cFrame, 2);
  EXPECT_TRUE(button->OnMouseDown(105, 205));
  EXPECT_EQ(button->cFrame, 1);
  EXPECT_TRUE(button->Pressed);
  EXPECT_TRUE(button->OnMouseUp(105, 205));
  EXPECT_EQ(button->cFrame, 0);
  EXPECT_FALSE(button->OnMouseMove(50, 50, false));
  EXPECT_EQ(button->ButtonState, LClipButton::kNormal);
  button->SetHighlight(true);
  EXPECT_TRUE(button->Highlighted);
  EXPECT_EQ(button->cFrame, 2);
  button->SetState(7);
  EXPECT_EQ(button->cFrame, 0);
}

TEST_F(Widgets, HiddenButtonIgnoresThePointerButHiddenBoxReacts) {
  button->SetVisible(false);
  box->SetVisible(false);
  EXPECT_FALSE(button->OnMouseMove(105, 205, false));
  EXPECT_FALSE(button->OnMouseDown(105, 205));
  EXPECT_FALSE(button->Pressed);
  EXPECT_TRUE(box->OnMouseMove(305, 205, false));
  EXPECT_TRUE(box->OnMouseDown(305, 205));
  EXPECT_TRUE(box->Pressed);
}

TEST_F(Widgets, PressMoveOutAndReleaseGivesNoClick) {
  EXPECT_EQ(screen->OnLeftDown(105, 205), button);
  EXPECT_EQ(button->ButtonState, LClipButton::kPressed);
  screen->OnMouseMove(150, 150);  // dragged out: the pressed look stays
  EXPECT_EQ(button->ButtonState, LClipButton::kPressed);
  EXPECT_EQ(screen->OnLeftUp(150, 150), nullptr);
  EXPECT_EQ(button->ButtonState, LClipButton::kNormal);
  EXPECT_FALSE(button->Pressed);
  // A press and release on the button is a click.
  screen->OnLeftDown(105, 205);
  EXPECT_EQ(screen->OnLeftUp(106, 206), button);
}

TEST_F(Widgets, ReleaseWithoutPressOnTheControlIsNoClick) {
  screen->OnLeftDown(50, 50);
  EXPECT_EQ(screen->OnLeftUp(105, 205), nullptr);
  // A box pressed, released outside, then a press elsewhere released on the box.
  screen->OnLeftDown(305, 205);
  EXPECT_EQ(screen->OnLeftUp(500, 500), nullptr);
  screen->OnLeftDown(500, 500);
  EXPECT_EQ(screen->OnLeftUp(305, 205), nullptr);
}

TEST_F(Widgets, CheckBoxClickDoesNotToggleItself) {
  EXPECT_TRUE(box->OnMouseMove(305, 205, false));
  EXPECT_EQ(box->BoxState, 1);
  EXPECT_EQ(box->cFrame, 2);
  EXPECT_TRUE(box->OnMouseDown(305, 205));
  EXPECT_EQ(box->BoxState, 2);
  EXPECT_EQ(box->cFrame, 1);
  EXPECT_TRUE(box->OnMouseUp(305, 205));
  EXPECT_EQ(box->BoxState, 0);
  EXPECT_FALSE(box->Checked);
  box->SetChecked(true);
  EXPECT_EQ(box->cFrame, 3);
  EXPECT_TRUE(box->OnMouseMove(305, 205, true));
  EXPECT_EQ(box->BoxState, 5);
  EXPECT_EQ(box->cFrame, 4);
  EXPECT_FALSE(box->OnMouseMove(400, 205, false));
  EXPECT_EQ(box->BoxState, 3);
  // Toggle twice returns to the first state.
  box->Toggle();
  EXPECT_FALSE(box->Checked);
  EXPECT_EQ(box->cFrame, 0);
  box->Toggle();
  EXPECT_TRUE(box->Checked);
  EXPECT_EQ(box->BoxState, 3);
}

TEST_F(Widgets, AssignResetsTheControlFields) {
  button->PixelHit = true;
  button->Pressed = true;
  button->TakesKeys = true;
  button->SetClickSound(4);
  button->Stop = false;
  button->Assign(*buttonPicture, false);
  EXPECT_FALSE(button->PixelHit);
  EXPECT_FALSE(button->Pressed);
  EXPECT_FALSE(button->TakesKeys);
  EXPECT_FALSE(button->PlayClickSound);
  EXPECT_TRUE(button->Stop);
  EXPECT_FALSE(button->OnKeyDown(13, 0));
}

TEST(WidgetFactory, MakeButtonAndCheckBoxFromTheLibrary) {
  Display();
  ScopedCwd inLibrary(LibraryFolder());
  ASSERT_TRUE(ClipLib::Init());
  {
    LEngine screen(Display(), 0, 0, 800, 600, true);
    LClipButton* ok = MakeButton(7, 1, &screen, true);
    EXPECT_EQ(ok->Picture, ClipLib::GetTemplate(7)->Picture);
    EXPECT_EQ(ok->x, 170);
    EXPECT_EQ(ok->y, 401);
    EXPECT_EQ(ok->FrameCount(), 3);
    EXPECT_TRUE(ok->PlayClickSound);
    EXPECT_EQ(ok->ClickSound, 1);
    EXPECT_TRUE(ok->PixelHit);
    EXPECT_TRUE(ok->Stop);
    ASSERT_EQ(screen.Controls.size(), 1u);
    EXPECT_EQ(screen.Controls[0], ok);
    // Entry 44 has no template yet: it is read for the purpose.
    LClipCheckBox* box = MakeCheckBox(44, 0, &screen, false);
    EXPECT_EQ(box->x, 188);
    EXPECT_EQ(box->FrameCount(), 6);
    EXPECT_FALSE(box->Checked);
    EXPECT_EQ(box->BoxState, 0);
    EXPECT_EQ(screen.Controls.size(), 2u);
  }
  std::unique_ptr<LClipButton> menu(MakeButton(19, -1, nullptr, false));
  EXPECT_FALSE(menu->PlayClickSound);
  EXPECT_EQ(menu->x, 14);
  ClipLib::Shutdown();
}

// A screen redraws what changed: a pointer resting on (or away from) a widget changes
// nothing after the first move, so an open dialog is not drawn again every frame.
TEST_F(Widgets, APointerThatStaysMarksNothingForRedrawing) {
  screen->Render();  // the first drawing is a whole one
  for (int32_t x : {50, 105, 305}) {
    screen->OnMouseMove(x, 205);
    screen->Render();
    screen->DirtyRects.clear();
    screen->OnMouseMove(x, 205);
    EXPECT_FALSE(button->Changed) << x;
    EXPECT_FALSE(box->Changed) << x;
  }
}
