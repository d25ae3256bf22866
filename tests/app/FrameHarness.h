// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame driven by a hand-set clock, scripted events, a fake desktop, a
// recording display and screens that record what they are told.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Frame.h"
#include "app/FrameContent.h"
#include "app/VideoDevice.h"
#include "core/LParams.h"
#include "engine/LEngine.h"
#include "game/Settings.h"

// A screen that records the calls the frame makes.
class RecordingScreen : public LEngine {
 public:
  struct TickCall {
    int32_t elapsed, frame;
  };
  RecordingScreen(SDL_Surface* display, int16_t x, int16_t y, uint16_t w, uint16_t h)
      : LEngine(display, x, y, w, h, false) {}

  void Tick(int32_t elapsed, int32_t frame) override {
    ticks.push_back({elapsed, frame});
    LEngine::Tick(elapsed, frame);
  }
  LControl* OnMouseMove(int32_t x, int32_t y) override { return Note("move", x, y), nullptr; }
  LControl* OnLeftDown(int32_t x, int32_t y) override { return Note("ldown", x, y), nullptr; }
  LControl* OnLeftUp(int32_t x, int32_t y) override { return Note("lup", x, y), nullptr; }
  int32_t OnRightDown(int32_t x, int32_t y) override { return Note("rdown", x, y), 0; }
  int32_t OnRightUp(int32_t x, int32_t y) override { return Note("rup", x, y), 0; }
  int32_t OnWheelDown(int32_t x, int32_t y) override { return Note("wdown", x, y), 0; }
  int32_t OnWheelUp(int32_t x, int32_t y) override { return Note("wup", x, y), 0; }
  int32_t OnKeyDown(int32_t key, int32_t mod) override { return Note("kdown", key, mod), 0; }
  int32_t OnKeyUp(int32_t key, int32_t mod) override { return Note("kup", key, mod), 0; }
  void OnActivate(bool active) override { Note("activate", active, 0); }
  void OnChildClosed(LEngine* child, int32_t code) override {
    closedChild = child;
    Note("childclosed", code, 0);
  }
  void Close(int32_t code) override {
    Note("close", code, 0);
    LEngine::Close(code);
  }

  std::vector<TickCall> ticks;
  std::vector<std::string> calls;
  LEngine* closedChild = nullptr;

 private:
  void Note(const char* what, int32_t a, int32_t b) {
    calls.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
  }
};

class TestContent : public FrameContent {
 public:
  bool LoadClipLibrary() override { return clipLibraryLoads; }
  std::unique_ptr<LEngine> CreateIntro(SDL_Surface* display) override {
    if (!withIntro) return nullptr;
    auto screen = std::make_unique<RecordingScreen>(display, 0, 0, 800, 600);
    intro = screen.get();
    return screen;
  }
  std::unique_ptr<LEngine> CreateMainWindow(SDL_Surface* display, std::function<void()>) override {
    auto screen = std::make_unique<RecordingScreen>(display, 0, 0, 800, 600);
    mainWindow = screen.get();
    return screen;
  }
  void SetMainWindowPaused(LEngine&, bool paused) override { mainPaused = paused; }
  void TellPlayer(LEngine&, const std::string& text) override { told.push_back(text); }
  void StartSoundEffects(const Settings&, bool audio) override {
    soundStarted = true;
    soundAudio = audio;
  }
  void StartMusic(const Settings&, bool) override { musicStarted = true; }
  void AdvanceMusic() override { ++musicAdvances; }
  void PauseMusic() override { ++musicPauses; }
  void ResumeMusic() override { ++musicResumes; }

  bool clipLibraryLoads = true;
  bool withIntro = true;
  RecordingScreen* intro = nullptr;
  RecordingScreen* mainWindow = nullptr;
  bool mainPaused = false;
  std::vector<std::string> told;  // the main window's messages
  bool soundStarted = false;
  bool soundAudio = false;
  bool musicStarted = false;
  int musicAdvances = 0, musicPauses = 0, musicResumes = 0;
};

// The real SDL display (dummy driver), with every call recorded and set-mode
// failures on demand.
class RecordingVideo : public SdlVideoDevice {
 public:
  struct Mode {
    int bpp;
    Uint32 flags;
  };
  SDL_Surface* SetMode(int w, int h, int bpp, Uint32 flags) override {
    modes.push_back({bpp, flags});
    if (failures > 0) {
      --failures;
      SDL_SetError("no such mode here");
      return nullptr;
    }
    SDL_Surface* surface = SdlVideoDevice::SetMode(w, h, bpp, flags);
    if (surface != nullptr && afterSetMode) afterSetMode();
    return surface;
  }
  void PresentRects(SDL_Surface* display, const std::vector<SDL_Rect>& r) override {
    rects = r;
    ++rectPresents;
    SdlVideoDevice::PresentRects(display, r);
  }
  void PresentAll(SDL_Surface* display) override {
    ++fullPresents;
    SdlVideoDevice::PresentAll(display);
  }

  std::vector<Mode> modes;
  int failures = 0;
  // Runs after each mode set, as a library that queues events of its new window.
  std::function<void()> afterSetMode;
  std::vector<SDL_Rect> rects;
  int rectPresents = 0;
  int fullPresents = 0;
};

// A fresh working folder (also the resource folder, with loose files) per test.
class FrameTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_frame_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    std::filesystem::create_directory("Dat");
    std::ofstream("Dat/ver.txt", std::ios::binary) << "2.1 test\n";
    Globals() = Settings{};
    TopScreen() = nullptr;
  }
  void TearDown() override {
    frame_.reset();
    TopScreen() = nullptr;
    SDL_Quit();
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  Frame& MakeFrame() {
    frame_ = std::make_unique<Frame>(FrameParts{clock_, events_, desktop_, video_, content_, dir_});
    return *frame_;
  }
  // Starts a frame in the given display mode; the clock stands at 1000.
  Frame& Started(bool fullScreen) {
    Globals().FullScreen = fullScreen;
    clock_.Set(1000);
    Frame& frame = MakeFrame();
    EXPECT_EQ(frame.StartUp(), -1);
    return frame;
  }
  // Runs loop passes until the clock has moved by ms (or the loop ended).
  bool RunFor(uint32_t ms) {
    const uint32_t end = clock_.Now() + ms;
    while (clock_.Now() < end) {
      if (!frame_->LoopPass()) return false;
    }
    return true;
  }
  // One pass at exactly one frame period after the last step.
  bool StepPass() {
    clock_.Advance(20);
    return frame_->LoopPass();
  }
  std::vector<std::pair<std::string, std::string>> SavedSettings() {
    LParams reader;
    if (!reader.OpenRead("save/globals.sav")) return {};
    auto entries = reader.Entries();
    reader.Close();
    return entries;
  }
  static std::string Value(const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& key) {
    for (const auto& [k, v] : entries)
      if (k == key) return v;
    return "<missing>";
  }

  std::string dir_;
  std::filesystem::path old_;
  platform::ManualClock clock_;
  platform::ScriptedEventSource events_{clock_};
  platform::FakeDesktop desktop_;
  RecordingVideo video_;
  TestContent content_;
  std::unique_ptr<Frame> frame_;
};
