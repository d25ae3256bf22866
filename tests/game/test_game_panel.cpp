// SPDX-License-Identifier: GPL-3.0-or-later
// The left panel: the pictures of the panel on a screen follow what the game asks, the
// headless panel places its toggle and buttons where the clip table puts them, and a
// game without a screen plays the panel and the field as one on a screen does.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GameTestSupport.h"
#include "game/SpritePanel.h"
#include "sprites/ClipLib.h"

using namespace gametest;

namespace {

// The box of a frame of the entry's clip, at its place.
PanelBox ClipBox(int entry) {
  std::unique_ptr<LClip> c(ClipLib::Create(entry));
  return c ? PanelBox{static_cast<int>(c->x), static_cast<int>(c->y), c->FrameW, c->FrameH}
           : PanelBox{};
}

PanelBox ClipBox(const LClip* c) {
  return {static_cast<int>(c->x), static_cast<int>(c->y), c->FrameW, c->FrameH};
}

TEST_F(GameTest, ScreenPanelPicturesFollowTheCalls) {
  const size_t before = screen->Sprites.size();
  {
    SpritePanel panel(screen.get());
    ASSERT_EQ(screen->Sprites.size(), before + 12);
    auto shown = [&panel](int entry) { return panel.Picture(entry)->Visible; };
    for (int entry :
         {clip::LeftPanel, clip::BuildModeButton, clip::GreyRouteMode, clip::BuildRouteMiddle,
          clip::BuildingAvailable, clip::PuzzleGameCap, clip::LeftTrack0, clip::LeftTrack5}) {
      const LClip* c = panel.Picture(entry);
      ASSERT_NE(c, nullptr) << entry;
      EXPECT_EQ(ClipBox(c), ClipBox(entry)) << entry;
      EXPECT_EQ(c->z, GetClipDesc(entry)->z) << entry;
    }
    // Until the game shows its level: the panel, its buttons and the route mode.
    EXPECT_TRUE(shown(clip::LeftPanel) && shown(clip::GreyRouteMode) && shown(clip::LeftTrack3));
    EXPECT_FALSE(shown(clip::BuildModeButton) || shown(clip::BuildRouteMiddle) ||
                 shown(clip::BuildingAvailable) || shown(clip::PuzzleGameCap));
    panel.ShowBuildingMode();
    EXPECT_TRUE(shown(clip::BuildModeButton) && !shown(clip::GreyRouteMode));
    panel.ShowRouteMode();
    EXPECT_TRUE(!shown(clip::BuildModeButton) && shown(clip::GreyRouteMode));
    panel.ShowPuzzlePictures(true);
    EXPECT_TRUE(shown(clip::BuildingAvailable) && shown(clip::PuzzleGameCap));
    panel.LightToggle(true);
    EXPECT_TRUE(shown(clip::BuildRouteMiddle));
    panel.LightToggle(false);
    EXPECT_FALSE(shown(clip::BuildRouteMiddle));
    EXPECT_EQ(panel.ToggleBox(), ClipBox(clip::BuildRouteMiddle));
    for (int type = 0; type < GamePanel::kTrackButtons; ++type) {
      EXPECT_EQ(panel.TrackButton(type), panel.Picture(clip::LeftTrack0 + type));
      EXPECT_EQ(panel.TrackTypeOf(panel.TrackButton(type)), type);
    }
    EXPECT_EQ(panel.TrackButton(6), nullptr);
    EXPECT_EQ(panel.TrackTypeOf(nullptr), -1);
  }
  EXPECT_EQ(screen->Sprites.size(), before);  // the panel took all it made
}

TEST_F(GameTest, HeadlessPanelStandsWhereTheClipTablePutsThePictures) {
  const HeadlessPanel panel;
  const HeadlessPanel other;
  ASSERT_FALSE(panel.ToggleBox().Empty());
  EXPECT_EQ(panel.ToggleBox(), ClipBox(clip::BuildRouteMiddle));
  EXPECT_TRUE(panel.IsInsideToggle(panel.ToggleBox().x, panel.ToggleBox().y));
  EXPECT_FALSE(
      panel.IsInsideToggle(panel.ToggleBox().x + panel.ToggleBox().w, panel.ToggleBox().y));
  for (int type = 0; type < GamePanel::kTrackButtons; ++type) {
    const LControl* button = panel.TrackButton(type);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ClipBox(button), ClipBox(clip::LeftTrack0 + type));
    EXPECT_EQ(panel.TrackTypeOf(button), type);
    EXPECT_EQ(panel.TrackTypeOf(other.TrackButton(type)), -1);  // another panel's button
  }
  EXPECT_TRUE(!panel.BuildingModeShown() && !panel.PuzzlePicturesShown() && !panel.ToggleLit());
}

// What the player sees of a Classic game through the toggle, a track button, laying track
// and the wheel; panelState tells what the panel shows.
std::vector<std::string> PlayThePanel(TestGame& g, const std::function<std::string()>& panelState) {
  std::vector<std::string> seen;
  auto note = [&](const std::string& what, const ActionResult& r = {}) {
    seen.push_back(what + ": taken " + std::to_string(r.taken) + " cost " + std::to_string(r.cost) +
                   " sound " + std::to_string(r.sound) + " mode " + std::to_string(g.iGameMode) +
                   " type " + std::to_string(g.CurrSelectTrackType) + " money " +
                   std::to_string(g.MoneyCounter) + " preview " +
                   std::to_string(g.Preview()->Picture(0)->Visible()) + " panel " + panelState() +
                   " tracks " + g.GetField().BuiltTrackRecord());
  };
  const PanelBox toggle = g.Panel().ToggleBox();
  const int tx = toggle.x + toggle.w / 2, ty = toggle.y + toggle.h / 2;
  note("start");
  g.OnMouseMove(tx, ty);
  note("over the toggle");
  note("toggle", g.Apply(action::Make(ActionKind::kClick, tx, ty)));
  g.OnMouseMove(tx, ty);
  note("still over the toggle");
  note("button 3", g.Apply(action::Make(ActionKind::kTrackButton, 0, 0, 3)));
  int node = 20;
  while (node < rail::kJunctions && !g.GetField().CanBuild(node, 3)) ++node;
  const rail::Point at = rail::JunctionPos(node);
  g.OnMouseMove(at.x, at.y);
  note("lay", g.Apply(action::Make(ActionKind::kClick, at.x, at.y)));
  note("wheel", g.Apply(action::Make(ActionKind::kWheelDown, at.x, at.y)));
  g.OnMouseMove(tx, ty);
  note("toggle again", g.Apply(action::Make(ActionKind::kClick, tx, ty)));
  g.OnMouseMove(400, 300);
  note("away");
  return seen;
}

// The game lent no panel and no screen plays as the one with its panel on a screen.
TEST_F(GameTest, GameWithoutScreenPlaysThePanelAsOnAScreen) {
  auto begin = [](TestGame& g) {
    rnd::SetRunSeed(5);
    Globals().GameType = 0;
    g.SetState(kStateNewGame);
  };
  HeadlessSprites headlessField;
  TestGame headless(GameParts{.owner = &owner, .fieldSprites = &headlessField});
  begin(headless);
  const HeadlessPanel& hp = PanelOf(headless);
  const std::vector<std::string> withoutScreen = PlayThePanel(headless, [&hp] {
    return std::to_string(hp.BuildingModeShown()) + std::to_string(hp.ToggleLit());
  });

  SpritePanel panel(screen.get());
  TestGame onScreen(GameParts{
      .screen = screen.get(), .owner = &owner, .fieldSprites = &sprites, .panel = &panel});
  begin(onScreen);
  const std::vector<std::string> withScreen = PlayThePanel(onScreen, [&panel] {
    const bool building = panel.Picture(clip::BuildModeButton)->Visible &&
                          !panel.Picture(clip::GreyRouteMode)->Visible;
    return std::to_string(building) +
           std::to_string(panel.Picture(clip::BuildRouteMiddle)->Visible);
  });
  EXPECT_EQ(withoutScreen, withScreen);
  // The toggle went to route mode, the button back to building, where a piece was laid
  // at 1000 and the wheel took the next type, and the toggle to route mode again.
  EXPECT_EQ(headless.iGameMode, kOperatingMode);
  EXPECT_EQ(headless.MoneyCounter, Game::kStartMoney - 1000);
  EXPECT_EQ(headless.Sounds(snd::Mode), 2);
  EXPECT_EQ(headless.CurrSelectTrackType, 4);
}

}  // namespace
