// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndIntro.h"

#include <memory>

#include "core/Random.h"
#include "sprites/BitmapFont.h"
#include "sprites/ClipLib.h"

namespace {

constexpr int kBackgroundEntry = 3;
constexpr int kLogoEntry = 5;
constexpr int kMakerEntry = 6;
constexpr int kTrainEntry = 10;
constexpr int kSmallFontEntry = 2;
constexpr int32_t kTrainStartX = 278;
constexpr int32_t kTrainRunX = 162;
constexpr int32_t kTrainY = 524;
constexpr uint32_t kMinimumTime = 3000;

// Draws "V. " + version with the small font into the screen's background.
void DrawVersion(SDL_Surface* background, const std::string& version) {
  std::unique_ptr<LClip> owned;
  BitmapFont font(ClipLib::TemplateOrCopy(kSmallFontEntry, owned));
  font.DrawString(background, 740, 575, "V. " + version);
}

}  // namespace

GWndIntro::GWndIntro(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                     const std::string& version)
    : LEngine(target, px, py, w, h, true) {
  StampSprite(ClipLib::Create(kBackgroundEntry));
  DrawVersion(Background, version);
  AddSprite(ClipLib::Create(kLogoEntry));
  AddSprite(ClipLib::Create(kMakerEntry));
  TrainClip = ClipLib::Create(kTrainEntry);
  if (TrainClip) {
    TrainClip->SetPosition(kTrainStartX, kTrainY);
    TrainClip->Stop = true;
  }
  AddSprite(TrainClip);
}

void GWndIntro::Show(LEngine** slot) {
  Elapsed = 0;
  LEngine::Show(slot);
}

void GWndIntro::Update(int32_t elapsed, int32_t frame) {
  if (loadFailed_) return;
  const int32_t percent = ClipLib::LoadNext();
  if (percent == -1) {
    loadFailed_ = true;
    return;
  }
  if (TrainClip) TrainClip->x = percent * kTrainRunX / 100 + kTrainStartX;
  // One draw a frame, from the presentation stream: how long the intro took (and so the
  // tune the music picks) varies with the machine, the game's stream never does.
  (void)rnd::PresentationStream().Next();
  Elapsed += static_cast<uint32_t>(elapsed);
  if (Elapsed > kMinimumTime && ClipLib::IsComplete()) {
    Close(1);
    return;
  }
  LEngine::Update(elapsed, frame);
}
