// SPDX-License-Identifier: GPL-3.0-or-later
// The help page's text: headed paragraphs word-wrapped into boxes of the page.
#pragma once

#include <string>
#include <vector>

#include "kit/Draw.h"

namespace art::ui {

struct Topic {
  std::string heading;  // may be empty
  std::string body;
};

struct TextBox {
  double x, y, w, bottom;  // the text must end above bottom
};

// Draws the topics into the box, headings in brass and bodies in cream; returns the y
// below the last line. Writes a warning when the text runs past the box's bottom.
double DrawTopics(cairo_t* cr, const TextBox& box, const std::vector<Topic>& topics, double bodySize = 11);

// Splits text into lines no wider than width in the style.
std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width, const TextStyle& style);

}  // namespace art::ui
