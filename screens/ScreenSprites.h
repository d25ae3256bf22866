// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field's sprites on a real screen: clips of the clip library added to the screen's
// sprite list, removed (and destroyed) through it.
#include <array>
#include <map>
#include <memory>

#include "engine/LClip.h"
#include "engine/LEngine.h"
#include "railway/FieldSprites.h"
#include "railway/HeadlessSprites.h"

class ScreenSprite : public FieldSprite {
 public:
  ScreenSprite(LClip* clip, int index, LEngine* screen)
      : clip_(clip), index_(index), screen_(screen) {}
  void SetPos(double x, double y) override;
  double X() const override { return clip_->x; }
  double Y() const override { return clip_->y; }
  void SetZ(int z) override;
  int Z() const override { return static_cast<int>(clip_->z); }
  void SetFrame(int frame) override;
  int Frame() const override { return clip_->cFrame; }
  int Frames() const override { return clip_->FrameCount(); }
  void Show(bool visible) override;
  bool Visible() const override { return clip_->Visible; }
  void SetPeriod(int ms) override { clip_->Period = ms; }
  void Animate(bool on) override { clip_->Stop = !on; }
  bool Animating() const override { return !clip_->Stop; }
  void SetVelocity(double vx, double vy) override;
  void Tint(int r, int g, int b) override;
  bool Hit(int x, int y) const override { return clip_->Visible && Covers(x, y); }
  bool Covers(int x, int y) const override;
  int Clip() const override { return index_; }
  LClip* Raw() const { return clip_; }

 private:
  LClip* clip_;
  int index_;
  LEngine* screen_;
  bool tinted_ = false;
};

class ScreenSprites : public FieldSprites {
 public:
  explicit ScreenSprites(LEngine* screen) : screen_(screen) {}
  ~ScreenSprites() override;
  FieldSprite* Create(int clip, bool deep) override;
  void Remove(FieldSprite* sprite) override;
  // Houses share the screen's recoloured house pictures, one per town colour, when given.
  FieldSprite* CreateHouse(int town) override;
  void SetHousePictures(const std::array<LClip*, 8>& pictures) { housePictures_ = pictures; }

 private:
  FieldSprite* Adopt(LClip* raw, int clip);
  FieldSprite* StandIn(int clip);

  LEngine* screen_;
  std::array<LClip*, 8> housePictures_{};
  std::map<FieldSprite*, std::unique_ptr<ScreenSprite>> sprites_;
  std::map<FieldSprite*, std::unique_ptr<HeadlessSprite>> standIns_;
};
