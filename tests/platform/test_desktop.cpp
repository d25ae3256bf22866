// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Process.h"
#include "platform/Window.h"

namespace {

// The suite runs with the dummy video driver: the desktop services must report
// that nothing is there and must not block or start anything.
class HeadlessDesktop : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(800, 600, 0, SDL_SWSURFACE | SDL_NOFRAME), nullptr);
  }
  void TearDown() override { SDL_Quit(); }
};

TEST_F(HeadlessDesktop, NoWindowSystemMeansNoAnswers) {
  ASSERT_TRUE(platform::IsDummyVideo());
  int32_t w = -7, h = -7, x = -7, y = -7;
  EXPECT_FALSE(platform::DesktopSize(w, h));
  EXPECT_FALSE(platform::CursorPosition(x, y));
  EXPECT_EQ(w, -7);
  EXPECT_EQ(x, -7);
  EXPECT_FALSE(platform::FindOwnWindow());
  EXPECT_FALSE(platform::MoveOwnWindow(10, 10, 800, 600));
}

TEST_F(HeadlessDesktop, ErrorBoxWritesOneLineAndReturns) {
  testing::internal::CaptureStderr();
  platform::ShowErrorBox("Ostrel Trains", "Error loading file Dat/x.gif. Please reinstall.\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Ostrel Trains: Error loading file Dat/x.gif. Please reinstall.\n");
}

TEST_F(HeadlessDesktop, NoBrowserIsStarted) {
  EXPECT_FALSE(platform::OpenWebPage("https://example.org/"));
}

TEST(Process, HelperProgramsRunWaitedOrDetached) {
  EXPECT_EQ(platform::RunAndWait({"true"}), 0);
  EXPECT_EQ(platform::RunAndWait({"sh", "-c", "exit 3"}), 3);
  EXPECT_EQ(platform::RunAndWait({"ot-no-such-program"}), 127);
  EXPECT_EQ(platform::RunAndWait({}), -1);
  EXPECT_TRUE(platform::ProgramInPath("sh"));
  EXPECT_FALSE(platform::ProgramInPath("ot-no-such-program"));

  // The detached program leaves a mark in a private folder; it is waited for with
  // a deadline far beyond any start-up time, and how long it took is not checked.
  std::string folder = (std::filesystem::temp_directory_path() / "ot_detached_XXXXXX").string();
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string mark = folder + "/mark";
  ASSERT_TRUE(platform::StartDetached({"touch", mark}));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (::access(mark.c_str(), F_OK) != 0 && std::chrono::steady_clock::now() < deadline)
    SDL_Delay(10);
  EXPECT_EQ(::access(mark.c_str(), F_OK), 0);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
