// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's side of the field for the scenario runner: keeps the balance and prints
// every call the field makes, stamped with the running time.
#include <string>

#include "railway/FieldHost.h"

class SimHost : public FieldHost {
 public:
  void ChangeMoney(int delta) override;
  void Fine(unsigned amount) override;
  void CountDeliveredTrain() override;
  void PostMessage(const std::string& text, bool important) override;
  bool TipAllowed(int number) override;
  void ShowTip(int number, int x, int y, const std::string& text) override;
  bool PlaceTip(int number, int x, int y) override;
  double Progress() override { return progress; }
  bool TakeCatchUpRequest() override;
  void PlaySound(int index) override;

  int time = 0;
  int money = 0;
  int delivered = 0;
  double progress = 0;
  bool catchUp = false;
  bool tips = true;
  bool showSounds = false;
  bool showTipMoves = false;

 private:
  void Event(const std::string& text) const;
};
