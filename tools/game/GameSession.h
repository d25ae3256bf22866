// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game run without a window: the real Game on a screen that is never drawn, the
// field's pictures headless, and a stand-in for the in-game screen that keeps its pause
// and its dialogs and passes the player's input on as that screen does.
#include <SDL.h>

#include <memory>
#include <string>

#include "engine/LEngine.h"
#include "game/GameOwner.h"
#include "game/GameSpeed.h"
#include "game/LevelRecorder.h"
#include "game/LevelReplay.h"
#include "game/ReplayWatch.h"
#include "game/SpritePanel.h"
#include "railway/HeadlessSprites.h"
#include "tools/game/Autopilot.h"
#include "tools/game/ScriptedGame.h"

// The dialogs of the in-game screen that a script can see and close.
enum class Dialog { kNone, kLevelStatistics, kFinalStatistics, kHelp, kMenu };
const char* DialogName(Dialog d);

class GameSession : public GameOwner, public PlayerHands, public LevelHost {
 public:
  static constexpr int kFrame = 20;  // ms

  GameSession(SDL_Surface* display, EventLog& log);
  ~GameSession();
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // The in-game screen is shown: it takes up the saved game of the current type or
  // begins a new one at level 1, then offers the help of the start.
  void Show();
  // The new-game dialog's OK: a new game of the type at the 1-based level.
  void NewGame(int gameType, int level);
  // A fresh game restored from the saved game; false when there was none to restore
  // (a new game began at level 1 instead, as the in-game screen does).
  bool Load();
  void Save();
  // Ends the game and forgets what the session kept of it (pause, dialog, speed, the
  // autopilot, the help box's choice, the frame count), so that the next Load runs as
  // in a new session; the screen keeps its surfaces, which makes that Load cheaper. The
  // number of pictures the ended game left on the screen and on the field: 0 when it
  // took away all it made.
  int EndGame();
  // One frame: the game, the screen's sprites and the field's pictures move on by
  // kFrame ms, as many times over as the game speed says, unless the screen is paused.
  void RunFrame();
  // The game speed as a script sets it (1, 2 or 4); false for any other factor.
  bool SetSpeed(int factor);
  int Speed() const { return speed_.Factor(); }

  // Input as the in-game screen receives it (Tab cycles the game speed).
  void MouseMove(int x, int y);
  void LeftClick(int x, int y) override;
  void RightClick(int x, int y) override;
  void Wheel(bool down, int x, int y);
  void Key(int key, int modifiers);
  void PressButton(const LControl* button);
  // Closes the open dialog when it is the one named; false otherwise.
  bool Close(Dialog dialog, bool dontShowHelpAtStart);

  // The autopilot plays from the next frame on (it stops when the game is replaced).
  void SetAutopilot(bool on, bool verbose);
  const Autopilot* GetAutopilot() const { return autopilot_.get(); }

  bool HasGame() const { return game_ != nullptr; }
  ScriptedGame& GetGame();
  bool Paused() const { return paused_; }
  Dialog Open() const { return dialog_; }
  EventLog& Log() { return log_; }
  // The field's pictures of every game of the session.
  const HeadlessSprites& Sprites() const { return *sprites_; }

  // Records each level played from the next game on into folder ("" stops recording).
  void Record(const std::string& folder);
  LevelRecorder* Recorder() const { return recorder_.get(); }
  // Backspace: the running level goes back 10 s of game time (paused); false when
  // there is nothing to rewind.
  bool Rewind();
  // LevelHost: a new game for a replay or a rewind, and one game step without drawing.
  Game& ReplaceGame() override;
  void StepGame() override;

  // Applies a player's action to the game.
  void Apply(ActionKind kind, int x = 0, int y = 0, int arg = 0);

  // What the game asks of its screen.
  void SetPaused(bool paused) override;
  void ShowHelp(bool dontShowAtStart) override;
  bool HelpDontShowAtStart() const override { return helpBox_; }
  void ShowLevelEnd(const LevelStatistics& s) override;
  void ShowGameOver(const GameOverStatistics& s) override;

 private:
  void MakeGame();
  void MakeAutopilot();
  void OpenDialog(Dialog dialog);
  // True when the input reaches the game; a press while paused only ends the pause.
  bool TakesPress();
  // Writes down a change of the speed from the factor it had before.
  void NoteSpeed(int before);
  void StopSpeed();

  EventLog& log_;
  std::unique_ptr<LEngine> screen_;
  std::unique_ptr<HeadlessSprites> sprites_;
  // The game's left panel on the screen, made with each game and let go after it.
  std::unique_ptr<SpritePanel> panel_;
  std::unique_ptr<ScriptedGame> game_;
  std::unique_ptr<Autopilot> autopilot_;
  bool autopilotOn_ = false;
  bool autopilotVerbose_ = false;
  bool paused_ = false;
  Dialog dialog_ = Dialog::kNone;
  bool helpBox_ = false;
  GameSpeed speed_;
  int frame_ = 0;
  std::unique_ptr<LevelRecorder> recorder_;
};
