// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rows of character sprites: a caption whose letters fly in and out, and a counter
// of rolling digits. Their sprites live in a screen; the row removes them from it
// when it is destroyed, so it must be destroyed before that screen.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sprites/BitmapFont.h"
#include "sprites/CharSprites.h"

class LEngine;

class FlyingTextLine {
 public:
  static constexpr int kMaxCount = 20;

  // count glyph sprites (none when count exceeds kMaxCount) on the sheet of
  // fontClip with characterList (nullptr: the default list).
  FlyingTextLine(LEngine* screen, const LClip* fontClip, int32_t left, int32_t y, int32_t width,
                 int count, const char* characterList = nullptr);
  ~FlyingTextLine();
  FlyingTextLine(const FlyingTextLine&) = delete;
  FlyingTextLine& operator=(const FlyingTextLine&) = delete;

  // Centres text on the line and lets its letters fly in.
  void SetText(const std::string& text);
  // Every letter flies out to the right.
  void FlyOut();

  const BitmapFont& Font() const { return *font_; }
  const std::vector<CharText*>& Chars() const { return chars_; }

  int32_t Left;
  int32_t Y;
  int32_t Width;

 private:
  std::unique_ptr<BitmapFont> font_;
  LEngine* screen_;
  std::vector<CharText*> chars_;
};

class NumberRow {
 public:
  static constexpr int kMaxCount = 100;

  // count digits copied from digitTemplate, step pixels apart (-1: the template's
  // frame width), with groupGap more pixels between groups of three from the right.
  NumberRow(LEngine* screen, const LClip& digitTemplate, int32_t x, int32_t y, double z, int count,
            int32_t step, int32_t groupGap);
  ~NumberRow();
  NumberRow(const NumberRow&) = delete;
  NumberRow& operator=(const NumberRow&) = delete;

  // Shows n right-aligned and padded with zeros; rolls unless immediate. A number
  // with more digits than the row shows its lowest digits.
  void SetValue(int32_t n, bool immediate);

  const std::vector<CharNumber*>& Digits() const { return digits_; }

 private:
  LEngine* screen_;
  std::vector<CharNumber*> digits_;
};
