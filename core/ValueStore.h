// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value operations every saved object goes through. One routine per object both
// saves (direction kSave) and loads (kLoad) its values through the same calls, so the two
// directions cannot drift apart. A value is kept as text under the key prefix + name;
// the file store (LParams) and the in-memory store (MemoryStore) hold the same texts.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr int kSave = 1;
constexpr int kLoad = 0;

namespace core {

// A document: (key, text value) pairs in the order they were saved.
using ParamEntries = std::vector<std::pair<std::string, std::string>>;

class ValueStore {
 public:
  virtual ~ValueStore() = default;

  // Saving appends the value's text and answers true. Loading reads the first entry of
  // the key; a missing key answers false and leaves the value as it was (and, unless
  // optional, tells the store that its document lacks a value). Any other direction
  // finds nothing.
  bool Text(const std::string& prefix, const std::string& name, std::string& value,
            int direction, bool optional = false);
  // A 32-bit long in decimal; a text beyond its range reads as the nearest limit, and
  // one that is not a number as 0.
  bool Long(const std::string& prefix, const std::string& name, int32_t& value, int direction,
            bool optional = false);
  // A double as "%14.14e"; read as strtod reads it.
  bool Double(const std::string& prefix, const std::string& name, double& value, int direction,
              bool optional = false);
  // "1" or "0"; any text but "1" reads as false.
  bool Bool(const std::string& prefix, const std::string& name, bool& value, int direction,
            bool optional = false);

 protected:
  virtual void Append(std::string key, std::string text) = 0;
  // The text of the first entry with the key, or nullptr.
  virtual const std::string* Find(const std::string& key) = 0;
  // A value that is not optional was missing on load.
  virtual void Missing() {}

 private:
  bool Value(const std::string& prefix, const std::string& name, std::string& text,
             int direction, bool optional);
};

}  // namespace core
