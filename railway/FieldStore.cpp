// SPDX-License-Identifier: GPL-3.0-or-later
#include "railway/FieldStore.h"

#include <cstdio>
#include <cstdlib>

namespace {
const std::string* Find(const std::vector<std::pair<std::string, std::string>>& entries,
                        const std::string& key) {
  for (const auto& e : entries) {
    if (e.first == key) return &e.second;
  }
  return nullptr;
}
}  // namespace

bool MemoryStore::Text(const std::string& prefix, const std::string& name, std::string& value,
                       int direction) {
  if (direction == 1) {
    entries.emplace_back(prefix + name, value);
    return true;
  }
  const std::string* v = Find(entries, prefix + name);
  if (!v) return false;
  value = *v;
  return true;
}

bool MemoryStore::Long(const std::string& prefix, const std::string& name, int32_t& value,
                       int direction) {
  std::string text = std::to_string(value);
  if (direction == 1) return Text(prefix, name, text, 1);
  if (!Text(prefix, name, text, 0)) return false;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool MemoryStore::Double(const std::string& prefix, const std::string& name, double& value,
                         int direction) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", value);
  std::string text = buf;
  if (direction == 1) return Text(prefix, name, text, 1);
  if (!Text(prefix, name, text, 0)) return false;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str()) return false;
  value = v;
  return true;
}
