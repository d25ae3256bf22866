// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/KeyboardPlay.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "game/Game.h"
#include "ids/ClipIds.h"
#include "railway/FieldArea.h"
#include "railway/FieldSprites.h"
#include "railway/Junction.h"

namespace {

// Drawn over the switches, signals and trains, under the panel and the counters.
constexpr int kRingDepth = -1190;
constexpr int kMarkDepth = -1191;
constexpr int kMarkPeriod = 150;  // ms a frame of the highlight's swell
// A signal's lamps stand this far above the foot of its post, where it is clicked: the
// ring and the highlight go round the lamps.
constexpr int kSignalLamps = 19;
// How many junctions on each train's way the hint weighs by nearness.
constexpr int kHintSteps = 8;

std::string ControlName(const FieldControl& c) {
  return std::string(c.signal ? "signal " : "switch ") + std::to_string(c.junction) + " side " +
         std::to_string(c.side);
}

bool Working(const Junction::Switch& s) { return s.state == SwitchState::kWorking && s.picture; }

bool Shown(const Junction::Signal& s) {
  return (s.state == SignalState::kGreen || s.state == SignalState::kRed) && s.picture;
}

}  // namespace

KeyboardPlay::KeyboardPlay(Game& game, FieldSprites* sprites)
    : game_(game), sprites_(sprites), targets_(game) {}

KeyboardPlay::~KeyboardPlay() {
  if (!sprites_) return;
  for (FieldSprite* s : {ring_, mark_}) {
    if (s) sprites_->Remove(s);
  }
}

bool KeyboardPlay::OnKey(int key, int modifiers) {
  // Ctrl and Alt keep their own meanings (the window's zoom, the level skip).
  if (modifiers & (KMOD_CTRL | KMOD_ALT)) return false;
  switch (key) {
    case SDLK_UP:
      Move(0, -1);
      return true;
    case SDLK_DOWN:
      Move(0, 1);
      return true;
    case SDLK_LEFT:
      Move(-1, 0);
      return true;
    case SDLK_RIGHT:
      Move(1, 0);
      return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      Press(false);
      return true;
    case SDLK_s:
      Press(true);
      return true;
    case SDLK_c:
      CallRepairTrain();
      return true;
    case SDLK_h:
      Hint();
      return true;
    default:
      return false;
  }
}

void KeyboardPlay::Tick(int elapsedMs) {
  if (hintLeft_ <= 0) return;
  hintLeft_ -= std::max(elapsedMs, 0);
  if (hintLeft_ > 0) return;
  hintLeft_ = 0;
  hinted_.reset();
  Hide(mark_);
}

void KeyboardPlay::NewLevel() {
  selected_.reset();
  hinted_.reset();
  hintLeft_ = 0;
  Hide(ring_);
  Hide(mark_);
  pilot_.reset();
}

// ---------------------------------------------------------------- controls

const FieldSprite* KeyboardPlay::PictureOf(const FieldControl& c) const {
  if (!rail::ValidJunction(c.junction) || c.side < 0 || c.side > 3) return nullptr;
  const Junction& at = game_.GetField().At(c.junction);
  if (c.signal) return Shown(at.SignalAt(c.side)) ? at.SignalAt(c.side).picture : nullptr;
  return Working(at.SwitchAt(c.side)) ? at.SwitchAt(c.side).picture : nullptr;
}

std::optional<FieldControl> KeyboardPlay::ControlOf(const FieldSprite* picture) const {
  if (!picture) return std::nullopt;
  const Field& field = game_.GetField();
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      if (field.At(j).SwitchAt(s).picture == picture) return FieldControl{j, s, false};
      if (field.At(j).SignalAt(s).picture == picture) return FieldControl{j, s, true};
    }
  }
  return std::nullopt;
}

std::optional<KeyboardPlay::Spot> KeyboardPlay::SpotOf(const FieldControl& c) {
  Spot spot{c};
  if (!targets_.ClickFor(PictureOf(c), spot.x, spot.y)) return std::nullopt;
  return spot;
}

std::vector<KeyboardPlay::Spot> KeyboardPlay::Controls() {
  std::vector<Spot> spots;
  const Field& field = game_.GetField();
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int s = 0; s < 4; ++s) {
      const bool signal = !Working(field.At(j).SwitchAt(s));
      if (signal && !Shown(field.At(j).SignalAt(s))) continue;
      if (auto spot = SpotOf({j, s, signal})) spots.push_back(*spot);
    }
  }
  return spots;
}

void KeyboardPlay::RingPoint(int& x, int& y) const {
  if (selected_) {
    x = ringX_;
    y = ringY_;
    return;
  }
  x = rail::kFieldArea.left + rail::kFieldArea.width / 2;
  y = rail::kFieldArea.top + rail::kFieldArea.height / 2;
}

// ---------------------------------------------------------------- keys

// The nearest control in the direction: the distance along it plus twice the distance
// across it, among the controls within about 60 degrees of the direction (none there: the
// ring stays). The first arrow key only shows the ring, on the control nearest the middle
// of the field.
void KeyboardPlay::Move(int dx, int dy) {
  const std::vector<Spot> spots = Controls();
  int cx = 0, cy = 0;
  RingPoint(cx, cy);
  const bool first = !selected_;
  const Spot* best = nullptr;
  long long bestScore = LLONG_MAX;
  for (const Spot& spot : spots) {
    const long long ox = spot.x - cx, oy = spot.y - cy;
    const long long along = ox * dx + oy * dy;
    const long long across = std::llabs(ox * dy - oy * dx);
    long long score = ox * ox + oy * oy;
    if (!first) {
      if (along <= 0 || across > 2 * along) continue;
      score = along + 2 * across;
    }
    if (score < bestScore) {
      bestScore = score;
      best = &spot;
    }
  }
  if (best) Select(*best);
}

void KeyboardPlay::Select(const Spot& spot) {
  selected_ = spot.control;
  ringX_ = spot.x;
  ringY_ = spot.y;
  Place(ring_, clip::SelectRing, spot.x, MarkY(spot));
  Note("ring at " + ControlName(spot.control) + " (" + std::to_string(spot.x) + "," +
       std::to_string(spot.y) + ")");
}

// In building mode a click on the field lays track: the keys that click wait for the
// operating mode.
void KeyboardPlay::Press(bool signalOnly) {
  if (!selected_ || game_.iGameMode != kOperatingMode) return;
  FieldControl c = *selected_;
  c.signal = signalOnly || !PictureOf({c.junction, c.side, false});
  if (!PictureOf(c)) {
    Say(signalOnly ? "No signal here" : "No switch here");
    return;
  }
  if (auto spot = SpotOf(c)) Click(spot->x, spot->y, ControlName(c));
}

// A click on the call button of the crash site nearest the ring: the repair train comes
// from the field's selected town, as for a click with the mouse.
void KeyboardPlay::CallRepairTrain() {
  if (game_.iGameMode != kOperatingMode) return;
  int cx = 0, cy = 0;
  RingPoint(cx, cy);
  const FieldSprite* best = nullptr;
  long long bestDistance = LLONG_MAX;
  int bx = 0, by = 0;
  for (const CrashSite& site : game_.GetField().CrashSites()) {
    int x = 0, y = 0;
    if (!site.button || !site.button->Visible() || !targets_.ClickFor(site.button, x, y)) continue;
    const long long d =
        static_cast<long long>(x - cx) * (x - cx) + static_cast<long long>(y - cy) * (y - cy);
    if (d < bestDistance) {
      bestDistance = d;
      best = site.button;
      bx = x;
      by = y;
    }
  }
  if (!best) {
    Say(game_.GetField().CrashSites().empty() ? "No damaged track" : "No call button shown");
    return;
  }
  Click(bx, by, "call button");
}

void KeyboardPlay::Click(int x, int y, const std::string& what) {
  Note("click " + std::to_string(x) + "," + std::to_string(y) + ": " + what);
  game_.Apply(action::Make(ActionKind::kClick, x, y));
}

// ---------------------------------------------------------------- hint

void KeyboardPlay::Hint() {
  if (game_.GameState != kStatePlaying) return;
  game_.Apply(action::Make(ActionKind::kHint));
  const std::optional<FieldControl> next = NextChange();
  const std::optional<Spot> spot = next ? SpotOf(*next) : std::nullopt;
  if (!spot) {
    Say("No switch to change");
    return;
  }
  hinted_ = spot->control;
  hintLeft_ = kHintMs;
  Place(mark_, clip::HintMark, spot->x, MarkY(*spot));
  Note("hint " + ControlName(spot->control));
  // A player on the keyboard has the hinted control selected at once.
  if (ring_ && ring_->Visible()) Select(*spot);
}

// The autopilot looks at the field with hands that only watch. Of the clicks it would
// make, the one on the junction that a train comes to first is the next change.
std::optional<FieldControl> KeyboardPlay::NextChange() {
  if (!pilot_) pilot_ = std::make_unique<Autopilot>(game_, watcher_, nullptr);
  watcher_.clicks.clear();
  for (int i = 0; i < Autopilot::kPeriod; ++i) pilot_->Act();
  const std::vector<int> ahead = pilot_->JunctionsAhead(kHintSteps);
  std::optional<FieldControl> best;
  size_t bestRank = SIZE_MAX;
  for (const auto& [x, y] : watcher_.clicks) {
    const std::optional<FieldControl> c = ControlOf(targets_.FirstHit(x, y));
    if (!c) continue;
    const size_t rank =
        static_cast<size_t>(std::find(ahead.begin(), ahead.end(), c->junction) - ahead.begin());
    if (!best || rank < bestRank) {
      best = c;
      bestRank = rank;
    }
  }
  return best;
}

// ---------------------------------------------------------------- pictures

FieldSprite* KeyboardPlay::Place(FieldSprite*& sprite, int clip, int x, int y) {
  if (!sprites_) return nullptr;
  if (!sprite) {
    sprite = sprites_->Create(clip, false);
    if (!sprite) return nullptr;
    if (sprite->Frames() > 1) {
      sprite->SetPeriod(kMarkPeriod);
      sprite->Animate(true);
    }
  }
  sprite->SetPos(x, y);
  sprite->SetZ(clip == clip::HintMark ? kMarkDepth : kRingDepth);
  sprite->Show(true);
  return sprite;
}

int KeyboardPlay::MarkY(const Spot& spot) {
  return spot.y - (spot.control.signal ? kSignalLamps : 0);
}

void KeyboardPlay::Hide(FieldSprite* sprite) {
  if (sprite) sprite->Show(false);
}

void KeyboardPlay::Say(const std::string& message) {
  Note("says \"" + message + "\"");
  game_.PostMessage(message, false);
}

void KeyboardPlay::Note(const std::string& text) const {
  if (log_) log_->Print("keys " + text);
}
