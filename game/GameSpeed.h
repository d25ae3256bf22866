// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How fast game time runs against the frame clock: x1, x2 or x4. A frame at xk runs
// the game's update k times, each with the frame's elapsed time, so a faster game is
// the same game, only sooner. Whatever stops the play (the pause, a dialog, the end of
// a level) brings the speed back to x1; a new or loaded game starts at x1 too.
class GameSpeed {
 public:
  static constexpr int kFastest = 4;

  int Factor() const { return factor_; }
  // The speed key: x1, x2, x4, then x1 again.
  void Cycle() { factor_ = factor_ >= kFastest ? 1 : factor_ * 2; }
  // x1, x2 or x4; false (and no change) for any other factor.
  bool Set(int factor);
  void Stop() { factor_ = 1; }
  // What the top bar shows: "x2" or "x4", nothing at x1.
  const char* Label() const;

  // One frame's updates: step() runs Factor() times, fewer when a step stops the play
  // (the speed falls back to x1, and the steps still to come are dropped with it).
  template <class Step>
  void RunFrame(Step&& step) {
    for (int i = 0; i < factor_; ++i) step();
  }

 private:
  int factor_ = 1;
};
