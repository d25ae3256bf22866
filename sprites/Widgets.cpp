// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/Widgets.h"

#include "engine/LSound.h"
#include "sprites/ClipLib.h"

namespace {

// Copies the library entry into the widget: from its template, or from a clip
// made for the purpose when the entry is not kept as a template.
bool CopyEntry(LClipControl& control, int libraryIndex) {
  if (const LClip* t = ClipLib::GetTemplate(libraryIndex)) {
    control.Assign(*t, false);
    return true;
  }
  LClip* temporary = ClipLib::Create(libraryIndex, false);
  if (!temporary) return false;
  control.Assign(*temporary, false);
  delete temporary;
  return true;
}

template <typename Widget>
Widget* MakeWidget(int libraryIndex, int32_t sound, LEngine* screen, bool pixelHit) {
  auto* widget = new Widget;
  CopyEntry(*widget, libraryIndex);
  if (sound != -1) widget->SetClickSound(sound);
  widget->PixelHit = pixelHit;
  widget->SetState(0);
  if (screen) screen->AddControl(widget);
  return widget;
}

}  // namespace

LClipControl::LClipControl() { Stop = true; }

void LClipControl::Assign(const LClip& src, bool deep) {
  LClip::Assign(src, deep);
  PlayClickSound = false;
  PixelHit = false;
  TakesKeys = false;
  Pressed = false;
  Stop = true;
}

void LClipControl::SetClickSound(int32_t n) {
  PlayClickSound = true;
  ClickSound = n;
}

bool LClipControl::Inside(int32_t px, int32_t py) const {
  if (px < x || px > x + FrameW || py < y || py > y + FrameH) return false;
  return !PixelHit || !IsTransparentAt(px, py);
}

bool LClipButton::OnMouseMove(int32_t px, int32_t py, bool buttonDown) {
  if (!InsideVisible(px, py)) {
    SetHighlight(false);
    return false;
  }
  if (Pressed && buttonDown) {
    if (ButtonState != kPressed) SetState(kPressed);
  } else if (ButtonState != kHover) {
    SetState(kHover);
  }
  return true;
}

bool LClipButton::OnMouseDown(int32_t px, int32_t py) {
  if (!InsideVisible(px, py)) {
    SetState(kNormal);
    return false;
  }
  SetState(kPressed);
  if (PlayClickSound) Sound().Play(ClickSound, 0);
  Pressed = true;
  return true;
}

bool LClipButton::OnMouseUp(int32_t px, int32_t py) {
  SetState(kNormal);
  Pressed = false;
  return InsideVisible(px, py);
}

void LClipButton::SetHighlight(bool on) {
  if (on) {
    if (ButtonState != kHover) SetState(kHover);
    Highlighted = true;
  } else {
    SetState(Pressed ? kPressed : kNormal);
    Highlighted = false;
  }
}

void LClipButton::SetState(int32_t state) {
  ButtonState = state;
  static constexpr int32_t kFrames[3] = {0, 2, 1};
  // The same frame again would only make the screen draw the button once more.
  const int32_t frame = state >= 0 && state < 3 ? kFrames[state] : 0;
  if (frame != cFrame) SetFrame(frame);
}

bool LClipCheckBox::OnMouseMove(int32_t px, int32_t py, bool buttonDown) {
  if (!Inside(px, py)) {
    SetState(RestState());
    return false;
  }
  SetState(RestState() + (buttonDown ? 2 : 1));
  return true;
}

bool LClipCheckBox::OnMouseDown(int32_t px, int32_t py) {
  if (!Inside(px, py)) {
    SetState(RestState());
    return false;
  }
  SetState(RestState() + 2);
  Pressed = true;
  return true;
}

bool LClipCheckBox::OnMouseUp(int32_t px, int32_t py) {
  // A release ends the press wherever it happens, so that a later release over
  // the box after a press elsewhere is not taken for a click.
  Pressed = false;
  SetState(RestState());
  return Inside(px, py);
}

void LClipCheckBox::SetState(int32_t state) {
  BoxState = state;
  static constexpr int32_t kFrames[6] = {0, 2, 1, 3, 5, 4};
  const int32_t frame = state >= 0 && state < 6 ? kFrames[state] : 0;
  if (frame != cFrame) SetFrame(frame);
}

void LClipCheckBox::SetChecked(bool b) {
  Checked = b;
  SetState(Checked ? 3 : 0);
}

void LClipCheckBox::Toggle() { SetChecked(!Checked); }

LClipButton* MakeButton(int libraryIndex, int32_t sound, LEngine* screen, bool pixelHit) {
  return MakeWidget<LClipButton>(libraryIndex, sound, screen, pixelHit);
}

LClipCheckBox* MakeCheckBox(int libraryIndex, int32_t sound, LEngine* screen, bool pixelHit) {
  return MakeWidget<LClipCheckBox>(libraryIndex, sound, screen, pixelHit);
}
