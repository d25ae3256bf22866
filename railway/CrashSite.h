// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A damaged section of track: its sign and the button that calls the repair train.
#include "railway/FieldSprites.h"
#include "railway/Geometry.h"

struct CrashSite {
  rail::Place place;
  FieldSprite* sign = nullptr;
  FieldSprite* button = nullptr;
};

// A crashed car's explosion, waiting for its delay, then animating over the car.
struct Explosion {
  FieldSprite* blast = nullptr;
  FieldSprite* car = nullptr;
  FieldSprite* carShadow = nullptr;
  FieldSprite* carSecond = nullptr;
  int delay = 0;
  bool paused = true;
};
