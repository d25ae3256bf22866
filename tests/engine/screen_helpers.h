#pragma once
// Recording screens, sprites and controls for the screen tests.
#include <string>
#include <utility>
#include <vector>

#include "engine/LEngine.h"
#include "clip_fixture.h"

namespace screentest {

// A screen that writes down the hooks it receives.
class RecordingScreen : public LEngine {
 public:
  using LEngine::LEngine;
  void OnSpriteWaypoint(LClip* sprite, Waypoint wp) override {
    log.push_back("waypoint " + std::to_string(static_cast<int>(wp.X)));
    (void)sprite;
  }
  void OnSpritePathEnd(LClip* sprite, Waypoint wp) override {
    log.push_back("end " + std::to_string(static_cast<int>(wp.X)));
    endStillListed = false;
    for (LClip* s : Sprites) endStillListed |= s == sprite;
  }
  void OnChildClosed(LEngine* child, int32_t code) override {
    closedChild = child;
    closedCode = code;
  }
  void OnControlClick(LControl* control) override { clicked = control; }
  void Update(int32_t elapsed, int32_t frame) override {
    if (order) order->push_back(name);
    LEngine::Update(elapsed, frame);
  }

  std::vector<std::string> log;
  bool endStillListed = false;
  LEngine* closedChild = nullptr;
  int32_t closedCode = 0;
  LControl* clicked = nullptr;
  std::vector<std::string>* order = nullptr;
  std::string name;
};

// A sprite that notes its own hooks and its destruction.
class RecordingSprite : public LClip {
 public:
  explicit RecordingSprite(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~RecordingSprite() override {
    if (destroyed_) *destroyed_ = true;
  }
  void OnWaypoint(Waypoint) override { ++waypoints; }
  void OnPathEnd(Waypoint) override { ++pathEnds; }
  int waypoints = 0;
  int pathEnds = 0;

 private:
  bool* destroyed_;
};

// A control answering true inside its frame, noting the points it was given.
class RecordingControl : public LControl {
 public:
  bool OnMouseMove(int32_t px, int32_t py, bool down) override {
    moves.push_back({px, py});
    lastDown = down;
    return Contains(px, py);
  }
  bool OnMouseDown(int32_t px, int32_t py) override {
    downs.push_back({px, py});
    Pressed = Contains(px, py);
    return Pressed;
  }
  bool OnMouseUp(int32_t px, int32_t py) override {
    ups.push_back({px, py});
    Pressed = false;
    return Contains(px, py);
  }
  bool OnKeyDown(int32_t key, int32_t) override {
    keys.push_back(key);
    return false;
  }
  std::vector<std::pair<int32_t, int32_t>> moves, downs, ups;
  std::vector<int32_t> keys;
  bool lastDown = false;
};

// A sprite of one colour, w x h, at (x, y) with depth z.
inline LClip* ColourSprite(int w, int h, double x, double y, double z, uint8_t r, uint8_t g,
                           uint8_t b) {
  auto* sprite = new LClip();
  sprite->SetSize(w, h);
  sprite->CreateBlank(false);
  FillColour(sprite->GetSurface(), r, g, b, 255);
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  return sprite;
}

inline cliptest::Rgba At(SDL_Surface* s, int x, int y) { return cliptest::PixelAt(s, x, y); }

}  // namespace screentest
