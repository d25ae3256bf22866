// SPDX-License-Identifier: GPL-3.0-or-later
// The sprite clip: frames, animation, sequences, anchors, hit tests, picture loading,
// picture sharing and its saved state.
#include <gtest/gtest.h>

#include "clip_fixture.h"
#include "core/MemoryStore.h"
#include "engine/LClip.h"

using cliptest::PixelAt;
using cliptest::Rgba;
using cliptest::Solid;

namespace {

Rgba Red(int, int) { return Solid(200, 10, 10); }

class Clip : public ClipFixture {
 protected:
  // A strip of `frames` frames of 10 x 6 pixels.
  void LoadStrip(LClip& clip, int frames) {
    cliptest::WriteBmp("strip.bmp", 10 * frames, 6, Red);
    ASSERT_TRUE(clip.LoadFromFile("strip.bmp", "", frames));
  }
  // Loading fails, leaves no picture and logs exactly `message`.
  void ExpectLoadFails(const char* pic, const char* mask, int frames, const std::string& message) {
    LClip clip;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(clip.LoadFromFile(pic, mask, frames));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), message) << pic << " " << frames;
    EXPECT_EQ(clip.GetSurface(), nullptr);
  }
};

TEST_F(Clip, FramesAnimateAtTheirPeriodUnlessStopped) {
  LClip clip;
  LoadStrip(clip, 4);
  clip.TimeWait = 77;
  clip.SetFrame(2);
  EXPECT_EQ(clip.SrcRect.x, 20);
  EXPECT_EQ(clip.TimeWait, 0);
  for (int outside : {-1, 4}) {
    clip.SetFrame(3);
    clip.SetFrame(outside);
    EXPECT_EQ(clip.SrcRect.x, 0) << outside << " selects position 0";
  }
  clip.TimeDie = 500;
  clip.Update(150);
  clip.Update(150);
  EXPECT_EQ(clip.cFrame, 1) << "one step at 300 ms";
  EXPECT_EQ(clip.TimeWait, 0) << "the extra 100 ms dropped";
  EXPECT_EQ(clip.TimeDie, 200);
  clip.Stop = true;
  clip.Update(400);
  EXPECT_EQ(clip.cFrame, 1) << "Stop freezes the frame";
  EXPECT_EQ(clip.TimeDie, 200) << "and the life time";
  clip.Stop = false;
  for (int i = 0; i < 3; ++i) clip.Update(200);
  EXPECT_EQ(clip.cFrame, 0) << "wraps after the last frame";
  EXPECT_EQ(clip.TimeDie, 0) << "counts down to 0, never below";

  LClip still;
  LoadStrip(still, 1);
  still.Update(250);
  EXPECT_EQ(still.cFrame, 0);
  EXPECT_EQ(still.TimeWait, 0) << "a one-frame clip still resets its wait";
  EXPECT_EQ(still.TimeDie, -1) << "immortal";
}

TEST_F(Clip, SequenceDrivesTheFramesAndStopsAtAnSEntry) {
  LClip clip;
  clip.ParseSequence("6,g2,l13,m4,s7");
  std::vector<std::pair<int, int>> parsed;
  for (const SequenceEntry& e : clip.Sequence) parsed.push_back({e.code, e.value});
  EXPECT_EQ(parsed, (std::vector<std::pair<int, int>>{{0, 6}, {1, 2}, {3, 13}, {4, 4}, {2, 7}}));

  LoadStrip(clip, 4);
  clip.SetAllAlign(1, 1);
  clip.ParseSequence("1,s3,0,9");
  ASSERT_EQ(clip.FrameCount(), 4);
  clip.SetFrame(0);
  EXPECT_EQ(clip.SrcRect.x, 10);
  clip.Update(200);
  EXPECT_EQ(clip.SrcRect.x, 30);
  clip.Update(400);
  EXPECT_EQ(clip.cFrame, 1) << "stopped at the s entry";
  clip.SetFrame(3);
  EXPECT_EQ(clip.SrcRect.x, 90) << "a frame the picture lacks is harmless";
  EXPECT_EQ(clip.AlignX, 1);
}

TEST_F(Clip, AlignTextsSetTheAnchorsTheyList) {
  LClip clip;
  LoadStrip(clip, 3);
  clip.SetAllAlign(9, 8);
  clip.AlignText1 = "1,2 3,4 ";
  clip.AlignText2 = "5,6 -7,8 0,0";
  clip.ParseAlign(false);
  EXPECT_EQ(std::make_pair(clip.AlignX, clip.AlignY), std::make_pair(1, 2));
  clip.SetFrame(2);
  EXPECT_EQ(std::make_pair(clip.AlignX, clip.AlignY), std::make_pair(9, 8)) << "no pair: kept";
  clip.ParseAlign(true);
  clip.SetFrame(1);
  EXPECT_EQ(std::make_pair(clip.AlignX, clip.AlignY), std::make_pair(-7, 8));

  clip.FrameAlign.assign(2, AlignPoint{4, 4});
  clip.AlignX = 11;
  clip.ParseAlign(false);
  clip.SetFrame(0);
  EXPECT_EQ(clip.FrameAlign[0].x, 4) << "a list of the wrong length is neither read nor used";
  EXPECT_EQ(clip.AlignX, 11);

  clip.x = 100.9;  // frame drawn from (89, -2) to (99, 4): the position is truncated
  clip.y = -0.5;
  clip.AlignY = 2;
  int32_t lx = 90;
  int32_t ly = 0;
  EXPECT_TRUE(clip.ToLocal(lx, ly));
  EXPECT_EQ(std::make_pair(lx, ly), std::make_pair(1, 2));
  EXPECT_TRUE(clip.Contains(89, -2));
  EXPECT_FALSE(clip.Contains(99, 0)) << "right edge excluded";
  EXPECT_FALSE(clip.Contains(90, 4)) << "bottom edge excluded";
}

TEST_F(Clip, FrameCountMustFitThePictureWidth) {
  cliptest::WriteBmp("wide.bmp", 250, 5, Red);
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("wide.bmp", "", 250));
  EXPECT_EQ(std::make_pair(clip.FrameW, clip.FrameH), std::make_pair(1, 5));
  ASSERT_TRUE(clip.LoadFromFile("wide.bmp", "", 3));
  EXPECT_EQ(clip.FrameW, 83);
  EXPECT_EQ(clip.FrameAlign.size(), 3u);
  clip.SetFrame(2);
  EXPECT_EQ(clip.SrcRect.x + clip.SrcRect.w, 249) << "the last column is never shown";
  for (int frames : {0, 251})
    ExpectLoadFails("wide.bmp", "", frames,
                    "Error(LClip::LoadFromFile): iNumberFrames == 0 || iNumberFrames > PicW.\n");
}

TEST_F(Clip, LoadFailuresAreLoggedWithTheirMessages) {
  cliptest::WriteBmp("pic.bmp", 3, 2, Red);
  cliptest::WriteBmp("small.bmp", 2, 2, Red);
  cliptest::WriteText("junk.jpg", "not a picture at all");
  LClip clip;
  EXPECT_FALSE(clip.LoadFromFile("", "", 1));
  ExpectLoadFails("Dat/none.jpg", "", 1,
                  "Error(LClip::LoadFromFile(Mask)):  Unable to load file: Dat/none.jpg\n");
  ExpectLoadFails("junk.jpg", "", 1,
                  "Error(LClip::LoadFromFile):  Unable to load file: junk.jpg\n");
  ExpectLoadFails("pic.bmp", "none.gif", 1,
                  "Error(LClip::LoadFromFile(Mask)):  Unable to load file mask: none.gif\n");
  ExpectLoadFails("pic.bmp", "junk.jpg", 1,
                  "Error(LClip::LoadFromFile(FMaskName)):  Unable to load file: junk.jpg\n");
  ExpectLoadFails("pic.bmp", "small.bmp", 1,
                  "Error(mask->w != PicW || mask->h != PicH || mask->format->BitsPerPixel != 8):"
                  "  File: pic.bmp     Mask: small.bmp\n");
}

TEST_F(Clip, MaskGreyAndTgaAlphaDecideTransparency) {
  cliptest::WriteBmp("pic.bmp", 3, 2, Red);
  cliptest::WriteBmp("mask.bmp", 3, 2, [](int x, int) {
    uint8_t v = x == 0 ? 0 : x == 1 ? 128 : 255;
    return Solid(v, v, v);
  });
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("pic.bmp", "mask.bmp", 1));
  SDL_Surface* s = clip.GetSurface();
  EXPECT_EQ(std::vector<int>({PixelAt(s, 0, 1).a, PixelAt(s, 1, 1).a, PixelAt(s, 2, 1).a}),
            std::vector<int>({0, 128, 255}));
  EXPECT_EQ(PixelAt(s, 2, 1).r, 200) << "the colour is kept where the mask is white";
  EXPECT_TRUE(clip.IsTransparentAt(0, 0));
  EXPECT_FALSE(clip.IsTransparentAt(1, 0));
  EXPECT_TRUE(clip.IsTransparentAt(3, 0)) << "outside the frame";

  cliptest::WriteTga("logo.tga", 2, 2, [](int x, int y) {
    return Rgba{10, 20, 30, static_cast<uint8_t>(x + y == 0 ? 0 : 200)};
  });
  ASSERT_TRUE(clip.LoadFromFile("logo.tga", "", 1));
  EXPECT_EQ(PixelAt(clip.GetSurface(), 1, 0).a, 200);
  EXPECT_TRUE(clip.IsTransparentAt(0, 0));
  EXPECT_FALSE(clip.IsTransparentAt(1, 1));

  ASSERT_TRUE(clip.LoadFromFile("pic.bmp", "", 1));
  EXPECT_FALSE(clip.IsTransparentAt(0, 0)) << "a picture without alpha is opaque";
}

// The field asks whether a picture covers a point without moving it: the answer must be
// that of a copy placed there showing the frame, through the sequence and the anchors of
// each frame, over a picture with transparent pixels.
TEST_F(Clip, CoversAtAnswersAsACopyPlacedThere) {
  // Four frames of 10 x 6, each with a transparent column at its own place.
  cliptest::WriteTga("holes.tga", 40, 6, [](int x, int y) {
    return Rgba{10, 20, 30, static_cast<uint8_t>(x % 10 == x / 10 + 2 || y == 5 ? 0 : 255)};
  });
  LClip clip;
  ASSERT_TRUE(clip.LoadFromFile("holes.tga", "", 4));
  clip.SetAllAlign(5, 3);
  clip.AlignText1 = "1,2 3,4 5,1 0,0";
  clip.ParseAlign(false);
  clip.ParseSequence("2,s0,3,1,7");
  int covered = 0;
  for (int frame = -1; frame <= 6; ++frame) {
    for (double at : {20.0, 20.7, -0.5}) {
      LClip placed(clip);
      placed.SetPosition(at, at + 1);
      placed.SetFrame(frame);
      for (int py = -8; py < 30; ++py) {
        for (int px = -8; px < 30; ++px) {
          const bool want = placed.Contains(px, py) && !placed.IsTransparentAt(px, py);
          ASSERT_EQ(clip.CoversAt(frame, at, at + 1, px, py), want)
              << frame << " " << px << "," << py;
          covered += want ? 1 : 0;
        }
      }
    }
  }
  EXPECT_GT(covered, 0);
}

TEST_F(Clip, SharedPicturesLiveUntilTheirLastClip) {
  cliptest::WriteBmp("pic.bmp", 4, 4, Red);
  auto* first = new LClip();
  ASSERT_TRUE(first->LoadFromFile("pic.bmp", "", 2));
  first->x = 5;
  first->SetFrame(1);
  auto* second = new LClip(*first);
  EXPECT_EQ(second->x, 5);
  EXPECT_EQ(second->SrcRect.x, 2);
  LClip third;
  third.SharePicture(*second);
  EXPECT_EQ(third.Picture->RefCount, 3);
  delete first;
  delete second;
  EXPECT_EQ(PixelAt(third.GetSurface(), 3, 3).r, 200) << "still readable";

  LClip copy;
  copy.Assign(third, true);
  EXPECT_EQ(copy.Picture->RefCount, 1);
  ASSERT_TRUE(ShiftColour(copy.GetSurface(), -100, 0, 0));
  EXPECT_EQ(PixelAt(copy.GetSurface(), 3, 3).r, 100);
  EXPECT_EQ(PixelAt(third.GetSurface(), 3, 3).r, 200) << "a deep copy owns its pixels";

  // A borrowed surface (count -1) outlives any number of sharers.
  SDL_Surface* sheet = cliptest::MakePicture(4, 4, Red);
  {
    LClip glyph;
    glyph.Picture = new ClipPicture{1, -1, sheet};
    LClip a(glyph);
    LClip b;
    b.SharePicture(a);
    LClip c(b);
    EXPECT_EQ(c.GetSurface(), sheet);
  }
  EXPECT_EQ(PixelAt(sheet, 1, 1).r, 200);
  SDL_FreeSurface(sheet);
}

TEST_F(Clip, StateRoundTripsThroughTheParameterStore) {
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
  core::MemoryStore store;
  clip.Save(store, "Field.", "Bell");
  std::string keys;
  for (const auto& entry : store.Entries()) keys += entry.first + " ";
  EXPECT_EQ(keys,
            "Field.Bell.x Field.Bell.y Field.Bell.z Field.Bell.Vx Field.Bell.Vy Field.Bell.Vz "
            "Field.Bell.AlignX Field.Bell.AlignY Field.Bell.TimeWait Field.Bell.cFrame "
            "Field.Bell.Visible Field.Bell.Stop Field.Bell.TimeDie Field.Bell.Period ");

  LClip back;
  back.Changed = false;
  EXPECT_TRUE(back.Load(store, "Field.", "Bell"));
  EXPECT_TRUE(back.Changed);
  EXPECT_EQ(std::vector<double>({back.x, back.y, back.z, back.Vx, back.Vy, back.Vz}),
            std::vector<double>({12.25, -3.5, -1303, 0.01, -0.02, 0.5}));
  EXPECT_EQ(std::vector<int>({back.AlignX, back.AlignY, back.TimeWait, back.cFrame, back.Visible,
                              back.Stop, back.TimeDie, back.Period}),
            std::vector<int>({7, -8, 120, 3, 0, 1, 900, 150}));
}

}  // namespace
