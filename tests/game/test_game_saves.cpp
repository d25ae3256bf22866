// SPDX-License-Identifier: GPL-3.0-or-later
// Saved games: a round trip from every state, saves early in a level and
// during a restore, the two game types' files, damaged files and documents.
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include "GameTestSupport.h"

using namespace gametest;

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Train speeds change in the update that hands over the catch-up step, and that step
// places the heads again.
std::string Strip(const std::string& dump) {
  std::string out;
  for (size_t i = 0; i < dump.size();) {
    size_t value = std::string::npos;
    for (const char* key : {" speed=", " head="})
      if (dump.compare(i, std::strlen(key), key) == 0) value = i + std::strlen(key);
    const size_t end =
        value == std::string::npos ? value : dump.find_first_not_of("-0123456789.,", value);
    if (value != std::string::npos && end != value) {
      i = end == std::string::npos ? dump.size() : end;
    } else {
      out += dump[i++];
    }
  }
  return out;
}
std::string Comparable(Game& g) { return Strip(Dump(g)); }
std::string Restored(TestGame& g) { return Strip(g.restored.empty() ? Dump(g) : g.restored); }

// A Puzzle game 30 s into its second level, with trains about.
TestGame& Played(GameTest& t) {
  TestGame& g = t.Start(1, 1);
  t.Frames(g, 1500);
  EXPECT_FALSE(g.GetField().Trains().empty());
  return g;
}

// A Classic game with some track, all of it built (a restore builds every track before
// it reads the running values).
TestGame& PlayedClassic(GameTest& t) {
  TestGame& g = t.Start(0, 1);
  t.Frames(g, 10);
  for (int y = 150; y < 500; y += 31) g.Apply(action::Make(ActionKind::kClick, 400, y));
  t.RunUntil(g, [&] { return g.GetField().AllTracksBuilt(); });
  t.Frames(g, 100);
  return g;
}

TestGame& Finishing(GameTest& t) {
  TestGame& g = Played(t);
  while (!g.GetField().Trains().empty()) g.GetField().RemoveTrain(0, 0, false);
  g.HoldProgress(100);
  t.Frames(g, 1);
  return g;
}

TestGame& OutOfMoney(GameTest& t) {
  TestGame& g = Played(t);
  g.Fine(static_cast<unsigned>(g.MoneyCounter));
  return g;
}

struct RoundTripCase {
  const char* name;
  std::function<TestGame&(GameTest&)> setup;
  int32_t state;  // when saved
  int32_t after;  // once restored; 0: Load says no and a new game begins
};
void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTrip : public GameTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTrip, FromEveryState) {
  const RoundTripCase& c = GetParam();
  TestGame& a = c.setup(*this);
  ASSERT_EQ(a.GameState, c.state);
  const std::string before = Comparable(a);
  const int32_t totalTime = a.TotalTime;
  a.Save();
  const Doc doc = Entries(SavePath(Globals().GameType));
  // Saving again writes the same game: a save leaves the game as it was.
  a.Save();
  EXPECT_EQ(Entries(SavePath(Globals().GameType)), doc);
  EXPECT_EQ(a.TotalTime, totalTime);
  Drop(a);
  EXPECT_EQ(doc.at(0).first + "=" + doc.at(0).second,
            c.after ? "Game.NeedNewGame=0" : "Game.NeedNewGame=1");
  TestGame& b = Open();
  if (!c.after) {
    EXPECT_EQ(b.GameState, kStatePlaying);
    EXPECT_EQ(b.CurrentRoundInType, 0);
    return;
  }
  ASSERT_TRUE(RunUntil(
      b, [&] { return b.GameState != kStateRestoring; }, 3000));
  EXPECT_EQ(b.GameState, c.after);
  EXPECT_TRUE(Params().Entries().empty()) << "the saved game is still open";
  if (c.state != kStateLevelStatistics) {
    EXPECT_EQ(Restored(b), before);
    return;
  }
  // Saved under the statistics, the level ends again once resumed: its minutes count
  // once in the total.
  auto withoutTotal = [](std::string text) {
    const size_t at = text.find("TotalTime=");
    return text.erase(at, text.find('\n', at) - at);
  };
  EXPECT_EQ(withoutTotal(Restored(b)), withoutTotal(before));
  ASSERT_TRUE(RunUntil(
      b, [&] { return b.GameState == kStateLevelStatistics; }, 3000));
  EXPECT_EQ(b.TotalTime, totalTime);
}

TestGame& WithHelp(TestGame& g) {
  g.HelpShown = false;
  g.SetState(kStateStartHelp);
  return g;
}
TestGame& InState(TestGame& g, int32_t state) { return g.GameState = state, g; }
TestGame& After(GameTest& t, TestGame& g, int frames) { return t.Frames(g, frames), g; }
using T = GameTest&;

const RoundTripCase kRoundTrips[] = {
    {"Constructed", [](T t) -> TestGame& { return t.Make(); }, kStateConstructed, 0},
    // The moment a new game is being started.
    {"NewGame", [](T t) -> TestGame& { return InState(Played(t), kStateNewGame); }, 2, 0},
    {"HelpOverPlay", [](T t) -> TestGame& { return WithHelp(Played(t)); }, 5, 6},
    {"Playing", Played, kStatePlaying, kStatePlaying},
    {"PlayingClassic", PlayedClassic, kStatePlaying, kStatePlaying},
    {"Finishing", Finishing, kStateLevelFinishing, kStateLevelFinishing},
    {"LevelStatistics", [](T t) -> TestGame& { return After(t, Finishing(t), 100); }, 7, 9},
    // A game whose money ran out is over: saved in its last 5 s, it is not resumed.
    {"OutOfMoney", OutOfMoney, kStateOutOfMoney, 0},
    {"FinalStatistics", [](T t) -> TestGame& { return After(t, OutOfMoney(t), 250); }, 8, 0},
};

INSTANTIATE_TEST_SUITE_P(States, RoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

class EarlySave : public GameTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

// Saved in the first updates of a level (the help shown at the start of a new game
// covers its very first update), before its first towns were all there: the level
// resumes with the towns it had, and the others come at their places.
TEST_P(EarlySave, TheLevelGoesOnWithItsTowns) {
  const auto [type, updates] = GetParam();
  TestGame& a = Start(type, 2);
  Frames(a, updates);
  const std::string towns = WithHelp(a).GetField().TownRecord();
  a.Save();
  Drop(a);
  rnd::SetRunSeed(77);
  TestGame& b = Open();
  ASSERT_EQ(b.GameState, kStateRestoring);
  RunUntil(b, [&] { return b.GameState != kStateRestoring; });
  ASSERT_EQ(b.GameState, kStatePlaying);
  EXPECT_EQ(b.CurrentRoundInType, 2);
  EXPECT_EQ(b.GetField().TownRecord().substr(0, towns.size()), towns);
  const int want = type == 1 ? b.Record().MaxTowns : 2;  // Classic: the first two
  RunUntil(b, [&] { return b.NumberTown == want; });
  ASSERT_EQ(b.GetField().Towns().size(), static_cast<size_t>(want));
  for (int i = 0; i < want; ++i) EXPECT_EQ(b.GetField().Towns()[i].colour, i);
  if (type == 1) {
    EXPECT_EQ(b.GetField().TownRecord(), b.Record().TownsText);
  }
}

INSTANTIATE_TEST_SUITE_P(Updates, EarlySave,
                         ::testing::Values(std::pair{1, 0}, std::pair{1, 1}, std::pair{1, 2},
                                           std::pair{1, 3}, std::pair{0, 0}, std::pair{0, 1}));

// A restore (3), also under the help at start (5 over 3), saves nothing, and goes on.
TEST_F(GameTest, SavingDuringARestoreWritesNothingAndHelpDoesNotCutItShort) {
  // No help, the help of the start, and a help opened with F1 during the restore.
  for (int help : {0, 1, 2}) {
    TestGame& a = Played(*this);
    const std::string before = Comparable(a);
    a.Save();
    Drop(a);
    const std::string file = Bytes(SavePath(1));
    TestGame& b = Make();
    ASSERT_TRUE(b.Load());
    if (help == 1) WithHelp(b);
    b.Save();
    EXPECT_TRUE(Bytes(SavePath(1)) == file) << "help " << help << ": the saved game was written";
    if (help != 0) b.OnScreenClosed(GameScreen::kHelp, -1);
    RunUntil(b, [&] { return b.GameState != kStateRestoring; });
    EXPECT_EQ(b.GameState, kStatePlaying);
    EXPECT_EQ(Restored(b), before) << "help " << help;
    Drop(b);
  }
}

TEST_F(GameTest, SwitchingTheGameTypeKeepsBothFiles) {
  TestGame& a = Played(*this);
  const std::string puzzle = Comparable(a);
  a.Save();  // the game-picking screen: save, switch, load or start anew
  Globals().GameType = 0;
  ASSERT_FALSE(a.LoadOrStartNew());
  EXPECT_EQ(a.iGameMode, kBuildingMode);
  a.Save();
  EXPECT_EQ(Entries("savep/ManagerCLASSIC.sav").at(4).second, "0");  // CurrentRound
  Globals().GameType = 1;
  ASSERT_TRUE(a.Load());
  RunUntil(a, [&] { return a.GameState != kStateRestoring; });
  EXPECT_EQ(Restored(a), puzzle);
  EXPECT_TRUE(std::filesystem::exists("savep/ManagerCLASSIC.sav"));
}

TEST_F(GameTest, UnwritableSaveLogsOneLineNamingTheFile) {
  TestGame& g = Start(1);
  std::filesystem::remove_all("savep");
  WriteBytes("savep", "not a folder");
  testing::internal::CaptureStderr();
  g.Save();
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("savep/ManagerPUZZLE.sav"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
}

// The saved-games folder on a memory file system where there is one, for the tests that
// rewrite the saved game thousands of times.
struct MemoryFolder {
  MemoryFolder() {
    char pattern[] = "/dev/shm/ot_game_XXXXXX";
    if (!std::filesystem::is_directory("/dev/shm") || !mkdtemp(pattern)) return;
    folder = pattern;
    std::filesystem::remove_all("savep");
    std::filesystem::create_directory(folder + "/savep");
    std::filesystem::create_directory_symlink(folder + "/savep", "savep");
  }
  ~MemoryFolder() {
    if (!folder.empty()) std::filesystem::remove("savep"), std::filesystem::remove_all(folder);
  }
  std::string folder;
};

// Opens the saved game as the in-game screen does and runs it until it plays.
void ExpectResumedOrNew(GameTest& t, const std::string& what) {
  TestGame& g = t.Open();
  ASSERT_TRUE(t.RunUntil(
      g, [&] { return g.GameState != kStateRestoring; }, 3000))
      << what;
  EXPECT_TRUE(g.GameState == kStatePlaying || g.GameState == kStateLevelFinishing) << what;
  t.Frames(g, 5);
  t.Drop(g);
}

TEST_F(GameTest, TruncatedOrFlippedFilesGiveAResumedOrANewGame) {
  MemoryFolder memory;
  Played(*this).Save();
  const std::string file = Bytes(SavePath(1));
  TestGame& g = Make();
  for (size_t n = 0; n < file.size(); ++n) {
    WriteBytes(SavePath(1), file.substr(0, n));
    EXPECT_FALSE(g.Load()) << "truncated to " << n;  // the seal refuses every one
  }
  rnd::Stream flips;  // its own: every level start seeds the game's stream again
  flips.Seed(3);
  for (int i = 0; i < 60; ++i) {
    std::string flipped = file;
    const size_t at = static_cast<size_t>(flips.Next()) * 7 % file.size();
    flipped[at] = static_cast<char>(flipped[at] ^ (1 << flips.Below(8)));
    WriteBytes(SavePath(1), flipped);
    ExpectResumedOrNew(*this, "bit flipped at " + std::to_string(at));
  }
}

// Every value of the document missing, or not a number: never a crash.
TEST_F(GameTest, EveryDamagedValueGivesAResumedOrANewGame) {
  MemoryFolder memory;
  Played(*this).Save();
  const Doc doc = Entries(SavePath(1));
  ASSERT_GT(doc.size(), 50u);
  for (size_t i = 0; i < doc.size(); ++i) {
    for (int variant = 0; variant < 2; ++variant) {
      Doc d = doc;
      if (variant == 0) d.erase(d.begin() + static_cast<long>(i));
      if (variant == 1) d[i].second = "x";
      WriteDoc(SavePath(1), d);
      ExpectResumedOrNew(*this, doc[i].first + (variant ? " not a number" : " missing"));
    }
  }
}

// A Puzzle game at its third level (four towns, a forest), saved 16 s in.
void SaveThirdLevel(GameTest& t) {
  TestGame& a = t.Start(1, 2);
  t.Frames(a, 800);
  a.Save();
  t.Drop(a);
}

using KeyValue = std::pair<std::string, std::string>;
class BadValues : public GameTest, public ::testing::WithParamInterface<KeyValue> {};

// Values that this game cannot have written: the load fails with a log line, a new game
// at level 1, and the refused file is kept aside, whole.
TEST_P(BadValues, StartANewGameWithALogLine) {
  SaveThirdLevel(*this);
  ASSERT_TRUE(Reseal(SavePath(1), GetParam().first, GetParam().second)) << GetParam().first;
  const std::string refused = Bytes(SavePath(1));
  testing::internal::CaptureStderr();
  TestGame& b = Open();
  RunUntil(
      b, [&] { return b.GameState != kStateRestoring; }, 3000);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Error. Game::"), std::string::npos) << log;
  EXPECT_EQ(b.GameState, kStatePlaying);
  EXPECT_EQ(b.CurrentRoundInType, 0);
  EXPECT_EQ(b.GetField().Towns().size(), static_cast<size_t>(b.NumberTown));
  EXPECT_TRUE(b.CurrSelectTrackType >= 0 && b.CurrSelectTrackType < Game::kTrackTypes);
  EXPECT_TRUE(Bytes(SavePath(1) + Game::kRefusedSuffix) == refused);
  EXPECT_NE(log.find(SavePath(1) + Game::kRefusedSuffix), std::string::npos) << log;
  Frames(b, 100);
  EXPECT_EQ(b.CurrentRoundInType, 0);
}

const char kMax[] = "2147483647";
INSTANTIATE_TEST_SUITE_P(
    Keys, BadValues,
    ::testing::ValuesIn(std::vector<KeyValue>{
        {"Game.CurrentRoundInType", "6"},
        {"Game.CurrentRoundInType", "-1"},
        {"Game.CurrSelectTrackType", "6"},
        {"Game.CurrSelectTrackType", "-1"},
        {"Game.BeginTowns", "46,1 78,2 30,1 94,2 1,1 "},
        {"Game.BeginTowns", "46,1 78,2 0,1 94,2 "},
        {"Game.BeginTracks", "4,1 4,5 4,1 "},  // a piece listed twice
        {"Game.iGameMode", "2"},
        {"Game.TotalTime", "-1"},
        {"Game.MoneyCounter", "-5"},
        {"Game.CounterNewTrain", "-1"},
        {"Game.CounterWave", "-20"},
        {"Game.PercentAddNewHouse", "nan"},
        {"Game.PercentCounterNewHouse", "inf"},
        {"Game.NumberTown", "9"},
        {"Game.NumberTown", "-1"},
        {"Game.NewTownAdd", "nan"},
        {"Game.TownAddPeriod", "inf"},
        {"Game.NumberHouseForNextTown", "-2"},
        {"Game.TreeNumber0", "12 40"},
        {"Game.HomeNumber0", "-400 200 0 1"},
        {"Game.HomeNumber0", "300 200 999 1"},
        {"Game.NumberHomes", "-1"},
        // Counters past what the level can reach: they would overflow or never fire.
        {"Game.TotalTime", kMax},
        {"Game.TotalTime", "21"},
        {"Game.TrainCounter", kMax},
        {"Game.TrainCounterBeginLevel", kMax},
        {"Game.MoneyCounterBeginLevel", "-1"},
        {"Game.CounterTimeWithoutTrain", kMax},
        {"Game.TimeWave", kMax},
        {"Game.CounterWave", kMax},
        {"Game.TimeNewTrain", kMax},
        {"Game.CounterNewTrain", kMax},
        {"Game.TimeNewCrazy", "-2147483648"},
        {"Game.CounterNewCrazy", kMax},
        {"Game.TimeNewCrashes", kMax},
        {"Game.CounterNewCrashes", kMax},
        {"Game.NumberHouseForNextTown", kMax},
        {"Game.PercentDeltaFirstTown", "1e-300"},
        {"Game.TownAddPeriod", "1e-300"},
        {"Game.NewTownAdd", "-1"},
        {"Game.PercentAddNewHouse", "1e9"},
        // A progress the level's minutes cannot give: the level would never end.
        {"CompleteIndicator.DeltaPercent", "1e-300"},
        {"CompleteIndicator.DeltaPercent", "1e-6"},
        {"CompleteIndicator.Vx", "1e-300"},
        {"CompleteIndicator.SaveV", "1e-300"},
        {"CompleteIndicator.Percent", "33.3"},
        {"CompleteIndicator.WaitCounter", "-100000000"},
        // Fewer towns on the field than the town counter counts.
        {"Game.BeginTowns", ""},
        {"Game.BeginTowns", "46,1 "}}));

class GoodValues : public GameTest, public ::testing::WithParamInterface<KeyValue> {};

// Values at the far ends of what the game can write play on.
TEST_P(GoodValues, ResumeTheLevel) {
  SaveThirdLevel(*this);
  ASSERT_TRUE(Reseal(SavePath(1), GetParam().first, GetParam().second)) << GetParam().first;
  testing::internal::CaptureStderr();
  TestGame& b = Open();
  RunUntil(
      b, [&] { return b.GameState != kStateRestoring; }, 3000);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.find("Error."), std::string::npos) << log;
  EXPECT_EQ(b.GameState, kStatePlaying);
  EXPECT_EQ(b.CurrentRoundInType, 2);
  Frames(b, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GoodValues,
    ::testing::ValuesIn(std::vector<KeyValue>{
        {"Game.TotalTime", "20"},  // the first two Puzzle levels
        {"Game.MoneyCounter", kMax},
        {"Game.TimeNewCrashes", "790500"},            // 10 minutes and 6.35 deviations of 0.5
        {"Game.CounterTimeWithoutTrain", "1860000"},  // twice the 15 minutes, and one more
        {"Game.NumberHouseForNextTown", "12"}}));

}  // namespace

// The player's name comes from a file the player may edit; it never leads the saved
// game out of savep/.
TEST(SaveFileName, KeepsTheGameInsideTheSavedGamesFolder) {
  EXPECT_EQ(Game::SaveFileName("Ostrel", 0), "savep/OstrelCLASSIC.sav");
  EXPECT_EQ(Game::SaveFileName("../../etc/x", 1), "savep/.._.._etc_xPUZZLE.sav");
  EXPECT_EQ(Game::SaveFileName("a\\b\nc", 1), "savep/a_b_cPUZZLE.sav");
  EXPECT_EQ(Game::SaveFileName("..", 1), "savep/ManagerPUZZLE.sav");
  EXPECT_EQ(Game::SaveFileName("", 0), "savep/ManagerCLASSIC.sav");
  EXPECT_EQ(Game::SaveFileName(std::string(65, 'n'), 0), "savep/ManagerCLASSIC.sav");
  EXPECT_EQ(Game::SaveFileName(std::string(64, 'n'), 0),
            "savep/" + std::string(64, 'n') + "CLASSIC.sav");
}
