// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value operations the field saves and loads through: the parameter store in the
// game, an in-memory list in tests. Direction 1 writes, 0 reads; a read of a missing
// key answers false and leaves the value as it was.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class FieldStore {
 public:
  virtual ~FieldStore() = default;
  virtual bool Text(const std::string& prefix, const std::string& name, std::string& value,
                    int direction) = 0;
  virtual bool Long(const std::string& prefix, const std::string& name, int32_t& value,
                    int direction) = 0;
  virtual bool Double(const std::string& prefix, const std::string& name, double& value,
                      int direction) = 0;
};

// A flat in-memory list of (key, text) pairs, written in order.
class MemoryStore : public FieldStore {
 public:
  bool Text(const std::string& prefix, const std::string& name, std::string& value,
            int direction) override;
  bool Long(const std::string& prefix, const std::string& name, int32_t& value,
            int direction) override;
  bool Double(const std::string& prefix, const std::string& name, double& value,
              int direction) override;
  std::vector<std::pair<std::string, std::string>> entries;
};
