// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/ScriptedGame.h"

#include "tools/script/ScriptRunner.h"

void EventLog::Print(const std::string& text) const {
  if (!quiet) script::Event(time, script::Printable(text));
}

void ScriptedGame::ChangeMoney(int delta) {
  Game::ChangeMoney(delta);
  if (fining_) return;
  log_.Print("money " + std::to_string(delta) + " balance " + std::to_string(MoneyCounter));
}

void ScriptedGame::Fine(unsigned amount) {
  fining_ = true;
  Game::Fine(amount);
  fining_ = false;
  log_.Print("fine " + std::to_string(amount) + " balance " + std::to_string(MoneyCounter));
}

void ScriptedGame::CountDeliveredTrain() {
  Game::CountDeliveredTrain();
  log_.Print("delivered " + std::to_string(TrainCounter));
}

void ScriptedGame::PostMessage(const std::string& text, bool important) {
  if (text == "Run new train.") ++launched_;
  if (text.rfind("C R A S H", 0) == 0) ++crashes_;
  log_.Print(std::string(important ? "message! \"" : "message \"") + text + "\"");
  Game::PostMessage(text, important);
}

void ScriptedGame::ShowTip(int number, int x, int y, const std::string& text) {
  const size_t before = GetTips().ShownTips().size();
  Game::ShowTip(number, x, y, text);
  const auto& shown = GetTips().ShownTips();
  if (shown.size() <= before || shown.back().number != number) return;
  std::string said = text;
  if (said.empty()) {
    for (const TipRecord& r : GetTips().Records()) {
      if (r.Number == number && r.Text) said = r.Text;
    }
  }
  tipTexts_[number] = said;
  const std::string at = x == kNoPlace ? std::string("without arrow")
                                       : "at " + std::to_string(x) + "," + std::to_string(y);
  log_.Print("tip " + std::to_string(number) + " " + at + " \"" + said + "\"");
}

void ScriptedGame::PlaySound(int index) {
  if (log_.sounds) log_.Print("sound " + std::to_string(index));
  Game::PlaySound(index);
}
