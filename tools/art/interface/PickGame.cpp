// SPDX-License-Identifier: GPL-3.0-or-later
// The game-type dialog: the two animated type pictures (the Puzzle game runs a train over
// a ready-built railway in 7 frames, the Classic game builds its line in 4), their
// caption plates, the hover frame and the selection marker; and the tips' box parts and
// arrows.
#include <cmath>

#include "interface/Scene.h"
#include "interface/Style.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

namespace art::ui {
namespace {

constexpr int kPicW = 270, kPicH = 196;

// The little railway both pictures show: from the left town to the upper right town,
// with a branch at the switch to the lower right town.
Path MainLine() {
  Path p = Path::Line({34, 150}, {96, 150});
  p.Append(Path::Arc({96, 105}, 55, 45, 90, 0));
  p.Append(Path::Line({151, 105}, {151, 100}));
  p.Append(Path::Arc({196, 100}, 45, 40, 180, 270));
  p.Append(Path::Line({196, 60}, {236, 60}));
  return p;
}
Path Branch() { return Path::Line({96, 150}, {236, 150}); }

void SceneBase(cairo_t* cr, unsigned seed) {
  Grass(cr, 0, 0, kPicW, kPicH, seed);
  Town(cr, 24, 150, TownColour(1));
  Town(cr, 248, 58, TownColour(3));
  Town(cr, 248, 150, TownColour(0));
}

void Frame(cairo_t* cr) {
  RoundedRect(cr, 0.5, 0.5, kPicW - 1, kPicH - 1, 2);
  SetColour(cr, Pal().ink, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

CanvasPtr PuzzlePicture() {
  return DrawStrip(kPicW, kPicH, 7, [](cairo_t* cr, int k) {
    SceneBase(cr, 38);
    Path main = MainLine(), branch = Branch();
    Rails(cr, branch);
    Rails(cr, main);
    SwitchArrow(cr, 104, 134, -45);
    SignalPost(cr, 226, 132, false);
    double len = main.Length();
    TrainOn(cr, main, 40 + (len - 50) * k / 6.0, TownColour(3), 3);
    Lettering(cr, "READY-BUILT RAILWAY", kPicW / 2, 188, 10, Pal().cream, Align::Centre);
    Frame(cr);
  });
}

CanvasPtr ClassicPicture() {
  return DrawStrip(kPicW, kPicH, 4, [](cairo_t* cr, int k) {
    SceneBase(cr, 39);
    Path main = MainLine();
    Rails(cr, main, 0, true);
    // The line grows piece by piece: a third more in every frame.
    const auto& pts = main.Points();
    size_t built = pts.size() * k / 3;
    if (built >= 2) Rails(cr, Path(std::vector<Pt>(pts.begin(), pts.begin() + built)));
    if (k == 3) TrainOn(cr, main, 44, TownColour(3), 3);
    if (k < 3) {
      Pt at = pts[std::min(pts.size() - 1, built)];
      Coin(cr, at.x + 4, at.y - 16, 8, "$");
    }
    Lettering(cr, "BUILD YOUR OWN LINE", kPicW / 2, 188, 10, Pal().cream, Align::Centre);
    Frame(cr);
  });
}

CanvasPtr CaptionPlate(int w, const std::string& text) {
  auto c = std::make_unique<Canvas>(w, 26);
  cairo_t* cr = c->Cr();
  const Palette& p = Pal();
  RoundedRect(cr, 0, 0, w, 26, 8);
  LinearFill(cr, 0, 0, 0, 26, p.red, p.redDark);
  cairo_fill(cr);
  RoundedRect(cr, 1.5, 1.5, w - 3, 23, 7);
  SetColour(cr, p.brass);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Lettering(cr, text, w / 2.0, 18, 13, p.cream, Align::Centre);
  return c;
}

// The frame around a type picture: thin at rest, red when pressed, glowing on hover.
CanvasPtr FrameState() {
  return DrawStripCanvases(272, 200, 3, [](Canvas& c, int k) {
    const Palette& p = Pal();
    Look look = ButtonLook(k);
    cairo_t* cr = c.Cr();
    if (look == Look::Hover) {
      Canvas glow(272, 200);
      RoundedRect(glow.Cr(), 2, 2, 268, 196, 4);
      SetColour(glow.Cr(), p.brassLight);
      cairo_set_line_width(glow.Cr(), 4);
      cairo_stroke(glow.Cr());
      glow.Blur(1);
      c.Paint(glow, 0, 0);
    }
    RoundedRect(cr, 1.5, 1.5, 269, 197, 4);
    SetColour(cr, look == Look::Pressed ? p.redLight
                  : look == Look::Hover ? p.brassLight
                                        : p.brass);
    cairo_set_line_width(cr, look == Look::Normal ? 2 : 3);
    cairo_stroke(cr);
  });
}

CanvasPtr SelectedMarker() {
  auto c = std::make_unique<Canvas>(56, 56);
  cairo_t* cr = c->Cr();
  const Palette& p = Pal();
  SoftShadow(*c,
             [](cairo_t* s) {
               cairo_move_to(s, 0, 0);
               cairo_line_to(s, 54, 0);
               cairo_line_to(s, 0, 54);
               cairo_close_path(s);
               cairo_fill(s);
             },
             {2, 2, 1, 0.5});
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 54, 0);
  cairo_line_to(cr, 0, 54);
  cairo_close_path(cr);
  LinearFill(cr, 0, 0, 30, 30, p.redLight, p.redDark);
  cairo_fill(cr);
  cairo_move_to(cr, 54, 0);
  cairo_line_to(cr, 0, 54);
  SetColour(cr, p.brassLight);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, 6, 15);
  cairo_line_to(cr, 12, 22);
  cairo_line_to(cr, 24, 7);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, p.cream);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  return c;
}

// Tip box parts: the top with its heading and the bottom with the hint to click it away.
CanvasPtr TipTop() {
  auto c = std::make_unique<Canvas>(186, 16);
  cairo_t* cr = c->Cr();
  const Palette& p = Pal();
  RoundedRect(cr, 0, 0, 186, 24, 7);
  SetColour(cr, p.greenDark, 0.92);
  cairo_fill(cr);
  cairo_rectangle(cr, 6, 0, 174, 2);
  SetColour(cr, p.brass);
  cairo_fill(cr);
  Ellipse(cr, 12, 9, 4.5, 4.5);
  SetColour(cr, p.brass);
  cairo_fill(cr);
  Lettering(cr, "i", 12, 12.5, 8, p.ink, Align::Centre);
  Condensed(cr, "TIP", 21, 13, 10, p.brassLight);
  return c;
}

CanvasPtr TipBottom() {
  auto c = std::make_unique<Canvas>(186, 14);
  cairo_t* cr = c->Cr();
  const Palette& p = Pal();
  RoundedRect(cr, 0, -10, 186, 24, 7);
  SetColour(cr, p.greenDark, 0.92);
  cairo_fill(cr);
  cairo_rectangle(cr, 6, 12, 174, 2);
  SetColour(cr, p.brass);
  cairo_fill(cr);
  Condensed(cr, "click to hide", 178, 10, 8.5, p.brassLight, Align::Right);
  return c;
}

// Tip arrows, the point at the anchor; frame 1 is pushed 2 pixels toward the point.
void ArrowShape(cairo_t* cr, double tipX, double tipY, double dirX, double dirY, double len,
                double half) {
  double bx = tipX - dirX * len, by = tipY - dirY * len;
  double nx = -dirY, ny = dirX;
  double headLen = len * 0.55;
  double hx = tipX - dirX * headLen, hy = tipY - dirY * headLen;
  cairo_move_to(cr, tipX, tipY);
  cairo_line_to(cr, hx + nx * half, hy + ny * half);
  cairo_line_to(cr, hx + nx * half * 0.45, hy + ny * half * 0.45);
  cairo_line_to(cr, bx + nx * half * 0.45, by + ny * half * 0.45);
  cairo_line_to(cr, bx - nx * half * 0.45, by - ny * half * 0.45);
  cairo_line_to(cr, hx - nx * half * 0.45, hy - ny * half * 0.45);
  cairo_line_to(cr, hx - nx * half, hy - ny * half);
  cairo_close_path(cr);
}

CanvasPtr TipArrow(int w, int h, double tipX, double tipY, double dirX, double dirY, double len,
                   double half) {
  return DrawStrip(w, h, 2, [=](cairo_t* cr, int k) {
    double push = k == 1 ? 2 : 0;
    cairo_translate(cr, -dirX * (2 - push), -dirY * (2 - push));
    ArrowShape(cr, tipX, tipY, dirX, dirY, len, half);
    SetColour(cr, k == 1 ? Hex(0xfff07a) : Hex(0xf0c83a));
    cairo_fill_preserve(cr);
    SetColour(cr, Pal().ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  });
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_pickgame) {
  ctx.Save(*PuzzlePicture(), "Dat/Interface/PickGame/puzzle_game.jpg", "", 7, {38});
  ctx.Save(*ClassicPicture(), "Dat/Interface/PickGame/classic_game.jpg", "", 4, {39});
  ctx.Save(*CaptionPlate(178, "CLASSIC GAME"), "Dat/Interface/PickGame/AddBG1.jpg",
           "Dat/Interface/PickGame/AddBG1.gif", 1, {34});
  ctx.Save(*CaptionPlate(176, "PUZZLE GAME"), "Dat/Interface/PickGame/AddBG2.jpg",
           "Dat/Interface/PickGame/AddBG2.gif", 1, {35});
  ctx.Save(*FrameState(), "Dat/Interface/PickGame/frame_state.tga", "", 3, {36, 37});
  ctx.Save(*SelectedMarker(), "Dat/Interface/PickGame/Selected.tga", "", 1, {40});
}

ART_GROUP(interface_tips) {
  ctx.Save(*TipTop(), "Dat/Game/tip_text.tga", "", 1, {78});
  ctx.Save(*TipBottom(), "Dat/Game/tip_hide_text.tga", "", 1, {79});
  // Left: point at (0, 5) (anchor -1, 5); right: point at (27, 5); top: point at (7, 1).
  ctx.Save(*TipArrow(28, 11, 0.5, 5.5, -1, 0, 25, 5), "Dat/Game/TipsArrowLeft.tga", "", 2, {80});
  ctx.Save(*TipArrow(28, 11, 27.5, 5.5, 1, 0, 25, 5), "Dat/Game/TipsArrowRight.tga", "", 2, {81});
  ctx.Save(*TipArrow(15, 22, 7.5, 1, 0, -1, 19, 6.5), "Dat/Game/TipsArrowTop.tga", "", 2, {82});
}
