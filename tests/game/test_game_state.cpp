// SPDX-License-Identifier: GPL-3.0-or-later
// What a replay stands on: a level is its run's seed and the player's actions (whatever
// the presentation draws), a game restored from a document in memory, and the hash
// of the game's state.
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "GameTestSupport.h"

using namespace gametest;

namespace {

// A Classic level 2 (random town places, a forest, houses) played for a minute from a
// level start under the run's seed, after the given draws of each stream.
std::string PlayedLevel(GameTest& t, unsigned seed, int presentationDraws, int gameDraws) {
  rnd::SetRunSeed(seed);
  for (int i = 0; i < presentationDraws; ++i) rnd::PresentationStream().Next();
  for (int i = 0; i < gameDraws; ++i) rnd::Next();
  TestGame& g = t.Start(0, 1);
  t.Frames(g, 3000);
  EXPECT_FALSE(g.GetField().Trains().empty());
  const std::string dump = Dump(g);
  t.Drop(g);
  return dump;
}

// However long the intro ran (a draw of the presentation stream each frame) and whatever
// drew from the game's stream before, a level start under the same run's seed lays out
// the same level and plays the same minute: the same towns, trees, houses and trains.
TEST_F(GameTest, ALevelStartUnderTheSameSeedMakesTheSameLevel) {
  const std::string level = PlayedLevel(*this, 11, 0, 0);
  EXPECT_EQ(PlayedLevel(*this, 11, 4321, 0), level) << "the intro's draws changed the level";
  EXPECT_EQ(PlayedLevel(*this, 11, 17, 999), level) << "earlier draws changed the level";
  EXPECT_NE(PlayedLevel(*this, 12, 0, 0), level);
}

}  // namespace

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

Doc With(Doc doc, const std::string& key, const std::string& value) {
  for (auto& [k, v] : doc) {
    if (k == key) v = value;
  }
  return doc;
}

// A Puzzle game 30 s into its second level, with trains about, saved; its document.
Doc SavedPuzzle(GameTest& t) {
  TestGame& a = t.Start(1, 1);
  t.Frames(a, 1500);
  EXPECT_FALSE(a.GetField().Trains().empty());
  a.Save();
  const Doc doc = a.SavedState();
  EXPECT_EQ(GameTest::Entries(GameTest::SavePath(1)), doc) << "Save wrote another document";
  t.Drop(a);
  return doc;
}

// The hash of a game taken up from the file or from doc: right after the restore, and
// 10 s of play later.
std::pair<uint64_t, uint64_t> Resumed(GameTest& t, const Doc* doc) {
  TestGame& g = t.Make();
  EXPECT_TRUE(doc ? g.LoadFrom(*doc) : g.Load());
  EXPECT_EQ(g.SavedState(), doc ? *doc : GameTest::Entries(GameTest::SavePath(1)));
  t.RunUntil(g, [&] { return g.GameState != kStateRestoring; });
  EXPECT_EQ(g.GameState, kStatePlaying);
  const uint64_t restored = g.StateHash();
  t.Frames(g, 500);
  const std::pair<uint64_t, uint64_t> hashes{restored, g.StateHash()};
  t.Drop(g);
  return hashes;
}

TEST_F(GameTest, ADocumentInMemoryRestoresAsTheFileDoes) {
  const Doc doc = SavedPuzzle(*this);
  const auto fromFile = Resumed(*this, nullptr);
  EXPECT_EQ(Resumed(*this, &doc), fromFile);
  EXPECT_NE(fromFile.first, fromFile.second);
  // The restore reads the running values of the document: one train a little further on
  // gives another game from the restore's start.
  const std::string key = "Game.GameField.TrainNumber0";
  std::string train =
      std::find_if(doc.begin(), doc.end(), [&](auto& e) { return e.first == key; })->second;
  std::replace(train.begin(), train.end(), ' ', '\n');
  std::istringstream fields(train);
  std::vector<std::string> values(std::istream_iterator<std::string>(fields), {});
  ASSERT_EQ(values.size(), 10u);
  values[8] = std::to_string(std::stod(values[8]) + 0.5);  // car 0's place on its track
  std::string moved;
  for (const std::string& v : values) moved += (moved.empty() ? "" : " ") + v;
  const Doc other = With(doc, key, moved);
  EXPECT_NE(Resumed(*this, &other).first, fromFile.first);
}

// A document refused in either phase of the restore gives a new game at level 1, as a
// refused file does, but leaves the player's saved game where and as it is.
TEST_F(GameTest, ARefusedDocumentTouchesNoFile) {
  const Doc doc = SavedPuzzle(*this);
  const std::string file = Bytes(SavePath(1));
  const Doc refused[] = {{},
                         With(doc, "Game.CurrentRoundInType", "6"),
                         With(doc, "Game.BeginTracks", "4,1 4,5 4,1 "),
                         With(doc, "Game.NumberTown", "9"),
                         With(doc, "CompleteIndicator.Percent", "33.3")};
  for (const Doc& bad : refused) {
    testing::internal::CaptureStderr();
    TestGame& g = Make();
    if (!g.LoadFrom(bad)) g.SetState(kStateNewGame);
    RunUntil(g, [&] { return g.GameState != kStateRestoring; });
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("The saved game given is damaged"), std::string::npos) << log;
    EXPECT_EQ(g.GameState, kStatePlaying);
    EXPECT_EQ(g.CurrentRoundInType, 0);
    EXPECT_TRUE(Bytes(SavePath(1)) == file) << log;
    EXPECT_FALSE(std::filesystem::exists(SavePath(1) + Game::kRefusedSuffix)) << log;
    Drop(g);
  }
}

// Moves a double by the smallest step it takes: too little for the saved game's texts.
void Nudge(double& value, double towards) { value = std::nextafter(value, towards); }

struct HashCase {
  const char* name;
  int32_t state;
  std::function<void(GameTest&, TestGame&)> toState;
};
void PrintTo(const HashCase& c, std::ostream* os) { *os << c.name; }

class StateHash : public GameTest, public ::testing::WithParamInterface<HashCase> {};

// In every state, the hash changes with any train's place (and while the level runs, the
// progress engine's), by far less than the saved game writes, and asking for it changes
// nothing. The same play again hashes the same.
TEST_P(StateHash, TellsTheSmallestDifferenceAndChangesNothing) {
  auto play = [&] {
    TestGame& g = Start(1, 1);
    Frames(g, 1500);
    GetParam().toState(*this, g);
    EXPECT_EQ(g.GameState, GetParam().state);
    return &g;
  };
  TestGame& g = *play();
  const uint64_t hash = g.StateHash();
  EXPECT_EQ(g.StateHash(), hash);
  const Doc saved = g.SavedState();
  // Once the level is over, the screen moves the progress engine on after the step its
  // end was hashed in: its place counts only while the level runs.
  if (GetParam().state == kStatePlaying) {
    double& engine = g.GetProgress().Engine->x;
    Nudge(engine, 1e9);
    EXPECT_NE(g.StateHash(), hash) << "the progress engine";
    Nudge(engine, -1e9);
  }
  for (const auto& train : g.GetField().Trains()) {
    for (Car& car : train->cars) {
      Nudge(car.place.pos, 1e9);
      EXPECT_NE(g.StateHash(), hash) << "a car of a train";
      EXPECT_EQ(g.SavedState(), saved);
      Nudge(car.place.pos, -1e9);
    }
  }
  EXPECT_EQ(g.StateHash(), hash);
  Drop(g);
  EXPECT_EQ(play()->StateHash(), hash) << "the same play again";
}

void Statistics(GameTest& t, TestGame& g) {
  while (!g.GetField().Trains().empty()) g.GetField().RemoveTrain(0, 0, false);
  g.HoldProgress(100);
  t.RunUntil(g, [&] { return g.GameState == kStateLevelStatistics; });
}

void GameOver(GameTest& t, TestGame& g) {
  g.Fine(static_cast<unsigned>(g.MoneyCounter));
  t.Frames(g, 250);
}

const HashCase kHashCases[] = {{"Playing", kStatePlaying, [](GameTest&, TestGame&) {}},
                               {"LevelStatistics", kStateLevelStatistics, Statistics},
                               {"FinalStatistics", kStateFinalStatistics, GameOver}};

INSTANTIATE_TEST_SUITE_P(States, StateHash, ::testing::ValuesIn(kHashCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
