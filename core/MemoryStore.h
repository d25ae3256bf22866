// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document held in memory: its entries in the order they were saved, found by key
// through an index. A saved game holds a hundred thousand keys and more, each read
// once, so a lookup must not walk them all.
#include <cstddef>
#include <string>
#include <unordered_map>

#include "core/ValueStore.h"

namespace core {

class MemoryStore : public ValueStore {
 public:
  MemoryStore() = default;
  explicit MemoryStore(ParamEntries entries) : entries_(std::move(entries)) {}

  const ParamEntries& Entries() const { return entries_; }
  // Hands the entries over and leaves the store empty.
  ParamEntries TakeEntries();
  // Replaces the entries.
  void Reset(ParamEntries entries = {});

 protected:
  void Append(std::string key, std::string text) override;
  const std::string* Find(const std::string& key) override;

 private:
  ParamEntries entries_;
  // Where each key first stands among entries_[0, indexed_). Entries are only ever
  // appended between resets, so the index catches up with them when a key is looked
  // for; the first entry of a key stays the one found.
  std::unordered_map<std::string, size_t> index_;
  size_t indexed_ = 0;
};

// Saves every entry of the document into the store, in its order.
void SaveEntries(ValueStore& store, const ParamEntries& entries);

}  // namespace core
