// SPDX-License-Identifier: GPL-3.0-or-later
// The interface pictures fit the places where the game draws them: the dialogs' parts
// inside their dialogs, the panel's controls on the panel, the help illustrations on
// the page and apart, the menu items in their rows, the tip arrows at their anchors.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/ClipTable.h"
#include "engine/LClip.h"
#include "sprites/BitmapFont.h"

namespace {

struct Box {
  int x, y, w, h;
  bool Inside(int W, int H) const { return x >= 0 && y >= 0 && x + w <= W && y + h <= H; }
  bool Inside(const Box& o) const {
    return x >= o.x && y >= o.y && x + w <= o.x + o.w && y + h <= o.y + o.h;
  }
  bool Overlaps(const Box& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
};

std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "(" << b.x << ", " << b.y << ", " << b.w << " x " << b.h << ")";
}

// The frame size of an entry's picture, loaded as the game loads it.
struct Entry {
  LClip clip;
  const ClipDesc* desc = nullptr;
  bool ok = false;
  explicit Entry(int index) : desc(GetClipDesc(index)) {
    if (desc) ok = clip.LoadFromFile(desc->Picture, desc->Mask, desc->iNumberFrames);
  }
  // The frame at the entry's own position from the table.
  Box At() const { return {desc->x, desc->y, clip.FrameW, clip.FrameH}; }
  Box At(int x, int y) const { return {x, y, clip.FrameW, clip.FrameH}; }
  Uint8 Alpha(int frame, int x, int y) {
    SDL_Surface* s = clip.GetSurface();
    SDL_LockSurface(s);
    Uint32 v = static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + frame * clip.FrameW + x];
    SDL_UnlockSurface(s);
    Uint8 r, g, b, a;
    SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
    return a;
  }
};

TEST(ArtInterfaceLayout, DialogPartsStayInsideTheirDialogs) {
  // The 400 x 520 dialogs: options, game type, statistics.
  for (int index : {34, 35, 36, 37, 38, 39, 41, 42, 43, 44, 45, 46, 47, 48, 50, clip::OptionsCheck5,
                    clip::OptionsCheck6, clip::OptionsCheck7}) {
    Entry e(index);
    ASSERT_TRUE(e.ok) << index;
    EXPECT_TRUE(e.At().Inside(400, 520)) << "entry " << index << " at " << e.At();
  }
  for (int index : {7, 8}) {  // centred by the statistics dialog at y 401
    Entry e(index);
    ASSERT_TRUE(e.ok);
    EXPECT_TRUE(e.At((400 - e.clip.FrameW) / 2, 401).Inside(400, 520)) << index;
  }
  // The 400 x 250 dialogs: the quit question and the new game.
  for (int index : {55, 56, 72}) {
    Entry e(index);
    ASSERT_TRUE(e.ok);
    EXPECT_TRUE(e.At().Inside(400, 250)) << "entry " << index << " at " << e.At();
  }
}

TEST(ArtInterfaceLayout, OkAndCancelStandApart) {
  Entry ok(42), cancel(43), smallOk(55), smallCancel(56);
  ASSERT_TRUE(ok.ok && cancel.ok && smallOk.ok && smallCancel.ok);
  EXPECT_FALSE(ok.At().Overlaps(cancel.At()));
  EXPECT_FALSE(smallOk.At().Overlaps(smallCancel.At()));
}

// The options' check boxes stand apart, over the panel that labels them, and clear of
// OK and cancel.
TEST(ArtInterfaceLayout, OptionsBoxesStandApartOverTheirPanel) {
  Entry panel(clip::OptionsBack), ok(clip::OptionsOk), cancel(clip::OptionsCancel);
  ASSERT_TRUE(panel.ok && ok.ok && cancel.ok);
  std::vector<Box> boxes;
  for (int index :
       {clip::OptionsCheck1, clip::OptionsCheck2, clip::OptionsCheck3, clip::OptionsCheck4,
        clip::OptionsCheck5, clip::OptionsCheck6, clip::OptionsCheck7}) {
    Entry e(index);
    ASSERT_TRUE(e.ok) << index;
    const Box b = e.At();
    EXPECT_TRUE(b.Inside(panel.At())) << "entry " << index << " at " << b;
    EXPECT_FALSE(b.Overlaps(ok.At()) || b.Overlaps(cancel.At())) << "entry " << index;
    for (const Box& other : boxes) EXPECT_FALSE(b.Overlaps(other)) << "entry " << index;
    boxes.push_back(b);
  }
}

TEST(ArtInterfaceLayout, NewGameLevelChoiceFitsTheDialog) {
  // Label text at x 240, then the left arrow, the 25 pixel number box and the right arrow.
  Entry left(73), right(74), label(72), levelFont(71);
  ASSERT_TRUE(left.ok && right.ok && label.ok && levelFont.ok);
  BitmapFont font(&levelFont.clip, "( ):0123456789-");
  int w = font.Measure("(1-6):");
  EXPECT_LE(label.At().x + label.At().w, 240) << "the label picture runs into the level text";
  EXPECT_LE(265 + w + left.clip.FrameW + right.clip.FrameW, 400);
  EXPECT_LE(76 + left.clip.FrameH, 121) << "the arrows reach down to the OK button";
  EXPECT_LE(font.Height, left.clip.FrameH) << "the number box is as high as the arrow";
}

TEST(ArtInterfaceLayout, SliderHandleStaysInTheDialogAtBothEnds) {
  Entry track(48), handle(49);
  ASSERT_TRUE(track.ok && handle.ok);
  const int leftMargin = 5, rightMargin = 0, yOffset = -13;
  int travel = track.clip.FrameW - handle.clip.FrameW - rightMargin - leftMargin;
  EXPECT_GT(travel, 64) << "too short for 128 volume steps to be told apart";
  for (int x : {track.desc->x + leftMargin, track.desc->x + leftMargin + travel})
    EXPECT_TRUE(handle.At(x, track.desc->y + yOffset).Inside(400, 520));
  // The handle straddles the track.
  EXPECT_GT(handle.clip.FrameH + yOffset, track.clip.FrameH);
}

TEST(ArtInterfaceLayout, MenuItemsFitTheirRows) {
  Entry frame(69), font(70);
  ASSERT_TRUE(frame.ok && font.ok);
  BitmapFont items(&font.clip);
  const int rowStep = (520 - 90) / 6;  // six items shown
  EXPECT_LE(frame.clip.FrameW, 400);
  EXPECT_LE(frame.clip.FrameH, rowStep);
  EXPECT_LE(75 + 5 * rowStep + frame.clip.FrameH, 520);
  EXPECT_LE(items.Height, frame.clip.FrameH + 2)
      << "item text drawn at the row's top spills out of its frame";
  for (const char* text : {"CONTINUE", "NEW GAME", "PICK GAME", "OPTIONS", "HELP", "EXIT"})
    EXPECT_LE(items.Measure(text), frame.clip.FrameW) << text;
}

TEST(ArtInterfaceLayout, GameTypePicturesSitInsideTheirFrames) {
  Entry upper(36), lower(37), puzzle(38), classic(39), marker(40), caption1(34), caption2(35);
  ASSERT_TRUE(upper.ok && lower.ok && puzzle.ok && classic.ok && marker.ok && caption1.ok &&
              caption2.ok);
  EXPECT_TRUE(puzzle.At().Inside(upper.At()));
  EXPECT_TRUE(classic.At().Inside(lower.At()));
  EXPECT_TRUE(marker.At(65, 88).Inside(upper.At()));
  EXPECT_TRUE(marker.At(65, 316).Inside(lower.At()));
  for (const Box& frame : {upper.At(), lower.At()}) {
    EXPECT_FALSE(caption1.At().Overlaps(frame));
    EXPECT_FALSE(caption2.At().Overlaps(frame));
  }
}

TEST(ArtInterfaceLayout, PanelControlsStayOnThePanelAndApart) {
  Entry panel(92);
  ASSERT_TRUE(panel.ok);
  EXPECT_GE(panel.clip.FrameW, 140);
  EXPECT_EQ(panel.clip.FrameH, 600);
  std::vector<Box> boxes;
  for (int index : {19, 20, 21, 22, 23, 91, 93, 94, 101, 104, 105, 106, 107, 108, 109}) {
    Entry e(index);
    ASSERT_TRUE(e.ok);
    EXPECT_TRUE(e.At().Inside(140, 600)) << "entry " << index << " at " << e.At();
    if (index == 19 || index == 20 || index == 21 || index == 93 || index == 101)
      boxes.push_back(e.At());
  }
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t j = i + 1; j < boxes.size(); ++j)
      EXPECT_FALSE(boxes[i].Overlaps(boxes[j])) << boxes[i] << boxes[j];
}

TEST(ArtInterfaceLayout, HelpIllustrationsStayOnThePageAndApart) {
  std::vector<Box> boxes;
  for (int index = 57; index <= 68; ++index) {
    Entry e(index);
    ASSERT_TRUE(e.ok);
    if (index == 58) {
      EXPECT_EQ(e.clip.FrameW, 800);
      EXPECT_EQ(e.clip.FrameH, 600);
      continue;
    }
    EXPECT_TRUE(e.At().Inside(800, 600)) << "entry " << index << " at " << e.At();
    boxes.push_back(e.At());
  }
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t j = i + 1; j < boxes.size(); ++j)
      EXPECT_FALSE(boxes[i].Overlaps(boxes[j])) << boxes[i] << boxes[j];
}

// One line of the help page's text as the generator drew it (art/help-text.txt).
struct HelpLine {
  std::string kind, text;
  double size = 0;
  Box ink{};
};

std::vector<HelpLine> HelpText() {
  std::vector<HelpLine> lines;
  std::ifstream in("art/help-text.txt");
  std::string row;
  while (std::getline(in, row)) {
    std::istringstream fields(row);
    HelpLine l;
    double left, top, right, bottom;
    if (!(fields >> l.kind >> l.size >> left >> top >> right >> bottom)) continue;
    std::getline(fields >> std::ws, l.text);
    l.ink = {int(left), int(top), int(right - left), int(bottom - top)};
    lines.push_back(l);
  }
  return lines;
}

TEST(ArtInterfaceLayout, HelpTextIsReadableAndClearOfThePictures) {
  const std::vector<HelpLine> lines = HelpText();
  ASSERT_GE(lines.size(), 50u) << "art/help-text.txt of the generator";
  // The illustrations with the frames drawn round the big ones, the check box, the OK
  // button and the version the game writes at (385, 575).
  std::vector<Box> pictures = {{385, 575, 50, 16}};
  for (int index = 57; index <= 68; ++index) {
    Entry e(index);
    ASSERT_TRUE(e.ok);
    if (index == 58) continue;
    Box b = e.At();
    if (index >= 59 && index <= 63) b = {b.x - 4, b.y - 4, b.w + 8, b.h + 8};
    pictures.push_back(b);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const HelpLine& l = lines[i];
    SCOPED_TRACE(l.text);
    EXPECT_GE(l.size, 11.0);
    EXPECT_TRUE(l.ink.Inside(Box{6, 6, 788, 588}));
    for (const Box& p : pictures) EXPECT_FALSE(l.ink.Overlaps(p)) << p;
    for (size_t j = i + 1; j < lines.size(); ++j)
      EXPECT_FALSE(l.ink.Overlaps(lines[j].ink)) << lines[j].text;
    // A heading stands well clear of the text above it (lines of a paragraph are about
    // 3 pixels apart).
    if (l.kind != "heading") continue;
    int above = -1000;
    for (const HelpLine& o : lines)
      if (o.ink.y < l.ink.y && o.ink.x < l.ink.x + l.ink.w && l.ink.x < o.ink.x + o.ink.w)
        above = std::max(above, o.ink.y + o.ink.h);
    EXPECT_GE(l.ink.y - above, 9) << "the heading sticks to the text above it";
  }
}

TEST(ArtInterfaceLayout, IntroPicturesLeaveTheVersionAndTheLoadingLineFree) {
  Entry logo(5), badge(6);
  ASSERT_TRUE(logo.ok && badge.ok);
  EXPECT_FALSE(logo.At().Overlaps(badge.At()));
  const Box version{740, 575, 50, 20}, loading{278, 524, 220, 30};
  for (const Box& b : {logo.At(), badge.At()}) {
    EXPECT_TRUE(b.Inside(800, 600));
    EXPECT_FALSE(b.Overlaps(version));
    EXPECT_FALSE(b.Overlaps(loading));
  }
}

TEST(ArtInterfaceLayout, CounterDigitsFitTheirStep) {
  Entry digits(112);
  ASSERT_TRUE(digits.ok);
  EXPECT_LE(digits.clip.FrameW, 20) << "the counters put their digits 20 pixels apart";
  EXPECT_LE(digits.clip.FrameH - 3, 50) << "the digits stand on the top bar from y = -3";
}

TEST(ArtInterfaceLayout, SmallFontLeavesTheRowsBelowTheLettersClear) {
  // Tip lines stand (height - 7) apart in a picture n * (height - 7) high: the last
  // line is cut there, so nothing may be drawn in the sheet's bottom 6 rows.
  Entry small(2);
  ASSERT_TRUE(small.ok);
  int h = small.clip.FrameH;
  for (int y = h - 6; y < h; ++y)
    for (int x = 0; x < small.clip.FrameW; ++x)
      ASSERT_LT(small.Alpha(0, x, y), 16) << "pixel " << x << ", " << y;
}

TEST(ArtInterfaceLayout, TipArrowsPointAtTheirAnchors) {
  // In the second frame the arrow's point touches its anchor (the first pulls it back).
  struct Case {
    int index, dx, dy;  // a step from the anchor into the arrow
  };
  for (const Case& c : {Case{80, 3, 0}, Case{81, -3, 0}, Case{82, 0, 2}}) {
    Entry e(c.index);
    ASSERT_TRUE(e.ok);
    int ax = std::max(0, e.desc->AlignX), ay = e.desc->AlignY;
    EXPECT_GT(e.Alpha(1, ax + c.dx, ay + c.dy), 128) << "entry " << c.index;
  }
}

}  // namespace
