// SPDX-License-Identifier: GPL-3.0-or-later
// The player's money: every earning and cost of the game goes through here.
#include <algorithm>
#include <cstdint>

#include "core/Saturate.h"
#include "engine/LSound.h"
#include "game/Game.h"
#include "sprites/TextLines.h"

void Game::ChangeMoney(int delta) {
  if (MoneyCounter == 0) return;  // once run out, the balance stays 0 until a new game
  if (delta < 0 && -static_cast<int64_t>(delta) >= MoneyCounter) {
    MoneyCounter = 0;
    if (parts_.moneyDisplay) parts_.moneyDisplay->SetValue(0, true);
    PostMessage("OUT OF MONEY !", true);
    PlaySound(snd::BadGame);
    GameState = kStateOutOfMoney;
    return;
  }
  MoneyCounter = static_cast<int32_t>(
      std::min<int64_t>(static_cast<int64_t>(MoneyCounter) + delta, INT32_MAX));
  if (parts_.moneyDisplay) parts_.moneyDisplay->SetValue(MoneyCounter, false);
}

void Game::Fine(unsigned amount) {
  const int64_t a = std::min<int64_t>(amount, INT32_MAX);
  ChangeMoney(static_cast<int>(-a));
}

void Game::CountDeliveredTrain() {
  core::AddTo(TrainCounter, 1);
  if (parts_.trainsDisplay) parts_.trainsDisplay->SetValue(TrainCounter, false);
}
