// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/Scene.h"

#include <cmath>

namespace art::ui {

Path Path::Line(Pt a, Pt b) {
  std::vector<Pt> pts;
  for (int i = 0; i <= 8; ++i)
    pts.push_back({a.x + (b.x - a.x) * i / 8, a.y + (b.y - a.y) * i / 8});
  return Path(pts);
}

Path Path::Arc(Pt c, double rx, double ry, double a0, double a1) {
  std::vector<Pt> pts;
  int n = std::max(8, int(std::fabs(a1 - a0) / 4));
  for (int i = 0; i <= n; ++i) {
    double a = (a0 + (a1 - a0) * i / n) * M_PI / 180;
    pts.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
  }
  return Path(pts);
}

Path& Path::Append(const Path& other) {
  for (size_t i = 0; i < other.pts_.size(); ++i) {
    if (i == 0 && !pts_.empty() &&
        std::hypot(pts_.back().x - other.pts_[0].x, pts_.back().y - other.pts_[0].y) < 0.5)
      continue;
    pts_.push_back(other.pts_[i]);
  }
  return *this;
}

double Path::Length() const {
  double l = 0;
  for (size_t i = 1; i < pts_.size(); ++i)
    l += std::hypot(pts_[i].x - pts_[i - 1].x, pts_[i].y - pts_[i - 1].y);
  return l;
}

Pt Path::At(double s, double* heading) const {
  if (pts_.size() < 2) return pts_.empty() ? Pt{} : pts_[0];
  if (s < 0) s = 0;
  for (size_t i = 1; i < pts_.size(); ++i) {
    double dx = pts_[i].x - pts_[i - 1].x, dy = pts_[i].y - pts_[i - 1].y, l = std::hypot(dx, dy);
    if (s <= l || i + 1 == pts_.size()) {
      double t = l > 0 ? std::min(1.0, s / l) : 0;
      if (heading) *heading = std::atan2(dy, dx);
      return {pts_[i - 1].x + dx * t, pts_[i - 1].y + dy * t};
    }
    s -= l;
  }
  return pts_.back();
}

Rgb TownColour(int i) {
  static const unsigned colours[8] = {0xf2d43a, 0xd8322c, 0x3fae4a, 0x3562d6,
                                      0x3cc8d0, 0xc748c0, 0x2a2a2a, 0xf4f4f0};
  return Hex(colours[((i % 8) + 8) % 8]);
}

void Grass(cairo_t* cr, double x, double y, double w, double h, unsigned seed) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  LinearFill(cr, x, y, x + w, y + h, Hex(0x6f9a4a), Hex(0x4e7a36));
  cairo_fill(cr);
  Rng rng(seed);
  Speckle(cr, rng, x, y, w, h, int(w * h / 30), Hex(0x3d6228), Hex(0x8fb862), 1.2, 0.45);
  cairo_restore(cr);
}

static void Stroke(cairo_t* cr, const Path& path, double offset) {
  const auto& p = path.Points();
  for (size_t i = 0; i < p.size(); ++i) {
    size_t a = i == 0 ? 0 : i - 1, b = i + 1 < p.size() ? i + 1 : i;
    double dx = p[b].x - p[a].x, dy = p[b].y - p[a].y, l = std::hypot(dx, dy);
    if (l == 0) l = 1;
    double x = p[i].x - dy / l * offset, y = p[i].y + dx / l * offset;
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
}

void Rails(cairo_t* cr, const Path& path, double dim, bool planned) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (planned) {
    double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    for (double side : {-5.0, 5.0}) {
      Stroke(cr, path, side);
      SetColour(cr, Pal().cream, 0.8);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
    cairo_restore(cr);
    return;
  }
  Rgb ballast = Hex(0x8a7f6a).Mix(Hex(0x666666), dim);
  Stroke(cr, path, 0);
  SetColour(cr, ballast.Darker(0.35));
  cairo_set_line_width(cr, 13);
  cairo_stroke_preserve(cr);
  SetColour(cr, ballast);
  cairo_set_line_width(cr, 11);
  cairo_stroke(cr);
  double len = path.Length();
  for (double s = 2; s < len; s += 5) {
    double h;
    Pt p = path.At(s, &h);
    double nx = -std::sin(h) * 6, ny = std::cos(h) * 6;
    cairo_move_to(cr, p.x - nx, p.y - ny);
    cairo_line_to(cr, p.x + nx, p.y + ny);
  }
  SetColour(cr, Hex(0x6b4424).Mix(Hex(0x555555), dim));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (double side : {-3.2, 3.2}) {
    Stroke(cr, path, side);
    SetColour(cr, Hex(0x2a2a2a));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke_preserve(cr);
    SetColour(cr, Hex(0xdfe4e8).Mix(Hex(0x9a9a9a), dim));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

static void Car(cairo_t* cr, Pt p, double heading, double length, const Rgb& colour, bool loco) {
  cairo_save(cr);
  cairo_translate(cr, p.x, p.y);
  cairo_rotate(cr, heading);
  RoundedRect(cr, -length / 2 + 1, -4.5 + 1.5, length, 9, 2);
  SetColour(cr, Pal().ink, 0.45);
  cairo_fill(cr);
  RoundedRect(cr, -length / 2, -4.5, length, 9, 2);
  LinearFill(cr, 0, -4.5, 0, 4.5, colour.Lighter(0.35), colour.Darker(0.35));
  cairo_fill_preserve(cr);
  SetColour(cr, Pal().ink, 0.8);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  if (loco) {
    Ellipse(cr, length / 2 - 4, 0, 2, 2);
    SetColour(cr, Pal().ink);
    cairo_fill(cr);
    cairo_rectangle(cr, -length / 2 + 1, -3.5, 5, 7);
    SetColour(cr, Pal().ink, 0.6);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void TrainOn(cairo_t* cr, const Path& path, double head, const Rgb& colour, int cars, bool crazy) {
  const double locoLen = 16, carLen = 13, gap = 2;
  double s = head - locoLen / 2;
  for (int i = cars; i >= 0; --i) {
    double len = i == 0 ? locoLen : carLen;
    double at = i == 0 ? s : s - locoLen / 2 - gap - carLen / 2 - (i - 1) * (carLen + gap);
    double h;
    Pt p = path.At(at, &h);
    // Only the locomotive carries the train's colour, as in the game; a crazy train's
    // cars all blink.
    const Rgb paint = i == 0 ? (crazy ? Hex(0x1b1b1b) : colour) : crazy ? colour : Hex(0xb89a70);
    Car(cr, p, h, len, paint, i == 0);
  }
  if (crazy) {
    double h;
    Pt p = path.At(s, &h);
    cairo_save(cr);
    TextStyle st;
    st.size = 12;
    st.bold = true;
    st.colour = Pal().redLight;
    st.outline = 1.5;
    st.outlineColour = Pal().ink;
    st.align = Align::Centre;
    DrawText(cr, "!", p.x, p.y - 8, st);
    cairo_restore(cr);
  }
}

void Town(cairo_t* cr, double x, double y, const Rgb& colour) {
  const Palette& p = Pal();
  auto house = [&](double hx, double hy, double w, double h) {
    cairo_rectangle(cr, hx + 1.5, hy + 1.5, w, h);
    SetColour(cr, p.ink, 0.4);
    cairo_fill(cr);
    // As the game paints its towns: walls in the town's colour under dark brown roofs.
    cairo_rectangle(cr, hx, hy, w, h);
    LinearFill(cr, hx, hy, hx + w, hy + h, colour.Lighter(0.15), colour.Darker(0.15));
    cairo_fill(cr);
    cairo_move_to(cr, hx - 1, hy + h * 0.45);
    cairo_line_to(cr, hx + w / 2, hy - 3);
    cairo_line_to(cr, hx + w + 1, hy + h * 0.45);
    cairo_close_path(cr);
    LinearFill(cr, hx, hy, hx + w, hy + h, Hex(0x5a3a30), Hex(0x2a1812));
    cairo_fill_preserve(cr);
    SetColour(cr, p.ink, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  };
  house(x - 14, y - 16, 12, 11);
  house(x + 3, y - 18, 13, 12);
  house(x - 8, y + 2, 16, 13);
  // The town's flag.
  cairo_rectangle(cr, x + 15, y - 2, 1.2, 14);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  cairo_rectangle(cr, x + 16, y - 2, 7, 5);
  SetColour(cr, colour);
  cairo_fill(cr);
}

void SignalPost(cairo_t* cr, double x, double y, bool green) {
  const Palette& p = Pal();
  cairo_rectangle(cr, x - 1, y - 4, 2, 14);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  RoundedRect(cr, x - 5, y - 16, 10, 14, 3);
  SetColour(cr, p.ink);
  cairo_fill(cr);
  Ellipse(cr, x, y - 12.5, 3, 3);
  SetColour(cr, green ? Hex(0x224422) : Hex(0xff4a3a));
  cairo_fill(cr);
  Ellipse(cr, x, y - 5.5, 3, 3);
  SetColour(cr, green ? Hex(0x6cff7a) : Hex(0x442222));
  cairo_fill(cr);
}

void SwitchArrow(cairo_t* cr, double x, double y, double angle) {
  const Palette& p = Pal();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle * M_PI / 180);
  cairo_move_to(cr, 9, 0);
  cairo_line_to(cr, -2, -6);
  cairo_line_to(cr, -2, -2.5);
  cairo_line_to(cr, -8, -2.5);
  cairo_line_to(cr, -8, 2.5);
  cairo_line_to(cr, -2, 2.5);
  cairo_line_to(cr, -2, 6);
  cairo_close_path(cr);
  SetColour(cr, Hex(0xffe04a));
  cairo_fill_preserve(cr);
  SetColour(cr, p.ink);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DamageMark(cairo_t* cr, double x, double y, double size) {
  Rng rng(unsigned(x * 7 + y * 13));
  for (int i = 0; i < 7; ++i) {
    Ellipse(cr, x + rng.Range(-size, size) * 0.6, y + rng.Range(-size, size) * 0.4,
            size * rng.Range(0.3, 0.6), size * rng.Range(0.25, 0.45));
    SetColour(cr, Hex(0x2a2118), 0.75);
    cairo_fill(cr);
  }
  for (int i = 0; i < 4; ++i) {
    double a = rng.Range(0, M_PI);
    cairo_move_to(cr, x + std::cos(a) * size * 0.2, y + std::sin(a) * size * 0.2);
    cairo_line_to(cr, x + std::cos(a) * size, y - std::sin(a) * size * 0.7);
  }
  SetColour(cr, Hex(0xb9b9b9));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 5; ++i) {
    Ellipse(cr, x + i * 2 - 3, y - size * 0.6 - i * size * 0.35, size * (0.25 + i * 0.08),
            size * (0.2 + i * 0.06));
    SetColour(cr, Hex(0x8a8a8a), 0.5 - i * 0.07);
    cairo_fill(cr);
  }
}

void Coin(cairo_t* cr, double x, double y, double r, const char* sign) {
  const Palette& p = Pal();
  Ellipse(cr, x + 1, y + 1.5, r, r);
  SetColour(cr, p.ink, 0.5);
  cairo_fill(cr);
  Ellipse(cr, x, y, r, r);
  RadialFill(cr, x - r * 0.4, y - r * 0.4, r * 1.5, p.brassLight.Lighter(0.3), p.brassDark);
  cairo_fill(cr);
  Ellipse(cr, x, y, r * 0.78, r * 0.78);
  SetColour(cr, p.brassDark, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  TextStyle st;
  st.size = r * 1.3;
  st.bold = true;
  st.align = Align::Centre;
  st.colour = p.brassDark.Darker(0.3);
  DrawText(cr, sign, x, y + r * 0.45, st);
}

}  // namespace art::ui
