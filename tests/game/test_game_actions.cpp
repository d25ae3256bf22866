// SPDX-License-Identifier: GPL-3.0-or-later
// Player actions on the field: laying track, the preview and its marker, the
// track type, the mode toggle, the repair train called from the town band and the lock
// mark on a held switch.
#include "GameTestSupport.h"

using namespace gametest;

namespace {

bool PreviewShown(const Game& g) { return g.Preview()->Picture(0)->Visible(); }

ActionResult ClickToggle(Game& g) {
  const PanelBox toggle = g.Panel().ToggleBox();
  return g.Apply(action::Make(ActionKind::kClick, toggle.x + 1, toggle.y + 1));
}

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
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, type));
  g.OnMouseMove(140, y);
  EXPECT_TRUE(PreviewShown(g));
  g.Apply(action::Make(ActionKind::kClick, 140, y));
  EXPECT_FALSE(g.GetField().HasTrack(node, type));
  g.Apply(action::Make(ActionKind::kClick, 141, y));
  EXPECT_TRUE(g.GetField().HasTrack(node, type));
  EXPECT_EQ(g.MoneyCounter, 99000);
  const std::string record = g.GetField().BuiltTrackRecord();
  g.OnMouseMove(141, y);
  EXPECT_FALSE(g.ForbiddenMarker()->Visible());  // the piece is there already
  g.Apply(action::Make(ActionKind::kClick, 141, y));
  EXPECT_EQ(g.MoneyCounter, 99000);
  EXPECT_EQ(g.Sounds(snd::SetTrack), 1);
  EXPECT_EQ(g.GetField().BuiltTrackRecord(), record);

  g.OnMouseMove(150, rail::JunctionPos(9).y);  // column 0 of an odd row: never built on
  EXPECT_TRUE(PreviewShown(g) && g.ForbiddenMarker()->Visible());
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 0));
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
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 5));
  g.Apply(
      action::Make(ActionKind::kWheelDown, 0, 0));  // the wheel's own position is not a mouse move
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  EXPECT_EQ(g.Preview()->Type(), 0);
  EXPECT_TRUE(PreviewShown(g));
  EXPECT_EQ(std::pair(g.Preview()->X(), g.Preview()->Y()), std::pair(at.x, at.y));
  g.Apply(action::Make(ActionKind::kWheelUp, 0, 0));
  EXPECT_EQ(g.CurrSelectTrackType, 5);
  g.Apply(action::Make(ActionKind::kRightClick, 400, 300));
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  g.Apply(action::Make(ActionKind::kWheelUp, 0, 0));
  g.Apply(action::Make(ActionKind::kWheelUp, 0, 0));
  EXPECT_EQ(g.Preview()->Type(), 4);
  EXPECT_EQ(g.Sounds(snd::NexTrack), 5);
  ClickToggle(g);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  EXPECT_FALSE(PreviewShown(g));
  ClickToggle(g);
  EXPECT_TRUE(PreviewShown(g));
  EXPECT_EQ(std::pair(g.Preview()->X(), g.Preview()->Y()), std::pair(at.x, at.y));
}

TEST_F(GameTest, ClassicToggleAndButtonsEnterBuildingMode) {
  TestGame& g = Start(0);
  const HeadlessPanel& panel = PanelOf(g);
  const int tx = panel.ToggleBox().x + 1, ty = panel.ToggleBox().y + 1;
  g.OnMouseMove(tx, ty);
  EXPECT_TRUE(panel.ToggleLit());
  g.Apply(action::Make(ActionKind::kClick, tx, ty));
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  EXPECT_FALSE(panel.BuildingModeShown());
  EXPECT_EQ(g.Sounds(snd::Mode), 1);
  g.OnMouseMove(tx, ty);  // still held: no hover picture
  EXPECT_FALSE(panel.ToggleLit());
  g.Apply(action::Make(ActionKind::kRightClick, 400,
                       300));  // operating mode, outside the town band: nothing
  g.Apply(action::Make(ActionKind::kWheelDown, 400, 300));
  EXPECT_EQ(g.CurrSelectTrackType, 0);
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 2));
  EXPECT_EQ(g.iGameMode, kBuildingMode);
  EXPECT_TRUE(panel.BuildingModeShown());
  EXPECT_EQ(g.CurrSelectTrackType, 2);
}

TEST_F(GameTest, PuzzleNeverEntersBuildingMode) {
  TestGame& g = Start(1);
  ASSERT_EQ(g.iGameMode, kOperatingMode);
  ClickToggle(g);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 3));
  EXPECT_EQ(g.CurrSelectTrackType, 3);
  EXPECT_EQ(g.iGameMode, kOperatingMode);
  g.Apply(action::Make(ActionKind::kWheelDown, 400, 300));
  g.Apply(action::Make(ActionKind::kWheelUp, 400, 300));
  g.Apply(action::Make(ActionKind::kRightClick, 400, 300));
  EXPECT_EQ(g.CurrSelectTrackType, 3);
  const std::string record = g.GetField().BuiltTrackRecord();
  g.Apply(action::Make(ActionKind::kClick, 400, 300));
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
    g.Apply(action::Make(ActionKind::kRightClick, x, y));
    ASSERT_EQ(f.Trains().size(), calls ? 1u : 0u) << "x " << x;
    EXPECT_EQ(g.MoneyCounter, money - (calls ? 1000 : 0)) << "x " << x;
    if (!calls) continue;
    EXPECT_EQ(f.Trains()[0]->kind, TrainKind::kRepair);
    EXPECT_EQ(f.Trains()[0]->colour, f.TownAt(x, y));
    f.RemoveTrain(0, 0, false);
  }
}

}  // namespace

// Every action goes through Apply, which answers what it did (taken, its cost, the sound
// it made) and keeps it in the level's list, stamped with the game steps run before it.
TEST_F(GameTest, ApplyAnswersWhatEachActionDidAndKeepsIt) {
  TestGame& g = Start(0);
  int node = -1;
  for (int i = 20; node < 0 && i < rail::kJunctions; ++i) {
    if (g.GetField().CanBuild(i, 0)) node = i;
  }
  ASSERT_GE(node, 0);
  const rail::Point at = rail::JunctionPos(node);
  auto apply = [&g](ActionKind kind, int x = 0, int y = 0, int arg = 0) {
    return g.Apply(action::Make(kind, x, y, arg));
  };
  ActionResult r = apply(ActionKind::kClick, at.x, at.y);
  EXPECT_TRUE(r.taken && r.cost == 1000 && r.sound == snd::SetTrack);
  r = apply(ActionKind::kClick, at.x, at.y);  // laid already: taken, free, silent
  EXPECT_TRUE(r.taken && r.cost == 0 && r.sound == -1);
  g.Update(20);
  g.Update(20);
  r = apply(ActionKind::kWheelDown, 400, 300);
  EXPECT_TRUE(r.taken && r.sound == snd::NexTrack && g.CurrSelectTrackType == 1);
  EXPECT_FALSE(apply(ActionKind::kTrackButton, 0, 0, 6).taken);
  EXPECT_TRUE(ClickToggle(g).sound == snd::Mode && g.iGameMode == kOperatingMode);
  // Operating mode: the wheel, a right click between the town bands and a click on
  // empty field do nothing, and the screen's buttons get them.
  EXPECT_FALSE(apply(ActionKind::kWheelUp, 400, 300).taken);
  EXPECT_FALSE(apply(ActionKind::kRightClick, 400, 300).taken);
  EXPECT_FALSE(apply(ActionKind::kClick, 5, 5).taken);
  r = apply(ActionKind::kTrackButton, 0, 0, 2);
  EXPECT_TRUE(r.taken && g.iGameMode == kBuildingMode && g.CurrSelectTrackType == 2);
  EXPECT_TRUE(apply(ActionKind::kSpeed, 0, 0, 2).taken);

  const std::vector<PlayerAction>& kept = g.LevelActions();
  ASSERT_EQ(kept.size(), 10u);
  EXPECT_EQ(kept[0], (PlayerAction{0, ActionKind::kClick, at.x, at.y, 0}));
  EXPECT_EQ(kept[2], (PlayerAction{2, ActionKind::kWheelDown, 400, 300, 0}));
  EXPECT_EQ(kept[9], (PlayerAction{2, ActionKind::kSpeed, 0, 0, 2}));
  EXPECT_EQ(g.LevelUpdate(), 2);
  // The skip starts the next level: its list and its steps start again.
  EXPECT_TRUE(apply(ActionKind::kSkipLevel).taken);
  EXPECT_TRUE(g.LevelActions().empty() && g.LevelUpdate() == 0 && g.CurrentRoundInType == 1);
}

namespace {

// The first working switch of the field: its junction and side, or -1, -1.
std::pair<int, int> WorkingSwitch(Field& f) {
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int side = 0; side < 4; ++side) {
      if (f.At(j).SwitchAt(side).state == SwitchState::kWorking) return {j, side};
    }
  }
  return {-1, -1};
}

}  // namespace

// A click on a switch that a passing train holds shows the lock mark on it for half a
// second of the frames' real time, counted whether or not the game runs (a pause); with
// the marks switched off nothing shows. The mark is no part of the game: the game goes
// on the same with it or without it.
TEST_F(GameTest, AHeldSwitchShowsTheLockMarkForHalfASecond) {
  uint64_t hash[2] = {};
  for (bool marks : {true, false}) {
    Globals().LockMarks = marks;
    rnd::SetRunSeed(11);
    TestGame& g = Ready(Start(1));
    const auto [j, side] = WorkingSwitch(g.GetField());
    ASSERT_GE(j, 0);
    Junction& junction = g.GetField().At(j);
    junction.Lock(rail::SideDirection(side, 1));
    const int active = junction.SwitchAt(side).active;
    const ActionResult r = g.Apply(action::Make(ActionKind::kClick, junction.X(), junction.Y()));
    EXPECT_TRUE(r.taken && r.sound == snd::SwitchLock);
    EXPECT_EQ(junction.SwitchAt(side).active, active);
    const LockMark& mark = g.GetLockMark();
    EXPECT_EQ(mark.Shown(), marks);
    if (marks) {
      ASSERT_NE(mark.Sprite(), nullptr);
      EXPECT_TRUE(mark.Sprite()->Visible());
      EXPECT_EQ(mark.Sprite()->X(), junction.X());
      EXPECT_EQ(mark.Sprite()->Y(), junction.Y());
      EXPECT_LT(mark.Sprite()->Z(), junction.SwitchAt(side).picture->Z());  // on top
    } else {
      EXPECT_TRUE(mark.Sprite() == nullptr || !mark.Sprite()->Visible());
    }
    for (int i = 0; i < 24; ++i) g.TickMarks(20);
    EXPECT_EQ(mark.Shown(), marks) << "after 480 ms";
    g.TickMarks(20);
    EXPECT_FALSE(mark.Shown()) << "after 500 ms";
    EXPECT_TRUE(mark.Sprite() == nullptr || !mark.Sprite()->Visible());
    Frames(g, 50);
    hash[marks] = g.StateHash();
  }
  EXPECT_EQ(hash[0], hash[1]);
}
