// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soak/Invariants.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "game/KeyboardPlay.h"
#include "game/LevelTable.h"
#include "railway/HeadlessSprites.h"

namespace {

// The most one delivered train earns: the base and every car beyond the first.
constexpr int kMostPerDelivery = 3000 + 1000 * (kMaxCars - 1);
// Every earning and cost of the game is a whole number of these.
constexpr int kMoneyStep = 500;

using Edge = std::pair<int32_t, int32_t>;

// What the player's input can do to the state in one frame: close the help shown at
// the start (back to restoring or playing), close a help opened later (which advances a
// finishing level or a game out of money), close the statistics, or spend the last money
// on track or the repair train.
const std::vector<Edge> kInputEdges = {
    {kStateStartHelp, kStateRestoring},        {kStateStartHelp, kStatePlaying},
    {kStateRestoring, kStatePlaying},          {kStateLevelFinishing, kStateLevelStatistics},
    {kStateOutOfMoney, kStateFinalStatistics}, {kStateLevelStatistics, kStatePlaying},
    {kStateFinalStatistics, kStatePlaying},    {kStateRestoring, kStateOutOfMoney},
    {kStatePlaying, kStateOutOfMoney},         {kStateLevelFinishing, kStateOutOfMoney},
};

// What one frame of the game can do: finish a restore (and then, at once, the level or
// the money), finish the level, run out of money.
const std::vector<Edge> kFrameEdges = {
    {kStateRestoring, kStatePlaying},         {kStateRestoring, kStateOutOfMoney},
    {kStateRestoring, kStateLevelFinishing},  {kStatePlaying, kStateLevelFinishing},
    {kStatePlaying, kStateOutOfMoney},        {kStateLevelFinishing, kStateOutOfMoney},
    {kStateOutOfMoney, kStateLevelFinishing},
};
// The ends of the two timed states: only for a state that was already there before the
// step (its timer runs for seconds).
const std::vector<Edge> kTimedEdges = {
    {kStateLevelFinishing, kStateLevelStatistics},
    {kStateOutOfMoney, kStateFinalStatistics},
};

bool Listed(const std::vector<Edge>& edges, int32_t from, int32_t to) {
  return from == to || std::find(edges.begin(), edges.end(), Edge{from, to}) != edges.end();
}

bool KnownState(int32_t s) {
  switch (s) {
    case kStateConstructed:
    case kStateRestoring:
    case kStateStartHelp:
    case kStatePlaying:
    case kStateLevelStatistics:
    case kStateFinalStatistics:
    case kStateLevelFinishing:
    case kStateOutOfMoney:
      return true;
    default:
      return false;  // a new game (2) passes within one call and is never seen between frames
  }
}

// One step between two checks: some input, then one frame. A new game from the dialog
// reaches playing from anywhere before its frame runs.
bool StepAllowed(int32_t from, int32_t to, bool newGame) {
  if (from == kStateConstructed) {
    return to == kStateRestoring || to == kStateStartHelp || to == kStatePlaying;
  }
  std::vector<int32_t> middle = {from};
  if (newGame) middle.push_back(kStatePlaying);
  for (const Edge& e : kInputEdges) {
    if (e.first == from) middle.push_back(e.second);
  }
  for (int32_t m : middle) {
    if (Listed(kFrameEdges, m, to)) return true;
  }
  return Listed(kTimedEdges, from, to);
}

std::string Text(const char* what, long long a) { return what + std::to_string(a); }

// Both ends of the track leaving junction j in direction d are built.
bool BuiltSegment(const Field& field, int j, int d) {
  if (!rail::ValidJunction(j) || !rail::ValidDirection(d)) return false;
  const int far = rail::Neighbour(j, d);
  return rail::ValidJunction(far) && field.At(j).End(d) == EndState::kBuilt &&
         field.At(far).End(rail::Opposite(d)) == EndState::kBuilt;
}

std::string PlaceText(const rail::Place& p) {
  std::string text = "(";
  text += std::to_string(p.j) + "," + std::to_string(p.d) + "," + std::to_string(p.pos) + ")";
  return text;
}

}  // namespace

GameInvariants::Seen GameInvariants::Observe(const Game& game) {
  Seen s;
  s.state = game.GameState;
  s.money = game.MoneyCounter;
  s.trains = game.TrainCounter;
  for (const auto& t : game.GetField().Tracks()) s.playerTracks += t->Free() ? 0 : 1;
  for (const auto& t : game.GetField().Trains()) s.running += t->kind == TrainKind::kRepair ? 0 : 1;
  return s;
}

std::string GameInvariants::Check(const Game& game, const HeadlessSprites* sprites) {
  const Seen now = Observe(game);
  std::string failure = Counters(game);
  if (failure.empty()) failure = Cars(game);
  if (failure.empty() && sprites) failure = Pictures(game, *sprites);
  if (failure.empty() && seen_) failure = Transition(game, now);
  if (failure.empty() && seen_) failure = Money(game, now);
  last_ = now;
  seen_ = true;
  newGameExpected_ = false;
  return failure;
}

std::string GameInvariants::Counters(const Game& game) {
  const Field& field = game.GetField();
  if (!KnownState(game.GameState)) return Text("unknown game state ", game.GameState);
  if (game.MoneyCounter < 0) return Text("negative balance ", game.MoneyCounter);
  if (game.MoneyCounterBeginLevel < 0) {
    return Text("negative balance at the level's start ", game.MoneyCounterBeginLevel);
  }
  if (game.TrainCounter < 0 || game.TrainCounterBeginLevel < 0 ||
      game.TrainCounter < game.TrainCounterBeginLevel) {
    return "train counter " + std::to_string(game.TrainCounter) +
           " below 0 or below its level start " + std::to_string(game.TrainCounterBeginLevel);
  }
  const int towns = static_cast<int>(field.Towns().size());
  if (game.NumberTown != towns) {
    return "town counter " + std::to_string(game.NumberTown) + " but " + std::to_string(towns) +
           " towns on the field";
  }
  if (game.GameState != kStateConstructed && towns > std::max(game.Record().MaxTowns, 0)) {
    return "towns " + std::to_string(towns) + " above the level's " +
           std::to_string(game.Record().MaxTowns);
  }
  for (int i = 0; i < towns; ++i) {
    const Town& t = field.Towns()[i];
    if (t.colour != i || !rail::ValidJunction(t.townJunction) ||
        !rail::ValidJunction(t.innerJunction)) {
      return Text("town ", i) + " with colour " + std::to_string(t.colour) +
             " or junctions out of range";
    }
    for (const TrainOrder& q : t.queue) {
      if (q.colour < 0 || q.colour >= towns || q.cars < 0 || q.cars > kMaxCars) {
        return Text("town ", i) + " queues a train of colour " + std::to_string(q.colour) +
               " with " + std::to_string(q.cars) + " cars";
      }
    }
  }
  if (game.CurrSelectTrackType < 0 || game.CurrSelectTrackType >= Game::kTrackTypes) {
    return Text("selected track type ", game.CurrSelectTrackType);
  }
  if (game.iGameMode != kOperatingMode && game.iGameMode != kBuildingMode) {
    return Text("game mode ", game.iGameMode);
  }
  if (game.GameType() == 1 && game.iGameMode == kBuildingMode)
    return "building mode in the Puzzle game";
  if (game.CurrentRoundInType < 0 || game.CurrentRoundInType > kLastLevel) {
    return Text("level ", game.CurrentRoundInType);
  }
  if (game.GameState != kStateConstructed &&
      game.CurrentRound != LevelIndex(game.CurrentRoundInType, game.GameType())) {
    return "level record " + std::to_string(game.CurrentRound) + " for level " +
           std::to_string(game.CurrentRoundInType) + " of game type " +
           std::to_string(game.GameType());
  }
  return std::string();
}

std::string GameInvariants::Cars(const Game& game) {
  const Field& field = game.GetField();
  const auto& trains = field.Trains();
  for (size_t i = 0; i < trains.size(); ++i) {
    const Train& t = *trains[i];
    const std::string which = "train " + std::to_string(i) + " (" + ColourName(t.colour) + ")";
    if (t.CarCount() < 1 || t.CarCount() > kMaxCars)
      return which + Text(" with cars: ", t.CarCount());
    if (TrainKind k; !KindFromSaved(SavedKind(t.kind), k)) {
      return which + Text(" of kind ", SavedKind(t.kind));
    }
    if (!std::isfinite(t.speed) || t.speed < 0)
      return which + " at speed " + std::to_string(t.speed);
    for (int c = 0; c < t.CarCount(); ++c) {
      const Car& car = t.cars[c];
      for (const rail::Place* p : {&car.place, &car.rear}) {
        if (p == &car.rear && p->j == -1) continue;  // not placed yet
        if (!BuiltSegment(field, p->j, p->d) || !std::isfinite(p->pos) || p->pos < 0) {
          return which + Text(", car ", c) + (p == &car.rear ? " rear at " : " at ") +
                 PlaceText(*p) + ", not on built track";
        }
      }
    }
  }
  for (const CrashSite& s : field.CrashSites()) {
    if (!BuiltSegment(field, s.place.j, s.place.d)) {
      return "crash site at " + PlaceText(s.place) + ", not on built track";
    }
  }
  return std::string();
}

namespace {

// Calls visit(picture, what) for every field picture the game holds.
template <typename Visit>
void ForEachHeldPicture(const Game& game, Visit&& visit) {
  const Field& field = game.GetField();
  auto hold = [&visit](const FieldSprite* s, const char* what) {
    if (s) visit(s, what);
  };
  for (const auto& t : field.Tracks()) {
    for (int k = 0; k < 4; ++k) hold(t->Picture(k), "track");
  }
  if (game.Preview()) {
    for (int k = 0; k < 4; ++k) hold(game.Preview()->Picture(k), "track preview");
  }
  hold(game.ForbiddenMarker(), "forbidden marker");
  hold(game.GetLockMark().Sprite(), "lock mark");
  hold(game.Keyboard().Ring(), "selection ring");
  hold(game.Keyboard().HintMark(), "hint highlight");
  for (int j = 0; j < rail::kJunctions; ++j) {
    const Junction& junction = field.At(j);
    for (int s = 0; s < 4; ++s) {
      hold(junction.SwitchAt(s).picture, "switch");
      hold(junction.SignalAt(s).picture, "signal");
    }
  }
  for (const Town& t : field.Towns()) {
    hold(t.arrival, "town arrival");
    hold(t.bell, "town bell");
    hold(t.startSign, "town start sign");
    hold(t.badge, "town badge");
  }
  for (const Scenery& s : field.Trees()) hold(s.picture, "tree");
  for (const Scenery& s : field.Houses()) hold(s.picture, "house");
  for (const CrashSite& s : field.CrashSites()) {
    hold(s.sign, "crash sign");
    hold(s.button, "call button");
  }
  for (const Explosion& e : field.Explosions()) {
    hold(e.blast, "explosion");
    hold(e.car, "exploding car");
    hold(e.carShadow, "exploding car's shadow");
    hold(e.carSecond, "exploding car's second picture");
  }
  for (const auto& t : field.Trains()) {
    for (const Car& c : t->cars) {
      hold(c.picture, "car");
      hold(c.picture2, "car's second picture");
      hold(c.shadow, "car's shadow");
    }
    hold(t->badge, "train badge");
  }
}

// What is wrong between the pictures the game holds and those alive, named.
std::string PictureFault(const Game& game, const HeadlessSprites& sprites) {
  std::vector<std::pair<const FieldSprite*, const char*>> owned;
  ForEachHeldPicture(
      game, [&owned](const FieldSprite* s, const char* what) { owned.emplace_back(s, what); });
  std::sort(owned.begin(), owned.end());
  for (size_t i = 1; i < owned.size(); ++i) {
    if (owned[i].first == owned[i - 1].first) {
      return std::string("one picture held twice, as ") + owned[i - 1].second + " and " +
             owned[i].second;
    }
  }
  std::vector<const FieldSprite*> alive;
  alive.reserve(sprites.All().size());
  for (const auto& s : sprites.All()) alive.push_back(s.get());
  std::sort(alive.begin(), alive.end());
  for (const auto& [s, what] : owned) {
    if (!std::binary_search(alive.begin(), alive.end(), s)) {
      return std::string("a removed picture is still held as ") + what;
    }
  }
  for (const auto& s : sprites.All()) {
    const FieldSprite* p = s.get();
    const auto it = std::lower_bound(owned.begin(), owned.end(),
                                     std::make_pair(p, static_cast<const char*>(nullptr)));
    if (it == owned.end() || it->first != p) {
      return "a picture of clip " + std::to_string(s->Clip()) + " at (" +
             std::to_string(static_cast<int>(s->X())) + "," +
             std::to_string(static_cast<int>(s->Y())) +
             ") is left behind, held by nothing of the game";
    }
  }
  return "the pictures held and those alive differ";
}

}  // namespace

// Every field picture alive belongs to something of the game, and everything of the game
// holds a picture that is alive, once: the sorted lists of both are equal (the pictures
// alive are distinct objects, so a picture held twice makes them differ). Only a fault
// pays for naming what went wrong.
std::string GameInvariants::Pictures(const Game& game, const HeadlessSprites& sprites) {
  held_.clear();
  ForEachHeldPicture(game, [this](const FieldSprite* s, const char*) { held_.push_back(s); });
  alive_.clear();
  for (const auto& s : sprites.All()) alive_.push_back(s.get());
  std::sort(held_.begin(), held_.end());
  std::sort(alive_.begin(), alive_.end());
  if (held_ == alive_) return std::string();
  return PictureFault(game, sprites);
}

std::string GameInvariants::Transition(const Game&, const Seen& now) const {
  if (StepAllowed(last_.state, now.state, newGameExpected_)) return std::string();
  return "state " + std::to_string(last_.state) + " -> " + std::to_string(now.state) +
         (newGameExpected_ ? " after a new game" : "") + " is not a transition of the game";
}

// Between two checks the balance moves by whole earnings and costs: deliveries (at most
// one per train that was running), and fines and prices, all in steps of 500; a step of
// 500 that is not one of 1000 only comes with the trees cleared for a piece the player
// laid. Running out of money takes the balance to 0, where it stays until a new game.
std::string GameInvariants::Money(const Game& game, const Seen& now) const {
  const std::string change =
      "balance " + std::to_string(last_.money) + " -> " + std::to_string(now.money);
  const bool restarted = now.money == Game::kStartMoney && now.trains == 0 && game.TotalTime == 0;
  const bool naturalNewGame =
      (last_.state == kStateLevelStatistics || last_.state == kStateFinalStatistics) &&
      now.state != last_.state;
  if ((newGameExpected_ || naturalNewGame) && restarted) return std::string();
  if (now.trains < last_.trains) {
    return "train counter went down: " + std::to_string(last_.trains) + " -> " +
           std::to_string(now.trains);
  }
  const int delivered = now.trains - last_.trains;
  if (last_.state != kStateRestoring && delivered > last_.running) {
    return std::to_string(delivered) + " trains delivered with " + std::to_string(last_.running) +
           " running";
  }
  if (now.money == last_.money) return std::string();
  if (last_.money == 0) return change + ": it left 0 without a new game";
  if (now.money == 0) {
    if (now.state == kStateOutOfMoney || now.state == kStateLevelFinishing) return std::string();
    return change + Text(" in state ", now.state) + ", not out of money";
  }
  const long long delta = static_cast<long long>(now.money) - last_.money;
  if (delta % kMoneyStep != 0) return change + ": not a sum of the game's amounts";
  if (delta % 1000 != 0 && now.playerTracks <= last_.playerTracks) {
    return change + ": a tree fine without a track laid";
  }
  if (delta > 0 && delta > static_cast<long long>(delivered) * kMostPerDelivery) {
    return change + " with " + std::to_string(delivered) + " trains delivered";
  }
  return std::string();
}
