// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture effects and pixel reading on surfaces. The effects work on 32-bit
// surfaces only and leave any other surface unchanged, answering false.
#include <SDL.h>

#include <cstdint>

#include "engine/ContrastTable.h"

// Adds dr, dg, db to every pixel's red, green and blue, clamped to 0..255.
bool ShiftColour(SDL_Surface* surface, int dr, int dg, int db);
// Maps red through table[0..255], green through table[256..511], blue through
// table[512..767]; alpha is kept.
bool MapChannels(SDL_Surface* surface, const uint8_t table[768]);
// Adds delta to all three channels, clamped.
bool Brightness(SDL_Surface* surface, int delta);
// Lowers (amount < 0) or raises (amount > 0) the contrast around level 159, in
// steps of 1/128.
bool Contrast(SDL_Surface* surface, int amount);
// Fills the whole surface with the colour.
bool FillColour(SDL_Surface* surface, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// Lowers every pixel's alpha by amount, not below 0. 0 on success, -1 for an
// alpha mask other than 0xFF000000 / 0x000000FF (error text set) or a failed lock.
int FadeAlpha(SDL_Surface* surface, int amount);
// The raw pixel value at (x, y); -1 for unsupported pixel widths and, with a log
// line, for a point outside the surface.
int64_t GetPixel(SDL_Surface* surface, int x, int y);

// Surface helpers used by the clip.

// Converts to the display's pixel format, with an alpha channel or without. Before a
// video mode is set, converts to 32-bit ARGB (alpha) or RGB instead. The source is kept.
SDL_Surface* ToDisplayFormat(SDL_Surface* surface, bool alpha);
// A new w x h picture in the display format, filled with zero pixels.
SDL_Surface* CreateBlankSurface(int w, int h, bool alpha);
// A new surface of the same size and pixel format with the pixels copied byte for byte.
SDL_Surface* CopySurface(SDL_Surface* src);
// True when the pixel at (x, y) has all alpha bits zero or lies outside the surface;
// false on a surface without alpha.
bool IsTransparentPixel(SDL_Surface* surface, int x, int y);

// Truncates toward zero into the 32-bit range.
int32_t TruncToInt(double v);
