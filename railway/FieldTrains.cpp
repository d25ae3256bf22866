// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/Field.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Random.h"

namespace {
constexpr int kStepInterval = 100;
constexpr int kCatchUpStep = 200;
constexpr int kWaitFinePeriod = 30000;
constexpr int kEndFinePeriod = 20000;
constexpr int kDelayedStart = 4000;
constexpr int kSelectPeriod = 3000;
constexpr int kTrainBase = 3000;
constexpr int kTrainPerCar = 1000;

char* Format(char* buf, size_t n, const char* fmt, const char* a, const char* b) {
  std::snprintf(buf, n, fmt, a, b);
  return buf;
}
}  // namespace

void Field::LaunchTrain(int colour, int cars, int loco, int town, int kind, bool now) {
  if (loco < 0 || loco > 7) return;
  int count = static_cast<int>(towns_.size());
  if (town == -1 && count > 0) {
    town = rnd::Below(count);
    for (int k = 0; k < 100 && town == colour; ++k) town = rnd::Below(count);
  }
  if (count == 0 || town < 0 || town >= count) return;
  Town& tw = towns_[town];
  int dir = At(tw.townJunction).RouteExit(-1, -1, true, false);
  if (LineBusy(dir, tw.townJunction)) {
    tw.queue.push_back({colour, cars, loco, kind, town});
    return;
  }
  if (now) {
    if (dir == -1) return;
    auto train = std::make_unique<Train>(loco, cars, colour, rail::Place{tw.townJunction, dir, 0},
                                         kind, -1, sprites_);
    if (train->cars.empty() || !train->cars[0].picture) {
      if (sprites_) std::fputs("Error: unknown error. NotTrain!\n", stderr);
    }
    if (!train->cars.empty() && train->cars[0].picture) {
      train->cars[0].picture->SetPos(-1000, -1000);
      train->cars[0].picture->SetZ(50);
    }
    trains_.push_back(std::move(train));
    Post("Run new train.");
    Sound(snd::NewTrain);
    return;
  }
  if (tw.countdown != -1) return;
  tw.delayed = {colour, cars, loco, kind, town};
  tw.countdown = 0;
  if (tw.startSign) {
    tw.startSign->SetFrame(0);
    tw.startSign->Show(true);
    tw.startSign->Animate(true);
  }
  Sound(snd::NewTrainSemafor);
  if (tw.startSign) {
    Tip(tip::TrainShowsUp, static_cast<int>(tw.startSign->X()),
        static_cast<int>(tw.startSign->Y()));
  } else {
    rail::Point p = TownPosition(town);
    Tip(tip::TrainShowsUp, p.x, p.y - 25);
  }
}

bool Field::RepairTrainOnField() const {
  for (const auto& t : trains_) {
    if (t->kind == kRepair) return true;
  }
  return false;
}

void Field::FieldUpdate(int dt) {
  for (auto& t : trains_) {
    t->speed = std::min(t->topSpeed, t->speed + t->acceleration / t->CarCount());
    if (t->tipFollow && host_) {
      rail::TrackPose pose = rail::TrackPoint(t->head.j, t->head.d, t->head.pos);
      if (!host_->PlaceTip(tip::MoveTrainToTown, pose.x, pose.y)) t->tipFollow = false;
    }
  }
  bool repair = RepairTrainOnField();
  for (CrashSite& s : crashSites_) {
    if (s.button) s.button->Show(!repair);
  }
  BuildStep(dt);
  bool catchUp = host_ && host_->TakeCatchUpRequest();
  MoveTrains(catchUp ? kCatchUpStep : dt);
  AdvanceExplosions(dt);
  waitTimer_ += dt;
  bool finesDue = false;
  if (waitTimer_ > kWaitFinePeriod) {
    waitTimer_ = 0;
    finesDue = true;
  }
  UpdateTowns(dt, finesDue);
  selectTimer_ += dt;
  if (selectTimer_ >= kSelectPeriod) {
    selectTimer_ = 0;
    if (!towns_.empty()) {
      selectedTown_ = (selectedTown_ + 1) % static_cast<int>(towns_.size());
    }
    int rgb[3];
    ColourTint(selectedTown_, rgb);
    for (CrashSite& s : crashSites_) {
      if (s.button) s.button->Tint(rgb[0], rgb[1], rgb[2]);
    }
  }
}

void Field::UpdateTowns(int dt, bool finesDue) {
  int paid = 0;
  int queued = 0;
  for (Town& tw : towns_) {
    if (tw.arrival && tw.arrival->Visible() && tw.arrival->Frame() >= tw.arrival->Frames() - 1) {
      tw.arrival->Show(false);
      tw.arrival->Animate(false);
    }
    // The same start direction as the launch uses: while the town's own track is still
    // being built there is none, so the queue keeps its order instead of cycling.
    int start = At(tw.townJunction).RouteExit(-1, -1, true, false);
    if (!tw.queue.empty() && !LineBusy(start, tw.townJunction)) LaunchQueued(tw);
    if (tw.queue.empty()) {
      if (tw.bell) tw.bell->Show(false);
      continue;
    }
    int waiting = static_cast<int>(tw.queue.size());
    queued += waiting;
    if (tw.bell) {
      tw.bell->SetPeriod(waiting < 3 ? 200 : 400);
      tw.bell->Show(true);
      if (!tw.bell->Animating()) tw.bell->Animate(true);
    }
    rail::Point p = TownPosition(tw.colour);
    Tip(tip::LineBusy, p.x, p.y - 30);
    if (finesDue) paid += 1000 * waiting;
  }
  if (paid > 0) {
    if (host_) host_->Fine(paid);
    Post(std::to_string(paid) + " fine for waiting the train");
    Sound(snd::WaitTrain);
  }
  endTimer_ += dt;
  if (host_ && host_->Progress() >= 100 && endTimer_ >= kEndFinePeriod) {
    endTimer_ = 0;
    int count = static_cast<int>(trains_.size()) + (finesDue ? queued : 0);
    if (count > 0) host_->Fine(1000 * count);
    char buf[128];
    std::snprintf(buf, sizeof buf, "END LEVEL. %d fine for %d trains on field!", 1000 * count, count);
    Post(buf);
    Sound(snd::WaitTrain);
    Tip(tip::WarehouseEmpty, kNoPlace, kNoPlace);
  }
  for (Town& tw : towns_) {
    if (tw.countdown == -1) continue;
    tw.countdown += dt;
    if (tw.countdown < kDelayedStart) continue;
    tw.countdown = -1;
    if (tw.startSign) {
      tw.startSign->Show(false);
      tw.startSign->Animate(false);
    }
    QueuedTrain q = tw.delayed;
    LaunchTrain(q.colour, q.cars, q.loco, q.town, q.kind, true);
  }
}

void Field::LaunchQueued(Town& tw) {
  QueuedTrain q = tw.queue.front();
  tw.queue.pop_front();
  LaunchTrain(q.colour, q.cars, q.loco, q.town, q.kind, true);
}

void Field::MoveTrains(int dt) {
  moveTimer_ += dt;
  if (moveTimer_ <= kStepInterval) return;
  moveTimer_ = 0;
  StepAndCheck(dt);
}

void Field::StepAndCheck(int dt) {
  for (auto& j : junctions_) j->ClearLocks();
  bool moved = false;
  for (size_t i = 0; i < trains_.size();) {
    size_t index = i;
    MoveTrain(*trains_[i], moved, index, dt);
    i = index;
  }
  if (moved) CheckCollisions();
}

// Moves one train by one step; index is advanced past it (or stays when it was removed).
void Field::MoveTrain(Train& train, bool& moved, size_t& index, int dt) {
  if (train.cars.empty()) {
    ++index;
    return;
  }
  switch (MoveLocomotive(train, index)) {
    case LocoStep::kRemoved:
      return;
    case LocoStep::kDone:
      ++index;
      return;
    case LocoStep::kGoOn:
      break;
  }
  PlaceCars(train);
  const Car& last = train.cars.back();
  if (train.arrivedTown >= 0 && last.place.pos > rail::TrackLength(last.place.d)) {
    // A train turned back by a town of another colour stays, and has had its step.
    if (!Arrive(index, train.arrivedTown)) ++index;
    return;
  }
  if (train.kind == kCrazy) {
    train.blinkTimer += dt;
    if (train.blinkTimer > 349) {
      train.blinkTimer = 0;
      train.SwapPictures();
    }
  }
  DrawTrain(train, moved);
  ++index;
}

// The locomotive's part of a step: whether the rest of the train's step follows, the
// train is done for this step (reversed) or it was removed (crashed).
Field::LocoStep Field::MoveLocomotive(Train& train, size_t index) {
  Car& c0 = train.cars[0];
  int L = rail::TrackLength(c0.place.d);
  if (L < 0 || !rail::ValidJunction(c0.place.j)) {
    std::fputs("Error. Track len under  train is unknown. \n", stderr);
    return LocoStep::kDone;
  }
  c0.place.pos += train.speed;
  int x = static_cast<int>(c0.place.pos);
  const Junction& own = At(c0.place.j);
  if (own.Town() >= 0) {
    bool left = own.TownOnLeft();
    int d = c0.place.d;
    if ((left && d >= 6 && d <= 9) || (!left && d >= 0 && d <= 3)) {
      train.arrivedTown = own.Town();
      train.head = {c0.place.j, d, x + c0.half};
      return LocoStep::kGoOn;
    }
  }
  int n = rail::Neighbour(c0.place.j, c0.place.d);
  if (!rail::ValidJunction(n)) {
    train.head = {c0.place.j, c0.place.d, x + c0.half};
    return LocoStep::kGoOn;
  }
  Junction& next = At(n);
  int entry = rail::SideOf(rail::Opposite(c0.place.d));
  int margin = (!train.routed && next.SwitchAgainst(c0.place.d)) ? 25 : 5;
  if (x + c0.half + margin < L) {
    train.head = {c0.place.j, c0.place.d, x + c0.half};
  } else {
    int exit = next.RouteExit(rail::OppositeSide(entry), c0.place.d, train.kind != kCrazy, false);
    if (exit == -1 && train.routed) exit = train.pendingD;
    if (exit == -1) {
      if (train.kind == kCrazy) {
        CrazyCrash(index);
        return LocoStep::kRemoved;
      }
      rail::TrackPose pose = rail::TrackPoint(train.head.j, train.head.d, train.head.pos);
      Tip(tip::SwitchClosedOrRed, pose.x, pose.y);
      ReverseTrain(train);
      return LocoStep::kDone;
    }
    train.head = {n, exit, x + c0.half - L};
    if (!train.routed) {
      rail::TrackPose pose = rail::TrackPoint(train.head.j, train.head.d, train.head.pos);
      if (train.kind == kCrazy) {
        Tip(tip::CrazyTrain, pose.x, pose.y);
        Tip(tip::CrazyAnyTown, pose.x, pose.y);
      } else if (train.kind == kOrdinary && host_ && host_->TipAllowed(tip::MoveTrainToTown)) {
        char buf[160];
        const char* name = ColourName(train.colour);
        Tip(tip::MoveTrainToTown, pose.x, pose.y,
            Format(buf, sizeof buf, TipText(tip::MoveTrainToTown), name, name));
        if (train.colour < static_cast<int>(towns_.size())) {
          rail::Point tp = TownPosition(train.colour);
          std::snprintf(buf, sizeof buf, TipText(tip::MoveTrainToThisTown), name);
          Tip(tip::MoveTrainToThisTown, tp.x, tp.y, buf);
        }
        train.tipFollow = true;
      }
    }
    if (train.pendingJ == -1) {
      train.pendingJ = n;
      train.pendingD = exit;
      c0.previousDirection = rail::Opposite(c0.place.d);
    }
    next.Lock(exit);
    train.routed = true;
  }
  if (x >= L) {
    if (train.pendingJ == -1) {
      c0.place.pos = L;
    } else {
      c0.place = {train.pendingJ, train.pendingD, static_cast<double>(x - L)};
      train.pendingJ = -1;
      train.pendingD = -1;
      train.routed = false;
    }
  }
  // A car whose end lies on a junction (exactly on it too) locks it: the cars behind
  // are placed through that junction's switch.
  if (c0.place.pos <= c0.half) At(c0.place.j).Lock(c0.place.d);
  return LocoStep::kGoOn;
}

rail::Place Field::MoveBack(const rail::Place& from, double distance, bool* changed) const {
  rail::Place p = from;
  p.pos -= distance;
  for (int guard = 0; guard < 8 && p.pos < 0; ++guard) {
    int behind = At(p.j).RouteExit(rail::OppositeSide(rail::SideOf(p.d)), p.d, false, true);
    if (behind == -1) {
      p.pos = 0;
      break;
    }
    int n = rail::Neighbour(p.j, behind);
    if (!rail::ValidJunction(n)) {
      p.pos = 0;
      break;
    }
    double over = -p.pos;
    p = {n, rail::Opposite(behind), rail::TrackLength(behind) - over};
    if (changed) *changed = true;
  }
  return p;
}

void Field::PlaceCars(Train& train) {
  for (size_t i = 1; i < train.cars.size(); ++i) {
    Car& ahead = train.cars[i - 1];
    Car& car = train.cars[i];
    rail::Place old = car.place;
    bool changed = false;
    car.place = MoveBack(ahead.place, ahead.half + car.half, &changed);
    if (car.place.j != old.j || car.place.d != old.d) car.previousDirection = rail::Opposite(old.d);
    ahead.rear = MoveBack(ahead.place, ahead.half, nullptr);
    int L = rail::TrackLength(car.place.d);
    if (car.place.pos <= car.half) At(car.place.j).Lock(car.place.d);
    if (car.place.pos + car.half >= L) {
      int far = rail::Neighbour(car.place.j, car.place.d);
      if (rail::ValidJunction(far)) At(far).Lock(rail::Opposite(car.place.d));
    }
  }
  Car& last = train.cars.back();
  last.rear = MoveBack(last.place, last.half, nullptr);
}

void Field::DrawTrain(Train& train, bool& moved) {
  for (size_t i = 0; i < train.cars.size(); ++i) {
    Car& c = train.cars[i];
    int L = rail::TrackLength(c.place.d);
    if (!(c.place.pos > 0 && c.place.pos <= L)) {
      train.HideCar(static_cast<int>(i));
      continue;
    }
    rail::TrackPose pose = rail::TrackPoint(c.place.j, c.place.d, c.place.pos);
    c.sx = pose.x;
    c.sy = pose.y;
    int frames =
        c.picture ? c.picture->Frames() : FieldClipFrames(train.CarPicture(static_cast<int>(i)));
    int frame = rail::FrameFromHeading(pose.heading, frames);
    int turns = (c.place.d == 2 || c.place.d == 5 || c.place.d == 8 || c.place.d == 11) ? 1 : 0;
    if (train.reversed) ++turns;
    for (int k = 0; k < turns; ++k) {
      frame -= frames / 2;
      if (frame < 0) frame += frames;
    }
    for (FieldSprite* s : {c.picture, c.shadow}) {
      if (!s) continue;
      s->SetPos(pose.x, pose.y);
      s->SetFrame(frame);
      s->Show(true);
    }
    if (c.picture) c.picture->SetZ(pose.x / 1000 - 2 * pose.y - 3);
    if (c.shadow) c.shadow->SetZ(0);
    moved = true;
  }
  badges_.Follow(train);
}

bool Field::Arrive(size_t index, int town) {
  Train& train = *trains_[index];
  if (train.kind == kRepair) {
    trains_.erase(trains_.begin() + static_cast<long>(index));
    Post("Repair train has set off");
    return true;
  }
  if (train.kind == kOrdinary && train.colour != town) {
    rail::Point p = TownPosition(town);
    if (host_ && host_->TipAllowed(tip::WrongColour)) {
      Tip(tip::WrongColour, p.x, p.y);
    }
    ReverseTrain(train);
    train.speed = train.topSpeed / 2;
    return false;
  }
  if (town >= 0 && town < static_cast<int>(towns_.size()) && towns_[town].arrival) {
    towns_[town].arrival->SetFrame(0);
    towns_[town].arrival->Show(true);
    towns_[town].arrival->Animate(true);
  }
  RemoveTrain(static_cast<int>(index), 0, false);
  Sound(snd::ReturnTrain);
  Post("The train has arrived");
  return true;
}

void Field::CrazyCrash(size_t index) {
  Train& train = *trains_[index];
  const rail::Place at = train.cars[0].place;
  AddCrashSite(at.j, at.d, at.pos);
  int amount = RemoveTrain(static_cast<int>(index), 0, true);
  CrashMessages(amount);
}

void Field::CrashMessages(int total) {
  Post("C R A S H E S !!!");
  Post(std::to_string(total) + " fine for crashed trains");
}

void Field::ReverseTrain(Train& train) {
  train.reversed = !train.reversed;
  for (Car& c : train.cars) {
    int L = rail::TrackLength(c.place.d);
    int n = rail::Neighbour(c.place.j, c.place.d);
    if (L < 0 || !rail::ValidJunction(n)) continue;
    c.place = {n, rail::Opposite(c.place.d), std::max(0.0, L - c.place.pos)};
  }
  std::reverse(train.cars.begin(), train.cars.end());
  train.speed = 0;
  train.routed = false;
  train.pendingJ = -1;
  train.pendingD = -1;
  train.arrivedTown = -1;
  RefreshStretches(train);
}

// Head and rear places after a change of direction, so that the collision checks of the
// same step see the train as it now stands.
void Field::RefreshStretches(Train& train) {
  Car& c0 = train.cars[0];
  train.head = {c0.place.j, c0.place.d, c0.place.pos + c0.half};
  for (Car& c : train.cars) c.rear = MoveBack(c.place, c.half, nullptr);
}

int Field::RemoveTrain(int index, int fromCar, bool crash) {
  if (index < 0 || index >= static_cast<int>(trains_.size())) return 0;
  Train& train = *trains_[index];
  int n = train.CarCount();
  int amount = kTrainBase + kTrainPerCar * (n - 1);
  int result = 0;
  if (host_) {
    if (crash) {
      host_->Fine(kTrainBase);
      host_->Fine(kTrainPerCar * (n - 1));
    } else if (train.kind != kRepair) {
      host_->CountDeliveredTrain();
      host_->ChangeMoney(kTrainBase);
      host_->ChangeMoney(kTrainPerCar * (n - 1));
    }
  }
  if (crash) {
    result = -amount;
    Explode(train, fromCar);
  } else if (train.kind != kRepair) {
    result = amount;
  }
  trains_.erase(trains_.begin() + index);
  return result;
}

void Field::Explode(Train& train, int fromCar) {
  for (int i = 0; i < train.CarCount(); ++i) {
    Car& c = train.cars[i];
    if (c.sx == 0 && c.sy == 0) {
      // A car that was never on screen (still in its town) explodes where it stands.
      rail::TrackPose pose = rail::TrackPoint(c.place.j, c.place.d, c.place.pos);
      c.sx = pose.x;
      c.sy = pose.y;
    }
    Explosion e;
    if (sprites_) {
      e.blast = sprites_->Create(rnd::Below(2) == 0 ? clip::Explosion : clip::Explosion2, false);
    }
    if (e.blast) {
      e.blast->SetPos(c.sx + rnd::Below(11) - 5, c.sy + rnd::Below(11) - 5);
      e.blast->SetZ(-1199);
      e.blast->SetPeriod(80 + rnd::Below(41));
      e.blast->SetVelocity(0, -(0.0001 + rnd::Unit() * 0.0004));
      e.blast->Show(false);
      e.blast->Animate(false);
    }
    e.delay = std::abs(i - fromCar) * 150;
    e.car = c.picture;
    e.carSecond = c.picture2;
    e.carShadow = c.shadow;
    c.picture = c.picture2 = c.shadow = nullptr;
    explosions_.push_back(e);
  }
}

void Field::AdvanceExplosions(int dt) {
  for (size_t i = 0; i < explosions_.size();) {
    Explosion& e = explosions_[i];
    if (e.paused) {
      e.delay -= dt;
      if (e.delay < 1) {
        e.paused = false;
        Sound(snd::Crash);
        if (e.blast) {
          e.blast->Show(true);
          e.blast->SetFrame(0);
          e.blast->Animate(true);
        }
      }
      ++i;
      continue;
    }
    int frames = e.blast ? e.blast->Frames() : 1;
    int frame = e.blast ? e.blast->Frame() : frames - 1;
    if (frame >= frames / 2 && sprites_) {
      for (FieldSprite** s : {&e.car, &e.carSecond, &e.carShadow}) {
        if (*s) sprites_->Remove(*s);
        *s = nullptr;
      }
    }
    if (frame >= frames - 1) {
      if (sprites_) {
        for (FieldSprite* s : {e.blast, e.car, e.carSecond, e.carShadow}) {
          if (s) sprites_->Remove(s);
        }
      }
      explosions_.erase(explosions_.begin() + static_cast<long>(i));
      continue;
    }
    ++i;
  }
}
