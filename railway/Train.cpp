// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Train.h"

#include <algorithm>
#include <atomic>
#include <utility>

#include "core/Random.h"
#include "railway/Colours.h"

namespace {

std::atomic<unsigned long long> lastSerial{0};

const LocoType kLocos[kLocoTypes] = {{36, 0.8, 0.007, clip::Loco0, clip::LocoShadow0},
                                     {52, 1.0, 0.008, clip::Loco1, clip::LocoShadow1},
                                     {36, 1.2, 0.007, clip::Loco2, clip::LocoShadow2},
                                     {52, 1.5, 0.009, clip::Loco3, clip::LocoShadow3},
                                     {38, 2.0, 0.02, clip::Loco4, clip::LocoShadow4},
                                     {40, 3.0, 0.025, clip::Loco5, clip::LocoShadow5},
                                     {42, 4.0, 0.05, clip::Loco6, clip::LocoShadow6},
                                     {47, 5.5, 0.04, clip::Loco7, clip::LocoShadow7}};
const int kWagonLength[kWagonTypes] = {35, 37, 30, 30, 50};
const int kWagonPicture[kWagonTypes] = {clip::Wagon0, clip::Wagon1, clip::Wagon2, clip::Wagon3,
                                        clip::Wagon4};
// The repair train is one locomotive of type 1; type 7 always pulls wagons of type 4.
constexpr int kRepairLoco = 1;
constexpr int kLongWagonLoco = 7;
constexpr int kLongWagon = 4;

// A car covers half its length, in whole units, to either side of its centre.
int CarLength(int length) { return 2 * (length / 2); }

const int kWagonShadow[kWagonTypes] = {clip::WagonShadow0, clip::WagonShadow1, clip::WagonShadow2,
                                       clip::WagonShadow3, clip::WagonShadow4};

}  // namespace

const char* ColourName(int colour) {
  return colour >= 0 && colour < rail::kColourCount ? rail::kColourNames[colour] : "";
}

void ColourTint(int colour, int rgb[3]) {
  const bool known = colour >= 0 && colour < rail::kColourCount;
  for (int k = 0; k < 3; ++k) rgb[k] = known ? rail::kColourTints[colour][k] : 0;
}

const LocoType& Loco(int type) { return kLocos[type >= 0 && type < 8 ? type : 0]; }
int WagonLength(int type) { return kWagonLength[type >= 0 && type < 5 ? type : 0]; }

int ShortestCar() {
  int shortest = CarLength(Loco(0).length);
  for (int t = 0; t < kLocoTypes; ++t) shortest = std::min(shortest, CarLength(Loco(t).length));
  for (int w = 0; w < kWagonTypes; ++w) shortest = std::min(shortest, CarLength(WagonLength(w)));
  return shortest;
}

int ShortestLoop() {
  constexpr int kQuarterTurns = 4;
  constexpr int kAnArc = 1;  // all arcs are as long
  return kQuarterTurns * rail::TrackLength(kAnArc);
}

int TrainLength(int loco, int cars, int wagon, TrainKind kind) {
  if (kind == TrainKind::kRepair) {
    loco = kRepairLoco;
    cars = 1;
  }
  if (loco == kLongWagonLoco) wagon = kLongWagon;
  return CarLength(Loco(loco).length) + (cars - 1) * CarLength(WagonLength(wagon));
}

Train::Train(int locoType, int carCount, int colourIndex, rail::Place start, TrainKind trainKind,
             int wagonType, FieldSprites* sprites)
    : serial(++lastSerial), sprites_(sprites) {
  kind = trainKind;
  colour = colourIndex;
  loco = locoType < 0 || locoType > 7 ? 0 : locoType;
  if (kind == TrainKind::kRepair) {
    carCount = 1;
    loco = kRepairLoco;
  } else if (carCount <= 0 || carCount > kMaxCars) {
    carCount = 1;
  }
  wagon = wagonType >= 0 && wagonType < 5 ? wagonType : rnd::Below(4);
  if (loco == kLongWagonLoco) wagon = kLongWagon;
  topSpeed = Loco(loco).topSpeed;
  acceleration = Loco(loco).acceleration;
  speed = topSpeed * 0.5;
  cars.resize(carCount);
  for (int i = 0; i < carCount; ++i) {
    Car& c = cars[i];
    c.place = start;
    c.rear = start;
    c.half = (i == 0 ? Loco(loco).length : WagonLength(wagon)) / 2;
    MakeCarPictures(i);
  }
  head = start;
}

Train::~Train() {
  if (!sprites_) return;
  for (Car& c : cars) {
    if (c.picture) sprites_->Remove(c.picture);
    if (c.picture2) sprites_->Remove(c.picture2);
    if (c.shadow) sprites_->Remove(c.shadow);
  }
  if (badge) sprites_->Remove(badge);
}

int Train::CarPicture(int i) const {
  if (kind == TrainKind::kRepair) return clip::RepairLoco;
  return i == 0 ? Loco(loco).picture : kWagonPicture[wagon];
}

int Train::CarShadow(int i) const {
  if (kind == TrainKind::kRepair) return clip::RepairLocoShadow;
  return i == 0 ? Loco(loco).shadow : kWagonShadow[wagon];
}

void Train::MakeCarPictures(int i) {
  if (!sprites_) return;
  Car& c = cars[i];
  int picture = CarPicture(i);
  int shadow = CarShadow(i);
  // A crazy train blinks black and white on every car; an ordinary train carries its
  // colour on the locomotive only, its wagons keep their own colours.
  bool tinted = kind == TrainKind::kCrazy || (kind == TrainKind::kOrdinary && i == 0);
  c.picture = sprites_->Create(picture, tinted);
  if (kind == TrainKind::kCrazy) {
    if (c.picture) c.picture->Tint(0, 0, 0);
    c.picture2 = sprites_->Create(picture, true);
    if (c.picture2) {
      c.picture2->Tint(75, 75, 75);
      c.picture2->Show(false);
    }
  } else if (tinted && c.picture) {
    int rgb[3];
    ColourTint(colour, rgb);
    c.picture->Tint(rgb[0], rgb[1], rgb[2]);
  }
  c.shadow = sprites_->Create(shadow, false);
  if (c.picture) c.picture->Show(false);
  if (c.shadow) c.shadow->Show(false);
}

void Train::SwapPictures() {
  for (Car& c : cars) {
    if (!c.picture2) continue;
    std::swap(c.picture, c.picture2);
    if (c.picture2) c.picture2->Show(false);
  }
}

void Train::HideCar(int i) {
  Car& c = cars[i];
  if (c.picture) c.picture->Show(false);
  if (c.picture2) c.picture2->Show(false);
  if (c.shadow) c.shadow->Show(false);
}
