// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ScreenAreas.h"

#include <algorithm>
#include <cstring>

#include "engine/PictureEffects.h"

namespace area {

DirtyRect Union(const DirtyRect& a, const DirtyRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

DirtyRect Intersection(const DirtyRect& a, const DirtyRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

SDL_Rect ToSdl(const DirtyRect& r) {
  return {static_cast<Sint16>(r.left), static_cast<Sint16>(r.top),
          static_cast<Uint16>(r.right - r.left), static_cast<Uint16>(r.bottom - r.top)};
}

ClipRect CurrentRect(const LClip& s) {
  return {TruncToInt(s.x) - s.AlignX, TruncToInt(s.y) - s.AlignY, s.FrameW, s.FrameH};
}

void Merge(std::vector<DirtyRect>& areas, DirtyRect r, const DirtyRect& bounds) {
  r = Intersection(r, bounds);
  if (IsEmpty(r)) return;
  for (size_t i = 0; i < areas.size();) {
    if (Overlaps(r, areas[i])) {
      r = Union(r, areas[i]);
      areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  areas.push_back(r);
}

namespace {

int64_t Size(const DirtyRect& r) {
  return static_cast<int64_t>(r.right - r.left) * (r.bottom - r.top);
}

}  // namespace

void MergeApart(std::vector<DirtyRect>& areas, DirtyRect r, const DirtyRect& bounds) {
  r = Intersection(r, bounds);
  if (IsEmpty(r)) return;
  for (size_t i = 0; i < areas.size();) {
    const DirtyRect joined = Union(r, areas[i]);
    if (Size(joined) <= Size(r) + Size(areas[i])) {
      // The joined area may now pay off with one looked at before: look again.
      r = joined;
      areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(i));
      i = 0;
    } else {
      ++i;
    }
  }
  areas.push_back(r);
}

bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
  return a->BitsPerPixel == b->BitsPerPixel && a->BytesPerPixel == b->BytesPerPixel &&
         a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
         a->Amask == b->Amask && !a->palette && !b->palette;
}

void CopyArea(SDL_Surface* from, SDL_Surface* to, const DirtyRect& where) {
  const SDL_Rect& clip = to->clip_rect;
  const DirtyRect part =
      Intersection(Intersection(where, {0, 0, std::min(from->w, to->w), std::min(from->h, to->h)}),
                   {clip.x, clip.y, clip.x + clip.w, clip.y + clip.h});
  if (IsEmpty(part)) return;
  const Uint32 special = SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL;
  if ((from->flags & special) != 0 || !SameFormat(from->format, to->format) ||
      SDL_LockSurface(from) != 0) {
    SDL_Rect src = ToSdl(part);
    SDL_Rect dst = src;
    SDL_BlitSurface(from, &src, to, &dst);
    return;
  }
  if (SDL_LockSurface(to) == 0) {
    const int bytes = from->format->BytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(part.right - part.left) * bytes;
    for (int32_t y = part.top; y < part.bottom; ++y)
      std::memcpy(static_cast<Uint8*>(to->pixels) + y * to->pitch + part.left * bytes,
                  static_cast<const Uint8*>(from->pixels) + y * from->pitch + part.left * bytes,
                  rowBytes);
    SDL_UnlockSurface(to);
  }
  SDL_UnlockSurface(from);
}

void DrawSpritePart(const LClip* sprite, const ClipRect& cur, const DirtyRect& where,
                    SDL_Surface* surface) {
  SDL_Surface* picture = sprite->GetSurface();
  if (!picture) return;
  const DirtyRect part = Intersection(FromClipRect(cur), where);
  if (IsEmpty(part)) return;
  SDL_Rect src{static_cast<Sint16>(sprite->SrcRect.x + part.left - cur.x),
               static_cast<Sint16>(sprite->SrcRect.y + part.top - cur.y),
               static_cast<Uint16>(part.right - part.left),
               static_cast<Uint16>(part.bottom - part.top)};
  SDL_Rect dst = ToSdl(part);
  SDL_BlitSurface(picture, &src, surface, &dst);
}

namespace {

// True when the sprite, drawn over the whole area, hides everything behind it there: a
// visible picture copied as it is (no alpha, no colour key) whose frame covers the area.
bool HidesArea(const LClip* sprite, const ClipRect& cur, const DirtyRect& where) {
  const SDL_Surface* picture = sprite->GetSurface();
  if (!sprite->Visible || !picture || (picture->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)) != 0)
    return false;
  if (cur.x > where.left || cur.y > where.top || cur.x + cur.w < where.right ||
      cur.y + cur.h < where.bottom)
    return false;
  // The part it would draw lies inside its picture, so none of it is cut away.
  const int32_t sx = sprite->SrcRect.x + where.left - cur.x;
  const int32_t sy = sprite->SrcRect.y + where.top - cur.y;
  return sx >= 0 && sy >= 0 && sx + (where.right - where.left) <= picture->w &&
         sy + (where.bottom - where.top) <= picture->h;
}

}  // namespace

void DrawList::Fill(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& rects,
                    const std::vector<ClipRect>& shown, size_t first, size_t end) {
  items_.clear();
  for (size_t i = first; i < end; ++i)
    if (sprites[i]->Visible) items_.push_back({sprites[i], rects[i], FromClipRect(shown[i])});
}

void DrawList::Compose(SDL_Surface* surface, SDL_Surface* base, const DirtyRect& where) {
  hits_.clear();
  for (const Item& item : items_)
    if (Overlaps(item.box, where)) hits_.push_back(&item);
  size_t from = hits_.size();
  while (from > 0 && !HidesArea(hits_[from - 1]->sprite, hits_[from - 1]->cur, where)) --from;
  if (from == 0 && quickCopy) {
    CopyArea(base, surface, where);
  } else if (from == 0) {
    SDL_Rect src = ToSdl(where);
    SDL_Rect dst = src;
    SDL_BlitSurface(base, &src, surface, &dst);
  } else {
    --from;
  }
  for (size_t i = from; i < hits_.size(); ++i)
    DrawSpritePart(hits_[i]->sprite, hits_[i]->cur, Intersection(where, hits_[i]->box), surface);
}

}  // namespace area
