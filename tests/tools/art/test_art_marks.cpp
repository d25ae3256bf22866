// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's marks leave the switch or signal under them in sight: the selection ring
// is clear inside its rim, and the hint's highlight lets the control show through its
// middle while its frames swell and shrink.
#include <memory>

#include "ArtSupport.h"
#include "core/ClipTable.h"

using namespace arttest;

namespace {

std::unique_ptr<LClip> LoadEntry(int entry) {
  const ClipDesc* desc = GetClipDesc(entry);
  if (!desc) return nullptr;
  return Load(desc->Picture, desc->Mask, desc->iNumberFrames);
}

// The pixels of a frame with at least half coverage.
int Covered(const LClip& clip, int f) {
  int n = 0;
  for (int y = 0; y < clip.FrameH; ++y)
    for (int x = 0; x < clip.FrameW; ++x) n += PixelAt(clip, f, x, y).a >= 128;
  return n;
}

}  // namespace

TEST(ArtMarks, TheRingIsARimClearInsideCentredOnItsAnchor) {
  ASSERT_TRUE(Prepare());
  auto ring = LoadEntry(clip::SelectRing);
  ASSERT_NE(ring, nullptr);
  const ClipDesc* desc = GetClipDesc(clip::SelectRing);
  EXPECT_EQ(desc->AlignX, ring->FrameW / 2);
  EXPECT_EQ(desc->AlignY, ring->FrameH / 2);
  const int cx = desc->AlignX, cy = desc->AlignY;
  for (int d = 0; d <= 8; ++d) EXPECT_LT(PixelAt(*ring, 0, cx + d, cy).a, 128) << d;
  EXPECT_GE(PixelAt(*ring, 0, cx + 13, cy).a, 200);  // the rim
  EXPECT_GE(PixelAt(*ring, 0, cx - 13, cy).a, 200);
}

TEST(ArtMarks, TheHighlightShowsTheControlThroughItsMiddleAndBreathes) {
  ASSERT_TRUE(Prepare());
  auto mark = LoadEntry(clip::HintMark);
  ASSERT_NE(mark, nullptr);
  const ClipDesc* desc = GetClipDesc(clip::HintMark);
  ASSERT_GE(desc->iNumberFrames, 3);
  EXPECT_EQ(desc->AlignX, mark->FrameW / 2);
  EXPECT_EQ(desc->AlignY, mark->FrameH / 2);
  for (int f = 0; f < desc->iNumberFrames; ++f)
    EXPECT_LT(PixelAt(*mark, f, desc->AlignX, desc->AlignY).a, 160) << "frame " << f;
  EXPECT_NE(Covered(*mark, 0), Covered(*mark, 1));
  EXPECT_NE(Covered(*mark, 1), Covered(*mark, 2));
}
