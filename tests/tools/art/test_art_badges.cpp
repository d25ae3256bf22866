// SPDX-License-Identifier: GPL-3.0-or-later
// The colour badges tell every colour, and the badge of a train bound for any town, apart
// by outline alone: any two shapes differ in at least a fifth of the pixels they cover.
#include <algorithm>
#include <vector>

#include "ArtSupport.h"
#include "core/ClipTable.h"
#include "railway/Colours.h"

using namespace arttest;

namespace {

std::vector<bool> Mask(const LClip& clip, int f) {
  std::vector<bool> mask;
  for (int y = 0; y < clip.FrameH; ++y)
    for (int x = 0; x < clip.FrameW; ++x) mask.push_back(PixelAt(clip, f, x, y).a >= 128);
  return mask;
}

}  // namespace

TEST(ArtBadges, EveryShapeDiffersFromEveryOtherByAFifthOfItsPixels) {
  ASSERT_TRUE(Prepare());
  const ClipDesc* desc = GetClipDesc(clip::ColourBadge);
  ASSERT_NE(desc, nullptr);
  ASSERT_GT(desc->iNumberFrames, rail::kColourCount);
  ASSERT_LT(clip::kBadgeAnywhereFrame, desc->iNumberFrames);
  auto clip = Load(desc->Picture, desc->Mask, desc->iNumberFrames);
  ASSERT_NE(clip, nullptr);
  // Small enough to ride over a locomotive, large enough to read.
  EXPECT_LE(std::max(clip->FrameW, clip->FrameH), 16);
  std::vector<std::vector<bool>> masks;
  for (int f = 0; f < desc->iNumberFrames; ++f) {
    masks.push_back(Mask(*clip, f));
    EXPECT_GE(std::count(masks[f].begin(), masks[f].end(), true), 40) << "frame " << f;
  }
  for (size_t a = 0; a < masks.size(); ++a) {
    for (size_t b = a + 1; b < masks.size(); ++b) {
      int either = 0, one = 0;
      for (size_t k = 0; k < masks[a].size(); ++k) {
        either += masks[a][k] || masks[b][k];
        one += masks[a][k] != masks[b][k];
      }
      EXPECT_GE(one * 5, either) << "frames " << a << " and " << b << " differ in " << one << " of "
                                 << either << " pixels";
    }
  }
}
