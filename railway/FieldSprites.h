// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field's view of the screen it draws into: it asks for sprites by clip library
// entry and hands them back when they die. The game binds this to its screen and the
// clip library; tests and the scenario runner use the headless sprites.
#include <string>

#include "core/ClipTable.h"

class FieldSprite {
 public:
  virtual ~FieldSprite() = default;
  virtual void SetPos(double x, double y) = 0;
  virtual double X() const = 0;
  virtual double Y() const = 0;
  virtual void SetZ(int z) = 0;
  virtual int Z() const = 0;
  virtual void SetFrame(int frame) = 0;
  virtual int Frame() const = 0;
  virtual int Frames() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool Visible() const = 0;
  // Animation through all frames in a loop, one frame per period (ms).
  virtual void SetPeriod(int ms) = 0;
  virtual void Animate(bool on) = 0;
  virtual bool Animating() const = 0;
  // Velocity in screen widths and heights per 30 ms.
  virtual void SetVelocity(double vx, double vy) = 0;
  // Shows the picture with the colour added to every pixel (replacing an earlier tint).
  virtual void Tint(int r, int g, int b) = 0;
  // True when the point lies on a visible, non-transparent pixel of the sprite.
  virtual bool Hit(int x, int y) const = 0;
  // The same test for a shown or hidden sprite: a junction answers clicks on its switch
  // and signal pictures while they are still hidden under construction.
  virtual bool Covers(int x, int y) const { return Hit(x, y); }
  virtual int Clip() const = 0;
};

class FieldSprites {
 public:
  virtual ~FieldSprites() = default;
  // A new sprite of the clip library entry, at the entry's position and depth, shown.
  // The screen owns it; the field keeps the pointer until it calls Remove.
  virtual FieldSprite* Create(int clip, bool deep) = 0;
  virtual void Remove(FieldSprite* sprite) = 0;
  // A house of the town's colour (the clip::Homes entry in that town's colours).
  virtual FieldSprite* CreateHouse(int town) {
    (void)town;
    return Create(clip::Homes, false);
  }
};

// Frame count of a clip library entry as the clip table gives it; at least one, since a
// sprite always shows a frame (reserved entries have none).
inline int FieldClipFrames(int clip) {
  const ClipDesc* desc = GetClipDesc(clip);
  return desc && desc->iNumberFrames > 0 ? desc->iNumberFrames : 1;
}
