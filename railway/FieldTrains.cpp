// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Random.h"
#include "railway/Field.h"

namespace {
// Trains move in whole steps once more than this many milliseconds have gathered; the
// remainder is dropped, so speeds and lengths are per step.
constexpr int kStepInterval = 100;
// The one longer step the game asks for to catch up after a pause.
constexpr int kCatchUpStep = 200;
// Every 30 s each train waiting in a town's queue costs kWaitFine.
constexpr int kWaitFinePeriod = 30000;
constexpr int kWaitFine = 1000;
// With the warehouse empty, every 20 s each train still on the field costs kEndFine.
constexpr int kEndFinePeriod = 20000;
constexpr int kEndFine = 1000;
constexpr double kFullProgress = 100;
// A delayed start waits one turn of the town's two-frame start sign (2 x 2000 ms).
constexpr int kDelayedStart = 4000;
// The crash sites' call buttons take the next town's colour every 3 s.
constexpr int kSelectPeriod = 3000;
// A train is worth 3000 plus 1000 per wagon: paid on arrival, fined on a crash.
constexpr int kTrainBase = 3000;
constexpr int kTrainPerCar = 1000;

// Picking a random town other than the train's own colour gives up after this many draws.
constexpr int kTownDraws = 100;
// Tips over a town without a start sign stand this far above the town's point; the
// busy-line tip a little higher, over the bell.
constexpr int kStartTipRise = 25;
constexpr int kBusyTipRise = 30;
// The bell rings faster while few trains wait, slower from kManyWaiting on.
constexpr int kManyWaiting = 3;
constexpr int kBellPeriodFew = 200;
constexpr int kBellPeriodMany = 400;

// Routing margins. The head looks for its exit this far before the end of its track:
// 5 units normally, so a train stopped by a red signal or a dead end halts just short
// of the junction; 25 units when a switch ahead is set against the track, so the
// locomotive turns back before it runs onto the switch's blades.
constexpr int kRouteMargin = 5;
constexpr int kSwitchAgainstMargin = 25;
// A crazy train swaps its black and white pictures once the timer goes above this.
constexpr int kBlinkPeriod = 349;
// Moving a car back crosses at most this many tracks (a car is shorter than a track,
// so the guard only stops a loop on a damaged field).
constexpr int kMaxTracksBack = 8;
// Depth follows the height on screen: the lower a picture stands, the nearer it is (a
// lower depth draws in front); x only breaks ties. A car is drawn just in front of the
// tracks and scenery at its height.
constexpr int kDepthTieDivisor = 1000;
constexpr int kDepthPerPixel = 2;
constexpr int kCarDepthShift = 3;
// A train sent back out by a town of another colour leaves at half its top speed.
constexpr double kTurnedBackSpeed = 0.5;
// Explosions: scattered up to 5 pixels around the car, in front of everything on the
// field, each car's blast 150 ms after its neighbour's, animated every 80..120 ms and
// drifting slowly upward.
constexpr int kBlastScatter = 5;
constexpr int kBlastDepth = -1199;
constexpr int kBlastDelayPerCar = 150;
constexpr int kBlastPeriodLow = 80;
constexpr int kBlastPeriodSpread = 40;
constexpr double kBlastRiseLow = 0.0001;
constexpr double kBlastRiseSpread = 0.0004;

// A locomotive on a track leaving a town's inner junction heads into the town when the
// track points towards the town's edge of the field: the left-hand directions 6..9 for a
// town on the left, the right-hand directions 0..3 for one on the right.
constexpr int kLeftwardFirst = 6;
constexpr int kLeftwardLast = 9;
constexpr int kRightwardFirst = 0;
constexpr int kRightwardLast = 3;

bool HeadsIntoTown(int d, bool townOnLeft) {
  return townOnLeft ? d >= kLeftwardFirst && d <= kLeftwardLast
                    : d >= kRightwardFirst && d <= kRightwardLast;
}

// The arcs 2, 5, 8 and 11 run against the heading their geometry gives, so the car's
// picture turns half way round on them (and once more for a reversed train).
bool ArcRunsBackward(int d) { return d == 2 || d == 5 || d == 8 || d == 11; }

char* Format(char* buf, size_t n, const char* fmt, const char* a, const char* b) {
  std::snprintf(buf, n, fmt, a, b);
  return buf;
}
}  // namespace

void Field::LaunchTrain(const TrainOrder& order, Departure when) {
  const int colour = order.colour;
  if (order.loco < 0 || order.loco >= kLocoTypes) return;
  int count = static_cast<int>(towns_.size());
  // Any town: a random one, if possible not the train's own (it would arrive at once).
  int town = order.town;
  if (town == kAnyTown && count > 0) {
    town = rnd::Below(count);
    for (int k = 0; k < kTownDraws && town == colour; ++k) town = rnd::Below(count);
  }
  TrainOrder chosen = order;
  chosen.town = town;
  if (count == 0 || town < 0 || town >= count) return;
  Town& tw = towns_[town];
  // The train leaves by the first built direction of the town junction's sides 0..3.
  int dir = At(tw.townJunction).RouteExit(-1, -1, true, false);
  // A busy line in front of the town: the train waits in the town's queue instead.
  if (LineBusy(dir, tw.townJunction)) {
    tw.queue.push_back(chosen);
    return;
  }
  if (when == Departure::kNow) {
    if (dir == -1) return;
    auto train =
        std::make_unique<Train>(order.loco, order.cars, colour,
                                rail::Place{tw.townJunction, dir, 0}, order.kind, -1, sprites_);
    if (train->cars.empty() || !train->cars[0].picture) {
      if (sprites_) std::fputs("Error: unknown error. NotTrain!\n", stderr);
    }
    // Parked off screen until the first movement step places it on its track.
    if (!train->cars.empty() && train->cars[0].picture) {
      train->cars[0].picture->SetPos(kParkedAt, kParkedAt);
      train->cars[0].picture->SetZ(kParkedDepth);
    }
    trains_.push_back(std::move(train));
    Post("Run new train.");
    Sound(snd::NewTrain);
    return;
  }
  // A delayed start: the town shows its start sign and launches the train when the
  // countdown has run (UpdateTowns). A town runs one delayed start at a time; a second
  // request meanwhile is dropped.
  if (tw.countdown != -1) return;
  tw.delayed = chosen;
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
    Tip(tip::TrainShowsUp, p.x, p.y - kStartTipRise);
  }
}

bool Field::RepairTrainOnField() const {
  for (const auto& t : trains_) {
    if (t->kind == TrainKind::kRepair) return true;
  }
  return false;
}

void Field::FieldUpdate(int dt) {
  // Acceleration is per update, not scaled by dt; a longer train gathers speed slower.
  for (auto& t : trains_) {
    t->speed = std::min(t->topSpeed, t->speed + t->acceleration / t->CarCount());
    if (t->tipFollow && host_) {
      rail::TrackPose pose = rail::TrackPoint(t->head.j, t->head.d, t->head.pos);
      if (!host_->PlaceTip(tip::MoveTrainToTown, pose.x, pose.y)) t->tipFollow = false;
    }
  }
  // Only one repair train at a time: the call buttons hide while one runs.
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
  // The call buttons cycle through the towns' colours: a click calls the repair train
  // from the town shown.
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
    if (!tw.queue.empty()) {
      // The same start direction as the launch uses: while the town's own track is still
      // being built there is none, so the queue keeps its order instead of cycling.
      const int start = At(tw.townJunction).RouteExit(-1, -1, true, false);
      if (!LineBusy(start, tw.townJunction)) LaunchQueued(tw);
    }
    if (tw.queue.empty()) {
      if (tw.bell) tw.bell->Show(false);
      continue;
    }
    int waiting = static_cast<int>(tw.queue.size());
    queued += waiting;
    if (tw.bell) {
      tw.bell->SetPeriod(waiting < kManyWaiting ? kBellPeriodFew : kBellPeriodMany);
      tw.bell->Show(true);
      if (!tw.bell->Animating()) tw.bell->Animate(true);
    }
    rail::Point p = TownPosition(tw.colour);
    Tip(tip::LineBusy, p.x, p.y - kBusyTipRise);
    if (finesDue) paid += kWaitFine * waiting;
  }
  if (paid > 0) {
    if (host_) host_->Fine(paid);
    Post(std::to_string(paid) + " fine for waiting the train");
    Sound(snd::WaitTrain);
  }
  // The warehouse is empty: the level ends when the last train is home, and every train
  // still out (and, in an update that fines waiting, every queued one) costs money.
  endTimer_ += dt;
  if (host_ && host_->Progress() >= kFullProgress && endTimer_ >= kEndFinePeriod) {
    endTimer_ = 0;
    int count = static_cast<int>(trains_.size()) + (finesDue ? queued : 0);
    if (count > 0) host_->Fine(kEndFine * count);
    char buf[128];
    std::snprintf(buf, sizeof buf, "END LEVEL. %d fine for %d trains on field!", kEndFine * count,
                  count);
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
    TrainOrder q = tw.delayed;
    LaunchTrain(q, Departure::kNow);
  }
}

void Field::LaunchQueued(Town& tw) {
  TrainOrder q = tw.queue.front();
  tw.queue.pop_front();
  LaunchTrain(q, Departure::kNow);
}

void Field::MoveTrains(int dt) {
  moveTimer_ += dt;
  if (moveTimer_ <= kStepInterval) return;
  moveTimer_ = 0;
  StepAndCheck(dt);
}

void Field::StepAndCheck(int dt) {
  // Only the junctions the last step locked hold a lock.
  for (int j : locked_) At(j).ClearLocks();
  locked_.clear();
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
  if (train.kind == TrainKind::kCrazy) {
    train.blinkTimer += dt;
    if (train.blinkTimer > kBlinkPeriod) {
      train.blinkTimer = 0;
      train.SwapPictures();
    }
  }
  DrawTrain(train, moved);
  ++index;
}

// The locomotive's part of a step: whether the rest of the train's step follows, the
// train is done for this step (reversed) or it was removed (crashed).
//
// The locomotive runs along its track; its head (the front of car 0) is what looks
// ahead. Near the end of the track the head chooses the exit at the next junction, and
// from then on the train is "routed": the exit is kept as the pending exit, and car 0
// passes onto it once its centre reaches the end of the track.
Field::LocoStep Field::MoveLocomotive(Train& train, size_t index) {
  Car& c0 = train.cars[0];
  int L = rail::TrackLength(c0.place.d);
  if (L < 0 || !rail::ValidJunction(c0.place.j)) {
    std::fputs("Error. Track len under  train is unknown. \n", stderr);
    return LocoStep::kDone;
  }
  c0.place.pos += train.speed;
  // Routing and the head work on whole units of the position.
  int x = static_cast<int>(c0.place.pos);
  // Heading into a town from its inner junction: no routing, the head runs on along the
  // same track into the town; the arrival is settled once the last car is in.
  const Junction& own = At(c0.place.j);
  if (own.Town() >= 0 && HeadsIntoTown(c0.place.d, own.TownOnLeft())) {
    train.arrivedTown = own.Town();
    train.head = {c0.place.j, c0.place.d, x + c0.half};
    return LocoStep::kGoOn;
  }
  int n = rail::Neighbour(c0.place.j, c0.place.d);
  if (!rail::ValidJunction(n)) {
    train.head = {c0.place.j, c0.place.d, x + c0.half};
    return LocoStep::kGoOn;
  }
  // The next junction N, entered through the side of the track's opposite direction.
  Junction& next = At(n);
  int entry = rail::SideOf(rail::Opposite(c0.place.d));
  // A switch ahead set against this track turns the train back early; once routed, the
  // exit is chosen already and the normal margin applies.
  int margin =
      (!train.routed && next.SwitchAgainst(c0.place.d)) ? kSwitchAgainstMargin : kRouteMargin;
  if (x + c0.half + margin < L) {
    // Far from the end: the head stays on the locomotive's own track.
    train.head = {c0.place.j, c0.place.d, x + c0.half};
  } else {
    // Within the margin: choose the exit through the opposite side of N. Crazy trains
    // run past red signals; a switch set against the track stops everyone.
    int exit = next.RouteExit(rail::OppositeSide(entry), c0.place.d,
                              train.kind != TrainKind::kCrazy, false);
    // A routed train keeps its exit: a switch thrown or a signal set red after the
    // train chose its way does not change it (the junction is locked meanwhile anyway).
    if (exit == -1 && train.routed) exit = train.pendingD;
    if (exit == -1) {
      // No way on. A crazy train does not stop: it runs onto the switch or past the
      // end and crashes there. Any other train turns back, with the tip telling why.
      if (train.kind == TrainKind::kCrazy) {
        CrazyCrash(index);
        return LocoStep::kRemoved;
      }
      rail::TrackPose pose = rail::TrackPoint(train.head.j, train.head.d, train.head.pos);
      Tip(tip::SwitchClosedOrRed, pose.x, pose.y);
      ReverseTrain(train);
      return LocoStep::kDone;
    }
    // The head reaches over the junction onto the exit track.
    train.head = {n, exit, x + c0.half - L};
    if (!train.routed) {
      // The first routing at this junction: the tips about the train, shown at its head.
      // An ordinary train names its colour and points to the town of that colour, and
      // the tip follows the train while it is shown.
      rail::TrackPose pose = rail::TrackPoint(train.head.j, train.head.d, train.head.pos);
      if (train.kind == TrainKind::kCrazy) {
        Tip(tip::CrazyTrain, pose.x, pose.y);
        Tip(tip::CrazyAnyTown, pose.x, pose.y);
      } else if (train.kind == TrainKind::kOrdinary && host_ &&
                 host_->TipAllowed(tip::MoveTrainToTown)) {
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
    // The train is on its way through N: its switches cannot be thrown in this step.
    LockJunction(n, exit);
    train.routed = true;
  }
  // Car 0's centre reached the end of its track: it passes onto the pending exit with
  // what is left of its move, and the next junction's routing starts afresh. (Without a
  // pending exit it waits at the end; routing within the margin always sets one.)
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
  if (c0.place.pos <= c0.half) LockJunction(c0.place.j, c0.place.d);
  return LocoStep::kGoOn;
}

// The place a distance behind `from`, against the direction of travel. Past the start
// of a track it continues on the track behind, as the switch there is set (signals do
// not matter behind a train); at a dead end it stops at the track's start.
rail::Place Field::MoveBack(const rail::Place& from, double distance, bool* changed) const {
  rail::Place p = from;
  p.pos -= distance;
  for (int guard = 0; guard < kMaxTracksBack && p.pos < 0; ++guard) {
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

void Field::LockJunction(int j, int d) {
  At(j).Lock(d);
  locked_.push_back(j);
}

// Each wagon follows the car ahead at the distance of their two half lengths. The cars
// lock the junctions they stand on or overhang, so the switches under the train stay.
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
    if (car.place.pos <= car.half) LockJunction(car.place.j, car.place.d);
    if (car.place.pos + car.half >= L) {
      int far = rail::Neighbour(car.place.j, car.place.d);
      if (rail::ValidJunction(far)) LockJunction(far, rail::Opposite(car.place.d));
    }
  }
  Car& last = train.cars.back();
  last.rear = MoveBack(last.place, last.half, nullptr);
}

// Shows the cars that stand on their track (0 < position <= length) at their track point,
// facing the heading there; cars still inside a town or past the end are hidden.
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
    int turns = ArcRunsBackward(c.place.d) ? 1 : 0;
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
    if (c.picture)
      c.picture->SetZ(pose.x / kDepthTieDivisor - kDepthPerPixel * pose.y - kCarDepthShift);
    if (c.shadow) c.shadow->SetZ(0);
    moved = true;
  }
  badges_.Follow(train);
}

// The whole train is inside the town. The repair train leaves unpaid; an ordinary train
// of another colour is sent back out at half its top speed; an ordinary train of the
// town's colour, or a crazy train (any town takes it), is delivered and paid.
bool Field::Arrive(size_t index, int town) {
  Train& train = *trains_[index];
  if (train.kind == TrainKind::kRepair) {
    trains_.erase(trains_.begin() + static_cast<long>(index));
    Post("Repair train has set off");
    return true;
  }
  if (train.kind == TrainKind::kOrdinary && train.colour != town) {
    rail::Point p = TownPosition(town);
    if (host_ && host_->TipAllowed(tip::WrongColour)) {
      Tip(tip::WrongColour, p.x, p.y);
    }
    ReverseTrain(train);
    train.speed = train.topSpeed * kTurnedBackSpeed;
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
  DamageTrack(train.cars[0].place);
  int amount = RemoveTrain(static_cast<int>(index), 0, true);
  CrashMessages(amount);
}

void Field::CrashMessages(int total) {
  Post("C R A S H E S !!!");
  Post(std::to_string(total) + " fine for crashed trains");
}

// Turns the train round where it stands: every car's place is seen from the other end of
// its track and the last car leads. The train stops and accelerates again.
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
    } else if (train.kind != TrainKind::kRepair) {
      host_->CountDeliveredTrain();
      host_->ChangeMoney(kTrainBase);
      host_->ChangeMoney(kTrainPerCar * (n - 1));
    }
  }
  if (crash) {
    result = -amount;
    Explode(train, fromCar);
  } else if (train.kind != TrainKind::kRepair) {
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
    // The blasts' look draws from the presentation stream: a field without pictures
    // draws nothing for them, and the game's stream must not depend on that.
    rnd::Stream& look = rnd::PresentationStream();
    if (sprites_) {
      e.blast = sprites_->Create(look.Below(2) == 0 ? clip::Explosion : clip::Explosion2, false);
    }
    if (e.blast) {
      e.blast->SetPos(c.sx + look.Below(2 * kBlastScatter + 1) - kBlastScatter,
                      c.sy + look.Below(2 * kBlastScatter + 1) - kBlastScatter);
      e.blast->SetZ(kBlastDepth);
      e.blast->SetPeriod(kBlastPeriodLow + look.Below(kBlastPeriodSpread + 1));
      e.blast->SetVelocity(0, -(kBlastRiseLow + look.Unit() * kBlastRiseSpread));
      e.blast->Show(false);
      e.blast->Animate(false);
    }
    // The blasts run along the train from the car that was hit.
    e.delay = std::abs(i - fromCar) * kBlastDelayPerCar;
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
    // Half way through the blast the car's pictures go; at its last frame the blast too.
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
