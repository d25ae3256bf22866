// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/LookRun.h"

#include <algorithm>

#include "core/Random.h"
#include "game/Game.h"

namespace {

// The junctions at either end of the track a train's head is on, lower first.
std::pair<int, int> TrackOf(const Train& train) {
  const int a = train.head.j, b = rail::Neighbour(train.head.j, train.head.d);
  return {std::min(a, b), std::max(a, b)};
}

const FieldSprite* PictureOf(const Junction& at, const Autopilot::ControlKey& key) {
  const auto& [junction, side, signal] = key;
  return signal ? at.SignalAt(side).picture : at.SwitchAt(side).picture;
}

// Whether the switch or signal stands as the hold wants it, or cannot be thrown now.
bool Kept(const Junction& at, const SolverHold& hold) {
  const auto& [junction, side, signal] = hold.key;
  if (signal) {
    const Junction::Signal& s = at.SignalAt(side);
    return s.state < SignalState::kGreen || static_cast<int>(s.state) == hold.state;
  }
  const Junction::Switch& sw = at.SwitchAt(side);
  return sw.state != SwitchState::kWorking || sw.lock || sw.active == hold.state;
}

// The holds that last past frame tick.
std::vector<SolverHold> Lasting(const std::vector<SolverHold>& holds, int tick) {
  std::vector<SolverHold> out;
  for (const SolverHold& h : holds)
    if (h.until > tick) out.push_back(h);
  return out;
}

// One more value mixed into a print.
uint64_t Mix(uint64_t hash, int64_t value) {
  hash = (hash ^ static_cast<uint64_t>(value)) * 0x100000001b3ULL;
  return hash ^ (hash >> 29);
}

}  // namespace

bool Emptied(Game& game) { return game.Progress() >= 100; }

void KeepHolds(Game& game, PlayerHands& hands, ClickTargets& targets,
               const std::vector<SolverHold>& holds) {
  for (const SolverHold& hold : holds) {
    const Junction& at = game.GetField().At(std::get<0>(hold.key));
    if (Kept(at, hold)) continue;
    int x = 0, y = 0;
    if (targets.ClickFor(PictureOf(at, hold.key), x, y)) hands.LeftClick(x, y);
  }
}

uint64_t SwitchesPrint(const Field& field) {
  uint64_t hash = 0;
  for (int j = 0; j < rail::kJunctions; ++j) {
    if (!rail::ValidJunction(j)) continue;
    const Junction& at = field.At(j);
    for (int side = 0; side < 4; ++side) {
      const Junction::Switch& sw = at.SwitchAt(side);
      hash = Mix(hash, static_cast<int>(sw.state) * 64 + sw.active * 8 +
                           static_cast<int>(at.SignalAt(side).state));
    }
  }
  return hash;
}

uint64_t PlayPrint(const Game& game, uint64_t switches) {
  const Field& field = game.GetField();
  uint64_t hash = Mix(switches, game.MoneyCounter);
  hash = Mix(hash, rnd::GameStream().State());
  hash = Mix(hash, static_cast<int64_t>(field.CrashSites().size()));
  for (const auto& train : field.Trains()) {
    for (const int64_t v :
         {int64_t{train->colour}, int64_t{train->CarCount()}, int64_t{train->reversed},
          int64_t{train->head.j}, int64_t{train->head.d}, static_cast<int64_t>(train->head.pos)})
      hash = Mix(hash, v);
  }
  for (const Town& town : field.Towns()) hash = Mix(hash, static_cast<int64_t>(town.queue.size()));
  return hash;
}

LookRun::LookRun(SDL_Surface* display, int lost) : display_(display), lost_(lost) {}

LookRun::~LookRun() = default;

bool LookRun::Start(Game& game, const core::ParamEntries& state, const Autopilot& pilot, int tick,
                    const std::vector<SolverHold>& holds, const SolverWays& ways) {
  SharedStateGuard guard;
  frames_.clear();
  pilot_.reset();
  targets_.reset();
  if (!copy_) copy_ = std::make_unique<GameCopy>(display_);
  if (!copy_->CopyOf(game, state)) return false;
  Game& copy = copy_->Copy();
  pilot_ = std::make_unique<Autopilot>(copy, *copy_, nullptr);
  pilot_->ContinueFrom(pilot);
  pilot_->TurnOnTheWay(ways.turnsOnTheWay);
  pilot_->WriteClicksTo(&clicked_);
  targets_ = std::make_unique<ClickTargets>(copy);
  plan_ = holds_ = holds;
  held_.clear();
  for (const SolverHold& h : holds_) held_.insert(h.key);
  pilot_->LeaveAlone(&held_);
  ways_ = ways;
  switchesAt_ = Junction::NewestChange();
  switches_ = SwitchesPrint(copy.GetField());
  first_ = tick;
  frames_.push_back(Record());
  own_ = SharedState::Now();
  return true;
}

bool LookRun::Serves(int tick, uint64_t print, const std::vector<SolverHold>& holds,
                     const SolverWays& ways) const {
  if (!pilot_ || tick < first_ || tick - first_ >= static_cast<int>(frames_.size())) return false;
  const Frame& then = frames_[static_cast<size_t>(tick - first_)];
  return !then.ended && then.print == print && ways == ways_ &&
         Lasting(plan_, tick) == Lasting(holds, tick);
}

void LookRun::Step() {
  const int tick = first_ + static_cast<int>(frames_.size()) - 1;
  Game& copy = copy_->Copy();
  // The holds end and are kept as they would be in the game at that frame.
  if (std::erase_if(holds_, [tick](const SolverHold& h) { return h.until <= tick; }) > 0) {
    held_.clear();
    for (const SolverHold& h : holds_) held_.insert(h.key);
  }
  if (tick % Autopilot::kPeriod == 0) KeepHolds(copy, *copy_, *targets_, holds_);
  // From the frame the copy's warehouse empties, as the game's solver does.
  pilot_->TurnInTowns(ways_.townTurns || Emptied(copy));
  pilot_->Act();
  copy_->Step();
  ++steps_;
  frames_.push_back(Record());
  frames_.back().clicks.swap(clicked_);
  clicked_.clear();
}

LookRun::Frame LookRun::Record() {
  const Game& copy = copy_->Copy();
  const Field& field = copy.GetField();
  Frame f;
  f.money = copy.MoneyCounter;
  long long queued = 0;
  for (const Town& town : field.Towns()) queued += static_cast<long long>(town.queue.size());
  f.left = pilot_->DistanceLeft(lost_) + queued * lost_;
  f.crashes = copy_->Crashes();
  const auto& sites = field.CrashSites();
  f.sites = static_cast<int>(sites.size());
  if (!sites.empty()) {
    const rail::Place& p = sites.back().place;
    f.newestSite = {p.j, rail::Neighbour(p.j, p.d)};
  }
  f.ended = copy_->Ended();
  if (switchesAt_ != Junction::NewestChange()) {
    switchesAt_ = Junction::NewestChange();
    switches_ = SwitchesPrint(field);
  }
  f.print = PlayPrint(copy, switches_);
  f.trains.reserve(field.Trains().size());
  for (const auto& train : field.Trains()) {
    if (train->kind == TrainKind::kRepair) continue;
    f.trains.push_back(
        {train->serial, train->colour, train->cars.size(), train->reversed, TrackOf(*train)});
  }
  return f;
}

size_t LookRun::End(size_t from, int frames, int worst) {
  const size_t last = from + static_cast<size_t>(std::max(frames, 0));
  size_t i = from;
  while (i < last && !frames_[i].ended && frames_[i].crashes - frames_[from].crashes <= worst) {
    if (i + 1 == frames_.size()) Step();
    ++i;
  }
  return i;
}

void LookRun::Forget(int tick) {
  // The record is cut back now and then, not at every look.
  constexpr int kKept = 1000;
  const int gone = tick - first_;
  if (gone < kKept) return;
  frames_.erase(frames_.begin(), frames_.begin() + gone);
  first_ = tick;
}

LookRun::Window LookRun::Look(int tick, int frames, int worst,
                              std::map<Autopilot::ControlKey, int>* clicks) {
  Forget(tick);
  size_t end = 0;
  {
    SharedStateGuard guard;
    own_.Apply();
    end = End(static_cast<size_t>(tick - first_), frames, worst);
    own_ = SharedState::Now();
  }
  const size_t from = static_cast<size_t>(tick - first_);
  const Frame& start = frames_[from];
  Window w;
  // Each train's turns and the track its head was on a frame ago: one turn is often the
  // autopilot giving way, but a train that turns again goes to and fro and gets nowhere.
  // (Trains are known by their serials: a train made later at a gone one's address is
  // another train, which must not count as one that turned again.)
  struct Heading {
    TrainSeen was;
    int turns = 0;
  };
  std::vector<Heading> heading;
  if (clicks) clicks->clear();
  for (size_t i = from + 1; i <= end; ++i) {
    const Frame& now = frames_[i];
    const int f = static_cast<int>(i - from - 1);
    if (clicks)
      for (const auto& key : now.clicks) clicks->try_emplace(key, f);
    for (const TrainSeen& t : now.trains) {
      if (t.cars == 0) continue;
      auto it = std::find_if(heading.begin(), heading.end(),
                             [&t](const Heading& h) { return h.was.serial == t.serial; });
      if (it == heading.end()) {
        heading.push_back({t, 0});
        continue;
      }
      int turns = 0;
      if (it->was.colour == t.colour && it->was.cars == t.cars) {
        turns = it->turns + (it->was.reversed != t.reversed ? 1 : 0);
        if (turns > it->turns && turns >= 2) {
          ++w.reversals;
          if (w.firstReversal < 0) {
            w.firstReversal = f;
            w.turnedAt = {it->was.track.first, it->was.track.second};
          }
        }
      }
      *it = {t, turns};
    }
    if (w.firstCrash < 0 && now.crashes > start.crashes) {
      w.firstCrash = f;
      if (now.sites > start.sites) w.where = {now.newestSite.first, now.newestSite.second};
    }
  }
  const Frame& last = frames_[end];
  w.crashes = last.crashes - start.crashes;
  w.money = last.money;
  w.left = last.left;
  // Trains on the same track at both ends, the train at the end known by its serial.
  for (const TrainSeen& t : last.trains) {
    const auto began = std::find_if(start.trains.begin(), start.trains.end(),
                                    [&t](const TrainSeen& b) { return b.serial == t.serial; });
    if (began == start.trains.end() || began->track != t.track) continue;
    if (w.stalled++ == 0) w.stalledAt = {t.track.first, t.track.second};
  }
  return w;
}
