// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimHost.h"

#include "railway/TipTable.h"
#include "tools/script/ScriptRunner.h"

void SimHost::Event(const std::string& text) const { script::Event(time, text); }

void SimHost::ChangeMoney(int delta) {
  money += delta;
  Event("money " + std::to_string(delta) + " balance " + std::to_string(money));
}

void SimHost::Fine(unsigned amount) {
  money -= static_cast<int>(amount);
  Event("fine " + std::to_string(amount) + " balance " + std::to_string(money));
}

void SimHost::CountDeliveredTrain() {
  ++delivered;
  Event("delivered " + std::to_string(delivered));
}

void SimHost::PostMessage(const std::string& text, bool important) {
  Event(std::string(important ? "message! \"" : "message \"") + text + "\"");
}

bool SimHost::TipAllowed(int) { return tips; }

void SimHost::ShowTip(int number, int x, int y, const std::string& text) {
  if (!tips) return;
  // A tip asked for without a text shows the table's.
  const std::string shown = text.empty() ? TipText(number) : text;
  Event("tip " + std::to_string(number) + " at " + std::to_string(x) + "," + std::to_string(y) +
        " \"" + shown + "\"");
}

bool SimHost::PlaceTip(int number, int x, int y) {
  if (showTipMoves) {
    Event("tip " + std::to_string(number) + " moved to " + std::to_string(x) + "," +
          std::to_string(y));
  }
  return tips;
}

bool SimHost::TakeCatchUpRequest() {
  bool r = catchUp;
  catchUp = false;
  return r;
}

void SimHost::PlaySound(int index) {
  if (showSounds) Event("sound " + std::to_string(index));
}
