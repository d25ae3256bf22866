// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A screen's background with its deepest sprites drawn over it, kept as one picture.
// The sprites at least a given depth deep (z >= depth) that the screen draws first form
// the layer; an area where only sprites in front of them change is then redrawn from one
// copy of the layer instead of from every picture behind. An area of the layer is
// composed again when one of its sprites moves, changes its frame or visibility, comes,
// goes or changes its place in the order, or when the background changes there, so the
// layer always holds what drawing the background and those sprites one after the other
// gives.
#include <SDL.h>

#include <vector>

#include "engine/LClip.h"
#include "engine/ScreenAreas.h"

class SettledLayer {
 public:
  explicit SettledLayer(double depth) : depth_(depth) {}
  ~SettledLayer();
  SettledLayer(const SettledLayer&) = delete;
  SettledLayer& operator=(const SettledLayer&) = delete;

  double Depth() const { return depth_; }
  // How many of the sprites, in drawing order, belong to the layer: the leading ones at
  // least the layer's depth deep.
  size_t Count(const std::vector<LClip*>& sprites) const;
  // Brings the layer up to date with the first count sprites, their frames at rects and
  // their visible pixels within shown, drawn over the background, before the screen takes
  // the sprites' changes in. The layer has the pixel format of the surface it is copied
  // to and the size of bounds. False when it cannot be made; it is then composed whole at
  // the next call.
  bool Update(const SDL_Surface* like, SDL_Surface* background, const std::vector<LClip*>& sprites,
              const std::vector<ClipRect>& rects, const std::vector<ClipRect>& shown, size_t count,
              const DirtyRect& bounds);
  SDL_Surface* Picture() const { return picture_; }
  // The whole layer is composed again at the next update.
  void Invalidate();
  // The background changed in the area.
  void Touch(const DirtyRect& r);
  // The sprite left the screen.
  void Forget(const LClip* sprite);
  // Lets go of the picture (the screen's background went).
  void Release();

 private:
  struct Member {
    const LClip* sprite;
    ClipRect drawn;  // where the layer holds its visible pixels
  };
  bool Fits(const SDL_Surface* like, const DirtyRect& bounds) const;
  bool Make(const SDL_Surface* like, const DirtyRect& bounds);
  // True when the layer holds these sprites, in this order, shown where they are now.
  bool Unchanged(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& shown,
                 size_t count) const;
  // Marks the areas of the sprites that came, went, moved or changed since the last update.
  void Compare(const std::vector<LClip*>& sprites, const std::vector<ClipRect>& shown,
               size_t count);
  // The same, between the members now and those of the last update (old, Sorted); the
  // last update's order is still in members_.
  void TouchChanged(const std::vector<Member>& now, const std::vector<Member>& old);
  static std::vector<Member> Sorted(std::vector<Member> members);
  static const Member* Find(const std::vector<Member>& sorted, const LClip* sprite);
  void TouchClip(const ClipRect& r);

  double depth_;
  SDL_Surface* picture_ = nullptr;
  bool valid_ = false;
  DirtyRect bounds_;
  std::vector<Member> members_;  // in drawing order
  std::vector<DirtyRect> stale_;
  area::DrawList drawList_;
};
