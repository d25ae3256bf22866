// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game run without a window: the real Game on a screen that is never drawn, the
// field's pictures headless, and a stand-in for the in-game screen that keeps its pause
// and its dialogs and passes the player's input on as that screen does.
#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/LEngine.h"
#include "game/Autopilot.h"
#include "game/GameOwner.h"
#include "game/GameSpeed.h"
#include "game/LevelRecorder.h"
#include "game/LevelReplay.h"
#include "game/ReplayWatch.h"
#include "game/SpritePanel.h"
#include "railway/HeadlessSprites.h"
#include "tools/game/ScriptedGame.h"
#include "tools/game/Solver.h"

// How a watched replay ended: the game's update and state hash there, against the
// recording's.
struct WatchEnd {
  int32_t update = 0;
  uint64_t hash = 0;
  int32_t recordedUpdate = 0;
  uint64_t recorded = 0;
  bool AsRecorded() const { return hash == recorded && update == recordedUpdate; }
};

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
  // A new game of one level file (a game of the game types is saved first).
  void NewPackGame(std::shared_ptr<const LevelFile> level, const PackPlace& place = {});
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
  // kFrame ms, as many times over as the game speed says (at x1/2 and x1/4 only every
  // second or fourth frame), unless the screen is paused.
  void RunFrame();
  // The game speed as a script sets it (1, 2, 4, or -2, -4 for x1/2, x1/4); false for any
  // other factor.
  bool SetSpeed(int factor);
  int Speed() const { return speed_.Factor(); }
  std::string SpeedName() const { return speed_.Name(); }

  // Input as the in-game screen receives it (Tab and Shift+Tab cycle the game speed).
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
  const Autopilot* GetAutopilot() const { return solver_ ? &solver_->Pilot() : autopilot_.get(); }
  // The solver plays from the next frame on, in place of the autopilot (it stops when
  // the game is replaced by a load, a rewind or a replay; a new game keeps it).
  void SetSolver(bool on, const SolverOptions& options, bool verbose);
  const Solver* GetSolver() const { return solver_.get(); }

  bool HasGame() const { return game_ != nullptr; }
  // How many game objects the session has made so far: a change means another game
  // (a new game, a load, a rewind, a replay), even where the new one took the old one's
  // memory.
  long long GamesMade() const { return gamesMade_; }
  ScriptedGame& GetGame();
  bool Paused() const { return paused_; }
  Dialog Open() const { return dialog_; }
  EventLog& Log() { return log_; }
  // The field's pictures of every game of the session.
  const HeadlessSprites& Sprites() const { return *sprites_; }

  // Records each level played into folder from now on ("" stops recording). A replay
  // the recorder writes is renamed at once to the session's own numbering,
  // "001-PUZZLE-L01.otr", so that a script can name it, and printed as written.
  void Record(const std::string& folder);
  LevelRecorder* Recorder() const { return recorder_.get(); }
  // The replays written so far, oldest first, as paths in the recording folder.
  const std::vector<std::string>& Written() const { return written_; }
  // Backspace: the running level goes back 10 s of game time (paused), to its start at
  // the most; false when there is nothing to rewind (no recording, a level not playing
  // or at its start, a replay watched).
  bool Rewind();

  // A replay watched as the in-game screen watches one (tools/game/SessionReplay.cpp):
  // the session's game goes (its recording written as quit), and the recorded level
  // begins anew, quietly. False (with the reason) when its start does not load.
  bool Watch(Replay replay, std::string& why);
  bool Watching() const { return watch_ != nullptr; }
  const ReplayWatch* Watched() const { return watch_.get(); }
  // Plays the watched level on, quietly, until its update reaches update or the
  // recording runs out (then the watch ends and the game stays as it ended). False
  // (with the reason) when a recorded rewind's start did not load: the watch ends.
  bool WatchTo(int32_t update, std::string& why);
  // How the last watched replay ended, once it has (kept until the next Watch).
  const std::optional<WatchEnd>& WatchEnded() const { return watchEnd_; }
  // The player takes the watched level over: the session's recorder goes on from its
  // course so far. False when nothing is watched or nothing records.
  bool TakeOver();
  // The watch ends; the game stays.
  void StopWatching();
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
  // The statistics the last level that ended showed.
  const std::optional<LevelStatistics>& LastLevelEnd() const { return levelEnd_; }
  void ShowGameOver(const GameOverStatistics& s) override;

 private:
  void MakeGame();
  void MakeAutopilot();
  void OpenDialog(Dialog dialog);
  // True when the input reaches the game; a press while paused only ends the pause, and
  // when the player acts while paused, only Space (space true) ends it (any press ends
  // the pause of a replay watched).
  bool TakesPress(bool space = false);
  // True for a point of the screen's picture; a press elsewhere is printed and dropped.
  bool OnScreen(int x, int y) const;
  // Writes down a change of the speed from the factor it had before.
  void NoteSpeed(int before);
  void StopSpeed();
  // The play stops for a while: a fast speed falls back to x1 (written down), a slow one
  // stays.
  void PauseSpeed();
  // Tab, or Shift+Tab with the modifiers.
  void ChangeSpeed(int modifiers);
  // Drops the game as the in-game screen does: its level's recording is written (quit).
  void DropGame();
  // Renames and prints a replay the recorder has just written.
  void NoteWritten();
  // The watched level's steps up to update (see WatchTo), and those of one frame (with
  // the end's lines when the recording runs out).
  bool WatchSteps(int32_t update, std::string& why);
  void WatchFrame();
  // Input while a replay is watched: the screen's keys, nothing else.
  void WatchKey(int key, int modifiers);

  EventLog& log_;
  std::unique_ptr<LEngine> screen_;
  std::unique_ptr<HeadlessSprites> sprites_;
  // The game's left panel on the screen, made with each game and let go after it.
  std::unique_ptr<SpritePanel> panel_;
  std::unique_ptr<ScriptedGame> game_;
  std::unique_ptr<Autopilot> autopilot_;
  std::unique_ptr<Solver> solver_;
  std::optional<SolverOptions> solverOptions_;  // while the solver is on
  bool autopilotOn_ = false;
  bool autopilotVerbose_ = false;
  bool paused_ = false;
  Dialog dialog_ = Dialog::kNone;
  bool helpBox_ = false;
  GameSpeed speed_;
  int frame_ = 0;
  long long gamesMade_ = 0;
  std::unique_ptr<LevelRecorder> recorder_;
  std::vector<std::string> written_;
  int replayNumber_ = 0;
  std::filesystem::path unrenamed_;  // a replay that kept the recorder's name
  std::unique_ptr<ReplayWatch> watch_;
  std::optional<WatchEnd> watchEnd_;
  std::optional<LevelStatistics> levelEnd_;
  // The settings a watched replay set in place of the session's own.
  int ownGameType_ = 0;
  bool ownShowTips_ = true;
};
