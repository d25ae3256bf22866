// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/PanelParts.h"

#include <cmath>
#include <vector>

#include "railway/Geometry.h"

namespace art::ui {

namespace {

struct Pt {
  double x, y;
};

// Points of a track piece relative to its start junction, sampled along the field's
// own track geometry.
std::vector<Pt> PiecePoints(int type) {
  const int j = 51;  // any inner junction: the shape does not depend on it
  int length = rail::TrackLength(type);
  std::vector<Pt> pts;
  for (int i = 0; i <= 40; ++i) {
    auto p = rail::TrackPointPrecise(j, type, length * i / 40.0);
    pts.push_back({p.x - rail::JunctionX(j), p.y - rail::JunctionY(j)});
  }
  return pts;
}

void Polyline(cairo_t* cr, const std::vector<Pt>& pts, double ox, double oy, double offset) {
  for (size_t i = 0; i < pts.size(); ++i) {
    size_t a = i == 0 ? 0 : i - 1, b = i + 1 < pts.size() ? i + 1 : i;
    double dx = pts[b].x - pts[a].x, dy = pts[b].y - pts[a].y, len = std::hypot(dx, dy);
    double nx = -dy / len, ny = dx / len;
    double x = ox + pts[i].x + nx * offset, y = oy + pts[i].y + ny * offset;
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
}

void Lamp(cairo_t* cr, double cx, double cy, const Rgb& colour, bool lit) {
  const Palette& p = Pal();
  Ellipse(cr, cx, cy, 4.5, 4.5);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  Ellipse(cr, cx, cy, 3.5, 3.5);
  if (lit)
    RadialFill(cr, cx - 1, cy - 1, 4, colour.Lighter(0.6), colour);
  else
    SetColour(cr, colour.Darker(0.7));
  cairo_fill(cr);
}

}  // namespace

void ModeSwitch(cairo_t* cr, double x, double y, int position) {
  const Palette& p = Pal();
  cairo_save(cr);
  Plate(cr, x, y, kModeW, kModeH, 6);
  Rivet(cr, x + 5, y + 5, 1.8);
  Rivet(cr, x + kModeW - 5, y + 5, 1.8);
  Rivet(cr, x + 5, y + kModeH - 5, 1.8);
  Rivet(cr, x + kModeW - 5, y + kModeH - 5, 1.8);
  // Labels with their lamps: red for building, green for operating.
  bool build = position == 0, route = position == 2;
  Lamp(cr, x + 12, y + 16, p.redLight, build || position == 1);
  Lamp(cr, x + kModeW - 12, y + 16, Hex(0x59d46a), route || position == 1);
  Condensed(cr, "BUILD", x + 19, y + 20, 9.5, build ? p.cream : p.grey);
  Condensed(cr, "ROUTE", x + kModeW - 19, y + 20, 9.5, route ? p.cream : p.grey, Align::Right);
  // The slot and the lever knob.
  double sx = x + 16, sw = kModeW - 32, sy = y + 36;
  RoundedRect(cr, sx, sy, sw, 10, 5);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  RoundedRect(cr, sx + 1, sy + 1, sw - 2, 8, 4);
  LinearFill(cr, 0, sy, 0, sy + 10, p.ink, p.greenDark);
  cairo_fill(cr);
  double kx = sx + 10 + (sw - 20) * position / 2.0;
  Ellipse(cr, kx + 1.5, sy + 7, 10, 10);
  SetColour(cr, p.ink, 0.5);
  cairo_fill(cr);
  Ellipse(cr, kx, sy + 5, 10, 10);
  RadialFill(cr, kx - 3, sy + 2, 12,
             position == 0   ? p.redLight
             : position == 2 ? Hex(0x7fe08a)
                             : p.brassLight,
             position == 0   ? p.redDark
             : position == 2 ? Hex(0x1e5a2a)
                             : p.brassDark);
  cairo_fill(cr);
  Ellipse(cr, kx, sy + 5, 10, 10);
  SetColour(cr, p.brass);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void GameTypeCaption(cairo_t* cr, double x, double y, const std::string& type) {
  const Palette& p = Pal();
  cairo_save(cr);
  RoundedRect(cr, x, y, kCaptionW, kCaptionH, 6);
  LinearFill(cr, x, y, x, y + kCaptionH, p.red, p.redDark);
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, kCaptionW - 3, kCaptionH - 3, 5);
  SetColour(cr, p.brass);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Condensed(cr, "GAME TYPE", x + kCaptionW / 2, y + 13, 8.5, p.brassLight, Align::Centre);
  Lettering(cr, type, x + kCaptionW / 2, y + 32, 15, p.cream, Align::Centre);
  cairo_restore(cr);
}

void TrackPiece(cairo_t* cr, int type, double ox, double oy, double dim) {
  std::vector<Pt> pts = PiecePoints(type);
  Rgb ballast = Hex(0x8a7f6a).Mix(Hex(0x666666), dim);
  Rgb sleeper = Hex(0x6b4424).Mix(Hex(0x555555), dim);
  Rgb rail = Hex(0xdfe4e8).Mix(Hex(0x9a9a9a), dim);
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Polyline(cr, pts, ox, oy, 0);
  SetColour(cr, ballast.Darker(0.3));
  cairo_set_line_width(cr, 13);
  cairo_stroke_preserve(cr);
  SetColour(cr, ballast);
  cairo_set_line_width(cr, 11);
  cairo_stroke(cr);
  // Sleepers across the line every few pixels.
  for (size_t i = 1; i + 1 < pts.size(); i += 2) {
    double dx = pts[i + 1].x - pts[i - 1].x, dy = pts[i + 1].y - pts[i - 1].y,
           len = std::hypot(dx, dy);
    double nx = -dy / len * 6, ny = dx / len * 6;
    cairo_move_to(cr, ox + pts[i].x - nx, oy + pts[i].y - ny);
    cairo_line_to(cr, ox + pts[i].x + nx, oy + pts[i].y + ny);
  }
  SetColour(cr, sleeper);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  for (double side : {-3.2, 3.2}) {
    Polyline(cr, pts, ox, oy, side);
    SetColour(cr, Hex(0x2a2a2a));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke_preserve(cr);
    SetColour(cr, rail);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void Padlock(cairo_t* cr, double cx, double cy, double s) {
  const Palette& p = Pal();
  cairo_save(cr);
  cairo_arc(cr, cx, cy - s * 0.2, s * 0.55, M_PI, 2 * M_PI);
  cairo_set_line_width(cr, s * 0.22);
  SetColour(cr, p.grey.Lighter(0.3));
  cairo_stroke(cr);
  RoundedRect(cr, cx - s * 0.85, cy - s * 0.25, s * 1.7, s * 1.25, s * 0.2);
  LinearFill(cr, cx - s, cy - s * 0.25, cx + s, cy + s, p.brassLight, p.brassDark);
  cairo_fill(cr);
  Ellipse(cr, cx, cy + s * 0.25, s * 0.18, s * 0.18);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - s * 0.06, cy + s * 0.3, s * 0.12, s * 0.4);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace art::ui
