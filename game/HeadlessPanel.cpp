// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/HeadlessPanel.h"

#include <cstdint>

#include "core/ClipTable.h"
#include "ids/ClipIds.h"
#include "sprites/ClipLib.h"

namespace {

// The box of a frame of the entry's picture at the entry's place; without a readable
// picture it is empty.
PanelBox EntryBox(int entry) {
  const ClipDesc& desc = *GetClipDesc(entry);
  int32_t w = 0, h = 0;
  ClipLib::FrameSize(entry, w, h);  // left 0 x 0 when it fails
  return {desc.x, desc.y, w, h};
}

}  // namespace

HeadlessPanel::HeadlessPanel() : toggle_(EntryBox(clip::BuildRouteMiddle)) {
  for (int type = 0; type < kTrackButtons; ++type) {
    const int entry = clip::LeftTrack0 + type;
    const PanelBox box = EntryBox(entry);
    LControl& b = buttons_[type];
    b.x = box.x;
    b.y = box.y;
    b.z = GetClipDesc(entry)->z;
    b.FrameW = box.w;
    b.FrameH = box.h;
  }
}

const LControl* HeadlessPanel::TrackButton(int type) const {
  return type >= 0 && type < kTrackButtons ? &buttons_[type] : nullptr;
}
