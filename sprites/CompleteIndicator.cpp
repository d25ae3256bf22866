// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/CompleteIndicator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/ClipTable.h"
#include "engine/LClip.h"
#include "engine/LEngine.h"
#include "ids/ScreenSize.h"
#include "sprites/ClipLib.h"
#include "sprites/FineSink.h"

namespace {

constexpr double kWarehouseX = 145;
constexpr double kTurnX = 1000;
constexpr double kTrackLength = kTurnX - kWarehouseX;  // 855 pixels
constexpr double kSpeed = 0.002;
constexpr int32_t kStopTime = 500;
constexpr int32_t kLoadTime = 250;
constexpr double kEngineY = 25;
// How far past either end the engine can be seen between two updates: a few frames'
// movement; anything beyond was never saved by the game.
constexpr double kOvershoot = 100;
constexpr double kTolerance = 1e-9;  // relative, for doubles written with 15 digits
constexpr uint32_t kClassicFine = 1000;
constexpr uint32_t kPuzzleFine = 2000;
const char* const kPrefix = "CompleteIndicator.";

LClip* MakeSprite(int entry, LEngine* owner) {
  LClip* clip = ClipLib::Create(entry, false);
  if (!clip) return nullptr;
  clip->SetVisible(false);
  if (owner) owner->AddSprite(clip);
  return clip;
}

}  // namespace

CompleteIndicator::CompleteIndicator(LEngine* owner) : Owner(owner) {
  Engine = MakeSprite(clip::TopTrain, owner);
  if (Engine) Engine->Stop = true;
  for (auto& c : Crates) c = MakeSprite(clip::Box, owner);
  for (auto& s : Stacks) s = MakeSprite(clip::BoxStack, owner);
}

CompleteIndicator::~CompleteIndicator() {
  auto drop = [this](LClip* clip) {
    if (!clip) return;
    if (Owner)
      Owner->RemoveSprite(clip, true);
    else
      delete clip;
  };
  drop(Engine);
  for (LClip* c : Crates) drop(c);
  for (LClip* s : Stacks) drop(s);
}

void CompleteIndicator::Start(int32_t minutes, FineSink* game) {
  Percent = 0;
  Game = game;
  NeedShow = true;
  WaitCounter = 0;
  iState = 0;
  // The speed kept through a wait at the warehouse is set when the wait begins; the last
  // level's value means nothing here.
  SaveV = 0;
  const double width = Owner && Owner->W ? Owner->W : screen::kWidth;
  const double timeUnit = Owner ? Owner->TimeUnit : 30;
  const double pass = kTrackLength / width / kSpeed * timeUnit / 1000;  // seconds
  const int32_t trips = std::max(0, static_cast<int32_t>(std::trunc(minutes * 60 / (2 * pass))));
  DeltaPercent = 100.0 / (2.0 * trips + 2);
  if (Engine) {
    Engine->SetPosition(kWarehouseX + 1, kEngineY);
    Engine->SetVisible(false);
    Engine->Vx = kSpeed;
    Engine->Vy = 0;
    Engine->SetFrame(0);
  }
  RefreshPile();
}

void CompleteIndicator::Update(int32_t dt, bool visible) {
  if (!Engine) return;
  Engine->SetVisible(visible);
  if (iState == 1) {
    WaitCounter += dt;
    if (WaitCounter >= kStopTime) {
      WaitCounter = 0;
      iState = 0;
      NeedShow = true;
      Engine->Vx = SaveV;
    } else if (WaitCounter >= kLoadTime && NeedShow) {
      NeedShow = false;
      RefreshPile();
    }
  } else {
    Travel();
  }
  if (Percent >= 100) {
    Percent = 100;
    Engine->Vx = Engine->Vy = 0;
  }
}

void CompleteIndicator::Travel() {
  if (Engine->x <= kWarehouseX) {
    Engine->x = kWarehouseX + 1;
    iState = 1;
    if (Game) Game->Fine(Game->GameType() == 1 ? kPuzzleFine : kClassicFine);
    SaveV = -Engine->Vx;
    Engine->Vx = Engine->Vy = 0;
    Percent += DeltaPercent;
    SetEngineFrame();
  } else if (Engine->x > kTurnX) {
    Engine->x = kTurnX - 1;
    Engine->Vx = -Engine->Vx;
    Percent += DeltaPercent;
    SetEngineFrame();
  }
}

void CompleteIndicator::SetEngineFrame() { Engine->SetFrame(Engine->Vx < 0 ? 1 : 0); }

double CompleteIndicator::GetProgress() const {
  double p = Percent;
  if (iState != 1 && Engine) {
    if (Engine->Vx > 0)
      p += (Engine->x - kWarehouseX) * DeltaPercent / kTrackLength;
    else
      p += (kTurnX - Engine->x) * DeltaPercent / kTrackLength;
  }
  return std::min(p, 100.0);
}

void CompleteIndicator::RefreshPile() {
  const double left = 100 - std::min(Percent + 2 * DeltaPercent, 100.0);
  const int32_t n = static_cast<int32_t>(std::trunc(left / (100.0 / 49)));
  const int32_t stacks = std::min(n / 7, kCrateCount);
  int32_t singles = stacks == kCrateCount ? 0 : n % 7;
  if (n == 0 && left >= DeltaPercent) singles = 1;
  for (LClip* c : Crates)
    if (c) c->SetVisible(false);
  for (LClip* s : Stacks)
    if (s) s->SetVisible(false);
  for (int32_t i = 0; i < stacks; ++i) {
    if (!Stacks[i]) continue;
    Stacks[i]->SetPosition(145, 23 + 3 * (7 - i));
    Stacks[i]->SetVisible(true);
  }
  for (int32_t j = 0; j < singles; ++j) {
    if (!Crates[j]) continue;
    Crates[j]->SetPosition(144 + 9 * j, 22 + 3 * (7 - stacks));
    Crates[j]->SetVisible(true);
  }
}

// The saved form of the run, both directions through one routine.
struct CompleteIndicator::SavedRun {
  double delta, percent, x, y, vx;
  int32_t frame, state, wait;
  double saveV;
  bool needShow;
};

bool CompleteIndicator::Exchange(core::ValueStore& p, SavedRun& r, int direction) {
  bool ok = p.Double(kPrefix, "DeltaPercent", r.delta, direction);
  ok = p.Double(kPrefix, "Percent", r.percent, direction) && ok;
  ok = p.Double(kPrefix, "x", r.x, direction) && ok;
  ok = p.Double(kPrefix, "y", r.y, direction) && ok;
  ok = p.Double(kPrefix, "Vx", r.vx, direction) && ok;
  ok = p.Long(kPrefix, "Frame", r.frame, direction) && ok;
  ok = p.Long(kPrefix, "iState", r.state, direction) && ok;
  ok = p.Long(kPrefix, "WaitCounter", r.wait, direction) && ok;
  ok = p.Double(kPrefix, "SaveV", r.saveV, direction) && ok;
  ok = p.Bool(kPrefix, "NeedShow", r.needShow, direction) && ok;
  return ok;
}

CompleteIndicator::SavedRun CompleteIndicator::Current() const {
  return {DeltaPercent,
          Percent,
          Engine ? Engine->x : kWarehouseX + 1,
          Engine ? Engine->y : kEngineY,
          Engine ? Engine->Vx : 0,
          Engine ? Engine->cFrame : 0,
          iState,
          WaitCounter,
          SaveV,
          NeedShow};
}

void CompleteIndicator::Save(core::ValueStore& store) {
  SavedRun r = Current();
  Exchange(store, r, kSave);
}

// Reads the run back into an indicator started for the saved level. A run that the
// level's minutes cannot give (a share of a half trip other than the level's, a speed
// other than the engine's, a stop that never ends) is refused and the indicator keeps
// its fresh start: such a level might never end.
bool CompleteIndicator::Load(core::ValueStore& store) {
  SavedRun r = Current();
  if (!Exchange(store, r, kLoad)) return false;
  if (!Possible(r, DeltaPercent)) {
    std::fprintf(stderr, "Error. CompleteIndicator::Load. The saved progress is out of range.\n");
    return false;
  }
  Apply(r);
  return true;
}

void CompleteIndicator::TakeRunOf(const CompleteIndicator& other) { Apply(other.Current()); }

void CompleteIndicator::Apply(const SavedRun& r) {
  DeltaPercent = r.delta;
  Percent = r.percent;
  iState = r.state;
  WaitCounter = r.wait;
  SaveV = r.saveV;
  NeedShow = r.needShow;
  if (Engine) {
    Engine->SetPosition(r.x, r.y);
    Engine->Vx = r.vx;
    Engine->Vy = 0;
    Engine->SetFrame(r.frame);
  }
  RefreshPile();
}

bool CompleteIndicator::Possible(const SavedRun& r, double levelDelta) const {
  auto near = [](double v, double expected) {
    return std::abs(v - expected) <= std::abs(expected) * kTolerance;
  };
  const double halfTrips = r.percent / levelDelta;
  // Whole half trips, or the end of the level.
  const bool percentOk = r.percent >= 0 && r.percent <= 100 &&
                         (r.percent == 100 || std::abs(halfTrips - std::round(halfTrips)) < 1e-6);
  const bool running = r.percent < 100;
  const bool stateOk = (r.state == 0 || r.state == 1) && r.wait >= 0 && r.wait < kStopTime &&
                       (near(r.saveV, kSpeed) || r.saveV == 0) &&
                       (r.state == 0 || !running || near(r.saveV, kSpeed));
  bool engineOk = true;
  if (Engine) {
    const bool moving = near(r.vx, kSpeed) || near(r.vx, -kSpeed);
    engineOk = r.x >= kWarehouseX - kOvershoot && r.x <= kTurnX + kOvershoot &&
               near(r.y, kEngineY) && (r.frame == 0 || r.frame == 1) && (moving || r.vx == 0) &&
               // A travelling engine of a running level moves; a standing one does not.
               (r.state == 1 ? r.vx == 0 : moving || !running);
  }
  return near(r.delta, levelDelta) && percentOk && stateOk && engineOk;
}
