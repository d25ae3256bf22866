// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/Solver.h"

#include <SDL.h>

#include <algorithm>
#include <map>

#include "game/Game.h"
#include "tools/game/GameCopy.h"
#include "tools/game/LevelPlanner.h"
#include "tools/game/ScriptedGame.h"

namespace {

constexpr int kFrameMs = GameCopy::kFrame;
constexpr long long kCrashWeight = 5000;  // a crash's later costs: the repair, the lost way
constexpr int kUnitWeight = 5;            // money a track unit nearer the goal is worth
constexpr int kLost = 1000;               // the units of a train with no way, or one queued
constexpr long long kStallWeight = 2000;  // a train that stood all the look: a fine's worth
constexpr long long kTurnWeight = 1500;   // a train turned again: it goes to and fro
constexpr long long kMargin = 500;        // how much better a hold must be than none
constexpr int kPastCrash = 2000;          // ms a hold against a crash lasts past it
constexpr int kFlipWindow = 2000;         // ms in which the flips of a loop are counted
constexpr int kLoopHold = 3000;           // ms a loop's switch or signal is held
constexpr int kStallLook = 10000;         // ms a look must last to tell a train stood
// ms without tries against turns or standing trains once such tries found no hold
constexpr int kCalm = 5000;

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 1; }

}  // namespace

Solver::Solver(Game& game, PlayerHands& hands, const SolverOptions& options, const EventLog* log)
    : game_(game),
      hands_(hands),
      options_(options),
      log_(log),
      pilot_(game, hands, log),
      targets_(game) {
  pilot_.LeaveAlone(&held_);
  if (options_.plans) {
    planner_ = std::make_unique<LevelPlanner>(game, hands, PlanOptions{}, options_, log);
  }
}

Solver::~Solver() = default;

void Solver::Note(const std::string& text) const {
  if (log_) log_->Print("solver " + text);
}

Solver::Memory Solver::Remember() const {
  Memory m;
  m.pilot = pilot_.Remember();
  m.holds = holds_;
  m.states = states_;
  m.flips = flips_;
  m.tick = tick_;
  m.nextLook = nextLook_;
  m.nextChoice = nextChoice_;
  m.calmUntil = calmUntil_;
  m.ways = ways_;
  m.losing = losing_;
  m.looks = looks_;
  m.tries = tries_;
  m.holdsMade = holdsMade_;
  return m;
}

void Solver::ContinueFrom(const Memory& m) {
  pilot_.ContinueFrom(m.pilot);
  holds_ = m.holds;
  held_.clear();
  for (const Hold& h : holds_) held_.insert(h.key);
  states_ = m.states;
  flips_ = m.flips;
  seenChange_ = 0;
  tick_ = m.tick;
  nextLook_ = m.nextLook;
  nextChoice_ = m.nextChoice;
  calmUntil_ = m.calmUntil;
  ways_ = m.ways;
  losing_ = m.losing;
  looks_ = m.looks;
  tries_ = m.tries;
  holdsMade_ = m.holdsMade;
  runs_.clear();
  printed_ = -1;
  savedAt_ = -1;
}

void Solver::Act() {
  if (planner_) {
    planner_->Act();
    return;
  }
  ++tick_;
  std::erase_if(holds_, [this](const Hold& h) { return h.until <= tick_; });
  held_.clear();
  for (const Hold& h : holds_) held_.insert(h.key);
  const bool playing = game_.GameState == kStatePlaying && game_.iGameMode == kOperatingMode;
  // The first choice waits for the first train: until then a play ahead tells nothing of
  // the level's traffic. Neither looks at a level still being laid out, whose copy would
  // stand laid out at once.
  const bool trains = !game_.GetField().Trains().empty();
  if (playing && trains && options_.lookahead > 0 && options_.choice > 0 && tick_ >= nextChoice_ &&
      game_.LaidOut()) {
    ChooseWays();
    nextChoice_ = tick_ + std::max(1, options_.choice / kFrameMs);
  }
  pilot_.TurnInTowns(ways_.townTurns || Emptied(game_));
  pilot_.TurnOnTheWay(ways_.turnsOnTheWay);
  if (playing && options_.lookahead > 0 && tick_ >= nextLook_ && game_.LaidOut()) {
    const bool trouble = Look() || !holds_.empty();
    nextLook_ = tick_ + std::max(1, (trouble ? options_.period : options_.quietPeriod) / kFrameMs);
  }
  if (!options_.acts) return;
  if (playing && tick_ % Autopilot::kPeriod == 0) {
    if (options_.lookahead > 0 && options_.flips > 0) BreakLoops();
    KeepHolds(game_, hands_, targets_, holds_);
  }
  pilot_.Act();
}

bool Solver::Look() {
  ++looks_;
  // Turns are looked at only while the level loses money: where the autopilot and the
  // holds against crashes play well, a train turned back is the autopilot giving way.
  losing_ = game_.MoneyCounter < game_.MoneyCounterBeginLevel;
  Clicks clicks;
  Outcome best = Try(holds_, options_.lookahead, 1 << 20, nullptr, &clicks);
  const int soon = options_.soon / kFrameMs;
  // A train turned back again soon is worth tries as a crash is: it goes to and fro, and
  // a long train loses half a minute getting up to speed each time. Only a look as long
  // as it takes to tell a standing train tells whether a turn pays.
  const bool turns = losing_ && options_.lookahead >= kStallLook && best.reversals > 0 &&
                     best.firstReversal <= soon;
  if (best.crashes == 0 && best.stalled == 0 && !turns) return false;
  const bool crashSoon = best.crashes > 0 && best.firstCrash <= soon;
  const bool urgent = crashSoon || turns;
  if (!urgent && best.stalled == 0) return true;
  // The tries so far may run ahead of the budget by one minute's worth at the most.
  const long long allowed =
      static_cast<long long>(options_.budget) * (tick_ * kFrameMs / 60000 + 1);
  if (tries_ >= allowed) return true;
  // Trains that stand are worth tries only while half a minute's budget is left for crashes
  // and turns.
  if (!urgent && tries_ + options_.budget / 2 >= allowed) return true;
  // Turns and standing trains that no hold helped are left alone a while: they are
  // often the autopilot's way of giving way, and tries at every look would leave none
  // for the crashes.
  if (losing_ && !crashSoon && tick_ < calmUntil_) return true;
  const int ahead = best.crashes;
  const int stalled = best.stalled;
  const int turned = best.reversals;
  auto trouble = [&best, turns] {
    return best.crashes > 0 || best.stalled > 0 || (turns && best.reversals > 0);
  };
  // Holds are added one by one while the best so far still crashes or stands.
  for (int round = 0; round < options_.depth && trouble(); ++round) {
    // The look's clicks were made with the holds of the first round alone.
    if (!Improve(best, round == 0 ? &clicks : nullptr)) {
      if (!crashSoon) calmUntil_ = tick_ + kCalm / kFrameMs;
      Note("finds no hold (" + std::to_string(ahead) + " crashes ahead, " +
           std::to_string(stalled) + " trains standing, " + std::to_string(turned) + " turns, " +
           std::to_string(tries_) + " tries)");
      break;
    }
    const Hold& chosen = holds_.back();
    const auto& [junction, side, signal] = chosen.key;
    Note(std::string("holds ") + (signal ? "signal " : "switch ") + std::to_string(junction) +
         " side " + std::to_string(side) + " at " + std::to_string(chosen.state) + " (" +
         std::to_string(ahead) + " crashes ahead, " + std::to_string(best.crashes) + " left; " +
         std::to_string(stalled) + " trains standing, " + std::to_string(best.stalled) + " left; " +
         std::to_string(turned) + " turns, " + std::to_string(best.reversals) + " left)");
  }
  return true;
}

bool Solver::Improve(Outcome& best, const Clicks* clicks) {
  // A hold against a crash lasts until a little after it would have come.
  int frames = options_.hold / kFrameMs;
  const int first = best.firstCrash >= 0 ? best.firstCrash : losing_ ? best.firstReversal : -1;
  if (first >= 0)
    frames = std::clamp(first + kPastCrash / kFrameMs, frames, options_.lookahead / kFrameMs);
  const std::vector<Hold> candidates = Candidates(best.where, frames);
  const Hold* chosen = nullptr;
  Outcome won = best;
  for (const Hold& c : candidates) {
    // Such a try would play the look again as it was: it cannot win. It still counts in
    // the budget, so that leaving it out makes the play cheaper but no different.
    if (clicks && !options_.triesEveryHold && ChangesNothing(c, *clicks)) {
      ++tries_;
      ++skipped_;
      continue;
    }
    std::vector<Hold> holds = holds_;
    holds.push_back(c);
    const Outcome o = Try(holds, options_.lookahead, won.crashes);
    if (o.crashes <= won.crashes && o.score > won.score + kMargin) {
      won = o;
      chosen = &c;
    }
  }
  if (!chosen) return false;
  // A hold that wins the look may only put the trouble off: it must win a longer one
  // too, against the autopilot alone.
  if (!Confirmed(*chosen)) return false;
  best = won;
  holds_.push_back(*chosen);
  held_.insert(chosen->key);
  ++holdsMade_;
  return true;
}

bool Solver::Confirmed(const Hold& hold) {
  if (options_.confirm <= 1) return true;
  const int longer = options_.lookahead * options_.confirm;
  const Outcome without = Try(holds_, longer);
  std::vector<Hold> holds = holds_;
  holds.push_back(hold);
  const Outcome with = Try(holds, longer, without.crashes);
  return with.crashes <= without.crashes && with.score > without.score + kMargin;
}

void Solver::ChooseWays() {
  // Where towns turn trains the autopilot's ways go round by them: on some railways that
  // is the only way home, on others it sends trains head-on into those behind. Turns at
  // red signals open ways on railways whose branches all end in towns, and on others
  // send trains back into those behind them. A long play each way tells which this
  // railway and these trains want. The plays are not counted in the holds' budget: they
  // are the same few a choice whatever happens.
  const int counted = tries_;
  const int ms = options_.lookahead * options_.choiceLooks;
  std::vector<Ways> ways = {{false, false}, {true, false}};
  if (options_.turnsOnTheWay) ways.push_back({false, true});
  if (options_.turnsOnTheWay && options_.bothTurns) ways.push_back({true, true});
  // Once the warehouse is empty a way without town turns plays as its twin with them.
  if (Emptied(game_)) {
    for (Ways& w : ways) w.townTurns = true;
    ways.erase(std::unique(ways.begin(), ways.end()), ways.end());
  }
  Ways best = ways_;
  long long most = 0;
  for (size_t i = 0; i < ways.size(); ++i) {
    const Outcome o = Try(holds_, ms, 1 << 20, &ways[i]);
    if (i == 0 || o.money > most) {
      most = o.money;
      best = ways[i];
    }
  }
  tries_ = counted;
  if (best != ways_) {
    Note(std::string("town turns ") + (best.townTurns ? "on" : "off") + ", turns on the way " +
         (best.turnsOnTheWay ? "on" : "off") + " (" + std::to_string(most) + ")");
  }
  ways_ = best;
}

bool Solver::ChangesNothing(const Hold& hold, const Clicks& clicks) const {
  const auto& [junction, side, signal] = hold.key;
  const Junction& at = game_.GetField().At(junction);
  const int now = signal ? static_cast<int>(at.SignalAt(side).state) : at.SwitchAt(side).active;
  if (now != hold.state) return false;
  const auto it = clicks.find(hold.key);
  return it == clicks.end() || it->second >= hold.until - tick_;
}

LookRun* Solver::RunFor(const std::vector<Hold>& holds, const Ways& ways) {
  // The game's own holds and ways, and the few tried beside them in one look or choice.
  constexpr size_t kMostRuns = 5;
  if (printed_ != tick_) {
    print_ = PlayPrint(game_, SwitchesPrint(game_.GetField()));
    printed_ = tick_;
  }
  ++uses_;
  for (const auto& run : runs_) {
    if (!options_.keepsRuns || !run->Serves(tick_, print_, holds, ways)) continue;
    ++reused_;
    run->Use(uses_);
    return run.get();
  }
  // The run that foretells the game's own holds and ways is kept for the next looks.
  LookRun* spare = nullptr;
  if (runs_.size() < kMostRuns) {
    runs_.push_back(std::make_unique<LookRun>(SDL_GetVideoSurface(), kLost));
    spare = runs_.back().get();
  }
  for (int pass = 0; pass < 2 && !spare; ++pass) {
    for (const auto& run : runs_) {
      if (pass == 0 && options_.keepsRuns && run->Serves(tick_, print_, holds_, ways_)) continue;
      if (!spare || run->LastUsed() < spare->LastUsed()) spare = run.get();
    }
  }
  if (!spare) return nullptr;
  // The game stands still while the solver looks: one saved state serves every copy
  // taken in the frame.
  if (savedAt_ != tick_) {
    saved_ = game_.SavedState();
    savedAt_ = tick_;
  }
  if (!spare->Start(game_, saved_, pilot_, tick_, holds, ways)) return nullptr;
  spare->Use(uses_);
  return spare;
}

Solver::Outcome Solver::Try(const std::vector<Hold>& holds, int ms, int worst, const Ways* ways,
                            Clicks* clicks) {
  // The budget counts tries of the look's length: a longer one counts as that many.
  tries_ += std::max(1, CeilDiv(ms, options_.lookahead));
  LookRun* run = RunFor(holds, ways ? *ways : ways_);
  if (!run) return {};
  const long long steps = run->Steps();
  const LookRun::Window w = run->Look(tick_, ms / kFrameMs, worst, clicks);
  played_ += run->Steps() - steps;
  std::vector<int> where = w.where;
  if (where.empty() && losing_) where = w.turnedAt;
  // A shorter look may end with a train still on its track as it goes its way.
  const int stalled = ms >= kStallLook ? w.stalled : 0;
  if (where.empty() && stalled > 0) where = w.stalledAt;
  const long long money = w.money - kCrashWeight * w.crashes;
  return {money - kUnitWeight * w.left - kStallWeight * stalled -
              (losing_ ? kTurnWeight * w.reversals : 0),
          money,
          w.crashes,
          stalled,
          w.firstCrash,
          w.reversals,
          w.firstReversal,
          where};
}

bool Solver::BreakLoops() {
  const Field& field = game_.GetField();
  // No switch or signal changed since the last time: none flipped.
  if (Junction::NewestChange() == seenChange_) return false;
  seenChange_ = Junction::NewestChange();
  std::vector<Autopilot::ControlKey> loops;
  for (int j = 0; j < rail::kJunctions; ++j) {
    if (!rail::ValidJunction(j)) continue;
    const Junction& at = field.At(j);
    for (int side = 0; side < 4; ++side) {
      const Junction::Switch& sw = at.SwitchAt(side);
      const Junction::Signal& sg = at.SignalAt(side);
      const std::pair<Autopilot::ControlKey, int> seen[] = {
          {{j, side, false}, sw.state == SwitchState::kWorking ? sw.active : -1},
          {{j, side, true}, sg.state >= SignalState::kGreen ? static_cast<int>(sg.state) : -1}};
      for (const auto& [key, state] : seen) {
        if (state < 0) continue;
        auto [it, added] = states_.try_emplace(key, state);
        if (added || it->second == state) continue;
        it->second = state;
        std::vector<int>& when = flips_[key];
        std::erase_if(when, [this](int t) { return t <= tick_ - kFlipWindow / kFrameMs; });
        when.push_back(tick_);
        if (static_cast<int>(when.size()) >= options_.flips && !held_.count(key))
          loops.push_back(key);
      }
    }
  }
  bool broke = false;
  for (const Autopilot::ControlKey& key : loops) {
    const Junction& at = field.At(std::get<0>(key));
    const int side = std::get<1>(key);
    Hold one{key, 0, tick_ + kLoopHold / kFrameMs}, other = one;
    if (std::get<2>(key)) {
      one.state = static_cast<int>(SignalState::kGreen);
      other.state = static_cast<int>(SignalState::kRed);
    } else {
      one.state = at.SwitchAt(side).active;
      other.state = at.SwitchAt(side).another;
    }
    std::vector<Hold> first = holds_, second = holds_;
    first.push_back(one);
    second.push_back(other);
    flips_.erase(key);
    // Held only when that plays clearly better than the autopilot's to and fro.
    const Outcome none = Try(holds_, options_.lookahead);
    const Outcome a = Try(first, options_.lookahead, none.crashes);
    const Outcome b = Try(second, options_.lookahead, none.crashes);
    const bool aWins = a.crashes < b.crashes || (a.crashes == b.crashes && a.score >= b.score);
    const Outcome& won = aWins ? a : b;
    if (won.crashes > none.crashes || won.score <= none.score + kMargin) continue;
    const Hold& chosen = aWins ? one : other;
    if (!Confirmed(chosen)) continue;
    holds_.push_back(chosen);
    held_.insert(key);
    ++holdsMade_;
    broke = true;
    Note(std::string("breaks a loop: holds ") + (std::get<2>(key) ? "signal " : "switch ") +
         std::to_string(std::get<0>(key)) + " side " + std::to_string(side) + " at " +
         std::to_string(chosen.state));
  }
  return broke;
}

std::vector<Solver::Hold> Solver::Candidates(const std::vector<int>& focus, int frames) const {
  std::vector<Hold> out;
  const Field& field = game_.GetField();
  const int until = tick_ + frames;
  ClickTargets& targets = const_cast<ClickTargets&>(targets_);
  for (int j : pilot_.JunctionsAhead(options_.reach, focus)) {
    if (static_cast<int>(out.size()) >= options_.most) break;
    if (!rail::ValidJunction(j)) continue;
    const Junction& at = field.At(j);
    for (int side = 0; side < 4; ++side) {
      int x = 0, y = 0;
      const Junction::Switch& sw = at.SwitchAt(side);
      const Autopilot::ControlKey sk{j, side, false};
      if (sw.state == SwitchState::kWorking && !held_.count(sk) &&
          targets.PointFor(sw.picture, x, y)) {
        out.push_back({sk, sw.active, until});
        out.push_back({sk, sw.another, until});
      }
      const Junction::Signal& sg = at.SignalAt(side);
      const Autopilot::ControlKey gk{j, side, true};
      if (sg.state >= SignalState::kGreen && !held_.count(gk) &&
          targets.PointFor(sg.picture, x, y)) {
        out.push_back({gk, static_cast<int>(SignalState::kGreen), until});
        out.push_back({gk, static_cast<int>(SignalState::kRed), until});
      }
    }
  }
  return out;
}
