// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/SpritePanel.h"

#include "engine/LClip.h"
#include "engine/LEngine.h"
#include "ids/ClipIds.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

// The library entry of each picture, in the order of the panel's slots.
constexpr int kEntries[] = {clip::LeftPanel,        clip::BuildModeButton,   clip::GreyRouteMode,
                            clip::BuildRouteMiddle, clip::BuildingAvailable, clip::PuzzleGameCap};

LClip* PanelPicture(LEngine* screen, int entry, bool visible) {
  if (!screen) return nullptr;
  LClip* c = ClipLib::Create(entry, false);
  if (!c) return nullptr;
  c->SetVisible(visible);
  screen->AddSprite(c);
  return c;
}

void Show(LClip* c, bool visible) {
  if (c) c->SetVisible(visible);
}

}  // namespace

// The panel's picture first, then the buttons and the pictures over them: of these only
// the route mode is shown until the game shows its level.
SpritePanel::SpritePanel(LEngine* screen) : screen_(screen) {
  pictures_[kPanel] = PanelPicture(screen, kEntries[kPanel], true);
  for (int i = 0; i < kTrackButtons; ++i) {
    buttons_[i] = screen ? MakeButton(clip::LeftTrack0 + i, -1, screen, true) : nullptr;
  }
  for (int slot = kBuildMode; slot < kSlots; ++slot) {
    pictures_[slot] = PanelPicture(screen, kEntries[slot], slot == kRouteMode);
  }
  if (screen) screen->RequestSort();
}

SpritePanel::~SpritePanel() {
  if (!screen_) return;
  for (LClip* c : pictures_) {
    if (c) screen_->RemoveSprite(c, true);
  }
  for (LClipButton* b : buttons_) {
    if (b) screen_->RemoveSprite(b, true);
  }
}

void SpritePanel::ShowBuildingMode() {
  Show(pictures_[kRouteMode], false);
  Show(pictures_[kBuildMode], true);
}

void SpritePanel::ShowRouteMode() {
  Show(pictures_[kRouteMode], true);
  Show(pictures_[kBuildMode], false);
}

void SpritePanel::ShowPuzzlePictures(bool shown) {
  Show(pictures_[kBuildingAvailable], shown);
  Show(pictures_[kPuzzleCaption], shown);
}

void SpritePanel::LightToggle(bool lit) { Show(pictures_[kToggleHover], lit); }

// The hover picture's frame, at its place.
PanelBox SpritePanel::ToggleBox() const {
  const LClip* hover = pictures_[kToggleHover];
  if (!hover) return {};
  return {static_cast<int>(hover->x), static_cast<int>(hover->y), hover->FrameW, hover->FrameH};
}

const LControl* SpritePanel::TrackButton(int type) const {
  return type >= 0 && type < kTrackButtons ? buttons_[type] : nullptr;
}

const LClip* SpritePanel::Picture(int entry) const {
  for (int slot = 0; slot < kSlots; ++slot) {
    if (kEntries[slot] == entry) return pictures_[slot];
  }
  for (int i = 0; i < kTrackButtons; ++i) {
    if (clip::LeftTrack0 + i == entry) return buttons_[i];
  }
  return nullptr;
}
