// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the field needs from the game that owns it: money, the delivered-train count,
// the message line, tips, the level's progress, the catch-up request, sounds and the
// refusals a player should see.
#include <string>

#include "ids/SoundIds.h"

class FieldHost {
 public:
  virtual ~FieldHost() = default;
  virtual void ChangeMoney(int delta) = 0;
  virtual void Fine(unsigned amount) = 0;
  virtual void CountDeliveredTrain() = 0;
  virtual void PostMessage(const std::string& text, bool important) = 0;
  // Whether the tips would show this tip now.
  virtual bool TipAllowed(int number) = 0;
  virtual void ShowTip(int number, int x, int y, const std::string& text) = 0;
  // Moves a shown tip; false when that tip is no longer shown.
  virtual bool PlaceTip(int number, int x, int y) = 0;
  // The level's progress in percent (0..100).
  virtual double Progress() = 0;
  // True once after the game asked for one 200 ms catch-up movement step.
  virtual bool TakeCatchUpRequest() = 0;
  virtual void PlaySound(int index) = 0;
  // A click on a switch was refused because a passing train holds it; (x, y) is the
  // switch's place on the screen.
  virtual void SwitchLocked(int x, int y) {
    (void)x;
    (void)y;
  }
};
