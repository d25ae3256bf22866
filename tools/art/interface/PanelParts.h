// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces of the left panel that appear in more than one picture: the mode lever, the
// game type caption, the track pieces of the track-type buttons and the lock plate.
#pragma once

#include <string>

#include "interface/Style.h"

namespace art::ui {

// The mode toggle's face in a 112 x 62 box at (x, y): the lever stands at BUILD
// (position 0), half-way (1, the hover look) or at ROUTE (2).
constexpr int kModeW = 112, kModeH = 62;
void ModeSwitch(cairo_t* cr, double x, double y, int position);

// The game type plate, 112 x 40 at (x, y).
constexpr int kCaptionW = 112, kCaptionH = 40;
void GameTypeCaption(cairo_t* cr, double x, double y, const std::string& type);

// The piece of track type 0..5 as the field lays it, starting at (ox, oy); dim greys
// it out.
void TrackPiece(cairo_t* cr, int type, double ox, double oy, double dim = 0);

// A padlock centred at (cx, cy), about 2 x size wide.
void Padlock(cairo_t* cr, double cx, double cy, double size);

}  // namespace art::ui
