// SPDX-License-Identifier: GPL-3.0-or-later
// The pressable controls of the left panel and the top bar: the menu and logo buttons,
// the six track-type buttons, the rolling counter digits and the pause plate.
// Buttons have three frames: 0 normal, 1 pressed, 2 hover.
#include <cmath>

#include "interface/PanelParts.h"
#include "interface/Style.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

namespace art::ui {
namespace {

CanvasPtr MenuButton() {
  return DrawStrip(112, 40, 3, [](cairo_t* cr, int k) {
    ButtonFace(cr, 0.5, 0.5, 111, 39, ButtonLook(k), "MENU", Pal().red, 16);
  });
}

// The game's wordmark plate (left panel, bottom) in the look of frame k.
void LogoFace(cairo_t* cr, double w, double h, Look look) {
  const Palette& p = Pal();
  cairo_rectangle(cr, 0, 0, w, h);
  SetColour(cr, p.greenDark);
  cairo_fill(cr);
  RoundedRect(cr, 1, 1, w - 2, h - 2, 6);
  LinearFill(cr, 0, 0, 0, h, look == Look::Pressed ? p.greenDeep : p.green.Lighter(0.1),
             p.greenDeep);
  cairo_fill_preserve(cr);
  SetColour(cr, look == Look::Hover ? p.brassLight : p.brass);
  cairo_set_line_width(cr, look == Look::Hover ? 2 : 1.2);
  cairo_stroke(cr);
}

CanvasPtr LogoButton() {
  return DrawStrip(112, 48, 3, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    double d = look == Look::Pressed ? 1 : 0;
    LogoFace(cr, 112, 48, look);
    SideLoco(cr, 8 + d, 40 + d, 0.42, p.red);
    Condensed(cr, "OSTREL", 80 + d, 20 + d, 12, p.brassLight, Align::Centre);
    Lettering(cr, "TRAINS", 80 + d, 37 + d, 14, look == Look::Hover ? Rgb{1, 1, 1} : p.cream,
              Align::Centre);
  });
}

CanvasPtr MakerButton() {
  return DrawStrip(112, 32, 3, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    double d = look == Look::Pressed ? 1 : 0;
    LogoFace(cr, 112, 32, look);
    Ellipse(cr, 16 + d, 16 + d, 9, 9);
    RadialFill(cr, 13 + d, 13 + d, 11, p.redLight, p.redDark);
    cairo_fill(cr);
    Lettering(cr, "O", 16 + d, 20 + d, 11, p.cream, Align::Centre);
    Condensed(cr, "OSTREL GAMES", 66 + d, 20.5 + d, 11,
              look == Look::Hover ? Rgb{1, 1, 1} : p.brassLight, Align::Centre);
  });
}

struct TrackButton {
  int entry, type, w, h;
  double ox, oy;  // start junction of the piece inside the frame
};
constexpr TrackButton kTrackButtons[6] = {
    {104, 0, 62, 40, 4.5, 35.5}, {105, 1, 112, 30, 3, 22}, {106, 2, 112, 30, 3, 8},
    {107, 3, 62, 40, 4.5, 4.5},  {108, 4, 34, 72, 7, 5.5}, {109, 5, 34, 72, 27, 5.5},
};

CanvasPtr TrackTypeButton(const TrackButton& b) {
  return DrawStripCanvases(b.w, b.h, 3, [&](Canvas& c, int k) {
    Look look = ButtonLook(k);
    if (look == Look::Hover) {
      // A brass glow around the piece.
      Canvas glow(b.w, b.h);
      TrackPiece(glow.Cr(), b.type, b.ox, b.oy);
      glow.Silhouette(1.0, 0.85, 0.4);
      glow.Blur(2);
      c.Paint(glow, 0, 0, 1.0);
      c.Paint(glow, 0, 0, 0.6);
    } else if (look == Look::Normal) {
      SoftShadow(c, [&](cairo_t* s) { TrackPiece(s, b.type, b.ox, b.oy); }, {1.5, 1.5, 1, 0.6});
    }
    double d = look == Look::Pressed ? 1 : 0;
    TrackPiece(c.Cr(), b.type, b.ox + d, b.oy + d, look == Look::Pressed ? 0.35 : 0);
  });
}

// The rolling digit strip: 4 frames per digit; frame 4d shows d at rest, frames
// 4d + 3, 4d + 2 and 4d + 1 roll it in from below while the digit before leaves upward.
constexpr int kDigitW = 20, kDigitH = 27;
CanvasPtr Digits() {
  return DrawStrip(kDigitW, kDigitH, 40, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    int d = k / 4, step = k % 4;  // step 0 rest, 3 just begun
    double shift = step * kDigitH / 4.0;
    RoundedRect(cr, 1, 1, kDigitW - 2, kDigitH - 2, 3);
    LinearFill(cr, 0, 0, 0, kDigitH, Hex(0x0e0e0c), Hex(0x0e0e0c));
    cairo_fill(cr);
    // The drum: lit in the middle, dark at top and bottom.
    cairo_save(cr);
    RoundedRect(cr, 2, 2, kDigitW - 4, kDigitH - 4, 2);
    cairo_clip(cr);
    cairo_pattern_t* drum = cairo_pattern_create_linear(0, 0, 0, kDigitH);
    cairo_pattern_add_color_stop_rgb(drum, 0, 0.05, 0.07, 0.05);
    cairo_pattern_add_color_stop_rgb(drum, 0.5, 0.2, 0.27, 0.21);
    cairo_pattern_add_color_stop_rgb(drum, 1, 0.05, 0.07, 0.05);
    cairo_set_source(cr, drum);
    cairo_paint(cr);
    cairo_pattern_destroy(drum);
    auto digit = [&](int n, double y) {
      char s[2] = {char('0' + n), 0};
      TextStyle st;
      st.size = 19;
      st.bold = true;
      st.align = Align::Centre;
      st.colour = p.ink;
      DrawText(cr, s, kDigitW / 2.0 + 1, y + 1, st);
      st.colour = p.cream.Mix(p.brassLight, 0.4);
      DrawText(cr, s, kDigitW / 2.0, y, st);
    };
    double base = 21;
    digit(d, base + shift);
    if (step > 0) digit((d + 9) % 10, base + shift - kDigitH);
    // Shade at the drum's edges so the roll looks round.
    LinearFill(cr, 0, 0, 0, kDigitH, {0, 0, 0}, {0, 0, 0}, 0.55, 0);
    cairo_rectangle(cr, 0, 0, kDigitW, 8);
    cairo_fill(cr);
    LinearFill(cr, 0, kDigitH - 8, 0, kDigitH, {0, 0, 0}, {0, 0, 0}, 0, 0.55);
    cairo_rectangle(cr, 0, kDigitH - 8, kDigitW, 8);
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, 1.5, 1.5, kDigitW - 3, kDigitH - 3, 3);
    SetColour(cr, p.brassDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

CanvasPtr PausePlate() {
  auto c = std::make_unique<Canvas>(350, 96);
  const Palette& p = Pal();
  SoftShadow(*c,
             [](cairo_t* s) {
               RoundedRect(s, 4, 4, 338, 84, 14);
               cairo_fill(s);
             },
             {4, 4, 3, 0.5});
  cairo_t* cr = c->Cr();
  Panel(cr, 4, 4, 338, 84, 14, 4);
  Grain(cr, 90, 10, 10, 326, 72, 0.6);
  TextStyle st;
  st.size = 40;
  st.bold = true;
  st.align = Align::Centre;
  st.outline = 2;
  st.outlineColour = p.redDark;
  st.colour = p.brassLight;
  cairo_save(cr);
  st.colour = p.ink;
  st.alpha = 0.6;
  DrawText(cr, "PAUSE", 176, 55, st);
  cairo_restore(cr);
  st.alpha = 1;
  st.colour = p.brassLight;
  DrawText(cr, "PAUSE", 173, 52, st);
  Condensed(cr, "press any key or click to play on", 173, 76, 11, p.cream, Align::Centre);
  for (double x : {18.0, 328.0}) {
    Rivet(cr, x, 18);
    Rivet(cr, x, 74);
  }
  return c;
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_panel_buttons) {
  ctx.Save(*MenuButton(), "Dat/Game/btn_menu.jpg", "Dat/Game/btn_menu.gif", 3, {19});
  ctx.Save(*LogoButton(), "Dat/Interface/MainWindow/logo.jpg", "", 3, {20});
  ctx.Save(*MakerButton(), "Dat/Interface/MainWindow/ostrelgames.jpg", "", 3, {21});
  for (const TrackButton& b : kTrackButtons)
    ctx.Save(*TrackTypeButton(b), "Dat/Game/LeftTrack" + std::to_string(b.type) + ".tga", "", 3,
             {b.entry});
  ctx.Save(*Digits(), "Dat/Game/nums.jpg", "Dat/Game/nums.gif", 40, {112});
  ctx.Save(*PausePlate(), "Dat/Game/pause.jpg", "Dat/Game/pause.gif", 1, {90});
}
