// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndHelp.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/LSound.h"
#include "sprites/BitmapFont.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int32_t kPicturePeriod = 1000;
constexpr int kVersionX = 385;
constexpr int kVersionY = 575;
constexpr int kHintRight = 632;  // short of OK

// OSTREL_TRAINS_STILL=1 holds the illustrations at their first frame, so that a picture
// of the page taken at any moment is the same (the end-to-end tests photograph it).
bool PicturesHeldStill() {
  const char* value = std::getenv("OSTREL_TRAINS_STILL");
  return value && std::strcmp(value, "1") == 0;
}

}  // namespace

GWndHelp::GWndHelp(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                   const std::string& version)
    : LEngine(target, px, py, w, h, true), version_(version) {
  OkButton = MakeButton(clip::HelpOk, snd::GlassBtn, this, true);
  StartHelpBox = MakeCheckBox(clip::HelpCheck, snd::GlassBtn, this, false);
  for (size_t i = 0; i < Pictures.size(); ++i) {
    LClip* picture = ClipLib::Create(clip::Help0 + static_cast<int>(i));
    if (picture) {
      picture->Period = kPicturePeriod;
      picture->Stop = PicturesHeldStill();
    }
    AddSprite(picture);
    Pictures[i] = picture;
  }
}

void GWndHelp::ExchangeStartHelp(bool& flag, bool toDialog) {
  if (toDialog)
    StartHelpBox->SetChecked(flag);
  else
    flag = StartHelpBox->Checked;
}

void GWndHelp::Show(LEngine** slot) {
  LEngine::Show(slot);
  StampSprite(ClipLib::Create(clip::HelpBackground));
  if (!Background) return;
  std::unique_ptr<LClip> owned;
  BitmapFont font(ClipLib::TemplateOrCopy(clip::FontSmall, owned));
  font.DrawString(Background, kVersionX, kVersionY, "V. " + version_);
  if (!Hint.empty()) font.DrawString(Background, kHintRight - font.Measure(Hint), kVersionY, Hint);
}

int32_t GWndHelp::OnKeyDown(int32_t key, int32_t /*modifiers*/) {
  if (key == SDLK_ESCAPE)
    Close(-2);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(-1);
  return 0;
}

void GWndHelp::OnControlClick(LControl* control) {
  if (control == OkButton)
    Close(0);
  else if (control == StartHelpBox)
    StartHelpBox->Toggle();
}
