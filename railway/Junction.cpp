// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Junction.h"

#include <atomic>
#include <cstdio>

namespace {

// Four sides of three directions each; a side's directions are scanned arc, straight, arc.
constexpr int kSides = 4;
constexpr int kDirections = 12;
constexpr int kPerSide = 3;
constexpr int kFirstArc = 0;
constexpr int kLastArc = 2;

// A signal stands beside the junction, at an offset of its own for each side.
const int kSignalOffsetX[kSides] = {-2, 12, 15, -14};
const int kSignalOffsetY[kSides] = {-6, -1, 8, 6};
// The signal picture holds a green and a red frame for each side, green first.
const int kSignalBase[kSides] = {6, 0, 2, 4};
constexpr int kRedFrame = 1;

// Frame of the switch picture for each (active, another) pair of a side.
struct PairFrame {
  int active, another, frame;
};
const PairFrame kPairFrames[] = {{3, 2, 0},   {2, 3, 1},   {9, 10, 2},  {10, 9, 3},  {6, 5, 4},
                                 {5, 6, 5},   {0, 1, 6},   {1, 0, 7},   {9, 8, 8},   {8, 9, 9},
                                 {3, 4, 10},  {4, 3, 11},  {0, 11, 12}, {11, 0, 13}, {6, 7, 14},
                                 {7, 6, 15},  {4, 2, 16},  {2, 4, 17},  {8, 10, 18}, {10, 8, 19},
                                 {11, 1, 20}, {1, 11, 21}, {5, 7, 22},  {7, 5, 23}};

// Switches and signals are what the player aims at: they draw in front of the houses,
// trees and trains around them, which sort by twice their height on screen and so stay
// behind depth -1160 on the field, and behind the lock mark, the track preview and the
// explosions. Among themselves the lower stands in front, a signal before a switch.
constexpr int kControlDepth = -1160;
constexpr int kControlPixelsPerStep = 20;
constexpr int kScreenBottom = 599;  // the last pixel row of the screen
constexpr int SwitchDepth(int y) { return kControlDepth - y / kControlPixelsPerStep; }
constexpr int SignalDepth(int y) { return kControlDepth - 1 - y / kControlPixelsPerStep; }
static_assert(SignalDepth(kScreenBottom) > kControlMarkDepth);

bool ValidSide(int side) { return side >= 0 && side < kSides; }
// The sides to the left and right of a side: lines through them cross its line.
int NextSide(int side) { return (side + 1) % kSides; }
int PreviousSide(int side) { return (side + kSides - 1) % kSides; }

std::atomic<uint64_t> changeCount{0};

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

uint64_t Junction::NewestChange() { return changeCount.load(std::memory_order_relaxed); }

void Junction::Changed() { changes_ = changeCount.fetch_add(1, std::memory_order_relaxed) + 1; }

Junction::~Junction() {
  for (int s = 0; s < kSides; ++s) RemoveSwitchPicture(s);
  RemoveSignals();
}

void Junction::Reset() {
  Changed();
  for (int s = 0; s < kSides; ++s) RemoveSwitchPicture(s);
  RemoveSignals();
  ends_.fill(EndState::kNone);
  switches_.fill(Switch{});
  signals_.fill(Signal{});
  town_ = -1;
  townOnLeft_ = true;
  crossings.fill(rail::Place{-1, -1, -1});
}

void Junction::SetEnd(int d, EndState state) {
  if (!rail::ValidDirection(d)) return;
  ends_[d] = state;
  Changed();
}

// A side with a switch takes no third track: a switch has two branches.
bool Junction::AcceptsEnd(int d) const {
  int side = rail::SideOf(d);
  return side >= 0 && switches_[side].state == SwitchState::kNone;
}

bool Junction::HasSwitch(int side) const {
  return ValidSide(side) && switches_[side].state != SwitchState::kNone;
}

// The track arrives here in the opposite of the direction it left its other end in.
bool Junction::SwitchAgainst(int arrivingDirection) const {
  int entry = rail::Opposite(arrivingDirection);
  int side = rail::SideOf(entry);
  if (side < 0) return false;
  const Switch& sw = switches_[side];
  return sw.state == SwitchState::kWorking && sw.active != entry;
}

// Sides 0 and 2 carry one line through the junction, sides 1 and 3 the other; with ends
// on both, two lines cross here.
bool Junction::IsCrossing() const {
  bool vertical = false;
  bool horizontal = false;
  for (int d = 0; d < kDirections; ++d) {
    if (ends_[d] == EndState::kNone) continue;
    int side = rail::SideOf(d);
    if (side == 0 || side == 2)
      vertical = true;
    else
      horizontal = true;
  }
  return vertical && horizontal;
}

// Some direction of the side has a track end under construction or built (a reserved
// end does not count); first gets the first such in scan order.
bool Junction::SideHasActiveEnd(int side, int* first) const {
  for (int k = 0; k < kPerSide; ++k) {
    int d = rail::SideDirection(side, k);
    if (ends_[d] == EndState::kBuilding || ends_[d] == EndState::kBuilt) {
      if (first) *first = d;
      return true;
    }
  }
  return false;
}

void Junction::RemoveSignals() {
  Changed();
  for (Signal& sig : signals_) {
    if (sig.picture && sprites_) sprites_->Remove(sig.picture);
    sig.picture = nullptr;
    sig.state = SignalState::kNone;
  }
}

void Junction::RemoveSwitchPicture(int side) {
  Switch& sw = switches_[side];
  if (sw.picture && sprites_) sprites_->Remove(sw.picture);
  sw.picture = nullptr;
  Changed();
}

void Junction::PlaceSignal(int side) {
  Changed();
  Signal& sig = signals_[side];
  if (!sig.picture && sprites_) {
    sig.picture = sprites_->Create(clip::Semaphore, false);
    int sy = y_ + kSignalOffsetY[side];
    sig.picture->SetPos(x_ + kSignalOffsetX[side], sy);
    sig.picture->SetZ(SignalDepth(sy));
  }
  sig.state = SignalState::kPlaced;
  if (sig.picture) sig.picture->Show(false);
}

void Junction::ShowSwitchFrame(int side) {
  Changed();
  Switch& sw = switches_[side];
  if (!sw.picture) return;
  sw.picture->SetFrame(SwitchFrame(sw.active, sw.another));
  sw.picture->Show(sw.state == SwitchState::kWorking);
}

void Junction::ShowSignalFrame(int side) {
  Changed();
  Signal& sig = signals_[side];
  if (!sig.picture) return;
  bool shown = sig.state == SignalState::kGreen || sig.state == SignalState::kRed;
  sig.picture->SetFrame(kSignalBase[side] + (sig.state == SignalState::kRed ? kRedFrame : 0));
  sig.picture->Show(shown);
}

void Junction::RecreateSwitchPicture(int side, bool shortPicture) {
  Changed();
  if (!ValidSide(side) || !sprites_) return;
  RemoveSwitchPicture(side);
  Switch& sw = switches_[side];
  sw.shortPicture = shortPicture;
  sw.picture = sprites_->Create(shortPicture ? clip::ShortSwitches : clip::Switches, false);
  sw.picture->SetPos(x_, y_);
  sw.picture->SetZ(SwitchDepth(y_));
  ShowSwitchFrame(side);
}

// A track end is laid at direction d. The junction decides here whether the new end
// makes a switch (a second track on the same side) or a signal (a curve joining a line
// that runs on through the junction), and marks the end as under construction.
void Junction::BeginLine(int d, bool newIsActive) {
  Changed();
  int s = rail::SideOf(d);
  if (s < 0 || switches_[s].state != SwitchState::kNone) return;
  int existing = -1;
  // A second track on the side: a switch, pending until both tracks are built. A track
  // the player lays joins as the other branch, so the running line keeps its way; one
  // laid quietly (a town's track) becomes the active branch. A junction with a switch
  // has no signals: the switch governs it.
  if (SideHasActiveEnd(s, &existing)) {
    Switch& sw = switches_[s];
    sw.active = newIsActive ? d : existing;
    sw.another = newIsActive ? existing : d;
    sw.state = SwitchState::kPending;
    RecreateSwitchPicture(s, false);
    RemoveSignals();
    ends_[d] = EndState::kBuilding;
    return;
  }
  // The first end on its side. A line already through the two other sides makes this a
  // crossing of two lines, which has no signals.
  if (SideHasActiveEnd(NextSide(s), nullptr) || SideHasActiveEnd(PreviousSide(s), nullptr)) {
    RemoveSignals();
  }
  // A curve already leaves through the opposite side: the new end continues it, and
  // trains coming off that curve get a signal (unless a switch there governs them).
  int so = rail::OppositeSide(s);
  int arcA = rail::SideDirection(so, kFirstArc);
  int arcB = rail::SideDirection(so, kLastArc);
  bool arcBeyond = ends_[arcA] >= EndState::kBuilding || ends_[arcB] >= EndState::kBuilding;
  if (arcBeyond) {
    if (switches_[so].state != SwitchState::kNone) {
      ends_[d] = EndState::kBuilding;
      return;
    }
    PlaceSignal(so);
  }
  // Nothing beyond, or a straight continuing it: no signal for this side.
  if (!SideHasActiveEnd(so, nullptr) || rail::IsStraight(d)) {
    ends_[d] = EndState::kBuilding;
    return;
  }
  // A curve joining a line that goes on through the opposite side: trains coming off
  // the new curve get a signal too.
  PlaceSignal(s);
  ends_[d] = EndState::kBuilding;
}

// The track end at d is finished. Signals placed meanwhile go green and show; a pending
// switch starts working once none of its side's ends is still under construction.
void Junction::EndLine(int d) {
  if (!rail::ValidDirection(d)) return;
  Changed();
  if (ends_[d] != EndState::kBuilding) {
    std::fputs("Error. void Junction::EndLine(int iDirection): Activate non building line.\n",
               stderr);
  }
  ends_[d] = EndState::kBuilt;
  for (int s = 0; s < kSides; ++s) {
    if (signals_[s].state == SignalState::kPlaced) {
      signals_[s].state = SignalState::kGreen;
      ShowSignalFrame(s);
    }
  }
  int side = rail::SideOf(d);
  Switch& sw = switches_[side];
  if (sw.state != SwitchState::kPending) return;
  for (int k = 0; k < kPerSide; ++k) {
    if (ends_[rail::SideDirection(side, k)] == EndState::kBuilding) return;
  }
  sw.state = SwitchState::kWorking;
  ShowSwitchFrame(side);
}

// Where a train leaves this junction through exitSide, having arrived on the track of
// direction `arrival` (as seen from the junction it came from; -1 when it starts here).
// -1 when it cannot go on. ignoreSwitch skips the test of the entry side's switch (the
// cars behind a train follow its locomotive whatever that switch shows now).
int Junction::RouteExit(int exitSide, int arrival, bool stopAtRed, bool ignoreSwitch) const {
  // No side given (a train leaving its town): the first side that has a way out.
  if (exitSide == -1) {
    for (int s = 0; s < kSides; ++s) {
      int r = RouteExit(s, arrival, true, false);
      if (r != -1) return r;
    }
    return -1;
  }
  if (!ValidSide(exitSide)) return -1;
  // Arriving through the branch a working switch does not lead to: the train would run
  // against the blades.
  int entry = rail::OppositeSide(exitSide);
  const Switch& in = switches_[entry];
  if (!ignoreSwitch && arrival != -1 && in.state == SwitchState::kWorking &&
      in.active != rail::Opposite(arrival)) {
    return -1;
  }
  // A switch on the exit side chooses the way; it governs the junction, so a signal does
  // not stop the train here.
  const Switch& out = switches_[exitSide];
  if (out.state == SwitchState::kWorking) return out.active;
  if (stopAtRed && signals_[entry].state == SignalState::kRed) return -1;
  // Otherwise the one built track of the exit side (the first in scan order).
  for (int k = 0; k < kPerSide; ++k) {
    int d = rail::SideDirection(exitSide, k);
    if (ends_[d] == EndState::kBuilt) return d;
  }
  return -1;
}

void Junction::ToggleSwitch(int side) {
  if (!ValidSide(side)) return;
  Switch& sw = switches_[side];
  if (sw.state == SwitchState::kWorking && !sw.lock) {
    std::swap(sw.active, sw.another);
    ShowSwitchFrame(side);
    if (host_) host_->PlaySound(snd::Switch);
  } else if (host_) {
    // A switch still under construction is refused too, but only a train's hold is
    // worth showing: the player sees no switch there yet.
    if (sw.state == SwitchState::kWorking) host_->SwitchLocked(x_, y_);
    host_->PlaySound(snd::SwitchLock);
  }
}

void Junction::ToggleSignal(int side) {
  if (!ValidSide(side)) return;
  Signal& sig = signals_[side];
  if (sig.state != SignalState::kGreen && sig.state != SignalState::kRed) return;
  sig.state = sig.state == SignalState::kGreen ? SignalState::kRed : SignalState::kGreen;
  ShowSignalFrame(side);
  if (host_) host_->PlaySound(snd::Light);
}

// Hidden pictures count too: a switch still under construction answers with "SwitchLock",
// a signal not yet active takes the click without changing. Switches are tried before
// signals, each in side order; the first picture under the point takes the click.
bool Junction::ClickJunction(int x, int y) {
  for (int s = 0; s < kSides; ++s) {
    FieldSprite* pic = switches_[s].picture;
    if (pic && pic->Covers(x, y)) {
      ToggleSwitch(s);
      return true;
    }
  }
  for (int s = 0; s < kSides; ++s) {
    FieldSprite* pic = signals_[s].picture;
    if (pic && pic->Covers(x, y)) {
      ToggleSignal(s);
      return true;
    }
  }
  return false;
}

// A train passing through the side of d (and so through the opposite side) holds both
// switches in place until the next movement step clears the locks.
void Junction::Lock(int d) {
  int side = rail::SideOf(d);
  if (side < 0) return;
  switches_[side].lock = true;
  switches_[rail::OppositeSide(side)].lock = true;
}

void Junction::ClearLocks() {
  for (Switch& sw : switches_) sw.lock = false;
}

void Junction::TakeLocksOf(const Junction& other) {
  for (size_t side = 0; side < switches_.size(); ++side)
    switches_[side].lock = other.switches_[side].lock;
}

void Junction::SetSwitch(int side, int active, int another) {
  if (!ValidSide(side)) return;
  Changed();
  Switch& sw = switches_[side];
  sw.active = active;
  sw.another = another;
  sw.state = SwitchState::kWorking;
  if (!sw.picture) RecreateSwitchPicture(side, sw.shortPicture);
  ShowSwitchFrame(side);
}

void Junction::SetSignal(int side, bool red) {
  if (!ValidSide(side)) return;
  Changed();
  if (!signals_[side].picture) PlaceSignal(side);
  signals_[side].state = red ? SignalState::kRed : SignalState::kGreen;
  ShowSignalFrame(side);
}

void Junction::AttachTown(int town, bool onTheLeft) {
  Changed();
  town_ = town;
  townOnLeft_ = onTheLeft;
}
