// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A question box with a text (and an optional second line) and two buttons.
#include <cstdint>
#include <string>

#include "engine/LEngine.h"
#include "sprites/BitmapFont.h"

class LClipButton;

class GWndMessage : public LEngine {
 public:
  GWndMessage(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
              const BitmapFont* font);

  // Draws the texts, makes the two buttons from their library entries (replacing
  // those of an earlier opening) and shows the box over the screen in slot.
  void Open(LEngine** slot, int okEntry, int cancelEntry, const std::string& text,
            const char* secondText = nullptr);
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  LClipButton* OkButton = nullptr;
  LClipButton* CancelButton = nullptr;

 private:
  const BitmapFont* font_;
};
