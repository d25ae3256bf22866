// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndOptions.h"

#include "engine/LSound.h"
#include "screens/ScreenServices.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int32_t kSliderLeftMargin = 5;
constexpr int32_t kSliderRightMargin = 0;
constexpr int32_t kSliderYOffset = -13;
constexpr int32_t kSliderMax = 128;
constexpr int kTitleY = 10;

// Check boxes of this dialog make no sound.
constexpr int32_t kSilent = -1;

}  // namespace

GWndOptions::GWndOptions(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                         const BitmapFont* titleFont, ScreenServices& services)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont), services_(services) {
  StampSprite(ClipLib::Create(clip::BigBackground));
  AddSprite(ClipLib::Create(clip::OptionsBack));
  if (titleFont_ && Background) titleFont_->DrawCentred(Background, kTitleY, "OPTIONS");

  SoundSlider =
      std::make_unique<GVolume>(this, clip::SliderSound, clip::SliderSoundHandle, kSliderLeftMargin,
                                kSliderRightMargin, kSliderYOffset, kSliderMax);
  MusicSlider =
      std::make_unique<GVolume>(this, clip::SliderMusic, clip::SliderMusicHandle, kSliderLeftMargin,
                                kSliderRightMargin, kSliderYOffset, kSliderMax);
  OkButton = MakeButton(clip::OptionsOk, snd::Button, this, true);
  CancelButton = MakeButton(clip::OptionsCancel, snd::Button, this, true);
  MusicOnBox = MakeCheckBox(clip::OptionsCheck1, kSilent, this, false);
  SoundOnBox = MakeCheckBox(clip::OptionsCheck2, kSilent, this, false);
  FullScreenBox = MakeCheckBox(clip::OptionsCheck3, kSilent, this, false);
  TipsBox = MakeCheckBox(clip::OptionsCheck4, kSilent, this, false);
  SymbolsBox = MakeCheckBox(clip::OptionsCheck5, kSilent, this, false);
  ActInPauseBox = MakeCheckBox(clip::OptionsCheck6, kSilent, this, false);
  LockMarksBox = MakeCheckBox(clip::OptionsCheck7, kSilent, this, false);
}

// The sliders take their sprites out of the screen while it still stands.
GWndOptions::~GWndOptions() {
  SoundSlider.reset();
  MusicSlider.reset();
}

void GWndOptions::Exchange(int32_t& soundVolume, int32_t& musicVolume, bool& fullScreen,
                           bool& showTips, bool& soundOn, bool& musicOn, bool toDialog) {
  if (toDialog) {
    SoundSlider->SetValue(soundVolume);
    MusicSlider->SetValue(musicVolume);
    FullScreenBox->SetChecked(fullScreen);
    TipsBox->SetChecked(showTips);
    SoundOnBox->SetChecked(soundOn);
    MusicOnBox->SetChecked(musicOn);
    // The music already plays with these values: nothing to preview yet.
    LastMusicVolume = musicVolume;
    LastMusicOn = musicOn;
    return;
  }
  soundVolume = SoundSlider->GetValue();
  musicVolume = MusicSlider->GetValue();
  fullScreen = FullScreenBox->Checked;
  showTips = TipsBox->Checked;
  soundOn = SoundOnBox->Checked;
  musicOn = MusicOnBox->Checked;
}

void GWndOptions::ExchangeSymbols(bool& colourSymbols, bool toDialog) {
  if (toDialog)
    SymbolsBox->SetChecked(colourSymbols);
  else
    colourSymbols = SymbolsBox->Checked;
}

void GWndOptions::ExchangePlayerHelp(bool& actWhilePaused, bool& lockMarks, bool toDialog) {
  if (toDialog) {
    ActInPauseBox->SetChecked(actWhilePaused);
    LockMarksBox->SetChecked(lockMarks);
  } else {
    actWhilePaused = ActInPauseBox->Checked;
    lockMarks = LockMarksBox->Checked;
  }
}

// Music changes are heard while the dialog is still open.
void GWndOptions::PreviewMusic() {
  const int32_t volume = MusicSlider->GetValue();
  const bool on = MusicOnBox->Checked;
  if (volume == LastMusicVolume && on == LastMusicOn) return;
  LastMusicVolume = volume;
  LastMusicOn = on;
  services_.SetMusicOn(on);
  services_.SetMusicVolume(volume);
}

void GWndOptions::Update(int32_t elapsed, int32_t frame) {
  PreviewMusic();
  LEngine::Update(elapsed, frame);
}

LControl* GWndOptions::OnMouseMove(int32_t px, int32_t py) {
  SoundSlider->OnMouseMove(px - X, py - Y);
  MusicSlider->OnMouseMove(px - X, py - Y);
  return LEngine::OnMouseMove(px, py);
}

LControl* GWndOptions::OnLeftDown(int32_t px, int32_t py) {
  SoundSlider->OnMouseDown(px - X, py - Y);
  MusicSlider->OnMouseDown(px - X, py - Y);
  return LEngine::OnLeftDown(px, py);
}

int32_t GWndOptions::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE)
    Close(-2);
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(-1);
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndOptions::OnControlClick(LControl* control) {
  if (control == OkButton) {
    Close(-1);
  } else if (control == CancelButton) {
    Close(-2);
  } else if (control == MusicOnBox || control == SoundOnBox || control == FullScreenBox ||
             control == TipsBox || control == SymbolsBox || control == ActInPauseBox ||
             control == LockMarksBox) {
    static_cast<LClipCheckBox*>(control)->Toggle();
  }
}
