// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/GVolume.h"

#include <algorithm>
#include <cmath>

#include "engine/LEngine.h"
#include "engine/PictureEffects.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

GVolume::GVolume(LEngine* screen, int trackEntry, int handleEntry, int32_t leftMargin,
                 int32_t rightMargin, int32_t yOffset, int32_t maxValue)
    : LeftMargin(leftMargin),
      RightMargin(rightMargin),
      YOffset(yOffset),
      MaxValue(maxValue),
      screen_(screen) {
  Track = ClipLib::Create(trackEntry);
  screen_->AddSprite(Track);
  // No click sound; the handle is hit only over its visible pixels.
  Handle = MakeButton(handleEntry, -1, screen_, true);
  SetValue(0);
}

GVolume::~GVolume() {
  screen_->RemoveSprite(Track, true);
  screen_->RemoveSprite(Handle, true);
}

int32_t GVolume::Travel() const {
  if (!Track || !Handle) return 0;
  return Track->FrameW - Handle->FrameW - RightMargin - LeftMargin;
}

int32_t GVolume::GetValue() const {
  const int32_t travel = Travel();
  if (travel == 0) return 0;
  // The handle's drawn left edge: its anchor is where it was grabbed.
  const double offset = Handle->x - Handle->AlignX - Track->x - LeftMargin;
  return static_cast<int32_t>(std::lround(offset * MaxValue / travel));
}

void GVolume::SetValue(int32_t v) {
  if (!Track || !Handle) return;
  v = std::clamp(v, 0, std::max(MaxValue, 0));
  Handle->SetAllAlign(0, 0);
  // The nearest whole pixel, so that GetValue gives v back whenever the track has at
  // least one pixel per step: a value saved and shown again does not creep down.
  const double exact = MaxValue > 0 ? static_cast<double>(Travel()) * v / MaxValue : 0.0;
  const int32_t step = static_cast<int32_t>(std::lround(exact));
  Handle->SetPosition(LeftMargin + TruncToInt(Track->x) + step, YOffset + TruncToInt(Track->y));
}

int32_t GVolume::OnMouseDown(int32_t x, int32_t y) {
  if (!Track || !Handle) return 0;
  int32_t lx = x;
  int32_t ly = y;
  if (Handle->Visible && Handle->ToLocal(lx, ly)) {
    // Anchored at the grabbed point, the handle does not jump under the pointer.
    Handle->SetAllAlign(lx, ly);
    Handle->SetPosition(x, y);
  } else if (Track->Contains(x, y)) {
    // A click on the track brings the handle there in one step.
    Handle->Pressed = true;
    OnMouseMove(x, y);
    Handle->Pressed = false;
  }
  return 0;
}

int32_t GVolume::OnMouseMove(int32_t x, int32_t /*y*/) {
  if (!Track || !Handle || !Handle->Pressed) return 0;
  const int32_t left = TruncToInt(Track->x) + LeftMargin;
  const int32_t lowest = left + Handle->AlignX;
  const int32_t highest = left + Travel() + Handle->AlignX;
  x = std::max(x, lowest);
  x = std::min(x, highest);
  Handle->SetPosition(x, Handle->AlignY + TruncToInt(Track->y) + YOffset);
  return 0;
}
