// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The choice between the two game types: a picture of each, animated while the
// mouse is over the other one's frame, and a marker on the type in use.
#include <cstdint>

#include "engine/LEngine.h"
#include "sprites/BitmapFont.h"

class LClipButton;

// The result codes of the game type dialog.
namespace pick {
constexpr int32_t kPuzzle = 0;
constexpr int32_t kClassic = 1;
}  // namespace pick

class GWndPickGame : public LEngine {
 public:
  GWndPickGame(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
               const BitmapFont* titleFont);

  // Marks the type in use and shows the dialog over the screen in slot.
  void Open(LEngine** slot, bool classicSelected);
  // The hover animation of the two pictures, then the base update.
  void Update(int32_t elapsed, int32_t frame) override;
  // The hover animation for a mouse at (px, py), relative to the dialog.
  void Hover(int32_t px, int32_t py);
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnControlClick(LControl* control) override;

  LClip* PuzzlePicture = nullptr;
  LClip* ClassicPicture = nullptr;
  LClip* Marker = nullptr;
  LClipButton* PuzzleFrame = nullptr;
  LClipButton* ClassicFrame = nullptr;

 private:
  const BitmapFont* titleFont_;
};
