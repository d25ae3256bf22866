// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How fast game time runs against the frame clock: x1/4, x1/2, x1, x2 or x4. Game time
// runs in fixed steps: a frame at xk runs k steps, and at x1/k one step every k-th frame,
// so a faster or slower game is the same game, only sooner or later. The pause, a dialog
// and the end of a level bring a fast speed back to x1; a slow one stays, for a player who
// wants more time. A new or loaded game starts at x1.
#include <string>

class GameSpeed {
 public:
  static constexpr int kFastest = 4;
  static constexpr int kSlowest = -4;

  // The speed as one number, as scripts and replays write it: 1, 2 or 4 for x1, x2 and
  // x4 (steps a frame); -2 or -4 for x1/2 and x1/4 (one step every second or fourth
  // frame).
  int Factor() const { return factor_; }
  bool Slow() const { return factor_ < 0; }
  // Whether a number is one of the five speeds.
  static bool Valid(int factor);
  // The speed key (Tab): one step faster, x1/4 -> x1/2 -> x1 -> x2 -> x4, and from x4
  // back to x1.
  void Cycle();
  // The slow-down key (Shift+Tab): one step slower, x4 -> x2 -> x1 -> x1/2 -> x1/4, and
  // from x1/4 back to x1.
  void CycleDown();
  // One of the five speeds; false (and no change) for any other number.
  bool Set(int factor);
  // Back to x1.
  void Stop() { Set(1); }
  // The play stops for a while: a fast speed falls back to x1, a slow one stays.
  void Pause() {
    if (factor_ > 1) Stop();
  }
  // "x1", "x2", "x4", "x1/2" or "x1/4".
  std::string Name() const;
  // What the top bar shows: the name, nothing at x1.
  std::string Label() const { return factor_ == 1 ? std::string() : Name(); }

  // One frame's updates: at a fast speed step() runs Factor() times, fewer when a step
  // stops the play (the speed falls back to x1, and the steps still to come are dropped
  // with it); at a slow speed once in every -Factor() frames.
  template <class Step>
  void RunFrame(Step&& step) {
    if (factor_ < 0) {
      if (++skipped_ < -factor_) return;
      skipped_ = 0;
      step();
      return;
    }
    for (int i = 0; i < factor_; ++i) step();
  }

 private:
  int factor_ = 1;
  int skipped_ = 0;  // frames at a slow speed since its last step
};
