// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Track.h"

#include <algorithm>

#include "railway/Geometry.h"

namespace {
const int kStageClip[4] = {clip::TrackReserved, clip::TrackGround, clip::TrackSleepers,
                           clip::Track};
const int kStageDepth[4] = {1099, 1104, 1103, 1100};
}  // namespace

Track::Track(int start, int type, bool free, bool quiet, FieldSprites* sprites)
    : start_(start), type_(type), free_(free), quiet_(quiet), sprites_(sprites) {
  rail::Point p = rail::JunctionPos(start);
  x_ = p.x;
  y_ = p.y;
  MakePicture(0);
}

Track::~Track() {
  for (int s = 0; s < 4; ++s) DropPicture(s);
}

void Track::MakePicture(int stage) {
  if (!sprites_ || pictures_[stage]) return;
  FieldSprite* pic = sprites_->Create(kStageClip[stage], false);
  pic->SetPos(x_, y_);
  pic->SetZ(moved_ ? depthKey_ + 3 - stage : kStageDepth[stage]);
  pic->SetFrame(rail::TypeFrame(type_));
  pic->Show(visible_);
  pictures_[stage] = pic;
}

void Track::DropPicture(int stage) {
  if (pictures_[stage] && sprites_) sprites_->Remove(pictures_[stage]);
  pictures_[stage] = nullptr;
}

bool Track::Advance(int amount) {
  progress_ = std::min(100, progress_ + amount);
  int stage = progress_ >= 100 ? 3 : progress_ > 66 ? 2 : progress_ > 33 ? 1 : 0;
  if (stage == stage_) return false;
  for (int s = stage_ + 1; s <= stage; ++s) {
    if (s == 1) {
      MakePicture(1);
      DropPicture(0);
    } else if (s == 2) {
      MakePicture(2);
    } else {
      MakePicture(3);
      DropPicture(0);
      DropPicture(2);
    }
  }
  stage_ = stage;
  return true;
}

void Track::Show(bool visible) {
  visible_ = visible;
  for (FieldSprite* p : pictures_) {
    if (p) p->Show(visible);
  }
}

void Track::MoveTo(int x, int y, int depthKey) {
  x_ = x;
  y_ = y;
  depthKey_ = depthKey;
  moved_ = true;
  for (int s = 0; s < 4; ++s) {
    if (!pictures_[s]) continue;
    pictures_[s]->SetPos(x, y);
    pictures_[s]->SetZ(depthKey + 3 - s);
  }
}
