// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Draw.h"

#include <cmath>

namespace art {

Rgb Hex(unsigned rgb) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}

void SetColour(cairo_t* cr, const Rgb& c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void LinearFill(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgb& a, const Rgb& b,
                double alphaA, double alphaB) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, a.r, a.g, a.b, alphaA);
  cairo_pattern_add_color_stop_rgba(p, 1, b.r, b.g, b.b, alphaB);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void RadialFill(cairo_t* cr, double cx, double cy, double r, const Rgb& inner, const Rgb& outer,
                double alphaInner, double alphaOuter) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, std::max(r, 0.01));
  cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, alphaInner);
  cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, alphaOuter);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void LitFill(cairo_t* cr, double x, double y, double w, double h, const Rgb& base,
             double strength) {
  LinearFill(cr, x, y, x + w, y + h, base.Lighter(strength), base.Darker(strength));
  cairo_fill_preserve(cr);
}

void SoftShadow(Canvas& target, const std::function<void(cairo_t*)>& shape, const ShadowStyle& s) {
  Canvas scratch(target.Width(), target.Height());
  cairo_t* cr = scratch.Cr();
  cairo_translate(cr, s.dx, s.dy);
  cairo_set_source_rgb(cr, 0, 0, 0);
  shape(cr);
  scratch.Silhouette(0.05, 0.07, 0.03);
  scratch.Blur(s.blur);
  target.Paint(scratch, 0, 0, s.opacity);
}

void Speckle(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count, const Rgb& a,
             const Rgb& b, double size, double alpha) {
  for (int i = 0; i < count; ++i) {
    double px = x + rng.Uniform() * w, py = y + rng.Uniform() * h;
    SetColour(cr, a.Mix(b, rng.Uniform()), alpha * rng.Range(0.5, 1.0));
    double s = size * rng.Range(0.5, 1.0);
    Ellipse(cr, px, py, s, s * 0.8);
    cairo_fill(cr);
  }
}

static void SelectFont(cairo_t* cr, const TextStyle& st) {
  cairo_select_font_face(cr, st.family.c_str(),
                         st.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         st.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, st.size);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cr, fo);
  cairo_font_options_destroy(fo);
}

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_save(cr);
  SelectFont(cr, style);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  cairo_restore(cr);
  return ext.x_advance;
}

double DrawText(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) {
  cairo_save(cr);
  SelectFont(cr, style);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  double left = x;
  if (style.align == Align::Centre) left = x - ext.x_advance / 2;
  if (style.align == Align::Right) left = x - ext.x_advance;
  cairo_move_to(cr, left, y);
  cairo_text_path(cr, text.c_str());
  if (style.outline > 0) {
    SetColour(cr, style.outlineColour, style.alpha);
    cairo_set_line_width(cr, style.outline * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  SetColour(cr, style.colour, style.alpha);
  cairo_fill(cr);
  cairo_restore(cr);
  return ext.x_advance;
}

}  // namespace art
