// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game in progress: the level flow and its timers, the player's money and
// delivered trains, the player's actions on the field, and saving and restoring the
// game. It owns the field, the level progress indicator and the tips, and reaches the
// screen that hosts it only through GameOwner and the display parts it is given.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/MemoryStore.h"
#include "game/GameOwner.h"
#include "game/GamePanel.h"
#include "game/LevelTable.h"
#include "game/LockMark.h"
#include "game/PlayerAction.h"
#include "game/ReplayFile.h"
#include "game/Tips.h"
#include "railway/Field.h"
#include "railway/FieldHost.h"
#include "sprites/FineSink.h"

class CompleteIndicator;
class FlyingTextLine;
class KeyboardPlay;
class LClip;
class LEngine;
class LevelRecorder;
struct LevelFile;
class MessageLine;
class NumberRow;
class Track;

// The states of a game.
enum GameStateValue : int32_t {
  kStateConstructed = 0,
  kStateNewGame = 2,
  kStateRestoring = 3,
  kStateStartHelp = 5,
  kStatePlaying = 6,
  kStateLevelStatistics = 7,
  kStateFinalStatistics = 8,
  kStateLevelFinishing = 9,
  kStateOutOfMoney = 10,
};

// Where a level file's level stands: its pack's id and its place there (1-based, shown
// in the level's caption and statistics).
struct PackPlace {
  std::string pack;
  int32_t number = 1;
};

// The modes of the left panel.
enum GameMode : int32_t { kOperatingMode = 0, kBuildingMode = 1 };

// What the hosting screen lends the game. Every part but the screen and the owner may
// be missing (nothing is shown there then); without a panel the game keeps a headless one.
struct GameParts {
  LEngine* screen = nullptr;  // the game's own sprites go here
  GameOwner* owner = nullptr;
  FieldSprites* fieldSprites = nullptr;  // the field's pictures
  NumberRow* trainsDisplay = nullptr;
  NumberRow* moneyDisplay = nullptr;
  FlyingTextLine* bigCaption = nullptr;
  FlyingTextLine* smallCaption = nullptr;
  MessageLine* messages = nullptr;
  GamePanel* panel = nullptr;  // the left panel
  // Records each level played, when given (see AttachRecorder).
  LevelRecorder* recorder = nullptr;
};

class Game : public FieldHost, public FineSink {
 public:
  static constexpr int32_t kStartMoney = 100000;
  static constexpr int kTrackTypes = 6;
  // The deviation, in minutes, of every release timer's period around the level's mean.
  static constexpr double kPeriodDeviation = 0.5;
  // The town period of a level whose towns are all there from its start (percent).
  static constexpr double kNoMoreTowns = 1000000;
  // The progress between the first towns of a level (percent).
  static constexpr double kFirstTownDelta = 0.001;

  explicit Game(const GameParts& parts);
  virtual ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Level flow.
  virtual void NewGame();
  // Restores the saved game of the current game type (phase 1); false when there is
  // none, it cannot be read or it asks for a new game.
  virtual bool Load();
  // Load, or when there is nothing to resume a new game at the first level of the type;
  // what a screen does when it takes up a game. True when a saved game is resumed.
  bool LoadOrStartNew();
  // Restores a saved-game document held in memory (a replay's starting state) as Load
  // restores the file: the same phases, the same refusals; a refused document touches
  // no file.
  bool LoadFrom(const core::ParamEntries& document);
  // The document Save writes; while a restore runs, the document being restored.
  core::ParamEntries SavedState();
  // FNV-1a 64 of the whole state the game's future depends on, in every state of the
  // game: the saved game's values as Save writes them, and the running values, the
  // field's and the progress's state and the random stream exactly. Two games with
  // the same hash go on the same way under the same actions. Changes nothing.
  uint64_t StateHash();
  virtual void Save();
  virtual void OnScreenClosed(GameScreen screen, int32_t result);
  // One game step of dt ms (a level's steps are counted: see LevelUpdate).
  virtual void Update(int32_t dt);
  virtual void StartLevel();
  // A new level of the game type at level (0-based within the type), begun with the
  // money, deliveries and minutes the levels before it left: how a recorded level that
  // started fresh begins again.
  void StartLevelWith(int32_t level, int32_t money, int32_t delivered, int32_t minutes);
  virtual void EndLevel();
  // A new game of one level read from a level file, played by the Puzzle game's rules
  // (its towns and tracks, no building), in a saved game of its own; the game ends with
  // that level's statistics. The settings remember that the player is in a pack level.
  void NewPackGame(std::shared_ptr<const LevelFile> level, const PackPlace& place = {});
  // The level file being played, or nullptr for the levels of the game types.
  const LevelFile* PackLevel() const { return packLevel_.get(); }
  const PackPlace& PackLevelPlace() const { return packPlace_; }
  // The level file is played from now on, in the pack game's saved game, the settings
  // left alone: a recorded pack level begun again for a rewind or a replay (its fresh
  // start or saved game follows).
  void PlayPackLevel(std::shared_ptr<const LevelFile> level, const PackPlace& place);
  // Back to the game types' levels: the next new game or load is the game type's.
  void LeavePackGame();
  // Plays the other game's pack level (or the game types' levels, as it does), so that
  // the other game's saved state can be taken up here: a private copy of a pack game.
  void SharePackLevelOf(const Game& other);
  void SetState(int32_t state);
  void AdvanceState();
  // Shows or hides the colour badges on the field as the settings ask.
  void ApplyColourSymbols();

  // The player's actions. Each one goes through Apply, which says what happened and
  // keeps it in the level's list of actions. The mouse's moves are no actions: they
  // only move the track preview and light the mode toggle.
  ActionResult Apply(const PlayerAction& action);
  void OnMouseMove(int32_t x, int32_t y);
  // The level-skip keys: 9 with Shift, Ctrl, Alt and Caps Lock.
  static bool IsSkipLevelKey(int32_t key, int32_t modifiers);
  // The game steps run since the level started (or its restore began), and the
  // actions applied since then, each stamped with the step count it came after.
  int32_t LevelUpdate() const { return levelUpdate_; }
  const std::vector<PlayerAction>& LevelActions() const { return levelActions_; }

  // Recording. The recorder gets each level's start and actions from now on (nullptr
  // records nothing); a game made anew by a rewind gets the recorder after it has been
  // played up to the rewind's update.
  void AttachRecorder(LevelRecorder* recorder) { recorder_ = recorder; }
  LevelRecorder* Recorder() const { return recorder_; }
  // Ends the level's recording (the player quit, or the level ended) and writes it.
  void FinishRecording(ReplayOutcome outcome);
  // A game that saves nothing, neither its saved game nor a pack level's progress: a
  // replay watched, or the course a rewind plays again.
  void KeepSavedGames(bool keep) { savesGames_ = keep; }
  // The frame that finishes a restore does nothing else, so that the game then stands
  // exactly as the state it was restored from and goes on as the game it came from would
  // (a copy to look ahead on); otherwise that frame goes on as any other.
  void RestoreExactly(bool exactly) { restoreExactly_ = exactly; }
  // Takes up, from the game this one was just restored from, what its saved game leaves
  // out or rounds, or the restore's frames changed: where the trains stand, the field's
  // clocks, the progress engine, the towns' growth and the money. This one then goes on exactly as
  // that one would (a copy to look ahead on).
  void TakeRunningOf(const Game& original);
  // The level's tracks are all built and its towns all placed. (A copy restored from the
  // saved state of a level still being laid out stands laid out at once.)
  bool LaidOut() const;

  // Money (FieldHost and FineSink).
  void ChangeMoney(int delta) override;
  void Fine(unsigned amount) override;
  void CountDeliveredTrain() override;

  // Random draws of the level flow.
  int ChooseLocoType();
  static double GaussRandom(double mean, double deviation);

  // The most houses the level can have: a saved game with more is refused.
  static int MostHouses(const LevelParams& level);

  // The saved game's file for the player and game type.
  static std::string SaveFileName(const std::string& player, int32_t gameType);
  // The saved game of the player's level-pack level.
  static std::string PackSaveFileName(const std::string& player);
  // The player's name as it may stand in a file name.
  static std::string FileNamePart(const std::string& player);
  static constexpr const char* kDefaultPlayer = "Manager";
  // A refused saved game is kept under its own name and this ending, for a report.
  static constexpr const char* kRefusedSuffix = ".damaged";

  // What the field needs from the game.
  void PostMessage(const std::string& text, bool important) override;
  bool TipAllowed(int number) override;
  void ShowTip(int number, int x, int y, const std::string& text) override;
  bool PlaceTip(int number, int x, int y) override;
  double Progress() override;
  bool TakeCatchUpRequest() override;
  void PlaySound(int index) override;
  void SwitchLocked(int x, int y) override;
  int32_t GameType() const override;

  // The marks that show for a moment (the lock mark, the hint's highlight) count the
  // frames' real time: the hosting screen ticks them every frame, also while the game is
  // paused or slowed.
  void TickMarks(int32_t elapsed);
  const LockMark& GetLockMark() const { return lockMark_; }

  // Read access for the screen, tools and tests.
  Field& GetField() { return field_; }
  const Field& GetField() const { return field_; }
  Tips& GetTips() { return tips_; }
  CompleteIndicator& GetProgress() { return *progress_; }
  const LevelParams& Record() const { return packLevel_ ? packParams_ : Level(CurrentRound); }
  const GamePanel& Panel() const { return *panel_; }
  const Track* Preview() const { return preview_.get(); }
  const FieldSprite* ForbiddenMarker() const { return forbidden_; }
  // The field played by keyboard: the selection ring, its keys and the hint.
  KeyboardPlay& Keyboard() { return *keyboard_; }
  const KeyboardPlay& Keyboard() const { return *keyboard_; }

  // Saved values, named as their keys.
  int32_t PreviousState = 0;
  int32_t CurrentRoundInType = 0;
  int32_t CurrentRound = 0;
  int32_t iGameMode = kOperatingMode;
  int32_t CurrSelectTrackType = 0;
  int32_t TotalTime = 0;
  int32_t TrainCounter = 0;
  int32_t TrainCounterBeginLevel = 0;
  int32_t MoneyCounter = kStartMoney;
  int32_t MoneyCounterBeginLevel = kStartMoney;
  int32_t NumberTown = 0;
  int32_t CounterTimeWithoutTrain = 0;
  int32_t CounterTimeMinuteTips = 0;
  std::string LevelCaption;
  int32_t GameState = kStateConstructed;
  int32_t TimeWave = 0, CounterWave = 0;
  int32_t TimeNewTrain = 0, CounterNewTrain = 0;
  int32_t TimeNewCrazy = 0, CounterNewCrazy = 0;
  int32_t TimeNewCrashes = 0, CounterNewCrashes = 0;
  int32_t CaptionTimer = -1;
  double TownAddPeriod = 0;
  double NewTownAdd = 0;
  double PercentCounterNewHouse = 0;
  double PercentAddNewHouse = 0;
  double PercentDeltaFirstTown = 0.001;
  std::vector<TrackPair> BeginTowns;
  std::vector<TrackPair> BeginTracks;
  bool HelpShown = false;
  int32_t NumberHouseForNextTown = 0;
  std::vector<SceneryRecord> trees;
  std::vector<SceneryRecord> homes;
  bool NeedNewGame = true;
  uint32_t OutOfMoneyTimer = 0;
  uint32_t FinishTimer = 0;
  int32_t StartLevelNumber = 0;  // where a new game begins (0-based, within the type)
  int32_t HintsUsed = 0;         // in the running level; saved only when some were

 private:
  // Level flow (Game.cpp).
  bool UpdateRestore();
  void UpdateHousesAndTowns(double p);
  void AddNextTown(double p, bool restoring);
  void UpdateCaption(int32_t dt);
  bool UpdateProgress(int32_t dt);
  void UpdateReleases(int32_t dt, double p);
  void UpdateMinuteTips(int32_t dt);
  void LaunchOrdinaryTrain();
  void SetLandscape(int background);
  void ShowLevelCaption();
  // Player actions (GameActions.cpp).
  bool Click(int32_t x, int32_t y);
  bool RightClick(int32_t x, int32_t y);
  bool Wheel(int step);
  bool PressTrackButton(int type);
  bool SkipLevel();
  void ToggleMode();
  void MakePreview();
  void ShowModeWidgets();
  void SelectTrackType(int type);
  void RefreshCursor();
  bool Puzzle() const { return GameType() == 1; }
  bool OnCallButton(const FieldSprite* button);
  std::vector<TrackPair> LevelTownPairs() const;
  // Level packs (GamePack.cpp).
  // The saved pack game resumed (true), or a new game of its level begun because it
  // cannot be (false); nullopt when there is none, or its level is gone: the game
  // type's own saved game follows.
  std::optional<bool> LoadPackGame();
  void WritePackPlace(core::ValueStore& store);
  void RecordPackResult();
  // The saved game's file: the pack game's while the player is in a pack level.
  std::string SavePath() const;
  // The level a saved game holds: the level file's, or the table's at its number.
  const LevelParams& SavedLevel() const;
  // Saving (GameSave.cpp).
  bool ExchangeRunning(core::ValueStore& store, int direction);
  bool ExchangeScenery(core::ValueStore& store, int direction,
                       std::vector<SceneryRecord>& treeRecords,
                       std::vector<SceneryRecord>& homeRecords);
  bool Restore(core::ParamEntries document, bool fromFile);
  void WriteSavedGame(core::ValueStore& store);
  void WriteRunningState(core::ValueStore& store);
  bool ReadPhaseTwo();
  bool ValuesUsable() const;
  // The total of minutes as saved: a game saved under its level's statistics finishes
  // that level again once resumed, so its minutes are left out of the file.
  int32_t SavedTotalTime() const;
  // Refuses the saved game: closes it, logs why and keeps the file aside for a report.
  void RefuseSavedGame(const char* operation, const std::string& why);
  // The name of the first value of a restore's phase that the game cannot have
  // written for the saved level, or nullptr (GameBounds.cpp).
  const char* OutsidePhaseOne() const;
  const char* OutsidePhaseTwo() const;

  GameParts parts_;
  Tips tips_;
  Field field_;
  std::unique_ptr<CompleteIndicator> progress_;
  std::unique_ptr<Track> preview_;
  FieldSprite* forbidden_ = nullptr;
  LockMark lockMark_{parts_.fieldSprites};
  std::unique_ptr<GamePanel> ownPanel_;  // when the screen lends none
  GamePanel* panel_;
  LClip* background_ = nullptr;
  LClip* topForest_ = nullptr;
  bool toggleHeld_ = false;
  bool catchUp_ = false;
  // A town of the saved game could not be put back: the restore cannot finish.
  bool townLost_ = false;
  int restoreUpdates_ = 0;  // the updates the running restore has taken
  int32_t levelUpdate_ = 0;
  int minuteTip_ = 0;  // the next of the minute tips
  std::vector<PlayerAction> levelActions_;
  LevelRecorder* recorder_ = nullptr;
  bool savesGames_ = true;
  bool restoreExactly_ = false;
  // The level begins its recording (fresh, or from the saved game being restored).
  void BeginRecording(const std::string& savedDocument);
  // The game step of Update.
  void Step(int32_t dt);
  // A level that ends inside a game step finishes its recording once the step is over,
  // so that its end hash is the state the whole step leaves, which is what a replay
  // compares after the same step.
  bool stepping_ = false;
  std::optional<ReplayOutcome> endedInStep_;
  // While an action is applied: what it made the game do.
  ActionResult* applying_ = nullptr;
  int mouseX_ = 0;
  int mouseY_ = 0;
  int crashSound_ = 0;

  // The saved game the running restore reads, and whether it came from the file (a
  // refused file is kept aside).
  core::MemoryStore restoring_;
  bool restoringFile_ = false;

  // The level file played instead of the level table, with its record.
  std::shared_ptr<const LevelFile> packLevel_;
  LevelParams packParams_{};
  PackPlace packPlace_;
  // The saved game read or written is the pack game's (set while a pack game is loaded
  // too, before its level is known).
  bool packSave_ = false;
  // Last, so that it goes first: its pictures go back to the field's sprites.
  std::unique_ptr<KeyboardPlay> keyboard_;
};
