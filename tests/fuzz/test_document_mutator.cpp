// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game fuzz target's structure-aware mutator: what it makes of a small saved
// game is still a document that fits, and among many changes each kind shows up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/LParams.h"
#include "tests/fuzz/DocumentMutator.h"

namespace {

constexpr size_t kMaxSize = 4096;

const core::ParamEntries kSaved = {{"Game.NeedNewGame", "0"},
                                   {"Game.BeginTowns", "97,3 17,0 62,2 "},
                                   {"Game.MoneyCounter", "100000"},
                                   {"Game.NumberTown", "3"},
                                   {"Game.NumberTrees", "3"},
                                   {"Game.TreeNumber0", "77 185 7 0"},
                                   {"Game.TreeNumber1", "90 479 0 0"},
                                   {"Game.TreeNumber2", "94 299 5 0"},
                                   {"Game.PercentAddNewHouse", "1.66666666666667e+05"}};

// An input of the target with room to grow to kMaxSize; its size is 1 + doc.size().
std::vector<uint8_t> Input(uint8_t selector, const std::string& doc) {
  std::vector<uint8_t> data(kMaxSize, 0);
  data[0] = selector;
  std::copy(doc.begin(), doc.end(), data.begin() + 1);
  return data;
}

int Trees(const std::map<std::string, std::string>& values) {
  int n = 0;
  while (values.count("Game.TreeNumber" + std::to_string(n))) ++n;
  return n;
}

int Towns(const std::string& list) {
  int n = 0;
  for (char c : list) n += c == ',';
  return n;
}

}  // namespace

TEST(DocumentMutator, ChangesStayDocumentsThatFitAndReachEveryKindOfDamage) {
  const std::string doc = core::BuildDocument(kSaved);
  std::map<std::string, int> seen;
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    std::vector<uint8_t> data = Input(0, doc);
    const size_t n = fuzz::MutateDocumentInput(data.data(), doc.size() + 1, kMaxSize, seed);
    ASSERT_GT(n, 1u) << seed;
    ASSERT_LE(n, kMaxSize) << seed;
    core::ParamEntries entries;
    ASSERT_TRUE(core::ParseDocument(std::string(data.begin() + 1, data.begin() + n), true, entries))
        << seed;
    std::map<std::string, std::string> values;
    for (const auto& [key, value] : entries) values.emplace(key, value);
    const int counted = std::atoi(values["Game.NumberTrees"].c_str());
    const int trees = Trees(values);
    if (data[0] == 2) ++seen["game type flipped"];
    for (const auto& [key, value] : entries) {
      if (value.find("2147483648") != std::string::npos || value.find("nan") != std::string::npos)
        ++seen["a number at a bound"];
    }
    if (values["Game.NumberTrees"] == "0" && trees == 3) ++seen["a count at 0, records left"];
    if (counted > 3 && trees > 3) ++seen["records repeated with their count"];
    if (counted == 3 && trees < 3) ++seen["records dropped"];
    if (values.count("Game.BeginTowns") && values["Game.BeginTowns"].empty())
      ++seen["a list emptied"];
    if (Towns(values["Game.BeginTowns"]) < std::atoi(values["Game.NumberTown"].c_str()))
      ++seen["towns short of the town counter"];
    if (entries.size() == kSaved.size() - 1 && trees == 3) ++seen["an entry dropped"];
  }
  for (const char* kind : {"game type flipped", "a number at a bound", "a count at 0, records left",
                           "records repeated with their count", "records dropped", "a list emptied",
                           "towns short of the town counter", "an entry dropped"}) {
    EXPECT_GT(seen[kind], 0) << kind;
  }
}

// Sealed files (odd selector) and bytes that are no document are left to libFuzzer's
// own mutations.
TEST(DocumentMutator, LeavesWhatIsNoPlainDocument) {
  const std::string doc = core::BuildDocument(kSaved);
  std::vector<uint8_t> sealed = Input(1, doc);
  EXPECT_EQ(fuzz::MutateDocumentInput(sealed.data(), doc.size() + 1, kMaxSize, 1), 0u);
  const std::string junk = "      12 not a document";
  std::vector<uint8_t> broken = Input(0, junk);
  EXPECT_EQ(fuzz::MutateDocumentInput(broken.data(), junk.size() + 1, kMaxSize, 1), 0u);
}
