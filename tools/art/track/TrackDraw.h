// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of track pieces along the game's track curves: gravel bed, sleepers, rails.
#pragma once

#include <cairo.h>

#include "geometry/Ground.h"

namespace art {

// Ground sizes of the track, in ground pixels across the track.
struct TrackSizes {
  static constexpr double kBedHalf = 9.5;       // gravel bed
  static constexpr double kSleeperHalf = 7.0;   // sleeper half length
  static constexpr double kSleeperDepth = 1.4;  // sleeper half thickness along the track
  static constexpr double kSleeperStep = 6.0;   // track units between sleepers
  static constexpr double kGauge = 3.9;         // rail distance from the centre
};

// Adds the band between side offsets a and b (ground pixels) from p0 to p1 to the path,
// with (ox, oy) the start junction's pixel in the frame.
void BandPath(cairo_t* cr, const TrackCurve& c, double ox, double oy, double a, double b, double p0,
              double p1);

void DrawBed(cairo_t* cr, const TrackCurve& c, double ox, double oy, unsigned seed);
void DrawSleepers(cairo_t* cr, const TrackCurve& c, double ox, double oy, unsigned seed);
void DrawRails(cairo_t* cr, const TrackCurve& c, double ox, double oy);
// The planned piece: a dashed outline of the bed with a faint fill.
void DrawPlanned(cairo_t* cr, const TrackCurve& c, double ox, double oy);
// The forbidden piece: the bed's shape in translucent red with hatching.
void DrawForbidden(cairo_t* cr, const TrackCurve& c, double ox, double oy);

}  // namespace art
