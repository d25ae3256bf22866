// SPDX-License-Identifier: GPL-3.0-or-later
// What a saved game's running values can be. Each bound is what the rules can reach in
// the saved level, so a value outside it was never written by this game: the load
// refuses the file rather than play on with a timer that never fires, a counter that
// overflows or a level that never ends.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "core/Random.h"
#include "game/Game.h"

namespace {

// More deliveries than ten trains a second, in any level, are past what trains can do
// (a train takes seconds to enter its town); the bound only has to be finite.
constexpr double kMostDeliveriesPerMinute = 600;
// The release timers run while the level's progress is below 100, a little longer than
// its minutes (the engine's last trip and its stops); twice the minutes and one more
// covers that with room to spare.
constexpr double kLevelMsFactor = 2 * 60000.0;
constexpr double kLevelMsSlack = 60000;
constexpr double kTolerance = 1e-9;  // relative, for doubles written with 15 digits

struct Bounded {
  const char* name;
  double value;
  double low;
  double high;
};

// The name of the first value outside its bounds (NaN is outside every bound), or
// nullptr when all are inside.
const char* FirstOutside(std::initializer_list<Bounded> values) {
  for (const Bounded& b : values) {
    if (!(b.value >= b.low && b.value <= b.high)) return b.name;
  }
  return nullptr;
}

// Bounds that hold one value, give or take the rounding of the saved text.
Bounded Exactly(const char* name, double value, double expected) {
  const double slack = std::abs(expected) * kTolerance;
  return {name, value, expected - slack, expected + slack};
}

// The periods a release timer can be given: the level's mean drawn with the game's
// deviation, never further than the generator's reach. The ordinary trains' period is
// also divided by the wave's rate factor, which is at least 1, or, when the draw came
// out negative, replaced by a whole number of minutes at least 0: both stay inside.
double LowestPeriod(double meanMinutes) {
  return std::min(0.0,
                  std::trunc((meanMinutes - rnd::kGaussReach * Game::kPeriodDeviation) * 60000));
}
double LongestPeriod(double meanMinutes) {
  return std::trunc((meanMinutes + rnd::kGaussReach * Game::kPeriodDeviation) * 60000);
}

}  // namespace

// Read after the level was laid out again: the level record is the saved level's.
const char* Game::OutsidePhaseOne() const {
  const LevelParams& r = Record();
  double earlierMinutes = 0;  // the levels a game can have finished before this one
  for (int level = 0; level < CurrentRoundInType; ++level) {
    earlierMinutes += Level(LevelIndex(level, GameType())).LevelMinutes;
  }
  const double playedMinutes = earlierMinutes + 2.0 * r.LevelMinutes + 1;
  const double levelMs = r.LevelMinutes * kLevelMsFactor + kLevelMsSlack;
  const double wave = std::trunc(r.WaveMinutes) * 60000;
  return FirstOutside({
      {"TotalTime", double(TotalTime), 0, earlierMinutes},
      {"TrainCounter", double(TrainCounter), 0, kMostDeliveriesPerMinute * playedMinutes},
      {"TrainCounterBeginLevel", double(TrainCounterBeginLevel), 0, double(TrainCounter)},
      {"MoneyCounter", double(MoneyCounter), 0, INT32_MAX},
      {"MoneyCounterBeginLevel", double(MoneyCounterBeginLevel), 0, INT32_MAX},
      {"CounterTimeWithoutTrain", double(CounterTimeWithoutTrain), 0, levelMs},
      Exactly("TimeWave", TimeWave, wave),
      {"CounterWave", double(CounterWave), 0, std::max(wave, 0.0)},
      {"TimeNewTrain", double(TimeNewTrain), LowestPeriod(r.TrainPeriod),
       LongestPeriod(r.TrainPeriod)},
      {"CounterNewTrain", double(CounterNewTrain), 0, double(std::max(TimeNewTrain, 0))},
      {"TimeNewCrazy", double(TimeNewCrazy), LowestPeriod(r.CrazyPeriod),
       LongestPeriod(r.CrazyPeriod)},
      {"CounterNewCrazy", double(CounterNewCrazy), 0, double(std::max(TimeNewCrazy, 0))},
      {"TimeNewCrashes", double(TimeNewCrashes), LowestPeriod(r.CrashPeriod),
       LongestPeriod(r.CrashPeriod)},
      {"CounterNewCrashes", double(CounterNewCrashes), 0, double(std::max(TimeNewCrashes, 0))},
      {"PercentCounterNewHouse", PercentCounterNewHouse, 0, 100},
      // Read again in the second phase, where the town period bounds it.
      {"PercentAddNewHouse", PercentAddNewHouse, 0, kNoMoreTowns},
  });
}

// Read once the level's towns are back on the field.
const char* Game::OutsidePhaseTwo() const {
  const LevelParams& r = Record();
  const bool noMoreTowns = std::abs(TownAddPeriod - kNoMoreTowns) <= kNoMoreTowns * kTolerance;
  const double period = noMoreTowns ? kNoMoreTowns : TownAddPeriod;
  return FirstOutside({
      // Every town the counter counts is on the field again, from the saved records.
      Exactly("NumberTown", NumberTown, double(field_.Towns().size())),
      // A town's houses, and the first ones of the next town in the same update.
      {"NumberHouseForNextTown", double(NumberHouseForNextTown), 0, 2.0 * r.HousesPerTown + 2},
      Exactly("PercentDeltaFirstTown", PercentDeltaFirstTown, kFirstTownDelta),
      // Either no town is left to come, or the rest of the level shared among them.
      {"TownAddPeriod", noMoreTowns ? 1 : TownAddPeriod, 1e-9, 100},
      {"NewTownAdd", NewTownAdd, 0, 100 + period},
      {"PercentAddNewHouse", PercentAddNewHouse, 0, std::max(period, kFirstTownDelta)},
      {"PercentCounterNewHouse", PercentCounterNewHouse, 0, 100},
  });
}
