// SPDX-License-Identifier: GPL-3.0-or-later
// The volume slider and the options dialog: values in and out, dragging, clicks on
// the track, the music heard while the dialog is open, and how it closes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ClipTable.h"
#include "screens/GWndOptions.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

namespace {

// The library pictures with a slider track 160 pixels long (the handle is 8 wide).
const std::string& SliderLibrary() {
  static const std::string dir = [] {
    Display();
    std::string d = MakeTempDir();
    SDL_Surface* track = MakeSurface(160, 10, false);
    SDL_FillRect(track, nullptr, 0x00304050u);
    WriteBmp(d + "/Dat/Interface/Options/slider.jpg", track);
    SDL_FreeSurface(track);
    BuildLibraryPictures(d);
    return d;
  }();
  return dir;
}

// Records the music calls; the dialog must make no others.
struct RecordingServices : ScreenServices {
  void SetMusicOn(bool on) override { calls.push_back(on ? "music on" : "music off"); }
  void SetMusicVolume(int v) override { calls.push_back("music " + std::to_string(v)); }
  void SetSoundVolume(int) override { calls.push_back("sound"); }
  void SetSoundOn(bool) override { calls.push_back("sound"); }
  void SwitchVideoMode() override { calls.push_back("video"); }
  void OpenMakerPage() override {}
  std::vector<std::string> calls;
};

struct RecordingScreen : LEngine {
  RecordingScreen() : LEngine(Display(), 0, 0, 800, 600, false) {}
  void OnChildClosed(LEngine*, int32_t code) override { codes.push_back(code); }
  std::vector<int32_t> codes;
};

constexpr int kDx = 200;  // where the dialog stands on the display
constexpr int kDy = 40;
// The music track lies at (187, 74) of the dialog; travel 160 - 8 - 5 = 147.
constexpr int kLeftEnd = 187 + 5;
constexpr int kRightEnd = kLeftEnd + 147;

struct Options : ::testing::Test {
  void SetUp() override {
    cwd = std::make_unique<ScopedCwd>(SliderLibrary());
    ASSERT_TRUE(ClipLib::Init());
    while (!ClipLib::IsComplete()) ASSERT_NE(ClipLib::LoadNext(), -1);
    font = std::make_unique<BitmapFont>(ClipLib::GetTemplate(clip::FontRed));
    parent = std::make_unique<RecordingScreen>();
    parent->Show(&slot);
    dialog = std::make_unique<GWndOptions>(Display(), kDx, kDy, 400, 520, font.get(), services);
    dialog->Show(&slot);
  }
  void TearDown() override {
    if (slot == dialog.get()) dialog->Close(-2);
    dialog.reset();
    parent.reset();
    ClipLib::Shutdown();
    cwd.reset();
  }
  void Open(int32_t sound, int32_t music, bool full, bool tips, bool soundOn, bool musicOn) {
    dialog->Exchange(sound, music, full, tips, soundOn, musicOn, true);
  }
  // A press and release at a point of the dialog.
  void Click(int rx, int ry) {
    dialog->OnMouseMove(kDx + rx, kDy + ry);
    dialog->OnLeftDown(kDx + rx, kDy + ry);
    dialog->OnLeftUp(kDx + rx, kDy + ry);
  }
  // A click just inside the top left corner of a library entry's picture.
  void ClickEntry(int entry) {
    const ClipDesc* desc = GetClipDesc(entry);
    ASSERT_NE(desc, nullptr);
    Click(desc->x + 4, desc->y + 4);
  }
  GVolume& music() { return *dialog->MusicSlider; }
  int handleLeft() { return static_cast<int>(music().Handle->x) - music().Handle->AlignX; }

  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<BitmapFont> font;
  RecordingServices services;
  std::unique_ptr<RecordingScreen> parent;
  std::unique_ptr<GWndOptions> dialog;
  LEngine* slot = nullptr;
};

}  // namespace

TEST_F(Options, SliderValuesClampAndComeBack) {
  music().SetValue(200);
  EXPECT_EQ(handleLeft(), kRightEnd);
  EXPECT_EQ(music().GetValue(), 128);
  music().SetValue(-5);
  EXPECT_EQ(handleLeft(), kLeftEnd);
  EXPECT_EQ(music().Handle->y, 74 - 13);
  for (int32_t v : {0, 64, 100, 128}) {
    music().SetValue(v);
    EXPECT_EQ(music().GetValue(), v);
  }
}

TEST_F(Options, TrackClicksAndDragsMoveTheHandleWithinTheTrack) {
  music().SetValue(0);
  dialog->OnLeftDown(kDx + 300, kDy + 78);  // on the track, away from the handle
  dialog->OnLeftUp(kDx + 300, kDy + 78);
  EXPECT_EQ(handleLeft(), 300);
  EXPECT_EQ(music().GetValue(), 94);  // 108 of 147 pixels
  EXPECT_EQ(dialog->SoundSlider->GetValue(), 0);

  // Grabbed 3 pixels into the handle: it does not jump under the pointer.
  music().SetValue(0);
  dialog->OnLeftDown(kDx + kLeftEnd + 3, kDy + 65);
  EXPECT_EQ(handleLeft(), kLeftEnd);
  dialog->OnMouseMove(kDx + 700, kDy + 90);
  EXPECT_EQ(handleLeft(), kRightEnd);
  EXPECT_EQ(music().GetValue(), 128);
  dialog->OnMouseMove(kDx - 150, kDy + 65);
  EXPECT_EQ(handleLeft(), kLeftEnd);
  EXPECT_EQ(music().GetValue(), 0);
  // The release ends the drag.
  dialog->OnLeftUp(kDx, kDy + 65);
  dialog->OnMouseMove(kDx + 320, kDy + 65);
  EXPECT_EQ(music().GetValue(), 0);
}

TEST_F(Options, ExchangeTakesAndGivesTheNineValues) {
  Open(64, 128, true, false, false, true);
  bool symbols = false, actInPause = false, lockMarks = true;
  dialog->ExchangeSymbols(symbols, true);
  dialog->ExchangePlayerHelp(actInPause, lockMarks, true);
  EXPECT_TRUE(dialog->FullScreenBox->Checked);
  EXPECT_FALSE(dialog->TipsBox->Checked);
  EXPECT_FALSE(dialog->SymbolsBox->Checked);
  EXPECT_FALSE(dialog->ActInPauseBox->Checked);
  EXPECT_TRUE(dialog->LockMarksBox->Checked);
  // A click on a box toggles it.
  for (int box : {clip::OptionsCheck4, clip::OptionsCheck2, clip::OptionsCheck5,
                  clip::OptionsCheck6, clip::OptionsCheck7})
    ClickEntry(box);
  dialog->ExchangeSymbols(symbols, false);
  dialog->ExchangePlayerHelp(actInPause, lockMarks, false);
  EXPECT_TRUE(symbols);
  EXPECT_TRUE(actInPause);
  EXPECT_FALSE(lockMarks);
  int32_t sound = 0, musicVolume = 0;
  bool full = false, tips = false, soundOn = false, musicOn = false;
  dialog->Exchange(sound, musicVolume, full, tips, soundOn, musicOn, false);
  EXPECT_EQ(sound, 64);
  EXPECT_EQ(musicVolume, 128);
  EXPECT_TRUE(full);
  EXPECT_TRUE(tips);
  EXPECT_TRUE(soundOn);
  EXPECT_TRUE(musicOn);
  // The dialog itself applies nothing.
  dialog->Tick(20, 20);
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(Options, MusicChangesAreHeardAtTheNextUpdate) {
  Open(64, 64, false, true, true, true);
  dialog->Tick(20, 20);
  EXPECT_TRUE(services.calls.empty());
  ClickEntry(clip::OptionsCheck1);  // music box
  EXPECT_FALSE(dialog->MusicOnBox->Checked);
  dialog->Tick(20, 20);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"music off", "music 64"}));
  services.calls.clear();
  dialog->Tick(20, 20);
  EXPECT_TRUE(services.calls.empty());
  dialog->OnLeftDown(kDx + 187 + 158, kDy + 78);  // the track's right end
  dialog->OnLeftUp(kDx + 187 + 158, kDy + 78);
  dialog->Tick(20, 20);
  EXPECT_EQ(services.calls, (std::vector<std::string>{"music off", "music 128"}));
}

TEST_F(Options, KeysAndButtonsCloseWithTheirCodes) {
  dialog->OnKeyDown(SDLK_RETURN, 0);
  EXPECT_EQ(slot, parent.get());
  dialog->Show(&slot);
  dialog->OnKeyDown(SDLK_ESCAPE, 0);
  dialog->Show(&slot);
  ClickEntry(clip::OptionsCancel);
  dialog->Show(&slot);
  ClickEntry(clip::OptionsOk);
  EXPECT_EQ(parent->codes, (std::vector<int32_t>{-1, -2, -2, -1}));
}
