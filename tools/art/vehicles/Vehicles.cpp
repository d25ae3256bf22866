// SPDX-License-Identifier: GPL-3.0-or-later
// Library entries 124 to 151: every vehicle in 48 headings, and its shadow.
// Frame k shows the vehicle heading 45 + 7.5 k degrees on the ground, clockwise from
// screen right: frame 0 runs along the down-right diagonal, frame 12 along the down-left one.
#include <algorithm>
#include <string>
#include <vector>

#include "kit/Registry.h"
#include "kit/Strip.h"
#include "vehicles/Designs.h"

using namespace art;

namespace {

constexpr int kFrames = 48;

struct Sprite {
  std::string picture, mask;
  int w, h, ax, ay;
  std::vector<int> indices;
};

struct Vehicle {
  Model (*build)();
  Sprite body, shadow;
};

std::string Jpg(const std::string& stem) { return "Dat/Game/parovoz/" + stem + ".jpg"; }
std::string Gif(const std::string& stem) { return "Dat/Game/parovoz/" + stem + ".gif"; }

Sprite Masked(const std::string& stem, int ax, int ay, std::vector<int> idx) {
  return {Jpg(stem), Gif(stem), 2 * ax, 2 * ay, ax, ay, std::move(idx)};
}

std::vector<Vehicle> Vehicles() {
  return {
      {SmallSteamEngine, Masked("parovoz_48", 26, 27, {124, 126}),
       Masked("parovoz_shadow_48", 26, 27, {132, 134})},
      {LargeSteamEngine, Masked("thege", 28, 28, {125, 127}),
       Masked("thege_shadow", 28, 28, {133, 135})},
      {TankEngine, Masked("2_6_4", 28, 29, {128}), Masked("2_6_4_shadow", 28, 29, {136})},
      {ElectricEngine, Masked("vlc75", 28, 27, {129}), Masked("vlc75_shadow", 28, 27, {137})},
      {DieselEngine, Masked("emdsd", 28, 24, {130}), Masked("emdsd_shadow", 28, 24, {138})},
      {StreamlinedExpress, Masked("avenger", 31, 23, {131}),
       Masked("avenger_shadow", 31, 23, {139})},
      {RepairTrain, Masked("Server", 25, 25, {140}), Masked("server_shadow", 25, 25, {141})},
      {OpenWagon,
       {"Dat/Game/parovoz/vagon_cargo_48.tga", "", 34, 40, 17, 20, {142}},
       {"Dat/Game/parovoz/vagon_cargo_shadow_48.tga", "", 40, 40, 20, 20, {147}}},
      {TankWagon,
       {Jpg("cargo_v2"), Gif("cargo_v2"), 52, 58, 26, 29, {143}},
       Masked("cargo_v2_shadow", 26, 26, {148})},
      {PassengerCoach, Masked("pst_vagon", 23, 25, {144}),
       Masked("pst_vagon_shadow", 23, 25, {149})},
      {BoxCar, Masked("boxcar", 27, 26, {145}), Masked("boxcar_shadow", 27, 26, {150})},
      {LongGoodsWagon, Masked("goodswagon", 31, 25, {146}),
       Masked("goodswagon_shadow", 31, 25, {151})},
  };
}

// Largest scale (at most 1) at which the model and its shadow stay inside their frames.
double FitScale(const Model& m, const Sprite& body, const Sprite& shadow) {
  double s = 1.0;
  auto fit = [&](const Extents& e, const Sprite& sp) {
    const double margin = 1.5;
    if (e.left > 0) s = std::min(s, (sp.ax - margin) / e.left);
    if (e.right > 0) s = std::min(s, (sp.w - sp.ax - margin) / e.right);
    if (e.up > 0) s = std::min(s, (sp.ay - margin) / e.up);
    if (e.down > 0) s = std::min(s, (sp.h - sp.ay - margin) / e.down);
  };
  fit(ModelExtents(m, false), body);
  fit(ModelExtents(m, true), shadow);
  return s;
}

double Heading(int k) { return 45 + 7.5 * k; }

CanvasPtr BodyStrip(const Model& m, const Sprite& sp, double scale) {
  return DrawStripCanvases(sp.w, sp.h, kFrames, [&](Canvas& frame, int k) {
    Canvas body(sp.w, sp.h);
    DrawModel(body.Cr(), m, View{Heading(k), scale, double(sp.ax), double(sp.ay)});
    // A thin dark rim keeps the vehicle readable on grass and gravel alike.
    auto rim = body.Clone();
    rim->Silhouette(0.08, 0.08, 0.09);
    for (auto [dx, dy] : {std::pair{-0.8, 0.0}, {0.8, 0.0}, {0.0, -0.8}, {0.0, 0.8}})
      frame.Paint(*rim, dx, dy, 0.55);
    frame.Paint(body, 0, 0);
  });
}

CanvasPtr ShadowStrip(const Model& m, const Sprite& sp, double scale) {
  return DrawStripCanvases(sp.w, sp.h, kFrames, [&](Canvas& frame, int k) {
    Canvas solid(sp.w, sp.h);
    cairo_set_source_rgb(solid.Cr(), 0.07, 0.08, 0.05);
    DrawShadow(solid.Cr(), m, View{Heading(k), scale, double(sp.ax), double(sp.ay)});
    solid.Blur(1);
    frame.Paint(solid, 0, 0, 0.5);
  });
}

}  // namespace

ART_GROUP(vehicles) {
  for (const Vehicle& v : Vehicles()) {
    Model m = v.build();
    double scale = FitScale(m, v.body, v.shadow);
    auto body = BodyStrip(m, v.body, scale);
    ctx.Save(*body, v.body.picture, v.body.mask, kFrames, v.body.indices);
    auto shadow = ShadowStrip(m, v.shadow, scale);
    ctx.Save(*shadow, v.shadow.picture, v.shadow.mask, kFrames, v.shadow.indices);
  }
}
