// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A field host that keeps nothing and asks for nothing, for programs that run the
// railway alone (the benchmarks, fuzzing): no money, messages, tips or sounds, and a
// level progress that stands where it is put.
#include <string>

#include "railway/FieldHost.h"

class QuietFieldHost : public FieldHost {
 public:
  explicit QuietFieldHost(double progress = 0) : progress_(progress) {}

  void ChangeMoney(int) override {}
  void Fine(unsigned) override {}
  void CountDeliveredTrain() override {}
  void PostMessage(const std::string&, bool) override {}
  bool TipAllowed(int) override { return false; }
  void ShowTip(int, int, int, const std::string&) override {}
  bool PlaceTip(int, int, int) override { return false; }
  double Progress() override { return progress_; }
  bool TakeCatchUpRequest() override { return false; }
  void PlaySound(int) override {}

 private:
  double progress_;
};
