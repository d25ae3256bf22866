// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop icons of the hicolor theme, 16 to 256 pixels: the window icon's engine on
// its line in a brass-rimmed green square, drawn afresh at every size. The smallest
// keeps a few shapes on whole pixels; larger sizes add sleepers, steam, rivets and a
// soft shadow. Written as <build>/icons/<N>x<N>/ostrel-trains.png (not packed into the
// game's data; the install step puts them in the icon theme).
#include <algorithm>
#include <cmath>
#include <string>

#include "interface/Style.h"
#include "kit/Registry.h"

namespace art::ui {
namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The rim and the green field inside it, over the square (x, y, w, w).
void Frame(cairo_t* cr, double x, double y, double w, double radius, double rim) {
  const Palette& p = Pal();
  RoundedRect(cr, x, y, w, w, radius);
  LinearFill(cr, x, y, x + w * 0.5, y + w, p.brassLight, p.brassDark);
  cairo_fill(cr);
  RoundedRect(cr, x + rim, y + rim, w - 2 * rim, w - 2 * rim, std::max(0.0, radius - rim));
  LinearFill(cr, x, y, x + w, y + w, p.greenLight, p.greenDeep);
  cairo_fill(cr);
}

// Sleepers under the rail band, from x0 to x1, below the line y.
void Sleepers(cairo_t* cr, double x0, double x1, double y, double unit) {
  const double pitch = 5 * unit, width = 2.6 * unit;
  for (double x = x0 + unit; x + width <= x1; x += pitch) {
    cairo_rectangle(cr, x, y, width, 1.6 * unit);
  }
  SetColour(cr, Hex(0x7a5a3c));
  cairo_fill(cr);
}

// Round puffs of steam rising back from the chimney top (cx, cy).
void Steam(cairo_t* cr, double cx, double cy, double unit) {
  const Palette& p = Pal();
  struct Puff {
    double dx, dy, r, alpha;
  };
  static const Puff puffs[] = {
      {0.6, -1.6, 1.5, 0.85}, {-2.2, -3.4, 2.0, 0.7}, {-6.0, -4.4, 2.3, 0.5}};
  for (const Puff& f : puffs) {
    Ellipse(cr, cx + f.dx * unit, cy + f.dy * unit, f.r * unit, f.r * 0.8 * unit);
    RadialFill(cr, cx + (f.dx - 0.6) * unit, cy + (f.dy - 0.6) * unit, f.r * 1.6 * unit, p.cream,
               p.grey.Lighter(0.3), f.alpha, f.alpha * 0.8);
    cairo_fill(cr);
  }
}

// The 16-pixel icon: every shape on whole pixels so that nothing blurs.
CanvasPtr TinyIcon() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(16, 16);
  cairo_t* cr = c->Cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  Frame(cr, 0, 0, 16, 2, 1);
  auto box = [cr](double x, double y, double w, double h, const Rgb& colour) {
    cairo_rectangle(cr, x, y, w, h);
    SetColour(cr, colour);
    cairo_fill(cr);
  };
  box(1, 12, 14, 1, Hex(0xdfe4e8));                            // the rail
  box(1, 3, 6, 1, p.ink);                                      // cab roof
  box(2, 4, 4, 6, p.red);                                      // cab
  box(3, 5, 2, 2, p.brassLight);                               // cab window
  box(6, 6, 7, 4, p.red);                                      // boiler
  box(6, 6, 7, 1, p.redLight);                                 // light on the boiler's top
  box(9, 6, 1, 4, p.brass);                                    // boiler band
  box(11, 3, 2, 3, p.ink);                                     // chimney
  box(2, 9, 11, 1, p.ink);                                     // frame
  box(13, 9, 1, 3, p.redDark);                                 // buffer beam
  for (double wx : {2.0, 6.0, 9.0}) box(wx, 10, 2, 2, p.ink);  // wheels
  return c;
}

// Every larger size: the window icon's drawing scaled by unit = size / 32, with the
// margin, rim and detail chosen for the size.
CanvasPtr ScaledIcon(int size) {
  const Palette& p = Pal();
  const double unit = size / 32.0;
  const double margin = size >= 64 ? std::round(size / 32.0) : 0;
  const double side = size - 2 * margin;
  const double radius = size >= 48 ? side * 0.14 : 3;
  const double rim = std::max(1.5, std::round(side / 22.0));
  auto c = std::make_unique<Canvas>(size, size);
  if (size >= 64) {
    SoftShadow(*c,
               [&](cairo_t* s) {
                 RoundedRect(s, margin, margin, side, side, radius);
                 cairo_fill(s);
               },
               {unit * 0.5, unit * 0.7, std::max(1, size / 64), 0.45});
  }
  cairo_t* cr = c->Cr();
  Frame(cr, margin, margin, side, radius, rim);
  // Inside the rim, scaled so that the square from (0, 0) to (32, 32) is the field.
  cairo_save(cr);
  RoundedRect(cr, margin + rim, margin + rim, side - 2 * rim, side - 2 * rim,
              std::max(0.0, radius - rim));
  cairo_clip(cr);
  const double inner = side - 2 * rim;
  cairo_translate(cr, margin + rim, margin + rim);
  const double u = inner / 29.0;  // the window icon's field is 29 pixels wide
  cairo_scale(cr, u, u);
  cairo_translate(cr, -1.5, -1.5);
  if (size >= 48) {
    // Evening light low on the right, as on the title screen.
    Ellipse(cr, 25, 19, 12, 10);
    RadialFill(cr, 25, 19, 12, Hex(0xe89a40), p.greenLight, 0.45, 0.0);
    cairo_fill(cr);
    Sleepers(cr, 0, 32, 26.6, 1.0);
  }
  cairo_rectangle(cr, 0, 25, 32, 2);
  SetColour(cr, Hex(0xdfe4e8));
  cairo_fill(cr);
  if (size >= 48) {
    cairo_rectangle(cr, 0, 26.4, 32, 0.6);
    SetColour(cr, p.grey.Darker(0.2));
    cairo_fill(cr);
  }
  const double locoX = size >= 48 ? 2.5 : 1.5, locoScale = size >= 48 ? 0.43 : 0.46;
  if (size >= 48) Steam(cr, locoX + 51 * locoScale, 25.5 - 42 * locoScale, 1.0);
  SideLoco(cr, locoX, 25.5, locoScale, p.red);
  cairo_restore(cr);
  if (size >= 128) {
    // Rivets along the rim, clear of the rounded corners.
    const double r = rim * 0.28, inset = margin + rim / 2;
    for (int i = 0; i < 4; ++i) {
      const double t = 0.2 + i * 0.2;
      const double along = margin + side * t;
      Rivet(cr, along, inset, r);
      Rivet(cr, along, size - inset, r);
      Rivet(cr, inset, along, r);
      Rivet(cr, size - inset, along, r);
    }
  }
  if (size >= 48) {
    // A thin dark edge keeps the brass apart from light backgrounds.
    RoundedRect(cr, margin + 0.5, margin + 0.5, side - 1, side - 1, radius);
    SetColour(cr, p.ink, 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return c;
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_icons) {
  for (int size : kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    ctx.SavePng(size == 16 ? *TinyIcon() : *ScaledIcon(size),
                "icons/" + name + "/ostrel-trains.png");
  }
}
