// SPDX-License-Identifier: GPL-3.0-or-later
#include "vehicles/Model.h"

#include <algorithm>
#include <cmath>

#include "geometry/Ground.h"

namespace art {

namespace {

// Towards the camera (ground y grows towards the viewer) and towards the light.
const V3 kToCamera{0, std::cos(35.0 * M_PI / 180.0), std::sin(35.0 * M_PI / 180.0)};
V3 Normalised(V3 v) {
  double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / l, v.y / l, v.z / l};
}
const V3 kToLight = Normalised({-0.55, -0.55, 1.0});

double Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Sub(const V3& a, const V3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(const V3& a, const V3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Model point turned to the heading, in ground coordinates (x right, y towards the viewer).
V3 ToWorld(const V3& p, double headingDeg) {
  double g = headingDeg * M_PI / 180.0, c = std::cos(g), s = std::sin(g);
  return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

}  // namespace

void Model::Hexahedron(const std::array<V3, 8>& v, const Rgb& c, bool glow) {
  // v: bottom 0-3 (rear-left, front-left, front-right, rear-right), top 4-7 above them.
  // Left is -y. Windings are chosen so the normals point outwards.
  const int quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                           {3, 7, 6, 2}, {1, 2, 6, 5}, {0, 4, 7, 3}};
  for (const auto& q : quads) faces_.push_back({{v[q[0]], v[q[1]], v[q[2]], v[q[3]]}, c, glow});
}

void Model::Box(double cx, double cy, double z0, double lx, double wy, double hz, const Rgb& c,
                bool glow) {
  Wedge(cx, cy, z0, lx, wy, hz, 0, c);
  if (glow)
    for (size_t i = faces_.size() - 6; i < faces_.size(); ++i) faces_[i].glow = true;
}

void Model::RoofLamp(double cx, double z0, double lx, double wy, double hz, const Rgb& c) {
  Box(cx, 0, z0, lx, wy, hz, c, true);
  for (size_t i = faces_.size() - 6; i < faces_.size(); ++i) faces_[i].onTop = true;
}

void Model::Wedge(double cx, double cy, double z0, double lx, double wy, double hz, double drop,
                  const Rgb& c) {
  double x0 = cx - lx / 2, x1 = cx + lx / 2, y0 = cy - wy / 2, y1 = cy + wy / 2, z1 = z0 + hz;
  Hexahedron({V3{x0, y0, z0}, V3{x1, y0, z0}, V3{x1, y1, z0}, V3{x0, y1, z0}, V3{x0, y0, z1},
              V3{x1, y0, z1 - drop}, V3{x1, y1, z1 - drop}, V3{x0, y1, z1}},
             c, false);
}

void Model::CylinderX(double cx, double cy, double cz, double r, double len, const Rgb& c,
                      int segs) {
  double x0 = cx - len / 2, x1 = cx + len / 2;
  std::vector<V3> front, back;
  for (int i = 0; i < segs; ++i) {
    double a0 = 2 * M_PI * i / segs, a1 = 2 * M_PI * (i + 1) / segs;
    V3 p0{0, cy + r * std::cos(a0), cz + r * std::sin(a0)},
        p1{0, cy + r * std::cos(a1), cz + r * std::sin(a1)};
    faces_.push_back(
        {{{x0, p0.y, p0.z}, {x0, p1.y, p1.z}, {x1, p1.y, p1.z}, {x1, p0.y, p0.z}}, c, false});
    front.push_back({x1, p0.y, p0.z});
    back.insert(back.begin(), V3{x0, p0.y, p0.z});
  }
  faces_.push_back({front, c.Darker(0.15), false});
  faces_.push_back({back, c, false});
}

void Model::CylinderY(double cx, double cy, double cz, double r, double len, const Rgb& c,
                      int segs) {
  double y0 = cy - len / 2, y1 = cy + len / 2;
  std::vector<V3> right, left;
  for (int i = 0; i < segs; ++i) {
    double a0 = 2 * M_PI * i / segs, a1 = 2 * M_PI * (i + 1) / segs;
    double xa = cx + r * std::cos(a0), za = cz + r * std::sin(a0);
    double xb = cx + r * std::cos(a1), zb = cz + r * std::sin(a1);
    faces_.push_back({{{xa, y0, za}, {xa, y1, za}, {xb, y1, zb}, {xb, y0, zb}}, c, false});
    right.insert(right.begin(), V3{xa, y1, za});
    left.push_back({xa, y0, za});
  }
  faces_.push_back({right, c, false});
  faces_.push_back({left, c, false});
}

void Model::CylinderZ(double cx, double cy, double z0, double r, double h, const Rgb& c, int segs) {
  std::vector<V3> top, bottom;
  for (int i = 0; i < segs; ++i) {
    double a0 = 2 * M_PI * i / segs, a1 = 2 * M_PI * (i + 1) / segs;
    V3 p0{cx + r * std::cos(a0), cy + r * std::sin(a0), 0},
        p1{cx + r * std::cos(a1), cy + r * std::sin(a1), 0};
    faces_.push_back(
        {{{p0.x, p0.y, z0}, {p1.x, p1.y, z0}, {p1.x, p1.y, z0 + h}, {p0.x, p0.y, z0 + h}},
         c,
         false});
    top.push_back({p0.x, p0.y, z0 + h});
    bottom.insert(bottom.begin(), V3{p0.x, p0.y, z0});
  }
  faces_.push_back({top, c.Lighter(0.1), false});
  faces_.push_back({bottom, c, false});
}

void Model::RoofX(double cx, double cy, double z0, double len, double wy, double rise, const Rgb& c,
                  int segs) {
  double x0 = cx - len / 2, x1 = cx + len / 2;
  std::vector<V3> front, back;
  for (int i = 0; i < segs; ++i) {
    double a0 = M_PI * i / segs, a1 = M_PI * (i + 1) / segs;
    double ya = cy + wy / 2 * std::cos(a0), za = z0 + rise * std::sin(a0);
    double yb = cy + wy / 2 * std::cos(a1), zb = z0 + rise * std::sin(a1);
    faces_.push_back({{{x0, ya, za}, {x0, yb, zb}, {x1, yb, zb}, {x1, ya, za}}, c, false});
    front.push_back({x1, ya, za});
    back.insert(back.begin(), V3{x0, ya, za});
  }
  front.push_back({x1, cy - wy / 2, z0});
  back.insert(back.begin(), V3{x0, cy - wy / 2, z0});
  faces_.push_back({front, c, false});
  faces_.push_back({back, c, false});
}

void Model::GableX(double cx, double cy, double z0, double lx, double wy, double rise,
                   const Rgb& c) {
  double x0 = cx - lx / 2, x1 = cx + lx / 2, y0 = cy - wy / 2, y1 = cy + wy / 2, zr = z0 + rise;
  faces_.push_back(
      {{{x0, y0, z0}, {x1, y0, z0}, {x1, cy, zr}, {x0, cy, zr}}, c, false});  // left slope
  faces_.push_back(
      {{{x0, y1, z0}, {x0, cy, zr}, {x1, cy, zr}, {x1, y1, z0}}, c, false});  // right slope
  faces_.push_back({{{x1, y0, z0}, {x1, y1, z0}, {x1, cy, zr}}, c, false});   // front gable
  faces_.push_back({{{x0, y0, z0}, {x0, cy, zr}, {x0, y1, z0}}, c, false});   // rear gable
}

ScreenPt Project(const V3& p, const View& v) {
  V3 w = ToWorld(p, v.headingDeg);
  Vec2 s = GroundToScreen(w.x * v.scale, w.y * v.scale, w.z * v.scale);
  return {v.ax + s.x, v.ay + s.y};
}

ScreenPt ProjectShadow(const V3& p, const View& v) {
  V3 w = ToWorld(p, v.headingDeg);
  double k = w.z / kToLight.z;
  Vec2 s = GroundToScreen((w.x - kToLight.x * k) * v.scale, (w.y - kToLight.y * k) * v.scale);
  return {v.ax + s.x, v.ay + s.y};
}

void DrawModel(cairo_t* cr, const Model& m, const View& v) {
  struct Item {
    const Face* f;
    double depth;
    double light;
  };
  std::vector<Item> items;
  for (const Face& f : m.Faces()) {
    if (f.pts.size() < 3) continue;
    std::vector<V3> w;
    for (const V3& p : f.pts) w.push_back(ToWorld(p, v.headingDeg));
    V3 n = Cross(Sub(w[1], w[0]), Sub(w[2], w[0]));
    double len = std::sqrt(Dot(n, n));
    if (len < 1e-9) continue;
    n = {n.x / len, n.y / len, n.z / len};
    if (Dot(n, kToCamera) <= 1e-6) continue;  // facing away
    V3 c{0, 0, 0};
    for (const V3& p : w) c = {c.x + p.x, c.y + p.y, c.z + p.z};
    double depth = Dot(c, kToCamera) / w.size();
    double light = 0.66 + 0.5 * std::max(0.0, Dot(n, kToLight));
    items.push_back({&f, depth, 1 + v.shading * (light - 1)});
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    if (a.f->onTop != b.f->onTop) return b.f->onTop;
    return a.depth < b.depth;
  });
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const Item& it : items) {
    cairo_new_path(cr);
    for (const V3& p : it.f->pts) {
      ScreenPt s = Project(p, v);
      cairo_line_to(cr, s.x, s.y);
    }
    cairo_close_path(cr);
    Rgb c = it.f->colour;
    if (!it.f->glow)
      c = {std::min(1.0, c.r * it.light), std::min(1.0, c.g * it.light),
           std::min(1.0, c.b * it.light)};
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    // Same colour around the edge closes the hairline seams between faces.
    cairo_set_line_width(cr, 0.45);
    cairo_stroke(cr);
  }
}

void DrawShadow(cairo_t* cr, const Model& m, const View& v) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_new_path(cr);
  for (const Face& f : m.Faces()) {
    cairo_new_sub_path(cr);
    for (const V3& p : f.pts) {
      ScreenPt s = ProjectShadow(p, v);
      cairo_line_to(cr, s.x, s.y);
    }
    cairo_close_path(cr);
    // Each face on its own: windings differ, so fill face by face.
    cairo_fill(cr);
  }
}

Extents ModelExtents(const Model& m, bool shadow) {
  Extents e;
  for (int k = 0; k < 48; ++k) {
    View v{45 + 7.5 * k, 1, 0, 0};
    for (const Face& f : m.Faces())
      for (const V3& p : f.pts) {
        ScreenPt s = shadow ? ProjectShadow(p, v) : Project(p, v);
        e.left = std::max(e.left, -s.x);
        e.right = std::max(e.right, s.x);
        e.up = std::max(e.up, -s.y);
        e.down = std::max(e.down, s.y);
      }
  }
  return e;
}

}  // namespace art
