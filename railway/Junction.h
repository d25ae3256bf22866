// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One node of the field's grid: its track ends, the switch and the signal of each side,
// the town attached to it and its two pairs of arc crossing places.
#include <array>

#include "railway/FieldHost.h"
#include "railway/FieldSprites.h"
#include "railway/Geometry.h"

enum EndState { kEndNone = 0, kEndReserved = 1, kEndBuilding = 2, kEndBuilt = 3 };
enum SwitchStateValue { kSwitchNone = 0, kSwitchPending = 1, kSwitchWorking = 2 };
enum SignalStateValue { kSignalNone = 0, kSignalPlaced = 1, kSignalGreen = 2, kSignalRed = 3 };

class Junction {
 public:
  struct Switch {
    bool lock = false;
    int active = -1;
    int another = -1;
    int state = kSwitchNone;
    bool shortPicture = false;
    FieldSprite* picture = nullptr;
  };
  struct Signal {
    int state = kSignalNone;
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

  int End(int d) const { return rail::ValidDirection(d) ? ends_[d] : kEndNone; }
  void SetEnd(int d, int state);
  bool HasEnd(int d) const { return End(d) != kEndNone; }
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

  void SetSwitch(int side, int active, int another);
  void SetSignal(int side, bool red);
  // Creates the switch picture again so that it draws above newer track.
  void RecreateSwitchPicture(int side, bool shortPicture);

  void AttachTown(int town, bool onTheLeft);
  int Town() const { return town_; }
  bool TownOnLeft() const { return townOnLeft_; }

  std::array<rail::Place, 4> crossings;

 private:
  bool SideHasActiveEnd(int side, int* first) const;
  void RemoveSignals();
  void PlaceSignal(int side);
  void ShowSwitchFrame(int side);
  void ShowSignalFrame(int side);
  void RemoveSwitchPicture(int side);

  int index_;
  int x_;
  int y_;
  FieldSprites* sprites_;
  FieldHost* host_;
  std::array<int, 12> ends_{};
  std::array<Switch, 4> switches_{};
  std::array<Signal, 4> signals_{};
  int town_ = -1;
  bool townOnLeft_ = true;
};

// Frame of the switch picture for an (active, another) pair.
int SwitchFrame(int active, int another);
