// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/ClipTable.h"
#include "engine/LEngine.h"
#include "screens/ScreenSprites.h"
#include "sprites/ClipLib.h"
#include "tests/sprites/SpriteTestSupport.h"

using namespace spritetest;

// A field picture that cannot be loaded gives the field a stand-in that follows what it
// is told and is never drawn: the field holds no null sprite while the program ends.
TEST(ScreenSprites, AMissingPictureGivesAStandInThatIsNeverDrawn) {
  const std::string empty = MakeTempDir();
  ScopedCwd inEmpty(empty);
  LEngine screen(Display(), 0, 0, 800, 600, false);
  {
    ScreenSprites sprites(&screen);
    testing::internal::CaptureStderr();
    FieldSprite* signal = sprites.Create(clip::Semaphore, false);
    testing::internal::GetCapturedStderr();
    ASSERT_NE(signal, nullptr);
    EXPECT_TRUE(ClipLib::PictureMissing());
    EXPECT_EQ(signal->Clip(), clip::Semaphore);
    signal->SetPos(300, 200);
    EXPECT_EQ(signal->X(), 300);
    EXPECT_TRUE(screen.Sprites.empty());
    sprites.Remove(signal);
    sprites.Create(clip::Switches, false);  // left to the destructor
  }
  ClipLib::Shutdown();
}
