// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field played from the keyboard, the same on the in-game screen and in the headless
// session. The arrow keys move a selection ring from control to control: a control is
// one side of a junction with its working switch or its signal, since a junction may
// carry switches on two sides and each must be reachable on its own. Enter throws the
// selected switch (sets the signal of a side without one), S sets the signal, C calls
// the repair train to the damage nearest the ring, and H highlights for two seconds the
// switch or signal the autopilot would change next. Every key that acts becomes an
// ordinary action through Game::Apply (a click at the control's own click point), so
// replays and rewinds keep it. The ring and the highlight are made only once a key asks
// for them: a player who never presses these keys sees nothing new.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/Autopilot.h"
#include "game/ClickTargets.h"

class FieldSprite;
class FieldSprites;
class Game;

// One switch or signal on a side of a junction.
struct FieldControl {
  int junction = -1;
  int side = -1;
  bool signal = false;  // a side with no working switch: its signal
  bool operator==(const FieldControl&) const = default;
};

class KeyboardPlay {
 public:
  static constexpr int kHintMs = 2000;  // real time the highlight stays

  KeyboardPlay(Game& game, FieldSprites* sprites);
  ~KeyboardPlay();
  KeyboardPlay(const KeyboardPlay&) = delete;
  KeyboardPlay& operator=(const KeyboardPlay&) = delete;

  // The key as the screen receives it; true when it is one of these keys (it is used).
  bool OnKey(int key, int modifiers);
  // The frame's real elapsed time, paused, slowed or not: the highlight's clock.
  void Tick(int elapsedMs);
  // A new level: the selection and the highlight go.
  void NewLevel();
  // Where notes on what the keys did go (nullptr: nowhere).
  void SetLog(const AutopilotLog* log) { log_ = log; }

  // The control the autopilot would change next on the field as it stands, with the
  // point a click on it takes; nothing when it would change none. Changes nothing.
  std::optional<FieldControl> NextChange();

  // What a player sees.
  const std::optional<FieldControl>& Selected() const { return selected_; }
  const std::optional<FieldControl>& Hinted() const { return hinted_; }
  const FieldSprite* Ring() const { return ring_; }
  // The selected control's click point, where Enter and S click.
  int RingX() const { return ringX_; }
  int RingY() const { return ringY_; }
  const FieldSprite* HintMark() const { return mark_; }
  int HintLeft() const { return hintLeft_; }  // ms the highlight still stays

 private:
  struct Spot {
    FieldControl control;
    int x = 0, y = 0;  // its click point
  };
  // Every control a click can reach now, with its click point.
  std::vector<Spot> Controls();
  std::optional<Spot> SpotOf(const FieldControl& control);
  const FieldSprite* PictureOf(const FieldControl& control) const;
  // The control a picture belongs to.
  std::optional<FieldControl> ControlOf(const FieldSprite* picture) const;
  void Move(int dx, int dy);
  void Select(const Spot& spot);
  // Enter (signalOnly false) and S.
  void Press(bool signalOnly);
  void CallRepairTrain();
  void Hint();
  void Click(int x, int y, const std::string& what);
  void Say(const std::string& message);
  void Note(const std::string& text) const;
  // The picture, made the first time it is needed, at the point.
  FieldSprite* Place(FieldSprite*& sprite, int clip, int x, int y);
  void Hide(FieldSprite* sprite);
  // Where the ring and the highlight of the control go up and down the screen.
  static int MarkY(const Spot& spot);
  // The ring's point, or the middle of the field before there is one.
  void RingPoint(int& x, int& y) const;

  // The autopilot's hands while it only looks: the clicks are kept, not made.
  class Watcher : public PlayerHands {
   public:
    void LeftClick(int x, int y) override { clicks.push_back({x, y}); }
    void RightClick(int, int) override {}
    std::vector<std::pair<int, int>> clicks;
  };

  Game& game_;
  FieldSprites* sprites_;
  ClickTargets targets_;
  Watcher watcher_;
  std::unique_ptr<Autopilot> pilot_;  // made at the first hint
  const AutopilotLog* log_ = nullptr;
  std::optional<FieldControl> selected_;
  int ringX_ = 0, ringY_ = 0;
  std::optional<FieldControl> hinted_;
  int hintLeft_ = 0;
  FieldSprite* ring_ = nullptr;
  FieldSprite* mark_ = nullptr;
};
