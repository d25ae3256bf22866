// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Junction.h"

#include <cstdio>

namespace {

constexpr int kSwitchDepth = 1090;
const int kSignalOffsetX[4] = {-2, 12, 15, -14};
const int kSignalOffsetY[4] = {-6, -1, 8, 6};
const int kSignalBase[4] = {6, 0, 2, 4};

struct PairFrame {
  int active, another, frame;
};
const PairFrame kPairFrames[] = {
    {3, 2, 0},   {2, 3, 1},   {9, 10, 2},  {10, 9, 3},  {6, 5, 4},   {5, 6, 5},
    {0, 1, 6},   {1, 0, 7},   {9, 8, 8},   {8, 9, 9},   {3, 4, 10},  {4, 3, 11},
    {0, 11, 12}, {11, 0, 13}, {6, 7, 14},  {7, 6, 15},  {4, 2, 16},  {2, 4, 17},
    {8, 10, 18}, {10, 8, 19}, {11, 1, 20}, {1, 11, 21}, {5, 7, 22},  {7, 5, 23}};

bool ValidSide(int side) { return side >= 0 && side < 4; }

}  // namespace

int SwitchFrame(int active, int another) {
  for (const PairFrame& p : kPairFrames) {
    if (p.active == active && p.another == another) return p.frame;
  }
  return 0;
}

Junction::Junction(int index, FieldSprites* sprites, FieldHost* host)
    : index_(index), sprites_(sprites), host_(host) {
  rail::Point p = rail::JunctionPos(index);
  x_ = p.x;
  y_ = p.y;
  Reset();
}

Junction::~Junction() {
  for (int s = 0; s < 4; ++s) RemoveSwitchPicture(s);
  RemoveSignals();
}

void Junction::Reset() {
  for (int s = 0; s < 4; ++s) RemoveSwitchPicture(s);
  RemoveSignals();
  ends_.fill(kEndNone);
  switches_.fill(Switch{});
  signals_.fill(Signal{});
  town_ = -1;
  townOnLeft_ = true;
  crossings.fill(rail::Place{-1, -1, -1});
}

void Junction::SetEnd(int d, int state) {
  if (rail::ValidDirection(d)) ends_[d] = state;
}

bool Junction::AcceptsEnd(int d) const {
  int side = rail::SideOf(d);
  return side >= 0 && switches_[side].state == kSwitchNone;
}

bool Junction::HasSwitch(int side) const {
  return ValidSide(side) && switches_[side].state != kSwitchNone;
}

bool Junction::SwitchAgainst(int arrivingDirection) const {
  int entry = rail::Opposite(arrivingDirection);
  int side = rail::SideOf(entry);
  if (side < 0) return false;
  const Switch& sw = switches_[side];
  return sw.state == kSwitchWorking && sw.active != entry;
}

bool Junction::IsCrossing() const {
  bool vertical = false;
  bool horizontal = false;
  for (int d = 0; d < 12; ++d) {
    if (ends_[d] == kEndNone) continue;
    int side = rail::SideOf(d);
    if (side == 0 || side == 2) vertical = true;
    else horizontal = true;
  }
  return vertical && horizontal;
}

bool Junction::SideHasActiveEnd(int side, int* first) const {
  for (int k = 0; k < 3; ++k) {
    int d = rail::SideDirection(side, k);
    if (ends_[d] == kEndBuilding || ends_[d] == kEndBuilt) {
      if (first) *first = d;
      return true;
    }
  }
  return false;
}

void Junction::RemoveSignals() {
  for (Signal& sig : signals_) {
    if (sig.picture && sprites_) sprites_->Remove(sig.picture);
    sig.picture = nullptr;
    sig.state = kSignalNone;
  }
}

void Junction::RemoveSwitchPicture(int side) {
  Switch& sw = switches_[side];
  if (sw.picture && sprites_) sprites_->Remove(sw.picture);
  sw.picture = nullptr;
}

void Junction::PlaceSignal(int side) {
  Signal& sig = signals_[side];
  if (!sig.picture && sprites_) {
    sig.picture = sprites_->Create(clip::Semaphore, false);
    double sy = y_ + kSignalOffsetY[side];
    sig.picture->SetPos(x_ + kSignalOffsetX[side], sy);
    sig.picture->SetZ(static_cast<int>(-2 * sy));
  }
  sig.state = kSignalPlaced;
  if (sig.picture) sig.picture->Show(false);
}

void Junction::ShowSwitchFrame(int side) {
  Switch& sw = switches_[side];
  if (!sw.picture) return;
  sw.picture->SetFrame(SwitchFrame(sw.active, sw.another));
  sw.picture->Show(sw.state == kSwitchWorking);
}

void Junction::ShowSignalFrame(int side) {
  Signal& sig = signals_[side];
  if (!sig.picture) return;
  bool shown = sig.state == kSignalGreen || sig.state == kSignalRed;
  sig.picture->SetFrame(kSignalBase[side] + (sig.state == kSignalRed ? 1 : 0));
  sig.picture->Show(shown);
}

void Junction::RecreateSwitchPicture(int side, bool shortPicture) {
  if (!ValidSide(side) || !sprites_) return;
  RemoveSwitchPicture(side);
  Switch& sw = switches_[side];
  sw.shortPicture = shortPicture;
  sw.picture = sprites_->Create(shortPicture ? clip::ShortSwitches : clip::Switches, false);
  sw.picture->SetPos(x_, y_);
  sw.picture->SetZ(kSwitchDepth);
  ShowSwitchFrame(side);
}

void Junction::BeginLine(int d, bool newIsActive) {
  int s = rail::SideOf(d);
  if (s < 0 || switches_[s].state != kSwitchNone) return;
  int existing = -1;
  if (SideHasActiveEnd(s, &existing)) {
    Switch& sw = switches_[s];
    sw.active = newIsActive ? d : existing;
    sw.another = newIsActive ? existing : d;
    sw.state = kSwitchPending;
    RecreateSwitchPicture(s, false);
    RemoveSignals();
    ends_[d] = kEndBuilding;
    return;
  }
  if (SideHasActiveEnd((s + 1) % 4, nullptr) || SideHasActiveEnd((s + 3) % 4, nullptr)) {
    RemoveSignals();
  }
  int so = rail::OppositeSide(s);
  int arcA = rail::SideDirection(so, 0);
  int arcB = rail::SideDirection(so, 2);
  bool arcBeyond = ends_[arcA] >= kEndBuilding || ends_[arcB] >= kEndBuilding;
  if (arcBeyond) {
    if (switches_[so].state != kSwitchNone) {
      ends_[d] = kEndBuilding;
      return;
    }
    PlaceSignal(so);
  }
  if (!SideHasActiveEnd(so, nullptr) || rail::IsStraight(d)) {
    ends_[d] = kEndBuilding;
    return;
  }
  PlaceSignal(s);
  ends_[d] = kEndBuilding;
}

void Junction::EndLine(int d) {
  if (!rail::ValidDirection(d)) return;
  if (ends_[d] != kEndBuilding) {
    std::fputs("Error. void Junction::EndLine(int iDirection): Activate non building line.\n",
               stderr);
  }
  ends_[d] = kEndBuilt;
  for (int s = 0; s < 4; ++s) {
    if (signals_[s].state == kSignalPlaced) {
      signals_[s].state = kSignalGreen;
      ShowSignalFrame(s);
    }
  }
  int side = rail::SideOf(d);
  Switch& sw = switches_[side];
  if (sw.state != kSwitchPending) return;
  for (int k = 0; k < 3; ++k) {
    if (ends_[rail::SideDirection(side, k)] == kEndBuilding) return;
  }
  sw.state = kSwitchWorking;
  ShowSwitchFrame(side);
}

int Junction::RouteExit(int exitSide, int arrival, bool stopAtRed, bool ignoreSwitch) const {
  if (exitSide == -1) {
    for (int s = 0; s < 4; ++s) {
      int r = RouteExit(s, arrival, true, false);
      if (r != -1) return r;
    }
    return -1;
  }
  if (!ValidSide(exitSide)) return -1;
  int entry = rail::OppositeSide(exitSide);
  const Switch& in = switches_[entry];
  if (!ignoreSwitch && arrival != -1 && in.state == kSwitchWorking &&
      in.active != rail::Opposite(arrival)) {
    return -1;
  }
  const Switch& out = switches_[exitSide];
  if (out.state == kSwitchWorking) return out.active;
  if (stopAtRed && signals_[entry].state == kSignalRed) return -1;
  for (int k = 0; k < 3; ++k) {
    int d = rail::SideDirection(exitSide, k);
    if (ends_[d] == kEndBuilt) return d;
  }
  return -1;
}

void Junction::ToggleSwitch(int side) {
  if (!ValidSide(side)) return;
  Switch& sw = switches_[side];
  if (sw.state == kSwitchWorking && !sw.lock) {
    std::swap(sw.active, sw.another);
    ShowSwitchFrame(side);
    if (host_) host_->PlaySound(snd::Switch);
  } else if (host_) {
    host_->PlaySound(snd::SwitchLock);
  }
}

void Junction::ToggleSignal(int side) {
  if (!ValidSide(side)) return;
  Signal& sig = signals_[side];
  if (sig.state != kSignalGreen && sig.state != kSignalRed) return;
  sig.state = sig.state == kSignalGreen ? kSignalRed : kSignalGreen;
  ShowSignalFrame(side);
  if (host_) host_->PlaySound(snd::Light);
}

// Hidden pictures count too: a switch still under construction answers with "SwitchLock",
// a signal not yet active takes the click without changing.
bool Junction::ClickJunction(int x, int y) {
  for (int s = 0; s < 4; ++s) {
    FieldSprite* pic = switches_[s].picture;
    if (pic && pic->Covers(x, y)) {
      ToggleSwitch(s);
      return true;
    }
  }
  for (int s = 0; s < 4; ++s) {
    FieldSprite* pic = signals_[s].picture;
    if (pic && pic->Covers(x, y)) {
      ToggleSignal(s);
      return true;
    }
  }
  return false;
}

void Junction::Lock(int d) {
  int side = rail::SideOf(d);
  if (side < 0) return;
  switches_[side].lock = true;
  switches_[rail::OppositeSide(side)].lock = true;
}

void Junction::ClearLocks() {
  for (Switch& sw : switches_) sw.lock = false;
}

void Junction::SetSwitch(int side, int active, int another) {
  if (!ValidSide(side)) return;
  Switch& sw = switches_[side];
  sw.active = active;
  sw.another = another;
  sw.state = kSwitchWorking;
  if (!sw.picture) RecreateSwitchPicture(side, sw.shortPicture);
  ShowSwitchFrame(side);
}

void Junction::SetSignal(int side, bool red) {
  if (!ValidSide(side)) return;
  if (!signals_[side].picture) PlaceSignal(side);
  signals_[side].state = red ? kSignalRed : kSignalGreen;
  ShowSignalFrame(side);
}

void Junction::AttachTown(int town, bool onTheLeft) {
  town_ = town;
  townOnLeft_ = onTheLeft;
}
