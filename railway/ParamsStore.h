// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field's value operations on the program's parameter store.
#include "core/LParams.h"
#include "railway/FieldStore.h"

class ParamsStore : public FieldStore {
 public:
  explicit ParamsStore(LParams& params) : params_(params) {}
  bool Text(const std::string& prefix, const std::string& name, std::string& value,
            int direction) override {
    return params_.Text(prefix, name, value, direction);
  }
  bool Long(const std::string& prefix, const std::string& name, int32_t& value,
            int direction) override {
    return params_.Long(prefix, name, value, direction);
  }
  bool Double(const std::string& prefix, const std::string& name, double& value,
              int direction) override {
    return params_.Double(prefix, name, value, direction);
  }

 private:
  LParams& params_;
};
