// SPDX-License-Identifier: GPL-3.0-or-later
// Junctions: switches, signals, routing and clicks.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "RailTestSupport.h"

namespace {

TEST(Switches, PlayerLaidSecondEndKeepsTheEarlierBranchActive) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kByPlayer);
  rig.field.AddTrack(42, 4, Laying::kByPlayer);
  const Junction::Switch& sw = rig.field.At(42).SwitchAt(1);
  EXPECT_EQ(sw.state, SwitchState::kPending);
  EXPECT_EQ(sw.active, 3);
  EXPECT_EQ(sw.another, 4);
  ASSERT_NE(sw.picture, nullptr);
  EXPECT_FALSE(sw.picture->Visible());
  rig.BuildAll();
  EXPECT_EQ(sw.state, SwitchState::kWorking);
  EXPECT_TRUE(sw.picture->Visible());
  EXPECT_EQ(sw.picture->Frame(), 10);  // (3, 4)
  EXPECT_EQ(sw.picture->Z(), -1171);   // in front of the scenery and trains
}

TEST(Switches, FacingSwitchesAcrossAStraightTakeTheShortPicture) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kLevelLayout);  // 42 -> 51
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);  // switch at 42, side 1
  EXPECT_EQ(rig.field.At(42).SwitchAt(1).picture->Clip(), 119);
  rig.field.AddTrack(50, 1, Laying::kLevelLayout);  // switch at 51, side 3, facing it
  EXPECT_EQ(rig.field.At(42).SwitchAt(1).picture->Clip(), 120);
  EXPECT_EQ(rig.field.At(51).SwitchAt(3).picture->Clip(), 120);
  EXPECT_EQ(rig.field.At(51).SwitchAt(3).picture->Z(), -1173);
}

TEST(Signals, AStraightThroughLineHasNoneAndACrossingLineRemovesThem) {
  Rig rig;
  rig.field.AddTrack(34, 3, Laying::kQuietLayout);
  rig.field.AddTrack(42, 3, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& j = rig.field.At(42);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(j.SignalAt(s).state, SignalState::kNone);
  // An arc arriving at 42's side 3 and one leaving through side 1 on a second node.
  rig.field.AddTrack(49, 1, Laying::kQuietLayout);  // 50 gets end 8 (side 3)
  rig.field.AddTrack(50, 2, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& k = rig.field.At(50);
  ASSERT_EQ(k.SignalAt(1).state, SignalState::kGreen);
  ASSERT_EQ(k.SignalAt(3).state, SignalState::kGreen);
  // A line crossing on sides 0 and 2 turns the node into a crossing without signals.
  rig.field.AddTrack(50, 0, Laying::kQuietLayout);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(k.SignalAt(s).state, SignalState::kNone);
  EXPECT_EQ(k.SignalAt(1).picture, nullptr);
  EXPECT_TRUE(k.IsCrossing());
}

TEST(Signals, ArcContinuingAStraightLinePlacesHiddenSignalThenGreen) {
  Rig rig;
  // Line arriving at 42 from the left arc (42 has an end at 8 on side 3) and a straight
  // continuing at side 1 would not make a signal; an arc at side 1 does.
  rig.field.AddTrack(41, 1, Laying::kQuietLayout);  // 42 gets end 8 (side 3, arc)
  rig.BuildAll();
  rig.field.AddTrack(42, 2, Laying::kByPlayer);  // side 1 arc; side 3 has an arc end
  Junction& j = rig.field.At(42);
  EXPECT_EQ(j.SignalAt(3).state, SignalState::kPlaced);
  EXPECT_EQ(j.SignalAt(1).state, SignalState::kPlaced);
  EXPECT_FALSE(j.SignalAt(1).picture->Visible());
  rig.BuildAll();
  EXPECT_EQ(j.SignalAt(1).state, SignalState::kGreen);
  EXPECT_TRUE(j.SignalAt(1).picture->Visible());
  EXPECT_EQ(j.SignalAt(1).picture->Frame(), 0);
  EXPECT_EQ(j.SignalAt(3).picture->Frame(), 4);
  j.ToggleSignal(3);
  EXPECT_EQ(j.SignalAt(3).state, SignalState::kRed);
  EXPECT_EQ(j.SignalAt(3).picture->Frame(), 5);
  EXPECT_EQ(rig.host.SoundCount(snd::Light), 1);
}

TEST(Signals, RemovedWhenASwitchIsCreated) {
  Rig rig;
  rig.field.AddTrack(41, 1, Laying::kQuietLayout);
  rig.field.AddTrack(42, 2, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& j = rig.field.At(42);
  ASSERT_EQ(j.SignalAt(1).state, SignalState::kGreen);
  rig.field.AddTrack(42, 3, Laying::kByPlayer);  // second end on side 1
  for (int s = 0; s < 4; ++s) EXPECT_EQ(j.SignalAt(s).state, SignalState::kNone);
  EXPECT_EQ(j.SignalAt(1).picture, nullptr);
}

TEST(Routing, AgainstTheNonActiveBranchThereIsNoExit) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kQuietLayout);
  rig.field.AddTrack(42, 4, Laying::kQuietLayout);
  rig.field.AddTrack(34, 3, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& j = rig.field.At(42);
  // Laid quietly, the second end of side 1 became the active branch.
  ASSERT_EQ(j.SwitchAt(1).active, 4);
  ASSERT_EQ(j.SwitchAt(1).another, 3);
  // Arriving from 51 on the straight (direction 9 seen from 51): entry side 1.
  EXPECT_EQ(j.RouteExit(3, 9, true, false), -1);
  EXPECT_EQ(j.RouteExit(3, 11, true, false), 9);  // from 58 on the active arc
  EXPECT_EQ(j.RouteExit(3, 9, true, true), 9);    // the switch ignored
  // Leaving through side 1 follows the active branch.
  EXPECT_EQ(j.RouteExit(1, 3, true, false), 4);
  // A train starting here takes the first side with an exit; no side beyond 3.
  EXPECT_EQ(j.RouteExit(-1, -1, true, false), 4);
  EXPECT_EQ(j.RouteExit(4, -1, true, false), -1);
}

TEST(Routing, RedSignalStopsOnlyWithoutAnExitSwitch) {
  Rig rig;
  rig.field.AddTrack(41, 1, Laying::kQuietLayout);
  rig.field.AddTrack(42, 2, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& j = rig.field.At(42);
  j.ToggleSignal(3);
  ASSERT_EQ(j.SignalAt(3).state, SignalState::kRed);
  EXPECT_EQ(j.RouteExit(1, 1, true, false), -1);  // train from 41 meets red on side 3
  EXPECT_EQ(j.RouteExit(1, 1, false, false), 2);  // a crazy train runs through
  j.SetSwitch(1, 2, 3);                           // with a working exit switch
  EXPECT_EQ(j.RouteExit(1, 1, true, false), 2);
}

// The junction plays "SwitchLock" and says where the held switch is, so that the game
// can show it.
TEST(Clicks, LockedSwitchPlaysSwitchLockAndReportsWhere) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kQuietLayout);
  rig.field.AddTrack(42, 4, Laying::kQuietLayout);
  rig.BuildAll();
  Junction& j = rig.field.At(42);
  j.Lock(9);  // a train passing on side 3 locks sides 3 and 1
  EXPECT_TRUE(rig.field.FieldClick(j.X(), j.Y()) == nullptr);
  EXPECT_EQ(j.SwitchAt(1).active, 4);
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
  ASSERT_EQ(rig.host.locks.size(), 1u);
  EXPECT_EQ(rig.host.locks[0].x, j.X());
  EXPECT_EQ(rig.host.locks[0].y, j.Y());
  j.ClearLocks();
  rig.field.FieldClick(j.X(), j.Y());
  EXPECT_EQ(rig.host.locks.size(), 1u);
  EXPECT_EQ(j.SwitchAt(1).active, 3);
  EXPECT_EQ(j.SwitchAt(1).picture->Frame(), 10);  // (3, 4)
  EXPECT_EQ(rig.host.SoundCount(snd::Switch), 1);
}

TEST(Clicks, HiddenPicturesUnderConstructionTakeTheClick) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kByPlayer);
  rig.field.AddTrack(42, 4, Laying::kByPlayer);
  Junction& j = rig.field.At(42);
  ASSERT_FALSE(j.SwitchAt(1).picture->Visible());
  rig.field.FieldClick(j.X(), j.Y());  // the pending switch cannot be thrown yet
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
  EXPECT_TRUE(rig.host.locks.empty());  // no train holds it: nothing to show
  EXPECT_EQ(j.SwitchAt(1).active, 3);

  rig.field.AddTrack(42, 1, Laying::kQuietLayout);  // 43 gets end 8 (side 3, arc)
  rig.BuildAll();
  rig.field.AddTrack(43, 2, Laying::kQuietLayout);  // the line goes on: hidden signals
  Junction& k = rig.field.At(43);
  ASSERT_EQ(k.SignalAt(3).state, SignalState::kPlaced);
  const FieldSprite* sig = k.SignalAt(3).picture;
  EXPECT_TRUE(k.ClickJunction(static_cast<int>(sig->X()), static_cast<int>(sig->Y()) - 2));
  EXPECT_EQ(k.SignalAt(3).state, SignalState::kPlaced);
  EXPECT_EQ(rig.host.SoundCount(snd::Light), 0);
}

TEST(Clicks, BadSidesAreIgnoredSilently) {
  Rig rig;
  Junction& j = rig.field.At(42);
  j.ToggleSwitch(7);
  j.ToggleSignal(-1);
  EXPECT_TRUE(rig.host.sounds.empty());
  j.ToggleSwitch(0);  // no working switch there
  EXPECT_EQ(rig.host.SoundCount(snd::SwitchLock), 1);
}

// The autopilot keeps what it read off the field while every junction shows the stamp it
// showed: whatever a way or a click depends on gives a new stamp, never one seen before;
// the locks that passing trains set and clear, and a refused click, do not.
TEST(Junctions, EveryChangeButALockGivesANewStamp) {
  Rig rig;
  Junction& j = rig.field.At(42);
  Junction& k = rig.field.At(50);
  std::set<uint64_t> seen{j.Changes(), k.Changes()};
  ASSERT_EQ(seen.size(), 2u) << "no two junctions share a stamp";
  auto stamped = [&seen](const Junction& at, const char* what) {
    EXPECT_TRUE(seen.insert(at.Changes()).second) << what;
  };
  rig.field.AddTrack(42, 3, Laying::kQuietLayout);
  stamped(j, "an end laid");
  rig.field.AddTrack(42, 4, Laying::kQuietLayout);
  stamped(j, "a switch laid");
  rig.BuildAll();
  stamped(j, "built");
  const uint64_t built = j.Changes();
  j.Lock(9);
  EXPECT_EQ(rig.field.FieldClick(j.X(), j.Y()), nullptr);
  j.ClearLocks();
  EXPECT_EQ(j.Changes(), built) << "locks and a refused click";
  rig.field.FieldClick(j.X(), j.Y());
  stamped(j, "the switch thrown");
  j.SetSwitch(1, 4, 3);
  stamped(j, "the switch set");
  rig.field.AddTrack(49, 1, Laying::kQuietLayout);
  rig.field.AddTrack(50, 2, Laying::kQuietLayout);
  rig.BuildAll();
  stamped(k, "signals placed");
  ASSERT_EQ(k.SignalAt(1).state, SignalState::kGreen);
  k.ToggleSignal(1);
  stamped(k, "a signal turned red");
  k.SetSignal(1, false);
  stamped(k, "a signal set green");
  k.AttachTown(3, false);
  stamped(k, "a town");
  k.Reset();
  stamped(k, "reset");
}

TEST(Junctions, EndLineOnANonBuildingEndIsLoggedAndBuilt) {
  Rig rig;
  testing::internal::CaptureStderr();
  rig.field.At(42).EndLine(3);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log, "Error. void Junction::EndLine(int iDirection): Activate non building line.\n");
  EXPECT_EQ(rig.field.At(42).End(3), EndState::kBuilt);
}

}  // namespace
