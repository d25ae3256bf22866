// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the frame loop takes its window events from, and how it idles between
// frames. The real source is SDL's event queue; tests script their own events.
#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Clock.h"

namespace platform {

// The longest idle wait the frame loop ever asks for, in milliseconds.
constexpr uint32_t kMaxIdleWaitMs = 10;

class EventSource {
 public:
  virtual ~EventSource() = default;
  // Takes the next pending event; false when the queue is empty.
  virtual bool Poll(SDL_Event& event) = 0;
  // Takes the next pending focus or minimise event, leaving the others queued in
  // their order; false when there is none.
  virtual bool PollActivation(SDL_Event& event) = 0;
  // Waits until an event is pending or ms (at most kMaxIdleWaitMs) have passed.
  virtual void WaitForInput(uint32_t ms) = 0;
};

// SDL's own event queue. The idle wait measures and spends its time on the given
// clock, so a test can run it on a clock it moves itself.
class SdlEventSource : public EventSource {
 public:
  explicit SdlEventSource(Clock& clock) : clock_(clock) {}
  bool Poll(SDL_Event& event) override;
  bool PollActivation(SDL_Event& event) override;
  void WaitForInput(uint32_t ms) override;

 private:
  Clock& clock_;
};

// Events given by a test, each released when the test clock reaches its time.
// WaitForInput moves the clock forward to the earlier of the wait's end and the
// next event's time, and records how long it was asked to wait.
class ScriptedEventSource : public EventSource {
 public:
  explicit ScriptedEventSource(ManualClock& clock) : clock_(clock) {}

  void Push(const SDL_Event& event) { PushAt(clock_.Now(), event); }
  void PushAt(uint32_t time, const SDL_Event& event);

  bool Poll(SDL_Event& event) override;
  bool PollActivation(SDL_Event& event) override;
  void WaitForInput(uint32_t ms) override;

  // Called at the start of every Poll, so a test can act between loop passes.
  std::function<void()> beforePoll;

  const std::vector<uint32_t>& Waits() const { return waits_; }
  size_t Pending() const { return queue_.size(); }

 private:
  struct Timed {
    uint32_t time;
    SDL_Event event;
  };
  ManualClock& clock_;
  std::deque<Timed> queue_;
  std::vector<uint32_t> waits_;
};

// Helpers that build the events a player makes.
SDL_Event KeyDownEvent(SDLKey key, SDLMod mod = KMOD_NONE);
SDL_Event KeyUpEvent(SDLKey key, SDLMod mod = KMOD_NONE);
SDL_Event ButtonEvent(bool down, Uint8 button, int x, int y);
SDL_Event MotionEvent(int x, int y);
SDL_Event QuitEvent();
SDL_Event ActiveEvent(bool gained, Uint8 state);

}  // namespace platform
