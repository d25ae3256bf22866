// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A locomotive with its wagons, and the tables of locomotive and wagon types.
#include <string>
#include <vector>

#include "railway/FieldSprites.h"
#include "railway/Geometry.h"

// What a train is. An ordinary train runs to the town of its colour and stops at red
// signals and switches set against it. The repair train clears a crash site and leaves
// through any town unpaid. A crazy train runs past red signals, crashes on a switch set
// against it and is taken (and paid) by any town.
enum class TrainKind { kOrdinary, kRepair, kCrazy };
// The number a saved game and the field's report give a kind: 0, 1, 2.
constexpr int SavedKind(TrainKind kind) { return static_cast<int>(kind); }
// The kind of a saved number; false, and kind unchanged, for a number that is no kind.
constexpr bool KindFromSaved(int saved, TrainKind& kind) {
  if (saved < SavedKind(TrainKind::kOrdinary) || saved > SavedKind(TrainKind::kCrazy)) return false;
  kind = static_cast<TrainKind>(saved);
  return true;
}

constexpr int kMaxCars = 29;
// Locomotive types 0..7, wagon types 0..4.
constexpr int kLocoTypes = 8;
constexpr int kWagonTypes = 5;
// A new train's locomotive picture waits off screen, behind the field, until the first
// movement step puts it on its track.
constexpr int kParkedAt = -1000;
constexpr int kParkedDepth = 50;
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
// The shortest stretch of track any car covers (a car reaches half its length, in whole
// units, to either side of its centre): 30, a wagon of type 2 or 3.
int ShortestCar();
// A train longer than a loop of track can run round it, its head behind its own tail, so
// it covers no more than the loop. A loop turns a full circle and only arcs turn, a
// quarter each: the shortest is four arcs long.
int ShortestLoop();
// The stretch a train of these types covers with its cars one after another, as the
// train takes the types (valid ones: locomotive 0..7, 1..kMaxCars cars, wagon 0..4).
int TrainLength(int loco, int cars, int wagon, TrainKind kind);

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
  Train(int loco, int cars, int colour, rail::Place start, TrainKind kind, int wagon,
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

  // A number no other train of this run had: players that keep what they thought of a
  // train from one frame to the next know it by this (a new train may take a gone
  // train's address). Not saved: a restored train gets a new one.
  const unsigned long long serial;
  std::vector<Car> cars;
  double speed = 0;
  double topSpeed = 0;
  double acceleration = 0;
  bool reversed = false;
  rail::Place head;
  int colour = 0;
  int loco = 0;
  int wagon = 0;
  TrainKind kind = TrainKind::kOrdinary;
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
