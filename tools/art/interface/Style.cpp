// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/Style.h"

#include <cmath>

namespace art::ui {

const Palette& Pal() {
  static const Palette p;
  return p;
}

Look ButtonLook(int frame) {
  if (frame == 1) return Look::Pressed;
  if (frame == 2) return Look::Hover;
  return Look::Normal;
}

void Panel(cairo_t* cr, double x, double y, double w, double h, double radius, double border) {
  const Palette& p = Pal();
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, radius);
  LinearFill(cr, x, y, x + w * 0.4, y + h, p.brassLight, p.brassDark);
  cairo_fill(cr);
  RoundedRect(cr, x + border, y + border, w - 2 * border, h - 2 * border,
              std::max(0.0, radius - border));
  LinearFill(cr, x, y, x + w * 0.3, y + h, p.green.Lighter(0.06), p.greenDark);
  cairo_fill(cr);
  // A thin dark line inside the brass gives the bevel its depth.
  RoundedRect(cr, x + border + 0.5, y + border + 0.5, w - 2 * border - 1, h - 2 * border - 1,
              std::max(0.0, radius - border));
  SetColour(cr, p.ink, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Plate(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const Palette& p = Pal();
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, radius);
  LinearFill(cr, x, y, x, y + h, p.greenDeep, p.greenDark);
  cairo_fill(cr);
  // Shadowed top-left inner edge and lit bottom-right edge: the plate sits lower.
  cairo_set_line_width(cr, 1);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  LinearFill(cr, x, y, x + w, y + h, p.ink, p.brass, 0.9, 0.7);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Rivet(cairo_t* cr, double x, double y, double r) {
  const Palette& p = Pal();
  cairo_save(cr);
  Ellipse(cr, x + 0.6, y + 0.8, r, r);
  SetColour(cr, p.ink, 0.5);
  cairo_fill(cr);
  Ellipse(cr, x, y, r, r);
  RadialFill(cr, x - r * 0.35, y - r * 0.35, r * 1.3, p.brassLight, p.brassDark);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Rule(cairo_t* cr, double x, double y, double w) {
  const Palette& p = Pal();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, 1);
  SetColour(cr, p.brass, 0.9);
  cairo_fill(cr);
  cairo_rectangle(cr, x, y + 1, w, 1);
  SetColour(cr, p.ink, 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Grain(cairo_t* cr, unsigned seed, double x, double y, double w, double h, double amount) {
  Rng rng(seed);
  int count = int(w * h / 40 * amount);
  Speckle(cr, rng, x, y, w, h, count, Pal().ink, Pal().greenLight, 0.9, 0.18);
}

void ButtonFace(cairo_t* cr, double x, double y, double w, double h, Look look,
                const std::string& caption, const Rgb& base, double fontSize) {
  const Palette& p = Pal();
  double r = std::min(10.0, h / 2.6);
  double press = look == Look::Pressed ? 1.5 : 0;
  Rgb face = base;
  if (look == Look::Hover) face = base.Lighter(0.18);
  if (look == Look::Pressed) face = base.Darker(0.25);
  cairo_save(cr);
  // Brass rim.
  RoundedRect(cr, x, y, w, h, r);
  LinearFill(cr, x, y, x, y + h, look == Look::Hover ? p.brassLight : p.brass, p.brassDark);
  cairo_fill(cr);
  // The face: raised (light at the top) or pushed in (light at the bottom).
  double in = 3;
  RoundedRect(cr, x + in, y + in, w - 2 * in, h - 2 * in, r - 2);
  if (look == Look::Pressed)
    LinearFill(cr, x, y + in, x, y + h - in, face.Darker(0.3), face.Lighter(0.05));
  else
    LinearFill(cr, x, y + in, x, y + h - in, face.Lighter(0.25), face.Darker(0.25));
  cairo_fill(cr);
  // Gloss on the upper half.
  if (look != Look::Pressed) {
    RoundedRect(cr, x + in + 2, y + in + 1, w - 2 * in - 4, (h - 2 * in) * 0.42, r - 3);
    LinearFill(cr, x, y + in, x, y + h / 2, {1, 1, 1}, {1, 1, 1}, 0.35, 0.02);
    cairo_fill(cr);
  }
  if (look == Look::Hover) {
    RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r - 1);
    SetColour(cr, p.brassLight, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  TextStyle st;
  st.size = fontSize;
  st.bold = true;
  st.align = Align::Centre;
  double base_y = y + h / 2 + fontSize * 0.36 + press;
  st.colour = p.ink;
  st.alpha = 0.7;
  DrawText(cr, caption, x + w / 2 + 1 + press, base_y + 1, st);
  st.alpha = 1;
  st.colour = look == Look::Hover ? Rgb{1, 1, 0.9} : p.cream;
  DrawText(cr, caption, x + w / 2 + press, base_y, st);
  cairo_restore(cr);
}

double Lettering(cairo_t* cr, const std::string& text, double x, double baseline, double size,
                 const Rgb& colour, Align align, bool bold, const std::string& family) {
  TextStyle st;
  st.family = family;
  st.size = size;
  st.bold = bold;
  st.align = align;
  st.colour = Pal().ink;
  st.alpha = 0.75;
  DrawText(cr, text, x + 1, baseline + 1, st);
  st.colour = colour;
  st.alpha = 1;
  return DrawText(cr, text, x, baseline, st);
}

double Condensed(cairo_t* cr, const std::string& text, double x, double baseline, double size,
                 const Rgb& colour, Align align) {
  return Lettering(cr, text, x, baseline, size, colour, align, true, "DejaVu Sans Condensed");
}

void FillOpaque(Canvas& c, const Rgb& colour) {
  cairo_t* cr = c.Cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetColour(cr, colour);
  cairo_paint(cr);
  cairo_restore(cr);
}

static void Wheel(cairo_t* cr, double cx, double cy, double r) {
  const Palette& p = Pal();
  Ellipse(cr, cx, cy, r, r);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  Ellipse(cr, cx, cy, r * 0.7, r * 0.7);
  SetColour(cr, p.redDark.Mix(p.red, 0.5));
  cairo_fill(cr);
  Ellipse(cr, cx, cy, r * 0.22, r * 0.22);
  SetColour(cr, p.brass);
  cairo_fill(cr);
}

void SideLoco(cairo_t* cr, double x, double y, double s, const Rgb& body) {
  const Palette& p = Pal();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  // Running board and frame.
  cairo_rectangle(cr, 2, -14, 56, 4);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  // Boiler.
  RoundedRect(cr, 22, -30, 34, 16, 6);
  LinearFill(cr, 0, -30, 0, -14, body.Lighter(0.35), body.Darker(0.35));
  cairo_fill(cr);
  // Bands on the boiler.
  for (double bx : {30.0, 40.0, 50.0}) {
    cairo_rectangle(cr, bx, -30, 1.5, 16);
    SetColour(cr, p.brass);
    cairo_fill(cr);
  }
  // Cab.
  cairo_rectangle(cr, 2, -38, 20, 24);
  LinearFill(cr, 0, -38, 0, -14, body.Lighter(0.25), body.Darker(0.4));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, -41, 24, 4);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  cairo_rectangle(cr, 7, -34, 10, 8);
  SetColour(cr, p.brassLight, 0.9);
  cairo_fill(cr);
  // Chimney and dome.
  cairo_rectangle(cr, 48, -40, 6, 11);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  cairo_rectangle(cr, 46.5, -42, 9, 3);
  cairo_fill(cr);
  Ellipse(cr, 36, -30, 4, 4);
  SetColour(cr, p.brass);
  cairo_fill(cr);
  // Buffer beam and cow-catcher.
  cairo_move_to(cr, 56, -14);
  cairo_line_to(cr, 63, -3);
  cairo_line_to(cr, 56, -3);
  cairo_close_path(cr);
  SetColour(cr, p.red);
  cairo_fill(cr);
  // Wheels.
  Wheel(cr, 12, -6, 6);
  Wheel(cr, 29, -7, 7);
  Wheel(cr, 45, -7, 7);
  cairo_move_to(cr, 29, -7);
  cairo_line_to(cr, 45, -7);
  SetColour(cr, p.grey);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void SideWagon(cairo_t* cr, double x, double y, double s, const Rgb& body) {
  const Palette& p = Pal();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  RoundedRect(cr, 1, -28, 32, 18, 2);
  LinearFill(cr, 0, -28, 0, -10, body.Lighter(0.3), body.Darker(0.35));
  cairo_fill(cr);
  for (double bx : {9.0, 17.0, 25.0}) {
    cairo_rectangle(cr, bx, -27, 1, 16);
    SetColour(cr, p.ink, 0.35);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 0, -11, 34, 3);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  Wheel(cr, 8, -5, 5);
  Wheel(cr, 26, -5, 5);
  cairo_restore(cr);
}

}  // namespace art::ui
