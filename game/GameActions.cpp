// SPDX-License-Identifier: GPL-3.0-or-later
// The player's actions on the field: the track preview following the mouse, laying
// track in building mode, the mode toggle, the track-type buttons and the wheel,
// clicks on switches, signals and call buttons, and calling the repair train.
#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "core/ClipTable.h"
#include "core/Saturate.h"
#include "engine/LEngine.h"
#include "engine/LSound.h"
#include "game/Game.h"
#include "game/LevelRecorder.h"
#include "railway/FieldArea.h"
#include "railway/Geometry.h"
#include "railway/Track.h"

namespace {

constexpr int kTownBandLeft = 291;
constexpr int kTownBandRight = 660;
// The preview's planned picture is drawn at depth -1196, over the laid track.
constexpr int kPreviewDepthKey = -1199;

static_assert(GamePanel::kTrackButtons == Game::kTrackTypes);

bool InFieldArea(int x, int y) { return rail::kFieldArea.Contains(x, y); }

}  // namespace

// The track preview and the marker of a place where the track cannot be laid, both
// hidden until the level shows its mode.
void Game::MakePreview() {
  preview_ = std::make_unique<Track>(0, CurrSelectTrackType, true, true, parts_.fieldSprites);
  preview_->Show(false);
  if (parts_.fieldSprites) {
    forbidden_ = parts_.fieldSprites->Create(clip::TrackNo, false);
    forbidden_->Show(false);
  }
  if (parts_.screen) parts_.screen->RequestSort();
}

void Game::ShowModeWidgets() {
  const bool building = iGameMode == kBuildingMode;
  preview_->Show(building);
  if (forbidden_) forbidden_->Show(building);
  if (building) {
    panel_->ShowBuildingMode();
  } else {
    panel_->ShowRouteMode();
  }
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

ActionResult Game::Apply(const PlayerAction& action) {
  ActionResult result;
  applying_ = &result;
  const int32_t money = MoneyCounter;
  switch (action.kind) {
    case ActionKind::kClick:
      result.taken = Click(action.x, action.y);
      break;
    case ActionKind::kRightClick:
      result.taken = RightClick(action.x, action.y);
      break;
    case ActionKind::kWheelDown:
      result.taken = Wheel(1);
      break;
    case ActionKind::kWheelUp:
      result.taken = Wheel(-1);
      break;
    case ActionKind::kTrackButton:
      result.taken = PressTrackButton(action.arg);
      break;
    case ActionKind::kSkipLevel:
      // The skip ends the level's recording and begins the next level's; it belongs
      // to neither.
      applying_ = nullptr;
      result.taken = SkipLevel();
      return result;
    case ActionKind::kSpeed:
    case ActionKind::kPause:
    case ActionKind::kResume:
    case ActionKind::kRewind:
      // The screen's own: kept in the level's list, so that a replay shows them.
      result.taken = true;
      break;
    case ActionKind::kHint:
      // Counted for the level's statistics; what the hint shows is the keyboard's.
      result.taken = GameState == kStatePlaying;
      if (result.taken) core::AddTo(HintsUsed, 1);
      break;
  }
  applying_ = nullptr;
  result.cost = static_cast<int32_t>(
      std::clamp<int64_t>(int64_t{money} - MoneyCounter, INT32_MIN, INT32_MAX));
  PlayerAction stamped = action;
  stamped.update = levelUpdate_;
  levelActions_.push_back(stamped);
  if (recorder_) recorder_->Note(stamped);
  return result;
}

bool Game::IsSkipLevelKey(int32_t key, int32_t modifiers) {
  return key == SDLK_9 && (modifiers & KMOD_SHIFT) && (modifiers & KMOD_CTRL) &&
         (modifiers & KMOD_ALT) && (modifiers & KMOD_CAPS);
}

void Game::OnMouseMove(int32_t x, int32_t y) {
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
  if (panel_->IsInsideToggle(x, y)) {
    panel_->LightToggle(!toggleHeld_);
  } else {
    toggleHeld_ = false;
    panel_->LightToggle(false);
  }
}

bool Game::Click(int32_t x, int32_t y) {
  if (tips_.OnClick(x, y)) return true;
  bool taken = false;
  if (iGameMode == kOperatingMode) {
    if (FieldSprite* button = field_.CallButtonAt(x, y)) {
      taken = OnCallButton(button);
    } else {
      taken = field_.ClickJunctions(x, y);
    }
  }
  if (panel_->IsInsideToggle(x, y)) {
    toggleHeld_ = true;
    PlaySound(snd::Mode);
    ToggleMode();
    return true;
  }
  // A click on the field's first column lays nothing, though the preview shows there.
  if (x > rail::kFieldArea.left && iGameMode == kBuildingMode) {
    const int node = rail::NodeAt(x, y);
    if (!field_.HasTrack(node, CurrSelectTrackType)) {
      field_.AddTrack(node, CurrSelectTrackType, Laying::kByPlayer);
    }
    // A click beyond the field also lays at its nearest junction, and still reaches
    // the screen's buttons there.
    return InFieldArea(x, y);
  }
  return taken;
}

bool Game::RightClick(int32_t x, int32_t y) {
  if (iGameMode == kBuildingMode) return Wheel(1);
  if ((x >= kTownBandLeft && x < kTownBandRight) || field_.Towns().empty()) return false;
  field_.CallRepairTrain(field_.TownAt(x, y));
  return true;
}

// The wheel and, in building mode, the right button step through the track types.
bool Game::Wheel(int step) {
  if (iGameMode != kBuildingMode) return false;
  SelectTrackType((CurrSelectTrackType + kTrackTypes + step) % kTrackTypes);
  PlaySound(snd::NexTrack);
  RefreshCursor();
  return true;
}

bool Game::PressTrackButton(int type) {
  if (type < 0 || type >= kTrackTypes) return false;
  SelectTrackType(type);
  if (!Puzzle()) {
    iGameMode = kBuildingMode;
    ShowModeWidgets();
    RefreshCursor();
  }
  return true;
}

// A crash site's call button, clicked on the field in operating mode.
bool Game::OnCallButton(const FieldSprite* button) {
  if (iGameMode != kOperatingMode || !field_.IsCallButton(button)) return false;
  field_.CallRepairTrain(field_.SelectedTown());
  return true;
}

void Game::ToggleMode() {
  if (Puzzle() && iGameMode != kBuildingMode) {
    panel_->LightToggle(false);
    return;
  }
  iGameMode = iGameMode == kBuildingMode ? kOperatingMode : kBuildingMode;
  ShowModeWidgets();
  RefreshCursor();
  panel_->LightToggle(false);
}
