// SPDX-License-Identifier: GPL-3.0-or-later
// The intro screen's pictures (the background with the game's title, the logo and the
// maker's badge, with room for the loading train and the version text) and the
// window icon.
#include <cmath>

#include "ids/ScreenSize.h"
#include "interface/Scene.h"
#include "interface/Style.h"
#include "kit/Registry.h"

namespace art::ui {
namespace {

// Rails of the loading line: the little train runs along them from x 278 to 440.
constexpr double kLoadingRailY = 548;

void Hills(cairo_t* cr, double base, double amp, double phase, const Rgb& colour, unsigned seed) {
  Rng rng(seed);
  cairo_move_to(cr, 0, screen::kHeight);
  for (int x = 0; x <= screen::kWidth; x += 10) {
    double y = base -
               amp * (0.6 * std::sin(x / 130.0 + phase) + 0.4 * std::sin(x / 57.0 + phase * 2)) -
               rng.Range(0, 3);
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, screen::kWidth, screen::kHeight);
  cairo_close_path(cr);
  SetColour(cr, colour);
  cairo_fill(cr);
}

void Viaduct(cairo_t* cr, double y) {
  const Palette& p = Pal();
  // Piers with round arches between them, under a deck.
  for (int i = 0; i < 10; ++i) {
    double x = i * 90 - 10;
    cairo_move_to(cr, x, 505);
    cairo_line_to(cr, x, y + 10);
    cairo_line_to(cr, x + 90, y + 10);
    cairo_line_to(cr, x + 90, 505);
    cairo_line_to(cr, x + 76, 505);
    cairo_line_to(cr, x + 76, y + 45);
    cairo_arc_negative(cr, x + 45, y + 45, 31, 0, M_PI);
    cairo_line_to(cr, x + 14, 505);
    cairo_close_path(cr);
  }
  SetColour(cr, Hex(0x2a231f));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, y, 800, 10);
  SetColour(cr, Hex(0x3b2f28));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, y - 3, 800, 3);
  SetColour(cr, p.grey.Darker(0.3));
  cairo_fill(cr);
}

CanvasPtr IntroBackground() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(screen::kWidth, screen::kHeight);
  cairo_t* cr = c->Cr();
  // Evening sky.
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 420);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.05, 0.13, 0.12);
  cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.19, 0.32, 0.27);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.86, 0.62, 0.32);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  Ellipse(cr, 610, 390, 60, 60);
  RadialFill(cr, 610, 390, 60, Hex(0xffe3a0), Hex(0xe89a40), 0.9, 0.0);
  cairo_fill(cr);
  Hills(cr, 400, 30, 0.5, Hex(0x2e4a3a), 3);
  Hills(cr, 440, 22, 2.1, Hex(0x1f3a2b), 4);
  Viaduct(cr, 455);
  // A train crossing the viaduct, in silhouette.
  cairo_save(cr);
  SideLoco(cr, 470, 452, 1.0, Hex(0x1a1512));
  for (int i = 0; i < 4; ++i) SideWagon(cr, 430 - i * 36, 452, 1.0, Hex(0x1a1512));
  cairo_restore(cr);
  // Ground and the loading line.
  cairo_rectangle(cr, 0, 505, 800, 95);
  LinearFill(cr, 0, 505, 0, 600, p.greenDark, p.greenDeep);
  cairo_fill(cr);
  Grain(cr, 3, 0, 505, 800, 95, 1.0);
  Plate(cr, 250, 512, 300, 48, 8);
  Condensed(cr, "LOADING", 262, 530, 10, p.brassLight);
  Path rails = Path::Line({262, kLoadingRailY}, {538, kLoadingRailY});
  Rails(cr, rails);
  Plate(cr, 730, 568, 68, 26, 6);
  // The title.
  TextStyle title;
  title.size = 66;
  title.bold = true;
  title.align = Align::Centre;
  title.outline = 4;
  title.outlineColour = p.ink;
  title.colour = p.ink;
  title.alpha = 0.6;
  DrawText(cr, "OSTREL TRAINS", 406, 336, title);
  title.alpha = 1;
  title.outlineColour = p.redDark;
  title.colour = p.brassLight;
  DrawText(cr, "OSTREL TRAINS", 400, 330, title);
  Lettering(cr, "A  RAILWAY  PUZZLE  GAME", 400, 370, 18, p.cream, Align::Centre);
  return c;
}

CanvasPtr Logo() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(240, 240);
  cairo_t* cr = c->Cr();
  SoftShadow(*c,
             [](cairo_t* s) {
               Ellipse(s, 118, 118, 108, 108);
               cairo_fill(s);
             },
             {5, 5, 4, 0.5});
  Ellipse(cr, 118, 118, 108, 108);
  RadialFill(cr, 80, 80, 160, p.brassLight, p.brassDark);
  cairo_fill(cr);
  Ellipse(cr, 118, 118, 96, 96);
  RadialFill(cr, 95, 90, 130, p.greenLight, p.greenDeep);
  cairo_fill(cr);
  Ellipse(cr, 118, 118, 92, 92);
  SetColour(cr, p.brass, 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    double a = i * M_PI / 6;
    Rivet(cr, 118 + std::cos(a) * 102, 118 + std::sin(a) * 102, 2.5);
  }
  Lettering(cr, "OSTREL", 118, 70, 24, p.brassLight, Align::Centre);
  cairo_rectangle(cr, 40, 146, 156, 3);
  SetColour(cr, p.grey.Lighter(0.3));
  cairo_fill(cr);
  SideLoco(cr, 58, 146, 1.45, p.red);
  RoundedRect(cr, 52, 158, 132, 34, 8);
  LinearFill(cr, 0, 158, 0, 192, p.red, p.redDark);
  cairo_fill(cr);
  Lettering(cr, "TRAINS", 118, 184, 24, p.cream, Align::Centre);
  return c;
}

CanvasPtr MakerBadge() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(300, 74);
  cairo_t* cr = c->Cr();
  SoftShadow(*c, [](cairo_t* s) {
    RoundedRect(s, 4, 4, 288, 62, 14);
    cairo_fill(s);
  });
  Panel(cr, 4, 4, 288, 62, 14, 3);
  Ellipse(cr, 38, 35, 22, 22);
  RadialFill(cr, 30, 27, 28, p.redLight, p.redDark);
  cairo_fill(cr);
  Ellipse(cr, 38, 35, 22, 22);
  SetColour(cr, p.brass);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  Lettering(cr, "O", 38, 44, 24, p.cream, Align::Centre);
  Lettering(cr, "OSTREL GAMES", 170, 38, 22, p.brassLight, Align::Centre);
  Condensed(cr, "presents", 170, 56, 11, p.cream, Align::Centre);
  return c;
}

// The window icon: the engine on its line in a brass-rimmed square.
CanvasPtr Icon() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(32, 32);
  FillOpaque(*c, p.brass);
  cairo_t* cr = c->Cr();
  cairo_rectangle(cr, 1.5, 1.5, 29, 29);
  LinearFill(cr, 0, 0, 32, 32, p.greenLight, p.greenDeep);
  cairo_fill(cr);
  cairo_rectangle(cr, 2, 25, 28, 2);
  SetColour(cr, Hex(0xdfe4e8));
  cairo_fill(cr);
  SideLoco(cr, 1.5, 25.5, 0.46, p.red);
  return c;
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_intro) {
  ctx.Save(*IntroBackground(), "Dat/Interface/introBG.jpg", "", 1, {3});
  ctx.Save(*Logo(), "Dat/Interface/LogoIntro.tga", "", 1, {5});
  ctx.Save(*MakerBadge(), "Dat/Interface/IntroOstrelGames.tga", "", 1, {6});
  ctx.Save(*Icon(), "Dat/Icon.bmp", "", 1, {});
}
