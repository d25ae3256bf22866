// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndMenu.h"

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int kFirstItemY = 75;
// Room kept free below the title and under the last item.
constexpr int kReservedHeight = 90;
constexpr double kHiddenPosition = -1000.0;

struct ItemInfo {
  const char* text;
  int32_t code;
};

constexpr ItemInfo kItems[GWndMenu::kItemCount] = {
    {"CONTINUE", menu::kContinue},  {"REWIND", menu::kRewind}, {"NEW GAME", menu::kNewGame},
    {"PICK GAME", menu::kPickGame}, {"LOAD", menu::kLoad},     {"SAVE", menu::kSave},
    {"OPTIONS", menu::kOptions},    {"HELP", menu::kHelp},     {"EXIT", menu::kExit},
};

constexpr int kRewindItem = 1;
constexpr int kLoadItem = 4;
constexpr int kSaveItem = 5;

}  // namespace

GWndMenu::GWndMenu(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                   const BitmapFont* titleFont)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont) {
  // The font sheet is the library's template; a private copy only when it has none.
  itemFont_ = std::make_unique<BitmapFont>(ClipLib::TemplateOrCopy(clip::FontRedWhite, itemSheet_));
  for (int i = 0; i < kItemCount; ++i) {
    Item& item = Items[i];
    item.button = MakeButton(clip::MenuFrames, snd::GlassBtn, this, false);
    item.text = kItems[i].text;
    item.code = kItems[i].code;
  }
}

GWndMenu::~GWndMenu() = default;

void GWndMenu::Open(LEngine** slot, bool showContinue, bool showRewind) {
  StampSprite(ClipLib::Create(clip::BigBackground));
  if (titleFont_) titleFont_->DrawCentred(Background, 10, "MENU", 0);

  Items[0].shown = showContinue;
  Items[kRewindItem].shown = showRewind;
  Items[kLoadItem].shown = false;
  Items[kSaveItem].shown = false;
  int shownCount = 0;
  for (const Item& item : Items) shownCount += item.shown;

  const int step = shownCount > 0 ? (H - kReservedHeight) / shownCount : 0;
  int y = kFirstItemY;
  for (Item& item : Items) {
    LClipButton* button = item.button;
    if (!item.shown) {
      // Off the screen and out of reach of the mouse.
      button->SetPosition(kHiddenPosition, kHiddenPosition);
      button->SetVisible(false);
      continue;
    }
    button->SetVisible(true);
    button->SetPosition((W - button->FrameW) / 2, y);
    itemFont_->DrawCentred(Background, y, item.text);
    y += step;
  }
  LEngine::Show(slot);
}

int32_t GWndMenu::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE) Close(-2);
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndMenu::OnControlClick(LControl* control) {
  for (const Item& item : Items) {
    if (item.button == control) {
      Close(item.code);
      return;
    }
  }
}
