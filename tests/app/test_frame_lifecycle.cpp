// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <csignal>
#include <cstdlib>

#include "core/Files.h"
#include "platform/Signals.h"
#include "tests/app/FrameHarness.h"

namespace {

using platform::KeyDownEvent;

const SDL_Event kAltF4 = KeyDownEvent(SDLK_F4, KMOD_LALT);

TEST_F(FrameTest, AltF4ClosesTheDialogOnlyThenTheMainWindowEndsTheRun) {
  content_.withIntro = false;
  Globals().FullScreen = false;
  clock_.Set(1000);
  Frame& frame = MakeFrame();
  ASSERT_EQ(frame.StartUp(), -1);
  StepPass();
  RecordingScreen* mainWindow = content_.mainWindow;
  ASSERT_NE(mainWindow, nullptr);
  RecordingScreen dialog(nullptr, 200, 150, 400, 300);
  dialog.Show(&TopScreen());
  ASSERT_EQ(TopScreen(), &dialog);

  events_.Push(kAltF4);
  events_.Push(KeyDownEvent(SDLK_b));
  StepPass();
  EXPECT_EQ(TopScreen(), mainWindow);
  EXPECT_EQ(dialog.calls.back(), "close -2 0") << "a dialog closed by Alt+F4 is cancelled";
  EXPECT_EQ(mainWindow->closedChild, &dialog);
  EXPECT_EQ(events_.Pending(), 1u) << "events after Alt+F4 wait for the next pass";
  EXPECT_EQ(std::count(dialog.calls.begin(), dialog.calls.end(), "kdown 98 0"), 0);

  StepPass();
  EXPECT_EQ(mainWindow->calls.back(), "kdown 98 0");

  events_.Push(kAltF4);
  testing::internal::CaptureStderr();
  while (frame.LoopPass()) clock_.Advance(5);
  EXPECT_EQ(frame.ShutDown(), 0);
  const std::string log = testing::internal::GetCapturedStderr();
  const std::string rule(64, '=');
  EXPECT_NE(log.find(rule + "\nExit. Ok.\n" + rule + "\n"), std::string::npos);
  const auto saved = SavedSettings();
  ASSERT_EQ(saved.size(), 21u);
  EXPECT_EQ(saved.front().first, "Globals.ver");
  EXPECT_EQ(saved.front().second, "2.1 test\n") << "the version text is Dat/ver.txt, byte for byte";
  EXPECT_EQ(saved.back().first, "Globals.GameType");
}

TEST_F(FrameTest, AWholeRunEndsWithStatusZeroAfterTheMainWindowCloses) {
  Globals().FullScreen = false;
  clock_.Set(1000);
  events_.PushAt(1100, KeyDownEvent(SDLK_SPACE));
  events_.PushAt(1200, kAltF4);  // closes the intro
  events_.PushAt(1400, kAltF4);  // closes the main window
  testing::internal::CaptureStderr();
  EXPECT_EQ(MakeFrame().Run(), 0);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Exit. Ok.\n"), std::string::npos);
  EXPECT_EQ(log.find("Error load from file"), std::string::npos);
  EXPECT_TRUE(core::IsFile("save/globals.sav"));
  EXPECT_TRUE(core::IsFolder("savep"));
  EXPECT_TRUE(content_.soundStarted);
  EXPECT_TRUE(content_.musicStarted);
}

TEST_F(FrameTest, TheWindowManagersCloseIsACloseRequest) {
  Started(false);
  events_.Push(platform::QuitEvent());
  StepPass();
  EXPECT_EQ(content_.intro->calls.back(), "close 0 0");
}

TEST_F(FrameTest, TerminationSignalsBecomeCloseRequests) {
  platform::InstallQuitSignals();
  Started(false);
  content_.withIntro = false;
  std::raise(SIGTERM);
  StepPass();  // closes the intro
  EXPECT_EQ(content_.intro->calls.back(), "close 0 0");
  StepPass();
  ASSERT_NE(content_.mainWindow, nullptr);
  std::raise(SIGINT);
  StepPass();
  EXPECT_EQ(content_.mainWindow->calls.back(), "close 0 0");
  EXPECT_FALSE(StepPass());
}

TEST_F(FrameTest, SettingsOfTheSameVersionAreRead) {
  Settings stored;
  stored.Version = "2.1 test\n";
  stored.PlayerName = "Ann";
  stored.FullScreen = false;
  stored.GameType = 0;
  std::filesystem::create_directory("save");
  ASSERT_TRUE(SaveSettingsFile(Params(), stored));
  clock_.Set(1000);
  ASSERT_EQ(MakeFrame().StartUp(), -1);
  EXPECT_EQ(Globals().PlayerName, "Ann");
  EXPECT_EQ(Globals().GameType, 0);
  EXPECT_TRUE(video_.modes[0].flags & SDL_NOFRAME) << "the stored windowed mode is used";
}

TEST_F(FrameTest, MissingVersionTextIsLoggedAndTheDefaultKept) {
  std::filesystem::remove("Dat/ver.txt");
  Globals().FullScreen = false;
  clock_.Set(1000);
  testing::internal::CaptureStderr();
  ASSERT_EQ(MakeFrame().StartUp(), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error load from file [Dat/ver.txt]\n"),
            std::string::npos);
  EXPECT_EQ(Globals().Version, "1.0");
}

// Runs in a child process: an audio library that failed to start once may not
// start again in the same process.
TEST_F(FrameTest, WithoutAudioTheGameRunsSilently) {
  testing::FLAGS_gtest_death_test_style = "fast";
  Globals().FullScreen = false;
  clock_.Set(1000);
  EXPECT_EXIT(
      {
        ::setenv("SDL_AUDIODRIVER", "ot-no-such-driver", 1);
        const bool started = MakeFrame().StartUp() == -1;
        const bool ok = started && !frame_->AudioAvailable() && content_.soundStarted &&
                        !content_.soundAudio && frame_->Display() != nullptr && StepPass();
        std::fflush(nullptr);
        std::_Exit(ok ? 0 : 3);
      },
      testing::ExitedWithCode(0), "Warning: unable to initialize audio: ");
}

TEST_F(FrameTest, AudioIsAvailableWithTheDummyDriver) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  Started(false);
  EXPECT_TRUE(frame_->AudioAvailable());
  EXPECT_TRUE(content_.soundAudio);
}

TEST_F(FrameTest, AClipLibraryThatCannotLoadEndsWithOne) {
  content_.clipLibraryLoads = false;
  Globals().FullScreen = false;
  clock_.Set(1000);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MakeFrame().StartUp(), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Error init ClipLib.\n"),
            std::string::npos);
  EXPECT_EQ(content_.intro, nullptr);
}

}  // namespace
