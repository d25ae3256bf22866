// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading the field's running state.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

#include "RailTestSupport.h"
#include "core/Cipher.h"
#include "core/LParams.h"
#include "railway/FieldReport.h"
#include "railway/LevelRestore.h"

namespace {

// The static part a saved game rebuilds before the running state is read.
void Layout(Rig& rig) {
  rig.DiagonalLine();
  rig.field.AddTrack(42, 4, Laying::kLevelLayout);
  LayLevelTracks(rig.field, "44,2 45,1");
  rig.BuildAll();
}

void BusyState(Rig& rig) {
  Layout(rig);
  rig.field.At(42).ToggleSwitch(1);
  rig.field.At(45).ToggleSignal(2);
  rig.field.LaunchTrain({.colour = 1, .cars = 3, .loco = 4, .town = 0}, Departure::kNow);
  // queued behind it, no wagons
  rig.field.LaunchTrain({.colour = 5, .cars = 0, .loco = 3, .town = 0}, Departure::kNow);
  // queued too
  rig.field.LaunchTrain({.colour = 4, .cars = 4, .loco = 2, .kind = TrainKind::kCrazy, .town = 0},
                        Departure::kNow);
  // delayed start at the red town
  rig.field.LaunchTrain({.colour = 0, .cars = 2, .loco = 5, .town = 1}, Departure::kDelayed);
  Train* t = rig.field.PlaceTrain(4, 3, 2, {68, 3, 50}, TrainKind::kOrdinary, 1);
  rig.Frames(30);
  rig.field.ReverseTrain(*t);
  rig.field.AddCrashSite(85, 3, 40);
  rig.Frames(3);
}

std::string Strip(std::string s) {
  for (size_t p; (p = s.find(" button")) != std::string::npos;) s.erase(p, 7);
  return s;
}

TEST(FieldState, BusyFieldSurvivesSaveAndLoad) {
  Rig a;
  BusyState(a);
  ASSERT_EQ(a.field.Trains().size(), 2u);
  ASSERT_EQ(a.field.Towns()[0].queue.size(), 2u);
  core::MemoryStore store;
  a.field.SaveField(store, "Game.");
  // The second field is laid out from the first one's records, as a restored game is.
  Rig b;
  ASSERT_TRUE(RebuildLevel(b.field, a.field.TownRecord(), a.field.BuiltTrackRecord(),
                           {{2000, 2000, 0, -1}}, {}, 95));
  ASSERT_TRUE(b.field.LoadField(store, "Game."));
  // The wagons are re-formed behind each locomotive by the next movement step.
  a.field.StepAndCheck();
  b.field.StepAndCheck();
  EXPECT_EQ(Strip(report::All(a.field)), Strip(report::All(b.field)));
  EXPECT_TRUE(b.field.Trains()[1]->reversed);
  EXPECT_EQ(b.field.Towns()[1].countdown, 0);
  EXPECT_TRUE(b.field.Towns()[1].startSign->Visible());
}

TEST(FieldState, TheSavedNextTownPlaceKeepsItsReservedTrack) {
  Rig a;
  Layout(a);
  ASSERT_TRUE(a.field.ReserveNextTown(62, 2));
  core::MemoryStore store;
  a.field.SaveField(store, "");
  Rig b;
  Layout(b);
  ASSERT_TRUE(b.field.ReserveNextTown(97, 3));  // the rebuilt field's own pick
  ASSERT_TRUE(b.field.HasTrack(88, 3));
  ASSERT_TRUE(b.field.LoadField(store, ""));
  EXPECT_EQ(b.field.NextTownJunction(), 62);
  EXPECT_EQ(b.field.NextTrackType(), 2);
  EXPECT_EQ(b.field.At(62).End(2), EndState::kReserved);
  EXPECT_TRUE(b.field.HasTrack(62, 2));
  EXPECT_FALSE(b.field.HasTrack(88, 3));  // no phantom track left at the other place
}

TEST(FieldState, KeysAreWrittenInOrder) {
  Rig a;
  BusyState(a);
  core::MemoryStore store;
  a.field.SaveField(store, "Game.");
  std::vector<std::string> keys;
  for (const auto& e : store.Entries()) keys.push_back(e.first);
  ASSERT_GE(keys.size(), 10u);
  EXPECT_EQ(keys[0], "Game.GameField.CounterMinusMoney");
  EXPECT_EQ(keys[1], "Game.GameField.NumberTrains");
  EXPECT_EQ(keys[2], "Game.GameField.TrainNumber0");
  EXPECT_EQ(keys[4], "Game.GameField.NextTownJunctions");
  EXPECT_EQ(keys.back(), "Game.GameField.WaitTown1Crasy");
  EXPECT_EQ(store.Entries()[keys.size() - 6].first, "Game.GameField.WaitTown1CounterWaitTrain");
  for (const auto& e : store.Entries()) {
    if (e.first == "Game.GameField.Crash0") {
      EXPECT_EQ(e.second.substr(0, 8), "3 85 39.");
    }
    if (e.first == "Game.GameField.S0") {
      EXPECT_EQ(e.second, "42 1 4 3");
    }
  }
}

TEST(FieldState, EmptyFieldSavesZeroCounts) {
  Rig a;
  core::MemoryStore store;
  a.field.SaveField(store, "");
  std::vector<std::string> keys;
  for (const auto& e : store.Entries()) keys.push_back(e.first);
  std::vector<std::string> expected = {"GameField.CounterMinusMoney", "GameField.NumberTrains",
                                       "GameField.NextTownJunctions", "GameField.NextTrackType",
                                       "GameField.SwitchNumber",      "GameField.LightNumber",
                                       "GameField.CrashesNumber",     "GameField.BlockedNumbers"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(store.Entries()[1].second, "0");
}

TEST(FieldState, EveryTruncatedListLoadsIncomplete) {
  Rig a;
  BusyState(a);
  core::MemoryStore full;
  a.field.SaveField(full, "Game.");
  for (size_t k = 0; k < full.Entries().size(); ++k) {
    core::MemoryStore part(
        core::ParamEntries(full.Entries().begin(), full.Entries().begin() + static_cast<long>(k)));
    Rig b;
    Layout(b);
    EXPECT_FALSE(b.field.LoadField(part, "Game.")) << "with " << k << " entries";
  }
}

TEST(FieldState, SealedFileRoundTripsAndATruncatedOneLoadsIncomplete) {
  CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
  Rig a;
  BusyState(a);
  const std::string path = std::string(OT_BINARY_DIR) + "/railway_state_test.sav";
  {
    LParams params;
    ASSERT_TRUE(params.OpenWrite(path));
    a.field.SaveField(params, "Game.");
    ASSERT_TRUE(params.Close());
  }
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  {
    LParams params;
    ASSERT_TRUE(params.OpenRead(path));
    Rig b;
    Layout(b);
    EXPECT_TRUE(b.field.LoadField(params, "Game."));
  }
  for (size_t k = 0; k < bytes.size(); k += bytes.size() / 9 + 1) {
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<long>(k));
    }
    testing::internal::CaptureStdout();
    LParams params;
    params.OpenRead(path);
    Rig b;
    Layout(b);
    EXPECT_FALSE(b.field.LoadField(params, "Game.")) << "with " << k << " bytes";
    testing::internal::GetCapturedStdout();
  }
  std::remove(path.c_str());
}

struct BadValue {
  const char* key;
  const char* value;
};

void PrintTo(const BadValue& v, std::ostream* os) { *os << v.key << " = \"" << v.value << '"'; }

class BadLoadedValues : public ::testing::TestWithParam<BadValue> {};

TEST_P(BadLoadedValues, MarkTheLoadIncomplete) {
  Rig a;
  BusyState(a);
  core::MemoryStore store;
  a.field.SaveField(store, "");
  core::ParamEntries entries = store.TakeEntries();
  bool replaced = false;
  for (auto& e : entries) {
    if (e.first == std::string("GameField.") + GetParam().key) {
      e.second = GetParam().value;
      replaced = true;
    }
  }
  ASSERT_TRUE(replaced);
  Rig b;
  Layout(b);
  core::MemoryStore changed(entries);
  EXPECT_FALSE(b.field.LoadField(changed, ""));
  b.Frames(100);  // whatever was loaded must run without harm
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, BadLoadedValues,
    ::testing::Values(
        BadValue{"S0", "136 1 4 3"}, BadValue{"S0", "-1 1 4 3"}, BadValue{"S0", "42 4 4 3"},
        BadValue{"S0", "42 1 12 3"}, BadValue{"L0", "45 -1 1"}, BadValue{"L0", "900 2 1"},
        BadValue{"Crash0", "12 85 20.0"}, BadValue{"Crash0", "3 -5 20.0"},
        BadValue{"Block0", "2 5 2 3 0"}, BadValue{"Block1", "-1 5 2 3 0"},
        BadValue{"Block1", "0 4 4 2 7"}, BadValue{"Block1", "0 4 40 2 2"},
        BadValue{"WaitTown1Len", "-1"}, BadValue{"TrainNumber0", "1 3 4 0 0 1.0 13 34 5.0 1"},
        BadValue{"TrainNumber0", "1 3 4 0 0 1.0 3 136 5.0 1"}, BadValue{"TrainNumber0", "1 3 4"},
        BadValue{"TrainNumber0", "1 0 4 0 0 1.0 3 34 5.0 1"},
        BadValue{"TrainNumber0", "1 3 4 0 0 nan 3 34 5.0 1"},
        BadValue{"TrainNumber0", "1 3 4 0 0 1.0 3 34 1e30 1"},
        BadValue{"TrainNumber0", "1 3 4 0 0 1.0 3 34 -inf 1"}, BadValue{"Crash0", "3 85 nan"},
        BadValue{"S0", "42 1 0 3"},
        // Numbers that parse but no game can make: far along or off the
        // track, a track never built, a flag that is neither 0 nor 1.
        BadValue{"Crash0", "3 85 1e30"}, BadValue{"Crash0", "3 85 -1"},
        BadValue{"Crash0", "3 100 20.0"}, BadValue{"L0", "45 2 2"}, BadValue{"S0", "43 1 4 3"},
        BadValue{"S0", "42 1 4 4"}, BadValue{"TrainNumber0", "1 3 4 0 0 1.0 3 100 5.0 1"},
        BadValue{"TrainNumber0", "1 3 4 0 2 1.0 3 34 5.0 1"}, BadValue{"CounterMinusMoney", "nan"},
        BadValue{"NextTownJunctions", "18"}, BadValue{"WaitTown1TownColor", "7"},
        BadValue{"SwitchNumber", "-4"}, BadValue{"NumberTrains", "5"}));

TEST(Towns, BadTownDataFromASaveIsRefusedWithALogLine) {
  Rig rig;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(rig.field.AddTown(0, 18, 3));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error. Field::AddInitialTowns. Bad town info: 18,3\n");
  EXPECT_TRUE(rig.field.Towns().empty());
  EXPECT_FALSE(rig.field.AddTown(0, 17, 9));
  EXPECT_FALSE(rig.field.AddTown(3, 17, 3));
}

}  // namespace

namespace {

TEST(FieldState, CatchUpStepReformsTheWagonsBehindTheLocomotive) {
  Rig a;
  BusyState(a);
  core::MemoryStore store;
  a.field.SaveField(store, "");
  Rig b;
  Layout(b);
  ASSERT_TRUE(b.field.LoadField(store, ""));
  const Train& t = *b.field.Trains()[0];
  ASSERT_EQ(t.CarCount(), 3);
  EXPECT_EQ(t.cars[2].place.pos, t.cars[0].place.pos);
  b.host.catchUp = true;
  b.field.FieldUpdate(20);  // one 200 ms step at once instead of waiting for 100 ms
  EXPECT_FALSE(b.host.catchUp);
  EXPECT_GT(t.cars[0].place.pos, 0);
  EXPECT_TRUE(t.cars[2].place.j != t.cars[0].place.j || t.cars[2].place.pos < t.cars[0].place.pos);
}

}  // namespace

namespace {

// The records' text form: blanks around pairs do not matter, reading stops at the first
// thing that is not a pair, and a refused piece is reported.
TEST(LevelRestore, PairsAndLayouts) {
  EXPECT_EQ(ParsePairs(" 17,3  25,3 x 34,3"), (std::vector<TrackPair>{{17, 3}, {25, 3}}));
  EXPECT_EQ(ParsePairs("14,2 110,1"), (std::vector<TrackPair>{{14, 2}, {110, 1}}));
  EXPECT_TRUE(ParsePairs("").empty());
  Rig rig;
  EXPECT_TRUE(LayLevelTracks(rig.field, "17,3 25,3"));
  EXPECT_FALSE(LayLevelTracks(rig.field, "34,3 42,9"));
  EXPECT_TRUE(rig.field.HasTrack(34, 3));
}

}  // namespace

namespace {

// The built pieces of track, each named once by its start junction and type.
std::vector<std::pair<int, int>> BuiltPieces(const Field& field) {
  std::vector<std::pair<int, int>> pieces;
  for (int j = 0; j < rail::kJunctions; ++j) {
    for (int t = 0; t < rail::kTrackTypeCount; ++t) {
      const int far = rail::Neighbour(j, t);
      if (rail::ValidJunction(far) && field.At(j).End(t) == EndState::kBuilt &&
          field.At(far).End(rail::Opposite(t)) == EndState::kBuilt) {
        pieces.emplace_back(j, t);
      }
    }
  }
  return pieces;
}

std::string Text(const char* fmt, auto... values) {
  char text[128];
  std::snprintf(text, sizeof text, fmt, values...);
  return text;
}

// Makes the list under count (items named item%d) n records long, record(field, i) each.
core::MemoryStore PutList(core::MemoryStore& store, const std::string& count,
                          const std::string& item, int n,
                          const std::function<std::string(int)>& record) {
  core::ParamEntries entries = store.Entries();
  std::erase_if(entries,
                [&](const auto& e) { return e.first.rfind(item, 0) == 0 && e.first != count; });
  for (auto& e : entries) {
    if (e.first == count) e.second = std::to_string(n);
  }
  for (int i = 0; i < n; ++i) entries.emplace_back(item + std::to_string(i), record(i));
  return core::MemoryStore(std::move(entries));
}

struct ListCase {
  const char* name;
  const char* count;
  const char* item;
  // The list's bound on the field, and its i-th record: every record one the game takes.
  int (*bound)(const Field& field);
  std::string (*record)(const Field& field, int i);
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

// Cars of a train of 29 cover no more track than the shortest loop, four arcs.
constexpr int kShortestLoop = 4 * 115;

const ListCase kListCases[] = {
    {"signals", "GameField.LightNumber", "GameField.L",
     [](const Field& f) { return f.ListBounds().signals; },
     [](const Field&, int i) {
       const int side = i % (rail::kJunctions * rail::kSideCount);
       return Text("%d %d %d", side / rail::kSideCount, side % rail::kSideCount, i % 2);
     }},
    {"crash sites", "GameField.CrashesNumber", "GameField.Crash",
     [](const Field& f) { return f.ListBounds().crashSites; },
     [](const Field& f, int i) {
       const auto pieces = BuiltPieces(f);
       const auto [j, t] = pieces[static_cast<size_t>(i) % pieces.size()];
       return Text("%d %d %f", t, j, rail::TrackLength(t) / 2.0);
     }},
    {"trains", "GameField.NumberTrains", "GameField.TrainNumber",
     [](const Field& f) { return f.ListBounds().trains; },
     [](const Field& f, int i) {
       const auto pieces = BuiltPieces(f);
       const auto [j, t] = pieces[static_cast<size_t>(i) % pieces.size()];
       return Text("%d 1 0 0 0 0.4 %d %d %d.0 0", i % 8, t, j, 20 + 30 * (i / 16 % 2));
     }},
    {"trains of 29 cars", "GameField.NumberTrains", "GameField.TrainNumber",
     [](const Field& f) { return f.ListBounds().trainLength / kShortestLoop; },
     [](const Field& f, int i) {
       const auto pieces = BuiltPieces(f);
       const auto [j, t] = pieces[static_cast<size_t>(i) % pieces.size()];
       return Text("%d 29 0 0 0 0.4 %d %d 30.0 0", i % 8, t, j);
     }},
};

class SavedListBounds : public ::testing::TestWithParam<ListCase> {};

// A list as long as the rebuilt field can hold loads; one record more is refused.
TEST_P(SavedListBounds, AListAtItsBoundLoadsAndOneMoreIsRefused) {
  const ListCase& c = GetParam();
  for (int extra : {0, 1}) {
    Rig a;
    Layout(a);
    core::MemoryStore store;
    a.field.SaveField(store, "");
    Rig b;
    Layout(b);
    const int n = c.bound(b.field) + extra;
    ASSERT_GT(n, 1);
    core::MemoryStore list =
        PutList(store, c.count, c.item, n, [&](int i) { return c.record(b.field, i); });
    EXPECT_EQ(b.field.LoadField(list, ""), extra == 0) << n << " " << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Lists, SavedListBounds, ::testing::ValuesIn(kListCases));

// A junction side has one switch and one signal: a side listed twice comes from no game.
TEST(FieldState, ASideListedTwiceIsRefused) {
  for (const char* list : {"S", "L"}) {
    Rig a;
    Layout(a);
    core::MemoryStore store;
    a.field.SaveField(store, "");
    const std::string count = std::string("GameField.") + (*list == 'S' ? "Switch" : "Light");
    std::string first;
    for (const auto& e : store.Entries()) {
      if (e.first == std::string("GameField.") + list + "0") first = e.second;
    }
    ASSERT_FALSE(first.empty()) << list;
    int j, side, x, y = 0;
    std::sscanf(first.c_str(), "%d %d %d %d", &j, &side, &x, &y);
    // The same side again: the switch set the other way, the signal at the other colour.
    const std::string again =
        *list == 'S' ? Text("%d %d %d %d", j, side, y, x) : Text("%d %d %d", j, side, 1 - x);
    core::MemoryStore twice = PutList(store, count + "Number", std::string("GameField.") + list, 2,
                                      [&](int i) { return i == 0 ? first : again; });
    Rig b;
    Layout(b);
    EXPECT_FALSE(b.field.LoadField(twice, "")) << list;
  }
}

}  // namespace
