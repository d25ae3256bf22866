// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndMessage.h"

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int kTextY = 40;
constexpr int kSecondTextY = 60;

}  // namespace

GWndMessage::GWndMessage(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                         const BitmapFont* font)
    : LEngine(target, px, py, w, h, true), font_(font) {}

void GWndMessage::Open(LEngine** slot, int okEntry, int cancelEntry, const std::string& text,
                       const char* secondText) {
  // A fresh background also wipes the texts of the last question.
  StampSprite(ClipLib::Create(clip::SmallBackground));
  RemoveSprite(OkButton, true);
  RemoveSprite(CancelButton, true);
  OkButton = nullptr;
  CancelButton = nullptr;
  if (font_ && Background) {
    font_->DrawCentred(Background, kTextY, text);
    if (secondText) font_->DrawCentred(Background, kSecondTextY, secondText);
  }
  OkButton = MakeButton(okEntry, snd::Button, this, true);
  CancelButton = MakeButton(cancelEntry, snd::Button, this, true);
  Show(slot);
}

int32_t GWndMessage::OnKeyDown(int32_t key, int32_t /*modifiers*/) {
  if (key == SDLK_ESCAPE)
    Close(-2);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(-1);
  return 0;
}

void GWndMessage::OnControlClick(LControl* control) {
  if (control && control == OkButton)
    Close(-1);
  else if (control && control == CancelButton)
    Close(-2);
}
