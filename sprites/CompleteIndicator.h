// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of a level: a small shunting engine shuttles between the warehouse
// and the right edge of the top bar, each half trip adding a fixed share to the
// percentage, while the pile of crates at the warehouse shrinks.
#include <array>
#include <cstdint>

#include "core/ValueStore.h"

class LClip;
class LEngine;
class FineSink;

class CompleteIndicator {
 public:
  static constexpr int kCrateCount = 7;

  // Creates the engine and the crates and adds them, hidden, to owner.
  explicit CompleteIndicator(LEngine* owner);
  // Removes the sprites from the owner, which must still exist.
  virtual ~CompleteIndicator();
  CompleteIndicator(const CompleteIndicator&) = delete;
  CompleteIndicator& operator=(const CompleteIndicator&) = delete;

  // Starts a level lasting minutes; game is fined at each stop (may be none).
  void Start(int32_t minutes, FineSink* game);
  // Once per frame with the elapsed milliseconds; visible shows the engine.
  virtual void Update(int32_t dt, bool visible);
  // The progress in percent, growing with the engine's position; at most 100.
  double GetProgress() const;

  // Writes or reads the state under "CompleteIndicator." in the store. Load takes the
  // run only into an indicator started for the saved level, and refuses (false, one log
  // line) a run that level cannot give.
  void Save(core::ValueStore& store);
  bool Load(core::ValueStore& store);
  // Takes up where the other indicator's run stands, to the last bit (a copy of a running
  // game, whose restore ran this one on meanwhile).
  void TakeRunOf(const CompleteIndicator& other);

  LEngine* Owner;
  double Percent = 0.0;
  LClip* Engine = nullptr;
  std::array<LClip*, kCrateCount> Crates{};
  std::array<LClip*, kCrateCount> Stacks{};
  int32_t iState = 0;  // 0 travelling, 1 standing at the warehouse
  int32_t WaitCounter = 0;
  double SaveV = 0.0;
  bool NeedShow = true;
  double DeltaPercent = 50.0;
  FineSink* Game = nullptr;

 private:
  void Travel();
  void SetEngineFrame();
  void RefreshPile();
  struct SavedRun;
  static bool Exchange(core::ValueStore& store, SavedRun& run, int direction);
  SavedRun Current() const;
  void Apply(const SavedRun& run);
  bool Possible(const SavedRun& run, double levelDelta) const;
};
