// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SettledLayer.h"

#include <algorithm>

SettledLayer::~SettledLayer() { Release(); }

size_t SettledLayer::Count(const std::vector<LClip*>& sprites) const {
  size_t n = 0;
  while (n < sprites.size() && sprites[n]->z >= depth_) ++n;
  return n;
}

void SettledLayer::Invalidate() {
  valid_ = false;
  members_.clear();
  stale_.clear();
}

void SettledLayer::Release() {
  Invalidate();
  SDL_FreeSurface(picture_);
  picture_ = nullptr;
}

void SettledLayer::Touch(const DirtyRect& r) {
  if (valid_) area::Merge(stale_, r, bounds_);
}

void SettledLayer::TouchClip(const ClipRect& r) { Touch(area::FromClipRect(r)); }

void SettledLayer::Forget(const LClip* sprite) {
  auto it = std::find_if(members_.begin(), members_.end(),
                         [sprite](const Member& m) { return m.sprite == sprite; });
  if (it == members_.end()) return;
  TouchClip(it->drawn);
  members_.erase(it);
}

bool SettledLayer::Fits(const SDL_Surface* like, const DirtyRect& bounds) const {
  return picture_ && picture_->w == bounds.right && picture_->h == bounds.bottom &&
         area::SameFormat(picture_->format, like->format);
}

// A picture in the surface's pixel format, copied as it is (no blending, no colour key).
bool SettledLayer::Make(const SDL_Surface* like, const DirtyRect& bounds) {
  Release();
  const SDL_PixelFormat* f = like->format;
  picture_ = SDL_CreateRGBSurface(SDL_SWSURFACE, bounds.right, bounds.bottom, f->BitsPerPixel,
                                  f->Rmask, f->Gmask, f->Bmask, f->Amask);
  if (!picture_) return false;
  SDL_SetAlpha(picture_, 0, SDL_ALPHA_OPAQUE);
  SDL_SetColorKey(picture_, 0, 0);
  return true;
}

bool SettledLayer::Unchanged(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& shown,
                             size_t count) const {
  if (members_.size() != count) return false;
  for (size_t i = 0; i < count; ++i)
    if (members_[i].sprite != sprites[i] || members_[i].drawn != shown[i] || sprites[i]->Changed)
      return false;
  return true;
}

void SettledLayer::Compare(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& shown,
                           size_t count) {
  if (Unchanged(sprites, shown, count)) return;
  std::vector<Member> now;
  now.reserve(count);
  for (size_t i = 0; i < count; ++i) now.push_back({sprites[i], shown[i]});
  TouchChanged(now, Sorted(members_));
  members_ = std::move(now);
}

std::vector<SettledLayer::Member> SettledLayer::Sorted(std::vector<Member> members) {
  std::sort(members.begin(), members.end(),
            [](const Member& a, const Member& b) { return a.sprite < b.sprite; });
  return members;
}

const SettledLayer::Member* SettledLayer::Find(const std::vector<Member>& sorted,
                                               const LClip* sprite) {
  auto it = std::lower_bound(sorted.begin(), sorted.end(), sprite,
                             [](const Member& m, const LClip* p) { return m.sprite < p; });
  return it != sorted.end() && it->sprite == sprite ? &*it : nullptr;
}

void SettledLayer::TouchChanged(const std::vector<Member>& now, const std::vector<Member>& old) {
  // The ones that came, moved or changed.
  for (const Member& m : now) {
    const Member* before = Find(old, m.sprite);
    if (!before || before->drawn != m.drawn || m.sprite->Changed) {
      if (before) TouchClip(before->drawn);
      TouchClip(m.drawn);
    }
  }
  // The ones that went, and the ones whose order among those that stay changed.
  const std::vector<Member> sortedNow = Sorted(now);
  std::vector<const LClip*> stayed;  // in their old order
  for (const Member& m : members_) {
    if (Find(sortedNow, m.sprite))
      stayed.push_back(m.sprite);
    else
      TouchClip(m.drawn);
  }
  size_t k = 0;
  for (const Member& m : now) {
    const Member* before = Find(old, m.sprite);
    if (!before) continue;
    if (k < stayed.size() && stayed[k] != m.sprite) {
      TouchClip(m.drawn);
      TouchClip(before->drawn);
    }
    ++k;
  }
}

bool SettledLayer::Update(const SDL_Surface* like, SDL_Surface* background,
                          const std::vector<LClip*>& sprites, const std::vector<ClipRect>& rects,
                          const std::vector<ClipRect>& shown, size_t count,
                          const DirtyRect& bounds) {
  if (!like || !background) return false;
  const bool fits = Fits(like, bounds);
  if (!valid_ || !fits) {
    if (!fits && !Make(like, bounds)) return false;
    members_.clear();
    bounds_ = bounds;
    stale_.assign(1, bounds);
    valid_ = true;
  }
  Compare(sprites, shown, count);
  if (stale_.empty()) return true;
  drawList_.Fill(sprites, rects, shown, 0, count);
  drawList_.quickCopy = true;
  for (const DirtyRect& where : stale_) drawList_.Compose(picture_, background, where);
  stale_.clear();
  return true;
}
