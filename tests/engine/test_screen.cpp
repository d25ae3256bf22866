// SPDX-License-Identifier: GPL-3.0-or-later
// Screens: sprite movement, the screen stack, input to controls and drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "clip_fixture.h"
#include "engine/LEngine.h"

namespace {

using Point = std::pair<int32_t, int32_t>;
using Rects = std::vector<DirtyRect>;

// A screen that writes down the hooks it receives.
class RecordingScreen : public LEngine {
 public:
  using LEngine::LEngine;
  using LEngine::MergeDirty;
  void OnSpriteWaypoint(LClip*, Waypoint wp) override { Note("waypoint", wp); }
  void OnSpritePathEnd(LClip* sprite, Waypoint wp) override {
    Note("end", wp);
    endStillListed = std::count(Sprites.begin(), Sprites.end(), sprite) == 1;
  }
  void OnChildClosed(LEngine* child, int32_t code) override {
    closedChild = child;
    closedCode = code;
  }
  void OnControlClick(LControl* control) override { clicked = control; }
  void Update(int32_t elapsed, int32_t frame) override {
    if (order) order->push_back(this);
    LEngine::Update(elapsed, frame);
  }
  void Note(const char* what, const Waypoint& wp) {
    log.push_back(what + std::string(" ") + std::to_string(static_cast<int>(wp.X)));
  }

  std::vector<std::string> log;
  bool endStillListed = false;
  LEngine* closedChild = nullptr;
  int32_t closedCode = 0;
  LControl* clicked = nullptr;
  std::vector<LEngine*>* order = nullptr;
};

// A sprite that counts its own hooks and notes its destruction.
struct RecordingSprite : LClip {
  explicit RecordingSprite(bool* gone = nullptr) : destroyed(gone) {}
  ~RecordingSprite() override {
    if (destroyed) *destroyed = true;
  }
  void OnWaypoint(Waypoint) override { ++waypoints; }
  void OnPathEnd(Waypoint) override { ++pathEnds; }
  bool* destroyed;
  int waypoints = 0;
  int pathEnds = 0;
};

// A 20 x 10 control at (40, 30) answering true inside its frame; notes its points.
class RecordingControl : public LControl {
 public:
  RecordingControl() {
    SetSize(20, 10);
    x = 40;
    y = 30;
  }
  bool OnMouseMove(int32_t px, int32_t py, bool) override {
    moves.push_back({px, py});
    return Contains(px, py);
  }
  bool OnMouseDown(int32_t px, int32_t py) override {
    Pressed = Contains(px, py);
    return Pressed;
  }
  bool OnMouseUp(int32_t px, int32_t py) override {
    Pressed = false;
    return Contains(px, py);
  }
  bool OnKeyDown(int32_t key, int32_t) override {
    keys.push_back(key);
    return false;
  }
  std::vector<Point> moves;
  std::vector<int32_t> keys;
};

// An opaque sprite of one colour, w x h, at (x, y) with depth z.
LClip* ColourSprite(int w, int h, double x, double y, double z, uint8_t r, uint8_t g, uint8_t b) {
  auto* sprite = new LClip();
  sprite->SetSize(w, h);
  sprite->CreateBlank(false);
  FillColour(sprite->GetSurface(), r, g, b, 255);
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  return sprite;
}

bool Listed(const LEngine& screen, const LClip* sprite) {
  return std::count(screen.Sprites.begin(), screen.Sprites.end(), sprite) == 1;
}

// Red, green and blue of a display pixel.
std::vector<int> Rgb(SDL_Surface* s, int x, int y) {
  cliptest::Rgba c = cliptest::PixelAt(s, x, y);
  return {c.r, c.g, c.b};
}

const std::vector<int> kGreen{0, 200, 0};  // the main screen's background
const std::vector<int> kRed{255, 0, 0};
const std::vector<int> kBlue{0, 0, 255};

// A main screen (green, keeping its background) on a display of its own, shown, and a
// red dialog of 300 x 200 at (100, 50) that releases its background when closed.
class Screen : public ClipFixture {
 protected:
  void SetUp() override {
    ClipFixture::SetUp();
    display_ = CreateBlankSurface(800, 600, false);
    main_ = new RecordingScreen(display_, 0, 0, 800, 600, true);
    FillColour(main_->Background, 0, 200, 0, 255);
    dialog_ = new RecordingScreen(display_, 100, 50, 300, 200, false);
    FillColour(dialog_->Background, 255, 0, 0, 255);
    main_->Show(&TopScreen());
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

TEST_F(Screen, WaypointPathMovesEightPixelsAFrameAndLandsExactly) {
  auto* sprite = new RecordingSprite();
  sprite->Vx = 0.3;
  sprite->Waypoints.push_back(Waypoint{100, 0, 0, 0.01, false});
  main_->AddSprite(sprite);
  for (int frame = 1; frame <= 12; ++frame) {
    main_->Update(30, 30);
    EXPECT_DOUBLE_EQ(sprite->x, 8.0 * frame);
  }
  EXPECT_EQ(sprite->pathEnds, 0);
  main_->Update(30, 30);
  EXPECT_EQ(sprite->x, 100.0) << "lands exactly on the target";
  EXPECT_EQ(sprite->y, 0.0);
  EXPECT_EQ(sprite->pathEnds, 1);
  EXPECT_EQ(sprite->Vx, 0.0);
  EXPECT_EQ(main_->log, std::vector<std::string>{"end 100"});
  EXPECT_TRUE(Listed(*main_, sprite)) << "a path without the die flag keeps the sprite";
}

TEST_F(Screen, MultiPointPathsAndDyingAtTheEnd) {
  auto* sprite = new RecordingSprite();
  sprite->Waypoints.push_back(Waypoint{30, 40, 0, 0.5, false});
  sprite->Waypoints.push_back(Waypoint{30, 0, 0, 0.5, false});
  auto* slow = new RecordingSprite();
  slow->Waypoints.push_back(Waypoint{300, 400, 0, 0.001, false});
  bool destroyed = false;
  auto* dying = new RecordingSprite(&destroyed);
  dying->Waypoints.push_back(Waypoint{4, 0, 0, 0.01, true});
  main_->AddSprite(sprite);
  main_->AddSprite(slow);
  main_->AddSprite(dying);
  main_->Update(30, 30);
  EXPECT_EQ(main_->log, (std::vector<std::string>{"waypoint 30", "end 4"}));
  EXPECT_EQ(sprite->waypoints, 1);
  EXPECT_EQ(std::make_pair(sprite->x, sprite->y), std::make_pair(30.0, 40.0));
  // Speed 0.001 along a 3:4 slope: 0.0006 screen widths across, 0.0008 heights down.
  EXPECT_NEAR(slow->x, 0.0006 * 800, 1e-9);
  EXPECT_NEAR(slow->y, 0.0008 * 600, 1e-9);
  EXPECT_TRUE(main_->endStillListed) << "the hook sees the dying sprite still on screen";
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(Listed(*main_, dying));
  main_->Update(30, 30);
  EXPECT_EQ(sprite->y, 0.0);
  EXPECT_EQ(sprite->pathEnds, 1);
}

TEST_F(Screen, LongFramesAreCappedButLifeTimeCountsRawMilliseconds) {
  bool destroyed = false;
  auto* sprite = new RecordingSprite(&destroyed);
  sprite->Vx = sprite->Vy = 0.01;
  sprite->Vz = 2;
  sprite->TimeDie = 300;
  sprite->SetSize(8, 4);
  sprite->LastRect = ClipRect{10, 10, 8, 4};
  main_->AddSprite(sprite);
  main_->Update(200, 200);
  EXPECT_DOUBLE_EQ(sprite->x, 40.0) << "moved as for 150 ms";
  EXPECT_DOUBLE_EQ(sprite->y, 30.0);
  EXPECT_DOUBLE_EQ(sprite->z, 10.0);
  EXPECT_EQ(sprite->TimeDie, 100);
  sprite->Vx = sprite->Vy = sprite->Vz = 0;
  main_->Update(200, 200);
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(main_->Sprites.empty());
  EXPECT_EQ(main_->DirtyRects, (Rects{{10, 10, 48, 34}})) << "old and last place";
}

TEST_F(Screen, DialogTravelsAsASpriteAndClosingUncoversTheScreenBelow) {
  main_->NeedSort = false;
  dialog_->Show(&TopScreen());
  EXPECT_EQ(TopScreen(), dialog_);
  EXPECT_EQ(dialog_->Parent, main_);
  EXPECT_EQ(dialog_->Target, nullptr);
  LClip* carrier = dialog_->ScreenSprite;
  ASSERT_NE(carrier, nullptr);
  EXPECT_TRUE(Listed(*main_, carrier));
  EXPECT_TRUE(main_->NeedSort);
  EXPECT_EQ(std::vector<double>({carrier->x, carrier->y, carrier->z}),
            std::vector<double>({100, 50, -1000001}));
  EXPECT_EQ(std::make_pair(carrier->FrameW, carrier->FrameH), std::make_pair(300, 200));

  std::vector<LEngine*> order;
  main_->order = dialog_->order = &order;
  carrier->Waypoints.push_back(Waypoint{100, 10, 0, 1.0, false});
  TopScreen()->Tick(30, 30);
  EXPECT_EQ(order, (std::vector<LEngine*>{dialog_, main_})) << "top first";
  EXPECT_EQ(dialog_->Y, 50) << "so the dialog follows its carrier one tick later";
  TopScreen()->Tick(30, 30);
  EXPECT_EQ(Point(dialog_->X, dialog_->Y), Point(100, 10));

  dialog_->Close(3);
  EXPECT_EQ(TopScreen(), main_);
  EXPECT_EQ(main_->closedChild, dialog_);
  EXPECT_EQ(main_->closedCode, 3);
  EXPECT_FALSE(Listed(*main_, carrier));
  EXPECT_EQ(dialog_->Background, nullptr) << "released: the dialog keeps no background";
  main_->Close(-1);
  EXPECT_EQ(TopScreen(), nullptr);
  EXPECT_NE(main_->Background, nullptr) << "kept on request";
  main_->Show(nullptr);
  EXPECT_EQ(TopScreen(), nullptr) << "no slot, nothing shown";
}

TEST_F(Screen, ShowingAgainAndStackingDeeper) {
  dialog_->Show(&TopScreen());
  dialog_->Close(-2);
  dialog_->SetRect(120, 60, 300, 200);
  EXPECT_NE(dialog_->Background, nullptr);
  dialog_->Show(&TopScreen());
  ASSERT_NE(dialog_->ScreenSprite, nullptr);
  EXPECT_EQ(dialog_->ScreenSprite->x, 120);
  dialog_->SetRect(140, 70, 300, 200);
  EXPECT_EQ(dialog_->ScreenSprite->x, 140) << "the carrier follows the screen";

  LClip* carrier = dialog_->ScreenSprite;
  dialog_->Show(&TopScreen());
  EXPECT_EQ(dialog_->Parent, main_) << "showing the top screen again keeps it over its parent";
  EXPECT_EQ(dialog_->ScreenSprite, carrier);
  EXPECT_EQ(main_->Sprites, std::vector<LClip*>{carrier});

  RecordingScreen inner(display_, 0, 0, 50, 40, true);
  inner.Show(&TopScreen());
  EXPECT_TRUE(Listed(*main_, inner.ScreenSprite)) << "carried by the bottom screen";
  EXPECT_EQ(inner.ScreenSprite->z, -1000001) << "the depth of its parent's parent, minus 1";
  inner.Close(5);
  EXPECT_EQ(TopScreen(), dialog_);
  EXPECT_EQ(dialog_->closedCode, 5);
  EXPECT_EQ(main_->Sprites, std::vector<LClip*>{carrier});
  dialog_->Close(0);
  EXPECT_EQ(TopScreen(), main_);
}

TEST_F(Screen, ControlsReceiveInputInTheScreensCoordinates) {
  dialog_->Show(&TopScreen());
  auto* control = new RecordingControl();
  auto* hidden = new RecordingControl();
  hidden->Visible = false;
  control->TakesKeys = true;
  dialog_->AddControl(control);
  dialog_->AddControl(hidden);

  EXPECT_EQ(dialog_->OnMouseMove(145, 85), control);
  EXPECT_EQ(control->moves.back(), Point(45, 35));
  EXPECT_EQ(dialog_->OnLeftDown(150, 85), control);
  EXPECT_TRUE(dialog_->MouseDown);
  EXPECT_FALSE(hidden->Pressed);
  EXPECT_EQ(dialog_->OnLeftUp(151, 86), control);
  EXPECT_FALSE(dialog_->MouseDown);
  EXPECT_EQ(dialog_->clicked, control);

  dialog_->clicked = nullptr;
  dialog_->OnLeftDown(10, 10);
  EXPECT_EQ(dialog_->OnLeftUp(150, 85), nullptr) << "a click must begin on the control";
  EXPECT_EQ(dialog_->clicked, nullptr);

  // The top screen's hover step reads the mouse, which rests at (0, 0).
  control->moves.clear();
  dialog_->Update(20, 20);
  EXPECT_EQ(control->moves, std::vector<Point>{Point(-100, -50)});
  EXPECT_TRUE(hidden->moves.empty());

  EXPECT_EQ(dialog_->OnKeyDown(SDLK_a, 0), 0);
  EXPECT_EQ(control->keys, std::vector<int32_t>{SDLK_a});
  EXPECT_TRUE(hidden->keys.empty()) << "only controls that take keys";
}

TEST_F(Screen, EqualDepthKeepsInsertionOrderAndLowerDepthIsInFront) {
  LClip* red = ColourSprite(20, 20, 10, 10, 0, 255, 0, 0);
  LClip* blue = ColourSprite(20, 20, 20, 20, 0, 0, 0, 255);
  LClip* white = ColourSprite(20, 20, 15, 15, 5, 255, 255, 255);
  main_->AddSprite(red);
  main_->AddSprite(blue);
  main_->AddSprite(white);
  EXPECT_EQ(main_->Render(), (Rects{{0, 0, 800, 600}}));
  EXPECT_EQ(main_->Sprites, (std::vector<LClip*>{white, red, blue}));
  EXPECT_EQ(Rgb(display_, 25, 25), kBlue) << "the later of equal depth is on top";
  EXPECT_EQ(Rgb(display_, 15, 15), kRed) << "the deeper white one is behind";
  EXPECT_EQ(Rgb(display_, 33, 16), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(Rgb(display_, 5, 5), kGreen);
}

TEST_F(Screen, OnlyChangedAreasAreRedrawn) {
  LClip* sprite = ColourSprite(10, 10, 100.7, 100, 0, 255, 0, 0);
  main_->AddSprite(sprite);
  main_->Render();
  main_->Render();  // a full redraw leaves sprites to the next changed-areas pass
  main_->DirtyRects.clear();
  main_->Render();
  EXPECT_TRUE(main_->DirtyRects.empty()) << "a still sprite adds nothing";
  sprite->x = 104;
  sprite->y = 98;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, (Rects{{100, 98, 114, 110}})) << "overlapping places: the union";
  EXPECT_EQ(Rgb(display_, 101, 105), kGreen) << "the old place shows the background again";
  EXPECT_EQ(Rgb(display_, 113, 99), kRed);
  main_->DirtyRects.clear();
  sprite->x = 300;
  sprite->AlignX = 5;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, (Rects{{104, 98, 114, 108}, {295, 98, 305, 108}}))
      << "apart: two rectangles; the anchor shifts the frame";
  main_->DirtyRects.clear();
  sprite->SetVisible(false);
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, (Rects{{295, 98, 305, 108}}));
  EXPECT_EQ(Rgb(display_, 300, 100), kGreen);
}

TEST_F(Screen, MergingLooksAtEachEntryOnce) {
  main_->DirtyRects = {{0, 0, 10, 10}, {5, 20, 15, 30}};
  main_->MergeDirty({12, 5, 20, 25});
  EXPECT_EQ(main_->DirtyRects, (Rects{{0, 0, 10, 10}, {5, 5, 20, 30}}))
      << "an entry passed before the rectangle grew stays";
  main_->MergeDirty({8, 8, 8, 9});
  EXPECT_EQ(main_->DirtyRects.size(), 2u) << "an empty rectangle is not added";
  main_->MergeDirty({790, 590, 850, 650});
  EXPECT_EQ(main_->DirtyRects.back(), (DirtyRect{790, 590, 800, 600})) << "kept on the picture";
}

TEST_F(Screen, RedrawModesAndStamping) {
  LClip* sprite = ColourSprite(10, 10, 50, 50, 0, 255, 0, 0);
  main_->AddSprite(sprite);
  main_->RedrawMode = 0;
  main_->Render();
  main_->DirtyRects.clear();
  sprite->x = 70;
  main_->Render();
  EXPECT_TRUE(main_->DirtyRects.empty()) << "mode 0 waits for a full redraw";
  EXPECT_EQ(Rgb(display_, 75, 55), kGreen);
  main_->RedrawMode = 1;
  EXPECT_EQ(main_->Render(), (Rects{{0, 0, 800, 600}}));
  EXPECT_EQ(Rgb(display_, 75, 55), kRed);

  main_->RedrawMode = 2;
  main_->Render();
  main_->StampSprite(ColourSprite(4, 4, 20, 30, 0, 0, 0, 255));
  main_->StampSprite(sprite);
  EXPECT_TRUE(main_->Sprites.empty()) << "a stamped sprite leaves the list";
  EXPECT_EQ(Rgb(main_->Background, 21, 31), kBlue);
  main_->Render();
  EXPECT_EQ(Rgb(display_, 23, 33), kBlue);
  EXPECT_EQ(Rgb(display_, 75, 55), kRed) << "now part of the background";
}

// A 20 x 20 picture loaded from a file: a blue 6 x 6 square at (7, 7), clear around it.
LClip* SquareSprite(double x, double y, double z) {
  cliptest::WriteTga("square.tga", 20, 20, [](int px, int py) {
    const bool inside = px >= 7 && px < 13 && py >= 7 && py < 13;
    return inside ? cliptest::Solid(0, 0, 255) : cliptest::Rgba{0, 0, 0, 0};
  });
  auto* sprite = new LClip();
  EXPECT_TRUE(sprite->LoadFromFile("square.tga", "", 1));
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  return sprite;
}

TEST_F(Screen, TheSettledLayerKeepsThePictureAndOnlyWhatShowsIsRedrawn) {
  main_->KeepSettledLayer(1);
  LClip* track = ColourSprite(40, 10, 100, 100, 5, 255, 0, 0);  // in the layer
  LClip* car = SquareSprite(100, 95, -5);
  main_->AddSprite(track);
  main_->AddSprite(car);
  main_->RequestSort();
  main_->Render();
  main_->Render();
  main_->DirtyRects.clear();
  car->x = 120;
  main_->Render();
  EXPECT_EQ(main_->DirtyRects, (Rects{{107, 102, 113, 108}, {127, 102, 133, 108}}))
      << "only the square's old and new place, apart";
  EXPECT_EQ(Rgb(display_, 110, 103), kRed) << "the track shows again";
  EXPECT_EQ(Rgb(display_, 130, 103), kBlue);

  main_->RemoveSprite(track, true);
  car->x = 101;
  main_->Render();
  EXPECT_EQ(Rgb(display_, 135, 105), kGreen) << "the removed track leaves the layer";
  EXPECT_EQ(Rgb(display_, 110, 103), kBlue);
  EXPECT_EQ(Rgb(display_, 107, 103), kGreen);

  LEngine::SettledLayersOn() = false;
  main_->DirtyRects.clear();
  car->x = 150;
  main_->Render();
  LEngine::SettledLayersOn() = true;
  EXPECT_EQ(main_->DirtyRects, (Rects{{101, 95, 121, 115}, {150, 95, 170, 115}}))
      << "switched off: the whole frames, as before";
  EXPECT_EQ(Rgb(display_, 110, 103), kGreen);
  EXPECT_EQ(Rgb(display_, 160, 105), kBlue);
}

TEST_F(Screen, StackedScreenDrawsIntoItsCarrierAndTheBottomShowsIt) {
  LClip* mark = ColourSprite(5, 5, 10, 10, 0, 0, 0, 255);
  dialog_->AddSprite(mark);
  dialog_->Show(&TopScreen());
  EXPECT_EQ(&TopScreen()->Render(), &main_->DirtyRects);
  EXPECT_EQ(Rgb(display_, 100, 50), kRed);
  EXPECT_EQ(Rgb(display_, 111, 61), kBlue);
  EXPECT_EQ(Rgb(display_, 99, 49), kGreen);
  EXPECT_EQ(Rgb(display_, 400, 250), kGreen);

  TopScreen()->Render();
  main_->DirtyRects.clear();
  mark->x = 30;
  TopScreen()->Render();
  EXPECT_TRUE(dialog_->DirtyRects.empty()) << "only the bottom screen's areas are presented";
  EXPECT_EQ(main_->DirtyRects, (Rects{{100, 50, 400, 250}}));
  EXPECT_EQ(Rgb(display_, 111, 61), kRed);
  EXPECT_EQ(Rgb(display_, 131, 61), kBlue);

  dialog_->Close(-1);
  main_->Render();
  EXPECT_EQ(Rgb(display_, 131, 61), kGreen) << "closing uncovers the screen below";
}

}  // namespace
