// Frame selection, animation, sequences and anchors of the sprite clip.
#include <gtest/gtest.h>

#include "engine/LClip.h"
#include "clip_fixture.h"

using cliptest::Rgba;

namespace {

// A strip of `frames` frames, each 10 x 6 pixels, frame f filled with grey 20 * f.
class ClipFrames : public ClipFixture {
 protected:
  void LoadStrip(LClip& clip, int frames) {
    cliptest::WriteBmp("strip.bmp", 10 * frames, 6, [](int x, int) {
      uint8_t v = static_cast<uint8_t>(20 * (x / 10));
      return cliptest::Solid(v, v, v);
    });
    ASSERT_TRUE(clip.LoadFromFile("strip.bmp", "", frames));
  }
};

TEST_F(ClipFrames, SelectingAFrameMovesTheSourceRectangleAndWrapsOutOfRange) {
  LClip clip;
  LoadStrip(clip, 4);
  EXPECT_EQ(clip.FrameCount(), 4);
  clip.TimeWait = 77;
  clip.Changed = false;
  clip.SetFrame(2);
  EXPECT_EQ(clip.cFrame, 2);
  EXPECT_EQ(clip.SrcRect.x, 20);
  EXPECT_EQ(clip.TimeWait, 0);
  EXPECT_TRUE(clip.Changed);
  clip.SetFrame(-1);
  EXPECT_EQ(clip.cFrame, 0);
  EXPECT_EQ(clip.SrcRect.x, 0);
  clip.SetFrame(3);
  clip.SetFrame(clip.FrameCount());
  EXPECT_EQ(clip.cFrame, 0);
  EXPECT_EQ(clip.SrcRect.x, 0);
}

TEST_F(ClipFrames, PeriodAdvancesOneFrameAndDropsTheRemainder) {
  LClip clip;
  LoadStrip(clip, 3);
  clip.Update(150);
  EXPECT_EQ(clip.cFrame, 0);
  EXPECT_EQ(clip.TimeWait, 150);
  clip.Update(150);
  EXPECT_EQ(clip.cFrame, 1);
  EXPECT_EQ(clip.TimeWait, 0);
  clip.Update(200);
  clip.Update(200);
  EXPECT_EQ(clip.cFrame, 0) << "wraps after the last frame";
}

TEST_F(ClipFrames, OneFrameClipKeepsItsFrameButResetsTheWait) {
  LClip clip;
  LoadStrip(clip, 1);
  clip.Update(250);
  EXPECT_EQ(clip.cFrame, 0);
  EXPECT_EQ(clip.TimeWait, 0);
}

TEST_F(ClipFrames, StopFreezesFrameAndLifeTime) {
  LClip clip;
  LoadStrip(clip, 3);
  clip.TimeDie = 500;
  clip.Stop = true;
  clip.Update(300);
  EXPECT_EQ(clip.TimeDie, 500);
  EXPECT_EQ(clip.cFrame, 0);
  EXPECT_EQ(clip.TimeWait, 0);
  clip.Stop = false;
  clip.Update(300);
  EXPECT_EQ(clip.TimeDie, 200);
  clip.Update(300);
  EXPECT_EQ(clip.TimeDie, 0) << "counts down to exactly 0, never below";
  LClip immortal;
  LoadStrip(immortal, 1);
  immortal.Update(1000);
  EXPECT_EQ(immortal.TimeDie, -1);
}

TEST_F(ClipFrames, SequenceShowsItsFramesAndStopsAtAnSEntry) {
  LClip clip;
  LoadStrip(clip, 4);
  clip.ParseSequence("1,s3,0");
  ASSERT_EQ(clip.FrameCount(), 3);
  clip.SetFrame(0);
  EXPECT_EQ(clip.SrcRect.x, 10);
  clip.Update(200);
  EXPECT_EQ(clip.cFrame, 1);
  EXPECT_EQ(clip.SrcRect.x, 30);
  EXPECT_TRUE(clip.Stop);
  clip.Update(200);
  clip.Update(200);
  EXPECT_EQ(clip.cFrame, 1);
  EXPECT_EQ(clip.SrcRect.x, 30);
}

TEST_F(ClipFrames, SequenceTextCodes) {
  LClip clip;
  clip.ParseSequence("6,g2,l13,m4,s7");
  ASSERT_EQ(clip.Sequence.size(), 5u);
  const int codes[] = {0, 1, 3, 4, 2};
  const int values[] = {6, 2, 13, 4, 7};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(clip.Sequence[i].code, codes[i]);
    EXPECT_EQ(clip.Sequence[i].value, values[i]);
  }
  clip.ParseSequence("");
  EXPECT_TRUE(clip.Sequence.empty());
}

TEST_F(ClipFrames, SequenceFrameOutsideThePictureIsHarmless) {
  LClip clip;
  LoadStrip(clip, 2);
  clip.SetAllAlign(1, 1);
  clip.ParseSequence("9,s12");
  clip.SetFrame(0);
  EXPECT_EQ(clip.SrcRect.x, 90);
  EXPECT_EQ(clip.AlignX, 1) << "no anchor is read for a frame the picture lacks";
  clip.SetFrame(1);
  EXPECT_EQ(clip.SrcRect.x, 120);
  EXPECT_EQ(clip.AlignX, 1);
}

TEST_F(ClipFrames, AlignTextWithFewerPairsKeepsTheOtherAnchors) {
  LClip clip;
  LoadStrip(clip, 3);
  clip.SetAllAlign(9, 8);
  EXPECT_EQ(clip.AlignX, 9);
  EXPECT_EQ(clip.AlignY, 8);
  clip.AlignText1 = "1,2 3,4 ";
  clip.ParseAlign(false);
  EXPECT_EQ(clip.AlignX, 1);
  EXPECT_EQ(clip.AlignY, 2);
  clip.SetFrame(1);
  EXPECT_EQ(clip.AlignX, 3);
  EXPECT_EQ(clip.AlignY, 4);
  clip.SetFrame(2);
  EXPECT_EQ(clip.AlignX, 9);
  EXPECT_EQ(clip.AlignY, 8);
}

TEST_F(ClipFrames, SecondAlignTextIsUsedOnRequest) {
  LClip clip;
  LoadStrip(clip, 2);
  clip.AlignText1 = "1,1 1,1";
  clip.AlignText2 = "5,6 -7,8";
  clip.ParseAlign(true);
  clip.SetFrame(1);
  EXPECT_EQ(clip.AlignX, -7);
  EXPECT_EQ(clip.AlignY, 8);
}

TEST_F(ClipFrames, AlignListOfTheWrongLengthNeverOverrides) {
  LClip clip;
  LoadStrip(clip, 3);
  clip.FrameAlign.assign(2, AlignPoint{4, 4});
  clip.AlignX = 11;
  clip.AlignY = 12;
  clip.AlignText1 = "1,2 3,4 5,6";
  clip.ParseAlign(false);
  EXPECT_EQ(clip.FrameAlign[0].x, 4) << "nothing read into a list of the wrong length";
  clip.SetFrame(1);
  EXPECT_EQ(clip.AlignX, 11);
  EXPECT_EQ(clip.AlignY, 12);
}

TEST_F(ClipFrames, PointsTurnIntoFrameCoordinates) {
  LClip clip;
  LoadStrip(clip, 2);
  clip.x = 100.9;
  clip.y = -0.5;
  clip.AlignX = 5;
  clip.AlignY = 2;
  int32_t lx = 96;
  int32_t ly = 0;
  EXPECT_TRUE(clip.ToLocal(lx, ly));
  EXPECT_EQ(lx, 1);
  EXPECT_EQ(ly, 2) << "the position is truncated toward zero";
  EXPECT_TRUE(clip.Contains(95, -2));
  EXPECT_FALSE(clip.Contains(94, 0));
  EXPECT_FALSE(clip.Contains(105, 0)) << "right edge excluded";
  EXPECT_FALSE(clip.Contains(100, 4)) << "bottom edge excluded";
}

TEST_F(ClipFrames, VisibilityChangeMarksTheClipChanged) {
  LClip clip;
  clip.Changed = false;
  clip.SetVisible(true);
  EXPECT_FALSE(clip.Changed);
  clip.SetVisible(false);
  EXPECT_TRUE(clip.Changed);
  EXPECT_FALSE(clip.Visible);
}

TEST_F(ClipFrames, BlankPictureHasTheSetSize) {
  LClip clip;
  clip.ParseSequence("0,0");
  clip.SetSize(30, 20);
  ASSERT_TRUE(clip.CreateBlank(true));
  SDL_Surface* s = clip.GetSurface();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->w, 30);
  EXPECT_EQ(s->h, 20);
  EXPECT_NE(s->format->Amask, 0u);
  EXPECT_EQ(clip.FrameCount(), 1);
  EXPECT_EQ(clip.SrcRect.w, 30);
  EXPECT_EQ(clip.Picture->RefCount, 1);
  LClip opaque;
  opaque.SetSize(4, 4);
  ASSERT_TRUE(opaque.CreateBlank(false));
  EXPECT_FALSE(opaque.IsTransparentAt(1, 1));
}

}  // namespace
