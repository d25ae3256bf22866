// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sprites of single characters: a glyph revealed in place (CharStatic), a glyph
// that flies in from the right and out again (CharText), and a rolling digit of a
// counter (CharNumber). The glyph sprites show the font sheet without owning it.
#include <cstdint>

#include "engine/LClip.h"
#include "sprites/BitmapFont.h"

// Gives a clip a picture record over the font sheet that never frees the sheet.
void BorrowFontSheet(LClip& clip, const BitmapFont& font);

class CharStatic : public LClip {
 public:
  // Invisible and stopped until a character is set and shown.
  explicit CharStatic(const BitmapFont& font);
  // Shows the glyph of c; a character without glyph leaves a zero rectangle.
  void SetChar(char c);

  const BitmapFont& Font;
};

class CharText : public LClip {
 public:
  // left and width are the line's; mid the point where the flight is fastest.
  CharText(const BitmapFont& font, int32_t left, int32_t width, int32_t mid);

  void SetChar(char c);
  // Sets the target x and places the glyph Width to the right of it.
  void Launch(int32_t px, int32_t py);
  void FlyIn();
  void FlyOut();
  // Steers the flight; no frame animation.
  void Update(int32_t dt) override;

  const BitmapFont& Font;
  int32_t Dir = 0;  // 0 idle, 1 flying in to the left, -1 flying out to the right
  double VMax = 0.0;
  double VMin = 0.0;
  int32_t Left = 0;
  int32_t Width = 0;
  int32_t Right = 0;
  int32_t Mid = 0;
  int32_t LineY = 0;
};

class CharNumber : public LClip {
 public:
  // A digit on the 40-frame digit strip of digitStrip (sharing its picture).
  explicit CharNumber(const LClip& digitStrip);

  // Shows c at once (immediate) or rolls to it; a change asked for during a roll
  // waits for it to end.
  void SetDigit(char c, bool immediate);
  // Moves the roll one frame every 200 ms.
  void Update(int32_t dt) override;

  char Digit = '0';
  char Pending = 0;
  int32_t RollTime = 0;
};
