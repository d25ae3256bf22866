// SPDX-License-Identifier: GPL-3.0-or-later
// Small top-down railway scenes for the game-type pictures and the help page's
// illustrations: paths of track, trains that run along them, towns, signals, switch
// arrows, damaged track and the grass they stand on.
#pragma once

#include <vector>

#include "interface/Style.h"

namespace art::ui {

struct Pt {
  double x = 0, y = 0;
};

// A polyline with positions measured along it.
class Path {
 public:
  Path() = default;
  explicit Path(std::vector<Pt> pts) : pts_(std::move(pts)) {}
  static Path Line(Pt a, Pt b);
  // Elliptic quarter or half arcs: centre, radii, start and end angle in degrees
  // (screen angles, clockwise from the +x axis).
  static Path Arc(Pt c, double rx, double ry, double a0, double a1);
  Path& Append(const Path& other);
  double Length() const;
  // Point and heading (radians) at distance s from the start (clamped).
  Pt At(double s, double* heading = nullptr) const;
  const std::vector<Pt>& Points() const { return pts_; }

 private:
  std::vector<Pt> pts_;
};

// The eight town colours, in the game's order: yellow, red, green, blue, cyan, magenta, black,
// white.
Rgb TownColour(int i);

void Grass(cairo_t* cr, double x, double y, double w, double h, unsigned seed);
// Ballast, sleepers and two rails along the path; dim greys them; planned draws only a
// dashed outline of where the track will go.
void Rails(cairo_t* cr, const Path& path, double dim = 0, bool planned = false);
// A locomotive with cars, its front at distance head along the path.
void TrainOn(cairo_t* cr, const Path& path, double head, const Rgb& colour, int cars,
             bool crazy = false);
// A town: houses with roofs in the town's colour around a small station, centred at (x, y).
void Town(cairo_t* cr, double x, double y, const Rgb& colour);
// A signal post at (x, y) with a red or green lamp.
void SignalPost(cairo_t* cr, double x, double y, bool green);
// A switch arrow at (x, y) pointing at the angle (degrees).
void SwitchArrow(cairo_t* cr, double x, double y, double angle);
// A torn stretch of track with smoke, centred at (x, y).
void DamageMark(cairo_t* cr, double x, double y, double size);
// A gold coin with a sign (+ or -) centred at (x, y).
void Coin(cairo_t* cr, double x, double y, double r, const char* sign);

}  // namespace art::ui
