// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/Solver.h"

#include <SDL.h>

#include <algorithm>

#include "game/Game.h"
#include "tools/game/GameCopy.h"
#include "tools/game/ScriptedGame.h"

namespace {

constexpr int kFrameMs = GameCopy::kFrame;
constexpr long long kCrashWeight = 5000;  // a crash's later costs: the repair, the lost way
constexpr int kUnitWeight = 5;            // money a track unit nearer the goal is worth
constexpr int kLost = 1000;               // the units of a train with no way, or one queued

const FieldSprite* PictureOf(const Junction& at, const Autopilot::ControlKey& key) {
  const auto& [junction, side, signal] = key;
  return signal ? at.SignalAt(side).picture : at.SwitchAt(side).picture;
}

// Whether the switch or signal stands as the hold wants it, or cannot be thrown now.
bool Kept(const Junction& at, const Solver::Hold& hold) {
  const auto& [junction, side, signal] = hold.key;
  if (signal) {
    const Junction::Signal& s = at.SignalAt(side);
    return s.state < SignalState::kGreen || static_cast<int>(s.state) == hold.state;
  }
  const Junction::Switch& sw = at.SwitchAt(side);
  return sw.state != SwitchState::kWorking || sw.lock || sw.active == hold.state;
}

}  // namespace

void KeepHolds(Game& game, PlayerHands& hands, ClickTargets& targets,
               const std::vector<Solver::Hold>& holds) {
  for (const Solver::Hold& hold : holds) {
    const Junction& at = game.GetField().At(std::get<0>(hold.key));
    if (Kept(at, hold)) continue;
    int x = 0, y = 0;
    if (targets.ClickFor(PictureOf(at, hold.key), x, y)) hands.LeftClick(x, y);
  }
}

Solver::Solver(Game& game, PlayerHands& hands, const SolverOptions& options, const EventLog* log)
    : game_(game),
      hands_(hands),
      options_(options),
      log_(log),
      pilot_(game, hands, log),
      targets_(game) {
  pilot_.LeaveAlone(&held_);
}

Solver::~Solver() = default;

void Solver::Note(const std::string& text) const {
  if (log_) log_->Print("solver " + text);
}

void Solver::Act() {
  ++tick_;
  std::erase_if(holds_, [this](const Hold& h) { return h.until <= tick_; });
  held_.clear();
  for (const Hold& h : holds_) held_.insert(h.key);
  const bool playing = game_.GameState == kStatePlaying && game_.iGameMode == kOperatingMode;
  if (playing && options_.lookahead > 0 && tick_ >= nextLook_) {
    const bool trouble = Look() || !holds_.empty();
    nextLook_ = tick_ + std::max(1, (trouble ? options_.period : options_.quietPeriod) / kFrameMs);
  }
  if (!options_.acts) return;
  if (playing && tick_ % Autopilot::kPeriod == 0) KeepHolds(game_, hands_, targets_, holds_);
  pilot_.Act();
}

bool Solver::Look() {
  ++looks_;
  Outcome best = Try(holds_);
  if (best.crashes == 0) return false;
  if (best.firstCrash > options_.soon / kFrameMs) return true;
  // The tries so far may run ahead of the budget by one minute's worth at the most.
  const long long allowed =
      static_cast<long long>(options_.budget) * (tick_ * kFrameMs / 60000 + 1);
  if (tries_ >= allowed) return true;
  const int ahead = best.crashes;
  // Holds are added one by one while the best so far still crashes.
  for (int round = 0; round < options_.depth && best.crashes > 0; ++round) {
    if (!Improve(best)) break;
    const Hold& chosen = holds_.back();
    const auto& [junction, side, signal] = chosen.key;
    Note(std::string("holds ") + (signal ? "signal " : "switch ") + std::to_string(junction) +
         " side " + std::to_string(side) + " at " + std::to_string(chosen.state) + " (" +
         std::to_string(ahead) + " crashes ahead, " + std::to_string(best.crashes) + " left)");
  }
  return true;
}

bool Solver::Improve(Outcome& best) {
  const std::vector<Hold> candidates = Candidates(best.where);
  const Hold* chosen = nullptr;
  for (const Hold& c : candidates) {
    std::vector<Hold> holds = holds_;
    holds.push_back(c);
    const Outcome o = Try(holds, best.crashes);
    if (o.crashes <= best.crashes && o.score > best.score) {
      best = o;
      chosen = &c;
    }
  }
  if (!chosen) return false;
  holds_.push_back(*chosen);
  held_.insert(chosen->key);
  ++holdsMade_;
  return true;
}

Solver::Outcome Solver::Try(const std::vector<Hold>& holds, int worst) {
  ++tries_;
  SharedStateGuard guard;
  if (!copy_) copy_ = std::make_unique<GameCopy>(SDL_GetVideoSurface());
  if (!copy_->CopyOf(game_)) return {};
  Game& copy = copy_->Copy();
  Autopilot pilot(copy, *copy_, nullptr);
  pilot.ContinueFrom(pilot_);
  std::set<Autopilot::ControlKey> held;
  for (const Hold& h : holds) held.insert(h.key);
  pilot.LeaveAlone(&held);
  ClickTargets targets(copy);
  std::vector<Hold> active = holds;
  const int frames = options_.lookahead / kFrameMs;
  int firstCrash = -1;
  const size_t sites = copy.GetField().CrashSites().size();
  std::vector<int> where;
  for (int f = 0; f < frames && !copy_->Ended() && copy_->Crashes() <= worst; ++f) {
    // Frame f of the copy is the game's frame tick_ + f: the holds end and are kept as
    // they would be there.
    if (std::erase_if(active, [this, f](const Hold& h) { return h.until <= tick_ + f; }) > 0) {
      held.clear();
      for (const Hold& h : active) held.insert(h.key);
    }
    if ((tick_ + f) % Autopilot::kPeriod == 0) KeepHolds(copy, *copy_, targets, active);
    pilot.Act();
    copy_->Step();
    if (firstCrash < 0 && copy_->Crashes() > 0) {
      firstCrash = f;
      const auto& now = copy.GetField().CrashSites();
      if (now.size() > sites) {
        const rail::Place& p = now.back().place;
        where = {p.j, rail::Neighbour(p.j, p.d)};
      }
    }
  }
  long long queued = 0;
  for (const Town& town : copy.GetField().Towns())
    queued += static_cast<long long>(town.queue.size());
  const long long left = pilot.DistanceLeft(kLost) + queued * kLost;
  return {copy.MoneyCounter - kCrashWeight * copy_->Crashes() - kUnitWeight * left,
          copy_->Crashes(), firstCrash, where};
}

std::vector<Solver::Hold> Solver::Candidates(const std::vector<int>& focus) const {
  std::vector<Hold> out;
  const Field& field = game_.GetField();
  const int until = tick_ + options_.hold / kFrameMs;
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
