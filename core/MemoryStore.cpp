// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MemoryStore.h"

namespace core {

ParamEntries MemoryStore::TakeEntries() {
  ParamEntries taken = std::move(entries_);
  Reset();
  return taken;
}

void MemoryStore::Reset(ParamEntries entries) {
  entries_ = std::move(entries);
  index_.clear();
  indexed_ = 0;
}

void MemoryStore::Append(std::string key, std::string text) {
  entries_.emplace_back(std::move(key), std::move(text));
}

const std::string* MemoryStore::Find(const std::string& key) {
  for (; indexed_ < entries_.size(); ++indexed_) {
    index_.emplace(entries_[indexed_].first, indexed_);
  }
  const auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

void SaveEntries(ValueStore& store, const ParamEntries& entries) {
  for (auto [key, value] : entries) store.Text("", key, value, kSave);
}

}  // namespace core
