// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The illustrated help page, with a check box that keeps it from opening at the
// start of a game.
#include <array>
#include <cstdint>
#include <string>

#include "engine/LEngine.h"

class LClipButton;
class LClipCheckBox;

class GWndHelp : public LEngine {
 public:
  // version is the program's version text, drawn as "V. " + version.
  GWndHelp(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
           const std::string& version);

  // toDialog: the box takes flag; otherwise flag is read from the box.
  void ExchangeStartHelp(bool& flag, bool toDialog);
  void Show(LEngine** slot) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  LClipButton* OkButton = nullptr;
  LClipCheckBox* StartHelpBox = nullptr;
  std::array<LClip*, 9> Pictures{};
  // One line in the bottom bar, between the version and OK (none when empty): where
  // the level packs are.
  std::string Hint;

 private:
  std::string version_;
};
