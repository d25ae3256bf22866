// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/HeadlessSprites.h"

#include <algorithm>
#include <iterator>

#include "ids/ScreenSize.h"

HeadlessSprite::HeadlessSprite(int clip) : clip_(clip), frames_(FieldClipFrames(clip)) {
  if (const ClipDesc* desc = GetClipDesc(clip)) period_ = desc->Period;
}

void HeadlessSprite::SetFrame(int frame) { frame_ = std::clamp(frame, 0, frames_ - 1); }

// With a picture test given (the clip library's, where it is loaded), a picture covers
// exactly the points its clip on the screen would, so that recorded clicks take the same
// pictures here as in the game's window; without one, a box round its place.
bool HeadlessSprite::Covers(int x, int y) const {
  if (pictureTest_ && *pictureTest_) return (*pictureTest_)(clip_, frame_, x_, y_, x, y);
  return CoversBox(x, y);
}

bool HeadlessSprite::CoversBox(int x, int y) const {
  int w = 24, h = 24, left = -12, top = -12;
  if (clip_ == clip::Semaphore) {
    w = 10;
    h = 16;
    left = -5;
    top = -14;
  }
  if (clip_ == clip::CallRepairButton) {
    w = 50;
    h = 30;
    left = 0;
    top = 0;
  }
  int px = static_cast<int>(x_) + left;
  int py = static_cast<int>(y_) + top;
  return x >= px && x < px + w && y >= py && y < py + h;
}

void HeadlessSprite::Advance(int dt) {
  x_ += vx_ * screen::kWidth * dt / 30.0;
  y_ += vy_ * screen::kHeight * dt / 30.0;
  if (!animating_ || period_ <= 0) return;
  elapsed_ += dt;
  while (elapsed_ >= period_) {
    elapsed_ -= period_;
    frame_ = (frame_ + 1) % frames_;
  }
}

FieldSprite* HeadlessSprites::Create(int clip, bool) {
  sprites_.push_back(std::make_unique<HeadlessSprite>(clip));
  sprites_.back()->UsePictureTest(&pictureTest_);
  sprites_.back()->WakeInto(&moving_);
  return sprites_.back().get();
}

// Searched from the newest: the pictures taken away most often (a junction's switch
// picture, made again with every track laid beside it) are among the last made, and a
// restored level holds hundreds of trees and houses made before them.
void HeadlessSprites::Remove(FieldSprite* sprite) {
  auto it = std::find_if(sprites_.rbegin(), sprites_.rend(),
                         [sprite](const auto& p) { return p.get() == sprite; });
  if (it == sprites_.rend()) return;
  if ((*it)->awake_) std::erase(moving_, it->get());
  sprites_.erase(std::next(it).base());
}

// Only the sprites that move or animate: a still one would stay as it is.
void HeadlessSprites::Advance(int dt) {
  for (HeadlessSprite* s : moving_) s->Advance(dt);
  std::erase_if(moving_, [](HeadlessSprite* s) {
    if (!s->Still()) return false;
    s->awake_ = false;
    return true;
  });
}
