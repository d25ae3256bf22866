// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sprites without pictures: they keep position, depth, frame, visibility and animation
// state, so the railway runs and can be inspected without a screen (tests, the scenario
// runner). Hit boxes are small rectangles around the anchor point.
#include <functional>
#include <memory>
#include <vector>

#include "railway/FieldSprites.h"

// Whether the picture of clip, showing frame at (x, y), covers the point (px, py).
using PictureTest = std::function<bool(int clip, int frame, double x, double y, int px, int py)>;

class HeadlessSprite : public FieldSprite {
 public:
  explicit HeadlessSprite(int clip);
  void SetPos(double x, double y) override {
    x_ = x;
    y_ = y;
  }
  double X() const override { return x_; }
  double Y() const override { return y_; }
  void SetZ(int z) override { z_ = z; }
  int Z() const override { return z_; }
  void SetFrame(int frame) override;
  int Frame() const override { return frame_; }
  int Frames() const override { return frames_; }
  void Show(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetPeriod(int ms) override { period_ = ms; }
  void Animate(bool on) override {
    animating_ = on;
    elapsed_ = 0;
    Wake();
  }
  bool Animating() const override { return animating_; }
  void SetVelocity(double vx, double vy) override {
    vx_ = vx;
    vy_ = vy;
    Wake();
  }
  void Tint(int r, int g, int b) override {
    tint_[0] = r;
    tint_[1] = g;
    tint_[2] = b;
  }
  bool Hit(int x, int y) const override { return visible_ && Covers(x, y); }
  // The box a picture answers in without a picture test (see tools/README.md).
  bool CoversBox(int x, int y) const;
  void UsePictureTest(const PictureTest* test) { pictureTest_ = test; }
  bool Covers(int x, int y) const override;
  int Clip() const override { return clip_; }

  void Advance(int dt);
  const int* TintColour() const { return tint_; }
  // Whether Advance changes it: it moves or runs its animation.
  bool Still() const { return !animating_ && vx_ == 0 && vy_ == 0; }
  // A sprite that starts to move or animate is added to moving (once), so that the
  // frames need not visit the hundreds that stand still.
  void WakeInto(std::vector<HeadlessSprite*>* moving) { moving_ = moving; }

 private:
  void Wake() {
    if (moving_ && !awake_ && !Still()) {
      awake_ = true;
      moving_->push_back(this);
    }
  }
  friend class HeadlessSprites;

  int clip_;
  double x_ = 0;
  double y_ = 0;
  int z_ = 0;
  int frame_ = 0;
  int frames_ = 1;
  bool visible_ = true;
  int period_ = 200;
  bool animating_ = false;
  int elapsed_ = 0;
  double vx_ = 0;
  double vy_ = 0;
  int tint_[3] = {0, 0, 0};
  const PictureTest* pictureTest_ = nullptr;
  std::vector<HeadlessSprite*>* moving_ = nullptr;
  bool awake_ = false;  // in moving_
};

class HeadlessSprites : public FieldSprites {
 public:
  HeadlessSprites() = default;
  // Its sprites point at its list of moving ones.
  HeadlessSprites(const HeadlessSprites&) = delete;
  HeadlessSprites& operator=(const HeadlessSprites&) = delete;
  FieldSprite* Create(int clip, bool deep) override;
  void Remove(FieldSprite* sprite) override;
  // Runs the animations as the screen would, once per frame.
  void Advance(int dt);
  const std::vector<std::unique_ptr<HeadlessSprite>>& All() const { return sprites_; }
  int Count() const { return static_cast<int>(sprites_.size()); }
  // Pictures made from now on answer clicks as test says (nothing: by their boxes).
  void SetPictureTest(PictureTest test) { pictureTest_ = std::move(test); }

 private:
  std::vector<std::unique_ptr<HeadlessSprite>> sprites_;
  std::vector<HeadlessSprite*> moving_;  // those that moved or animated at the last look
  PictureTest pictureTest_;
};
