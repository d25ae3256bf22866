// SPDX-License-Identifier: GPL-3.0-or-later
// The left panel of the in-game screen and everything that sits on it: the menu and
// logo buttons, the mode lever pictures, the Puzzle covers, the lock plate and the six
// track-type buttons. Positions follow the clip library; the panel's own picture
// carries the plates and recesses under them.
#include "ids/ScreenSize.h"
#include "interface/PanelParts.h"
#include "interface/Style.h"
#include "kit/Registry.h"
#include "kit/Strip.h"

namespace art::ui {
namespace {

constexpr int kPanelW = 140, kPanelH = screen::kHeight, kShadow = 8;

// Where the panel's parts stand (screen pixels, the panel starts at (0, 0)).
constexpr double kNameY = 9, kCaptionY = 52, kMenuY = 78, kTypeY = 191, kModeY = 237;
constexpr double kTracksY = 303, kLogoY = 512, kMakerY = 564;

void Recess(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 7);
  SetColour(cr, Pal().ink, 0.55);
  cairo_fill(cr);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 7);
  SetColour(cr, Pal().brass, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Medallion(cairo_t* cr, double cx, double cy) {
  const Palette& p = Pal();
  Ellipse(cr, cx + 1.5, cy + 2, 30, 30);
  SetColour(cr, p.ink, 0.5);
  cairo_fill(cr);
  Ellipse(cr, cx, cy, 30, 30);
  RadialFill(cr, cx - 10, cy - 10, 42, p.brassLight, p.brassDark);
  cairo_fill(cr);
  Ellipse(cr, cx, cy, 25, 25);
  RadialFill(cr, cx - 6, cy - 8, 30, p.greenLight, p.greenDeep);
  cairo_fill(cr);
  // A short line of track with the engine on it.
  cairo_rectangle(cr, cx - 22, cy + 10, 44, 2);
  SetColour(cr, p.grey.Lighter(0.3));
  cairo_fill(cr);
  SideLoco(cr, cx - 20, cy + 10, 0.62, p.red);
}

void TrackPlate(cairo_t* cr) {
  Plate(cr, 12, kTracksY, 116, 204, 8);
  // The junction lattice of the field, faintly, behind the buttons.
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 4; ++c) {
      double x = 22 + c * 32 + (r % 2) * 16, y = kTracksY + 12 + r * 30;
      if (x > 122) continue;
      Ellipse(cr, x, y, 1.3, 1.3);
      SetColour(cr, Pal().brass, 0.35);
      cairo_fill(cr);
    }
}

CanvasPtr LeftPanelPicture() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(kPanelW + kShadow, kPanelH);
  cairo_t* cr = c->Cr();
  // The shadow the panel casts onto the field.
  cairo_rectangle(cr, kPanelW, 0, kShadow, kPanelH);
  LinearFill(cr, kPanelW, 0, kPanelW + kShadow, 0, p.ink, p.ink, 0.55, 0.0);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, kPanelW, kPanelH);
  LinearFill(cr, 0, 0, kPanelW, kPanelH, p.green.Lighter(0.05), p.greenDark);
  cairo_fill(cr);
  Grain(cr, 92, 0, 0, kPanelW, kPanelH, 1.2);
  // Brass edge on the field side and a thin one along the window edge.
  cairo_rectangle(cr, kPanelW - 4, 0, 4, kPanelH);
  LinearFill(cr, kPanelW - 4, 0, kPanelW, 0, p.brassLight, p.brassDark);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 2, kPanelH);
  SetColour(cr, p.brassDark);
  cairo_fill(cr);
  for (double y = 40; y < kPanelH; y += 80) Rivet(cr, kPanelW - 2, y, 1.6);

  Plate(cr, 16, kNameY, 108, 24, 6);
  Plate(cr, 14, kCaptionY, 112, 24, 6);
  Condensed(cr, "PLAYER", 70, kNameY + 34, 7.5, p.brassLight, Align::Centre);
  Recess(cr, 11, kMenuY - 3, 118, 46);
  Medallion(cr, 70, 156);
  GameTypeCaption(cr, 15, kTypeY, "CLASSIC");
  ModeSwitch(cr, 14, kModeY, 2);
  TrackPlate(cr);
  Rule(cr, 14, 508, 112);
  Recess(cr, 11, kLogoY - 2, 118, 52);
  Recess(cr, 11, kMakerY - 2, 118, 36);
  return c;
}

// Operating mode: a grey veil over the track buttons with a small plaque.
CanvasPtr GreyRouteMode() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(114, 200);
  cairo_t* cr = c->Cr();
  RoundedRect(cr, 0, 0, 114, 200, 8);
  SetColour(cr, Hex(0x2b302d), 0.72);
  cairo_fill(cr);
  // Fine diagonal hatching.
  cairo_save(cr);
  RoundedRect(cr, 0, 0, 114, 200, 8);
  cairo_clip(cr);
  for (int k = -200; k < 114; k += 7) {
    cairo_move_to(cr, k, 200);
    cairo_line_to(cr, k + 200, 0);
  }
  SetColour(cr, p.grey, 0.18);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundedRect(cr, 9, 154, 96, 40, 6);
  SetColour(cr, p.greenDeep, 0.92);
  cairo_fill(cr);
  RoundedRect(cr, 9.5, 154.5, 95, 39, 6);
  SetColour(cr, p.brass, 0.8);
  cairo_stroke(cr);
  Condensed(cr, "ROUTE MODE", 57, 171, 11, p.cream, Align::Centre);
  Condensed(cr, "pick a track to build", 57, 186, 8, p.brassLight, Align::Centre);
  return c;
}

// Puzzle game: the caption and a locked lever over the mode switch.
CanvasPtr PuzzleCap() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(112, 108);
  cairo_t* cr = c->Cr();
  cairo_rectangle(cr, 0, 0, 112, 108);
  LinearFill(cr, 0, 0, 112, 108, p.green.Lighter(0.04), p.greenDark);
  cairo_fill(cr);
  GameTypeCaption(cr, 0, 0, "PUZZLE");
  ModeSwitch(cr, 0, 46, 2);
  Padlock(cr, 56, 88, 6);
  return c;
}

// Puzzle game: the sign over the track buttons.
CanvasPtr BuildingNotAvailable() {
  const Palette& p = Pal();
  auto c = std::make_unique<Canvas>(92, 100);
  cairo_t* cr = c->Cr();
  SoftShadow(*c, [](cairo_t* s) {
    Ellipse(s, 46, 40, 34, 34);
    cairo_fill(s);
    RoundedRect(s, 4, 80, 84, 18, 5);
    cairo_fill(s);
  });
  Ellipse(cr, 46, 40, 34, 34);
  SetColour(cr, p.cream);
  cairo_fill(cr);
  TrackPiece(cr, 0, 46 - 26, 40 + 15, 0.3);
  Ellipse(cr, 46, 40, 30, 30);
  SetColour(cr, p.red);
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_move_to(cr, 46 - 21, 40 - 21);
  cairo_line_to(cr, 46 + 21, 40 + 21);
  cairo_stroke(cr);
  RoundedRect(cr, 4, 80, 84, 18, 5);
  SetColour(cr, p.redDark);
  cairo_fill(cr);
  Condensed(cr, "NO BUILDING", 46, 93, 10, p.cream, Align::Centre);
  return c;
}

// The lock plate over the mode lever, its lamp blinking between the two frames.
CanvasPtr BlockBuild() {
  return DrawStrip(120, 46, 2, [](cairo_t* cr, int k) {
    const Palette& p = Pal();
    cairo_rectangle(cr, 0, 0, 120, 46);
    SetColour(cr, p.greenDark);
    cairo_fill(cr);
    Plate(cr, 2, 2, 116, 42, 7);
    Padlock(cr, 22, 21, 8);
    Condensed(cr, "BUILDING", 42, 20, 10.5, p.cream);
    Condensed(cr, "LOCKED", 42, 34, 10.5, k == 0 ? p.redLight : p.grey);
    Ellipse(cr, 106, 23, 5, 5);
    SetColour(cr, p.ink);
    cairo_fill(cr);
    Ellipse(cr, 106, 23, 4, 4);
    if (k == 0)
      RadialFill(cr, 105, 22, 5, p.redLight.Lighter(0.5), p.red);
    else
      SetColour(cr, p.redDark.Darker(0.3));
    cairo_fill(cr);
  });
}

}  // namespace
}  // namespace art::ui

using namespace art;
using namespace art::ui;

ART_GROUP(interface_panel) {
  ctx.Save(*LeftPanelPicture(), "Dat/Game/left_panel.jpg", "Dat/Game/left_panel.gif", 1, {92});
  auto build = std::make_unique<Canvas>(kModeW, kModeH);
  FillOpaque(*build, Pal().greenDark);
  ModeSwitch(build->Cr(), 0, 0, 0);
  ctx.Save(*build, "Dat/Game/btn_build_mode.jpg", "", 1, {93});
  auto middle = std::make_unique<Canvas>(kModeW, kModeH);
  FillOpaque(*middle, Pal().greenDark);
  ModeSwitch(middle->Cr(), 0, 0, 1);
  ctx.Save(*middle, "Dat/Game/btn_build_route_middle.jpg", "", 1, {94});
  ctx.Save(*GreyRouteMode(), "Dat/Game/grey_route_mode.jpg", "Dat/Game/grey_route_mode.gif", 1,
           {101});
  ctx.Save(*PuzzleCap(), "Dat/Interface/MainWindow/puzzle_game_cap.jpg", "", 1, {23});
  ctx.Save(*BuildingNotAvailable(), "Dat/Interface/MainWindow/building_available.tga", "", 1, {22});
  ctx.Save(*BlockBuild(), "Dat/Game/BlockBuild.jpg", "", 2, {91});
}
