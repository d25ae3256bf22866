// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time source of the frame loop and the idle wait: milliseconds since start,
// and a pause of a few milliseconds. The real one reads SDL's tick counter and
// sleeps; tests use a clock they set by hand, on which a pause moves time on.
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Now() = 0;
  // Lets ms milliseconds pass.
  virtual void Sleep(uint32_t ms) = 0;
};

// SDL's tick counter (milliseconds since SDL was initialised).
class SdlClock : public Clock {
 public:
  uint32_t Now() override;
  void Sleep(uint32_t ms) override;
};

// A clock that only moves when told to.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() override { return now_; }
  void Sleep(uint32_t ms) override { Advance(ms); }
  void Set(uint32_t ms) { now_ = ms; }
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_;
};

}  // namespace platform
