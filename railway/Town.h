// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A town at the left or right edge of the field, its pictures, its queue of trains
// waiting for a free line and its delayed start.
#include <deque>

#include "railway/FieldSprites.h"
#include "railway/Train.h"

struct QueuedTrain {
  int colour = 0;
  int cars = 1;
  int loco = 0;
  TrainKind kind = TrainKind::kOrdinary;
  int town = 0;
};

struct Town {
  int townJunction = -1;
  int innerJunction = -1;
  int colour = 0;
  int startDirection = -1;
  bool left = true;
  FieldSprite* arrival = nullptr;
  FieldSprite* bell = nullptr;
  FieldSprite* startSign = nullptr;
  FieldSprite* badge = nullptr;  // the colour badge, when shown
  int countdown = -1;  // delayed start, ms; -1 when idle
  QueuedTrain delayed;
  std::deque<QueuedTrain> queue;
};
