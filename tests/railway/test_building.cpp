// SPDX-License-Identifier: GPL-3.0-or-later
// Laying track: the building rules, the costs, the building stages and the records.
#include <gtest/gtest.h>

#include "RailTestSupport.h"

namespace {

struct RuleCase {
  int junction;
  int type;
  bool allowed;
};

class BuildingRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(BuildingRules, FollowTheGridBorders) {
  Rig rig;
  const RuleCase& c = GetParam();
  EXPECT_EQ(rig.field.CanBuild(c.junction, c.type), c.allowed)
      << "junction " << c.junction << " type " << c.type;
}

INSTANTIATE_TEST_SUITE_P(
    Borders, BuildingRules,
    ::testing::Values(RuleCase{16, 3, false},   // column 0
                      RuleCase{23, 0, false},   // column 7
                      RuleCase{129, 1, false},  // row 16
                      RuleCase{22, 1, false},   // column 6, even row, arc to column 7
                      RuleCase{22, 2, false}, RuleCase{22, 0, true}, RuleCase{22, 3, true},
                      RuleCase{22, 4, true}, RuleCase{22, 5, true},
                      RuleCase{30, 0, false},  // column 6, odd row: types 0..3 reach column 7
                      RuleCase{30, 3, false}, RuleCase{30, 4, true}, RuleCase{30, 5, true},
                      RuleCase{3, 0, false},                          // row 0 upwards
                      RuleCase{3, 3, true}, RuleCase{122, 4, false},  // row 15 downwards
                      RuleCase{122, 5, false}, RuleCase{122, 3, true}, RuleCase{42, 4, true},
                      RuleCase{42, 6, false}, RuleCase{-1, 0, false}, RuleCase{136, 0, false}));

TEST(Building, RefusesAnEndOnASideWithASwitch) {
  Rig rig;
  ASSERT_TRUE(rig.field.AddTrack(42, 3, Laying::kByPlayer));
  ASSERT_TRUE(rig.field.AddTrack(42, 4, Laying::kByPlayer));
  EXPECT_TRUE(rig.field.At(42).HasSwitch(1));
  EXPECT_FALSE(rig.field.CanBuild(42, 2));
  EXPECT_FALSE(rig.field.AddTrack(42, 2, Laying::kByPlayer));
  EXPECT_TRUE(rig.field.CanBuild(42, 0));
}

TEST(Building, PlayerTrackCostsThePieceTreesAndHouses) {
  Rig rig;
  rail::TrackPose a = rail::TrackPoint(42, 3, 10);
  rail::TrackPose b = rail::TrackPoint(42, 3, 40);
  rail::TrackPose h = rail::TrackPoint(42, 3, 60);
  rig.field.NewLevel(0, 0, 17, 3, {{a.x, a.y, 0, -1}, {b.x, b.y, 1, -1}, {2000, 2000, 0, -1}},
                     {{h.x, h.y, 0, 1}}, 95);
  ASSERT_TRUE(rig.field.AddTrack(42, 3, Laying::kByPlayer));
  EXPECT_EQ(rig.host.money, -3000);
  EXPECT_TRUE(rig.host.Said("1000 fine for removing trees"));
  EXPECT_TRUE(rig.host.Said("1000 fine for removing the houses"));
  EXPECT_EQ(rig.host.SoundCount(snd::SetTrack), 1);
  EXPECT_EQ(rig.field.BuiltTrackRecord(), "42,3 ");
}

TEST(Building, LevelLayoutIsFreeSilentAndClearsItsWayInOneStep) {
  Rig rig;
  rail::TrackPose a = rail::TrackPoint(42, 3, 10);
  rail::TrackPose b = rail::TrackPoint(42, 3, 50);
  rig.field.NewLevel(0, 0, 17, 3, {{a.x, a.y, 0, -1}, {b.x, b.y, 0, -1}}, {}, 95);
  ASSERT_TRUE(rig.field.AddTrack(42, 3, Laying::kLevelLayout));
  rig.field.AddTrack(42, 0, Laying::kQuietLayout);  // quiet: not in the record
  EXPECT_EQ(rig.host.money, 0);
  EXPECT_TRUE(rig.host.messages.empty());
  EXPECT_TRUE(rig.host.sounds.empty());
  EXPECT_EQ(rig.field.BuiltTrackRecord(), "42,3 ");
  rig.field.BuildStep(5);  // both trees turn and go, and the track grows, in one step
  EXPECT_TRUE(rig.field.Trees().empty());
  EXPECT_EQ(rig.field.Tracks()[0]->Progress(), 50);
  rig.BuildAll();
  EXPECT_TRUE(rig.host.sounds.empty());
}

TEST(Building, TreesAndHouseTurnThenGoThenProgressGrows) {
  Rig rig;
  rail::TrackPose a = rail::TrackPoint(42, 3, 10);
  rail::TrackPose b = rail::TrackPoint(42, 3, 40);
  rail::TrackPose h = rail::TrackPoint(42, 3, 60);
  rig.field.NewLevel(0, 0, 17, 3, {{a.x, a.y, 0, -1}, {b.x, b.y, 1, -1}}, {{h.x, h.y, 0, 1}}, 95);
  rig.field.AddTrack(42, 3, Laying::kByPlayer);
  const Track& t = *rig.field.Tracks().back();
  rig.field.BuildStep(250);  // first tree turns
  EXPECT_EQ((rig.field.Trees()[0].frame == 11) + (rig.field.Trees()[1].frame == 11), 1);
  rig.field.BuildStep(250);  // second tree
  EXPECT_EQ(rig.field.Trees()[0].frame, 11);
  EXPECT_EQ(rig.field.Trees()[1].frame, 11);
  EXPECT_EQ(rig.field.Houses()[0].frame, 0);
  rig.field.BuildStep(250);  // house
  EXPECT_EQ(rig.field.Houses()[0].frame, 5);
  EXPECT_EQ(t.Progress(), 0);
  rig.field.BuildStep(250);  // all three removed, progress starts
  EXPECT_TRUE(rig.field.Trees().empty());
  EXPECT_TRUE(rig.field.Houses().empty());
  EXPECT_EQ(t.Progress(), 10);
}

TEST(Building, IntervalBecomes200WhenNothingIsLeft) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kQuietLayout);
  rig.BuildAll();
  rig.field.BuildStep(5);
  EXPECT_EQ(rig.field.BuildInterval(), 200);
  rig.field.AddTrack(42, 0, Laying::kByPlayer);
  int frames = 0;
  int steps = 0;
  const Track& t = *rig.field.Tracks().back();
  while (!rig.field.AllTracksBuilt() && frames < 1000) {
    int before = t.Progress();
    rig.field.BuildStep(20);
    steps += t.Progress() != before;
    ++frames;
  }
  // Ten steps, each after more than 200 ms of 20 ms frames: about two seconds.
  EXPECT_EQ(steps, 10);
  EXPECT_GE(frames, 100);
  EXPECT_LE(frames, 110);
}

// The field remembers how many tracks it has finished; a new level starts that count
// again, or its fewer tracks would pass for built before they are.
TEST(Building, ANewLevelBuildsItsOwnTracks) {
  Rig rig;
  LayLevelTracks(rig.field, "17,3 25,3 34,3");
  rig.BuildAll();
  ASSERT_TRUE(rig.field.AllTracksBuilt());
  rig.field.NewLevel(0, 0, 17, 3, {{2000, 2000, 0, -1}}, {}, 95);
  LayLevelTracks(rig.field, "42,3");
  EXPECT_FALSE(rig.field.AllTracksBuilt());
  EXPECT_NE(rig.field.At(42).End(3), EndState::kBuilt);
  rig.BuildAll();
  EXPECT_TRUE(rig.field.AllTracksBuilt());
  EXPECT_EQ(rig.field.At(42).End(3), EndState::kBuilt);
  EXPECT_EQ(rig.field.At(51).End(9), EndState::kBuilt);
}

TEST(Building, QuietTrackNeedsTwoSteps) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kTownTrack);
  const Track& t = *rig.field.Tracks().back();
  rig.field.BuildStep(5);
  EXPECT_EQ(t.Progress(), 50);
  rig.field.BuildStep(5);
  EXPECT_EQ(t.Progress(), 100);
  EXPECT_EQ(rig.field.At(42).End(3), EndState::kBuilt);
  EXPECT_EQ(rig.field.At(51).End(9), EndState::kBuilt);
  EXPECT_EQ(rig.host.SoundCount(snd::BuildTrack), 0);
}

TEST(Building, StagesShowTheirPictures) {
  Rig rig;
  rig.field.AddTrack(42, 3, Laying::kByPlayer);
  const Track& t = *rig.field.Tracks().back();
  ASSERT_NE(t.Picture(0), nullptr);
  EXPECT_EQ(t.Picture(0)->Clip(), 113);
  EXPECT_EQ(t.Picture(0)->Frame(), 4);
  for (int i = 0; i < 4; ++i) rig.field.BuildStep(201);
  EXPECT_EQ(t.Stage(), 1);
  EXPECT_EQ(t.Picture(0), nullptr);
  EXPECT_EQ(t.Picture(1)->Z(), 1104);
  for (int i = 0; i < 6; ++i) rig.field.BuildStep(201);
  EXPECT_EQ(t.Stage(), 3);
  EXPECT_NE(t.Picture(1), nullptr);
  EXPECT_EQ(t.Picture(2), nullptr);
  EXPECT_EQ(t.Picture(3)->Clip(), 116);
  EXPECT_EQ(rig.host.SoundCount(snd::BuildTrack), 3);
}

TEST(Building, CursorTrackMovesItsPicturesToADepthKey) {
  HeadlessSprites sprites;
  Track cursor(0, 3, true, true, &sprites);
  cursor.MoveTo(441, 235, -1196);
  ASSERT_NE(cursor.Picture(0), nullptr);
  EXPECT_EQ(cursor.Picture(0)->X(), 441);
  EXPECT_EQ(cursor.Picture(0)->Y(), 235);
  EXPECT_EQ(cursor.Picture(0)->Z(), -1193);
  cursor.Advance(100);  // a finished cursor shows ground and rails, in front of each other
  EXPECT_EQ(cursor.Picture(1)->Z(), -1194);
  EXPECT_EQ(cursor.Picture(3)->Z(), -1196);
  cursor.Show(false);
  EXPECT_FALSE(cursor.Picture(1)->Visible());
  EXPECT_FALSE(cursor.Picture(3)->Visible());
}

TEST(Building, ArcsRegisterTheirCrossings) {
  Rig rig;
  // Junction 42's up-right neighbour is 35; arcs 4/5 from 35 cross arcs 1/2 from 42.
  rig.field.AddTrack(35, 5, Laying::kQuietLayout);
  rig.field.AddTrack(42, 1, Laying::kQuietLayout);
  const auto& c = rig.field.At(42).crossings;
  EXPECT_EQ(c[0].j, 42);
  EXPECT_EQ(c[0].d, 1);
  EXPECT_EQ(c[0].pos, 38);
  EXPECT_EQ(c[1].j, 35);
  EXPECT_EQ(c[1].d, 5);
  EXPECT_EQ(c[2].j, -1);
  // An arc of type 2 is stored at its far end (43), from 35's arc of type 4 at 51.
  rig.field.AddTrack(35, 4, Laying::kQuietLayout);
  rig.field.AddTrack(42, 2, Laying::kQuietLayout);
  const auto& e = rig.field.At(43).crossings;
  EXPECT_EQ(e[0].j, 43);
  EXPECT_EQ(e[0].d, 7);
  EXPECT_EQ(e[0].pos, 76);
  EXPECT_EQ(e[2].j, 43);
  EXPECT_EQ(e[2].pos, 38);
  EXPECT_EQ(e[3].j, 51);
  EXPECT_EQ(e[3].d, 11);
  EXPECT_EQ(e[3].pos, 38);
}

TEST(Building, BadIndexOrTypeChangesNothing) {
  Rig rig;
  EXPECT_FALSE(rig.field.AddTrack(42, 6, Laying::kLevelLayout));
  EXPECT_FALSE(rig.field.AddTrack(140, 1, Laying::kLevelLayout));
  EXPECT_TRUE(rig.field.Tracks().empty());
  EXPECT_TRUE(rig.field.BuiltTrackRecord().empty());
}

}  // namespace
