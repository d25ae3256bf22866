// SPDX-License-Identifier: GPL-3.0-or-later
// The vehicle models: six locomotives, five wagons and the repair train.
#pragma once

#include "vehicles/Model.h"

namespace art {

// The paint that the game tints with the train's colour (body panels, cab, tanks, tender,
// boiler; the wagons' sides too, which only a crazy train's black and white blink tints).
// A warm mid tone, the hue of the houses' walls: the colour shift then gives each train the
// look of its town's houses (measured in tests/tools/art/test_art_colours.cpp), keeps clear of
// clipping under +75 and leaves the green train lighter than the grass.
inline Rgb TintedPaint() { return Hex(0x967e64); }
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
