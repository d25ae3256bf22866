// SPDX-License-Identifier: GPL-3.0-or-later
// The window at an integer scale: the scaler, the automatic scale, the window's size,
// mouse coordinates, dragging and the scale keys.
#include <cstring>
#include <random>

#include "app/WindowScaler.h"
#include "tests/app/FrameHarness.h"

namespace {

using platform::ButtonEvent;
using platform::KeyDownEvent;

SDL_Surface* Surface32(int w, int h) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
}

Uint32& Pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

void Noise(SDL_Surface* s, const SDL_Rect& r, std::mt19937& random) {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) Pixel(s, x, y) = random() & 0xffffff;
}

bool SamePixels(SDL_Surface* a, SDL_Surface* b) {
  for (int y = 0; y < a->h; ++y)
    if (std::memcmp(&Pixel(a, 0, y), &Pixel(b, 0, y), static_cast<size_t>(a->w) * 4) != 0)
      return false;
  return true;
}

// A frame scaled rectangle by rectangle over the last one shows the same window as the
// whole frame scaled at once, at the canvas edges and where rectangles touch too.
TEST(WindowScaler, ChangedRectanglesMatchTheWholeFrameScaled) {
  constexpr int kW = 96, kH = 64;
  const std::vector<SDL_Rect> changed = {
      {0, 0, 7, 5}, {7, 0, 9, 5}, {40, 30, 1, 1}, {kW - 11, kH - 9, 11, 9}, {20, 50, 30, 14}};
  for (bool smooth : {false, true}) {
    for (int scale : {2, 3}) {
      SCOPED_TRACE(std::string(smooth ? "smooth" : "doubling") + " at " + std::to_string(scale));
      SDL_Surface* window = Surface32(kW * scale, kH * scale);
      SDL_Surface* whole = Surface32(kW * scale, kH * scale);
      WindowScaler byRects(window, kW, kH, scale, smooth);
      WindowScaler atOnce(whole, kW, kH, scale, smooth);
      ASSERT_NE(byRects.Canvas(), nullptr);
      std::mt19937 random(scale);
      Noise(byRects.Canvas(), {0, 0, kW, kH}, random);
      byRects.ScaleAll();
      for (const SDL_Rect& r : changed) Noise(byRects.Canvas(), r, random);
      const std::vector<SDL_Rect> shown = byRects.ScaleRects(changed);
      ASSERT_EQ(shown.size(), changed.size());
      EXPECT_EQ(shown[2].x, (smooth ? 39 : 40) * scale) << "smooth shades the neighbours too";
      SDL_BlitSurface(byRects.Canvas(), nullptr, atOnce.Canvas(), nullptr);
      atOnce.ScaleAll();
      EXPECT_TRUE(SamePixels(window, whole));
      SDL_FreeSurface(window);
      SDL_FreeSurface(whole);
    }
  }
}

TEST(WindowScaler, DoublingRepeatsPixelsAndSmoothKeepsFlatAreasAndBlendsEdges) {
  SDL_Surface* window = Surface32(16, 8);
  SDL_Surface* smoothWindow = Surface32(16, 8);
  WindowScaler doubling(window, 8, 4, 2, false);
  WindowScaler smooth(smoothWindow, 8, 4, 2, true);
  // Left half black, right half white.
  for (WindowScaler* s : {&doubling, &smooth})
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) Pixel(s->Canvas(), x, y) = x < 4 ? 0 : 0xffffff;
  doubling.ScaleAll();
  smooth.ScaleAll();
  EXPECT_EQ(Pixel(window, 7, 3), 0u);
  EXPECT_EQ(Pixel(window, 8, 3), 0xffffffu);
  EXPECT_EQ(Pixel(smoothWindow, 0, 0), 0u);
  EXPECT_EQ(Pixel(smoothWindow, 15, 7), 0xffffffu);
  // A quarter of the way to the other side: 0x40 and 0xbf per channel.
  EXPECT_EQ(Pixel(smoothWindow, 7, 5), 0x404040u);
  EXPECT_EQ(Pixel(smoothWindow, 8, 5), 0xbfbfbfu);
  SDL_FreeSurface(window);
  SDL_FreeSurface(smoothWindow);
}

TEST(AutomaticScale, TheLargestWindowInNinetyPercentOfTheDesktop) {
  EXPECT_EQ(AutomaticScale(1024, 768), 1);
  EXPECT_EQ(AutomaticScale(1920, 1080), 1);
  EXPECT_EQ(AutomaticScale(2560, 1440), 2);
  EXPECT_EQ(AutomaticScale(3840, 2160), 3);
  EXPECT_EQ(AutomaticScale(7680, 4320), 4);
  EXPECT_EQ(AutomaticScale(0, 0), 1) << "an unknown desktop";
}

TEST_F(FrameTest, AtScaleTwoTheWindowIsTwiceAsLargeAndFullScreenStaysAsItWas) {
  desktop_.width = 2560;
  desktop_.height = 1440;
  Started(false);  // the automatic scale
  ASSERT_NE(frame_->Window(), nullptr);
  EXPECT_EQ(frame_->Window()->w, 1600);
  EXPECT_EQ(frame_->Window()->h, 1200);
  EXPECT_EQ(frame_->Display()->w, 800) << "the screens draw at 800x600";
  EXPECT_EQ(content_.intro->Target, frame_->Display());
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 480);
  EXPECT_EQ(desktop_.moves[0].y, 120);
  EXPECT_EQ(desktop_.moves[0].width, 1600);
  EXPECT_EQ(desktop_.moves[0].height, 1200);

  events_.Push(ButtonEvent(true, SDL_BUTTON_RIGHT, 301, 81));
  events_.Push(platform::MotionEvent(1599, 1199));
  StepPass();
  EXPECT_EQ(content_.intro->calls[content_.intro->calls.size() - 2], "rdown 150 40");
  EXPECT_EQ(content_.intro->calls.back(), "move 799 599");

  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_EQ(frame_->Window()->w, 800);
  EXPECT_EQ(frame_->Display(), frame_->Window());
  EXPECT_EQ(video_.modes.back().bpp, 16);
  events_.Push(KeyDownEvent(SDLK_F4));
  StepPass();
  EXPECT_EQ(frame_->Window()->w, 1600);
  EXPECT_EQ(content_.intro->Target, frame_->Display());
}

TEST_F(FrameTest, DraggingAtScaleTwoFollowsTheCursorAndTheCornerIsSaved) {
  desktop_.width = 2560;
  desktop_.height = 1440;
  Globals().WindowScale = 2;
  Globals().MainWindowPosX = 100;
  Globals().MainWindowPosY = 50;
  desktop_.cursorX = 500;
  desktop_.cursorY = 100;
  Started(false);
  desktop_.moves.clear();
  // Window row 80 is picture row 40, below the drag zone; row 79 is inside it.
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 400, 80));
  StepPass();
  EXPECT_FALSE(frame_->Dragging());
  events_.Push(ButtonEvent(false, SDL_BUTTON_LEFT, 400, 80));
  events_.Push(ButtonEvent(true, SDL_BUTTON_LEFT, 400, 79));
  StepPass();
  ASSERT_TRUE(frame_->Dragging());
  desktop_.cursorX = 530;
  desktop_.cursorY = 90;
  for (int i = 0; i < 6 && desktop_.moves.empty(); ++i) StepPass();
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 130);
  EXPECT_EQ(desktop_.moves[0].y, 40);
  EXPECT_EQ(desktop_.moves[0].width, 1600);
  events_.Push(ButtonEvent(false, SDL_BUTTON_LEFT, 400, 60));
  StepPass();
  frame_->ShutDown();
  const auto saved = SavedSettings();
  EXPECT_EQ(Value(saved, "Globals.Globals.MainWindowPosX"), "130");
  EXPECT_EQ(Value(saved, "Globals.Globals.MainWindowPosY"), "40");
}

// The tester's desktop: scale 3 (2400x1800) would not fit 2560x1440. A refused step
// leaves the window as it was and says so on the main window's message line; every new
// size is centred, and saved.
TEST_F(FrameTest, CtrlPlusAndMinusStepTheScaleWithinTheDesktopAndCentreTheWindow) {
  desktop_.width = 2560;
  desktop_.height = 1440;
  Globals().MainWindowPosX = 200;
  Globals().MainWindowPosY = 100;
  Started(false);
  content_.intro->Close(0);
  StepPass();
  ASSERT_NE(content_.mainWindow, nullptr);
  ASSERT_EQ(frame_->Scale(), 2) << "automatic";
  const auto press = [&](SDLKey key, SDLMod mod) {
    events_.Push(KeyDownEvent(key, mod));
    StepPass();
    return frame_->Scale();
  };
  const size_t modes = video_.modes.size(), moves = desktop_.moves.size();
  EXPECT_EQ(press(SDLK_EQUALS, KMOD_LCTRL), 2);
  EXPECT_EQ(press(SDLK_KP_PLUS, KMOD_NONE), 2);
  EXPECT_EQ(video_.modes.size(), modes) << "no larger window";
  EXPECT_EQ(desktop_.moves.size(), moves) << "nor moved";
  EXPECT_EQ(content_.told, (std::vector<std::string>{kWouldNotFit, kWouldNotFit}));
  EXPECT_EQ(content_.mainWindow->calls.back(), "kdown " + std::to_string(SDLK_KP_PLUS) + " 0")
      << "the key goes on to the screen";
  EXPECT_EQ(press(SDLK_PLUS, KMOD_NONE), 2) << "plus alone is the screen's";

  EXPECT_EQ(press(SDLK_MINUS, KMOD_RCTRL), 1);
  EXPECT_EQ(frame_->Display(), frame_->Window());
  EXPECT_EQ(Value(SavedSettings(), "Globals.Globals.WindowScale"), "1");
  ASSERT_FALSE(desktop_.moves.empty());
  EXPECT_EQ(desktop_.moves.back().x, 880) << "centred";
  EXPECT_EQ(desktop_.moves.back().y, 420);
  EXPECT_EQ(press(SDLK_KP_MINUS, KMOD_NONE), 1);
  EXPECT_EQ(press(SDLK_PLUS, static_cast<SDLMod>(KMOD_LCTRL | KMOD_LSHIFT)), 2);
  EXPECT_EQ(desktop_.moves.back().x, 480);
  EXPECT_EQ(desktop_.moves.back().y, 120);
  EXPECT_EQ(desktop_.moves.back().width, 1600);
  EXPECT_EQ(content_.mainWindow->Target, frame_->Display());
  EXPECT_EQ(content_.told.size(), 2u);
  frame_->ShutDown();
  const auto saved = SavedSettings();
  EXPECT_EQ(Value(saved, "Globals.Globals.WindowScale"), "2");
  EXPECT_EQ(Value(saved, "Globals.Globals.MainWindowPosX"), "480");
  EXPECT_EQ(Value(saved, "Globals.Globals.MainWindowPosY"), "120");

  // On a desktop of 8K, the largest scale is 4.
  frame_.reset();
  std::filesystem::remove("save/globals.sav");
  desktop_.width = 7680;
  desktop_.height = 4320;
  Globals() = Settings{};
  Started(false);
  EXPECT_EQ(frame_->Scale(), 4);
  EXPECT_EQ(press(SDLK_EQUALS, KMOD_LCTRL), 4);
}

// A scale stored on a larger monitor gives way to the largest that fits this one, with
// a log line; that one is stored, and the window centred.
TEST_F(FrameTest, AStoredScaleThatDoesNotFitFallsBackToTheLargestThatFits) {
  desktop_.width = 2560;
  desktop_.height = 1440;
  Globals().WindowScale = 4;
  Globals().MainWindowPosX = 10;
  Globals().MainWindowPosY = 10;
  testing::internal::CaptureStderr();
  Started(false);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("scale 4 would not fit the desktop of 2560x1440; scale 2"), std::string::npos)
      << log;
  EXPECT_EQ(frame_->Scale(), 2);
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 480);
  EXPECT_EQ(desktop_.moves[0].y, 120);
  EXPECT_EQ(desktop_.moves[0].width, 1600);
  frame_->ShutDown();
  EXPECT_EQ(Value(SavedSettings(), "Globals.Globals.WindowScale"), "2");

  // Nothing fits but the picture's own size.
  frame_.reset();
  std::filesystem::remove("save/globals.sav");
  desktop_.width = 1024;
  desktop_.height = 768;
  Globals() = Settings{};
  Globals().WindowScale = 2;
  Started(false);
  EXPECT_EQ(frame_->Scale(), 1);
  EXPECT_EQ(Globals().WindowScale, 1);

  // A scale given on the command line makes a window of another size than the one whose
  // corner was stored (here on a smaller desktop): it is centred.
  frame_.reset();
  desktop_.width = 2560;
  desktop_.height = 1440;
  desktop_.moves.clear();
  Globals() = Settings{};
  Globals().Version = "2.1 test\n";  // the test folder's version text
  Globals().FullScreen = false;
  Globals().MainWindowPosX = 240;
  Globals().MainWindowPosY = 212;
  ASSERT_TRUE(SaveSettingsFile(Params(), Globals()));
  Globals() = Settings{};
  StartOptions options;
  options.windowScale = 2;
  clock_.Set(1000);
  frame_ = std::make_unique<Frame>(
      FrameParts{clock_, events_, desktop_, video_, content_, dir_, options});
  ASSERT_EQ(frame_->StartUp(), -1);
  ASSERT_EQ(desktop_.moves.size(), 1u);
  EXPECT_EQ(desktop_.moves[0].x, 480);
  EXPECT_EQ(desktop_.moves[0].y, 120);
}

}  // namespace
