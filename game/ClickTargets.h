// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where to click so that a click on the field reaches one particular switch or signal
// picture: the point lies in that picture's hit box, and neither a crash site's call
// button nor a picture of an earlier junction (the field asks them first) takes it.
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

class FieldSprite;
class Game;

class ClickTargets {
 public:
  explicit ClickTargets(Game& game) : game_(game) {}

  // A point that reaches the picture; false when every point of its box goes elsewhere
  // or lies off the screen.
  bool PointFor(const FieldSprite* picture, int& x, int& y);
  // The same, keeping clear of shown tips and of the mode toggle when the box allows.
  bool ClickFor(const FieldSprite* picture, int& x, int& y);
  // The picture (or call button) a field click at the point acts on, or none.
  const FieldSprite* FirstHit(int x, int y) const;

 private:
  // The same, asking only the listed junctions (in index order) after the call buttons.
  const FieldSprite* FirstHitAmong(int x, int y, const std::vector<int>& near) const;
  // True when a tip or the mode toggle would take a click at the point first.
  bool Covered(int x, int y) const;
  template <typename Accept>
  bool Search(const FieldSprite* picture, int& x, int& y, Accept accept) const;
  void Refresh();

  // A point found for a picture, and the picture as it stood then: another picture made
  // since at the same address, or this one moved or shown in another frame, is looked for
  // again.
  struct Found {
    int x = -1;  // -1: none
    int y = -1;
    int clip = 0;
    int frame = 0;
    double px = 0;
    double py = 0;
  };
  // Whether the point found still answers for the picture.
  bool StillFor(const Found& found, const FieldSprite* picture) const;

  Game& game_;
  std::map<const FieldSprite*, Found> cache_;
  size_t tracks_ = 0;
  size_t sites_ = 0;
};
