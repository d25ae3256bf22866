// SPDX-License-Identifier: GPL-3.0-or-later
// Player actions on the field: laying track, the preview and its marker, the
// track type, the mode toggle and the repair train called from the town band.
#include "GameTestSupport.h"

using namespace gametest;

namespace {

bool PreviewShown(const Game& g) { return g.Preview()->Picture(0)->Visible(); }

TEST_F(GameTest, ClickAtX140LaysNothingAndALaidPieceCostsNothingMore) {
  TestGame& g = Start(0);
  int node = -1, type = 0;  // column 1 of an even row: x = 140 already lies over it
  for (int row = 2; node < 0 && row < 15; row += 2) {
    for (type = 0; type < 6 && !g.GetField().CanBuild(row * 8 + 1, type); ++type) {
    }
    if (type < 6) node = row * 8 + 1;
  }
  ASSERT_GE(node, 0);
  const int y = rail::JunctionPos(node).y;
  ASSERT_EQ(rail::NodeAt(140, y), node);
  g.OnButton(g.TrackButtons()[type]);
  g.OnMouseMove(140, y);
  EXPECT_TRUE(PreviewShown(g));
  g.OnLeftDown(140, y);
  EXPECT_FALSE(g.GetField().HasTrack(node, type));
  g.OnLeftDown(141, y);
  EXPECT_TRUE(g.GetField().HasTrack(node, type));
  EXPECT_EQ(g.MoneyCounter, 99000);
  const std::string record = g.GetField().BuiltTrackRecord();
  g.OnMouseMove(141, y);
  EXPECT_FALSE(g.ForbiddenMarker()->Visible());  // the piece is there already
  g.OnLeftDown(141, y);
  EXPECT_EQ(g.MoneyCounter, 99000);
  EXPECT_EQ(g.Sounds(snd::SetTrack), 1);
  EXPECT_EQ(g.GetField().BuiltTrackRecord(), record);

  g.OnMouseMove(150, rail::JunctionPos(9).y);  // column 0 of an odd row: never built on
  EXPECT_TRUE(PreviewShown(g) && g.ForbiddenMarker()->Visible());
  g.OnButton(g.TrackButtons()[0]);
  g.OnMouseMove(300, 70);  // the top row, type 0: the piece would leave the field
  EXPECT_FALSE(PreviewShown(g) || g.ForbiddenMarker()->Visible());
  g.OnMouseMove(150, 300);
  g.OnMouseMove(100, 300);  // outside the field area
  EXPECT_FALSE(PreviewShown(g) || g.ForbiddenMarker()->Visible());
}

TEST_F(GameTest, TrackTypeWrapsAndThePreviewStaysUnderTheLastMousePosition) {
  TestGame& g = Start(0);
  const rail::Point at = rail::JunctionPos(4 * 8 + 3);
  g.OnMouseMove(at.x + 5, at.y + 3);
  g.OnButton(g.TrackButtons()[5]);
  g.OnWheelDown(0, 0);  // the wheel's own position is not a mouse move
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  EXPECT_EQ(g.Preview()->Type(), 0);
  EXPECT_TRUE(PreviewShown(g));
  EXPECT_EQ(std::pair(g.Preview()->X(), g.Preview()->Y()), std::pair(at.x, at.y));
  g.OnWheelUp(0, 0);
  EXPECT_EQ(g.CurrSelectTrackType, 5);
  g.OnRightDown(400, 300);
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  g.OnWheelUp(0, 0);
  g.OnWheelUp(0, 0);
  EXPECT_EQ(g.Preview()->Type(), 4);
  EXPECT_EQ(g.Sounds(snd::NexTrack), 5);
  g.ToggleMode();
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  EXPECT_FALSE(PreviewShown(g));
  g.ToggleMode();
  EXPECT_TRUE(PreviewShown(g));
  EXPECT_EQ(std::pair(g.Preview()->X(), g.Preview()->Y()), std::pair(at.x, at.y));
}

TEST_F(GameTest, ClassicToggleAndButtonsEnterBuildingMode) {
  TestGame& g = Start(0);
  const LClip* toggle = g.ModeToggle();
  const int tx = static_cast<int>(toggle->x) + 1, ty = static_cast<int>(toggle->y) + 1;
  g.OnMouseMove(tx, ty);
  EXPECT_TRUE(toggle->Visible);
  g.OnLeftDown(tx, ty);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  EXPECT_EQ(g.Sounds(snd::Mode), 1);
  g.OnMouseMove(tx, ty);  // still held: no hover picture
  EXPECT_FALSE(toggle->Visible);
  g.OnRightDown(400, 300);  // operating mode, outside the town band: nothing
  g.OnWheelDown(400, 300);
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  g.OnButton(g.TrackButtons()[2]);
  EXPECT_EQ(g.iGameMode, kBuildingMode);
  EXPECT_EQ(g.CurrSelectTrackType, 2);
}

TEST_F(GameTest, PuzzleNeverEntersBuildingMode) {
  TestGame& g = Start(1);
  ASSERT_EQ(g.iGameMode, kOperatingMode);
  g.ToggleMode();
  const LClip* toggle = g.ModeToggle();
  g.OnLeftDown(static_cast<int>(toggle->x) + 1, static_cast<int>(toggle->y) + 1);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  g.OnButton(g.TrackButtons()[3]);
  EXPECT_EQ(g.CurrSelectTrackType, 3);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  g.OnWheelDown(400, 300);
  g.OnWheelUp(400, 300);
  g.OnRightDown(400, 300);
  EXPECT_EQ(g.CurrSelectTrackType, 3);
  const std::string record = g.GetField().BuiltTrackRecord();
  g.OnLeftDown(400, 300);
  EXPECT_EQ(g.GetField().BuiltTrackRecord(), record);
  EXPECT_FALSE(PreviewShown(g));
  EXPECT_EQ(g.MoneyCounter, 100000);
}

// Right clicks in operating mode at x < 291 or x >= 660 call the repair train (1000).
TEST_F(GameTest, TownBandCallsTheRepairTrain) {
  TestGame& g = Ready(Start(1));
  Field& f = g.GetField();
  const int y = rail::JunctionPos(f.Towns()[0].townJunction).y;
  for (auto [x, calls] : {std::pair{290, true}, std::pair{291, false}, std::pair{659, false},
                          std::pair{660, true}, std::pair{0, true}, std::pair{799, true}}) {
    const int32_t money = g.MoneyCounter;
    g.OnRightDown(x, y);
    ASSERT_EQ(f.Trains().size(), calls ? 1u : 0u) << "x " << x;
    EXPECT_EQ(g.MoneyCounter, money - (calls ? 1000 : 0)) << "x " << x;
    if (!calls) continue;
    EXPECT_EQ(f.Trains()[0]->kind, TrainKind::kRepair);
    EXPECT_EQ(f.Trains()[0]->colour, f.TownAt(x, y));
    f.RemoveTrain(0, 0, false);
  }
}

}  // namespace
