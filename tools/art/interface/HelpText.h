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

// Sizes and spacing of the help text. A heading that follows text stands headingGap
// further down than the next body line would, so it reads as the start of a new topic.
struct HelpTextStyle {
  double size = 11;  // body text
  double headingSize = 11.5;
  double lineHeight = 14;   // baseline to baseline in a paragraph
  double headingGap = 9;    // extra space above a heading that follows text
  double afterHeading = 3;  // extra space between a heading and its paragraph
};

// One line of text drawn on the page, with the box its ink covers.
struct TextLine {
  std::string text;
  double left, top, right, bottom;
  double size;
  bool heading;
};

// Draws text and notes where it went.
class TextLog {
 public:
  // Draws text with its baseline at y in the style and records its ink box.
  void Text(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style,
            bool heading);
  const std::vector<TextLine>& Lines() const { return lines_; }
  // One line per text: "heading|body size left top right bottom text".
  std::string Describe() const;

 private:
  std::vector<TextLine> lines_;
};

// Draws the topics into the box, headings in brass and bodies in cream; returns the y
// below the last line. Writes a warning when the text runs past the box's bottom.
double DrawTopics(cairo_t* cr, TextLog& log, const TextBox& box, const std::vector<Topic>& topics,
                  const HelpTextStyle& style = {});

// Splits text into lines no wider than width in the style.
std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width,
                                   const TextStyle& style);

}  // namespace art::ui
