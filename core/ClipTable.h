// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed table of clip descriptions by which every part of the game names its
// pictures: an entry number selects the picture file, its mask, the frame count,
// the start position and depth, the anchors and the animation.
#include <cstdint>

#include "ids/ClipIds.h"

struct ClipDesc {
  const char* Picture;    // picture file; empty for a reserved entry
  const char* Mask;       // mask file; empty when the picture needs none
  int32_t iNumberFrames;
  bool Preload;           // loaded and kept as a template at start-up
  int32_t x, y, z;
  int32_t AlignX, AlignY;  // default anchor when no align text is given
  const char* AlignText1;
  const char* AlignText2;
  const char* SequenceText;
  int32_t Period;
};

// The description of entry index (0 .. kClipCount - 1); nullptr outside that range.
const ClipDesc* GetClipDesc(int index);
