// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the frame around the field: the shunting engine (entry 10), the warehouse
// (11), the tube with the counter windows (15), the tunnel (16), the bottom line (17), the
// right panel (18), the vertical separators (24, 25) and the crates (110, 111).
#include <cmath>

#include "kit/Draw.h"
#include "kit/Registry.h"
#include "kit/Strip.h"
#include "landscape/TopBar.h"
#include "vehicles/Designs.h"

using namespace art;

namespace {

using L = TopBarLayout;

// Counter windows of the two rolling counters, in top bar coordinates (screen x - 140):
// 4 digits of 20 pixels from x 301 and 10 digits plus 3 group gaps of 5 from x 482; the
// digit strip is 27 pixels high and drawn from y -3.
struct Window {
  double x, w;
};
constexpr Window kTrainsWindow{301 - 140, 80};
constexpr Window kMoneyWindow{482 - 140, 10 * 20 + 3 * 5};
constexpr double kWindowBottom = 24;

CanvasPtr Engine() {
  Model m = ShuntingEngine();
  return DrawStrip(56, 24, 2, [&](cairo_t* cr, int f) {
    DrawModel(cr, m, View{f == 0 ? 0.0 : 180.0, 1.1, 28, L::kEngineFootY});
  });
}

void Crate(cairo_t* cr, double x, double y) {
  // 9 x 7: a lit top face over the front face.
  cairo_rectangle(cr, x, y, 9, 3);
  LinearFill(cr, x, y, x + 9, y + 3, Hex(0xe0b878), Hex(0xb88a50));
  cairo_fill(cr);
  cairo_rectangle(cr, x, y + 3, 9, 4);
  SetColour(cr, Hex(0x8a5e32));
  cairo_fill(cr);
  SetColour(cr, Hex(0x4a3018), 0.9);
  cairo_set_line_width(cr, 0.7);
  cairo_rectangle(cr, x + 0.35, y + 0.35, 8.3, 6.3);
  cairo_move_to(cr, x, y + 3);
  cairo_line_to(cr, x + 9, y + 3);
  cairo_move_to(cr, x + 0.5, y + 6.5);
  cairo_line_to(cr, x + 8.5, y + 3.5);
  cairo_stroke(cr);
}

CanvasPtr Warehouse() {
  auto c = std::make_unique<Canvas>(76, 50);
  cairo_t* cr = c->Cr();
  // Shadow of the roof on the yard.
  cairo_rectangle(cr, 4, 17, 72, 6);
  SetColour(cr, Hex(0x000000), 0.25);
  cairo_fill(cr);
  // Posts at both ends and in the middle of the open front.
  for (double x : {1.0, 70.0}) {
    cairo_rectangle(cr, x, 12, 4, 38);
    LinearFill(cr, x, 0, x + 4, 0, Hex(0xa07850), Hex(0x5a3e24));
    cairo_fill(cr);
  }
  // Roof: corrugated boards lit from the top left, with an overhanging eave.
  cairo_move_to(cr, 0, 3);
  cairo_line_to(cr, 76, 3);
  cairo_line_to(cr, 76, 15);
  cairo_line_to(cr, 0, 15);
  cairo_close_path(cr);
  LinearFill(cr, 0, 3, 0, 15, Hex(0xb84a32), Hex(0x7a2a1a));
  cairo_fill(cr);
  SetColour(cr, Hex(0x5a1a10), 0.6);
  cairo_set_line_width(cr, 0.7);
  for (double x = 3; x < 76; x += 4) {
    cairo_move_to(cr, x, 3);
    cairo_line_to(cr, x, 15);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, 0, 14, 76, 3);
  SetColour(cr, Hex(0x4a1a10));
  cairo_fill(cr);
  TextStyle st;
  st.size = 7;
  st.bold = true;
  st.colour = Hex(0xfff2d0);
  st.align = Align::Centre;
  RoundedRect(cr, 24, 5, 28, 8, 1.5);
  SetColour(cr, Hex(0x2a1a10), 0.8);
  cairo_fill(cr);
  DrawText(cr, "DEPOT", 38, 11.5, st);
  return c;
}

void Bezel(cairo_t* cr, const Window& w) {
  double x = w.x - 4, width = w.w + 8, y = -6, h = kWindowBottom + 10;
  RoundedRect(cr, x, y, width, h, 5);
  RoundedRect(cr, w.x, -4, w.w, kWindowBottom + 4, 2);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  LinearFill(cr, x, y, x, y + h, Hex(0xd8c07a), Hex(0x6a5420));
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  RoundedRect(cr, w.x - 0.5, -4, w.w + 1, kWindowBottom + 4.5, 2);
  SetColour(cr, Hex(0x2a2008));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // Rivets.
  for (double rx : {x + 2.5, x + width - 2.5}) {
    cairo_arc(cr, rx, kWindowBottom + 1.5, 1.0, 0, 2 * M_PI);
    SetColour(cr, Hex(0xfff0b0));
    cairo_fill(cr);
  }
}

CanvasPtr Tube() {
  auto c = std::make_unique<Canvas>(L::kWidth, L::kHeight);
  cairo_t* cr = c->Cr();
  Bezel(cr, kTrainsWindow);
  Bezel(cr, kMoneyWindow);
  // A brass pipe along the bottom edge of the bar, in front of the siding.
  cairo_rectangle(cr, 0, 48, L::kWidth, 2);
  LinearFill(cr, 0, 48, 0, 50, Hex(0xe8d08a), Hex(0x7a6024));
  cairo_fill(cr);
  return c;
}

CanvasPtr Tunnel() {
  auto c = std::make_unique<Canvas>(44, 35);
  cairo_t* cr = c->Cr();
  // The hill the siding disappears into.
  cairo_move_to(cr, 0, 35);
  cairo_curve_to(cr, 2, 14, 14, 2, 44, 0);
  cairo_line_to(cr, 44, 35);
  cairo_close_path(cr);
  LinearFill(cr, 0, 0, 44, 35, Hex(0x7aa04e), Hex(0x3e6a2a));
  cairo_fill(cr);
  Rng rng(16);
  for (int i = 0; i < 60; ++i) {
    SetColour(cr, Hex(0x2e5a22).Mix(Hex(0xa6c870), rng.Uniform()), 0.6);
    cairo_arc(cr, rng.Range(12, 44), rng.Range(4, 20), rng.Range(0.6, 1.5), 0, 2 * M_PI);
    cairo_fill(cr);
  }
  // Stone portal with the dark mouth facing the line.
  cairo_move_to(cr, 2, 35);
  cairo_line_to(cr, 2, 24);
  cairo_arc(cr, 12, 24, 10, M_PI, 2 * M_PI);
  cairo_line_to(cr, 22, 35);
  cairo_close_path(cr);
  LinearFill(cr, 2, 14, 22, 35, Hex(0xc8c0b0), Hex(0x7a7266));
  cairo_fill(cr);
  cairo_move_to(cr, 5, 35);
  cairo_line_to(cr, 5, 25);
  cairo_arc(cr, 12, 25, 7, M_PI, 2 * M_PI);
  cairo_line_to(cr, 19, 35);
  cairo_close_path(cr);
  RadialFill(cr, 12, 30, 10, Hex(0x050505), Hex(0x202020));
  cairo_fill(cr);
  SetColour(cr, Hex(0x4a443a), 0.7);
  cairo_set_line_width(cr, 0.5);
  for (double a = M_PI; a <= 2 * M_PI + 0.01; a += M_PI / 6) {
    cairo_move_to(cr, 12 + 7 * std::cos(a), 25 + 7 * std::sin(a));
    cairo_line_to(cr, 12 + 10 * std::cos(a), 24 + 10 * std::sin(a));
  }
  cairo_stroke(cr);
  return c;
}

CanvasPtr BottomLine() {
  auto c = std::make_unique<Canvas>(660, 30);
  cairo_t* cr = c->Cr();
  cairo_rectangle(cr, 0, 0, 660, 30);
  LinearFill(cr, 0, 0, 0, 30, Hex(0x3a4a2e), Hex(0x1e2818));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 660, 2);
  LinearFill(cr, 0, 0, 0, 2, Hex(0xe8d08a), Hex(0x7a6024));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 2, 660, 1);
  SetColour(cr, Hex(0x000000), 0.5);
  cairo_fill(cr);
  return c;
}

CanvasPtr VerticalLine() {
  auto c = std::make_unique<Canvas>(4, 22);
  cairo_t* cr = c->Cr();
  cairo_rectangle(cr, 0, 0, 4, 22);
  LinearFill(cr, 0, 0, 4, 0, Hex(0xe8d08a), Hex(0x6a5420));
  cairo_fill(cr);
  return c;
}

CanvasPtr RightPanel() {
  auto c = std::make_unique<Canvas>(7, 600);
  cairo_t* cr = c->Cr();
  cairo_rectangle(cr, 0, 0, 7, 600);
  LinearFill(cr, 0, 0, 7, 0, Hex(0xe8d08a), Hex(0x5a4818));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 1, 600);
  SetColour(cr, Hex(0x000000), 0.45);
  cairo_fill(cr);
  return c;
}

}  // namespace

ART_GROUP(landscape_topbar) {
  auto engine = Engine();
  ctx.Save(*engine, "Dat/Game/top_train_2.jpg", "Dat/Game/top_train_2.gif", 2, {10});
  auto warehouse = Warehouse();
  ctx.Save(*warehouse, "Dat/Interface/MainWindow/sklad_.tga", "", 1, {11});
  auto tube = Tube();
  ctx.Save(*tube, "Dat/Interface/MainWindow/top_tube.jpg", "Dat/Interface/MainWindow/top_tube.gif",
           1, {15});
  auto tunnel = Tunnel();
  ctx.Save(*tunnel, "Dat/Interface/MainWindow/tunnel_.tga", "", 1, {16});
  auto bottom = BottomLine();
  ctx.Save(*bottom, "Dat/Interface/MainWindow/DownLine.jpg", "", 1, {17});
  auto right = RightPanel();
  ctx.Save(*right, "Dat/Interface/MainWindow/right_panel.tga", "", 1, {18});
  auto line = VerticalLine();
  ctx.Save(*line, "Dat/Interface/MainWindow/VertLine.jpg", "", 1, {24, 25});

  auto box = DrawStrip(9, 7, 1, [](cairo_t* cr, int) { Crate(cr, 0, 0); });
  ctx.Save(*box, "Dat/Game/box.jpg", "Dat/Game/box.gif", 1, {110});
  auto stack = DrawStrip(63, 7, 1, [](cairo_t* cr, int) {
    for (int i = 0; i < 7; ++i) Crate(cr, i * 9, 0);
  });
  ctx.Save(*stack, "Dat/Game/box-7.tga", "", 1, {111});
}
