// SPDX-License-Identifier: GPL-3.0-or-later
// Game and level flow: the state machine, the help at start, level
// start and end, the release timers and the random draws.
#include <SDL.h>

#include <array>
#include <cmath>
#include <set>
#include <tuple>

#include "GameTestSupport.h"

using namespace gametest;

namespace {

constexpr int32_t kSkipMods = KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_CAPS;

TEST_F(GameTest, NewGameHelpOnceAndTheStateMachine) {
  Globals().DontShowBeginHelp = false;
  TestGame& g = Open();  // no saved game: a new one at level 1
  EXPECT_TRUE(g.GameState == kStatePlaying && !g.NeedNewGame && g.CurrentRound == 100);
  g.SetState(kStateStartHelp);  // the owner screen is shown
  EXPECT_TRUE(g.GameState == kStateStartHelp && g.PreviousState == kStatePlaying);
  EXPECT_TRUE(g.HelpShown && owner.paused && owner.helps == 1 && !owner.helpBoxStart);
  owner.helpBox = true;  // the player ticks "do not show at start"
  g.OnScreenClosed(GameScreen::kHelp, -1);
  EXPECT_TRUE(Globals().DontShowBeginHelp && !owner.paused && g.GameState == kStatePlaying);
  g.SetState(kStateStartHelp);  // no second help: straight back
  EXPECT_TRUE(owner.helps == 1 && g.GameState == kStatePlaying && Make().HelpShown);

  g.SetState(kStateRestoring);  // 3: nothing more
  EXPECT_EQ(g.GameState, kStateRestoring);
  g.NeedNewGame = true;
  g.AdvanceState();  // 3 -> 6
  EXPECT_TRUE(g.GameState == kStatePlaying && !g.NeedNewGame);
  g.GameState = kStateNewGame, g.NeedNewGame = true;
  g.AdvanceState();  // 2 -> 6
  EXPECT_TRUE(g.GameState == kStatePlaying && !g.NeedNewGame);
  g.AdvanceState();  // 6: nothing
  g.OnScreenClosed(GameScreen::kOther, -1);
  EXPECT_EQ(g.GameState, kStatePlaying);
  g.MoneyCounter = 5;  // the new-game screen: a new game at its level
  g.StartLevelNumber = 2;
  g.SetState(kStateNewGame);
  g.OnScreenClosed(GameScreen::kNewGame, -1);
  EXPECT_TRUE(g.GameState == kStatePlaying && g.CurrentRound == 102 && g.MoneyCounter == 100000);
}

// Time up and an empty field: 9, 2 s later the statistics (7), closing them starts the
// next level.
TEST_F(GameTest, LevelFinishesShowsItsStatisticsAndTheNextLevelStarts) {
  TestGame& g = Start(0, 1);
  Frames(g, 5);
  g.TrainCounter = 7;
  g.MoneyCounter = 90000;
  g.HoldProgress(100);
  Frames(g, 1);
  ASSERT_EQ(g.GameState, kStateLevelFinishing);
  Frames(g, 99);
  EXPECT_EQ(g.GameState, kStateLevelFinishing);
  Frames(g, 1);
  ASSERT_EQ(g.GameState, kStateLevelStatistics);
  EXPECT_TRUE(owner.paused && g.Said("End level", true));
  ASSERT_EQ(owner.levelEnds.size(), 1u);
  const LevelStatistics& s = owner.levelEnds[0];
  EXPECT_EQ(s.player, "Manager");
  EXPECT_EQ(std::vector({s.level, s.minutes, s.trains, s.trainsOnLevel, s.money, s.balanceChange}),
            std::vector({2, 15, 7, 7, 90000, -10000}));
  EXPECT_EQ(g.TotalTime, 15);
  g.EndLevel();  // already shown: nothing
  EXPECT_EQ(owner.levelEnds.size(), 1u);
  g.OnScreenClosed(GameScreen::kLevelStatistics, -1);
  EXPECT_TRUE(!owner.paused && g.GameState == kStatePlaying && g.CurrentRound == 2);
  EXPECT_EQ(std::pair(Globals().MaxLevelStrateg, Globals().MaxLevelPuzzle), std::pair(2, 0));
  EXPECT_EQ(std::pair(g.MoneyCounterBeginLevel, g.TrainCounterBeginLevel), std::pair(90000, 7));
  EXPECT_LT(g.Progress(), 1);
}

// A new game chosen while a level is finishing or the money has run out replaces the
// game without its statistics; a cancelled new-game dialog lets them show.
TEST_F(GameTest, ANewGameChosenAsTheGameEndsShowsNoOldStatistics) {
  for (int32_t ending : {kStateLevelFinishing, kStateOutOfMoney}) {
    for (int32_t code : {-1, -2}) {
      TestGame& g = Start(1, 1);
      Frames(g, 5);
      g.GameState = ending;
      owner.levelEnds.clear();
      owner.gameOvers.clear();
      g.OnScreenClosed(GameScreen::kNewGame, code);
      if (code == -1) g.SetState(kStateNewGame);
      const size_t shown = owner.levelEnds.size() + owner.gameOvers.size();
      EXPECT_EQ(shown, code == -1 ? 0u : 1u) << ending << " " << code;
      if (code == -1) {
        EXPECT_TRUE(g.GameState == kStatePlaying && !owner.paused) << ending;
      }
      Drop(g);
    }
  }
}

class LastLevel : public GameTest, public ::testing::WithParamInterface<std::array<int, 3>> {};

// The fifth level ends the game, and so does the sixth, reached only from the new-game
// screen: a new game at StartLevel; the best level stays at 5.
TEST_P(LastLevel, FinishingItStartsANewGame) {
  const auto [type, startLevel, skips] = GetParam();
  TestGame& g = Start(type, startLevel);
  for (int i = 0; i < skips; ++i) g.Apply(action::Make(ActionKind::kSkipLevel));
  ASSERT_EQ(g.CurrentRoundInType, startLevel + skips);
  g.TrainCounter = 3;
  g.EndLevel();
  g.OnScreenClosed(GameScreen::kLevelStatistics, -1);
  EXPECT_TRUE(g.GameState == kStatePlaying && g.CurrentRoundInType == startLevel);
  EXPECT_TRUE(g.TotalTime + g.TrainCounter == 0 && g.MoneyCounter == 100000);
  EXPECT_EQ(type == 1 ? Globals().MaxLevelPuzzle : Globals().MaxLevelStrateg, 5);
}

INSTANTIATE_TEST_SUITE_P(Types, LastLevel,
                         ::testing::Values(std::array{0, 0, 4}, std::array{1, 0, 4},
                                           std::array{0, 5, 0}, std::array{1, 5, 0}));

TEST_F(GameTest, DeveloperSkipNeedsEveryModifierAndStopsAtTheLastLevel) {
  TestGame& g = Start(1);
  g.MoneyCounter = 10;
  EXPECT_FALSE(Game::IsSkipLevelKey(SDLK_9, kSkipMods & ~KMOD_CAPS));
  EXPECT_FALSE(Game::IsSkipLevelKey(SDLK_8, kSkipMods));
  EXPECT_TRUE(Game::IsSkipLevelKey(SDLK_9, kSkipMods));
  EXPECT_TRUE(g.Apply(action::Make(ActionKind::kSkipLevel)).taken);
  EXPECT_TRUE(g.CurrentRound == 101 && g.MoneyCounter == 100000 && g.GameState == kStatePlaying);
  for (int i = 0; i < 4; ++i) g.Apply(action::Make(ActionKind::kSkipLevel));
  EXPECT_FALSE(g.Apply(action::Make(ActionKind::kSkipLevel)).taken);
  EXPECT_EQ(g.CurrentRound, 105);
}

// Classic: towns at 0.001 and 0.002 percent, then every TownAddPeriod; a town comes in
// exactly the updates whose progress has reached NewTownAdd; nothing is released before
// two towns.
TEST_F(GameTest, ClassicTownsComeOnTheirSchedule) {
  TestGame& g = Start(0, 3);  // 4 towns, 4 houses each, 10 minutes
  EXPECT_EQ(g.BeginTowns, std::vector<TrackPair>(2, TrackPair{-1, -1}));
  EXPECT_EQ(g.iGameMode, kBuildingMode);
  EXPECT_DOUBLE_EQ(g.TownAddPeriod, (100 - 2 * 0.001) / 3);
  EXPECT_DOUBLE_EQ(g.PercentAddNewHouse, 0.001 / 4);
  std::vector<double> dueAt;
  for (int i = 0; i < 40000 && g.NumberTown < 4; ++i) {
    const double p = g.Progress(), due = g.NewTownAdd;
    const int before = g.NumberTown;
    Frames(g, 1);
    ASSERT_EQ(g.NumberTown, before + (p >= due ? 1 : 0)) << "at " << p << " due " << due;
    if (g.NumberTown > before) dueAt.push_back(due);
    if (g.NumberTown < 2) {
      EXPECT_EQ(g.CounterNewTrain + g.CounterNewCrazy + g.CounterNewCrashes, 0);
    }
  }
  ASSERT_EQ(dueAt.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(dueAt[k], k < 2 ? 0.001 * (k + 1) : 0.002 + (k - 1) * g.TownAddPeriod, 1e-9);
  }
  EXPECT_GE(g.GetField().Houses().size(), 12u);
}

class PuzzleTowns : public GameTest,
                    public ::testing::WithParamInterface<std::pair<int, std::vector<int>>> {};

// Puzzle: the layout is laid at once; the towns come one per update at their places.
TEST_P(PuzzleTowns, OnePerUpdateAtTheirPlaces) {
  const auto& [level, inner] = GetParam();
  TestGame& g = Start(1, level);
  const int n = static_cast<int>(inner.size());
  EXPECT_TRUE(static_cast<int>(g.BeginTowns.size()) == n && g.TownAddPeriod == 1000000);
  EXPECT_TRUE(g.iGameMode == kOperatingMode && !g.GetField().BuiltTrackRecord().empty());
  for (int k = 1; k <= n; ++k) {
    Frames(g, 1);
    ASSERT_EQ(g.NumberTown, k);
    EXPECT_EQ(g.GetField().Towns()[k - 1].innerJunction, inner[k - 1]);
  }
  Frames(g, 20);
  EXPECT_EQ(g.NumberTown, n);
}

INSTANTIATE_TEST_SUITE_P(Levels, PuzzleTowns,
                         ::testing::Values(std::pair{0, std::vector{97, 17, 62}},
                                           std::pair{4, std::vector{14, 110, 46, 78, 94, 30}},
                                           std::pair{
                                               3, std::vector{14, 17, 33, 113, 97, 30, 110, 94}}));

// The next ordinary-train period: GaussRandom(TrainPeriod, 0.5) / w minutes, or when
// that is negative trunc(TrainPeriod / w) minutes.
TEST_F(GameTest, NegativeTrainPeriodIsReplaced) {
  TestGame& g = Ready(Start(1, 1), 20);  // TrainPeriod 1.5, waves of 5 min to 1.1
  const double w = (1 + 20 * (1.1 - 1) / 300000) * (20.0 / 200 + 1);
  for (bool negative : {true, false}) {
    unsigned seed = 1;
    rnd::Stream& stream = rnd::GameStream();
    for (stream.Seed(seed); (Game::GaussRandom(1.5, 0.5) < 0) != negative; stream.Seed(++seed)) {
    }
    stream.Seed(seed);
    const double gauss = Game::GaussRandom(1.5, 0.5);
    g.CounterWave = 0;
    g.CounterNewTrain = g.TimeNewTrain = 20;
    stream.Seed(seed);
    Frames(g, 1);
    EXPECT_EQ(g.TimeNewTrain, negative ? static_cast<int32_t>(std::trunc(1.5 / w)) * 60000
                                       : static_cast<int32_t>(std::trunc(gauss / w * 60000)));
    EXPECT_EQ(g.CounterNewTrain, 0);
  }
}

TEST_F(GameTest, ZeroCrazyAndDamagePeriodsFireOnTheNextUpdate) {
  TestGame& g = Ready(Start(1, 1));
  g.TimeNewCrazy = 0;
  g.TimeNewCrashes = -5;
  Frames(g, 1);
  EXPECT_EQ(g.CounterNewCrazy + g.CounterNewCrashes, 0);
  EXPECT_NEAR(g.TimeNewCrazy, 5 * 60000, 4 * 30000);  // CrazyPeriod 5 minutes
  EXPECT_GT(g.TimeNewCrashes, 0);
  EXPECT_TRUE(g.GetField().CrashSites().size() == 1 && g.Said("Track is damaged"));
  int crazy = 0;
  for (const Town& t : g.GetField().Towns())
    crazy += t.countdown != -1 && t.delayed.kind == TrainKind::kCrazy;
  EXPECT_EQ(crazy, 1);
}

// Nothing on the field for 5 s: a launch on every update until a train is on the field
// or queued, so every town soon has a start pending.
TEST_F(GameTest, EmptyFieldLaunchesOnEveryUpdate) {
  TestGame& g = Ready(Start(1, 3));  // eight towns
  g.CounterTimeWithoutTrain = 4980;
  Frames(g, 1);
  EXPECT_EQ(g.Sounds(snd::NewTrainSemafor), 1);
  Frames(g, 30);
  ASSERT_TRUE(g.GetField().Trains().empty());
  EXPECT_GE(g.CounterTimeWithoutTrain, 5000);
  EXPECT_GE(g.Sounds(snd::NewTrainSemafor), 6);
  RunUntil(g, [&] { return !g.GetField().Trains().empty(); });
  EXPECT_EQ(g.CounterTimeWithoutTrain, 0);
}

class LocoTypes : public GameTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

// c = lo + floor(p (hi - lo - 1) / 80) - rand() % 2, 15 % of draws any of 0..c, kept
// within lo..hi-1: every value from lo to the top one comes up, and no other.
TEST_P(LocoTypes, RangeByProgress) {
  TestGame& g = Start(std::get<0>(GetParam()), std::get<1>(GetParam()));
  const LevelParams& r = g.Record();
  const int hi = r.LocoMax == -1 ? 8 : r.LocoMax, lo = std::max(r.LocoMin, 0);
  for (double p : {0.0, 40.0, 100.0}) {
    g.HoldProgress(p);
    const int top = std::min(lo + static_cast<int>(std::floor(p * (hi - lo - 1) / 80)), hi - 1);
    std::set<int> seen;
    for (int i = 0; i < 4000; ++i) seen.insert(g.ChooseLocoType());
    EXPECT_EQ(std::tuple(*seen.begin(), *seen.rbegin(), static_cast<int>(seen.size())),
              std::tuple(lo, top, top - lo + 1))
        << "progress " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(Records, LocoTypes,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Range(0, 6)),
                         [](const auto& i) {
                           return std::to_string(std::get<0>(i.param) * 100 + std::get<1>(i.param));
                         });

TEST(GameRandom, GaussMeanAndSpread) {
  rnd::SetRunSeed(5);
  for (double mean : {1.5, 1000.0}) {
    double sum = 0, squares = 0;
    const int n = 40000;
    for (int i = 0; i < n; ++i) {
      const double v = Game::GaussRandom(mean, 0.5);
      sum += v, squares += (v - mean) * (v - mean);
    }
    EXPECT_NEAR(sum / n, mean, 0.01);
    EXPECT_NEAR(std::sqrt(squares / n), 0.5, 0.01);
  }
}

}  // namespace
