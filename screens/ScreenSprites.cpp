// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ScreenSprites.h"

#include "engine/PictureEffects.h"
#include "sprites/ClipLib.h"

// The screen redraws a sprite whose rectangle moved; a sprite told to stay where it
// is, or to keep its frame, is not redrawn.
void ScreenSprite::SetPos(double x, double y) { clip_->SetPosition(x, y); }

void ScreenSprite::SetZ(int z) {
  if (clip_->z == z) return;
  clip_->z = z;
  clip_->Changed = true;
  screen_->RequestSort();
}

void ScreenSprite::SetFrame(int frame) {
  if (clip_->cFrame != frame) clip_->SetFrame(frame);
}

void ScreenSprite::Show(bool visible) {
  if (clip_->Visible == visible) return;
  clip_->SetVisible(visible);
  clip_->Changed = true;
}

void ScreenSprite::SetVelocity(double vx, double vy) {
  clip_->Vx = vx;
  clip_->Vy = vy;
}

void ScreenSprite::Tint(int r, int g, int b) {
  if (tinted_) {
    // Start again from the library's picture, so tints do not add up.
    const LClip* fresh = ClipLib::GetTemplate(index_);
    if (fresh) {
      double x = clip_->x, y = clip_->y, z = clip_->z;
      int frame = clip_->cFrame;
      bool visible = clip_->Visible, stop = clip_->Stop;
      clip_->Assign(*fresh, true);
      clip_->x = x;
      clip_->y = y;
      clip_->z = z;
      clip_->SetFrame(frame);
      clip_->Visible = visible;
      clip_->Stop = stop;
    }
  }
  ShiftColour(clip_->GetSurface(), r, g, b);
  tinted_ = true;
  clip_->Changed = true;
}

bool ScreenSprite::Covers(int x, int y) const {
  return clip_->Contains(x, y) && !clip_->IsTransparentAt(x, y);
}

ScreenSprites::~ScreenSprites() {
  for (auto& [key, sprite] : sprites_) screen_->RemoveSprite(sprite->Raw(), true);
}

FieldSprite* ScreenSprites::Create(int clip, bool deep) {
  LClip* raw = ClipLib::Create(clip, deep);
  return raw ? Adopt(raw, clip) : StandIn(clip);
}

FieldSprite* ScreenSprites::CreateHouse(int town) {
  LClip* picture = town >= 0 && town < 8 ? housePictures_[town] : nullptr;
  if (!picture) return Create(clip::Homes, false);
  LClip* raw = new LClip();
  raw->Assign(*picture, false);
  return Adopt(raw, clip::Homes);
}

FieldSprite* ScreenSprites::Adopt(LClip* raw, int clip) {
  if (!raw) return nullptr;
  raw->Stop = true;  // the field starts the animations it wants
  screen_->AddSprite(raw);
  screen_->RequestSort();  // drawn at its depth from the next frame on
  auto sprite = std::make_unique<ScreenSprite>(raw, clip, screen_);
  FieldSprite* handle = sprite.get();
  sprites_[handle] = std::move(sprite);
  return handle;
}

// A picture that could not be loaded (the program ends after this frame) still gives
// the field a sprite to place and ask, one that is never drawn.
FieldSprite* ScreenSprites::StandIn(int clip) {
  auto sprite = std::make_unique<HeadlessSprite>(clip);
  FieldSprite* handle = sprite.get();
  standIns_[handle] = std::move(sprite);
  return handle;
}

void ScreenSprites::Remove(FieldSprite* sprite) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) {
    standIns_.erase(sprite);
    return;
  }
  screen_->RemoveSprite(it->second->Raw(), true);
  sprites_.erase(it);
}
