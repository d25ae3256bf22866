// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared test rig: a recording host, headless sprites and a field, plus layouts.
#include <string>
#include <vector>

#include "core/Random.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"

struct RecordingHost : FieldHost {
  struct TipCall {
    int number, x, y;
    std::string text;
  };
  void ChangeMoney(int delta) override {
    money += delta;
    calls.push_back("ChangeMoney " + std::to_string(delta));
  }
  void Fine(unsigned amount) override {
    money -= static_cast<int>(amount);
    calls.push_back("Fine " + std::to_string(amount));
  }
  void CountDeliveredTrain() override {
    ++delivered;
    calls.push_back("CountDeliveredTrain");
  }
  void PostMessage(const std::string& text, bool important) override {
    messages.push_back(text);
    calls.push_back(std::string("Message ") + (important ? "! " : "") + text);
  }
  bool TipAllowed(int) override { return tipsAllowed; }
  void ShowTip(int number, int x, int y, const std::string& text) override {
    tips.push_back({number, x, y, text});
  }
  bool PlaceTip(int, int, int) override { return tipsAllowed; }
  double Progress() override { return progress; }
  bool TakeCatchUpRequest() override {
    bool r = catchUp;
    catchUp = false;
    return r;
  }
  void PlaySound(int index) override { sounds.push_back(index); }
  void SwitchLocked(int x, int y) override { locks.push_back({x, y}); }

  bool Said(const std::string& text) const {
    for (const auto& m : messages) {
      if (m == text) return true;
    }
    return false;
  }
  int SoundCount(int index) const {
    int n = 0;
    for (int s : sounds) n += s == index;
    return n;
  }
  bool TipShown(int number) const {
    for (const auto& t : tips) {
      if (t.number == number) return true;
    }
    return false;
  }

  int money = 0;
  int delivered = 0;
  bool tipsAllowed = true;
  double progress = 0;
  bool catchUp = false;
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  std::vector<TipCall> tips;
  std::vector<int> sounds;
  std::vector<rail::Point> locks;  // where refused switches were
};

struct Rig {
  Rig() : field(&sprites, &host) {
    rnd::SetRunSeed(7);
    // One tree far off the field, so that no random forest is planted.
    field.NewLevel(0, 0, 17, 3, {{2000, 2000, 0, -1}}, {}, 95);
  }
  void BuildAll() {
    for (int i = 0; i < 2000 && !field.AllTracksBuilt(); ++i) field.BuildStep(300);
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      field.FieldUpdate(20);
      sprites.Advance(20);
    }
  }
  // Two towns joined by a straight diagonal line: yellow at the left (junction 8,
  // entered at 17) and red at the right (junction 119, entered at 110).
  void DiagonalLine() {
    field.AddTown(0, 17, 3);
    LayLevelTracks(field, "17,3 25,3 34,3 42,3 51,3 59,3 68,3 76,3 85,3 93,3 102,3");
    field.AddTown(1, 110, 3);
    BuildAll();
  }
  const Train* Only() const {
    return field.Trains().size() == 1 ? field.Trains()[0].get() : nullptr;
  }

  HeadlessSprites sprites;
  RecordingHost host;
  Field field;
};

// Runs frames until the predicate holds; false when it never did.
template <typename Pred>
bool RunUntil(Rig& rig, Pred pred, int maxFrames = 20000) {
  for (int i = 0; i < maxFrames; ++i) {
    rig.Frames(1);
    if (pred()) return true;
  }
  return false;
}
