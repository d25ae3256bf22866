// SPDX-License-Identifier: GPL-3.0-or-later
#include "vehicles/Designs.h"

namespace art {

namespace {

const Rgb kBlack = Hex(0x26272a);
const Rgb kFrame = Hex(0x303134);
const Rgb kRed = Hex(0x9c2a22);
const Rgb kBrass = Hex(0xa8743a);
const Rgb kWindow = Hex(0x1c2a36);
const Rgb kRoof = Hex(0x3a3b3f);

// Frame, wheels and buffer beams shared by all engines; length along x.
void Chassis(Model& m, double len, double width, const Rgb& wheel, int axles, double wheelR) {
  m.Box(0, 0, 1.2, len - 2, width - 3, 2.6, kFrame);
  for (int i = 0; i < axles; ++i) {
    double x = -len / 2 + 4 + (len - 8) * (axles == 1 ? 0.5 : double(i) / (axles - 1));
    m.CylinderY(x, 0, wheelR, wheelR, width - 1.5, wheel, 8);
  }
  m.Box(len / 2 - 0.8, 0, 1.5, 1.6, width, 2.6, kRed);
  m.Box(-len / 2 + 0.8, 0, 1.5, 1.6, width, 2.6, kRed);
}

void Lamp(Model& m, double x, double topZ) { m.RoofLamp(x, topZ, 3.0, 3.8, 1.3, NoseLamp()); }

}  // namespace

Model SmallSteamEngine() {
  Model m;
  const double L = 33;
  Chassis(m, L, 10, kRed.Darker(0.3), 3, 2.4);
  m.Box(-1, 0, 3.8, L - 4, 11, 1.2, kBlack);             // running board
  m.CylinderX(4.5, 0, 9.0, 4.3, 19, TintedPaint(), 12);  // boiler
  m.CylinderX(14.3, 0, 9.0, 4.4, 1.6, kBlack, 12);       // smokebox door
  m.CylinderZ(11.5, 0, 12.0, 1.5, 4.2, kBlack, 8);       // chimney
  m.CylinderZ(4.5, 0, 12.2, 1.8, 2.6, kBrass, 8);        // dome
  m.Box(-9.5, 0, 5.0, 8, 11, 9.5, TintedPaint());        // cab
  m.Box(-9.5, 0, 14.5, 9.5, 12, 1.2, kRoof);             // cab roof
  m.Box(-5.4, 0, 10.5, 0.4, 8, 2.6, kWindow);            // cab front windows
  m.Box(-15, 0, 5.0, 3, 10, 5, kBlack);                  // coal bunker
  Lamp(m, 15.2, 13.2);
  return m;
}

Model LargeSteamEngine() {
  Model m;
  const double L = 49;
  Chassis(m, L, 11, kRed.Darker(0.25), 4, 3.0);
  m.Box(0, 0, 4.2, L - 2, 12, 1.2, kBlack);
  m.CylinderX(8, 0, 10.2, 5.2, 27, TintedPaint(), 14);  // long boiler
  m.CylinderX(22, 0, 10.2, 5.3, 2.0, kBlack, 14);
  m.Box(19.5, -6.1, 6.5, 5, 0.6, 8, kBlack);  // smoke deflectors
  m.Box(19.5, 6.1, 6.5, 5, 0.6, 8, kBlack);
  m.CylinderZ(18.5, 0, 14.0, 1.7, 3.4, kBlack, 8);
  m.CylinderZ(9, 0, 14.6, 2.1, 2.4, kBrass, 8);
  m.CylinderZ(2, 0, 14.6, 1.6, 2.0, kBrass, 8);
  m.Box(-11, 0, 5.4, 9, 12, 11, TintedPaint());  // cab
  m.Box(-11, 0, 16.4, 10.5, 13, 1.2, kRoof);
  m.Box(-6.4, 0, 12, 0.4, 9, 3, kWindow);
  m.Box(-20.5, 0, 5.4, 8, 11.5, 7, TintedPaint());  // tender
  m.Box(-20.5, 0, 12.4, 7, 9, 1.6, kBlack);         // coal
  Lamp(m, 23.2, 15.5);
  return m;
}

Model TankEngine() {
  Model m;
  const double L = 35;
  Chassis(m, L, 10, kRed.Darker(0.3), 3, 2.4);
  m.Box(0, 0, 3.8, L - 3, 11, 1.2, kBlack);
  m.CylinderX(5, 0, 9.0, 3.8, 20, kBlack, 12);       // boiler between the tanks
  m.Box(4, -4.2, 5.0, 15, 3.4, 6.5, TintedPaint());  // side tanks
  m.Box(4, 4.2, 5.0, 15, 3.4, 6.5, TintedPaint());
  m.CylinderZ(12.5, 0, 11.5, 1.5, 4.0, kBlack, 8);
  m.CylinderZ(6, 0, 12.0, 1.8, 2.2, kBrass, 8);
  m.Box(-8, 0, 5.0, 8, 11, 9.5, TintedPaint());  // cab
  m.Box(-8, 0, 14.5, 9, 12, 1.2, kRoof);
  m.Box(-14.5, 0, 5.0, 5, 11, 7.5, TintedPaint());  // bunker
  m.Box(-14.5, 0, 12.5, 4, 9, 1.2, kBlack);
  Lamp(m, 15.8, 12.6);
  return m;
}

Model ElectricEngine() {
  Model m;
  const double L = 37;
  Chassis(m, L, 11, kBlack, 4, 2.2);
  m.Wedge(0, 0, 4.2, L - 2, 11.5, 10, 0, TintedPaint());    // body
  m.RoofX(0, 0, 14.2, L - 4, 11.5, 1.8, Hex(0x505156), 8);  // roof
  m.Box(16.6, 0, 10.5, 0.5, 9, 3, kWindow);                 // front windows
  m.Box(-16.6, 0, 10.5, 0.5, 9, 3, kWindow);
  m.Box(0, -5.9, 9, 24, 0.3, 2.2, kWindow);  // side window bands
  m.Box(0, 5.9, 9, 24, 0.3, 2.2, kWindow);
  m.Box(0, 0, 4.2, L - 1.6, 11.9, 2.0, kFrame);  // dark skirt
  for (double x : {-8.0, 8.0}) {                 // pantographs
    m.Box(x, 0, 16.0, 1.0, 7, 0.8, Hex(0x202020));
    m.Wedge(x + 1.5, 0, 16.8, 4, 0.8, 2.4, 2.0, Hex(0x202020));
    m.Box(x + 3, 0, 18.4, 0.8, 8, 0.5, Hex(0x202020));
  }
  Lamp(m, 16.0, 15.6);
  return m;
}

Model DieselEngine() {
  Model m;
  const double L = 39;
  Chassis(m, L, 11, kBlack, 4, 2.2);
  m.Box(0, 0, 3.8, L - 2, 12, 1.0, Hex(0x444446));  // walkway
  m.Box(-4, 0, 4.8, 24, 8, 8.5, TintedPaint());     // long hood
  m.Box(-4, 0, 13.3, 22, 6.4, 0.3, kFrame);         // roof grille
  for (double x : {-12.0, -6.0, 0.0})               // radiator fans
    m.CylinderZ(x, 0, 13.3, 2.4, 0.4, Hex(0x2a2a2a), 10);
  m.Box(11.5, 0, 4.8, 6, 11, 11.5, TintedPaint());  // cab
  m.Box(11.5, 0, 16.3, 6.5, 11.5, 1.0, kRoof);
  m.Box(14.6, 0, 12, 0.4, 9, 3, kWindow);
  m.Box(8.4, 0, 12, 0.4, 9, 3, kWindow);
  m.Wedge(16.8, 0, 4.8, 4.5, 8, 6.5, 1.5, TintedPaint());  // short nose
  m.Box(-16.5, 0, 4.8, 3, 8, 6, TintedPaint());
  Lamp(m, 18.0, 10.0);
  return m;
}

Model StreamlinedExpress() {
  Model m;
  const double L = 44;
  Chassis(m, L, 11, kBlack, 4, 2.4);
  m.Box(-4, 0, 3.6, 34, 12, 9.5, TintedPaint());           // body
  m.RoofX(-4, 0, 13.1, 34, 12, 3.0, kRoof, 10);            // rounded dark top
  m.Wedge(17.5, 0, 3.6, 9, 12, 11.5, 8.5, TintedPaint());  // sloping nose
  m.Box(-4, 0, 3.6, 34.4, 12.4, 2.2, kFrame);              // dark skirt over the bogies
  m.Box(-3, -6.05, 7.5, 40, 0.3, 1.3, Hex(0x2c2d31));      // dark stripes
  m.Box(-3, 6.05, 7.5, 40, 0.3, 1.3, Hex(0x2c2d31));
  m.Box(11.5, 0, 13.4, 1.0, 9, 2.0, kWindow);     // cab window
  m.Box(-5, -6.05, 10.2, 26, 0.3, 1.8, kWindow);  // side windows
  m.Box(-5, 6.05, 10.2, 26, 0.3, 1.8, kWindow);
  m.Box(21.4, 0, 6.0, 1.4, 3.0, 1.2, Hex(0xf4f8ff), true);  // white headlight on the nose
  Lamp(m, 12.0, 16.0);
  return m;
}

Model RepairTrain() {
  Model m;
  const Rgb orange = Hex(0xe0761c), white = Hex(0xf2f0ea);
  const double L = 46;
  Chassis(m, L, 11, kBlack, 4, 2.3);
  m.Box(14, 0, 4.2, 14, 11.5, 11, orange);           // cab
  m.Box(14, 0, 15.2, 14.5, 12, 1.0, Hex(0x9a4a12));  // cab roof
  m.Box(21.1, 0, 11, 0.4, 9.5, 3, kWindow);
  m.Box(14, -5.9, 7.5, 13, 0.3, 1.4, white);  // white bands
  m.Box(14, 5.9, 7.5, 13, 0.3, 1.4, white);
  m.CylinderZ(12, 0, 16.2, 1.2, 1.4, Hex(0xff8a00), 8);  // beacon
  m.Box(-8, 0, 4.2, 28, 11.5, 3.5, orange);              // flat deck
  m.Box(-8, -5.9, 5.2, 27, 0.3, 1.2, white);
  m.Box(-8, 5.9, 5.2, 27, 0.3, 1.2, white);
  m.CylinderZ(-2, 0, 7.7, 3, 2.5, Hex(0x3a3a3a), 10);  // crane turntable
  m.Wedge(-9, 0, 10.2, 15, 2.4, 5.5, -3.5, orange);    // crane boom rising to the rear
  m.Box(-17.5, 0, 8, 1.0, 1.0, 7, Hex(0x2a2a2a));      // hook
  m.Box(-14, 3, 7.7, 6, 4, 3, Hex(0x6a4a2a));          // sleepers for the repair
  m.Box(-14, -3, 7.7, 6, 4, 2, Hex(0x8a8a8a));         // rails for the repair
  Lamp(m, 19.5, 16.2);
  return m;
}

Model ShuntingEngine() {
  Model m;
  const Rgb green = Hex(0x2f7a4a), cream = Hex(0xf0e6c8);
  const double L = 30;
  Chassis(m, L, 10, kRed.Darker(0.2), 3, 2.4);
  m.Box(-3, 0, 3.8, 18, 8, 7.5, green);  // hood
  m.Box(-3, 0, 11.3, 16, 6, 0.6, cream);
  m.CylinderZ(-8, 0, 11.3, 1.2, 3.5, kBlack, 8);  // exhaust
  m.Box(9.5, 0, 3.8, 8, 10.5, 11, green);         // cab
  m.Box(9.5, 0, 14.8, 8.8, 11, 1.0, cream);
  m.Box(13.6, 0, 10, 0.4, 8, 3, kWindow);
  m.Box(5.4, 0, 10, 0.4, 8, 3, kWindow);
  m.Box(9.5, -5.3, 6.5, 7, 0.3, 1.2, cream);
  m.Box(9.5, 5.3, 6.5, 7, 0.3, 1.2, cream);
  Lamp(m, 13.2, 15.8);
  return m;
}

}  // namespace art
