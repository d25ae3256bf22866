// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen base: a background picture, an ordered list of sprites drawn over it,
// a list of controls taking input, and the stack of screens shown over each other.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/LClip.h"
#include "engine/ScreenAreas.h"
#include "engine/SettledLayer.h"

// A sprite that takes input. Widgets derive from it; the screen passes mouse and
// key events to it. Its operations continue the slots of the clip.
class LControl : public LClip {
 public:
  LControl() = default;
  LControl(const LClip& src) : LClip(src) {}
  ~LControl() override = default;

  // Slot 7: true when the pointer is over the control.
  virtual bool OnMouseMove(int32_t px, int32_t py, bool buttonDown);
  // Slot 8.
  virtual bool OnMouseDown(int32_t px, int32_t py);
  // Slot 9: true for a click.
  virtual bool OnMouseUp(int32_t px, int32_t py);
  // Slot 10.
  virtual bool OnKeyDown(int32_t key, int32_t modifiers);
  // Slot 11.
  virtual void OnKeyForward(int32_t a, int32_t b);
  // Slot 12.
  virtual void SetHighlight(bool on);
  // Slot 13.
  virtual void SetState(int32_t state);

  bool Pressed = false;
  bool TakesKeys = false;
};

class LEngine {
 public:
  // Only initialises the fields.
  LEngine();
  // Initialises, sets Target and calls SetRect.
  LEngine(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h, bool keepBackground);
  LEngine(const LEngine&) = delete;
  LEngine& operator=(const LEngine&) = delete;

  // Slot 0: releases Background and destroys every sprite.
  virtual ~LEngine();
  // Slot 1: copies the sprite's picture into Background and destroys the sprite.
  virtual void StampSprite(LClip* sprite);
  // Slot 2.
  virtual void RemoveSprite(LClip* sprite, bool destroy);
  // Slot 3.
  virtual void ClearSprites(bool destroy);
  // Slot 4.
  virtual void AddControl(LControl* control);
  // Slot 5.
  virtual void AddSprite(LClip* sprite);
  // Slot 6: moves and animates the sprites.
  virtual void Update(int32_t elapsed, int32_t frame);
  // Slot 7: Update on this screen, then Tick on the one below.
  virtual void Tick(int32_t elapsed, int32_t frame);
  // Slot 8.
  virtual int32_t SpareHook(int32_t a, int32_t b);
  // Slots 9 to 17: events; x, y in display pixels.
  virtual LControl* OnMouseMove(int32_t px, int32_t py);
  virtual int32_t OnRightDown(int32_t px, int32_t py);
  virtual int32_t OnRightUp(int32_t px, int32_t py);
  virtual LControl* OnLeftDown(int32_t px, int32_t py);
  // Returns the clicked control, or none.
  virtual LControl* OnLeftUp(int32_t px, int32_t py);
  virtual int32_t OnKeyDown(int32_t key, int32_t modifiers);
  virtual int32_t OnKeyUp(int32_t key, int32_t modifiers);
  virtual int32_t OnWheelDown(int32_t px, int32_t py);
  virtual int32_t OnWheelUp(int32_t px, int32_t py);
  // Slot 18.
  virtual void OnActivate(bool active);
  // Slot 19: a control was clicked.
  virtual void OnControlClick(LControl* control);
  // Slot 20.
  virtual void ForwardToKeyControls(int32_t a, int32_t b);
  // Slot 21.
  virtual void SpareHook2(int32_t a);
  // Slots 22 and 23: a sprite reached a waypoint that is not its last / its last.
  virtual void OnSpriteWaypoint(LClip* sprite, Waypoint waypoint);
  virtual void OnSpritePathEnd(LClip* sprite, Waypoint waypoint);
  // Slot 24: puts this screen on top of the stack held in slot.
  virtual void Show(LEngine** slot);
  // Slot 25: called on the uncovered screen when a child closes.
  virtual void OnChildClosed(LEngine* child, int32_t code);
  // Slot 26: takes this screen off the stack.
  virtual void Close(int32_t code);

  // Moves the screen and resizes its background when the size changes.
  bool SetRect(int16_t px, int16_t py, uint16_t w, uint16_t h);
  void RequestSort() { NeedSort = true; }
  // Renders this screen and every one below; returns the bottom screen's changed areas.
  std::vector<DirtyRect>& Render();
  // The screen at the bottom of the stack this screen belongs to.
  LEngine* BottomScreen();
  // The Z of ScreenSprite, or -1000000 without one.
  double Depth() const;
  // The sprites at least depth deep (z >= depth) that are drawn before every other one
  // are kept drawn over the background in a settled layer (engine/SettledLayer.h): the
  // changed areas are then redrawn from it, with only the sprites in front drawn anew.
  // Changed areas are then also kept apart where joining them would redraw much that did
  // not change (area::MergeApart), and cut to the boxes of the sprites' visible pixels
  // (LClip::VisibleRect). The picture is the same as without the layer.
  void KeepSettledLayer(double depth);
  // Whether screens use their settled layers and keep areas apart (on by default); a
  // switch for comparing the pictures drawn with and without them.
  static bool& SettledLayersOn();
  // The settled layer, or none.
  const SettledLayer* Settled() const { return settled_.get(); }

  bool MouseDown = false;
  int32_t TimeUnit = 30;
  bool NeedFullRedraw = true;
  LEngine** TopSlot = nullptr;
  SDL_Surface* Target = nullptr;
  std::vector<DirtyRect> DirtyRects;
  std::vector<LClip*> Sprites;
  std::vector<LControl*> Controls;
  LEngine* Parent = nullptr;
  LClip* ScreenSprite = nullptr;
  bool NeedSort = true;
  SDL_Surface* Background = nullptr;
  int32_t RedrawMode = 2;
  int16_t X = 0;
  int16_t Y = 0;
  uint16_t W = 0;
  uint16_t H = 0;
  bool KeepBackground = false;

 protected:
  void RenderOne();
  void FullRedraw(SDL_Surface* surface);
  void ChangedAreasRedraw(SDL_Surface* surface);
  void MergeDirty(DirtyRect r);
  double SpeedFactor(int32_t elapsed) const;
  void MoveSprite(LClip* sprite, double k, double sx, double sy);
  bool StepAlongPath(LClip* sprite, double sx, double sy);
  void CreateBackground();
  void ReleaseBackground();
  SDL_Surface* DrawingSurface() const;
  // The layer brought up to date for this pass and the number of sprites it holds; 0
  // when the screen draws without one.
  size_t UpdateSettled(SDL_Surface* surface, const std::vector<ClipRect>& rects,
                       const std::vector<ClipRect>& shown);

  std::unique_ptr<SettledLayer> settled_;
  area::DrawList drawList_;
  std::vector<LClip*> snapshotSpare_;  // Update's snapshot of Sprites, its memory kept
};

// The program-wide slot holding the screen on top of the stack.
LEngine*& TopScreen();
