// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ValueStore.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace core {

// Shared by the value operations: save appends, load finds the first equal key.
bool ValueStore::Value(const std::string& prefix, const std::string& name, std::string& text,
                       int direction, bool optional) {
  bool found = false;
  if (direction == kSave) {
    Append(prefix + name, text);
    found = true;
  } else if (direction == kLoad) {
    if (const std::string* value = Find(prefix + name)) {
      text = *value;
      found = true;
    }
  }
  if (!found && !optional) Missing();
  return found;
}

bool ValueStore::Text(const std::string& prefix, const std::string& name, std::string& value,
                      int direction, bool optional) {
  if (direction == kLoad) {
    std::string text;
    if (!Value(prefix, name, text, direction, optional)) return false;
    value = std::move(text);
    return true;
  }
  return Value(prefix, name, value, direction, optional);
}

bool ValueStore::Long(const std::string& prefix, const std::string& name, int32_t& value,
                      int direction, bool optional) {
  std::string text = direction == kSave ? std::to_string(value) : std::string();
  if (!Value(prefix, name, text, direction, optional)) return false;
  if (direction == kLoad) {
    // A 32-bit long: values beyond its range stop at its limits.
    const long number = std::strtol(text.c_str(), nullptr, 10);
    value = static_cast<int32_t>(number < INT32_MIN   ? INT32_MIN
                                 : number > INT32_MAX ? INT32_MAX
                                                      : number);
  }
  return true;
}

bool ValueStore::Double(const std::string& prefix, const std::string& name, double& value,
                        int direction, bool optional) {
  std::string text;
  if (direction == kSave) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%14.14e", value);
    text = buffer;
  }
  if (!Value(prefix, name, text, direction, optional)) return false;
  if (direction == kLoad) value = std::strtod(text.c_str(), nullptr);
  return true;
}

bool ValueStore::Bool(const std::string& prefix, const std::string& name, bool& value,
                      int direction, bool optional) {
  std::string text = direction == kSave ? (value ? "1" : "0") : std::string();
  if (!Value(prefix, name, text, direction, optional)) return false;
  if (direction == kLoad) value = text == "1";
  return true;
}

}  // namespace core
