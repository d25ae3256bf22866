// SPDX-License-Identifier: GPL-3.0-or-later
// A broken installation through the frame with the game's own content: one picture of
// the library is missing. The program ends with the status and the messages it always
// had, and saves no settings.
#include <filesystem>
#include <string>

#include "app/GameContent.h"
#include "tests/app/FrameHarness.h"
#include "tests/sprites/SpriteTestSupport.h"

namespace {

class FramePicturesTest : public FrameTest {
 protected:
  // Runs the whole program on the library pictures without the one named; its status.
  int RunWithout(const std::string& picture) {
    spritetest::BuildLibraryPictures(dir_, {picture});
    Globals().FullScreen = false;
    clock_.Set(1000);
    frame_ = std::make_unique<Frame>(FrameParts{clock_, events_, desktop_, video_, game_, dir_});
    testing::internal::CaptureStderr();
    const int status = frame_->Run();
    log_ = testing::internal::GetCapturedStderr();
    return status;
  }
  bool Logged(const std::string& text) const { return log_.find(text) != std::string::npos; }
  int Count(const std::string& text) const {
    int n = 0;
    for (size_t at = log_.find(text); at != std::string::npos; at = log_.find(text, at + 1)) ++n;
    return n;
  }

  GameContent game_;
  std::string log_;
};

// A picture the intro preloads: the clip library cannot finish, and the frame ends the
// intro's program with 1.
TEST_F(FramePicturesTest, APreloadedPictureEndsTheIntroWithOne) {
  EXPECT_EQ(RunWithout("Dat/Interface/PickGame/AddBG1.jpg"), 1);
  EXPECT_TRUE(Logged("Error loading file Dat/Interface/PickGame/AddBG1.jpg. Please reinstall."))
      << log_;
  EXPECT_TRUE(Logged("Error init ClipLib.\n")) << log_;
  EXPECT_FALSE(std::filesystem::exists("save/globals.sav"));
}

// A picture a screen asks for when it is made (the intro's background at start-up, the
// menu button when the in-game screen follows the intro) ends the program with 255, as
// exit(-1) did, after one error box.
TEST_F(FramePicturesTest, APictureAScreenAsksForEndsTheProgramWith255) {
  for (const char* picture : {"Dat/Interface/introBG.jpg", "Dat/Game/btn_menu.jpg"}) {
    EXPECT_EQ(RunWithout(picture), kMissingPictureStatus) << picture;
    EXPECT_TRUE(Logged(std::string("Error loading file ") + picture + ". Please reinstall."))
        << log_;
    EXPECT_EQ(Count("Please reinstall."), 1) << "one box only: " << log_;
    EXPECT_FALSE(Logged("Error init ClipLib.")) << log_;
    EXPECT_FALSE(std::filesystem::exists("save/globals.sav"));
    frame_.reset();
    TopScreen() = nullptr;
    SDL_Quit();
    std::filesystem::remove_all("Dat/Interface");
    std::filesystem::remove_all("Dat/Game");
  }
}

}  // namespace
