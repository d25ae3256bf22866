// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/DocumentMutator.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

namespace {

using core::ParamEntries;

// What a number of the document becomes: the bounds of the types the game reads into,
// one past them, and the floating-point values that break arithmetic.
const std::vector<std::string> kBounds = {"-2147483648",
                                          "2147483647",
                                          "2147483648",
                                          "-2147483649",
                                          "4294967296",
                                          "0",
                                          "-1",
                                          "1",
                                          "1e-300",
                                          "-0.0",
                                          "1e308",
                                          "-1e308",
                                          "nan",
                                          "inf",
                                          "-inf",
                                          "100000",
                                          "99999999999999999999"};
// What a count becomes.
const std::vector<int64_t> kCounts = {0, 1, -1, 2, 100, 1000, 100000, INT32_MAX, INT32_MIN};
// How many records a list is raised to (besides one more and twice as many).
const std::vector<size_t> kListSizes = {100, 1000, 100000};
constexpr size_t kFieldWidth = 8;  // each length in the document takes 8 characters

size_t Below(Rng& rng, size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }

template <typename T>
const T& Pick(Rng& rng, const std::vector<T>& items) {
  return items[Below(rng, items.size())];
}

size_t EntryBytes(const std::pair<std::string, std::string>& e) {
  return 2 * kFieldWidth + e.first.size() + e.second.size();
}

size_t DocumentBytes(const ParamEntries& entries) {
  size_t n = kFieldWidth;
  for (const auto& e : entries) n += EntryBytes(e);
  return n;
}

bool IsInteger(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtoll(text.c_str(), &end, 10);
  return end != text.c_str() && *end == '\0';
}

// Where the numbers of a value stand: runs of digits, signs, points and exponents that
// hold a digit.
std::vector<std::pair<size_t, size_t>> NumberSpans(const std::string& value) {
  std::vector<std::pair<size_t, size_t>> spans;
  auto numeric = [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || std::strchr("+-.eE", c);
  };
  for (size_t i = 0; i < value.size();) {
    if (!numeric(value[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    bool digit = false;
    for (; end < value.size() && numeric(value[end]); ++end) {
      digit = digit || std::isdigit(static_cast<unsigned char>(value[end]));
    }
    if (digit) spans.emplace_back(i, end);
    i = end;
  }
  return spans;
}

std::vector<std::string> Items(const std::string& value) {
  std::vector<std::string> items;
  size_t at = 0;
  while (at < value.size()) {
    const size_t blank = value.find(' ', at);
    const size_t end = blank == std::string::npos ? value.size() : blank;
    if (end > at) items.push_back(value.substr(at, end - at));
    at = end + 1;
  }
  return items;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += item + " ";
  return text;
}

// Records: entries named by one stem and an index ("Game.TreeNumber0", ...), in
// document order.
struct Family {
  std::string stem;
  std::vector<size_t> members;  // entry positions
  long lastIndex = 0;
};

std::vector<Family> Families(const ParamEntries& entries) {
  std::map<std::string, Family> byStem;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& key = entries[i].first;
    size_t cut = key.size();
    while (cut > 0 && std::isdigit(static_cast<unsigned char>(key[cut - 1]))) --cut;
    if (cut == 0 || cut == key.size() || key.size() - cut > 6) continue;
    Family& f = byStem[key.substr(0, cut)];
    f.stem = key.substr(0, cut);
    f.members.push_back(i);
    f.lastIndex = std::max(f.lastIndex, std::strtol(key.c_str() + cut, nullptr, 10));
  }
  std::vector<Family> families;
  for (auto& [stem, f] : byStem) families.push_back(std::move(f));
  return families;
}

std::string Prefix(const std::string& key) {
  const size_t dot = key.rfind('.');
  return dot == std::string::npos ? std::string() : key.substr(0, dot + 1);
}

// The count of a family: a number of the same prefix whose key names a number and whose
// value is the family's size; of several, the nearest one before the records (where a
// writer puts a list's count).
std::optional<size_t> Counter(const ParamEntries& entries, const Family& f) {
  const std::string prefix = Prefix(f.stem);
  const std::string size = std::to_string(f.members.size());
  const size_t first = f.members.front();
  std::optional<size_t> best;
  auto distance = [first, &entries](size_t i) {
    return i < first ? first - i : entries.size() + i;
  };
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto& [key, value] = entries[i];
    if (Prefix(key) != prefix || key.find("Number", prefix.size()) == std::string::npos ||
        value != size) {
      continue;
    }
    if (!best || distance(i) < distance(*best)) best = i;
  }
  return best;
}

bool SetBound(ParamEntries& entries, Rng& rng) {
  std::string& value = entries[Below(rng, entries.size())].second;
  const auto spans = NumberSpans(value);
  if (spans.empty()) {
    value = Pick(rng, kBounds);
    return true;
  }
  const auto& [begin, end] = Pick(rng, spans);
  value.replace(begin, end - begin, Pick(rng, kBounds));
  return true;
}

bool SetCount(ParamEntries& entries, Rng& rng) {
  std::vector<size_t> counts;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (IsInteger(entries[i].second)) counts.push_back(i);
  }
  if (counts.empty()) return false;
  std::string& value = entries[Pick(rng, counts)].second;
  // Held to 32 bits first: the text may hold any number, and the game reads 32 bits.
  const int64_t now =
      std::clamp<int64_t>(std::strtoll(value.c_str(), nullptr, 10), INT32_MIN, INT32_MAX);
  switch (Below(rng, 3)) {
    case 0:
      value = std::to_string(now + 1);
      break;
    case 1:
      value = std::to_string(now * 2);
      break;
    default:
      value = std::to_string(Pick(rng, kCounts));
  }
  return true;
}

// A family raised to more records, copies of one of its own, as far as maxBytes allows;
// its count says the number asked for, even where fewer records fitted.
bool RepeatRecords(ParamEntries& entries, Rng& rng, size_t maxBytes) {
  const std::vector<Family> families = Families(entries);
  if (families.empty()) return false;
  const Family& f = Pick(rng, families);
  const std::vector<size_t> sizes = {f.members.size() + 1, f.members.size() * 2,
                                     Pick(rng, kListSizes)};
  const size_t wanted = Pick(rng, sizes);
  const std::string record = entries[Pick(rng, f.members)].second;
  size_t bytes = DocumentBytes(entries);
  ParamEntries added;
  for (size_t n = f.members.size(); n < wanted; ++n) {
    std::pair<std::string, std::string> e{f.stem + std::to_string(f.lastIndex + 1 + added.size()),
                                          record};
    if (bytes + EntryBytes(e) > maxBytes) break;
    bytes += EntryBytes(e);
    added.push_back(std::move(e));
  }
  if (const auto counter = Counter(entries, f)) entries[*counter].second = std::to_string(wanted);
  entries.insert(entries.begin() + static_cast<long>(f.members.back()) + 1, added.begin(),
                 added.end());
  return true;
}

// The last records of a family taken away, its count left as it was.
bool DropRecords(ParamEntries& entries, Rng& rng) {
  const std::vector<Family> families = Families(entries);
  if (families.empty()) return false;
  const Family& f = Pick(rng, families);
  const size_t drop = 1 + Below(rng, f.members.size());
  for (size_t k = 0; k < drop; ++k) {
    entries.erase(entries.begin() + static_cast<long>(f.members[f.members.size() - 1 - k]));
  }
  return true;
}

// A list of blank-separated items (the town and track lists, a record's fields) emptied,
// cut by one item, with one item doubled or repeated as far as maxBytes allows.
bool ChangeList(ParamEntries& entries, Rng& rng, size_t maxBytes) {
  std::vector<size_t> lists;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (Items(entries[i].second).size() >= 2) lists.push_back(i);
  }
  if (lists.empty()) return false;
  std::string& value = entries[Pick(rng, lists)].second;
  std::vector<std::string> items = Items(value);
  const size_t at = Below(rng, items.size());
  const std::string item = items[at];
  switch (Below(rng, 4)) {
    case 0:
      items.clear();
      break;
    case 1:
      items.erase(items.begin() + static_cast<long>(at));
      break;
    case 2:
      items.insert(items.begin() + static_cast<long>(at), item);
      break;
    default: {
      const size_t room = maxBytes - std::min(maxBytes, DocumentBytes(entries));
      const size_t copies = std::min(Pick(rng, kListSizes), room / (item.size() + 1));
      items.insert(items.end(), copies, item);
    }
  }
  value = Joined(items);
  return true;
}

// An entry taken out, or shadowed by an earlier one of the same key (the first one of a
// key is the one read) with a number at a bound.
bool DropOrShadow(ParamEntries& entries, Rng& rng) {
  const size_t at = Below(rng, entries.size());
  if (Below(rng, 2) == 0) {
    entries.erase(entries.begin() + static_cast<long>(at));
    return true;
  }
  entries.insert(entries.begin() + static_cast<long>(at), {entries[at].first, Pick(rng, kBounds)});
  return true;
}

// Fewer towns than the town counter says: a town place taken from the level's towns,
// or the counter raised.
bool TownsShort(ParamEntries& entries, Rng& rng) {
  for (auto& [key, value] : entries) {
    if (key == "Game.BeginTowns" && Below(rng, 2) == 0) {
      std::vector<std::string> towns = Items(value);
      if (towns.empty()) return false;
      towns.pop_back();
      value = Joined(towns);
      return true;
    }
    if (key == "Game.NumberTown" && IsInteger(value)) {
      const long long counted = std::min(std::strtoll(value.c_str(), nullptr, 10), LLONG_MAX - 3);
      value = std::to_string(counted + 1 + static_cast<long long>(Below(rng, 3)));
      return true;
    }
  }
  return false;
}

}  // namespace

bool MutateEntries(ParamEntries& entries, Rng& rng, size_t maxBytes) {
  if (entries.empty()) return false;
  for (int attempt = 0; attempt < 4; ++attempt) {
    bool changed = false;
    switch (Below(rng, 7)) {
      case 0:
        changed = SetBound(entries, rng);
        break;
      case 1:
        changed = SetCount(entries, rng);
        break;
      case 2:
        changed = RepeatRecords(entries, rng, maxBytes);
        break;
      case 3:
        changed = DropRecords(entries, rng);
        break;
      case 4:
        changed = ChangeList(entries, rng, maxBytes);
        break;
      case 5:
        changed = DropOrShadow(entries, rng);
        break;
      default:
        changed = TownsShort(entries, rng);
    }
    if (changed) return true;
  }
  return false;
}

size_t MutateDocumentInput(uint8_t* data, size_t size, size_t maxSize, uint32_t seed) {
  if (size < 2 || maxSize < 2 || data[0] % 2 != 0) return 0;
  ParamEntries entries;
  const std::string doc(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (!core::ParseDocument(doc, false, entries)) return 0;
  Rng rng(seed);
  if (!MutateEntries(entries, rng, maxSize - 1)) return 0;
  const std::string out = core::BuildDocument(entries);
  if (out.size() + 1 > maxSize) return 0;
  if (Below(rng, 16) == 0) data[0] ^= 2;
  std::memcpy(data + 1, out.data(), out.size());
  return out.size() + 1;
}

}  // namespace fuzz
