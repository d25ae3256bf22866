// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites/CompleteIndicator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/ClipTable.h"
#include "core/LParams.h"
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
  const double width = Owner && Owner->W ? Owner->W : screen::kWidth;
  const double timeUnit = Owner ? Owner->TimeUnit : 30;
  const double pass = kTrackLength / width / kSpeed * timeUnit / 1000;  // seconds
  const int32_t trips = std::max(0, static_cast<int32_t>(std::trunc(minutes * 60 / (2 * pass))));
  DeltaPercent = 100.0 / (2.0 * trips + 2);
  if (Engine) {
    Engine->SetPosition(146, 25);
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

void CompleteIndicator::Save() {
  LParams& p = Params();
  double ex = Engine ? Engine->x : 146, ey = Engine ? Engine->y : 25;
  double vx = Engine ? Engine->Vx : 0;
  int32_t frame = Engine ? Engine->cFrame : 0;
  p.Double(kPrefix, "DeltaPercent", DeltaPercent, kSave);
  p.Double(kPrefix, "Percent", Percent, kSave);
  p.Double(kPrefix, "x", ex, kSave);
  p.Double(kPrefix, "y", ey, kSave);
  p.Double(kPrefix, "Vx", vx, kSave);
  p.Long(kPrefix, "Frame", frame, kSave);
  p.Long(kPrefix, "iState", iState, kSave);
  p.Long(kPrefix, "WaitCounter", WaitCounter, kSave);
  p.Double(kPrefix, "SaveV", SaveV, kSave);
  p.Bool(kPrefix, "NeedShow", NeedShow, kSave);
}

bool CompleteIndicator::Load() {
  LParams& p = Params();
  double ex = Engine ? Engine->x : 146, ey = Engine ? Engine->y : 25;
  double vx = Engine ? Engine->Vx : 0;
  int32_t frame = Engine ? Engine->cFrame : 0;
  bool ok = p.Double(kPrefix, "DeltaPercent", DeltaPercent, kLoad);
  ok = p.Double(kPrefix, "Percent", Percent, kLoad) && ok;
  ok = p.Double(kPrefix, "x", ex, kLoad) && ok;
  ok = p.Double(kPrefix, "y", ey, kLoad) && ok;
  ok = p.Double(kPrefix, "Vx", vx, kLoad) && ok;
  ok = p.Long(kPrefix, "Frame", frame, kLoad) && ok;
  ok = p.Long(kPrefix, "iState", iState, kLoad) && ok;
  ok = p.Long(kPrefix, "WaitCounter", WaitCounter, kLoad) && ok;
  ok = p.Double(kPrefix, "SaveV", SaveV, kLoad) && ok;
  ok = p.Bool(kPrefix, "NeedShow", NeedShow, kLoad) && ok;
  if (Engine) {
    Engine->SetPosition(ex, ey);
    Engine->Vx = vx;
    Engine->Vy = 0;
    Engine->SetFrame(frame);
  }
  Sanitise();
  RefreshPile();
  return ok;
}

// Values read from a damaged save must not stall or break the indicator: each bad
// one goes back to the value of a fresh level, with one line in the log.
void CompleteIndicator::Sanitise() {
  bool bad = false;
  auto reset = [&bad](auto& value, auto fresh) {
    value = fresh;
    bad = true;
  };
  if (!std::isfinite(DeltaPercent) || DeltaPercent <= 0 || DeltaPercent > 50)
    reset(DeltaPercent, 50.0);
  if (!std::isfinite(Percent) || Percent < 0) reset(Percent, 0.0);
  if (Percent > 100) reset(Percent, 100.0);
  if (iState != 0 && iState != 1) reset(iState, 0);
  if (WaitCounter < 0 || WaitCounter > kStopTime) reset(WaitCounter, 0);
  if (Engine &&
      (!std::isfinite(Engine->x) || !std::isfinite(Engine->y) || !std::isfinite(Engine->Vx))) {
    Engine->SetPosition(146, 25);
    reset(Engine->Vx, 0.0);  // set off again below when travelling
  }
  // A standing engine must set off again, a travelling one must move.
  if (!std::isfinite(SaveV) || (iState == 1 && SaveV <= 0)) reset(SaveV, kSpeed);
  if (Engine && iState == 0 && Percent < 100 && Engine->Vx == 0) reset(Engine->Vx, kSpeed);
  if (bad) std::fprintf(stderr, "Error. CompleteIndicator::Load. Bad values reset.\n");
}
