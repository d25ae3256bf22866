// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/TextLines.h"

#include <cstdio>

#include "engine/LEngine.h"

FlyingTextLine::FlyingTextLine(LEngine* screen, const LClip* fontClip, int32_t left, int32_t y,
                               int32_t width, int count, const char* characterList)
    : Left(left),
      Y(y),
      Width(width),
      font_(std::make_unique<BitmapFont>(fontClip, characterList)),
      screen_(screen) {
  if (count > kMaxCount || count < 0) return;
  for (int i = 0; i < count; ++i) {
    auto* c = new CharText(*font_, left, width, (left + width) / 2);
    c->SetVisible(false);
    chars_.push_back(c);
    if (screen_) screen_->AddSprite(c);
  }
}

FlyingTextLine::~FlyingTextLine() {
  for (CharText* c : chars_) {
    if (screen_)
      screen_->RemoveSprite(c, true);
    else
      delete c;
  }
}

void FlyingTextLine::SetText(const std::string& text) {
  int32_t x = Left + Width / 2 - font_->Measure(text) / 2;
  for (size_t i = 0; i < chars_.size(); ++i) {
    CharText* c = chars_[i];
    c->SetVisible(false);
    if (i >= text.size()) {
      c->Launch(0, -1000);
      continue;
    }
    c->SetChar(text[i]);
    c->Launch(x, Y);
    c->Vx = -0.001;
    c->Vy = 0;
    c->FlyIn();
    x += font_->GlyphWidth(text[i]);
  }
}

void FlyingTextLine::FlyOut() {
  for (CharText* c : chars_) c->FlyOut();
}

NumberRow::NumberRow(LEngine* screen, const LClip& digitTemplate, int32_t x, int32_t y, double z,
                     int count, int32_t step, int32_t groupGap)
    : screen_(screen) {
  if (count > kMaxCount || count < 0) return;
  if (step == -1) step = digitTemplate.FrameW;
  int32_t px = x;
  for (int i = 0; i < count; ++i) {
    auto* d = new CharNumber(digitTemplate);
    d->SetPosition(px, y);
    d->z = z;
    digits_.push_back(d);
    if (screen_) screen_->AddSprite(d);
    px += step;
    if ((count - i) % 3 == 1) px += groupGap;
  }
}

NumberRow::~NumberRow() {
  for (CharNumber* d : digits_) {
    if (screen_)
      screen_->RemoveSprite(d, true);
    else
      delete d;
  }
}

void NumberRow::SetValue(int32_t n, bool immediate) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", n);
  std::string text(buffer);
  const size_t count = digits_.size();
  if (text.size() < count)
    text.insert(0, count - text.size(), '0');
  else
    text = text.substr(text.size() - count);
  for (size_t i = 0; i < count; ++i) digits_[i]->SetDigit(text[i], immediate);
}
