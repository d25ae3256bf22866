// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EventSource.h"

#include <SDL_syswm.h>
#include <sys/select.h>

#include <algorithm>

#include "platform/Signals.h"

namespace platform {

bool SdlEventSource::Poll(SDL_Event& event) { return SDL_PollEvent(&event) == 1; }

// The window system's latest events are fetched first: a library that makes a new
// window queues its focus changes only when asked.
bool SdlEventSource::PollActivation(SDL_Event& event) {
  SDL_PumpEvents();
  return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ACTIVEEVENTMASK) == 1;
}

namespace {

// The connection SDL reads the window's events from, or -1 when there is none (a
// video driver other than X11, such as the dummy one).
int WindowEventConnection() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return -1;
  return info.info.x11.display != nullptr ? ConnectionNumber(info.info.x11.display) : -1;
}

}  // namespace

// Between two looks at the queue it sleeps until the X server sends something or the
// wait is over, so that an idle game does not wake a thousand times a second; without
// an X connection it pauses on the clock for a millisecond and looks again. A quit
// signal interrupts the sleep when it reaches this thread, and is seen within the wait
// otherwise.
void SdlEventSource::WaitForInput(uint32_t ms) {
  const uint32_t wait = std::min(ms, kMaxIdleWaitMs);
  const uint32_t start = clock_.Now();
  for (;;) {
    SDL_PumpEvents();
    SDL_Event peek;
    if (SDL_PeepEvents(&peek, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0) return;
    if (QuitRequestPending()) return;
    const uint32_t waited = clock_.Now() - start;
    if (waited >= wait) return;
    const int connection = WindowEventConnection();
    if (connection < 0) {
      clock_.Sleep(1);
      continue;
    }
    fd_set input;
    FD_ZERO(&input);
    FD_SET(connection, &input);
    timeval left{0, static_cast<suseconds_t>((wait - waited) * 1000)};
    select(connection + 1, &input, nullptr, nullptr, &left);
  }
}

void ScriptedEventSource::PushAt(uint32_t time, const SDL_Event& event) {
  auto at = std::upper_bound(queue_.begin(), queue_.end(), time,
                             [](uint32_t t, const Timed& e) { return t < e.time; });
  queue_.insert(at, Timed{time, event});
}

bool ScriptedEventSource::Poll(SDL_Event& event) {
  if (beforePoll) beforePoll();
  if (queue_.empty() || queue_.front().time > clock_.Now()) return false;
  event = queue_.front().event;
  queue_.pop_front();
  return true;
}

bool ScriptedEventSource::PollActivation(SDL_Event& event) {
  for (auto it = queue_.begin(); it != queue_.end() && it->time <= clock_.Now(); ++it) {
    if (it->event.type != SDL_ACTIVEEVENT) continue;
    event = it->event;
    queue_.erase(it);
    return true;
  }
  return false;
}

void ScriptedEventSource::WaitForInput(uint32_t ms) {
  waits_.push_back(ms);
  uint32_t until = clock_.Now() + std::min(ms, kMaxIdleWaitMs);
  if (!queue_.empty()) until = std::min(until, std::max(queue_.front().time, clock_.Now()));
  clock_.Set(until);
}

SDL_Event KeyDownEvent(SDLKey key, SDLMod mod) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event KeyUpEvent(SDLKey key, SDLMod mod) {
  SDL_Event e = KeyDownEvent(key, mod);
  e.type = SDL_KEYUP;
  e.key.state = SDL_RELEASED;
  return e;
}

SDL_Event ButtonEvent(bool down, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = static_cast<Uint16>(x);
  e.button.y = static_cast<Uint16>(y);
  return e;
}

SDL_Event MotionEvent(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = static_cast<Uint16>(x);
  e.motion.y = static_cast<Uint16>(y);
  return e;
}

SDL_Event QuitEvent() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  return e;
}

SDL_Event ActiveEvent(bool gained, Uint8 state) {
  SDL_Event e{};
  e.type = SDL_ACTIVEEVENT;
  e.active.gain = gained ? 1 : 0;
  e.active.state = state;
  return e;
}

}  // namespace platform
