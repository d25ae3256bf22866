// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The left panel without a screen: it keeps what the game asked it to show, and places
// its mode toggle and its track-type buttons where the clip table puts their pictures,
// each as large as a frame of its entry's picture, so that the game's rules (a click in
// the toggle's box switches the mode) hold without a screen. Its buttons are widgets
// without pictures that only stand for their track types.
#include <array>

#include "engine/LEngine.h"
#include "game/GamePanel.h"

class HeadlessPanel : public GamePanel {
 public:
  HeadlessPanel();

  void ShowBuildingMode() override { building_ = true; }
  void ShowRouteMode() override { building_ = false; }
  void ShowPuzzlePictures(bool shown) override { puzzle_ = shown; }
  void LightToggle(bool lit) override { lit_ = lit; }
  PanelBox ToggleBox() const override { return toggle_; }
  const LControl* TrackButton(int type) const override;

  // What a screen would show now.
  bool BuildingModeShown() const { return building_; }
  bool PuzzlePicturesShown() const { return puzzle_; }
  bool ToggleLit() const { return lit_; }

 private:
  PanelBox toggle_;
  std::array<LControl, kTrackButtons> buttons_;
  bool building_ = false;
  bool puzzle_ = false;
  bool lit_ = false;
};
