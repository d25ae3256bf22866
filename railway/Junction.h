// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One node of the field's grid: its track ends, the switch and the signal of each side,
// the town attached to it and its two pairs of arc crossing places.
#include <array>
#include <cstdint>

#include "railway/FieldHost.h"
#include "railway/FieldSprites.h"
#include "railway/Geometry.h"

// A track end at one of the junction's directions, in the order it passes through:
// none; reserved for the track of the next town; under construction; built (only built
// ends carry trains).
enum class EndState { kNone, kReserved, kBuilding, kBuilt };
// The switch of a side: none; pending while a second track on the side is still under
// construction; working once all its tracks are built.
enum class SwitchState { kNone, kPending, kWorking };
// The signal of a side: none; placed but hidden until the next track end is finished;
// green (trains pass) or red (trains stop), as the player sets it.
enum class SignalState { kNone, kPlaced, kGreen, kRed };

class Junction {
 public:
  struct Switch {
    bool lock = false;
    int active = -1;
    int another = -1;
    SwitchState state = SwitchState::kNone;
    bool shortPicture = false;
    FieldSprite* picture = nullptr;
  };
  struct Signal {
    SignalState state = SignalState::kNone;
    FieldSprite* picture = nullptr;
  };

  Junction(int index, FieldSprites* sprites, FieldHost* host);
  ~Junction();
  Junction(const Junction&) = delete;
  Junction& operator=(const Junction&) = delete;

  // Back to a bare node: no ends, switches, signals, town or crossings.
  void Reset();

  int Index() const { return index_; }
  int X() const { return x_; }
  int Y() const { return y_; }

  EndState End(int d) const { return rail::ValidDirection(d) ? ends_[d] : EndState::kNone; }
  void SetEnd(int d, EndState state);
  bool HasEnd(int d) const { return End(d) != EndState::kNone; }
  bool AcceptsEnd(int d) const;
  bool HasSwitch(int side) const;
  const Switch& SwitchAt(int side) const { return switches_[side & 3]; }
  const Signal& SignalAt(int side) const { return signals_[side & 3]; }
  // The side the track arriving in direction d (seen from its other end) enters through
  // has a working switch set to another branch.
  bool SwitchAgainst(int arrivingDirection) const;
  bool IsCrossing() const;

  void BeginLine(int d, bool newIsActive);
  void EndLine(int d);
  int RouteExit(int exitSide, int arrival, bool stopAtRed, bool ignoreSwitch) const;
  void ToggleSwitch(int side);
  void ToggleSignal(int side);
  bool ClickJunction(int x, int y);
  void Lock(int d);
  void ClearLocks();
  // The locks the trains set on the other junction, taken up (a copy of a running field).
  void TakeLocksOf(const Junction& other);

  void SetSwitch(int side, int active, int another);
  void SetSignal(int side, bool red);
  // Creates the switch picture again so that it draws above newer track.
  void RecreateSwitchPicture(int side, bool shortPicture);

  void AttachTown(int town, bool onTheLeft);
  int Town() const { return town_; }
  bool TownOnLeft() const { return townOnLeft_; }

  // Stamped anew, from one count shared by every junction, at each change to the ends,
  // switches, signals, town or pictures (not the locks): a junction that shows the stamp
  // it showed before has not changed since.
  uint64_t Changes() const { return changes_; }
  // The newest stamp given to any junction: while it stands, no junction has changed.
  static uint64_t NewestChange();

  std::array<rail::Place, 4> crossings;

 private:
  bool SideHasActiveEnd(int side, int* first) const;
  void RemoveSignals();
  void PlaceSignal(int side);
  void ShowSwitchFrame(int side);
  void ShowSignalFrame(int side);
  void RemoveSwitchPicture(int side);
  void Changed();

  int index_;
  int x_;
  int y_;
  FieldSprites* sprites_;
  FieldHost* host_;
  std::array<EndState, 12> ends_{};
  std::array<Switch, 4> switches_{};
  std::array<Signal, 4> signals_{};
  int town_ = -1;
  bool townOnLeft_ = true;
  uint64_t changes_ = 0;
};

// The depth of a mark shown on a junction's switch (the lock mark): in front of every
// switch and signal, behind the track preview and the explosions.
constexpr int kControlMarkDepth = -1191;

// Frame of the switch picture for an (active, another) pair.
int SwitchFrame(int active, int another);
