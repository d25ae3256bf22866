// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/ColourBadges.h"

#include "railway/Colours.h"
#include "railway/Geometry.h"

namespace {
// The badge floats this far above the locomotive's middle.
constexpr int kTrainLift = 22;
// A town's badge stands just above its inner junction, where the town's track comes in:
// the tracks and their switch arrows leave a junction sideways, so straight above it
// the badge covers none of them.
constexpr int kTownLift = 18;
// Houses stand up to 30 pixels below the junction: the badge sorts in front of them.
constexpr int kHouseReach = 31;

// The locomotive's car: the first, or the last once the train has turned back.
const Car& LocoCar(const Train& train) {
  return train.reversed ? train.cars.back() : train.cars.front();
}
}  // namespace

int BadgeFrame(const Train& train) {
  if (train.kind == TrainKind::kRepair) return -1;
  if (train.kind == TrainKind::kCrazy) return clip::kBadgeAnywhereFrame;
  return train.colour >= 0 && train.colour < rail::kColourCount ? train.colour : -1;
}

void ColourBadges::Switch(bool on, const std::vector<std::unique_ptr<Train>>& trains,
                          std::vector<Town>& towns) {
  on_ = on;
  for (Town& town : towns) {
    if (on)
      Attach(town);
    else
      Detach(town);
  }
  for (const auto& train : trains) {
    if (on)
      Follow(*train);
    else
      Detach(*train);
  }
}

void ColourBadges::Attach(Town& town) {
  if (!on_ || !sprites_ || town.badge) return;
  if (town.colour < 0 || town.colour >= rail::kColourCount) return;
  town.badge = sprites_->Create(clip::ColourBadge, false);
  if (!town.badge) return;
  rail::Point p = rail::JunctionPos(town.innerJunction);
  town.badge->SetPos(p.x, p.y - kTownLift);
  town.badge->SetFrame(town.colour);
  town.badge->SetZ(-2 * (p.y + kHouseReach));
  town.badge->Show(true);
}

void ColourBadges::Detach(Town& town) {
  if (town.badge && sprites_) sprites_->Remove(town.badge);
  town.badge = nullptr;
}

void ColourBadges::Detach(Train& train) {
  if (train.badge && sprites_) sprites_->Remove(train.badge);
  train.badge = nullptr;
}

void ColourBadges::Follow(Train& train) {
  if (!on_ || !sprites_ || train.cars.empty()) return;
  const int frame = BadgeFrame(train);
  if (frame < 0) return;
  if (!train.badge) {
    train.badge = sprites_->Create(clip::ColourBadge, false);
    if (!train.badge) return;
    train.badge->SetFrame(frame);
  }
  const Car& loco = LocoCar(train);
  const bool shown = loco.picture && loco.picture->Visible();
  train.badge->Show(shown);
  if (!shown) return;
  train.badge->SetPos(loco.sx, loco.sy - kTrainLift);
  // Just in front of its own locomotive and behind whatever covers the locomotive.
  train.badge->SetZ(loco.picture->Z() - 1);
}
