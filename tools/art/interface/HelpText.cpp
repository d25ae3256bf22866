// SPDX-License-Identifier: GPL-3.0-or-later
#include "interface/HelpText.h"

#include <cstdio>

#include "interface/Style.h"

namespace art::ui {

std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width, const TextStyle& style) {
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

double DrawTopics(cairo_t* cr, const TextBox& box, const std::vector<Topic>& topics, double bodySize) {
  const Palette& p = Pal();
  TextStyle body;
  body.family = "DejaVu Sans Condensed";
  body.size = bodySize;
  body.colour = p.cream;
  const double lineH = bodySize + 3;
  double y = box.y;
  for (const Topic& t : topics) {
    if (!t.heading.empty()) {
      y += bodySize;
      Condensed(cr, t.heading, box.x, y, bodySize + 0.5, p.brassLight);
      y += 4;
    }
    for (const std::string& line : WrapLines(cr, t.body, box.w, body)) {
      y += lineH;
      TextStyle shade = body;
      shade.colour = p.ink;
      shade.alpha = 0.6;
      DrawText(cr, line, box.x + 1, y + 1, shade);
      DrawText(cr, line, box.x, y, body);
    }
    y += 4;
  }
  if (y - 4 + 3 > box.bottom)
    std::fprintf(stderr, "Warning(art): help text at (%.0f, %.0f) runs %.0f pixels past its box\n", box.x, box.y,
                 y - 4 + 3 - box.bottom);
  return y;
}

}  // namespace art::ui
