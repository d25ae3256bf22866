#include "railway/HeadlessSprites.h"

#include <algorithm>

int FieldClipFrames(int clip) {
  if (clip >= 124 && clip <= 151) return 48;
  if (clip >= 113 && clip <= 117) return 6;
  switch (clip) {
    case 83: case 84: case 99: return 6;
    case 86: return 7;
    case 95: return 12;
    case 96: return 8;
    case 97: return 10;
    case 98: case 102: return 2;
    case 100: return 3;
    case 118: return 12;
    case 119: case 120: return 24;
    case 121: return 8;
    case 122: return 11;
    case 123: return 16;
    default: return 1;
  }
}

HeadlessSprite::HeadlessSprite(int clip) : clip_(clip), frames_(FieldClipFrames(clip)) {}

void HeadlessSprite::SetFrame(int frame) {
  frame_ = std::clamp(frame, 0, frames_ - 1);
}

bool HeadlessSprite::Covers(int x, int y) const {
  int w = 24, h = 24, left = -12, top = -12;
  if (clip_ == 118) { w = 10; h = 16; left = -5; top = -14; }
  if (clip_ == 100) { w = 50; h = 30; left = 0; top = 0; }
  int px = static_cast<int>(x_) + left;
  int py = static_cast<int>(y_) + top;
  return x >= px && x < px + w && y >= py && y < py + h;
}

void HeadlessSprite::Advance(int dt) {
  x_ += vx_ * 800 * dt / 30.0;
  y_ += vy_ * 600 * dt / 30.0;
  if (!animating_ || period_ <= 0) return;
  elapsed_ += dt;
  while (elapsed_ >= period_) {
    elapsed_ -= period_;
    frame_ = (frame_ + 1) % frames_;
  }
}

FieldSprite* HeadlessSprites::Create(int clip, bool) {
  sprites_.push_back(std::make_unique<HeadlessSprite>(clip));
  return sprites_.back().get();
}

void HeadlessSprites::Remove(FieldSprite* sprite) {
  auto it = std::find_if(sprites_.begin(), sprites_.end(),
                         [sprite](const auto& p) { return p.get() == sprite; });
  if (it != sprites_.end()) sprites_.erase(it);
}

void HeadlessSprites::Advance(int dt) {
  for (auto& s : sprites_) s->Advance(dt);
}
