// SPDX-License-Identifier: GPL-3.0-or-later
// Colour badges: a shape over every ordinary or crazy train's locomotive and at every
// town while the colour symbols are on; none at all while they are off.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "RailTestSupport.h"
#include "core/MemoryStore.h"

namespace {

std::vector<const HeadlessSprite*> Badges(const Rig& rig) {
  std::vector<const HeadlessSprite*> out;
  for (const auto& s : rig.sprites.All()) {
    if (s->Clip() == clip::ColourBadge) out.push_back(s.get());
  }
  return out;
}

// The train's locomotive picture, whichever end of the train it is at.
const FieldSprite* LocoPicture(const Train& t) {
  for (const Car& c : t.cars) {
    if (c.picture && c.picture->Clip() == Loco(t.loco).picture) return c.picture;
  }
  return nullptr;
}

// The badge stands upright just above the shown locomotive, one step in front of it, so
// whatever covers the locomotive covers the badge too.
void ExpectBadgeOnLoco(const Train& t, int frame) {
  const FieldSprite* loco = LocoPicture(t);
  ASSERT_NE(loco, nullptr);
  ASSERT_TRUE(loco->Visible());
  ASSERT_NE(t.badge, nullptr);
  EXPECT_TRUE(t.badge->Visible());
  EXPECT_EQ(t.badge->Frame(), frame);
  EXPECT_DOUBLE_EQ(t.badge->X(), loco->X());
  EXPECT_LT(t.badge->Y(), loco->Y() - 10);
  EXPECT_GT(t.badge->Y(), loco->Y() - 30);
  EXPECT_EQ(t.badge->Z(), loco->Z() - 1);
}

TEST(ColourBadges, FollowTheLocomotiveInEveryDirectionAndThroughAReversal) {
  std::set<int> directions;
  for (int t = 0; t < 6; ++t) {
    for (bool far : {false, true}) {
      Rig rig;
      rig.field.SetColourSymbols(true);
      rig.field.AddTrack(68, t, Laying::kLevelLayout);
      rig.BuildAll();
      const int j = far ? rail::Neighbour(68, t) : 68;
      const int d = far ? rail::Opposite(t) : t;
      directions.insert(d);
      SCOPED_TRACE(d);
      const Train* train =
          rig.field.PlaceTrain(0, 2, 5, rail::Place{j, d, 10}, TrainKind::kOrdinary, 0);
      rig.field.StepAndCheck();
      ExpectBadgeOnLoco(*train, 5);
    }
  }
  EXPECT_EQ(directions.size(), 12u);

  // A switch set against the train turns it back: the badge stays on the locomotive,
  // now at the train's tail, all the way home.
  Rig rig;
  rig.field.SetColourSymbols(true);
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  rig.BuildAll();
  rig.field.At(42).ToggleSwitch(1);
  rig.field.LaunchTrain({.colour = 0, .cars = 3, .loco = 4, .town = 1}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only() && rig.Only()->reversed; }));
  for (int k = 0; k < 5; ++k) {
    ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only() && LocoPicture(*rig.Only())->Visible(); }));
    ExpectBadgeOnLoco(*rig.Only(), 0);
    rig.Frames(30);
  }
}

TEST(ColourBadges, TownsAndTrainsOfAColourShareTheShapeCrazyTrainsGoAnywhereRepairHasNone) {
  Rig rig;
  rig.field.SetColourSymbols(true);
  rig.DiagonalLine();
  const auto& towns = rig.field.Towns();
  for (int c = 0; c < 2; ++c) {
    ASSERT_NE(towns[c].badge, nullptr);
    EXPECT_EQ(towns[c].badge->Frame(), c);
    EXPECT_TRUE(towns[c].badge->Visible());
  }
  // Above the inner junction, clear of its switch, in front of the houses around it.
  for (int c = 0; c < 2; ++c) {
    const rail::Point inner = rail::JunctionPos(towns[c].innerJunction);
    EXPECT_EQ(towns[c].badge->X(), inner.x);
    EXPECT_LT(towns[c].badge->Y(), inner.y - 12);
    EXPECT_GT(towns[c].badge->Y(), inner.y - 25);
    EXPECT_LT(towns[c].badge->Z(), -2 * (inner.y + 30));
  }

  auto shown = [&] { return rig.Only() && rig.Only()->badge && rig.Only()->badge->Visible(); };
  rig.field.LaunchTrain({.colour = 1, .cars = 2, .loco = 4, .town = 0}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, shown));
  ExpectBadgeOnLoco(*rig.Only(), towns[1].badge->Frame());
  rig.field.RemoveTrain(0, 0, false);

  rig.field.LaunchTrain({.colour = 1, .cars = 2, .loco = 4, .kind = TrainKind::kCrazy, .town = 0},
                        Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, shown));
  ExpectBadgeOnLoco(*rig.Only(), clip::kBadgeAnywhereFrame);
  EXPECT_GE(clip::kBadgeAnywhereFrame, 8);
  rig.field.RemoveTrain(0, 0, false);

  rig.field.CallRepairTrain(0);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.Only() && rig.Only()->cars[0].picture->Visible(); }));
  EXPECT_EQ(rig.Only()->badge, nullptr);
  EXPECT_EQ(Badges(rig).size(), 2u);  // the towns' only
}

TEST(ColourBadges, VanishWithTheirTrainsDeliveredCrashedOrRemoved) {
  Rig rig;
  rig.field.SetColourSymbols(true);
  rig.DiagonalLine();
  auto running = [&] { return !rig.field.Trains().empty() && rig.field.Trains()[0]->badge; };

  rig.field.LaunchTrain({.colour = 1, .cars = 2, .loco = 6, .town = 0}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, running));
  EXPECT_EQ(Badges(rig).size(), 3u);
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_EQ(rig.host.delivered, 1);
  EXPECT_EQ(Badges(rig).size(), 2u);

  rig.field.AddCrashSite(85, 3, 30);
  rig.field.LaunchTrain({.colour = 1, .cars = 3, .loco = 6, .town = 0}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, running));
  ASSERT_TRUE(RunUntil(rig, [&] { return rig.field.Trains().empty(); }));
  EXPECT_GT(rig.field.ExplosionCount(), 0);
  EXPECT_EQ(Badges(rig).size(), 2u) << "the wreck burns without a badge";

  rig.field.LaunchTrain({.colour = 0, .cars = 1, .loco = 6, .town = 1}, Departure::kNow);
  ASSERT_TRUE(RunUntil(rig, running));
  rig.field.RemoveTrain(0, 0, false);
  EXPECT_EQ(Badges(rig).size(), 2u);
}

// Two identical runs, the second with the symbols switched on, off and on again on the
// way: badges come and go at once, and the saved field is the same.
TEST(ColourBadges, SwitchAtOnceAndChangeNothingSaved) {
  std::vector<std::pair<std::string, std::string>> saved[2];
  for (int marked = 0; marked < 2; ++marked) {
    Rig rig;
    rig.DiagonalLine();
    rig.field.LaunchTrain({.colour = 1, .cars = 3, .loco = 6, .town = 0}, Departure::kNow);
    rig.Frames(100);
    ASSERT_EQ(rig.field.Trains().size(), 1u);
    EXPECT_TRUE(Badges(rig).empty());
    if (marked) {
      rig.field.SetColourSymbols(true);
      EXPECT_EQ(Badges(rig).size(), 3u);  // two towns and the train
      ExpectBadgeOnLoco(*rig.Only(), 1);
    }
    rig.Frames(100);
    if (marked) {
      rig.field.SetColourSymbols(false);
      EXPECT_TRUE(Badges(rig).empty());
      rig.field.SetColourSymbols(true);
    }
    rig.Frames(100);
    core::MemoryStore store;
    rig.field.SaveField(store, "Game.");
    saved[marked] = store.Entries();
  }
  EXPECT_FALSE(saved[0].empty());
  EXPECT_EQ(saved[0], saved[1]);
}

}  // namespace
