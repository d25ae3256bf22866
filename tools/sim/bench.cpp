// SPDX-License-Identifier: GPL-3.0-or-later
// Measures one movement step with the collision checks: 30 trains of 10 cars on the
// Puzzle layout with the most track.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/ClipTable.h"
#include "core/Random.h"
#include "game/LevelTable.h"
#include "railway/Field.h"
#include "railway/HeadlessSprites.h"
#include "railway/LevelRestore.h"
#include "railway/QuietFieldHost.h"

namespace {

struct Layout {
  Layout() { Refill(); }
  // A fresh field with the layout built and thirty trains of ten cars, one on each of
  // the first thirty free built tracks.
  void Refill() {
    rnd::SetRunSeed(11);
    field.reset();
    sprites = std::make_unique<HeadlessSprites>();
    field = std::make_unique<Field>(sprites.get(), &host);
    const LevelParams& p = Level(105);
    RebuildLevel(*field, p.TownsText, p.TracksText, NoForest(), {}, clip::Trees);
    int placed = 0;
    for (int j = 0; j < rail::kJunctions && placed < 30; ++j) {
      for (int d = 0; d <= 5 && placed < 30; ++d) {
        if (field->At(j).End(d) != EndState::kBuilt || field->IsTrackOccupied(d, j)) continue;
        field->PlaceTrain(6, 10, placed % 8, {j, d, 20}, TrainKind::kOrdinary, 0);
        ++placed;
      }
    }
  }
  QuietFieldHost host;
  std::unique_ptr<HeadlessSprites> sprites;
  std::unique_ptr<Field> field;
};

// Every iteration times the first movement step of a freshly filled field: the cars
// spread out behind their locomotives and every collision check runs over them.
void BM_MovementStep(benchmark::State& state) {
  Layout layout;
  double trains = 0;
  for (auto _ : state) {
    state.PauseTiming();
    layout.Refill();
    trains += static_cast<double>(layout.field->Trains().size());
    state.ResumeTiming();
    layout.field->StepAndCheck();
  }
  state.counters["trains"] = trains / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MovementStep)->Unit(benchmark::kMicrosecond);

// Later steps of the same field, refilled whenever crashes have thinned it out.
void BM_RunningSteps(benchmark::State& state) {
  Layout layout;
  for (auto _ : state) {
    if (layout.field->Trains().size() < 20) {
      state.PauseTiming();
      layout.Refill();
      state.ResumeTiming();
    }
    layout.field->StepAndCheck();
  }
}
BENCHMARK(BM_RunningSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
