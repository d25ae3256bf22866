// SPDX-License-Identifier: GPL-3.0-or-later
// A tiny 3D model of flat-shaded faces, drawn from the game's view: the ground seen at 35
// degrees of elevation, the light from the top left. Used for every vehicle.
#pragma once

#include <cairo.h>

#include <array>
#include <vector>

#include "kit/Draw.h"

namespace art {

// Model space: x forward, y to the right, z up; ground pixels.
struct V3 {
  double x = 0, y = 0, z = 0;
};

struct Face {
  std::vector<V3> pts;  // convex polygon, counter-clockwise seen from outside
  Rgb colour;
  bool glow = false;   // lamps: drawn unshaded
  bool onTop = false;  // small lamps on a roof: drawn after everything else
};

class Model {
 public:
  // A box from its footprint centre (cx, cy), bottom z0, length lx, width wy, height hz.
  void Box(double cx, double cy, double z0, double lx, double wy, double hz, const Rgb& c,
           bool glow = false);
  // A small glowing lamp box on a roof, always drawn last so nothing hides it.
  void RoofLamp(double cx, double z0, double lx, double wy, double hz, const Rgb& c);
  // A box whose top is lowered by drop at the front (+x) end: noses and cab fronts.
  void Wedge(double cx, double cy, double z0, double lx, double wy, double hz, double drop,
             const Rgb& c);
  // Cylinder along x (boilers, tanks), along y (wheels) or upright z (chimneys, domes).
  void CylinderX(double cx, double cy, double cz, double r, double len, const Rgb& c,
                 int segs = 12);
  void CylinderY(double cx, double cy, double cz, double r, double len, const Rgb& c,
                 int segs = 10);
  void CylinderZ(double cx, double cy, double z0, double r, double h, const Rgb& c, int segs = 10);
  // A half cylinder along x lying on z0 (rounded roofs).
  void RoofX(double cx, double cy, double z0, double len, double wy, double rise, const Rgb& c,
             int segs = 8);

  // A gable roof along x: eaves at z0 across the width wy, ridge at z0 + rise.
  void GableX(double cx, double cy, double z0, double lx, double wy, double rise, const Rgb& c);

  const std::vector<Face>& Faces() const { return faces_; }

 private:
  void Hexahedron(const std::array<V3, 8>& v, const Rgb& c, bool glow);
  std::vector<Face> faces_;
};

// Where and how big a model is drawn in one frame.
struct View {
  double headingDeg = 45;  // on the ground, clockwise from screen right
  double scale = 1;
  double ax = 0, ay = 0;  // anchor: the footprint centre on screen
  double shading = 1;     // strength of light and shade: 1 full, less flattens the faces
};

// Screen point of a model point.
struct ScreenPt {
  double x, y;
};
ScreenPt Project(const V3& p, const View& v);
// Screen point of the shadow a model point casts on the ground.
ScreenPt ProjectShadow(const V3& p, const View& v);

void DrawModel(cairo_t* cr, const Model& m, const View& v);
// The shadow as one solid silhouette (colour and opacity are applied by the caller).
void DrawShadow(cairo_t* cr, const Model& m, const View& v);

// Extents of the model (and its shadow) around the anchor over a full turn, at scale 1.
struct Extents {
  double left = 0, right = 0, up = 0, down = 0;
};
Extents ModelExtents(const Model& m, bool shadow);

}  // namespace art
