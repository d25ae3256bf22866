// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rig of the Game tests: a temp working folder (savep/ and a link to the synthetic
// library pictures), a screen, headless field sprites, a recording owner and a Game that
// records its messages and sounds and can hold its progress still.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../sprites/SpriteTestSupport.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "engine/LEngine.h"
#include "game/Game.h"
#include "game/HeadlessPanel.h"
#include "game/Settings.h"
#include "railway/FieldReport.h"
#include "railway/HeadlessSprites.h"
#include "sprites/CompleteIndicator.h"
#include "sprites/Widgets.h"

namespace gametest {

// A saved game's plain entries, in their order.
using Doc = std::vector<std::pair<std::string, std::string>>;

struct RecordingOwner : GameOwner {
  void SetPaused(bool p) override { paused = p; }
  void ShowHelp(bool dontShow) override { ++helps, helpBoxStart = dontShow; }
  bool HelpDontShowAtStart() const override { return helpBox; }
  void ShowLevelEnd(const LevelStatistics& s) override { levelEnds.push_back(s); }
  void ShowGameOver(const GameOverStatistics& s) override { gameOvers.push_back(s); }
  bool paused = false, helpBoxStart = false, helpBox = false;
  int helps = 0;
  std::vector<LevelStatistics> levelEnds;
  std::vector<GameOverStatistics> gameOvers;
};

// Every saved value of a game, its progress and its field, one per line.
inline std::string Dump(Game& g) {
  std::string out;
  auto add = [&out](const char* name, double v) {
    char line[96];
    std::snprintf(line, sizeof line, "%s=%.6f\n", name, v);
    out += line;
  };
#define OT_DUMP(v) add(#v, static_cast<double>(g.v))
  OT_DUMP(NeedNewGame), OT_DUMP(iGameMode), OT_DUMP(CurrentRound), OT_DUMP(CurrentRoundInType);
  OT_DUMP(CurrSelectTrackType), OT_DUMP(TotalTime), OT_DUMP(TrainCounter);
  OT_DUMP(TrainCounterBeginLevel), OT_DUMP(MoneyCounter), OT_DUMP(MoneyCounterBeginLevel);
  OT_DUMP(NumberTown), OT_DUMP(CounterTimeWithoutTrain), OT_DUMP(TimeWave), OT_DUMP(CounterWave);
  OT_DUMP(TimeNewTrain), OT_DUMP(CounterNewTrain), OT_DUMP(TimeNewCrazy), OT_DUMP(CounterNewCrazy);
  OT_DUMP(TimeNewCrashes), OT_DUMP(CounterNewCrashes), OT_DUMP(TownAddPeriod), OT_DUMP(NewTownAdd);
  OT_DUMP(PercentCounterNewHouse), OT_DUMP(PercentAddNewHouse), OT_DUMP(PercentDeltaFirstTown);
  OT_DUMP(NumberHouseForNextTown);
#undef OT_DUMP
  const CompleteIndicator& p = g.GetProgress();
  add("Percent", p.Percent), add("DeltaPercent", p.DeltaPercent), add("iState", p.iState);
  add("EngineX", p.Engine ? p.Engine->x : 0);
  for (const Scenery& h : g.GetField().Houses()) add("house", h.x * 1e6 + h.y * 10 + h.town);
  for (const Scenery& t : g.GetField().Trees()) add("tree", t.x * 1000.0 + t.y);
  out +=
      "towns " + g.GetField().TownRecord() + "\ntracks " + g.GetField().BuiltTrackRecord() + "\n";
  return out + report::All(g.GetField());
}

// The panel of a game that was lent none, as the fixture's games are.
inline const HeadlessPanel& PanelOf(const Game& g) {
  return dynamic_cast<const HeadlessPanel&>(g.Panel());
}

class TestGame : public Game {
 public:
  using Game::Game;
  void PostMessage(const std::string& text, bool important) override {
    messages.emplace_back(text, important);
    Game::PostMessage(text, important);
  }
  void PlaySound(int index) override {
    sounds.push_back(index);
    Game::PlaySound(index);
  }
  // A restore hands the field its catch-up step: the restored game before it moves.
  bool TakeCatchUpRequest() override {
    const bool due = Game::TakeCatchUpRequest();
    if (due && restored.empty()) restored = Dump(*this);
    return due;
  }
  bool Said(const std::string& text, bool important = false) const {
    for (const auto& m : messages) {
      if (m == std::pair{text, important}) return true;
    }
    return false;
  }
  int Sounds(int index) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), index));
  }
  // Puts the progress at percent and keeps it there (the engine stands; at 100 it stops
  // for good, as at the end of a level).
  void HoldProgress(double percent) {
    GetProgress().Percent = percent;
    GetProgress().iState = 1;
    GetProgress().WaitCounter = percent >= 100 ? 0 : -100000000;
  }
  // No release due for a long time.
  void Quiet() {
    CounterTimeWithoutTrain = -100000000;
    TimeNewTrain = TimeNewCrazy = TimeNewCrashes = 100000000;
  }
  std::vector<std::pair<std::string, bool>> messages;
  std::vector<int> sounds;
  std::string restored;
};

class GameTest : public ::testing::Test {
 public:
  void SetUp() override {
    saved_ = Globals();
    const std::string dir = spritetest::MakeTempDir();
    std::filesystem::create_directory(dir + "/savep");
    std::filesystem::create_directory_symlink(spritetest::LibraryFolder() + "/Dat", dir + "/Dat");
    cwd_ = std::make_unique<spritetest::ScopedCwd>(dir);
    screen = std::make_unique<LEngine>(spritetest::Display(), 0, 0, 800, 600, true);
    Globals().GameType = 1;
    Globals().PlayerName = "Manager";
    Globals().ShowTips = false;
    Globals().DontShowBeginHelp = true;
    Globals().MaxLevelPuzzle = Globals().MaxLevelStrateg = 0;
    rnd::SetRunSeed(11);
  }
  void TearDown() override {
    games.clear();
    screen.reset();
    Params().Close();
    cwd_.reset();
    Globals() = saved_;
  }
  TestGame& Make() {
    games.push_back(std::make_unique<TestGame>(
        GameParts{screen.get(), &owner, &sprites, nullptr, nullptr, nullptr, nullptr, nullptr}));
    return *games.back();
  }
  // What the in-game screen does with a new Game: Load, or a new game at level 1.
  TestGame& Open() {
    TestGame& g = Make();
    g.LoadOrStartNew();
    return g;
  }
  // A new game of type at level (0-based), as the new-game screen starts it.
  TestGame& Start(int type, int level = 0) {
    Globals().GameType = type;
    TestGame& g = Make();
    g.StartLevelNumber = level;
    g.SetState(kStateNewGame);
    return g;
  }
  void Drop(TestGame& g) {
    std::erase_if(games, [&](const auto& p) { return p.get() == &g; });
  }
  // Game frames of 20 ms, as the in-game screen runs them.
  void Frames(Game& g, int n) {
    for (int i = 0; i < n; ++i) {
      g.Update(20);
      screen->Update(20, 20);
      sprites.Advance(20);
    }
  }
  template <typename Pred>
  bool RunUntil(Game& g, Pred pred, int maxFrames = 20000) {
    for (int i = 0; i < maxFrames && !pred(); ++i) Frames(g, 1);
    return pred();
  }
  // A level with all its towns and track, nothing released for a long time.
  TestGame& Ready(TestGame& g, double progress = 10) {
    RunUntil(g,
             [&] { return g.NumberTown == g.Record().MaxTowns && g.GetField().AllTracksBuilt(); });
    g.HoldProgress(progress);
    g.Quiet();
    return g;
  }
  static std::string SavePath(int type) { return Game::SaveFileName("Manager", type); }
  // The plain entries of a saved game.
  static Doc Entries(const std::string& path) {
    LParams reader;
    if (!reader.OpenRead(path)) return {};
    auto e = reader.Entries();
    reader.Close();
    return e;
  }
  // Writes a plain document back sealed, as the game would.
  static void WriteDoc(const std::string& path, const Doc& doc) {
    LParams w;
    ASSERT_TRUE(w.OpenWrite(path));
    for (auto [k, v] : doc) w.Text("", k, v, kSave);
    ASSERT_TRUE(w.Close());
  }
  // Sets one value of the saved game at path (its whole key) and seals it again; false
  // when the key is not there.
  static bool Reseal(const std::string& path, const std::string& key, const std::string& value) {
    Doc doc = Entries(path);
    auto it = std::find_if(doc.begin(), doc.end(), [&](auto& e) { return e.first == key; });
    if (it == doc.end()) return false;
    it->second = value;
    WriteDoc(path, doc);
    return true;
  }

  std::unique_ptr<LEngine> screen;
  HeadlessSprites sprites;
  RecordingOwner owner;
  std::vector<std::unique_ptr<TestGame>> games;

 private:
  Settings saved_;
  std::unique_ptr<spritetest::ScopedCwd> cwd_;
};

}  // namespace gametest
