// Loading pictures and masks, picture sharing, copies and saving of the sprite clip.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/LClip.h"
#include "engine/LParams.h"
#include "engine/PictureEffects.h"
#include "clip_fixture.h"

using cliptest::PixelAt;
using cliptest::Rgba;
using cliptest::Solid;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

Rgba Red(int, int) { return Solid(200, 10, 10); }

class ClipLoad : public ClipFixture {};

TEST_F(ClipLoad, FrameCountUpToThePictureWidthLoads) {
  cliptest::WriteBmp("eight.bmp", 8, 3, Red);
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("eight.bmp", "", 8));
  EXPECT_EQ(clip.FrameW, 1);
  EXPECT_EQ(clip.FrameH, 3);
  EXPECT_EQ(clip.FrameAlign.size(), 8u);
  EXPECT_EQ(clip.Picture->iNumberFrames, 8);
  EXPECT_EQ(clip.Picture->RefCount, 1);
  for (int frames : {0, 9}) {
    LClip bad;
    CaptureStderr();
    EXPECT_FALSE(bad.LoadFromFile("eight.bmp", "", frames));
    EXPECT_EQ(GetCapturedStderr(),
              "Error(LClip::LoadFromFile): iNumberFrames == 0 || iNumberFrames > PicW.\n");
    EXPECT_EQ(bad.GetSurface(), nullptr);
  }
}

TEST_F(ClipLoad, UnevenStripDropsTheLastColumns) {
  cliptest::WriteBmp("wide.bmp", 250, 5, Red);
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("wide.bmp", "", 3));
  EXPECT_EQ(clip.FrameW, 83);
  clip.SetFrame(2);
  EXPECT_EQ(clip.SrcRect.x, 166);
  EXPECT_EQ(clip.SrcRect.x + clip.SrcRect.w, 249);
}

TEST_F(ClipLoad, MissingOrDamagedPicturesFailWithTheirMessages) {
  LClip clip;
  EXPECT_FALSE(clip.LoadFromFile("", "", 1));
  CaptureStderr();
  EXPECT_FALSE(clip.LoadFromFile("Dat/none.jpg", "", 1));
  EXPECT_EQ(GetCapturedStderr(),
            "Error(LClip::LoadFromFile(Mask)):  Unable to load file: Dat/none.jpg\n");
  FILE* f = std::fopen("junk.jpg", "wb");
  std::fputs("not a picture at all", f);
  std::fclose(f);
  CaptureStderr();
  EXPECT_FALSE(clip.LoadFromFile("junk.jpg", "", 1));
  EXPECT_EQ(GetCapturedStderr(), "Error(LClip::LoadFromFile):  Unable to load file: junk.jpg\n");
  EXPECT_EQ(clip.Picture, nullptr);
}

TEST_F(ClipLoad, MaskGreyBecomesTheAlpha) {
  cliptest::WriteBmp("pic.bmp", 3, 2, Red);
  cliptest::WriteGreyMask("pic_mask.bmp", 3, 2, [](int x, int) {
    return static_cast<uint8_t>(x == 0 ? 0 : x == 1 ? 128 : 255);
  });
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("pic.bmp", "pic_mask.bmp", 1));
  SDL_Surface* s = clip.GetSurface();
  ASSERT_NE(s->format->Amask, 0u);
  EXPECT_EQ(PixelAt(s, 0, 1).a, 0);
  EXPECT_EQ(PixelAt(s, 1, 1).a, 128);
  EXPECT_EQ(PixelAt(s, 2, 1).a, 255);
  EXPECT_EQ(PixelAt(s, 2, 1).r, 200) << "the colour is kept where the mask is white";
  EXPECT_TRUE(clip.IsTransparentAt(0, 0));
  EXPECT_FALSE(clip.IsTransparentAt(1, 0));
  EXPECT_TRUE(clip.IsTransparentAt(3, 0)) << "outside the frame";
}

TEST_F(ClipLoad, BadMasksFailWithTheirMessages) {
  cliptest::WriteBmp("pic.bmp", 3, 2, Red);
  cliptest::WriteGreyMask("small.bmp", 2, 2, [](int, int) { return uint8_t{255}; });
  FILE* f = std::fopen("junk.gif", "wb");
  std::fputs("garbage", f);
  std::fclose(f);
  LClip clip;
  CaptureStderr();
  EXPECT_FALSE(clip.LoadFromFile("pic.bmp", "none.gif", 1));
  EXPECT_EQ(GetCapturedStderr(),
            "Error(LClip::LoadFromFile(Mask)):  Unable to load file mask: none.gif\n");
  CaptureStderr();
  EXPECT_FALSE(clip.LoadFromFile("pic.bmp", "junk.gif", 1));
  EXPECT_EQ(GetCapturedStderr(),
            "Error(LClip::LoadFromFile(FMaskName)):  Unable to load file: junk.gif\n");
  CaptureStderr();
  EXPECT_FALSE(clip.LoadFromFile("pic.bmp", "small.bmp", 1));
  EXPECT_EQ(GetCapturedStderr(),
            "Error(mask->w != PicW || mask->h != PicH || mask->format->BitsPerPixel != 8):"
            "  File: pic.bmp     Mask: small.bmp\n");
  EXPECT_EQ(clip.GetSurface(), nullptr);
}

TEST_F(ClipLoad, TgaKeepsItsAlpha) {
  cliptest::WriteTga("logo.tga", 2, 2, [](int x, int y) {
    return Rgba{10, 20, 30, static_cast<uint8_t>(x == 0 && y == 0 ? 0 : 200)};
  });
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("logo.tga", "", 1));
  SDL_Surface* s = clip.GetSurface();
  EXPECT_EQ(PixelAt(s, 0, 0).a, 0);
  EXPECT_EQ(PixelAt(s, 1, 0).a, 200);
  EXPECT_EQ(PixelAt(s, 1, 1).b, 30);
  EXPECT_TRUE(clip.IsTransparentAt(0, 0));
  EXPECT_FALSE(clip.IsTransparentAt(1, 1));
}

TEST_F(ClipLoad, OpaquePictureIsNeverTransparentInsideItsFrame) {
  cliptest::WriteBmp("pic.bmp", 4, 4, [](int, int) { return Solid(0, 0, 0); });
  LClip clip;
  EXPECT_FALSE(clip.IsTransparentAt(0, 0)) << "no picture";
  ASSERT_TRUE(clip.LoadFromFile("pic.bmp", "", 2));
  clip.x = 10;
  clip.y = 10;
  EXPECT_FALSE(clip.IsTransparentAt(10, 10));
  EXPECT_FALSE(clip.IsTransparentAt(11, 13));
  EXPECT_TRUE(clip.IsTransparentAt(12, 10));
  EXPECT_TRUE(clip.IsTransparentAt(9, 10));
}

TEST_F(ClipLoad, SharedPictureLivesUntilItsLastClip) {
  cliptest::WriteBmp("pic.bmp", 4, 4, Red);
  auto* first = new LClip();
  ASSERT_TRUE(first->LoadFromFile("pic.bmp", "", 2));
  first->x = 5;
  first->SetFrame(1);
  auto* second = new LClip(*first);
  EXPECT_EQ(second->Picture, first->Picture);
  EXPECT_EQ(first->Picture->RefCount, 2);
  EXPECT_EQ(second->x, 5);
  EXPECT_EQ(second->SrcRect.x, 2);
  LClip third;
  third.SharePicture(*second);
  EXPECT_EQ(third.Picture->RefCount, 3);
  delete first;
  EXPECT_EQ(second->Picture->RefCount, 2);
  EXPECT_EQ(PixelAt(second->GetSurface(), 3, 3).r, 200) << "still readable";
  delete second;
  EXPECT_EQ(third.Picture->RefCount, 1);
  EXPECT_EQ(PixelAt(third.GetSurface(), 0, 0).r, 200);
}

TEST_F(ClipLoad, BorrowedSurfaceIsNeverFreed) {
  SDL_Surface* sheet = cliptest::MakePicture(4, 4, Red);
  {
    LClip glyph;
    glyph.Picture = new ClipPicture{1, -1, sheet};
    LClip copy(glyph);
    LClip another;
    another.SharePicture(copy);
    EXPECT_EQ(copy.GetSurface(), sheet);
    EXPECT_EQ(another.GetSurface(), sheet);
    EXPECT_EQ(copy.Picture->RefCount, -1);
    EXPECT_EQ(glyph.Picture->RefCount, -1);
  }
  EXPECT_EQ(PixelAt(sheet, 1, 1).r, 200);
  SDL_FreeSurface(sheet);
}

TEST_F(ClipLoad, DeepCopyOwnsPrivatePixels) {
  cliptest::WriteBmp("pic.bmp", 6, 2, Red);
  LClip original;
  ASSERT_TRUE(original.LoadFromFile("pic.bmp", "", 3));
  original.SetFrame(2);
  original.z = -7;
  LClip copy;
  copy.Assign(original, true);
  ASSERT_NE(copy.Picture, original.Picture);
  EXPECT_EQ(copy.Picture->RefCount, 1);
  EXPECT_EQ(original.Picture->RefCount, 1);
  EXPECT_EQ(copy.Picture->iNumberFrames, 3);
  EXPECT_EQ(copy.SrcRect.x, 4);
  EXPECT_EQ(copy.z, -7);
  EXPECT_EQ(PixelAt(copy.GetSurface(), 5, 1).r, 200);
  ASSERT_TRUE(ShiftColour(copy.GetSurface(), -100, 0, 0));
  EXPECT_EQ(PixelAt(copy.GetSurface(), 5, 1).r, 100);
  EXPECT_EQ(PixelAt(original.GetSurface(), 5, 1).r, 200);
}

TEST_F(ClipLoad, StateRoundTripsThroughTheParameterStore) {
  LClip clip;
  clip.x = 12.25;
  clip.y = -3.5;
  clip.z = -1303;
  clip.Vx = 0.01;
  clip.Vy = -0.02;
  clip.Vz = 0.5;
  clip.AlignX = 7;
  clip.AlignY = -8;
  clip.TimeWait = 120;
  clip.cFrame = 3;
  clip.Visible = false;
  clip.Stop = true;
  clip.TimeDie = 900;
  clip.Period = 150;
  ASSERT_TRUE(Params().OpenWrite("clip.sav"));
  clip.Save("Field.", "Bell");
  const auto& entries = Params().Entries();
  ASSERT_EQ(entries.size(), 14u);
  EXPECT_EQ(entries.front().first, "Field.Bell.x");
  EXPECT_EQ(entries.back().first, "Field.Bell.Period");
  ASSERT_TRUE(Params().Close());

  LClip restored;
  restored.Changed = false;
  ASSERT_TRUE(Params().OpenRead("clip.sav"));
  EXPECT_TRUE(restored.Load("Field.", "Bell"));
  EXPECT_TRUE(Params().AllFound);
  Params().Close();
  EXPECT_TRUE(restored.Changed);
  EXPECT_DOUBLE_EQ(restored.x, 12.25);
  EXPECT_DOUBLE_EQ(restored.y, -3.5);
  EXPECT_DOUBLE_EQ(restored.z, -1303);
  EXPECT_DOUBLE_EQ(restored.Vx, 0.01);
  EXPECT_DOUBLE_EQ(restored.Vy, -0.02);
  EXPECT_DOUBLE_EQ(restored.Vz, 0.5);
  EXPECT_EQ(restored.AlignX, 7);
  EXPECT_EQ(restored.AlignY, -8);
  EXPECT_EQ(restored.TimeWait, 120);
  EXPECT_EQ(restored.cFrame, 3);
  EXPECT_FALSE(restored.Visible);
  EXPECT_TRUE(restored.Stop);
  EXPECT_EQ(restored.TimeDie, 900);
  EXPECT_EQ(restored.Period, 150);
}

}  // namespace
