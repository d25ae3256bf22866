// SPDX-License-Identifier: GPL-3.0-or-later
// The vehicle models: six locomotives, five wagons and the repair train.
#pragma once

#include "vehicles/Model.h"

namespace art {

// The paint that the game tints with the train's colour (body panels, cab, tanks, tender,
// boiler; the wagons' sides too, which only a crazy train's black and white blink tints).
// A light warm sandstone, the hue of the houses' walls: the colour shift then gives each train
// the look of its town's houses (measured in tests/tools/art/test_art_colours.cpp), yellow
// reads as yellow and the green train stays lighter than the grass. Dark parts (frame, roofs,
// windows, skirts) keep every design's average near its houses' and show the shape.
inline Rgb TintedPaint() { return Hex(0xc09c70); }
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
