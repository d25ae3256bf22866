// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options dialog: music and sound volume sliders, seven check boxes, OK and
// cancel. It edits copies of nine settings; music changes are heard at once.
#include <cstdint>
#include <memory>

#include "engine/LEngine.h"
#include "screens/GVolume.h"
#include "sprites/BitmapFont.h"

class LClipButton;
class LClipCheckBox;
class ScreenServices;

class GWndOptions : public LEngine {
 public:
  // services previews the music; both it and titleFont must outlive the dialog.
  GWndOptions(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
              const BitmapFont* titleFont, ScreenServices& services);
  ~GWndOptions() override;

  // toDialog: the dialog takes the six values; otherwise they are read back from it.
  void Exchange(int32_t& soundVolume, int32_t& musicVolume, bool& fullScreen, bool& showTips,
                bool& soundOn, bool& musicOn, bool toDialog);
  // The same for the colour symbols, which have a box of their own.
  void ExchangeSymbols(bool& colourSymbols, bool toDialog);
  // The same for acting while paused and the lock marks.
  void ExchangePlayerHelp(bool& actWhilePaused, bool& lockMarks, bool toDialog);

  void Update(int32_t elapsed, int32_t frame) override;
  LControl* OnMouseMove(int32_t px, int32_t py) override;
  LControl* OnLeftDown(int32_t px, int32_t py) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  std::unique_ptr<GVolume> SoundSlider;
  std::unique_ptr<GVolume> MusicSlider;
  LClipButton* OkButton = nullptr;
  LClipButton* CancelButton = nullptr;
  LClipCheckBox* MusicOnBox = nullptr;
  LClipCheckBox* SoundOnBox = nullptr;
  LClipCheckBox* FullScreenBox = nullptr;
  LClipCheckBox* TipsBox = nullptr;
  LClipCheckBox* SymbolsBox = nullptr;
  LClipCheckBox* ActInPauseBox = nullptr;
  LClipCheckBox* LockMarksBox = nullptr;
  int32_t LastMusicVolume = 0;
  bool LastMusicOn = false;

 private:
  void PreviewMusic();

  const BitmapFont* titleFont_;
  ScreenServices& services_;
};
