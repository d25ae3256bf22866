// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../sprites/SpriteTestSupport.h"
#include "core/LParams.h"
#include "engine/LEngine.h"
#include "engine/PictureEffects.h"
#include "game/Settings.h"
#include "game/Tips.h"
#include "sprites/ClipLib.h"

using namespace spritetest;

namespace {

// Tips without a screen: they count, decide and place, but draw nothing.
struct TipsRules : ::testing::Test {
  void SetUp() override { Globals().ShowTips = true; }
  void TearDown() override { Globals().ShowTips = true; }
  // Runs the tips clock in game frames of 20 ms.
  void Run(int32_t ms) {
    for (; ms >= 20; ms -= 20) tips.Update(20);
    if (ms > 0) tips.Update(ms);
  }
  bool Shows(int number, int x = 300, int y = 300) {
    const size_t before = tips.ShownTips().size();
    tips.Show(number, x, y);
    return tips.ShownTips().size() == before + 1;
  }
  void ClickAway() {
    while (!tips.ShownTips().empty()) {
      const Tips::Shown& s = tips.ShownTips().front();
      ASSERT_TRUE(tips.OnClick(s.boxX, s.boxY));
    }
  }
  Tips tips{nullptr};
};

}  // namespace

TEST_F(TipsRules, SettingOffShowsNothingAndCountsNothing) {
  Globals().ShowTips = false;
  tips.Show(tip::CallRepairButton, 300, 300);
  EXPECT_TRUE(tips.ShownTips().empty());
  EXPECT_EQ(tips.Records()[tip::CallRepairButton].Count, 0);
  EXPECT_EQ(tips.Records()[tip::CallRepairButton].LastShown, kNever);
  EXPECT_EQ(tips.TimeLastTip, kNever);
}

TEST_F(TipsRules, OnlyTheFirstThreeLevelsAndTheirParity) {
  tips.NewLevel(4);
  EXPECT_FALSE(tips.CanShow(tip::CallRepairButton));
  tips.NewLevel(2);
  EXPECT_FALSE(tips.CanShow(tip::MoveTrainToTown));  // odd levels only
  EXPECT_TRUE(tips.CanShow(tip::WarehouseLevelEnd));
  for (int level : {1, 3}) {
    tips.NewLevel(level);
    EXPECT_TRUE(tips.CanShow(tip::MoveTrainToTown));
    EXPECT_FALSE(tips.CanShow(tip::WarehouseLevelEnd));  // even levels only
  }
  EXPECT_FALSE(tips.CanShow(-1));
  EXPECT_FALSE(tips.CanShow(19));
}

TEST_F(TipsRules, SameTipTwicePerLevelAtMostAndOnceIn100Seconds) {
  ASSERT_TRUE(Shows(tip::CallRepairButton));
  ClickAway();
  Run(99980);
  EXPECT_FALSE(Shows(tip::CallRepairButton));
  Run(20);
  EXPECT_TRUE(Shows(tip::CallRepairButton));
  Run(100000);
  EXPECT_FALSE(Shows(tip::CallRepairButton));
  EXPECT_EQ(tips.Records()[tip::CallRepairButton].Count, 2);
  EXPECT_EQ(tips.Records()[tip::CallRepairButton].LastShown, 100000);
}

TEST_F(TipsRules, UnorderedTipsShowTogether) {
  EXPECT_TRUE(Shows(tip::CallRepairButton));
  Run(1000);
  EXPECT_TRUE(Shows(tip::MoveRepairTrainHere));
  EXPECT_EQ(tips.ShownTips().size(), 2u);
  EXPECT_EQ(tips.TimeLastTip, 1000);
}

TEST_F(TipsRules, OrderedTipsWait25SecondsAndForAnEmptyScreen) {
  ASSERT_TRUE(Shows(tip::CallRepairButton));
  tips.TimeLastTip = kNever;                    // as if the last tip were long ago
  EXPECT_FALSE(Shows(tip::SwitchClosedOrRed));  // but one is still on screen
  ClickAway();
  ASSERT_TRUE(Shows(tip::SwitchClosedOrRed));
  ClickAway();
  Run(24980);
  EXPECT_FALSE(Shows(tip::MoveTrainToTown));
  Run(20);
  EXPECT_TRUE(Shows(tip::MoveTrainToTown));
}

TEST_F(TipsRules, OrderFourTipsWaitForEveryOrderOneTipEvenTipZero) {
  tips.NewLevel(2);
  LParams store;
  for (int i = 1; i < 19; ++i) {
    std::string shownOnce = "1 -9999999";
    store.Text("Game.Tips.", "TipsNumber" + std::to_string(i), shownOnce, kSave);
  }
  ASSERT_TRUE(tips.Exchange(store, "Game.", kLoad));
  const int orderFour[] = {
      tip::RepairTrainMovedOut, tip::SpacePauses,  tip::DisableTips, tip::PuzzleGame,
      tip::ClassicGame,         tip::TrainShowsUp, tip::LineBusy};
  for (int number : orderFour) EXPECT_FALSE(Shows(number)) << number;
  // Nobody shows tip 0; only a save that says otherwise lets them through.
  std::string shownOnce = "1 -9999999";
  store.Text("Game.Tips.", "TipsNumber0", shownOnce, kSave);
  ASSERT_TRUE(tips.Exchange(store, "Game.", kLoad));
  EXPECT_TRUE(tips.CanShow(tip::SpacePauses));
  EXPECT_TRUE(tips.CanShow(tip::LineBusy));
}

TEST_F(TipsRules, FadesAfterTenSecondsAndGoesAtFade255) {
  ASSERT_TRUE(Shows(tip::CallRepairButton));
  Run(9980);
  EXPECT_EQ(tips.ShownTips()[0].fade, 0);
  Run(20);
  ASSERT_EQ(tips.ShownTips().size(), 1u);
  EXPECT_NE(tips.ShownTips()[0].fade, 0);
  Run(126 * 20);
  ASSERT_EQ(tips.ShownTips().size(), 1u);
  EXPECT_EQ(tips.ShownTips()[0].age, 10000);  // the age stops while fading
  Run(20);
  EXPECT_TRUE(tips.ShownTips().empty());
}

TEST_F(TipsRules, ClickInsideTheBoxTakesTheTip) {
  ASSERT_TRUE(Shows(tip::WarehouseEmpty, kNoPlace, kNoPlace));
  const Tips::Shown s = tips.ShownTips()[0];
  EXPECT_EQ(s.boxX, 140 + (670 - s.boxW) / 2);
  EXPECT_EQ(s.boxY, 50 + (520 - s.boxH) / 4);
  EXPECT_FALSE(tips.OnClick(s.boxX - 1, s.boxY));
  EXPECT_FALSE(tips.OnClick(s.boxX, s.boxY + s.boxH));
  EXPECT_TRUE(tips.OnClick(s.boxX + s.boxW - 1, s.boxY + s.boxH - 1));
  EXPECT_TRUE(tips.ShownTips().empty());
  EXPECT_FALSE(tips.OnClick(s.boxX, s.boxY));
}

TEST_F(TipsRules, BoxWithoutArrowStaysOnTheField) {
  ASSERT_TRUE(Shows(tip::TrackRepaired, 10, 40));
  EXPECT_EQ(tips.ShownTips()[0].boxX, 140);
  EXPECT_EQ(tips.ShownTips()[0].boxY, 40);
  EXPECT_TRUE(tips.Place(tip::TrackRepaired, 790, 60));
  EXPECT_EQ(tips.ShownTips()[0].boxX, 810 - tips.ShownTips()[0].boxW);
  EXPECT_FALSE(tips.Place(tip::CallRepairButton, 300, 300));
  EXPECT_TRUE(tips.Place(tip::TrackRepaired, -2147483647 - 1, 2147483647));  // no overflow
}

TEST_F(TipsRules, NewLevelForgetsEverything) {
  ASSERT_TRUE(Shows(tip::MoveTrainToTown));
  Run(5000);
  tips.NewLevel(3);
  EXPECT_TRUE(tips.ShownTips().empty());
  EXPECT_EQ(tips.CurrLevel, 3);
  EXPECT_EQ(tips.TimeLastTip, kNever);
  for (const TipRecord& r : tips.Records()) {
    EXPECT_EQ(r.Count, 0);
    EXPECT_EQ(r.LastShown, kNever);
  }
  EXPECT_TRUE(Shows(tip::MoveTrainToTown));
}

TEST_F(TipsRules, ExchangeWritesEveryKeyAndReadsItBack) {
  tips.NewLevel(2);
  Run(1234);
  ASSERT_TRUE(Shows(tip::WarehouseLevelEnd));
  LParams store;
  ASSERT_TRUE(tips.Exchange(store, "Game.", kSave));
  std::vector<std::string> keys;
  for (const auto& entry : store.Entries()) keys.push_back(entry.first);
  std::vector<std::string> expected = {"Game.Tips.Time", "Game.Tips.TimeLastTip",
                                       "Game.Tips.CurrLevel"};
  for (int i = 0; i < kTipRecords; ++i)
    expected.push_back("Game.Tips.TipsNumber" + std::to_string(i));
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(store.Entries()[3 + tip::WarehouseLevelEnd].second, "1 1234");
  EXPECT_EQ(store.Entries()[3 + tip::CallRepairButton].second, "0 -9999999");

  Tips other(nullptr);
  ASSERT_TRUE(other.Exchange(store, "Game.", kLoad));
  EXPECT_EQ(other.Time, 1234);
  EXPECT_EQ(other.TimeLastTip, 1234);
  EXPECT_EQ(other.CurrLevel, 2);
  EXPECT_EQ(other.Records()[tip::WarehouseLevelEnd].Count, 1);
  EXPECT_EQ(other.Records()[tip::WarehouseLevelEnd].LastShown, 1234);
  EXPECT_FALSE(other.CanShow(tip::WarehouseLevelEnd));
}

TEST_F(TipsRules, LoadingWithoutTipKeysKeepsTheClockAndClearsTheRecords) {
  ASSERT_TRUE(Shows(tip::CallRepairButton));
  Run(700);
  LParams store;
  std::string bad = "two words";
  store.Text("Game.Tips.", "TipsNumber3", bad, kSave);
  ASSERT_TRUE(tips.Exchange(store, "Game.", kLoad));
  EXPECT_EQ(tips.Time, 700);
  EXPECT_EQ(tips.TimeLastTip, 0);
  EXPECT_EQ(tips.CurrLevel, 1);
  for (const TipRecord& r : tips.Records()) {
    EXPECT_EQ(r.Count, 0);
    EXPECT_EQ(r.LastShown, kNever);
  }
}

namespace {

constexpr int kFontHeight = 20;  // glyphs 6 wide: 6 px per character, side by side
constexpr int kPartHeight = 10;  // tip_text and tip_hide_text of the library folder

// A library folder whose small font has real glyphs, so that texts wrap.
const std::string& TipsFolder() {
  static const std::string dir = [] {
    Display();
    std::string d = MakeTempDir();
    SDL_Surface* sheet = MakeFontSheet(std::vector<int>(95, 6), kFontHeight);
    WriteBmp(d + "/Dat/Game/fontSmall.gif", sheet);
    SDL_FillRect(sheet, nullptr, 0x00FFFFFF);
    WriteBmp(d + "/Dat/Game/fontSmallMask.gif", sheet);
    SDL_FreeSurface(sheet);
    BuildLibraryPictures(d);
    return d;
  }();
  return dir;
}

int AlphaAt(const LClip* c, int x, int y) {
  SDL_Surface* s = c->GetSurface();
  Uint8 r, g, b, a;
  SDL_GetRGBA(static_cast<Uint32>(GetPixel(s, x, y)), s->format, &r, &g, &b, &a);
  return a;
}

struct TipsOnScreen : TipsRules {
  void SetUp() override {
    TipsRules::SetUp();
    cwd = std::make_unique<ScopedCwd>(TipsFolder());
    if (ClipLib::GetTemplate(clip::FontSmall)) ClipLib::Shutdown();  // load this folder's font
    screen = std::make_unique<LEngine>(Display(), 0, 0, 800, 600, true);
    onScreen = std::make_unique<Tips>(screen.get());
  }
  void TearDown() override {
    onScreen.reset();
    screen.reset();
    cwd.reset();
    TipsRules::TearDown();
  }
  std::unique_ptr<ScopedCwd> cwd;
  std::unique_ptr<LEngine> screen;
  std::unique_ptr<Tips> onScreen;
};

}  // namespace

TEST_F(TipsOnScreen, BoxTextAndArrowPictures) {
  onScreen->Show(tip::MoveRepairTrainHere, 200, 300);  // 48 characters: two lines
  ASSERT_EQ(onScreen->ShownTips().size(), 1u);
  const Tips::Shown& s = onScreen->ShownTips()[0];
  ASSERT_TRUE(s.box && s.text && s.arrow);
  EXPECT_EQ(screen->Sprites.size(), 3u);
  const int textH = 2 * (kFontHeight - 7);
  EXPECT_EQ(s.box->FrameW, 186);
  EXPECT_EQ(s.box->FrameH, 2 * kPartHeight + 3 + textH);
  EXPECT_EQ(s.boxH, s.box->FrameH);
  EXPECT_EQ(s.text->FrameW, 180);
  EXPECT_EQ(s.text->FrameH, textH);
  EXPECT_EQ(AlphaAt(s.box, 93, kPartHeight + 2), 128);  // the dark see-through ground
  EXPECT_EQ(AlphaAt(s.box, 93, 2), 255);                // tip_text at the top
  EXPECT_EQ(AlphaAt(s.box, 93, s.boxH - 2), 255);       // tip_hide_text at the bottom
  EXPECT_EQ(AlphaAt(s.text, 179, textH - 1), 0);        // transparent beside the text
  EXPECT_EQ(AlphaAt(s.text, 0, 1), 255);                // the first glyph
  EXPECT_EQ(s.box->z, -3000);
  EXPECT_LT(s.text->z, s.box->z);
  EXPECT_EQ(s.arrow->z, GetClipDesc(clip::TipsArrowLeft)->z);
  EXPECT_EQ(s.arrow->Period, 400);
  EXPECT_EQ(s.arrow->FrameCount(), 2);
  EXPECT_EQ(s.text->x, s.box->x + 3);
  onScreen->Show(tip::CallRepairButton, 200, 300, "Go.");  // the caller's text: one line
  EXPECT_EQ(onScreen->ShownTips()[1].boxH, 2 * kPartHeight + 3 + (kFontHeight - 7));
}

TEST_F(TipsOnScreen, ArrowBesideFollowsPlace) {
  onScreen->Show(tip::MoveRepairTrainHere, 200, 300);
  const Tips::Shown& left = onScreen->ShownTips()[0];
  EXPECT_EQ(left.arrow->AlignX, GetClipDesc(clip::TipsArrowLeft)->AlignX);
  EXPECT_TRUE(onScreen->Place(tip::MoveRepairTrainHere, 250, 400));
  EXPECT_EQ(left.arrow->x, 250);
  EXPECT_EQ(left.arrow->y, 400);
  EXPECT_EQ(left.box->x, 250 + left.arrow->FrameW + 3);
  EXPECT_EQ(left.box->y, 400 - left.boxH / 2);

  onScreen->Show(tip::CallRepairButton, 600, 200);
  const Tips::Shown& right = onScreen->ShownTips()[1];
  EXPECT_EQ(right.arrow->AlignX, GetClipDesc(clip::TipsArrowRight)->AlignX);
  EXPECT_EQ(right.boxX, 600 - right.arrow->FrameW - 183);
}

TEST_F(TipsOnScreen, ArrowAboveKeepsTheBoxBelowIt) {
  onScreen->NewLevel(2);
  onScreen->Show(tip::WarehouseLevelEnd, 180, 50);
  const Tips::Shown& s = onScreen->ShownTips()[0];
  EXPECT_EQ(s.boxX, 140);
  EXPECT_EQ(s.boxY, 50 - s.arrow->AlignY + s.arrow->FrameH);
  onScreen->Place(tip::WarehouseLevelEnd, 700, 50);
  EXPECT_EQ(s.boxX, 610);
  onScreen->Place(tip::WarehouseLevelEnd, 790, 50);
  EXPECT_EQ(s.boxX, 630);
}

TEST_F(TipsOnScreen, FadeLowersAlphaAndClickRemovesTheSprites) {
  onScreen->Show(tip::WarehouseEmpty, kNoPlace, kNoPlace);
  onScreen->Show(tip::CallRepairButton, 200, 300);
  ASSERT_EQ(screen->Sprites.size(), 5u);
  for (int i = 0; i < 501; ++i) onScreen->Update(20);
  const Tips::Shown& s = onScreen->ShownTips()[0];
  EXPECT_EQ(AlphaAt(s.box, 93, kPartHeight + 2), 126);
  EXPECT_EQ(AlphaAt(s.box, 93, 2), 253);
  EXPECT_EQ(AlphaAt(onScreen->ShownTips()[1].arrow, 4, 4), 253);
  ASSERT_TRUE(onScreen->OnClick(s.boxX + 1, s.boxY + 1));
  EXPECT_EQ(screen->Sprites.size(), 3u);
  for (int i = 0; i < 126; ++i) onScreen->Update(20);
  EXPECT_TRUE(screen->Sprites.empty());
  EXPECT_TRUE(onScreen->ShownTips().empty());
}
