// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs' pictures: the big and small backgrounds, the OK, cancel and next buttons,
// the glass OK button of the help page, the check box, the volume slider, the options
// panel, the menu item frame, the new-game label and arrows.
#include <cmath>

#include "ids/ClipIds.h"
#include "interface/Style.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

namespace art::ui {
namespace {

// A dialog background: brass frame, dark-green field, an inset band for the title.
CanvasPtr DialogBackground(int w, int h, double bandTop, double bandBottom, unsigned seed) {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(w, h);
  FillOpaque(*c, p.brassDark);
  cairo_t* cr = c->Cr();
  Panel(cr, 0, 0, w, h, 0, 6);
  Grain(cr, seed, 6, 6, w - 12, h - 12, 1.0);
  // Light from the top left over the whole field.
  cairo_rectangle(cr, 6, 6, w - 12, h - 12);
  RadialFill(cr, w * 0.3, h * 0.2, std::max(w, h) * 0.9, p.greenLight, p.greenDeep, 0.25, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, 14, bandTop, w - 28, bandBottom - bandTop, 8);
  SetColour(cr, p.greenDeep, 0.7);
  cairo_fill(cr);
  Rule(cr, 24, bandBottom + 3, w - 48);
  cairo_rectangle(cr, 24, bandBottom + 6, w - 48, 2);
  SetColour(cr, p.red, 0.8);
  cairo_fill(cr);
  for (double x : {16.0, w - 16.0})
    for (double y : {16.0, h - 16.0}) Rivet(cr, x, y, 3);
  return c;
}

CanvasPtr TextButton(const std::string& caption, const Rgb& base) {
  return DrawStrip(110, 44, 3, [&](cairo_t* cr, int k) {
    ButtonFace(cr, 0.5, 0.5, 109, 43, ButtonLook(k), caption, base, 16);
  });
}

CanvasPtr NextButton() {
  return DrawStrip(110, 44, 3, [](cairo_t* cr, int k) {
    Look look = ButtonLook(k);
    ButtonFace(cr, 0.5, 0.5, 109, 43, look, "NEXT   ", Pal().brassDark.Mix(Pal().red, 0.3), 16);
    double d = look == Look::Pressed ? 1.5 : 0;
    cairo_move_to(cr, 78 + d, 15 + d);
    cairo_line_to(cr, 90 + d, 22 + d);
    cairo_line_to(cr, 78 + d, 29 + d);
    cairo_close_path(cr);
    SetColour(cr, look == Look::Hover ? Rgb{1, 1, 0.9} : Pal().cream);
    cairo_fill(cr);
  });
}

// The help page's OK: a glass pill that lets the page show through.
CanvasPtr GlassOk() {
  return DrawStripCanvases(140, 36, 3, [](Canvas& c, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    cairo_t* cr = c.Cr();
    double d = look == Look::Pressed ? 1 : 0;
    RoundedRect(cr, 2, 2, 136, 32, 16);
    LinearFill(cr, 0, 2, 0, 34, p.greenLight.Lighter(look == Look::Hover ? 0.35 : 0.15),
               p.greenDeep, look == Look::Pressed ? 0.85 : 0.6, 0.85);
    cairo_fill(cr);
    RoundedRect(cr, 2.5, 2.5, 135, 31, 16);
    SetColour(cr, look == Look::Hover ? p.brassLight : p.brass, 0.95);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (look != Look::Pressed) {
      RoundedRect(cr, 10, 4, 120, 12, 6);
      LinearFill(cr, 0, 4, 0, 16, {1, 1, 1}, {1, 1, 1}, 0.55, 0.05);
      cairo_fill(cr);
    }
    Lettering(cr, "OK", 70 + d, 24 + d, 16, look == Look::Hover ? Rgb{1, 1, 1} : p.cream,
              Align::Centre);
  });
}

// Check box frames: 0 clear, 1 clear pressed, 2 clear hover, 3 ticked, 4 ticked pressed, 5 ticked
// hover.
CanvasPtr CheckBox() {
  return DrawStrip(28, 28, 6, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    bool ticked = k >= 3;
    int state = k % 3;  // 0 rest, 1 pressed, 2 hover
    cairo_rectangle(cr, 0, 0, 28, 28);
    SetColour(cr, p.greenDark);
    cairo_fill(cr);
    RoundedRect(cr, 0, 0, 28, 28, 3);
    LinearFill(cr, 0, 0, 28, 28, state == 2 ? p.brassLight : p.brass, p.brassDark);
    cairo_fill(cr);
    RoundedRect(cr, 5, 5, 18, 18, 3);
    LinearFill(cr, 0, 5, 0, 23, state == 1 ? p.ink : p.greenDeep,
               state == 1 ? p.greenDeep : p.greenDark);
    cairo_fill(cr);
    if (ticked) {
      double d = state == 1 ? 1 : 0;
      cairo_move_to(cr, 8 + d, 14 + d);
      cairo_line_to(cr, 12.5 + d, 19 + d);
      cairo_line_to(cr, 21 + d, 8 + d);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      SetColour(cr, p.ink);
      cairo_set_line_width(cr, 5);
      cairo_stroke_preserve(cr);
      SetColour(cr, state == 2 ? p.redLight.Lighter(0.2) : p.redLight);
      cairo_set_line_width(cr, 3);
      cairo_stroke(cr);
    }
  });
}

constexpr int kSliderW = 150, kSliderH = 14;
CanvasPtr SliderTrack() {
  auto c = std::make_unique<Canvas>(kSliderW, kSliderH);
  const Palette& p = Pal();
  FillOpaque(*c, p.greenDark);
  cairo_t* cr = c->Cr();
  RoundedRect(cr, 0, 0, kSliderW, kSliderH, 3);
  LinearFill(cr, 0, 0, 0, kSliderH, p.brassDark, p.brassLight);
  cairo_fill(cr);
  RoundedRect(cr, 2.5, 3.5, kSliderW - 5, kSliderH - 7, 4);
  LinearFill(cr, 2, 0, kSliderW - 2, 0, p.greenDeep, p.red.Darker(0.2));
  cairo_fill(cr);
  for (int i = 0; i <= 10; ++i) {
    double x = 8 + i * (kSliderW - 16) / 10.0;
    cairo_rectangle(cr, std::floor(x), 5, 1, kSliderH - 10);
    SetColour(cr, p.cream, 0.35);
    cairo_fill(cr);
  }
  return c;
}

CanvasPtr SliderHandle() {
  return DrawStripCanvases(18, 40, 2, [](Canvas& c, int k) {
    const Palette& p = Pal();
    cairo_t* cr = c.Cr();
    SoftShadow(c,
               [](cairo_t* s) {
                 RoundedRect(s, 2, 1, 13, 37, 5);
                 cairo_fill(s);
               },
               {1.5, 1.5, 1, 0.5});
    RoundedRect(cr, 2, 1, 13, 37, 5);
    LinearFill(cr, 2, 0, 15, 0, k == 1 ? p.redLight : p.brassLight,
               k == 1 ? p.redDark : p.brassDark);
    cairo_fill(cr);
    for (double y : {15.0, 19.0, 23.0}) {
      cairo_rectangle(cr, 5, y, 7, 1);
      SetColour(cr, p.ink, 0.6);
      cairo_fill(cr);
    }
  });
}

// The options panel: the labels of the rows, left of the sliders and boxes that stand
// over it (panel pixels; the panel lies at (55, 75) of the dialog), with brass rules
// between the groups.
CanvasPtr OptionsPanel() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(290, 380);
  cairo_t* cr = c->Cr();
  struct Row {
    double centre;  // the row's middle
    const char* label;
  };
  // The boxes of the lower group stand 34 pixels apart, so that five rows and OK and
  // cancel below them fit the dialog.
  const Row rows[] = {{6, "MUSIC VOLUME"},     {57, "SOUND VOLUME"},  {130, "MUSIC"},
                      {175, "SOUNDS"},         {223, "FULL SCREEN"},  {257, "SHOW TIPS"},
                      {291, "COLOUR SYMBOLS"}, {325, "ACT IN PAUSE"}, {359, "LOCK MARKS"}};
  for (const Row& r : rows) {
    Ellipse(cr, 8, r.centre, 2.5, 2.5);
    SetColour(cr, p.brass);
    cairo_fill(cr);
    Condensed(cr, r.label, 16, r.centre + 5, 13, p.cream);
  }
  Rule(cr, 6, 88, 278);
  Condensed(cr, "ON / OFF", 186, 108, 9, p.brassLight, Align::Centre);
  Rule(cr, 6, 199, 278);
  return c;
}

// The menu item frame; frame 0 is clear but for corner brackets so the item text drawn
// on the background shows through; pressed and hover tint it.
CanvasPtr MenuFrames() {
  return DrawStrip(300, 44, 3, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    if (look != Look::Normal) {
      RoundedRect(cr, 2, 2, 296, 40, 10);
      if (look == Look::Pressed)
        SetColour(cr, p.red, 0.35);
      else
        LinearFill(cr, 0, 2, 0, 42, p.brassLight, p.brass, 0.28, 0.12);
      cairo_fill(cr);
      RoundedRect(cr, 2.5, 2.5, 295, 39, 10);
      SetColour(cr, look == Look::Pressed ? p.redLight : p.brassLight, 0.9);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
    }
    // Brackets at both ends.
    SetColour(cr, look == Look::Normal ? p.brass : p.brassLight, look == Look::Normal ? 0.7 : 1.0);
    cairo_set_line_width(cr, 2);
    for (double side : {0.0, 1.0}) {
      double x = side == 0 ? 10 : 290, dir = side == 0 ? 1 : -1;
      cairo_move_to(cr, x + dir * 12, 8);
      cairo_line_to(cr, x, 8);
      cairo_line_to(cr, x, 36);
      cairo_line_to(cr, x + dir * 12, 36);
      cairo_stroke(cr);
    }
  });
}

CanvasPtr StartLevelLabel() {
  auto c = std::make_unique<Canvas>(196, 26);
  Lettering(c->Cr(), "START AT LEVEL", 194, 19, 15, Pal().cream, Align::Right);
  return c;
}

CanvasPtr Arrow(bool right) {
  return DrawStripCanvases(24, 30, 3, [right](Canvas& c, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    cairo_t* cr = c.Cr();
    double d = look == Look::Pressed ? 1 : 0;
    auto shape = [right, d](cairo_t* s) {
      double tip = right ? 21 : 3, back = right ? 4 : 20;
      cairo_move_to(s, back + d, 4 + d);
      cairo_line_to(s, tip + d, 15 + d);
      cairo_line_to(s, back + d, 26 + d);
      cairo_close_path(s);
    };
    if (look != Look::Pressed)
      SoftShadow(c,
                 [&](cairo_t* s) {
                   shape(s);
                   cairo_fill(s);
                 },
                 {1.5, 1.5, 1, 0.6});
    shape(cr);
    LinearFill(cr, 0, 4, 0, 26, look == Look::Hover ? Rgb{1, 1, 0.85} : p.brassLight,
               look == Look::Pressed ? p.redDark : p.brassDark);
    cairo_fill_preserve(cr);
    SetColour(cr, p.ink, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_dialogs) {
  const Palette& p = Pal();
  ctx.Save(*DialogBackground(400, 520, 6, 44, 75), "Dat/Interface/BigBG.jpg", "", 1, {75});
  ctx.Save(*DialogBackground(400, 250, 14, 70, 76), "Dat/Interface/SmallBG.jpg", "", 1, {76});
  ctx.Save(*TextButton("OK", Hex(0x2f7a45)), "Dat/Interface/button_ok.jpg",
           "Dat/Interface/button_ok.gif", 3, {7, 42, 55});
  ctx.Save(*TextButton("CANCEL", p.red), "Dat/Interface/button_cancel.jpg",
           "Dat/Interface/button_cancel.gif", 3, {43, 56});
  ctx.Save(*NextButton(), "Dat/Interface/button_next.jpg", "Dat/Interface/button_next.gif", 3, {8});
  ctx.Save(*GlassOk(), "Dat/Interface/btnokGlass.tga", "", 3, {68});
  ctx.Save(*CheckBox(), "Dat/Interface/Options/chckbox.jpg", "", 6,
           {44, 45, 46, 47, 57, clip::OptionsCheck5, clip::OptionsCheck6, clip::OptionsCheck7});
  ctx.Save(*SliderTrack(), "Dat/Interface/Options/slider.jpg", "", 1, {48, 50});
  ctx.Save(*SliderHandle(), "Dat/Interface/Options/slider_handle.tga", "", 2, {49, 51});
  ctx.Save(*OptionsPanel(), "Dat/Interface/Options/AddBG.gif",
           "Dat/Interface/Options/AddBGMask.gif", 1, {41});
  ctx.Save(*MenuFrames(), "Dat/Interface/Menu/main_menu_frames.tga", "", 3, {69});
  ctx.Save(*StartLevelLabel(), "Dat/Interface/NewGame/SelectStartLevel.tga", "", 1, {72});
  ctx.Save(*Arrow(false), "Dat/Interface/NewGame/NewGameBtLeft.tga", "", 3, {73});
  ctx.Save(*Arrow(true), "Dat/Interface/NewGame/NewGameBtRight.tga", "", 3, {74});
}
