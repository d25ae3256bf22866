// SPDX-License-Identifier: GPL-3.0-or-later
// Every railway and field picture loads through the clip loading code with the frame
// count and frame size the game expects; masked pictures have a real mask.
#include "ArtSupport.h"
#include "Entries.h"

using namespace arttest;

class ArtEntries : public ::testing::TestWithParam<Entry> {
 protected:
  void SetUp() override { ASSERT_TRUE(Prepare()); }
};

TEST_P(ArtEntries, LoadsWithItsFramesAndFrameSize) {
  const Entry& e = GetParam();
  auto clip = Load(e.picture, e.mask, e.frames);
  ASSERT_NE(clip, nullptr) << e.picture;
  EXPECT_EQ(clip->FrameCount(), e.frames);
  EXPECT_EQ(clip->FrameW, e.frameW);
  EXPECT_EQ(clip->FrameH, e.frameH);
  // The strip is an exact row of equal frames.
  EXPECT_EQ(clip->GetSurface()->w, e.frameW * e.frames);
}

TEST_P(ArtEntries, MasksAreGreyCoverageWithClearAndOpaqueParts) {
  const Entry& e = GetParam();
  auto clip = Load(e.picture, e.mask, e.frames);
  ASSERT_NE(clip, nullptr);
  if (e.mask.empty() && e.picture.find(".tga") == std::string::npos)
    GTEST_SKIP() << "opaque picture";
  // Full-screen pieces are mostly opaque, everything else stands on the field with clear
  // surroundings: each has both kinds of pixels somewhere. Shadows and the planned and
  // forbidden track are translucent by design, so "solid" means at least a quarter.
  int clear = 0, opaque = 0;
  for (int f = 0; f < e.frames; ++f)
    for (int y = 0; y < e.frameH; ++y)
      for (int x = 0; x < e.frameW; ++x) {
        int a = PixelAt(*clip, f, x, y).a;
        clear += a == 0;
        opaque += a >= 64;
      }
  EXPECT_GT(opaque, 0) << e.picture;
  if (e.index != 18 && e.index != 111 && e.index != 110) {
    EXPECT_GT(clear, 0) << e.picture;
  }
}

TEST_P(ArtEntries, EveryFrameShowsSomething) {
  const Entry& e = GetParam();
  auto clip = Load(e.picture, e.mask, e.frames);
  ASSERT_NE(clip, nullptr);
  for (int f = 0; f < e.frames; ++f) {
    int visible = 0;
    for (int y = 0; y < e.frameH; ++y)
      for (int x = 0; x < e.frameW; ++x) visible += PixelAt(*clip, f, x, y).a > 32;
    EXPECT_GT(visible, 3) << e.picture << " frame " << f;
  }
}

INSTANTIATE_TEST_SUITE_P(Library, ArtEntries, ::testing::ValuesIn(FieldEntries()),
                         [](const ::testing::TestParamInfo<Entry>& info) {
                           return "Entry" + std::to_string(info.param.index);
                         });

TEST(ArtEntriesFailures, AWrongFrameCountOrAMissingMaskIsRefused) {
  ASSERT_TRUE(Prepare());
  LClip clip;
  EXPECT_FALSE(clip.LoadFromFile("Dat/Game/track.jpg", "Dat/Game/no_such_mask.gif", 6));
  EXPECT_FALSE(clip.LoadFromFile("Dat/Game/box.jpg", "Dat/Game/box.gif", 10));  // 9 pixels wide
}
