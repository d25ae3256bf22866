// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sprite clip: one frame of a horizontal strip of equally wide frames, placed at
// a floating-point anchor position with a depth, optionally animated, moving and
// dying after a time. Pictures are shared between clips by reference count.
#include <SDL.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/ValueStore.h"

// A point of a movement path that the owning screen follows (40 bytes).
struct Waypoint {
  double X = 0.0;      // target x
  double Y = 0.0;      // target y
  double Z = 0.0;      // carried along, not read by the movement step
  double Speed = 0.0;  // screen widths / heights per time unit
  bool DieAtEnd = false;
};

// The picture shared by every clip cut from one loaded file.
struct ClipPicture {
  int32_t iNumberFrames = 0;
  // Number of clips using the record; -1 marks a borrowed surface that is never freed.
  int32_t RefCount = 0;
  SDL_Surface* Surface = nullptr;
  // The alpha was set when the picture was loaded and is never raised afterwards (colour
  // effects keep it, a fade lowers it): the boxes of the frames' visible pixels, once
  // found, stay true.
  bool FixedAlpha = false;
  // Per frame, relative to the frame: the smallest box holding every pixel whose alpha is
  // above zero (w = 0 when none is), found for frames of BoxW x BoxH.
  std::vector<SDL_Rect> Boxes{};
  int32_t BoxW = 0;
  int32_t BoxH = 0;
};

// Where the screen last drew the clip; x = y = -1000 when not drawn.
struct ClipRect {
  int32_t x = -1000;
  int32_t y = -1000;
  int32_t w = 0;
  int32_t h = 0;
  bool operator==(const ClipRect&) const = default;
};

// One anchor per picture frame.
struct AlignPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// One step of an animation script: code 0 shows frame value, 2 shows it and stops.
struct SequenceEntry {
  int32_t code = 0;
  int32_t value = 0;
};

class LClip {
 public:
  LClip();
  // A copy of src sharing its picture.
  LClip(const LClip& src);
  LClip& operator=(const LClip&) = delete;

  // Slot 0: lets go of the picture.
  virtual ~LClip();
  // Slot 1: copies every field of src; shares its picture, or makes a private copy
  // of the pixels when deep is true.
  virtual void Assign(const LClip& src, bool deep);
  // Slot 2: lets go of the own picture and shares src's.
  virtual void SharePicture(const LClip& src);
  // Slots 3 and 4: called by the screen's movement step at a waypoint that is not
  // the last, and at the last one.
  virtual void OnWaypoint(Waypoint waypoint);
  virtual void OnPathEnd(Waypoint waypoint);
  // Slot 5.
  virtual void SetPosition(double nx, double ny);
  // Slot 6: the animation step, dt in milliseconds.
  virtual void Update(int32_t dt);

  bool LoadFromFile(const std::string& picName, const std::string& maskName, int32_t numberFrames);
  // A fresh one-frame FrameW x FrameH picture in the display format.
  bool CreateBlank(bool alpha);
  void SetSize(int32_t w, int32_t h);

  void SetFrame(int32_t i);
  int32_t FrameCount() const;
  void SetVisible(bool v);
  void SetAllAlign(int32_t ax, int32_t ay);
  void ParseAlign(bool useSecond);
  void ParseSequence(const char* text);

  // Turns a screen point into frame coordinates; true when inside the frame.
  bool ToLocal(int32_t& px, int32_t& py) const;
  bool Contains(int32_t px, int32_t py) const;
  // Pixel-exact hit test: true over a fully transparent pixel or outside the frame.
  bool IsTransparentAt(int32_t px, int32_t py) const;
  // Whether the clip, showing frame i with its place at (atX, atY), would have a visible
  // pixel at the screen point: the hit test of a copy set there, without making one.
  bool CoversAt(int32_t i, double atX, double atY, int32_t px, int32_t py) const;
  // The part of the current frame, drawn at `at`, that holds every pixel whose alpha is
  // above zero (w = 0 when none is): drawing the frame changes nothing outside it. `at`
  // itself for a picture whose alpha may still be raised or that is not cut into frames
  // of the clip's size.
  ClipRect VisibleRect(const ClipRect& at) const;

  // Writes or reads the state under the key prefix prefixA + prefixB + ".".
  void Save(core::ValueStore& store, const std::string& prefixA, const std::string& prefixB);
  bool Load(core::ValueStore& store, const std::string& prefixA, const std::string& prefixB);

  // The picture's surface, or none.
  SDL_Surface* GetSurface() const { return Picture ? Picture->Surface : nullptr; }
  // Lets go of the picture (freeing it with its last user).
  void ReleasePicture();

  SDL_Rect SrcRect{0, 0, 0, 0};
  std::deque<Waypoint> Waypoints;
  ClipRect LastRect;
  // A box around what the screen last drew of the clip, within LastRect.
  ClipRect ShownRect;
  bool Changed = true;
  ClipPicture* Picture = nullptr;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double Vx = 0.0;
  double Vy = 0.0;
  double Vz = 0.0;
  int32_t AlignX = 0;
  int32_t AlignY = 0;
  int32_t FrameW = 0;
  int32_t FrameH = 0;
  const char* AlignText1 = nullptr;
  const char* AlignText2 = nullptr;
  std::vector<AlignPoint> FrameAlign;
  std::vector<SequenceEntry> Sequence;
  int32_t TimeWait = 0;
  int32_t cFrame = 0;
  bool Visible = true;
  bool Stop = false;
  int32_t TimeDie = -1;
  int32_t Period = 200;

 private:
  // The picture frame shown at step i of the clip (its sequence may name another), and
  // the alignment that frame is drawn with.
  int32_t PictureFrame(int32_t i) const;
  void AlignOf(int32_t p, int32_t& ax, int32_t& ay) const;
};

// The width and height of a picture file, read through the archive without making a clip
// of it (no video mode needed); false when the file cannot be read or decoded.
bool ReadPictureSize(const std::string& picName, int32_t& w, int32_t& h);
