// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buttons and check boxes: clips whose frames show their states. A widget never
// calls its screen; the screen passes mouse events in and acts on the answers
// (a true answer of the release handler is a click).
#include <cstdint>

#include "engine/LEngine.h"

class LClipControl : public LControl {
 public:
  // Stopped: frames are selected by state, not animated.
  LClipControl();

  // The clip copy, then the control fields are reset and the clip stopped.
  void Assign(const LClip& src, bool deep) override;
  void SetClickSound(int32_t n);

  int32_t ClickSound = -1;
  bool PlayClickSound = false;
  bool PixelHit = false;

 protected:
  // Inside the frame with the position as top-left corner, both edges included,
  // and, with PixelHit, not over a fully transparent pixel.
  bool Inside(int32_t px, int32_t py) const;
};

class LClipButton : public LClipControl {
 public:
  enum : int32_t { kNormal = 0, kHover = 1, kPressed = 2 };

  bool OnMouseMove(int32_t px, int32_t py, bool buttonDown) override;
  bool OnMouseDown(int32_t px, int32_t py) override;
  bool OnMouseUp(int32_t px, int32_t py) override;
  void SetHighlight(bool on) override;
  void SetState(int32_t state) override;

  bool Highlighted = false;
  int32_t ButtonState = kNormal;

 private:
  bool InsideVisible(int32_t px, int32_t py) const { return Visible && Inside(px, py); }
};

class LClipCheckBox : public LClipControl {
 public:
  // 0 unchecked, 1 unchecked hover, 2 unchecked pressed, 3 checked, 4 checked
  // hover, 5 checked pressed.
  bool OnMouseMove(int32_t px, int32_t py, bool buttonDown) override;
  bool OnMouseDown(int32_t px, int32_t py) override;
  bool OnMouseUp(int32_t px, int32_t py) override;
  void SetState(int32_t state) override;

  void SetChecked(bool b);
  void Toggle();

  int32_t BoxState = 0;
  bool Checked = false;

 private:
  int32_t RestState() const { return Checked ? 3 : 0; }
};

// A button of library entry libraryIndex; sound -1 plays nothing. Added to the
// screen as a control when one is given (the screen then owns it).
LClipButton* MakeButton(int libraryIndex, int32_t sound, LEngine* screen, bool pixelHit);
// The same for a check box, which starts unchecked.
LClipCheckBox* MakeCheckBox(int libraryIndex, int32_t sound, LEngine* screen, bool pixelHit);
