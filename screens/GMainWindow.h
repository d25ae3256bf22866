// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-game screen: the fixed frame around the playing field, the two rolling
// counters, the level captions, the player's name and the message line, the pause,
// the hot keys and every dialog of the game. It hosts one Game, which gets every
// mouse and key event the screen does not take itself.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/LEngine.h"
#include "game/Game.h"
#include "game/GameOwner.h"
#include "game/GameSpeed.h"
#include "game/LevelRecorder.h"
#include "game/LevelReplay.h"
#include "game/ReplayWatch.h"
#include "game/SpritePanel.h"
#include "screens/ScreenSprites.h"
#include "sprites/BitmapFont.h"
#include "sprites/CharSprites.h"
#include "sprites/MessageLine.h"
#include "sprites/TextLines.h"

class GWndHelp;
class GWndLevelStats;
class GWndMenu;
class GWndMessage;
class GWndNewGame;
class GWndOptions;
class GWndPacks;
class GWndPickGame;
class LClipButton;
class ScreenServices;

class GMainWindow : public LEngine, public GameOwner, private LevelHost {
 public:
  static constexpr int32_t kGameStep = 20;  // ms of game time per game step
  // services (audio, video mode, browser) must outlive the screen.
  GMainWindow(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
              ScreenServices& services);
  ~GMainWindow() override;

  void Update(int32_t elapsed, int32_t frame) override;
  LControl* OnMouseMove(int32_t px, int32_t py) override;
  int32_t OnRightDown(int32_t px, int32_t py) override;
  int32_t OnRightUp(int32_t px, int32_t py) override;
  LControl* OnLeftDown(int32_t px, int32_t py) override;
  LControl* OnLeftUp(int32_t px, int32_t py) override;
  int32_t OnKeyDown(int32_t key, int32_t modifiers) override;
  int32_t OnWheelDown(int32_t px, int32_t py) override;
  int32_t OnWheelUp(int32_t px, int32_t py) override;
  void OnActivate(bool active) override;
  void OnControlClick(LControl* control) override;
  void Show(LEngine** slot) override;
  void OnChildClosed(LEngine* child, int32_t code) override;
  void Close(int32_t code) override;

  // What the game asks of its screen.
  void SetPaused(bool paused) override;
  void ShowHelp(bool dontShowAtStart) override;
  bool HelpDontShowAtStart() const override;
  void ShowLevelEnd(const LevelStatistics& statistics) override;
  void ShowGameOver(const GameOverStatistics& statistics) override;

  // Saves and replaces the game with the saved one of the current type, or a new one.
  void NewGame();
  // The screen shows the replay instead of the player's game; when it ends, or Escape
  // ends it, the player's own game comes back. False (with the reason) when the
  // replay's level cannot be begun.
  bool WatchReplay(const Replay& replay, std::string& why);
  bool Watching() const { return watch_ != nullptr; }
  // The player takes the watched level over: it goes on as a game of its own, recorded
  // and not saved.
  void TakeOver();
  // Backspace or the menu's REWIND: the running level goes back 10 s of game time and
  // stays paused.
  bool Rewind();
  // Whether the running level can go back: a level played for a while, not a replay.
  bool CanRewind() const;
  // Where the levels played are recorded.
  LevelRecorder& Recorder() { return recorder_; }
  // The take-over key of a replay watched.
  static constexpr int32_t kTakeOverKey = SDLK_t;
  // Each pauses and shows its dialog over the screen, unless a dialog is open already.
  void OpenMenu();
  void OpenGameType();
  void OpenOptions();
  void OpenNewGame();
  void OpenHelp();
  void OpenQuitQuestion();
  // The packs dialog on the level the player is in or goes on with: after a pack level,
  // its next level once it is open, else that level again; else the first level not
  // yet finished of the first pack.
  void OpenPacksWhereThePlayerIs();

  // True while one of the dialogs is shown over the screen.
  bool DialogOpen() const;

  Game* CurrentGame() const { return game_.get(); }
  // How fast the game runs; Tab and Shift+Tab cycle it, anything that stops the play
  // brings a fast speed back to x1.
  const GameSpeed& Speed() const { return speed_; }
  // The top bar's speed letters ("x2", "x4", "x1/2", "x1/4"), hidden at x1; PAUSE while
  // the player acts in the pause.
  const std::vector<CharStatic*>& SpeedChars() const { return speedChars_; }
  // What those letters say.
  const std::string& TopBarLabel() const { return topBarLabel_; }
  bool Paused = false;
  LClip* PauseClip = nullptr;
  LClipButton* MenuButton = nullptr;
  LClipButton* LogoButton = nullptr;
  LClipButton* MakerButton = nullptr;

  std::unique_ptr<GWndNewGame> NewGameDialog;
  std::unique_ptr<GWndOptions> OptionsDialog;
  std::unique_ptr<GWndPickGame> PickGameDialog;
  std::unique_ptr<GWndMenu> MenuDialog;
  std::unique_ptr<GWndHelp> HelpDialog;
  std::unique_ptr<GWndMessage> MessageDialog;
  std::unique_ptr<GWndLevelStats> LevelStatsDialog;
  std::unique_ptr<GWndPacks> PacksDialog;

  std::unique_ptr<NumberRow> TrainsDisplay;
  std::unique_ptr<NumberRow> MoneyDisplay;
  std::unique_ptr<FlyingTextLine> BigCaption;
  std::unique_ptr<FlyingTextLine> SmallCaption;
  std::unique_ptr<FlyingTextLine> NameLine;
  std::unique_ptr<MessageLine> Messages;

 private:
  void AddDecoration();
  void MakeDialogs();
  void MakeLines();
  void MakeHouseClips();
  void MakeSpeedLabel();
  // Back to x1, with the top bar's letters hidden.
  void StopSpeed();
  // The top bar's letters for the current speed (and the pause picture).
  void ShowSpeed();
  int32_t LabelWidth(const std::string& text) const;
  // The speed keys: Tab one step faster, Shift+Tab one step slower.
  void ChangeSpeed(int32_t modifiers);
  // Saves and lets go of the game, if there is one.
  void DropGame();
  // The library's template of an entry, or a clip made for it and kept by the screen.
  const LClip* EntryClip(int entry);
  // Shows a dialog over this screen, paused; false when another one is open.
  bool BeginDialog();
  GameScreen ScreenOf(const LEngine* child) const;
  void ApplyGameType(int32_t code);
  void ApplyOptions(int32_t code);
  void ApplyMenuChoice(int32_t code);
  // A level of a pack chosen in the packs dialog begins (the game type's game is saved).
  void StartPackLevel();
  // Applies a player's action to the game; true when the game took it.
  bool ApplyAction(ActionKind kind, int32_t x = 0, int32_t y = 0, int32_t arg = 0);
  bool PressEndsPause(bool space = false);
  // The message line's frame while the rest of the screen stands in a pause.
  void RunMessageLineAlone(int32_t elapsed);
  // LevelHost: the game made anew for a replay or a rewind, and its steps.
  Game& ReplaceGame() override;
  void StepGame() override;
  GameParts Parts(LevelRecorder* recorder);
  // The watched replay is over: the settings it borrowed go back and the player's
  // own game comes back.
  void EndWatching();
  // The player's own game, begun anew or taken up from its saved game, with the help
  // offered at its start.
  void BeginOwnGame();
  // The watched replay and its game go, and the borrowed settings go back.
  void StopWatching();
  // The frame's game steps while a replay is watched; false when the replay ended.
  bool StepWatched();
  bool StepWatchedOnce();
  int32_t OnWatchKey(int32_t key, int32_t modifiers);
  void ReportReplayEnd(Game& game);
  // The top bar's label: the speed or PAUSE, and REPLAY while a replay is watched.
  static constexpr int kTopBarLabelLength = 9;

  ScreenServices& services_;
  std::unique_ptr<BitmapFont> dialogFont_;
  std::vector<std::unique_ptr<LClip>> ownClips_;
  std::array<LClip*, 8> houseClips_{};
  std::unique_ptr<ScreenSprites> fieldSprites_;
  // The game's left panel, made with each game and let go after it.
  std::unique_ptr<SpritePanel> panel_;
  std::unique_ptr<Game> game_;
  GameSpeed speed_;
  int32_t stepTime_ = 0;  // frame time not yet run as game steps
  LevelRecorder recorder_{kReplaysFolder};
  std::unique_ptr<ReplayWatch> watch_;
  bool watchEnded_ = false;
  bool ownGameDue_ = false;  // the player's own game begins at the next frame
  // The settings a watched replay borrows, as they were before it.
  int32_t ownGameType_ = 0;
  bool ownShowTips_ = true;
  std::unique_ptr<BitmapFont> speedFont_;
  std::vector<CharStatic*> speedChars_;  // owned by the screen's sprite list
  std::string topBarLabel_;
};
