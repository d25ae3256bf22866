// SPDX-License-Identifier: GPL-3.0-or-later
// The player's actions on the field: the track preview following the mouse, laying
// track in building mode, the mode toggle, the track-type buttons and the wheel,
// clicks on switches, signals and call buttons, and calling the repair train.
#include <algorithm>

#include "core/ClipTable.h"
#include "engine/LEngine.h"
#include "engine/LSound.h"
#include "game/Game.h"
#include "railway/FieldArea.h"
#include "railway/Geometry.h"
#include "railway/Track.h"
#include "sprites/ClipLib.h"
#include "sprites/Widgets.h"

namespace {

constexpr int kTownBandLeft = 291;
constexpr int kTownBandRight = 660;
// The preview's planned picture is drawn at depth -1196, over the laid track.
constexpr int kPreviewDepthKey = -1199;

bool InFieldArea(int x, int y) { return rail::kFieldArea.Contains(x, y); }

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

void Game::MakePanel() {
  LEngine* screen = parts_.screen;
  leftPanel_ = PanelPicture(screen, clip::LeftPanel, true);
  for (int i = 0; i < kTrackTypes; ++i) {
    trackButtons_[i] = screen ? MakeButton(clip::LeftTrack0 + i, -1, screen, true) : nullptr;
  }
  buildModePicture_ = PanelPicture(screen, clip::BuildModeButton, false);
  routeModePicture_ = PanelPicture(screen, clip::GreyRouteMode, true);
  toggleHover_ = PanelPicture(screen, clip::BuildRouteMiddle, false);
  buildingAvailable_ = PanelPicture(screen, clip::BuildingAvailable, false);
  puzzleCaption_ = PanelPicture(screen, clip::PuzzleGameCap, false);
  preview_ = std::make_unique<Track>(0, CurrSelectTrackType, true, true, parts_.fieldSprites);
  preview_->Show(false);
  if (parts_.fieldSprites) {
    forbidden_ = parts_.fieldSprites->Create(clip::TrackNo, false);
    forbidden_->Show(false);
  }
  if (screen) screen->RequestSort();
}

void Game::ShowModeWidgets() {
  const bool building = iGameMode == kBuildingMode;
  preview_->Show(building);
  if (forbidden_) forbidden_->Show(building);
  Show(routeModePicture_, !building);
  Show(buildModePicture_, building);
}

void Game::ShowPuzzlePictures(bool shown) {
  Show(buildingAvailable_, shown);
  Show(puzzleCaption_, shown);
}

void Game::SelectTrackType(int type) {
  CurrSelectTrackType = type;
  // A track's type is fixed: the preview is made anew for the type.
  const bool shown = preview_ && preview_->Picture(0) && preview_->Picture(0)->Visible();
  const int x = preview_ ? preview_->X() : 0;
  const int y = preview_ ? preview_->Y() : 0;
  preview_ = std::make_unique<Track>(0, type, true, true, parts_.fieldSprites);
  preview_->MoveTo(x, y, kPreviewDepthKey);
  preview_->Show(shown);
}

void Game::RefreshCursor() { OnMouseMove(mouseX_, mouseY_); }

bool Game::InsideToggle(int x, int y) const {
  if (!toggleHover_) return false;
  return x >= toggleHover_->x && x < toggleHover_->x + toggleHover_->FrameW &&
         y >= toggleHover_->y && y < toggleHover_->y + toggleHover_->FrameH;
}

int32_t Game::OnMouseMove(int32_t x, int32_t y) {
  mouseX_ = x;
  mouseY_ = y;
  if (iGameMode == kBuildingMode) {
    if (InFieldArea(x, y)) {
      const int node = rail::NodeAt(x, y);
      const rail::Point at = rail::JunctionPos(node);
      preview_->MoveTo(at.x, at.y, kPreviewDepthKey);
      preview_->Show(true);
      const int type = CurrSelectTrackType;
      if (field_.HasTrack(node, type) || field_.CanBuild(node, type)) {
        if (forbidden_) forbidden_->Show(false);
      } else if (node < rail::kFieldWidth && type == 0) {
        preview_->Show(false);
        if (forbidden_) forbidden_->Show(false);
      } else if (forbidden_) {
        forbidden_->SetFrame(rail::TypeFrame(type));
        forbidden_->SetPos(at.x, at.y);
        forbidden_->SetZ(kPreviewDepthKey + 2);
        forbidden_->Show(true);
      }
    } else {
      preview_->Show(false);
      if (forbidden_) forbidden_->Show(false);
    }
  }
  if (InsideToggle(x, y)) {
    Show(toggleHover_, !toggleHeld_);
  } else {
    toggleHeld_ = false;
    Show(toggleHover_, false);
  }
  return 0;
}

int32_t Game::OnLeftDown(int32_t x, int32_t y) {
  if (tips_.OnClick(x, y)) return 1;
  if (iGameMode == kOperatingMode) {
    const FieldSprite* button = field_.FieldClick(x, y);
    if (button) OnCallButton(button);
  }
  if (InsideToggle(x, y)) {
    toggleHeld_ = true;
    PlaySound(snd::Mode);
    ToggleMode();
    return 1;
  }
  // A click on the field's first column lays nothing, though the preview shows there.
  if (x > rail::kFieldArea.left && iGameMode == kBuildingMode) {
    const int node = rail::NodeAt(x, y);
    if (!field_.HasTrack(node, CurrSelectTrackType)) {
      field_.AddTrack(node, CurrSelectTrackType, Laying::kByPlayer);
    }
  }
  return 1;
}

int32_t Game::OnLeftUp(int32_t, int32_t) { return 0; }
int32_t Game::OnRightUp(int32_t, int32_t) { return 0; }

int32_t Game::OnRightDown(int32_t x, int32_t y) {
  if (iGameMode == kBuildingMode) {
    SelectTrackType((CurrSelectTrackType + 1) % kTrackTypes);
    PlaySound(snd::NexTrack);
    RefreshCursor();
  } else if (x < kTownBandLeft || x >= kTownBandRight) {
    field_.CallRepairTrain(field_.TownAt(x, y));
  }
  return 0;
}

int32_t Game::OnWheelDown(int32_t, int32_t) {
  if (iGameMode != kBuildingMode) return 0;
  SelectTrackType((CurrSelectTrackType + 1) % kTrackTypes);
  PlaySound(snd::NexTrack);
  RefreshCursor();
  return 0;
}

int32_t Game::OnWheelUp(int32_t, int32_t) {
  if (iGameMode != kBuildingMode) return 0;
  SelectTrackType((CurrSelectTrackType + kTrackTypes - 1) % kTrackTypes);
  PlaySound(snd::NexTrack);
  RefreshCursor();
  return 0;
}

void Game::OnButton(const LControl* widget) {
  for (int i = 0; i < kTrackTypes; ++i) {
    if (!widget || trackButtons_[i] != widget) continue;
    SelectTrackType(i);
    if (!Puzzle()) {
      iGameMode = kBuildingMode;
      ShowModeWidgets();
      RefreshCursor();
    }
    break;
  }
}

// A crash site's call button, clicked on the field in operating mode.
void Game::OnCallButton(const FieldSprite* button) {
  if (iGameMode != kOperatingMode || !field_.IsCallButton(button)) return;
  field_.CallRepairTrain(field_.SelectedTown());
}

void Game::ToggleMode() {
  if (Puzzle() && iGameMode != kBuildingMode) {
    Show(toggleHover_, false);
    return;
  }
  iGameMode = iGameMode == kBuildingMode ? kOperatingMode : kBuildingMode;
  ShowModeWidgets();
  RefreshCursor();
  Show(toggleHover_, false);
}
