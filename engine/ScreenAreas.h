// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rectangles of a screen's picture and the drawing of sprites into them, shared by the
// screen and its settled layer.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "engine/LClip.h"

// A changed area of a screen's picture; right and bottom are exclusive.
struct DirtyRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const DirtyRect&) const = default;
};

namespace area {

inline bool Overlaps(const DirtyRect& a, const DirtyRect& b) {
  return a.top < b.bottom && a.right > b.left && a.bottom > b.top && a.left < b.right;
}

inline bool IsEmpty(const DirtyRect& r) { return r.right <= r.left || r.bottom <= r.top; }

DirtyRect Union(const DirtyRect& a, const DirtyRect& b);
DirtyRect Intersection(const DirtyRect& a, const DirtyRect& b);

inline DirtyRect FromClipRect(const ClipRect& r) { return {r.x, r.y, r.x + r.w, r.y + r.h}; }

SDL_Rect ToSdl(const DirtyRect& r);

// Where the sprite's current frame is drawn.
ClipRect CurrentRect(const LClip& s);

// Adds r, cut to bounds, to the areas: it swallows every area it overlaps, so the areas
// never overlap each other.
void Merge(std::vector<DirtyRect>& areas, DirtyRect r, const DirtyRect& bounds);
// Adds r, cut to bounds, to the areas, joined with an area only where their bounding box
// is no larger than the two together: areas may overlap, but no large stretch that did
// not change is drawn again because two changes far apart touch one box.
void MergeApart(std::vector<DirtyRect>& areas, DirtyRect r, const DirtyRect& bounds);

// True when pictures of the two formats hold their pixels alike (no palettes).
bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b);

// Copies the area of from into the same place of to. Pictures of one pixel format, from
// neither blended nor colour-keyed, are copied row by row in the processor's cache (SDL's
// copy writes around it); anything else goes through SDL's blit.
void CopyArea(SDL_Surface* from, SDL_Surface* to, const DirtyRect& where);

// Draws the part of the sprite's current frame (drawn at cur) that lies inside the area.
void DrawSpritePart(const LClip* sprite, const ClipRect& cur, const DirtyRect& part,
                    SDL_Surface* surface);

// The sprites to draw over a base, in drawing order: the visible ones of a range of a
// screen's sprite list, each with the place of its frame.
class DrawList {
 public:
  // The visible ones of sprites[first..end), their frames at their places in rects and
  // drawn only within the boxes in shown (each inside its frame).
  void Fill(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& rects,
            const std::vector<ClipRect>& shown, size_t first, size_t end);
  // Composes the area of surface: base (the screen's background, or a layer holding it
  // with the sprites behind already drawn) copied, then the listed sprites drawn over it
  // in order. What lies behind the frontmost sprite that hides the whole area is left
  // out, as it would be drawn over.
  void Compose(SDL_Surface* surface, SDL_Surface* base, const DirtyRect& where);
  // The base is copied with CopyArea instead of SDL's blit.
  bool quickCopy = false;

 private:
  struct Item {
    const LClip* sprite;
    ClipRect cur;
    DirtyRect box;
  };
  std::vector<Item> items_;
  std::vector<const Item*> hits_;
};

}  // namespace area
