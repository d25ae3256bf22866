// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number stepped by two arrow buttons: one step per press, and while an arrow is
// held, more steps, faster the longer it is held (from one a second to one every
// 50 ms after 5 s).
#include <cstdint>

class LevelSpinner {
 public:
  void SetValue(int32_t v);
  void SetRange(int32_t min, int32_t max);
  void Inc();
  void Dec();
  void PressInc();
  void PressDec();
  void ReleaseInc();
  void ReleaseDec();
  void Update(int32_t dt);

  // The current repeat interval in ms for the time held so far.
  int32_t RepeatInterval() const;

  int32_t Value = 0;
  int32_t Min = 0;
  int32_t Max = 100;
  bool DecHeld = false;
  bool IncHeld = false;
  int32_t HeldTime = 0;

  // The repeat timer shared by all spinners, in ms.
  static int32_t RepeatTimer;
};
