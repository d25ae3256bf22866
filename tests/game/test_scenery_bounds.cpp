// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game's trees and houses: no more than its level can grow.
#include <string>

#include "GameTestSupport.h"

namespace gametest {
namespace {

struct SceneryCase {
  const char* count;
  const char* item;
  bool trees;
};

void PrintTo(const SceneryCase& c, std::ostream* os) { *os << c.count; }

class SceneryBounds : public GameTest, public ::testing::WithParamInterface<SceneryCase> {};

// As many trees (houses) as the level can have load; one more is refused and a new game
// begins at the first level.
TEST_P(SceneryBounds, AsManyAsTheLevelGrowsLoadOneMoreIsRefused) {
  const SceneryCase& c = GetParam();
  const int kLevel = 2;  // Puzzle level 3: a forest and four towns of five houses
  const LevelParams& level = Level(LevelIndex(kLevel, 1));
  const int most =
      c.trees ? Field::MostTrees(level.ForestCount, level.ForestSize) : Game::MostHouses(level);
  for (int extra : {0, 1}) {
    TestGame& a = Start(1, kLevel);
    Frames(a, 2);
    a.Save();
    Drop(a);
    auto doc = Entries(SavePath(1));
    std::erase_if(doc, [&](const auto& e) { return e.first.rfind(c.item, 0) == 0; });
    for (auto& e : doc) {
      if (e.first == c.count) e.second = std::to_string(most + extra);
    }
    for (int i = 0; i < most + extra; ++i) {
      const std::string record = std::to_string(100 + i * 7 % 600) + " " +
                                 std::to_string(100 + i * 13 % 400) + " 0 " +
                                 std::to_string(c.trees ? -1 : i % 4);
      doc.emplace_back(c.item + std::to_string(i), record);
    }
    LParams w;
    ASSERT_TRUE(w.OpenWrite(SavePath(1)));
    for (auto [key, value] : doc) w.Text("", key, value, kSave);
    ASSERT_TRUE(w.Close());
    testing::internal::CaptureStderr();
    TestGame& b = Open();
    const std::string log = testing::internal::GetCapturedStderr();
    if (extra == 0) {
      EXPECT_EQ(b.CurrentRoundInType, kLevel);
      const Field& f = b.GetField();
      EXPECT_EQ(static_cast<int>(c.trees ? f.Trees().size() : f.Houses().size()), most);
    } else {
      EXPECT_EQ(b.CurrentRoundInType, 0);
      EXPECT_NE(log.find("Error. Game::Load."), std::string::npos) << log;
    }
    Drop(b);
  }
}

INSTANTIATE_TEST_SUITE_P(Records, SceneryBounds,
                         ::testing::Values(SceneryCase{"Game.NumberTrees", "Game.TreeNumber", true},
                                           SceneryCase{"Game.NumberHomes", "Game.HomeNumber",
                                                       false}));

}  // namespace
}  // namespace gametest
