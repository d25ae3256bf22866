// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A town at the left or right edge of the field, its pictures, its queue of trains
// waiting for a free line and its delayed start.
#include <deque>

#include "railway/FieldSprites.h"
#include "railway/Train.h"

// A train to start from a town: its colour, number of cars, locomotive type and kind,
// and the town (kAnyTown: a random one). A town keeps such orders in its queue while
// the line is busy, and one for its delayed start.
struct TrainOrder {
  int colour = 0;
  int cars = 1;
  int loco = 0;
  TrainKind kind = TrainKind::kOrdinary;
  int town = 0;
};
constexpr int kAnyTown = -1;

// When a train leaves: now, or after the town's start sign has run (a delayed start).
enum class Departure { kNow, kDelayed };

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
  int countdown = -1;            // delayed start, ms; -1 when idle
  TrainOrder delayed;
  std::deque<TrainOrder> queue;
};
