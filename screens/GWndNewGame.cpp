// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndNewGame.h"

#include <cstdio>
#include <string>

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

const char* const kLevelCharacters = "( ):0123456789-";
constexpr int kTitleY = 20;
constexpr int kLabelX = 240;
constexpr int kLabelY = 81;
constexpr int kRowY = 76;
constexpr int kNumberBoxWidth = 25;
// The right arrow stands after the label, the left arrow and the number box.
constexpr int kRightArrowX = kLabelX + kNumberBoxWidth;
// LEVEL PACKS, a menu item under OK and cancel.
constexpr int kPacksY = 186;
constexpr const char* kPacksText = "LEVEL PACKS";

}  // namespace

GWndNewGame::GWndNewGame(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                         const BitmapFont* titleFont)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont) {
  // The font sheet is the library's template; a private copy only when it has none.
  levelFont_ = std::make_unique<BitmapFont>(
      ClipLib::TemplateOrCopy(clip::FontLevelNumber, levelSheet_), kLevelCharacters);

  Label = ClipLib::Create(clip::SelectStartLevel);
  AddSprite(Label);
  LeftArrow = MakeButton(clip::NewGameLeft, snd::Button, this, true);
  RightArrow = MakeButton(clip::NewGameRight, snd::Button, this, true);
  OkButton = MakeButton(clip::MessageOk, snd::Button, this, true);
  CancelButton = MakeButton(clip::MessageCancel, snd::Button, this, true);
  itemFont_ = std::make_unique<BitmapFont>(ClipLib::TemplateOrCopy(clip::FontRedWhite, itemSheet_));
  PacksButton = MakeButton(clip::MenuFrames, snd::GlassBtn, this, false);
  PacksButton->SetPosition((W - PacksButton->FrameW) / 2, kPacksY);

  NumberBox = new LClip;
  NumberBox->SetSize(kNumberBoxWidth, LeftArrow->FrameH);
  NumberBox->CreateBlank(true);
  AddSprite(NumberBox);
}

GWndNewGame::~GWndNewGame() = default;

void GWndNewGame::Show(LEngine** slot) {
  StampSprite(ClipLib::Create(clip::SmallBackground));
  if (titleFont_) titleFont_->DrawCentred(Background, kTitleY, "NEW GAME", 0);
  if (Background) itemFont_->DrawCentred(Background, kPacksY, kPacksText);

  // The level choice appears only once a level beyond the first has been reached.
  const bool choice = MaxLevel > 0;
  std::string label;
  if (choice) {
    char text[32];
    std::snprintf(text, sizeof text, "(1-%d):", MaxLevel + 1);
    label = text;
  }
  for (LClip* part :
       {static_cast<LClip*>(RightArrow), Label, static_cast<LClip*>(LeftArrow), NumberBox})
    if (part) part->SetVisible(choice);

  levelFont_->DrawString(Background, kLabelX, kLabelY, label, 0);
  const int w = levelFont_->Measure(label);
  const int arrowW = LeftArrow->FrameW;
  LeftArrow->SetPosition(kLabelX + w, kRowY);
  NumberBox->SetPosition(kLabelX + w + arrowW, kRowY);
  RightArrow->SetPosition(kRightArrowX + w + arrowW, kRowY);

  Spinner.SetValue(MaxLevel + 1);
  Spinner.SetRange(1, MaxLevel + 1);
  // An arrow still held when the dialog last closed must not repeat now.
  Spinner.ReleaseDec();
  Spinner.ReleaseInc();
  LEngine::Show(slot);
}

void GWndNewGame::Update(int32_t elapsed, int32_t frame) {
  Spinner.Update(elapsed);
  LEngine::Update(elapsed, frame);
  RedrawNumber();
}

void GWndNewGame::RedrawNumber() {
  SDL_Surface* box = NumberBox->GetSurface();
  if (!box) return;
  SDL_FillRect(box, nullptr, SDL_MapRGBA(box->format, 0, 0, 0, 0));
  char text[16];
  std::snprintf(text, sizeof text, "%d", Spinner.Value);
  // The digits keep their own alpha on the transparent box instead of blending.
  levelFont_->CopyAlpha = true;
  levelFont_->DrawCentred(box, (NumberBox->FrameH - levelFont_->Height) / 2 - 2, text);
  levelFont_->CopyAlpha = false;
  NumberBox->Changed = true;
}

LControl* GWndNewGame::OnLeftDown(int32_t px, int32_t py) {
  LControl* control = LEngine::OnLeftDown(px, py);
  if (control == LeftArrow)
    Spinner.PressDec();
  else if (control == RightArrow)
    Spinner.PressInc();
  return control;
}

LControl* GWndNewGame::OnLeftUp(int32_t px, int32_t py) {
  LControl* control = LEngine::OnLeftUp(px, py);
  // The base answers only a click; a release anywhere ends the repeat.
  Spinner.ReleaseDec();
  Spinner.ReleaseInc();
  return control;
}

int32_t GWndNewGame::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE)
    Close(-2);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(-1);
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndNewGame::OnControlClick(LControl* control) {
  if (control == OkButton)
    Close(-1);
  else if (control == CancelButton)
    Close(-2);
  else if (control == PacksButton)
    Close(newgame::kPacks);
}
