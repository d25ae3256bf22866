// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A locomotive with its wagons, and the tables of locomotive and wagon types.
#include <string>
#include <vector>

#include "railway/FieldSprites.h"
#include "railway/Geometry.h"

enum TrainKind { kOrdinary = 0, kRepair = 1, kCrazy = 2 };

constexpr int kMaxCars = 29;
const char* ColourName(int colour);
void ColourTint(int colour, int rgb[3]);

struct LocoType {
  int length;
  double topSpeed;
  double acceleration;
  int picture;
  int shadow;
};
const LocoType& Loco(int type);
int WagonLength(int type);

struct Car {
  rail::Place place;
  rail::Place rear;
  int sx = 0;
  int sy = 0;
  double half = 0;
  FieldSprite* picture = nullptr;
  FieldSprite* picture2 = nullptr;
  FieldSprite* shadow = nullptr;
  int previousDirection = -1;
};

class Train {
 public:
  // Wagon type -1 picks one at random.
  Train(int loco, int cars, int colour, rail::Place start, int kind, int wagon,
        FieldSprites* sprites);
  ~Train();
  Train(const Train&) = delete;
  Train& operator=(const Train&) = delete;

  int CarCount() const { return static_cast<int>(cars.size()); }
  // Swaps the two pictures of every car (the crazy train's blinking).
  void SwapPictures();
  void HideCar(int i);
  // Clip library entries of car i's picture and shadow.
  int CarPicture(int i) const;
  int CarShadow(int i) const;

  std::vector<Car> cars;
  double speed = 0;
  double topSpeed = 0;
  double acceleration = 0;
  bool reversed = false;
  rail::Place head;
  int colour = 0;
  int loco = 0;
  int wagon = 0;
  int kind = kOrdinary;
  int arrivedTown = -1;
  bool routed = false;
  int pendingJ = -1;
  int pendingD = -1;
  int blinkTimer = 0;
  bool tipFollow = false;
  FieldSprite* badge = nullptr;  // the colour badge over the locomotive, when shown

 private:
  void MakeCarPictures(int i);
  FieldSprites* sprites_;
};
