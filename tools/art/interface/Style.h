// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the interface pictures: the palette of the panels and dialogs and the
// shapes they are built from (bevelled panels, recessed plates, rivets, pressable
// buttons, lettering with a shadow).
#pragma once

#include <string>

#include "kit/Canvas.h"
#include "kit/Draw.h"

namespace art::ui {

// Palette: dark-green panels, brass trim, red accents, cream lettering.
struct Palette {
  Rgb green = Hex(0x244a33);
  Rgb greenDark = Hex(0x132a1d);
  Rgb greenDeep = Hex(0x0b1a12);
  Rgb greenLight = Hex(0x3c7152);
  Rgb brass = Hex(0xc9a14a);
  Rgb brassLight = Hex(0xf1d98f);
  Rgb brassDark = Hex(0x6f5220);
  Rgb red = Hex(0xb8282a);
  Rgb redLight = Hex(0xe65a46);
  Rgb redDark = Hex(0x5e1012);
  Rgb cream = Hex(0xf4ead0);
  Rgb ink = Hex(0x0a120d);
  Rgb grey = Hex(0x8c948e);
};
const Palette& Pal();

// Button looks by frame: the frame rule of the widgets is 0 normal, 1 pressed, 2 hover.
enum class Look { Normal, Pressed, Hover };
Look ButtonLook(int frame);

// A raised green panel with a brass bevel, filling (x, y, w, h).
void Panel(cairo_t* cr, double x, double y, double w, double h, double radius, double border = 3);
// A recessed dark plate (name plates, counter windows).
void Plate(cairo_t* cr, double x, double y, double w, double h, double radius);
// A brass rivet centred at (x, y).
void Rivet(cairo_t* cr, double x, double y, double r = 2.5);
// A horizontal brass rule.
void Rule(cairo_t* cr, double x, double y, double w);
// Fine speckled texture over a rectangle, to keep large areas from looking flat.
void Grain(cairo_t* cr, unsigned seed, double x, double y, double w, double h, double amount = 1.0);

// A pressable rounded button face in the given look, with a centred caption.
void ButtonFace(cairo_t* cr, double x, double y, double w, double h, Look look,
                const std::string& caption, const Rgb& base, double fontSize = 15);

// Lettering with a one-pixel dark shadow below right.
double Lettering(cairo_t* cr, const std::string& text, double x, double baseline, double size,
                 const Rgb& colour, Align align = Align::Left, bool bold = true,
                 const std::string& family = "DejaVu Sans");
// Condensed lettering for narrow places.
double Condensed(cairo_t* cr, const std::string& text, double x, double baseline, double size,
                 const Rgb& colour, Align align = Align::Left);

// Fills the whole canvas opaque with the colour (backgrounds saved as JPEG).
void FillOpaque(Canvas& c, const Rgb& colour);

// A small steam locomotive seen from the side, facing right, wheels on the line y = 0,
// nose at x = 0, drawn in the body colour (for emblems, the icon and illustrations).
void SideLoco(cairo_t* cr, double x, double y, double scale, const Rgb& body);
// A wagon seen from the side, same conventions as SideLoco (length 34 at scale 1).
void SideWagon(cairo_t* cr, double x, double y, double scale, const Rgb& body);

}  // namespace art::ui
