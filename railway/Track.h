// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One laid track piece: its start junction and type, its building progress and the
// pictures of its stages.
#include "railway/FieldSprites.h"

class Track {
 public:
  Track(int start, int type, bool free, bool quiet, FieldSprites* sprites);
  ~Track();
  Track(const Track&) = delete;
  Track& operator=(const Track&) = delete;

  // Track types 0..5: the direction in which the piece leaves its start junction.
  static constexpr int kTypes = 6;
  // The progress of a finished track, in percent.
  static constexpr int kFinished = 100;
  // The key that trees and houses in the way of the track at (start, type) are marked
  // with; never 0, which marks nothing.
  static int KeyOf(int start, int type) { return (start + 100) * 1000 + type; }

  int Start() const { return start_; }
  int Type() const { return type_; }
  int Key() const { return KeyOf(start_, type_); }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Progress() const { return progress_; }
  int Stage() const { return stage_; }
  bool Free() const { return free_; }
  bool Quiet() const { return quiet_; }
  // Adds to the progress (clamped to 100) and updates the stage pictures; true when
  // the stage changed.
  bool Advance(int amount);
  void Show(bool visible);
  // Moves every picture to (x, y), drawn at depths key + 3, + 2, + 1 and + 0 for the
  // planned, ground, sleeper and rail pictures (the build cursor follows the mouse so).
  void MoveTo(int x, int y, int depthKey);
  FieldSprite* Picture(int stage) const { return pictures_[stage]; }

 private:
  void MakePicture(int stage);
  void DropPicture(int stage);

  int start_;
  int type_;
  int x_;
  int y_;
  int progress_ = 0;
  int stage_ = 0;
  bool free_;
  bool quiet_;
  bool visible_ = true;
  int depthKey_ = 0;
  bool moved_ = false;
  FieldSprites* sprites_;
  FieldSprite* pictures_[4] = {nullptr, nullptr, nullptr, nullptr};
};
