// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A volume slider: a track picture and a handle button dragged along it. The value
// (0 .. MaxValue) follows from where the handle stands on the track.
#include <cstdint>

class LClip;
class LClipButton;
class LEngine;

class GVolume {
 public:
  GVolume(LEngine* screen, int trackEntry, int handleEntry, int32_t leftMargin, int32_t rightMargin,
          int32_t yOffset, int32_t maxValue);
  virtual ~GVolume();
  GVolume(const GVolume&) = delete;
  GVolume& operator=(const GVolume&) = delete;

  // Both take coordinates relative to the screen and return 0.
  virtual int32_t OnMouseMove(int32_t x, int32_t y);
  virtual int32_t OnMouseDown(int32_t x, int32_t y);

  int32_t GetValue() const;
  void SetValue(int32_t v);

  LClip* Track = nullptr;
  LClipButton* Handle = nullptr;
  int32_t LeftMargin;
  int32_t RightMargin;
  int32_t YOffset;
  int32_t MaxValue;

 private:
  // The length of track the handle can travel.
  int32_t Travel() const;

  LEngine* screen_;
};
