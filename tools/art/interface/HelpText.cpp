// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/HelpText.h"

#include <cstdio>

#include "interface/Style.h"

namespace art::ui {

void TextLog::Text(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
                   bool heading) {
  cairo_save(cr);
  cairo_select_font_face(cr, style.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, style.size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_restore(cr);
  double left = x;
  if (style.align == Align::Centre) left = x - e.x_advance / 2;
  if (style.align == Align::Right) left = x - e.x_advance;
  // A soft dark copy one pixel down and right lifts the letters off the green.
  TextStyle shade = style;
  shade.colour = Pal().ink;
  shade.alpha = 0.65;
  DrawText(cr, text, x + 1, y + 1, shade);
  DrawText(cr, text, x, y, style);
  lines_.push_back({text, left + e.x_bearing, y + e.y_bearing, left + e.x_bearing + e.width + 1,
                    y + e.y_bearing + e.height + 1, style.size, heading});
}

std::string TextLog::Describe() const {
  std::string out;
  char buf[96];
  for (const TextLine& l : lines_) {
    std::snprintf(buf, sizeof buf, "%s %.1f %.0f %.0f %.0f %.0f ", l.heading ? "heading" : "body",
                  l.size, l.left, l.top, l.right, l.bottom);
    out += buf + l.text + "\n";
  }
  return out;
}

std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width,
                                   const TextStyle& style) {
  std::vector<std::string> lines;
  std::string line, word;
  auto flush = [&]() {
    if (word.empty()) return;
    std::string tryLine = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(cr, tryLine, style) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = tryLine;
    }
    word.clear();
  };
  for (char c : text) {
    if (c == ' ')
      flush();
    else
      word.push_back(c);
  }
  flush();
  if (!line.empty()) lines.push_back(line);
  return lines;
}

double DrawTopics(cairo_t* cr, TextLog& log, const TextBox& box, const std::vector<Topic>& topics,
                  const HelpTextStyle& style) {
  const Palette& p = Pal();
  TextStyle body;
  body.family = "DejaVu Sans Condensed";
  body.size = style.size;
  body.colour = p.cream;
  TextStyle heading = body;
  heading.size = style.headingSize;
  heading.bold = true;
  heading.colour = p.brassLight;
  // y is the baseline of the last line drawn; the first line's ascent starts at the box's top.
  double y = box.y - style.lineHeight + style.size;
  bool first = true;
  for (const Topic& t : topics) {
    if (!t.heading.empty()) {
      y += style.lineHeight + (first ? 0 : style.headingGap);
      log.Text(cr, t.heading, box.x, y, heading, true);
      y += style.afterHeading;
    }
    for (const std::string& line : WrapLines(cr, t.body, box.w, body)) {
      y += style.lineHeight;
      log.Text(cr, line, box.x, y, body, false);
    }
    first = false;
  }
  const double end = y + style.size * 0.3;  // below the descenders
  if (end > box.bottom)
    std::fprintf(stderr, "Warning(art): help text at (%.0f, %.0f) runs %.0f pixels past its box\n",
                 box.x, box.y, end - box.bottom);
  return end;
}

}  // namespace art::ui
