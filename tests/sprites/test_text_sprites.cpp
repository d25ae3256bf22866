// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SpriteTestSupport.h"
#include "engine/LEngine.h"
#include "sprites/MessageLine.h"
#include "sprites/TextLines.h"

using namespace spritetest;

namespace {

// A screen and a font clip whose sheet has 95 glyphs of 6 pixels (the default list).
struct TextSprites : ::testing::Test {
  void SetUp() override {
    screen = std::make_unique<LEngine>(Display(), 0, 0, 800, 600, true);
    fontClip.reset(ClipFromSurface(MakeFontSheet(std::vector<int>(95, 6), 12), 1));
  }
  void TearDown() override {
    screen.reset();  // lines are destroyed by each test before this
    fontClip.reset();
  }
  // One frame of the in-game screen: the line first, then the sprites move.
  void Frame(MessageLine& line, int32_t dt = 20) {
    line.Tick(dt);
    screen->Update(dt, 20);
  }
  int VisibleCount(const MessageLine& line) const {
    int n = 0;
    for (const CharStatic* c : line.Chars()) n += c->Visible;
    return n;
  }
  std::unique_ptr<LEngine> screen;
  std::unique_ptr<LClip> fontClip;
};

}  // namespace

TEST_F(TextSprites, FlyingLetterArrivesAtItsPlaceAndFliesOut) {
  FlyingTextLine line(screen.get(), fontClip.get(), 100, 50, 400, 10);
  ASSERT_EQ(line.Chars().size(), 10u);
  line.SetText("AB");
  // "AB" measures 12: the first letter's place is 100 + 200 - 6.
  CharText* a = line.Chars()[0];
  CharText* b = line.Chars()[1];
  EXPECT_EQ(a->Left, 294);
  EXPECT_EQ(b->Left, 300);
  EXPECT_EQ(a->x, 294 + 400);
  EXPECT_FALSE(a->Visible);
  EXPECT_FALSE(line.Chars()[2]->Visible);
  EXPECT_EQ(line.Chars()[2]->y, -1000);
  bool sawVisible = false;
  double lastX = a->x;
  for (int i = 0; i < 500 && a->x != a->Left; ++i) {
    screen->Update(20, 20);
    EXPECT_LE(a->x, lastX);  // it only ever moves left
    lastX = a->x;
    sawVisible |= a->Visible;
  }
  EXPECT_TRUE(sawVisible);
  EXPECT_EQ(a->x, 294);
  EXPECT_EQ(a->Vx, 0);
  EXPECT_TRUE(a->Visible);
  EXPECT_EQ(a->z, -2000);
  for (int i = 0; i < 100; ++i) screen->Update(20, 20);
  EXPECT_EQ(a->x, 294);  // it stays in place
  line.FlyOut();
  for (int i = 0; i < 2000 && a->x <= 2000; ++i) screen->Update(20, 20);
  screen->Update(20, 20);
  EXPECT_GT(a->x, 2000);
  EXPECT_FALSE(a->Visible);
  EXPECT_EQ(a->Vx, 0);
}

TEST_F(TextSprites, LineCountsAreLimitedAndLinesTakeTheirSpritesWithThem) {
  FlyingTextLine flying(screen.get(), fontClip.get(), 0, 0, 100, 21);
  EXPECT_TRUE(flying.Chars().empty());
  MessageLine tooLong(screen.get(), fontClip.get(), 0, 0, 100, 51);
  EXPECT_TRUE(tooLong.Chars().empty());
  NumberRow row(screen.get(), *fontClip, 0, 0, 0, 101, -1, 0);
  EXPECT_TRUE(row.Digits().empty());
  EXPECT_TRUE(screen->Sprites.empty());
  {
    MessageLine messages(screen.get(), fontClip.get(), 0, 575, 600, 50);
    EXPECT_EQ(screen->Sprites.size(), 50u);
  }
  EXPECT_TRUE(screen->Sprites.empty());
}

TEST_F(TextSprites, MessageIsRevealedWithinHalfASecondThenStands) {
  MessageLine line(screen.get(), fontClip.get(), 140, 575, 650, 50);
  line.Post("HELLO");
  EXPECT_EQ(line.State, MessageLine::kRevealing);
  EXPECT_EQ(VisibleCount(line), 0);
  // Centred: 140 + 325 - 15.
  EXPECT_EQ(line.Chars()[0]->x, 450);
  EXPECT_EQ(line.Chars()[4]->x, 450 + 24);
  int elapsed = 0;
  while (VisibleCount(line) < 5 && elapsed < 2000) {
    Frame(line);
    elapsed += 20;
  }
  EXPECT_LE(elapsed, 500);
  EXPECT_GT(elapsed, 400);  // the last letter waits 400 ms
  EXPECT_EQ(line.State, MessageLine::kStandingShort);
  for (int t = 0; t < 980; t += 20) Frame(line);
  EXPECT_EQ(line.State, MessageLine::kStandingShort);
  Frame(line);  // 1000 ms: nothing queued, so it stands 5000 ms more
  EXPECT_EQ(line.State, MessageLine::kStanding);
  for (int t = 0; t < 4980; t += 20) Frame(line);
  EXPECT_EQ(line.State, MessageLine::kStanding);
  Frame(line);
  EXPECT_EQ(line.State, MessageLine::kLeaving);
  EXPECT_LT(line.Chars()[0]->Vy, 0);
  int leaving = 0;
  while (line.State == MessageLine::kLeaving && leaving < 2000) {
    Frame(line);
    leaving += 20;
  }
  EXPECT_EQ(line.State, MessageLine::kIdle);
  EXPECT_EQ(VisibleCount(line), 0);
  EXPECT_LE(line.Chars()[0]->y, 550);
}

TEST_F(TextSprites, QueuedMessageFollowsAfterOneSecond) {
  MessageLine line(screen.get(), fontClip.get(), 140, 575, 650, 50);
  line.Post("FIRST");
  line.Post("SECOND");
  EXPECT_EQ(line.Queue().size(), 1u);
  int t = 0;
  while (line.State != MessageLine::kLeaving && t < 3000) {
    Frame(line);
    t += 20;
  }
  // Revealed (about 420 ms), then 1000 ms standing, then it leaves for the next.
  EXPECT_GE(t, 1400);
  EXPECT_LE(t, 1500);
  while (line.State == MessageLine::kLeaving && t < 5000) {
    Frame(line);
    t += 20;
  }
  EXPECT_EQ(line.State, MessageLine::kRevealing);
  EXPECT_TRUE(line.Queue().empty());
  EXPECT_EQ(line.Chars()[5]->y, 575);  // "SECOND" has a sixth letter in the line
  EXPECT_EQ(line.Chars()[0]->Vy, 0);
}

TEST_F(TextSprites, UrgentMessageReplacesAtOnce) {
  MessageLine line(screen.get(), fontClip.get(), 140, 575, 650, 50);
  line.Post("SLOW TEXT");
  line.Post("QUEUED");
  Frame(line);
  line.Post("NOW", true);
  EXPECT_TRUE(line.Queue().empty());
  EXPECT_EQ(VisibleCount(line), 3);
  EXPECT_EQ(line.State, MessageLine::kRevealing);
  Frame(line);
  EXPECT_EQ(line.State, MessageLine::kStandingShort);
}

TEST_F(TextSprites, SameTextIsQueuedOnce) {
  MessageLine line(screen.get(), fontClip.get(), 140, 575, 650, 50);
  line.Post("A");
  line.Post("B");
  line.Post("B");
  EXPECT_EQ(line.Queue().size(), 1u);
  line.Post("C");
  line.Post("B");
  EXPECT_EQ(line.Queue().size(), 3u);
  for (int t = 0; t < 30000 && line.State != MessageLine::kIdle; t += 20) Frame(line);
  EXPECT_EQ(line.State, MessageLine::kIdle);
  // With the queue empty the same text is shown again.
  line.Post("B");
  EXPECT_EQ(line.State, MessageLine::kRevealing);
  EXPECT_TRUE(line.Queue().empty());
}

TEST_F(TextSprites, EmptyMessageDoesNotHoldTheLine) {
  MessageLine line(screen.get(), fontClip.get(), 140, 575, 650, 50);
  line.Post("");
  for (int t = 0; t < 10000 && line.State != MessageLine::kIdle; t += 20) Frame(line);
  EXPECT_EQ(line.State, MessageLine::kIdle);
  line.Post("NEXT");
  EXPECT_EQ(line.State, MessageLine::kRevealing);
}

TEST_F(TextSprites, LongMessageIsCutAtTheSpriteCount) {
  MessageLine line(screen.get(), fontClip.get(), 0, 575, 800, 4);
  line.Post("ABCDEFGH", true);
  EXPECT_EQ(VisibleCount(line), 4);
}

namespace {

// A 40-frame digit strip, 10 pixels per frame.
struct Digits : ::testing::Test {
  void SetUp() override {
    screen = std::make_unique<LEngine>(Display(), 0, 0, 800, 600, true);
    strip.reset(ClipFromSurface(MakeSurface(400, 16, false), 40));
  }
  void TearDown() override {
    screen.reset();
    strip.reset();
  }
  std::unique_ptr<LEngine> screen;
  std::unique_ptr<LClip> strip;
};

}  // namespace

TEST_F(Digits, DigitRollsInThreeStepsOf200ms) {
  CharNumber d(*strip);
  EXPECT_EQ(d.Picture, strip->Picture);
  d.SetDigit('7', false);
  EXPECT_EQ(d.cFrame, 31);
  d.Update(199);
  EXPECT_EQ(d.cFrame, 31);
  d.Update(1);
  EXPECT_EQ(d.cFrame, 30);
  d.Update(200);
  d.Update(200);
  EXPECT_EQ(d.cFrame, 28);
  EXPECT_EQ(d.SrcRect.x, 280);
  d.Update(1000);
  EXPECT_EQ(d.cFrame, 28);
  // The digit already shown does not roll; an immediate one shows at once.
  d.SetDigit('7', false);
  EXPECT_EQ(d.cFrame, 28);
  d.SetDigit('5', true);
  EXPECT_EQ(d.cFrame, 20);
  EXPECT_EQ(d.Digit, '5');
}

TEST_F(Digits, ChangeDuringARollWaitsAndOnlyTheLastCounts) {
  CharNumber d(*strip);
  d.SetDigit('7', false);
  d.Update(200);
  d.SetDigit('8', false);
  d.SetDigit('9', false);
  EXPECT_EQ(d.Pending, '9');
  d.Update(200);
  d.Update(200);
  EXPECT_EQ(d.cFrame, 28);
  d.Update(200);  // the pending digit starts
  EXPECT_EQ(d.cFrame, 39);
  EXPECT_EQ(d.Pending, 0);
  for (int i = 0; i < 3; ++i) d.Update(200);
  EXPECT_EQ(d.cFrame, 36);
  EXPECT_EQ(d.Digit, '9');
}

TEST_F(Digits, RowPadsWithZerosAndRolls) {
  NumberRow row(screen.get(), *strip, 10, 5, -1207, 4, 20, 0);
  row.SetValue(42, false);
  const auto& d = row.Digits();
  EXPECT_EQ(d[0]->Digit, '0');
  EXPECT_EQ(d[1]->Digit, '0');
  EXPECT_EQ(d[2]->Digit, '4');
  EXPECT_EQ(d[3]->Digit, '2');
  for (int i = 0; i < 30; ++i) screen->Update(20, 20);
  EXPECT_EQ(d[0]->cFrame, 0);
  EXPECT_EQ(d[2]->cFrame, 16);
  EXPECT_EQ(d[3]->cFrame, 8);
  EXPECT_EQ(d[3]->z, -1207);
  row.SetValue(12345, true);  // too long: its lowest digits
  EXPECT_EQ(d[0]->cFrame, 8);
  EXPECT_EQ(d[3]->cFrame, 20);
}

TEST_F(Digits, RowGroupsDigitsInThreesFromTheRight) {
  NumberRow row(screen.get(), *strip, 482, -3, 0, 10, 20, 5);
  const int expected[10] = {0, 25, 45, 65, 90, 110, 130, 155, 175, 195};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(row.Digits()[i]->x, 482 + expected[i]) << i;
  NumberRow plain(screen.get(), *strip, 0, 0, 0, 2, -1, 5);
  EXPECT_EQ(plain.Digits()[1]->x, 10);  // step from the strip's frame width
}
