// SPDX-License-Identifier: GPL-3.0-or-later
// Documents in memory: the in-memory store holds the same texts as the file store, takes
// and hands over a document whole and finds the keys of a hundred thousand quickly; the
// hash of a document's text.
#include <gtest/gtest.h>

#include <string>

#include "core/Hash.h"
#include "core/LParams.h"
#include "core/MemoryStore.h"

namespace {

struct Values {
  std::string name = "Line\nwith bytes\x01";
  int32_t money = -2147483647 - 1;
  double speed = 0.1;
  bool sound = true;
};

// One routine for both directions, as every saved object has.
bool Exchange(core::ValueStore& store, Values& v, int direction) {
  bool ok = store.Text("Globals.", "PlayerName", v.name, direction);
  ok = store.Long("Game.", "Money", v.money, direction) && ok;
  ok = store.Double("Game.", "Speed", v.speed, direction) && ok;
  return store.Bool("Globals.", "Sound", v.sound, direction) && ok;
}

TEST(MemoryStore, HoldsTheFileStoresTextsAndReadsThemBack) {
  Values saved;
  core::MemoryStore memory;
  LParams file;
  EXPECT_TRUE(Exchange(memory, saved, kSave));
  EXPECT_TRUE(Exchange(file, saved, kSave));
  EXPECT_EQ(memory.Entries(), file.Entries());
  EXPECT_EQ(memory.Entries()[2],
            (std::pair<std::string, std::string>{"Game.Speed", "1.00000000000000e-01"}));

  core::MemoryStore read(memory.TakeEntries());
  EXPECT_TRUE(memory.Entries().empty());
  Values loaded{"", 0, 0, false};
  EXPECT_TRUE(Exchange(read, loaded, kLoad));
  EXPECT_EQ(loaded.name, saved.name);
  EXPECT_EQ(loaded.money, saved.money);
  EXPECT_EQ(loaded.speed, 0.1);
  EXPECT_TRUE(loaded.sound);

  // A missing key answers false and leaves the value; the first of two equal keys counts.
  int32_t kept = 7;
  EXPECT_FALSE(read.Long("Game.", "Missing", kept, kLoad, true));
  EXPECT_EQ(kept, 7);
  std::string again = "second";
  read.Text("Globals.", "PlayerName", again, kSave);
  std::string name;
  EXPECT_TRUE(read.Text("Globals.", "PlayerName", name, kLoad));
  EXPECT_EQ(name, saved.name);
}

TEST(MemoryStore, FindsEveryKeyOfALargeDocumentInItsOrder) {
  constexpr int kKeys = 100000;
  core::ParamEntries entries;
  for (int i = 0; i < kKeys; ++i) entries.emplace_back("K" + std::to_string(i), std::to_string(i));
  core::MemoryStore store(entries);
  int32_t wrong = 0;
  for (int i = kKeys - 1; i >= 0; --i) {
    int32_t value = -1;
    if (!store.Long("K", std::to_string(i), value, kLoad) || value != i) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
  // Values appended after lookups are found too.
  int32_t more = 5;
  store.Long("", "More", more, kSave);
  int32_t read = 0;
  EXPECT_TRUE(store.Long("", "More", read, kLoad));
  EXPECT_EQ(read, 5);
  EXPECT_EQ(store.Entries().size(), static_cast<size_t>(kKeys) + 1);
}

// FNV-1a 64 as published, and one hash running over pieces in turn.
TEST(DocumentHash, IsFnv1a64) {
  EXPECT_EQ(core::Fnv1a64(""), 0xcbf29ce484222325ULL);
  EXPECT_EQ(core::Fnv1a64("a"), 0xaf63dc4c8601ec8cULL);
  EXPECT_EQ(core::Fnv1a64("foobar"), 0x85944171f73967e8ULL);
  EXPECT_EQ(core::Fnv1a64("bar", core::Fnv1a64("foo")), core::Fnv1a64("foobar"));
}

}  // namespace
