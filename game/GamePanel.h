// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The left panel as the game sees it: the game says which mode to show, whether the
// Puzzle game's pictures cover the building widgets and whether the mode toggle is lit,
// and asks where the toggle is and which track type a widget stands for. SpritePanel
// shows it on a screen; HeadlessPanel, which a game lent no panel keeps, shows nothing.
class LControl;

// A box on the screen, (x, y) its top left corner.
struct PanelBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
  bool Empty() const { return w <= 0 || h <= 0; }
  bool operator==(const PanelBox&) const = default;
};

class GamePanel {
 public:
  static constexpr int kTrackButtons = 6;

  virtual ~GamePanel() = default;

  // The building mode's picture, or the route mode's, in place of the other.
  virtual void ShowBuildingMode() = 0;
  virtual void ShowRouteMode() = 0;
  // The Puzzle game's pictures over the building widgets: no building, and its caption.
  virtual void ShowPuzzlePictures(bool shown) = 0;
  // The mode toggle's hover picture.
  virtual void LightToggle(bool lit) = 0;
  // The mode toggle's box, which is also its click area; empty when there is none.
  virtual PanelBox ToggleBox() const = 0;
  // The button of track type 0..5, or nullptr.
  virtual const LControl* TrackButton(int type) const = 0;

  bool IsInsideToggle(int x, int y) const { return ToggleBox().Contains(x, y); }
  // The track type whose button the widget is, or -1.
  int TrackTypeOf(const LControl* widget) const {
    for (int type = 0; widget && type < kTrackButtons; ++type) {
      if (TrackButton(type) == widget) return type;
    }
    return -1;
  }
};
