// Drawing of screens: depth order, full and changed-areas redraws, stacked screens.
#include <gtest/gtest.h>

#include "engine/LEngine.h"
#include "screen_helpers.h"

using screentest::At;
using screentest::ColourSprite;

namespace {

class ExposedScreen : public LEngine {
 public:
  using LEngine::LEngine;
  using LEngine::MergeDirty;
};

class ScreenRender : public ClipFixture {
 protected:
  void SetUp() override {
    ClipFixture::SetUp();
    display_ = CreateBlankSurface(800, 600, false);
    main_ = new LEngine(display_, 0, 0, 800, 600, true);
    FillColour(main_->Background, 0, 200, 0, 255);
    main_->Show(&TopScreen());
  }
  void TearDown() override {
    delete main_;
    SDL_FreeSurface(display_);
    TopScreen() = nullptr;
    ClipFixture::TearDown();
  }
  // Renders until every sprite has settled (a full redraw leaves them marked changed).
  void Settle() {
    main_->Render();
    main_->Render();
    main_->DirtyRects.clear();
  }
  SDL_Surface* display_ = nullptr;
  LEngine* main_ = nullptr;
};

TEST_F(ScreenRender, EqualDepthKeepsInsertionOrderAndLowerDepthIsInFront) {
  LClip* red = ColourSprite(20, 20, 10, 10, 0, 255, 0, 0);
  LClip* blue = ColourSprite(20, 20, 20, 20, 0, 0, 0, 255);
  LClip* white = ColourSprite(20, 20, 15, 15, 5, 255, 255, 255);
  main_->AddSprite(red);
  main_->AddSprite(blue);
  main_->AddSprite(white);
  std::vector<DirtyRect>& shown = main_->Render();
  EXPECT_EQ(main_->Sprites, (std::vector<LClip*>{white, red, blue}));
  EXPECT_FALSE(main_->NeedSort);
  EXPECT_EQ(shown, std::vector<DirtyRect>{(DirtyRect{0, 0, 800, 600})});
  EXPECT_EQ(At(display_, 25, 25).b, 255) << "the later of equal depth is drawn on top";
  EXPECT_EQ(At(display_, 15, 15).r, 255);
  EXPECT_EQ(At(display_, 15, 15).g, 0) << "the deeper white one is behind";
  EXPECT_EQ(At(display_, 33, 16).g, 255) << "white where nothing covers it";
  EXPECT_EQ(At(display_, 5, 5).g, 200) << "the background";
}

TEST_F(ScreenRender, StillSpriteAddsNothingAndMovingOneAddsTheUnion) {
  LClip* sprite = ColourSprite(10, 10, 100, 100, 0, 255, 0, 0);
  main_->AddSprite(sprite);
  Settle();
  main_->Render();
  EXPECT_TRUE(main_->DirtyRects.empty());
  sprite->x = 104;
  sprite->y = 98;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, std::vector<DirtyRect>{(DirtyRect{100, 98, 114, 110})});
  EXPECT_EQ(At(display_, 101, 105).g, 200) << "the old place shows the background again";
  EXPECT_EQ(At(display_, 113, 99).r, 255);
  main_->DirtyRects.clear();
  sprite->x = 300;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, (std::vector<DirtyRect>{{104, 98, 114, 108}, {300, 98, 310, 108}}))
      << "apart: two rectangles";
}

TEST_F(ScreenRender, MergingLooksAtEachEntryOnce) {
  ExposedScreen screen(display_, 0, 0, 100, 100, false);
  screen.DirtyRects = {{0, 0, 10, 10}, {5, 20, 15, 30}};
  screen.MergeDirty({12, 5, 20, 25});
  EXPECT_EQ(screen.DirtyRects, (std::vector<DirtyRect>{{0, 0, 10, 10}, {5, 5, 20, 30}}))
      << "an entry passed before the rectangle grew stays";
  screen.MergeDirty({8, 8, 8, 9});
  EXPECT_EQ(screen.DirtyRects.size(), 2u) << "an empty rectangle is not added";
  screen.MergeDirty({90, 90, 150, 150});
  EXPECT_EQ(screen.DirtyRects.back(), (DirtyRect{90, 90, 100, 100})) << "kept inside the picture";
}

TEST_F(ScreenRender, HidingASpriteRedrawsItsPlace) {
  LClip* sprite = ColourSprite(10, 10, 50, 50, 0, 255, 0, 0);
  main_->AddSprite(sprite);
  Settle();
  EXPECT_EQ(At(display_, 55, 55).r, 255);
  sprite->SetVisible(false);
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, std::vector<DirtyRect>{(DirtyRect{50, 50, 60, 60})});
  EXPECT_EQ(At(display_, 55, 55).g, 200);
}

TEST_F(ScreenRender, AnchorShiftsTheDrawnFrame) {
  LClip* sprite = ColourSprite(10, 10, 50.9, 50, 0, 255, 0, 0);
  sprite->AlignX = 5;
  sprite->AlignY = 10;
  main_->AddSprite(sprite);
  main_->Render();
  EXPECT_EQ(sprite->LastRect, (ClipRect{45, 40, 10, 10}));
  EXPECT_EQ(At(display_, 45, 40).r, 255);
  EXPECT_EQ(At(display_, 55, 45).g, 200);
}

TEST_F(ScreenRender, RedrawModes) {
  LClip* sprite = ColourSprite(10, 10, 50, 50, 0, 255, 0, 0);
  main_->AddSprite(sprite);
  main_->RedrawMode = 0;
  main_->Render();
  main_->DirtyRects.clear();
  sprite->x = 70;
  main_->Render();
  EXPECT_TRUE(main_->DirtyRects.empty()) << "mode 0 waits for a full redraw";
  EXPECT_EQ(At(display_, 75, 55).g, 200);
  main_->RedrawMode = 1;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, std::vector<DirtyRect>{(DirtyRect{0, 0, 800, 600})});
  EXPECT_EQ(At(display_, 75, 55).r, 255);
}

TEST_F(ScreenRender, StampedSpriteBecomesBackground) {
  LClip* stamp = ColourSprite(4, 4, 20, 30, 0, 0, 0, 255);
  main_->AddSprite(stamp);
  Settle();
  main_->StampSprite(stamp);
  EXPECT_TRUE(main_->Sprites.empty());
  EXPECT_EQ(At(main_->Background, 21, 31).b, 255);
  main_->Render();
  EXPECT_EQ(At(display_, 23, 33).b, 255);
}

TEST_F(ScreenRender, StackedScreenDrawsIntoItsCarrierAndTheBottomShowsIt) {
  LEngine dialog(display_, 100, 50, 300, 200, false);
  FillColour(dialog.Background, 200, 0, 0, 255);
  LClip* mark = ColourSprite(5, 5, 10, 10, 0, 0, 0, 255);
  dialog.AddSprite(mark);
  dialog.Show(&TopScreen());
  std::vector<DirtyRect>& shown = TopScreen()->Render();
  EXPECT_EQ(&shown, &main_->DirtyRects);
  EXPECT_EQ(At(dialog.ScreenSprite->GetSurface(), 10, 10).b, 255);
  EXPECT_EQ(At(display_, 100, 50).r, 200);
  EXPECT_EQ(At(display_, 111, 61).b, 255);
  EXPECT_EQ(At(display_, 99, 49).g, 200);
  EXPECT_EQ(At(display_, 400, 250).g, 200);

  TopScreen()->Render();
  main_->DirtyRects.clear();
  mark->x = 30;
  TopScreen()->Render();
  EXPECT_TRUE(dialog.DirtyRects.empty()) << "only the bottom screen's areas are presented";
  EXPECT_EQ(main_->DirtyRects, std::vector<DirtyRect>{(DirtyRect{100, 50, 400, 250})});
  EXPECT_EQ(At(display_, 111, 61).r, 200);
  EXPECT_EQ(At(display_, 131, 61).b, 255);

  dialog.Close(-1);
  main_->Render();
  EXPECT_EQ(At(display_, 131, 61).g, 200) << "closing uncovers the screen below";
}

TEST_F(ScreenRender, ResizingMakesANewBackground) {
  LEngine screen(display_, 0, 0, 40, 30, false);
  ASSERT_NE(screen.Background, nullptr);
  EXPECT_EQ(screen.Background->w, 40);
  screen.SetRect(5, 6, 64, 48);
  EXPECT_EQ(screen.X, 5);
  EXPECT_EQ(screen.Y, 6);
  EXPECT_EQ(screen.Background->w, 64);
  EXPECT_EQ(screen.Background->h, 48);
  EXPECT_EQ(screen.Background->format->BitsPerPixel, display_->format->BitsPerPixel);
  LEngine bare;
  EXPECT_EQ(bare.Background, nullptr);
  bare.Render();
  EXPECT_TRUE(bare.DirtyRects.empty()) << "nothing to draw on, nothing drawn";
}

}  // namespace
