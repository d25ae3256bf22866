#pragma once
// A plain screen shown while the real intro and in-game screens are not part of
// the program: a painted backdrop with a small train sprite running round a
// loop of waypoints. The intro variant closes on a click or a key; the main
// variant only by the frame's close request (Alt+F4).
#include "engine/LEngine.h"

class DemoScreen : public LEngine {
 public:
  enum class Kind { Intro, Main };

  DemoScreen(SDL_Surface* display, Kind kind);

  LControl* OnLeftDown(int32_t px, int32_t py) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  void OnSpritePathEnd(LClip* sprite, Waypoint waypoint) override;

  Kind kind() const { return kind_; }
  // The sprite that runs round the loop.
  LClip* Runner() const { return runner_; }

 private:
  void PaintBackground();
  void AddRunner();
  void QueueLoop(LClip& sprite);

  Kind kind_;
  LClip* runner_ = nullptr;
};
