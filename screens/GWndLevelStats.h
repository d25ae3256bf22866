// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics page at the end of a level (with NEXT) and at the end of the game
// (with OK).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/LEngine.h"
#include "game/GameOwner.h"
#include "sprites/BitmapFont.h"

class LClipButton;

class GWndLevelStats : public LEngine {
 public:
  GWndLevelStats(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                 const BitmapFont* titleFont);

  void ShowLevelEnd(LEngine** slot, const LevelStatistics& stats);
  void ShowGameOver(LEngine** slot, const GameOverStatistics& stats);
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  LClipButton* NextButton = nullptr;
  LClipButton* OkButton = nullptr;
  // The texts of the page last drawn, title first, as they stand on it.
  std::vector<std::string> Lines;

 private:
  void BeginPage(const char* title);
  void DrawLine(int y, const std::string& text);

  const BitmapFont* titleFont_;
  // The font sheet, when the library keeps no template of it.
  std::unique_ptr<LClip> textSheet_;
  std::unique_ptr<BitmapFont> textFont_;
};
