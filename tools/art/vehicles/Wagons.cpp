// SPDX-License-Identifier: GPL-3.0-or-later
#include "vehicles/Designs.h"

namespace art {

namespace {

const Rgb kFrame = Hex(0x303134);
const Rgb kWheel = Hex(0x222326);

void Bogies(Model& m, double len, double width) {
  m.Box(0, 0, 1.2, len - 2, width - 3, 2.6, kFrame);
  for (double x : {-len / 2 + 4.5, len / 2 - 4.5}) {
    m.CylinderY(x - 1.6, 0, 2.1, 2.1, width - 1.5, kWheel, 8);
    m.CylinderY(x + 1.6, 0, 2.1, 2.1, width - 1.5, kWheel, 8);
  }
  m.Box(len / 2 - 0.6, 0, 2.0, 1.2, width - 2, 1.6, Hex(0x202020));
  m.Box(-len / 2 + 0.6, 0, 2.0, 1.2, width - 2, 1.6, Hex(0x202020));
}

}  // namespace

Model OpenWagon() {
  Model m;
  const double L = 30, W = 11;
  Bogies(m, L, W);
  m.Box(0, 0, 3.8, L - 2, W, 1.2, TintedPaint());      // floor
  m.Box(0, 0, 5.0, L - 4, W - 2, 3.6, Hex(0x7a6248));  // load of sand and stone
  m.Box(0, 0, 8.6, L - 8, W - 4, 1.2, Hex(0x8e7656));
  m.Box(0, -W / 2 + 0.5, 5.0, L - 2, 1.0, 5.5, TintedPaint());  // walls
  m.Box(0, W / 2 - 0.5, 5.0, L - 2, 1.0, 5.5, TintedPaint());
  m.Box(L / 2 - 1.5, 0, 5.0, 1.0, W, 5.5, TintedPaint());
  m.Box(-L / 2 + 1.5, 0, 5.0, 1.0, W, 5.5, TintedPaint());
  return m;
}

Model TankWagon() {
  Model m;
  const double L = 33, W = 11;
  Bogies(m, L, W);
  m.Box(0, 0, 3.8, L - 2, W, 1.0, Hex(0x3a3a3c));
  m.CylinderX(0, 0, 9.5, 5.0, L - 5, TintedPaint(), 14);
  m.CylinderZ(0, 0, 14.0, 2.0, 1.8, Hex(0x3a3a3c), 10);  // filler dome
  m.Box(0, 0, 14.2, L - 8, 1.2, 0.5, Hex(0x3a3a3c));     // walkway on top
  return m;
}

Model PassengerCoach() {
  Model m;
  const double L = 28, W = 11;
  Bogies(m, L, W);
  m.Box(0, 0, 3.8, L - 1, W, 9.5, TintedPaint());
  m.RoofX(0, 0, 13.3, L - 0.5, W + 0.6, 2.2, Hex(0x3c3d40), 8);
  for (int i = 0; i < 5; ++i) {  // windows
    double x = -10 + i * 5;
    m.Box(x, -W / 2 - 0.05, 8.5, 3.2, 0.3, 3.0, Hex(0xc9d7dc));
    m.Box(x, W / 2 + 0.05, 8.5, 3.2, 0.3, 3.0, Hex(0xc9d7dc));
  }
  return m;
}

Model BoxCar() {
  Model m;
  const double L = 28, W = 11;
  Bogies(m, L, W);
  m.Box(0, 0, 3.8, L - 1, W, 10, TintedPaint());
  m.Box(0, 0, 13.8, L - 0.5, W + 0.4, 1.0, Hex(0x3c3d40));  // roof
  m.Box(0, 0, 14.8, L - 3, 1.6, 0.4, Hex(0x2c2d30));        // roof walk
  for (double side : {-1.0, 1.0}) {                         // sliding doors
    m.Box(0, side * (W / 2 + 0.05), 4.6, 7, 0.3, 8.6, Hex(0x464648));
    m.Box(0, side * (W / 2 + 0.12), 8.0, 6.6, 0.3, 0.6, Hex(0x2a2a2c));
  }
  return m;
}

Model LongGoodsWagon() {
  Model m;
  const double L = 46, W = 11;
  Bogies(m, L, W);
  m.Box(0, 0, 3.8, L - 1, W, 1.4, TintedPaint());               // deck
  m.Box(0, -W / 2 + 0.4, 5.2, L - 2, 0.8, 2.5, TintedPaint());  // low sides
  m.Box(0, W / 2 - 0.4, 5.2, L - 2, 0.8, 2.5, TintedPaint());
  const Rgb log = Hex(0x8a5a32), end = Hex(0xc8a070);
  for (int row = 0; row < 2; ++row)  // logs
    for (int i = 0; i < 3 - row; ++i) {
      double y = (i - (2 - row) / 2.0) * 3.2;
      m.CylinderX(0, y, 6.8 + row * 2.8, 1.6, L - 6, log, 8);
      m.CylinderX(L / 2 - 3.05, y, 6.8 + row * 2.8, 1.55, 0.1, end, 8);
    }
  for (double x : {-L / 2 + 3, -7.0, 7.0, L / 2 - 3})  // stakes
    for (double side : {-1.0, 1.0}) m.Box(x, side * (W / 2 - 0.3), 5.2, 0.8, 0.8, 6, Hex(0x3a3a3c));
  return m;
}

}  // namespace art
