// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GWndPickGame.h"

#include "engine/LSound.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int32_t kPictureFramePeriod = 500;
constexpr double kMarkerX = 65.0;
constexpr double kMarkerPuzzleY = 88.0;
constexpr double kMarkerClassicY = 316.0;
constexpr double kMarkerZ = -100.0;

// A type picture that stands still until the mouse asks for its animation.
LClip* MakeTypePicture(int entry) {
  LClip* picture = ClipLib::Create(entry);
  if (picture) {
    picture->Period = kPictureFramePeriod;
    picture->Stop = true;
  }
  return picture;
}

// Stops a running picture on its first frame.
void Halt(LClip* picture) {
  if (!picture || picture->Stop) return;
  picture->Stop = true;
  picture->SetFrame(0);
}

void Start(LClip* picture) {
  if (picture) picture->Stop = false;
}

}  // namespace

GWndPickGame::GWndPickGame(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
                           const BitmapFont* titleFont)
    : LEngine(target, px, py, w, h, true), titleFont_(titleFont) {
  StampSprite(ClipLib::Create(clip::BigBackground));
  if (titleFont_) titleFont_->DrawCentred(Background, 10, "PICK GAME", 0);

  AddSprite(ClipLib::Create(clip::PickGameBackTop));
  AddSprite(ClipLib::Create(clip::PickGameBackBottom));
  PuzzlePicture = MakeTypePicture(clip::PuzzleGamePicture);
  AddSprite(PuzzlePicture);
  ClassicPicture = MakeTypePicture(clip::ClassicGamePicture);
  AddSprite(ClassicPicture);
  Marker = ClipLib::Create(clip::PickSelected);
  AddSprite(Marker);
  PuzzleFrame = MakeButton(clip::PickFramePuzzle, snd::Button, this, false);
  ClassicFrame = MakeButton(clip::PickFrameClassic, snd::Button, this, false);
}

void GWndPickGame::Open(LEngine** slot, bool classicSelected) {
  if (Marker) {
    Marker->SetPosition(kMarkerX, classicSelected ? kMarkerClassicY : kMarkerPuzzleY);
    Marker->z = kMarkerZ;
    Marker->Changed = true;
    RequestSort();
  }
  Show(slot);
}

void GWndPickGame::Hover(int32_t px, int32_t py) {
  // Over one type's frame, the other type's picture plays.
  if (PuzzleFrame->Contains(px, py)) {
    Halt(PuzzlePicture);
    Start(ClassicPicture);
  } else if (ClassicFrame->Contains(px, py)) {
    Halt(ClassicPicture);
    Start(PuzzlePicture);
  }
}

void GWndPickGame::Update(int32_t elapsed, int32_t frame) {
  int mx = 0;
  int my = 0;
  SDL_GetMouseState(&mx, &my);
  Hover(mx - X, my - Y);
  LEngine::Update(elapsed, frame);
}

int32_t GWndPickGame::OnKeyDown(int32_t key, int32_t modifiers) {
  if (key == SDLK_ESCAPE) Close(-2);
  return LEngine::OnKeyDown(key, modifiers);
}

void GWndPickGame::OnControlClick(LControl* control) {
  if (control == PuzzleFrame)
    Close(pick::kPuzzle);
  else if (control == ClassicFrame)
    Close(pick::kClassic);
}
