// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lock mark: a padlock shown for a moment on a switch that refused a click because
// a passing train holds it. It counts the frames' real time, not the game's, so that it
// goes away while the game is paused or slowed; it is no part of the game's state.
#include <cstdint>

class FieldSprite;
class FieldSprites;

class LockMark {
 public:
  // How long the mark shows after the click.
  static constexpr int32_t kShowTime = 500;

  explicit LockMark(FieldSprites* sprites) : sprites_(sprites) {}
  ~LockMark();
  LockMark(const LockMark&) = delete;
  LockMark& operator=(const LockMark&) = delete;

  // Shows the mark at the switch at (x, y) for kShowTime from now (again from the start
  // when it shows already, moved to the new switch).
  void Show(int x, int y);
  // A frame's real elapsed time: the mark goes once its time has run out.
  void Tick(int32_t elapsed);
  void Hide();

  bool Shown() const { return left_ > 0; }
  // The time it still shows (0 when hidden), and its sprite (nullptr until first shown,
  // or without sprites).
  int32_t TimeLeft() const { return left_; }
  const FieldSprite* Sprite() const { return sprite_; }

 private:
  FieldSprites* sprites_;
  FieldSprite* sprite_ = nullptr;
  int32_t left_ = 0;
};
