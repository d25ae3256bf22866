// SPDX-License-Identifier: GPL-3.0-or-later
// The vehicle models: six locomotives, five wagons and the repair train.
#pragma once

#include "vehicles/Model.h"

namespace art {

// The neutral dark grey that the game tints with the train's colour.
inline Rgb PaintGrey() { return Hex(0x626264); }
// The front lamp on top of every locomotive's nose (also the mark the tests follow).
inline Rgb NoseLamp() { return Hex(0xfff07a); }

Model SmallSteamEngine();
Model LargeSteamEngine();
Model TankEngine();
Model ElectricEngine();
Model DieselEngine();
Model StreamlinedExpress();
Model RepairTrain();
// The little shunter of the top bar, in its own green livery (never tinted).
Model ShuntingEngine();

Model OpenWagon();
Model TankWagon();
Model PassengerCoach();
Model BoxCar();
Model LongGoodsWagon();

}  // namespace art
