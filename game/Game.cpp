// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Game.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/LParams.h"
#include "core/Random.h"
#include "core/Saturate.h"
#include "engine/LClip.h"
#include "engine/LEngine.h"
#include "engine/LSound.h"
#include "game/HeadlessPanel.h"
#include "game/KeyboardPlay.h"
#include "game/LevelFile.h"
#include "game/LevelRecorder.h"
#include "game/Settings.h"
#include "railway/LevelRestore.h"
#include "sprites/ClipLib.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/MessageLine.h"
#include "sprites/TextLines.h"

namespace {

constexpr int32_t kOutOfMoneyTime = 5000;
constexpr int32_t kFinishTime = 2000;
constexpr int32_t kCaptionTime = 5000;
constexpr int32_t kEmptyFieldTime = 5000;
constexpr int32_t kMinuteTipsTime = 60000;
// The updates a restore may take to lay its level out again: the field builds a track
// every other update, and no level holds 700 pieces. A restore that takes longer waits
// for a track that never finishes (one laid twice, or over another) and is refused.
constexpr int kLongestRestore = 1500;
constexpr int kMinuteTipX = 180;
constexpr int kMinuteTipY = 50;
// The tips shown in turn after the warehouse tip, one each minute of play; the turn
// starts again with every level.
constexpr int kMinuteTips[] = {tip::SpacePauses, tip::DisableTips, tip::PuzzleGame,
                               tip::ClassicGame};

int32_t MinutesToMs(double minutes) { return static_cast<int32_t>(std::trunc(minutes * 60000)); }

}  // namespace

Game::Game(const GameParts& parts)
    : parts_(parts),
      tips_(parts.screen),
      field_(parts.fieldSprites, this),
      progress_(std::make_unique<CompleteIndicator>(parts.screen)),
      ownPanel_(parts.panel ? nullptr : std::make_unique<HeadlessPanel>()),
      panel_(parts.panel ? parts.panel : ownPanel_.get()) {
  HelpShown = Globals().DontShowBeginHelp;
  recorder_ = parts.recorder;
  MakePreview();
  ApplyColourSymbols();
  keyboard_ = std::make_unique<KeyboardPlay>(*this, parts.fieldSprites);
}

void Game::ApplyColourSymbols() { field_.SetColourSymbols(Globals().ColourSymbols); }

Game::~Game() {
  preview_.reset();
  if (forbidden_ && parts_.fieldSprites) parts_.fieldSprites->Remove(forbidden_);
  if (parts_.screen) {
    for (LClip* c : {background_, topForest_}) {
      if (c) parts_.screen->RemoveSprite(c, true);
    }
  }
}

// ---------------------------------------------------------------- random draws

double Game::GaussRandom(double mean, double deviation) { return rnd::Gauss(mean, deviation); }

int Game::ChooseLocoType() {
  const LevelParams& r = Record();
  const int hi = r.LocoMax == -1 ? 8 : r.LocoMax;
  const int lo = std::max(r.LocoMin, 0);
  const double p = Progress();
  int c = lo + static_cast<int>(std::floor(p * (hi - lo - 1) / 80)) - rnd::Next() % 2;
  const double draw = rnd::Next() / 32767.0;
  if (draw <= 0.15) c = c + 1 == 0 ? 0 : rnd::Next() % (c + 1);
  c = std::max(c, lo);
  if (c >= hi) c = hi - 1;
  if (c >= 8) c = 7;
  return std::max(c, 0);
}

// ---------------------------------------------------------------- states

void Game::SetState(int32_t state) {
  if (state == GameState) return;
  const int32_t old = GameState;
  GameState = state;
  switch (state) {
    case kStateNewGame:
      NewGame();
      break;
    case kStateStartHelp:
      PreviousState = old;
      if (!HelpShown) {
        HelpShown = true;
        if (parts_.owner) {
          parts_.owner->SetPaused(true);
          parts_.owner->ShowHelp(Globals().DontShowBeginHelp);
        }
      } else {
        AdvanceState();
      }
      break;
    case kStatePlaying:
      NeedNewGame = false;
      break;
    default:
      break;
  }
}

void Game::AdvanceState() {
  switch (GameState) {
    case kStateRestoring:
      RefreshCursor();
      [[fallthrough]];
    case kStateNewGame:
      GameState = kStatePlaying;
      NeedNewGame = false;
      break;
    case kStateStartHelp:
      SetState(PreviousState);
      break;
    case kStateLevelStatistics: {
      // A level file's game is that one level: it begins again, and the screen offers
      // the pack's next level over it.
      if (packLevel_) {
        GameState = kStateNewGame;
        NewGame();
        break;
      }
      ++CurrentRoundInType;
      int32_t& best = Puzzle() ? Globals().MaxLevelPuzzle : Globals().MaxLevelStrateg;
      // The best level offers the next new game's start; it never passes the last
      // filled record of the type.
      best = std::max(best, std::min(CurrentRoundInType, kLastLevel));
      GameState = kStateNewGame;
      if (CurrentRoundInType + 1 > kLevelsPerGame) {
        NewGame();
      } else {
        StartLevel();
        AdvanceState();
      }
      break;
    }
    case kStateFinalStatistics:
      GameState = kStateNewGame;
      NewGame();
      break;
    case kStateLevelFinishing:
      EndLevel();
      break;
    case kStateOutOfMoney:
      GameState = kStateFinalStatistics;
      FinishRecording(ReplayOutcome::kGameOver);
      if (parts_.owner) {
        parts_.owner->SetPaused(true);
        parts_.owner->ShowGameOver(
            {Globals().PlayerName, CurrentRoundInType + 1, TotalTime, TrainCounter});
      }
      break;
    default:
      break;
  }
}

void Game::NewGame() {
  trees.clear();
  homes.clear();
  TotalTime = 0;
  MoneyCounter = kStartMoney;
  if (parts_.moneyDisplay) parts_.moneyDisplay->SetValue(MoneyCounter, false);
  TrainCounter = 0;
  if (parts_.trainsDisplay) parts_.trainsDisplay->SetValue(TrainCounter, false);
  CurrentRoundInType = std::clamp(StartLevelNumber, 0, kLastLevel);
  BeginTowns.clear();
  if (GameState != kStateRestoring) {
    StartLevel();
    AdvanceState();
  }
}

void Game::StartLevelWith(int32_t level, int32_t money, int32_t delivered, int32_t minutes) {
  HelpShown = true;
  CurrentRoundInType = std::clamp(level, 0, kLastLevel);
  MoneyCounter = money;
  TrainCounter = delivered;
  TotalTime = minutes;
  if (parts_.moneyDisplay) parts_.moneyDisplay->SetValue(MoneyCounter, false);
  if (parts_.trainsDisplay) parts_.trainsDisplay->SetValue(TrainCounter, false);
  GameState = kStateNewGame;
  StartLevel();
  AdvanceState();
}

void Game::EndLevel() {
  if (GameState == kStateLevelStatistics) return;
  GameState = kStateLevelStatistics;
  if (parts_.owner) parts_.owner->SetPaused(true);
  PostMessage("End level", true);
  const LevelParams& r = Record();
  if (parts_.owner) {
    parts_.owner->ShowLevelEnd(
        {Globals().PlayerName, packLevel_ ? packPlace_.number : CurrentRoundInType + 1,
         r.LevelMinutes, TrainCounter,
         core::SaturatedSum(TrainCounter, -int64_t{TrainCounterBeginLevel}), MoneyCounter,
         core::SaturatedSum(MoneyCounter, -int64_t{MoneyCounterBeginLevel}),
         recorder_ ? recorder_->Rewinds() : 0, packLevel_ ? packLevel_->par : -1, HintsUsed});
  }
  core::AddTo(TotalTime, r.LevelMinutes);
  if (packLevel_) RecordPackResult();
  FinishRecording(ReplayOutcome::kLevelComplete);
}

void Game::OnScreenClosed(GameScreen screen, int32_t result) {
  if (screen == GameScreen::kOther) return;
  if (screen == GameScreen::kHelp && parts_.owner) {
    Globals().DontShowBeginHelp = parts_.owner->HelpDontShowAtStart();
  }
  if (parts_.owner) parts_.owner->SetPaused(false);
  // A help opened (F1) during a restore closes over the restore itself: it finishes by
  // itself once the level is back, and skipping it would drop the saved trains.
  if (GameState == kStateRestoring) return;
  // A new game confirmed (-1) replaces this one at once: a level that was finishing or
  // a game whose money ran out must not show its statistics over the new game.
  if (screen == GameScreen::kNewGame && result == -1) return;
  AdvanceState();
}

// The developer's level skip (Shift+Ctrl+Alt+9 with Caps Lock on): the next level of the
// type, with the starting balance. It stops at the last filled level of the type.
bool Game::SkipLevel() {
  if (packLevel_ || CurrentRoundInType >= kLastLevel) return false;
  FinishRecording(ReplayOutcome::kQuit);
  ++CurrentRoundInType;
  MoneyCounter = kStartMoney;
  GameState = kStateNewGame;
  StartLevel();
  AdvanceState();
  return true;
}

// ---------------------------------------------------------------- level start

void Game::StartLevel() {
  rnd::GameStream().Seed(rnd::RunSeed());  // a level is its seed and the player's actions
  levelUpdate_ = 0;
  lockMark_.Hide();
  // The minute tips go round from the first at every level: a level's course depends
  // on nothing the levels before it left but what its recording's start holds.
  minuteTip_ = 0;
  // No restore is under way as a level starts, nor the catch-up step a finished one asks
  // for (a restore's own counting follows): a level skipped or left for a new game right
  // after a restore left them to the next level.
  restoreUpdates_ = 0;
  townLost_ = false;
  catchUp_ = false;
  if (GameState != kStateRestoring) restoring_.Reset();
  levelActions_.clear();
  // A restore has read the level's hints already.
  if (GameState != kStateRestoring) HintsUsed = 0;
  keyboard_->NewLevel();
  tips_.NewLevel(CurrentRoundInType + 1);
  OutOfMoneyTimer = FinishTimer = 0;
  if (background_ && parts_.screen) parts_.screen->RemoveSprite(background_, true);
  background_ = nullptr;

  iGameMode = Puzzle() ? kOperatingMode : kBuildingMode;
  ShowModeWidgets();
  panel_->ShowPuzzlePictures(Puzzle());
  NumberHouseForNextTown = 0;
  PostMessage(" ", true);

  TrainCounterBeginLevel = TrainCounter;
  MoneyCounterBeginLevel = MoneyCounter;
  CurrentRound = LevelIndex(CurrentRoundInType, GameType());
  const LevelParams& r = Record();
  // A restore has read both lists from the saved game. It re-adds only the towns the
  // saved game had (it may have been saved before its first two came); the level's
  // others follow once it is through.
  if (GameState != kStateRestoring) {
    BeginTowns = LevelTownPairs();
    BeginTracks = ParsePairs(r.TracksText);
  }

  PercentDeltaFirstTown = kFirstTownDelta;
  ShowLevelCaption();
  CaptionTimer = 0;
  CounterTimeWithoutTrain = 0;
  CounterTimeMinuteTips = 0;
  NumberTown = 0;
  progress_->Start(r.LevelMinutes, this);
  toggleHeld_ = false;

  const int b = static_cast<int>(BeginTowns.size());

  SetLandscape(r.Background);
  BeginLevel(field_, BeginTowns, r.ForestCount, r.ForestSize, trees, homes,
             LandscapeFor(r.Background).trees);

  TimeNewTrain = MinutesToMs(GaussRandom(r.TrainPeriod, kPeriodDeviation));
  CounterNewTrain = 0;
  TimeNewCrazy = MinutesToMs(GaussRandom(r.CrazyPeriod, kPeriodDeviation));
  CounterNewCrazy = 0;
  TimeNewCrashes = MinutesToMs(GaussRandom(r.CrashPeriod, kPeriodDeviation));
  CounterNewCrashes = 0;
  TimeWave = static_cast<int32_t>(std::trunc(r.WaveMinutes)) * 60000;
  CounterWave = 0;

  TownAddPeriod =
      r.MaxTowns - b < 1 ? kNoMoreTowns : (100 - b * PercentDeltaFirstTown) / (r.MaxTowns - b + 1);
  NewTownAdd = PercentDeltaFirstTown;
  PercentCounterNewHouse = 0;
  PercentAddNewHouse = r.HousesPerTown > 0 ? PercentDeltaFirstTown / r.HousesPerTown : 0;

  LayLevelTracks(field_, BeginTracks);
  BeginTracks.clear();
  RefreshCursor();
  // A restore begins its recording once the saved game has been read.
  if (GameState != kStateRestoring) BeginRecording(std::string());
}

void Game::BeginRecording(const std::string& savedDocument) {
  if (!recorder_) return;
  const Settings& settings = Globals();
  Replay start;
  start.program = settings.Version;
  start.player = settings.PlayerName;
  start.gameType = GameType();
  start.level = packLevel_ ? 1 : CurrentRoundInType + 1;
  start.seed = rnd::RunSeed();
  start.tips = settings.ShowTips;
  start.money = MoneyCounter;
  start.delivered = TrainCounter;
  start.minutes = TotalTime;
  start.savedState = savedDocument;
  // A level file's level is carried whole: the replay plays whatever became of the file.
  if (packLevel_) {
    start.pack = ReplayPackLevel{packPlace_.pack, packPlace_.number, packLevel_->id,
                                 packLevel_->contentHash, FormatLevelFile(*packLevel_)};
  }
  recorder_->Begin(start);
  // The selected track type lives across levels, and a fresh start does not hold it: the
  // recording begins by selecting it, as its button would (a saved start holds it).
  if (savedDocument.empty() && CurrSelectTrackType != 0) {
    recorder_->Note(PlayerAction{0, ActionKind::kTrackButton, 0, 0, CurrSelectTrackType});
  }
}

void Game::FinishRecording(ReplayOutcome outcome) {
  if (stepping_) {
    endedInStep_ = outcome;
    return;
  }
  if (recorder_ && recorder_->Recording()) recorder_->Finish(outcome, levelUpdate_, StateHash());
}

// The level's town places, at least two: the field picks a place for (-1, -1).
std::vector<TrackPair> Game::LevelTownPairs() const {
  std::vector<TrackPair> pairs = ParsePairs(Record().TownsText);
  while (pairs.size() < 2) pairs.push_back({-1, -1});
  return pairs;
}

void Game::ShowLevelCaption() {
  char text[32];
  const int32_t shown = packLevel_ ? packPlace_.number : CurrentRoundInType + 1;
  std::snprintf(text, sizeof text, "LEVEL %2d", static_cast<int>(shown));
  LevelCaption = text;
  if (parts_.smallCaption) parts_.smallCaption->SetText("");
  if (parts_.bigCaption) parts_.bigCaption->SetText(LevelCaption);
  PostMessage(LevelCaption, false);
}

void Game::SetLandscape(int backgroundSet) {
  if (!parts_.screen) return;
  const Landscape& l = LandscapeFor(backgroundSet);
  // The ground lies under everything on the field, the top bar's forest under the
  // warehouse and the counters.
  background_ = ClipLib::Create(l.background, false);
  if (background_) {
    background_->z = 100000;
    parts_.screen->AddSprite(background_);
  }
  if (topForest_) parts_.screen->RemoveSprite(topForest_, true);
  topForest_ = ClipLib::Create(l.top, false);
  if (topForest_) {
    topForest_->z = 99999;
    parts_.screen->AddSprite(topForest_);
  }
  parts_.screen->RequestSort();
}

// ---------------------------------------------------------------- per frame

void Game::Update(int32_t dt) {
  stepping_ = true;
  Step(dt);
  stepping_ = false;
  if (endedInStep_) {
    const ReplayOutcome outcome = *endedInStep_;
    endedInStep_.reset();
    FinishRecording(outcome);
  }
}

void Game::Step(int32_t dt) {
  core::AddTo(levelUpdate_, 1);
  tips_.Update(dt);
  if (GameState == kStateOutOfMoney) {
    OutOfMoneyTimer += static_cast<uint32_t>(dt);
    if (OutOfMoneyTimer >= static_cast<uint32_t>(kOutOfMoneyTime)) AdvanceState();
  } else if (GameState == kStateLevelFinishing) {
    FinishTimer += static_cast<uint32_t>(dt);
    if (FinishTimer >= static_cast<uint32_t>(kFinishTime)) AdvanceState();
  }
  if (GameState == kStateRestoring) {
    if (!UpdateRestore()) return;
    if (restoreExactly_ && GameState != kStateRestoring) return;
  }
  const double p = Progress();
  UpdateHousesAndTowns(p);
  UpdateCaption(dt);
  if (!UpdateProgress(dt)) return;
  UpdateReleases(dt, p);
  UpdateMinuteTips(dt);
}

bool Game::LaidOut() const {
  return field_.AllTracksBuilt() && NumberTown >= static_cast<int32_t>(BeginTowns.size());
}

// The second phase of a restore, once the level is laid out again; false when the restore
// failed and a new game began instead.
bool Game::UpdateRestore() {
  const bool laidOut = LaidOut();
  const char* failure = nullptr;
  if (townLost_) {
    failure = "a town of the saved game has no place on the field";
  } else if (!laidOut && ++restoreUpdates_ > kLongestRestore) {
    failure = "its level could not be laid out again";
  }
  if (!laidOut && !failure) return true;
  if (failure) RefuseSavedGame("Update", failure);
  if (failure || !ReadPhaseTwo()) {
    GameState = kStateNewGame;
    NewGame();
    return false;
  }
  trees.clear();
  homes.clear();
  const std::vector<TrackPair> level = LevelTownPairs();
  for (size_t i = BeginTowns.size(); i < level.size(); ++i) BeginTowns.push_back(level[i]);
  catchUp_ = true;
  AdvanceState();
  return true;
}

void Game::UpdateHousesAndTowns(double p) {
  const LevelParams& r = Record();
  const bool restoring = GameState == kStateRestoring;
  if (p - PercentCounterNewHouse >= PercentAddNewHouse && NumberTown < r.MaxTowns) {
    PercentCounterNewHouse = p;
    if (!restoring) field_.AddHouse(p, NumberTown, false);
    core::AddTo(NumberHouseForNextTown, 1);
    if (NumberTown > 1 && !restoring) field_.AddHouse(p, 0, true);
  }
  const bool due = !restoring && p >= NewTownAdd && NumberTown < r.MaxTowns;
  const bool restoreDue = restoring && NumberTown < static_cast<int32_t>(BeginTowns.size());
  if (due || restoreDue) AddNextTown(p, restoring);
}

// Houses come with the towns: HousesPerTown for each town as its time draws near (those
// the house timer has not placed by then come with the town), each with a second house
// around a random town once two towns stand, and none once the last town is there. The
// timer restarts from the progress where it fired, HousesPerTown times a town's period,
// so a period holds at most HousesPerTown + 1 of its houses. (A level with towns has at
// least one house per town: with none, the timer would fire every frame.)
int Game::MostHouses(const LevelParams& level) {
  constexpr int kHousesPerTimerStep = 2;
  return std::max(level.MaxTowns, 0) * kHousesPerTimerStep * (std::max(level.HousesPerTown, 0) + 1);
}

void Game::AddNextTown(double p, bool restoring) {
  const LevelParams& r = Record();
  while (NumberHouseForNextTown < r.HousesPerTown) {
    if (!restoring) field_.AddHouse(p, NumberTown, false);
    ++NumberHouseForNextTown;
  }
  NumberHouseForNextTown = 0;
  NewTownAdd += TownAddPeriod;
  if (Puzzle()) NewTownAdd = kFirstTownDelta;
  PercentAddNewHouse = r.HousesPerTown > 0 ? TownAddPeriod / r.HousesPerTown : 0;
  // A town place from a damaged saved game may be no town place at all; its track
  // would never be built and the restore would wait for it for ever.
  if (!AddLevelTown(field_, BeginTowns, NumberTown) && restoring) {
    townLost_ = true;
    return;
  }
  ++NumberTown;
  if (NumberTown < static_cast<int32_t>(BeginTowns.size())) {
    NewTownAdd = (NumberTown + 1) * PercentDeltaFirstTown;
    PercentAddNewHouse = r.HousesPerTown > 0 ? PercentDeltaFirstTown / r.HousesPerTown : 0;
  }
  RefreshCursor();
}

void Game::UpdateCaption(int32_t dt) {
  if (CaptionTimer == -1) return;
  core::AddTo(CaptionTimer, dt);
  if (CaptionTimer < kCaptionTime) return;
  CaptionTimer = -1;
  if (parts_.bigCaption) parts_.bigCaption->SetText("");
  if (parts_.smallCaption) parts_.smallCaption->SetText(LevelCaption);
}

// The progress and the field; false when the level has just finished.
bool Game::UpdateProgress(int32_t dt) {
  const bool running = GameState == kStatePlaying || GameState == kStateRestoring ||
                       GameState == kStateOutOfMoney || GameState == kStateLevelFinishing;
  if (!running) return true;
  progress_->Update(dt, GameState == kStatePlaying);
  bool onlyRepair = true;
  for (const auto& t : field_.Trains()) onlyRepair = onlyRepair && t->kind == TrainKind::kRepair;
  if (Progress() >= 100 && onlyRepair && GameState != kStateRestoring) {
    // Running out of money ends the game: the level's end does not take it over.
    if (GameState != kStateOutOfMoney) GameState = kStateLevelFinishing;
    return false;
  }
  field_.FieldUpdate(dt);
  return true;
}

void Game::UpdateReleases(int32_t dt, double p) {
  if (GameState != kStatePlaying || NumberTown < 2 || p >= 100) return;
  const LevelParams& r = Record();
  core::AddTo(CounterWave, dt);
  if (CounterWave >= TimeWave) CounterWave = 0;
  const double waveLength = r.WaveMinutes * 60000;
  const double w =
      (1 + (waveLength > 0 ? CounterWave * (r.WaveMax - 1) / waveLength : 0)) * (p / 200 + 1);

  core::AddTo(CounterNewTrain, dt);
  if (CounterNewTrain >= TimeNewTrain) {
    CounterNewTrain = 0;
    TimeNewTrain = MinutesToMs(GaussRandom(r.TrainPeriod, kPeriodDeviation) / w);
    if (TimeNewTrain < 0)
      TimeNewTrain = static_cast<int32_t>(std::trunc(r.TrainPeriod / w)) * 60000;
    LaunchOrdinaryTrain();
  }
  core::AddTo(CounterNewCrazy, dt);
  if (CounterNewCrazy >= TimeNewCrazy) {
    CounterNewCrazy = 0;
    TimeNewCrazy = MinutesToMs(GaussRandom(r.CrazyPeriod, kPeriodDeviation));
    const int colour = rnd::Below(NumberTown);  // drawn before the locomotive
    field_.LaunchTrain({.colour = colour,
                        .cars = NumberTown,
                        .loco = ChooseLocoType(),
                        .kind = TrainKind::kCrazy,
                        .town = kAnyTown},
                       Departure::kDelayed);
  }
  core::AddTo(CounterNewCrashes, dt);
  if (CounterNewCrashes >= TimeNewCrashes) {
    CounterNewCrashes = 0;
    TimeNewCrashes = MinutesToMs(GaussRandom(r.CrashPeriod, kPeriodDeviation));
    field_.DamageRandomTrack();
  }
  core::AddTo(CounterTimeWithoutTrain, dt);
  if (CounterTimeWithoutTrain >= kEmptyFieldTime) LaunchOrdinaryTrain();
  bool anyTrain = !field_.Trains().empty();
  for (const Town& t : field_.Towns()) anyTrain = anyTrain || !t.queue.empty();
  if (anyTrain) CounterTimeWithoutTrain = 0;
}

void Game::LaunchOrdinaryTrain() {
  const int colour = rnd::Below(NumberTown);
  const int cars = rnd::Below(Record().TrainCars);
  field_.LaunchTrain({.colour = colour, .cars = cars, .loco = ChooseLocoType(), .town = kAnyTown},
                     Departure::kDelayed);
}

void Game::UpdateMinuteTips(int32_t dt) {
  core::AddTo(CounterTimeMinuteTips, dt);
  if (CounterTimeMinuteTips < kMinuteTipsTime) return;
  ShowTip(tip::WarehouseLevelEnd, kMinuteTipX, kMinuteTipY, std::string());
  ShowTip(kMinuteTips[minuteTip_], kNoPlace, kNoPlace, std::string());
  minuteTip_ = (minuteTip_ + 1) % static_cast<int>(std::size(kMinuteTips));
  CounterTimeMinuteTips = 0;
}

// ---------------------------------------------------------------- the field's host

void Game::PostMessage(const std::string& text, bool important) {
  if (parts_.messages) parts_.messages->Post(text, important);
}

bool Game::TipAllowed(int number) { return Globals().ShowTips && tips_.CanShow(number); }

void Game::ShowTip(int number, int x, int y, const std::string& text) {
  if (applying_ && applying_->tip < 0) applying_->tip = number;
  tips_.Show(number, x, y, text);
}

bool Game::PlaceTip(int number, int x, int y) { return tips_.Place(number, x, y); }

double Game::Progress() { return progress_->GetProgress(); }

bool Game::TakeCatchUpRequest() {
  const bool due = catchUp_;
  catchUp_ = false;
  return due;
}

// Crashes rotate over the three samples of the crash sound, so that they can sound
// over each other.
void Game::PlaySound(int index) {
  if (applying_ && applying_->sound < 0) applying_->sound = index;
  if (index == snd::Crash) {
    index = snd::Crash + crashSound_;
    crashSound_ = (crashSound_ + 1) % 3;
  }
  Sound().Play(index, 0);
}

// Only the player sees the mark: the game's course is the same with or without it.
void Game::SwitchLocked(int x, int y) {
  if (Globals().LockMarks) lockMark_.Show(x, y);
}

void Game::TickMarks(int32_t elapsed) {
  lockMark_.Tick(elapsed);
  keyboard_->Tick(elapsed);
}

int32_t Game::GameType() const { return packLevel_ || Globals().GameType == 1 ? 1 : 0; }
