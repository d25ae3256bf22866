// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/CharSprites.h"

#include <cctype>

namespace {

void ShowGlyph(LClip& clip, const BitmapFont& font, char c) {
  const SDL_Rect* g = font.Glyph(c);
  clip.SrcRect = g ? *g : SDL_Rect{0, 0, 0, 0};
  clip.FrameW = clip.SrcRect.w;
  clip.FrameH = clip.SrcRect.h;
  clip.Changed = true;
}

constexpr int32_t kRollStep = 200;

}  // namespace

void BorrowFontSheet(LClip& clip, const BitmapFont& font) {
  clip.ReleasePicture();
  clip.Picture = new ClipPicture{1, -1, font.Sheet};
  clip.Changed = true;
}

CharStatic::CharStatic(const BitmapFont& font) : Font(font) {
  BorrowFontSheet(*this, font);
  Stop = true;
  Visible = false;
}

void CharStatic::SetChar(char c) { ShowGlyph(*this, Font, c); }

CharText::CharText(const BitmapFont& font, int32_t left, int32_t width, int32_t mid)
    : Font(font),
      VMax(width / 5000.0),
      VMin(width / 5000.0 / 10.0),
      Left(left),
      Width(width),
      Right(left + width),
      Mid(mid) {
  BorrowFontSheet(*this, font);
  Stop = true;
}

void CharText::SetChar(char c) { ShowGlyph(*this, Font, c); }

void CharText::Launch(int32_t px, int32_t py) {
  Left = px;
  Mid = (Right + px) / 2;
  LineY = py;
  SetPosition(px + Width, py);
  z = -2000;
}

void CharText::FlyIn() { Dir = 1; }

void CharText::FlyOut() {
  Dir = -1;
  x = Left + 1;
  z = -2000;
}

void CharText::Update(int32_t) {
  if (x < -2000 || x > 2000) {
    Vx = Vy = 0;
    SetVisible(false);
    return;
  }
  // A line narrower than two pixels would divide by zero; treat it as two wide.
  const int32_t half = Width / 2 > 0 ? Width / 2 : 1;
  if (x >= Right)
    Vx = -(Dir * VMin);
  else if (x < Mid)
    Vx = -((VMax - VMin) * (x - Left) / half + VMin) * Dir;
  else
    Vx = -((VMax - VMin) * (half - (x - Mid)) / half + VMin) * Dir;
  Vy = 0;
  SetVisible(x <= Right);
  if (Dir == 1 && x <= Left) {
    x = Left;
    z = -2000;
    Vx = Vy = 0;
  }
}

CharNumber::CharNumber(const LClip& digitStrip) {
  Assign(digitStrip, false);
  Stop = true;
}

void CharNumber::SetDigit(char c, bool immediate) {
  if (immediate) {
    Digit = c;
    Stop = true;
    SetFrame(4 * (c - '0'));
    Pending = 0;
    return;
  }
  if (cFrame % 4 != 0) {
    Pending = c;
    return;
  }
  if (c != Digit && std::isdigit(static_cast<unsigned char>(c))) {
    Digit = c;
    SetFrame(4 * (c - '0') + 3);
    RollTime = 0;
  }
  Pending = 0;
}

void CharNumber::Update(int32_t dt) {
  RollTime += dt;
  if (RollTime < kRollStep) return;
  RollTime = 0;
  if (cFrame % 4 != 0)
    SetFrame(cFrame - 1);
  else if (Pending != 0)
    SetDigit(Pending, false);
}
