// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main menu of the in-game screen: a column of item buttons with their texts
// drawn on the background. A chosen item closes the menu with the item's code.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/LEngine.h"
#include "sprites/BitmapFont.h"

class LClipButton;

// The result codes of the menu's items.
namespace menu {
constexpr int32_t kContinue = 0;
constexpr int32_t kNewGame = 1;
constexpr int32_t kPickGame = 2;
constexpr int32_t kLoad = 3;
constexpr int32_t kSave = 4;
constexpr int32_t kOptions = 6;
constexpr int32_t kHelp = 7;
constexpr int32_t kExit = 9;
constexpr int32_t kRewind = 10;
}  // namespace menu

class GWndMenu : public LEngine {
 public:
  struct Item {
    LClipButton* button = nullptr;
    bool shown = true;
    const char* text = "";
    int32_t code = 0;
  };
  static constexpr int kItemCount = 9;

  // titleFont is lent by the in-game screen and must outlive the menu.
  GWndMenu(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
           const BitmapFont* titleFont);
  ~GWndMenu() override;

  // Draws the menu afresh (CONTINUE and REWIND only when asked) and shows it over the
  // screen in slot.
  void Open(LEngine** slot, bool showContinue, bool showRewind = false);
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  std::array<Item, kItemCount> Items;

 private:
  const BitmapFont* titleFont_;
  // The item font's sheet when the library keeps no template of it.
  std::unique_ptr<LClip> itemSheet_;
  std::unique_ptr<BitmapFont> itemFont_;
};
