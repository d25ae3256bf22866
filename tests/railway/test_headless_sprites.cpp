// SPDX-License-Identifier: GPL-3.0-or-later
// The headless pictures run as the screen's would: a frame moves the ones given a
// velocity and steps the animated ones through their frames, and leaves the others as
// they are; a picture stopped and set going again runs again, and one taken away while it
// moves is no longer run.
#include <gtest/gtest.h>

#include "ids/ClipIds.h"
#include "railway/HeadlessSprites.h"

namespace {

TEST(HeadlessSpritesRun, AFrameRunsTheMovingAndAnimatedPicturesOnly) {
  ASSERT_GT(FieldClipFrames(clip::Explosion), 1);
  HeadlessSprites sprites;
  FieldSprite* still = sprites.Create(clip::Explosion, false);
  FieldSprite* rising = sprites.Create(clip::Explosion, false);
  FieldSprite* burning = sprites.Create(clip::Explosion, false);
  for (FieldSprite* s : {still, rising, burning}) s->SetPos(100, 100);
  rising->SetVelocity(0, -0.01);
  burning->SetPeriod(10);
  burning->Animate(true);
  sprites.Advance(30);
  EXPECT_EQ(still->Y(), 100);
  EXPECT_EQ(still->Frame(), 0);
  EXPECT_LT(rising->Y(), 100);
  EXPECT_EQ(rising->X(), 100);
  EXPECT_GT(burning->Frame(), 0);

  rising->SetVelocity(0, 0);
  burning->Animate(false);
  const double stopped = rising->Y();
  const int frame = burning->Frame();
  sprites.Advance(30);
  EXPECT_EQ(rising->Y(), stopped);
  EXPECT_EQ(burning->Frame(), frame);

  rising->SetVelocity(0, -0.01);
  sprites.Advance(30);
  EXPECT_LT(rising->Y(), stopped);
  sprites.Remove(rising);
  sprites.Advance(30);  // (the sanitizers would see a picture run after it was taken away)
  EXPECT_EQ(sprites.Count(), 2);
}

}  // namespace
