// SPDX-License-Identifier: GPL-3.0-or-later
// Trees and bushes seen from the game's view, with their shadows to the bottom right.
#pragma once

#include <cairo.h>

#include "kit/Draw.h"

namespace art {

// Foot of the trunk at (x, y); r is the crown radius.
void DeciduousTree(cairo_t* cr, double x, double y, double r, const Rgb& leaves, unsigned seed);
void Fir(cairo_t* cr, double x, double y, double r, double h, bool snowy, unsigned seed);
void Palm(cairo_t* cr, double x, double y, double r, unsigned seed);
void Shrub(cairo_t* cr, double x, double y, double r, const Rgb& leaves, unsigned seed);
void BareTree(cairo_t* cr, double x, double y, double r, bool snowy, unsigned seed);
// What is left of a tree that a track is clearing: a stump, the felled trunk, leaves.
void FelledTree(cairo_t* cr, double x, double y, double r, const Rgb& leaves, bool snowy,
                unsigned seed);
// Soft ground shadow of something of radius r standing at (x, y), height h.
void GroundShadow(cairo_t* cr, double x, double y, double r, double h, double opacity = 0.35);

}  // namespace art
