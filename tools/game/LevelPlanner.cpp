// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/LevelPlanner.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>

#include "game/Game.h"
#include "railway/Geometry.h"
#include "tools/game/LookRun.h"
#include "tools/game/ScriptedGame.h"

namespace {

constexpr int kLost = 1000;               // the units of a train with no way, or one queued
constexpr long long kCrashWeight = 5000;  // a crash's later costs: the repair, the lost way
constexpr int kUnitWeight = 5;            // money a track unit nearer the goal is worth
constexpr long long kMargin = 500;        // how much better a hold must be than none

}  // namespace

// One play of the plan on a copy of the game with the solver, from a kept state.
class LevelPlanner::Run : public PlayerHands {
 public:
  explicit Run(const SolverOptions& options) : options_(options) {}
  ~Run() = default;
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // On the copy given; original: the game, whose state the first kept frame is.
  bool Start(GameCopy& on, Game& original, const Kept& kept, const std::vector<Hold>& holds) {
    SharedStateGuard guard;
    kept.shared.Apply();
    copy_ = &on;
    if (!copy_->CopyOf(kept.still ? kept.still->Copy() : original, kept.state)) return false;
    solver_ = std::make_unique<Solver>(copy_->Copy(), *this, options_);
    if (kept.remembers) solver_->ContinueFrom(kept.memory);
    holds_ = &holds;
    frame_ = kept.frame;
    base_ = kept.crashes;
    own_ = SharedState::Now();
    return true;
  }

  // While one lives, the copy's random streams and settings are in place.
  class Playing {
   public:
    explicit Playing(Run& run) : run_(run) { run_.own_.Apply(); }
    ~Playing() { run_.own_ = SharedState::Now(); }
    Playing(const Playing&) = delete;
    Playing& operator=(const Playing&) = delete;

   private:
    SharedStateGuard guard_;
    Run& run_;
  };

  // One frame (inside a Playing).
  void Step() {
    for (const Hold& h : *holds_) {
      if (h.from == frame_) Force(*solver_, h);
    }
    solver_->Act();
    copy_->Step();
    ++frame_;
  }

  // The state now, with the game standing still at it (inside a Playing).
  Kept Keep() {
    Game& copy = copy_->Copy();
    Kept k;
    k.frame = frame_;
    k.state = copy.SavedState();
    k.shared = SharedState::Now();
    k.memory = solver_->Remember();
    k.remembers = true;
    k.print = PlayPrint(copy, SwitchesPrint(copy.GetField()));
    k.crashes = Crashes();
    SharedStateGuard guard;
    k.still = std::make_shared<GameCopy>(SDL_GetVideoSurface());
    if (!k.still->CopyOf(copy, k.state)) k.still.reset();
    return k;
  }

  // The solver adds the hold as the frame it starts at comes.
  static void Force(Solver& solver, const Hold& h) {
    SolverHold hold = h.hold;
    hold.until = solver.Tick() + 1 + h.hold.until - h.from;
    solver.Force(hold);
  }

  int Frame() const { return frame_; }
  int Crashes() const { return base_ + copy_->Crashes(); }
  bool Ended() const { return copy_->Ended(); }
  long long Money() const { return copy_->Copy().MoneyCounter; }
  long long Left() const { return solver_->Pilot().DistanceLeft(kLost); }
  // The junctions at either end of the newest crash site's track.
  std::vector<int> NewestSite() const {
    const auto& sites = copy_->Copy().GetField().CrashSites();
    if (sites.empty()) return {};
    const rail::Place& p = sites.back().place;
    return {p.j, rail::Neighbour(p.j, p.d)};
  }

  void LeftClick(int x, int y) override { copy_->LeftClick(x, y); }
  void RightClick(int x, int y) override { copy_->RightClick(x, y); }

 private:
  const SolverOptions& options_;
  GameCopy* copy_ = nullptr;
  std::unique_ptr<Solver> solver_;
  const std::vector<Hold>* holds_ = nullptr;
  SharedState own_;
  int frame_ = 0;
  int base_ = 0;
};

LevelPlanner::LevelPlanner(Game& game, PlayerHands& hands, const PlanOptions& options,
                           const SolverOptions& solver, const EventLog* log)
    : game_(game), hands_(hands), options_(options), solverOptions_(solver), log_(log) {
  solverOptions_.plans = false;
  own_ = solverOptions_;
  solver_ = std::make_unique<Solver>(game_, hands_, solverOptions_, log_);
}

LevelPlanner::~LevelPlanner() = default;

void LevelPlanner::Note(const std::string& text) const {
  if (log_) log_->Print("planner " + text);
}

void LevelPlanner::Act() {
  ++tick_;
  if (start_ >= 0 && game_.LevelUpdate() < levelUpdate_) start_ = -1;  // a new level
  levelUpdate_ = game_.LevelUpdate();
  const bool playing = game_.GameState == kStatePlaying && game_.iGameMode == kOperatingMode;
  if (start_ < 0) {
    // A copy of a level still being laid out would stand laid out at once. Till the
    // level is laid out the solver plays alone, as it would without a plan, and the plan
    // and the game go on from what it has in mind then: a plan without holds plays as the
    // solver alone does.
    if (!playing || !game_.LaidOut()) {
      solver_->Act();
      return;
    }
    start_ = tick_;
    const Solver::Memory memory = solver_->Remember();
    MakePlan(memory);
    solver_ = std::make_unique<Solver>(game_, hands_, solverOptions_, log_);
    solver_->ContinueFrom(memory);
  }
  const int frame = tick_ - start_;
  if (const auto it = kept_.find(frame); it != kept_.end() && playing && !diverged_) {
    if (PlayPrint(game_, SwitchesPrint(game_.GetField())) != it->second.print) {
      diverged_ = true;
      Note("the game went otherwise than planned at frame " + std::to_string(frame));
    }
  }
  if (std::binary_search(resumes_.begin(), resumes_.end(), frame) && !diverged_) {
    solver_ = std::make_unique<Solver>(game_, hands_, solverOptions_, log_);
    solver_->ContinueFrom(kept_.at(frame).memory);
  }
  for (const Hold& h : holds_) {
    if (h.from == frame) Run::Force(*solver_, h);
  }
  solver_->Act();
}

void LevelPlanner::MakePlan(const Solver::Memory& memory) {
  holds_.clear();
  kept_.clear();
  resumes_.clear();
  diverged_ = false;
  Kept first;
  first.state = game_.SavedState();
  first.shared = SharedState::Now();
  first.memory = memory;
  first.remembers = true;
  first.print = PlayPrint(game_, SwitchesPrint(game_.GetField()));
  kept_[0] = first;
  alone_ = ChooseSolver();
  int from = 0, settled = 0;
  for (;;) {
    const int crash = PlayOn(from, settled);
    if (crash < 0) break;
    from = played_ < options_.budget ? Mend(crash, settled) : -1;
    if (from >= 0) continue;
    settled = crash + 1;
    from = crash / options_.keepEvery * options_.keepEvery;
  }
  DropIfNoBetter();
  Note("planned " + std::to_string(plannedCrashes_) + " crashes with " +
       std::to_string(holds_.size()) + " holds, " + std::to_string(played_) + " frames played");
}

int LevelPlanner::PlayOn(int from, int settled) {
  kept_.erase(kept_.upper_bound(from), kept_.end());
  resumes_.erase(std::lower_bound(resumes_.begin(), resumes_.end(), from), resumes_.end());
  if (from > 0) resumes_.push_back(from);
  Run run(solverOptions_);
  if (!run.Start(Copy(main_), game_, kept_.at(from), holds_)) return -1;
  // Tries start at most the longest step back before a crash, which is at the play's end:
  // older states let go of their still games.
  const int window =
      (options_.backs.empty() ? 0
                              : *std::max_element(options_.backs.begin(), options_.backs.end())) +
      options_.keepEvery;
  Run::Playing playing(run);
  for (;;) {
    const int f = run.Frame();
    if (f % options_.keepEvery == 0 && f != from) {
      kept_[f] = run.Keep();
      for (auto it = kept_.begin(); it != kept_.end() && it->first < f - window; ++it)
        it->second.still.reset();
    }
    if (run.Ended() || f >= Last()) {
      plannedCrashes_ = run.Crashes();
      plannedMoney_ = run.Money();
      return -1;
    }
    const int before = run.Crashes();
    run.Step();
    ++played_;
    if (run.Crashes() > before && f >= settled) {
      crashAt_ = run.NewestSite();
      plannedCrashes_ = run.Crashes();
      return f;
    }
  }
}

void LevelPlanner::DropIfNoBetter() {
  // A play never taken up from memory is the chosen solver's own.
  if (holds_.empty() && resumes_.empty()) return;
  // Holds judged over two minutes may cost more later on: the plan has to end the level
  // with more money than the chosen solver alone ends it with.
  if (alone_.money == LLONG_MIN || (!holds_.empty() && alone_.money < plannedMoney_)) return;
  Note("drops its plan, which ends with " + std::to_string(plannedMoney_) +
       ", for the solver's own play, which ends with " + std::to_string(alone_.money));
  holds_.clear();
  resumes_.clear();
  kept_.erase(kept_.upper_bound(0), kept_.end());
  plannedCrashes_ = alone_.crashes;
  plannedMoney_ = alone_.money;
}

LevelPlanner::End LevelPlanner::ChooseSolver() {
  SolverOptions best = own_;
  End bestEnd;
  const bool chooses = own_.lookahead > 0 && own_.choice > 0;
  for (const int shift : options_.choiceShifts) {
    if (shift != 0 && (!chooses || own_.choice + shift <= 0)) continue;
    solverOptions_ = own_;
    solverOptions_.choice += shift;
    const End end = Play({}, 0, Last());
    if (bestEnd.money == LLONG_MIN || end.money > bestEnd.money) {
      bestEnd = end;
      best = solverOptions_;
    }
  }
  solverOptions_ = best;
  if (best.choice != own_.choice) {
    Note("chooses ways every " + std::to_string(best.choice) + " ms, which ends with " +
         std::to_string(bestEnd.money));
  }
  return bestEnd;
}

LevelPlanner::End LevelPlanner::Play(const std::vector<Hold>& holds, int from, int to) {
  Run run(solverOptions_);
  if (!run.Start(Copy(trial_), game_, kept_.at(from), holds)) return {};
  Run::Playing playing(run);
  const int last = std::min(to, Last());
  while (run.Frame() < last && !run.Ended()) {
    run.Step();
    ++played_;
  }
  return {run.Money(), run.Crashes(), run.Left()};
}

long long LevelPlanner::Try(const std::vector<Hold>& holds, int from, int to) {
  const End end = Play(holds, from, to);
  if (end.money == LLONG_MIN) return LLONG_MIN;
  return end.money - kCrashWeight * end.crashes - kUnitWeight * end.left;
}

int LevelPlanner::Last() const {
  constexpr int kFramesAMinute = 60 * 1000 / GameCopy::kFrame;
  return (2 * game_.Record().LevelMinutes + 10) * kFramesAMinute;
}

std::vector<LevelPlanner::Hold> LevelPlanner::Candidates(int from, int crash) const {
  std::vector<Hold> out;
  const Field& field = game_.GetField();
  auto near = [this](int j) {
    if (crashAt_.empty()) return true;
    return std::any_of(crashAt_.begin(), crashAt_.end(), [&](int w) {
      return rail::ValidJunction(w) &&
             std::hypot(rail::JunctionX(j) - rail::JunctionX(w),
                        rail::JunctionY(j) - rail::JunctionY(w)) <= options_.radius;
    });
  };
  const int until = crash + options_.last;
  for (int j = 0; j < rail::kJunctions; ++j) {
    if (!rail::ValidJunction(j) || !near(j)) continue;
    const Junction& at = field.At(j);
    for (int side = 0; side < 4; ++side) {
      const Junction::Switch& sw = at.SwitchAt(side);
      if (sw.state == SwitchState::kWorking) {
        for (const int way : {sw.active, sw.another})
          out.push_back({{{j, side, false}, way, until}, from});
      }
      if (at.SignalAt(side).state >= SignalState::kGreen) {
        for (const SignalState light : {SignalState::kGreen, SignalState::kRed})
          out.push_back({{{j, side, true}, static_cast<int>(light), until}, from});
      }
    }
  }
  return out;
}

int LevelPlanner::Mend(int crash, int settled) {
  const int every = options_.keepEvery;
  const int to = crash + options_.horizon;
  const long long none = Try(holds_, crash / every * every, to);
  std::set<int> froms;
  for (const int back : options_.backs) {
    int from = std::max(0, crash - back) / every * every;
    if (from < settled) from = (settled + every - 1) / every * every;
    if (from <= crash && Usable(from)) froms.insert(from);
  }
  Hold best;
  long long bestValue = none + kMargin;
  bool found = false;
  // The latest start first: of two holds as good, the shorter one is kept.
  for (auto from = froms.rbegin(); from != froms.rend() && played_ < options_.budget; ++from) {
    for (const Hold& hold : Candidates(*from, crash)) {
      std::vector<Hold> holds = holds_;
      holds.push_back(hold);
      const long long value = Try(holds, *from, to);
      if (value > bestValue) {
        bestValue = value;
        best = hold;
        found = true;
      }
    }
  }
  if (!found) {
    Note("finds no hold against the crash at frame " + std::to_string(crash));
    return -1;
  }
  holds_.push_back(best);
  const auto& [junction, side, signal] = best.hold.key;
  Note("holds " + std::string(signal ? "signal " : "switch ") + std::to_string(junction) +
       " side " + std::to_string(side) + " at " + std::to_string(best.hold.state) + " from frame " +
       std::to_string(best.from) + " against the crash at " + std::to_string(crash) + " (" +
       std::to_string(none) + " -> " + std::to_string(bestValue) + ")");
  return best.from;
}

bool LevelPlanner::Usable(int frame) const {
  const auto it = kept_.find(frame);
  return it != kept_.end() && (frame == 0 || it->second.still);
}

GameCopy& LevelPlanner::Copy(std::unique_ptr<GameCopy>& copy) {
  if (!copy) copy = std::make_unique<GameCopy>(SDL_GetVideoSurface());
  return *copy;
}
