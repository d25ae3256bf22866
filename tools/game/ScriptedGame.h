// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real game with its calls to the outside world written down: money, fines,
// deliveries, messages, tips and sounds are printed as they happen, stamped with the
// running time, and then handled exactly as the game handles them.
#include <map>
#include <string>

#include "game/Autopilot.h"
#include "game/Game.h"
#include "game/KeyboardPlay.h"

// Where the events go, and which of them are wanted.
struct EventLog : AutopilotLog {
  void Print(const std::string& text) const override;
  int time = 0;  // ms run so far
  bool sounds = false;
  bool quiet = false;  // nothing is printed (benchmarks)
};

class ScriptedGame : public Game {
 public:
  // What the keyboard's keys do is written down too.
  ScriptedGame(const GameParts& parts, EventLog& log) : Game(parts), log_(log) {
    Keyboard().SetLog(&log);
  }

  void ChangeMoney(int delta) override;
  void Fine(unsigned amount) override;
  void CountDeliveredTrain() override;
  void PostMessage(const std::string& text, bool important) override;
  void ShowTip(int number, int x, int y, const std::string& text) override;
  void PlaySound(int index) override;

  // The trains put on the field (the repair trains aside) and the crashes so far.
  int Launched() const { return launched_; }
  int Crashes() const { return crashes_; }

  // The text each tip number last showed with.
  const std::map<int, std::string>& TipTexts() const { return tipTexts_; }

 private:
  EventLog& log_;
  bool fining_ = false;
  int launched_ = 0;
  int crashes_ = 0;  // a fine passes its amount on as a money change
  std::map<int, std::string> tipTexts_;
};
