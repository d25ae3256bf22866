// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/LockMark.h"

#include "railway/FieldSprites.h"
#include "railway/Junction.h"

LockMark::~LockMark() {
  if (sprite_ && sprites_) sprites_->Remove(sprite_);
}

void LockMark::Show(int x, int y) {
  if (!sprite_ && sprites_) sprite_ = sprites_->Create(clip::LockMark, false);
  left_ = kShowTime;
  if (!sprite_) return;
  sprite_->SetPos(x, y);
  sprite_->SetZ(kControlMarkDepth);
  sprite_->Show(true);
}

void LockMark::Tick(int32_t elapsed) {
  if (left_ <= 0) return;
  left_ -= elapsed;
  if (left_ <= 0) Hide();
}

void LockMark::Hide() {
  left_ = 0;
  if (sprite_) sprite_->Show(false);
}
