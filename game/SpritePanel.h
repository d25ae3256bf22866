// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The left panel on a screen: the panel's picture, the six track-type buttons, the
// pictures of the building and the route mode, the mode toggle's hover picture and the
// Puzzle game's two pictures, each a clip of its library entry at the entry's place and
// depth. The screen owns them while they are shown; the panel takes them off it again.
#include <array>

#include "game/GamePanel.h"

class LClip;
class LClipButton;
class LEngine;

class SpritePanel : public GamePanel {
 public:
  // Puts the pictures and buttons on the screen (none without one).
  explicit SpritePanel(LEngine* screen);
  ~SpritePanel() override;
  SpritePanel(const SpritePanel&) = delete;
  SpritePanel& operator=(const SpritePanel&) = delete;

  void ShowBuildingMode() override;
  void ShowRouteMode() override;
  void ShowPuzzlePictures(bool shown) override;
  void LightToggle(bool lit) override;
  PanelBox ToggleBox() const override;
  const LControl* TrackButton(int type) const override;

  // The panel's picture of a library entry, or nullptr.
  const LClip* Picture(int entry) const;

 private:
  // The pictures' places in pictures_, in the order they go on the screen.
  enum Slot {
    kPanel,
    kBuildMode,
    kRouteMode,
    kToggleHover,
    kBuildingAvailable,
    kPuzzleCaption,
    kSlots
  };

  LEngine* screen_;
  std::array<LClip*, kSlots> pictures_{};
  std::array<LClipButton*, kTrackButtons> buttons_{};
};
