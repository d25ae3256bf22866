// Sprite movement, the screen stack and the passing of input to controls.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/LEngine.h"
#include "screen_helpers.h"

using screentest::RecordingControl;
using screentest::RecordingScreen;
using screentest::RecordingSprite;

namespace {

class ScreenMove : public ClipFixture {
 protected:
  RecordingScreen screen_{nullptr, 0, 0, 800, 600, false};
};

bool Listed(const LEngine& screen, const LClip* sprite) {
  return std::find(screen.Sprites.begin(), screen.Sprites.end(), sprite) != screen.Sprites.end();
}

TEST_F(ScreenMove, WaypointPathMovesEightPixelsAFrameAndLandsExactly) {
  auto* sprite = new RecordingSprite();
  sprite->Vx = 0.3;
  sprite->Waypoints.push_back(Waypoint{100, 0, 0, 0.01, false});
  screen_.AddSprite(sprite);
  for (int frame = 1; frame <= 12; ++frame) {
    screen_.Update(30, 30);
    EXPECT_DOUBLE_EQ(sprite->x, 8.0 * frame);
    EXPECT_DOUBLE_EQ(sprite->y, 0.0);
  }
  EXPECT_EQ(sprite->pathEnds, 0);
  screen_.Update(30, 30);
  EXPECT_EQ(sprite->x, 100.0) << "lands exactly on the target";
  EXPECT_TRUE(sprite->Waypoints.empty());
  EXPECT_EQ(sprite->pathEnds, 1);
  EXPECT_EQ(sprite->Vx, 0.0);
  EXPECT_EQ(screen_.log, std::vector<std::string>{"end 100"});
  EXPECT_TRUE(Listed(screen_, sprite)) << "a path without the die flag keeps the sprite";
}

TEST_F(ScreenMove, DiagonalAndMultiPointPaths) {
  auto* sprite = new RecordingSprite();
  sprite->Waypoints.push_back(Waypoint{30, 40, 0, 0.5, false});
  sprite->Waypoints.push_back(Waypoint{30, 0, 0, 0.5, false});
  screen_.AddSprite(sprite);
  screen_.Update(30, 30);
  EXPECT_DOUBLE_EQ(sprite->x, 30);
  EXPECT_DOUBLE_EQ(sprite->y, 40);
  EXPECT_EQ(sprite->waypoints, 1);
  EXPECT_EQ(screen_.log, std::vector<std::string>{"waypoint 30"});
  screen_.Update(30, 30);
  EXPECT_DOUBLE_EQ(sprite->y, 0);
  EXPECT_EQ(sprite->pathEnds, 1);

  auto* slow = new RecordingSprite();
  slow->Waypoints.push_back(Waypoint{300, 400, 0, 0.001, false});
  screen_.AddSprite(slow);
  screen_.Update(30, 30);
  // Speed 0.001 along a 3:4 slope: 0.0006 screen widths across, 0.0008 heights down.
  EXPECT_NEAR(slow->x, 0.0006 * 800, 1e-9);
  EXPECT_NEAR(slow->y, 0.0008 * 600, 1e-9);
}

TEST_F(ScreenMove, LongFramesAreCappedAtFiveTimeUnits) {
  LClip* a = new LClip();
  LClip* b = new LClip();
  a->Vx = b->Vx = 0.01;
  a->Vy = b->Vy = 0.01;
  a->Vz = b->Vz = 2;
  screen_.AddSprite(a);
  screen_.Update(200, 200);
  RecordingScreen other(nullptr, 0, 0, 800, 600, false);
  other.AddSprite(b);
  other.Update(150, 150);
  EXPECT_DOUBLE_EQ(a->x, 40.0);
  EXPECT_DOUBLE_EQ(a->y, 30.0);
  EXPECT_DOUBLE_EQ(a->z, 10.0);
  EXPECT_DOUBLE_EQ(a->x, b->x);
  EXPECT_DOUBLE_EQ(a->z, b->z);
}

TEST_F(ScreenMove, SpriteDiesAtThePathEndAfterTheHook) {
  bool destroyed = false;
  auto* sprite = new RecordingSprite(&destroyed);
  sprite->Waypoints.push_back(Waypoint{4, 0, 0, 0.01, true});
  screen_.AddSprite(sprite);
  screen_.Update(30, 30);
  EXPECT_EQ(screen_.log, std::vector<std::string>{"end 4"});
  EXPECT_TRUE(screen_.endStillListed) << "the hook sees the sprite still on screen";
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(screen_.Sprites.empty());
}

TEST_F(ScreenMove, LifeTimeCountsRawMillisecondsAndRemovesTheDead) {
  bool destroyed = false;
  auto* sprite = new RecordingSprite(&destroyed);
  sprite->TimeDie = 300;
  sprite->SetSize(8, 4);
  sprite->x = 20;
  sprite->y = 5;
  sprite->LastRect = ClipRect{10, 10, 8, 4};
  screen_.AddSprite(sprite);
  screen_.Update(200, 200);
  EXPECT_EQ(sprite->TimeDie, 100) << "not capped like the movement";
  screen_.DirtyRects.clear();
  screen_.Update(200, 200);
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(screen_.Sprites.empty());
  ASSERT_EQ(screen_.DirtyRects.size(), 1u);
  EXPECT_EQ(screen_.DirtyRects[0], (DirtyRect{10, 5, 28, 14}));
}

TEST_F(ScreenMove, RemovingAndClearingSprites) {
  bool destroyed = false;
  auto* keep = new RecordingSprite(&destroyed);
  auto* control = new RecordingControl();
  screen_.AddSprite(keep);
  screen_.AddControl(control);
  screen_.AddSprite(nullptr);
  screen_.AddControl(nullptr);
  EXPECT_EQ(screen_.Sprites.size(), 2u);
  EXPECT_EQ(screen_.Controls.size(), 1u);
  screen_.RemoveSprite(control, false);
  EXPECT_TRUE(screen_.Controls.empty());
  EXPECT_EQ(screen_.Sprites.size(), 1u);
  delete control;
  screen_.ClearSprites(false);
  EXPECT_TRUE(screen_.Sprites.empty());
  EXPECT_FALSE(destroyed);
  screen_.AddSprite(keep);
  screen_.ClearSprites(true);
  EXPECT_TRUE(destroyed);
}

class ScreenStack : public ClipFixture {
 protected:
  void SetUp() override {
    ClipFixture::SetUp();
    display_ = CreateBlankSurface(800, 600, false);
    main_ = new RecordingScreen(display_, 0, 0, 800, 600, true);
    dialog_ = new RecordingScreen(display_, 100, 50, 300, 200, false);
  }
  void TearDown() override {
    delete dialog_;
    delete main_;
    SDL_FreeSurface(display_);
    TopScreen() = nullptr;
    ClipFixture::TearDown();
  }
  SDL_Surface* display_ = nullptr;
  RecordingScreen* main_ = nullptr;
  RecordingScreen* dialog_ = nullptr;
};

TEST_F(ScreenStack, DialogTravelsAsASpriteOfTheMainScreen) {
  main_->Show(&TopScreen());
  EXPECT_EQ(TopScreen(), main_);
  EXPECT_EQ(main_->Parent, nullptr);
  EXPECT_EQ(main_->Target, display_);
  main_->NeedSort = false;
  dialog_->Show(&TopScreen());
  EXPECT_EQ(TopScreen(), dialog_);
  EXPECT_EQ(dialog_->Parent, main_);
  EXPECT_EQ(dialog_->Target, nullptr);
  EXPECT_TRUE(dialog_->NeedFullRedraw);
  LClip* carrier = dialog_->ScreenSprite;
  ASSERT_NE(carrier, nullptr);
  EXPECT_TRUE(Listed(*main_, carrier));
  EXPECT_TRUE(main_->NeedSort);
  EXPECT_EQ(carrier->x, 100);
  EXPECT_EQ(carrier->y, 50);
  EXPECT_EQ(carrier->FrameW, 300);
  EXPECT_EQ(carrier->FrameH, 200);
  EXPECT_EQ(carrier->z, -1000001);
  EXPECT_EQ(dialog_->Depth(), -1000001);
  EXPECT_EQ(main_->Depth(), -1000000);
  EXPECT_EQ(dialog_->BottomScreen(), main_);
}

TEST_F(ScreenStack, ClosingUncoversTheScreenBelow) {
  main_->Show(&TopScreen());
  dialog_->Show(&TopScreen());
  LClip* carrier = dialog_->ScreenSprite;
  dialog_->Close(3);
  EXPECT_EQ(TopScreen(), main_);
  EXPECT_EQ(main_->closedChild, dialog_);
  EXPECT_EQ(main_->closedCode, 3);
  EXPECT_FALSE(Listed(*main_, carrier));
  EXPECT_EQ(dialog_->ScreenSprite, nullptr);
  EXPECT_EQ(dialog_->Background, nullptr) << "released: the dialog keeps no background";
  EXPECT_NE(main_->Background, nullptr);
  main_->Close(-1);
  EXPECT_EQ(TopScreen(), nullptr);
  EXPECT_NE(main_->Background, nullptr) << "kept on request";
}

TEST_F(ScreenStack, ShowingAgainRebuildsTheCarrierAndBackground) {
  main_->Show(&TopScreen());
  dialog_->Show(&TopScreen());
  dialog_->Close(-2);
  dialog_->SetRect(120, 60, 300, 200);
  EXPECT_NE(dialog_->Background, nullptr);
  dialog_->Show(&TopScreen());
  ASSERT_NE(dialog_->ScreenSprite, nullptr);
  EXPECT_EQ(dialog_->ScreenSprite->x, 120);
  dialog_->SetRect(140, 70, 300, 200);
  EXPECT_EQ(dialog_->ScreenSprite->x, 140);
  EXPECT_EQ(main_->Sprites.size(), 1u);
}

TEST_F(ScreenStack, EmptySlotDoesNothing) {
  dialog_->Show(nullptr);
  EXPECT_EQ(dialog_->TopSlot, nullptr);
  dialog_->Close(1);
  EXPECT_EQ(TopScreen(), nullptr);
}

TEST_F(ScreenStack, TickAdvancesEveryScreenTopFirst) {
  std::vector<std::string> order;
  main_->order = dialog_->order = &order;
  main_->name = "main";
  dialog_->name = "dialog";
  main_->Show(&TopScreen());
  dialog_->Show(&TopScreen());
  TopScreen()->Tick(20, 20);
  EXPECT_EQ(order, (std::vector<std::string>{"dialog", "main"}));
}

TEST_F(ScreenStack, MovingTheCarrierMovesTheScreen) {
  main_->Show(&TopScreen());
  dialog_->Show(&TopScreen());
  dialog_->ScreenSprite->Waypoints.push_back(Waypoint{100, 10, 0, 1.0, false});
  TopScreen()->Tick(30, 30);
  EXPECT_EQ(dialog_->ScreenSprite->y, 10);
  EXPECT_EQ(dialog_->Y, 50) << "the dialog ticks before the screen that moves its carrier";
  TopScreen()->Tick(30, 30);
  EXPECT_EQ(dialog_->Y, 10) << "the stacked screen follows its carrier";
  EXPECT_EQ(dialog_->X, 100);
}

TEST_F(ScreenStack, ControlsReceiveMouseEventsInTheScreensCoordinates) {
  main_->Show(&TopScreen());
  dialog_->Show(&TopScreen());
  auto* control = new RecordingControl();
  control->SetSize(20, 10);
  control->x = 40;
  control->y = 30;
  auto* hidden = new RecordingControl();
  hidden->Visible = false;
  dialog_->AddControl(control);
  dialog_->AddControl(hidden);

  EXPECT_EQ(dialog_->OnMouseMove(145, 85), control);
  EXPECT_EQ(control->moves.back(), (std::pair<int32_t, int32_t>{45, 35}));
  EXPECT_EQ(dialog_->OnLeftDown(150, 85), control);
  EXPECT_TRUE(dialog_->MouseDown);
  EXPECT_EQ(control->downs.back(), (std::pair<int32_t, int32_t>{50, 35}));
  EXPECT_TRUE(hidden->downs.empty());
  EXPECT_EQ(dialog_->OnLeftUp(151, 86), control);
  EXPECT_FALSE(dialog_->MouseDown);
  EXPECT_EQ(dialog_->clicked, control);

  dialog_->clicked = nullptr;
  dialog_->OnLeftDown(10, 10);
  EXPECT_EQ(dialog_->OnLeftUp(150, 85), nullptr) << "a click must begin on the control";
  EXPECT_EQ(dialog_->clicked, nullptr);

  // The hover step of the top screen reads the mouse, which rests at (0, 0).
  control->moves.clear();
  dialog_->Update(20, 20);
  ASSERT_EQ(control->moves.size(), 1u);
  EXPECT_EQ(control->moves.back(), (std::pair<int32_t, int32_t>{-100, -50}));
  EXPECT_TRUE(hidden->moves.empty());
}

TEST_F(ScreenStack, KeysGoOnlyToControlsThatTakeThem) {
  auto* typing = new RecordingControl();
  typing->TakesKeys = true;
  auto* plain = new RecordingControl();
  main_->AddControl(typing);
  main_->AddControl(plain);
  EXPECT_EQ(main_->OnKeyDown(SDLK_a, 0), 0);
  EXPECT_EQ(typing->keys, std::vector<int32_t>{SDLK_a});
  EXPECT_TRUE(plain->keys.empty());
}

}  // namespace
