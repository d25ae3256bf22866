// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdio>

#include "app/Frame.h"
#include "app/FrameContent.h"
#include "app/VideoDevice.h"
#include "engine/LEngine.h"
#include "engine/Log.h"
#include "game/Settings.h"
#include "platform/Process.h"
#include "platform/Signals.h"

namespace {

// Clips a changed area to the display; false when nothing of it is left.
bool ClipToDisplay(const DirtyRect& r, SDL_Rect& out) {
  const int32_t left = std::max<int32_t>(r.left, 0);
  const int32_t top = std::max<int32_t>(r.top, 0);
  const int32_t right = std::min<int32_t>(r.right, screen::kWidth);
  const int32_t bottom = std::min<int32_t>(r.bottom, screen::kHeight);
  if (right <= left || bottom <= top) return false;
  out = SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                 static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
  return true;
}

}  // namespace

bool Frame::LoopPass() {
  if (TopScreen() == nullptr && !Succession()) return false;
  if (PicturesFailed()) return false;
  const uint32_t now = parts_.clock.Now();
  const uint32_t elapsed = now - lastTick_;
  if (elapsed < kFramePeriodMs) {
    parts_.events.WaitForInput(kIdleWaitMs);
  } else {
    Step(now, elapsed);
    if (PicturesFailed()) return false;
  }
  HandleCloseRequest(DispatchEvents());
  if (displayRecreated_) ReattachScreens();
  return true;
}

// Called when the stack is empty: the intro gives way to the main window, and
// the main window's end ends the loop.
bool Frame::Succession() {
  if (phase_ == Phase::Intro) {
    intro_.reset();
    main_ = parts_.content.CreateMainWindow(display_, [this] { ChangeVideoMode(); });
    if (main_) {
      parts_.content.SetMainWindowPaused(*main_, inactive_);
      main_->Show(&TopScreen());
    }
    phase_ = Phase::Main;
    return true;
  }
  main_.reset();
  phase_ = Phase::Ended;
  return false;
}

void Frame::Step(uint32_t now, uint32_t elapsed) {
  lastTick_ = now;
  const uint32_t step = std::min(elapsed, kLargestStepMs);
  if (TopScreen() != nullptr)
    TopScreen()->Tick(static_cast<int32_t>(step), static_cast<int32_t>(kFramePeriodMs));
  parts_.content.AdvanceMusic();
  DragStep(step);
  PresentFrame();
  // A log file on a disk that filled up gives way to the terminal within a frame.
  CheckLogStreams();
}

void Frame::DragStep(uint32_t step) {
  dragAccumulator_ += step;
  if (dragAccumulator_ < kDragStepMs) return;
  dragAccumulator_ = 0;
  if (!dragging_ || settings_.FullScreen) return;
  int32_t x = 0, y = 0;
  if (!parts_.desktop.Cursor(x, y)) return;
  settings_.MainWindowPosX += x - lastCursorX_;
  settings_.MainWindowPosY += y - lastCursorY_;
  lastCursorX_ = x;
  lastCursorY_ = y;
  PlaceWindow();
}

void Frame::PresentFrame() {
  LEngine* top = TopScreen();
  if (top == nullptr || display_ == nullptr) return;
  NoteFirstFrame();
  std::vector<DirtyRect>& changed = top->Render();
  if (top->RedrawMode == 1) {
    PresentWhole();
  } else {
    std::vector<SDL_Rect> rects;
    rects.reserve(changed.size());
    SDL_Rect r;
    for (const DirtyRect& d : changed)
      if (ClipToDisplay(d, r)) rects.push_back(r);
    PresentChanged(rects);
  }
  changed.clear();
}

// The start-up time of the two phases, for the log and the start-up measurement.
void Frame::NoteFirstFrame() {
  if (phase_ == shownPhase_) return;
  shownPhase_ = phase_;
  std::fprintf(stderr, "%s shown %ld ms after start.\n",
               phase_ == Phase::Intro ? "Intro" : "In-game screen",
               platform::MillisecondsSinceStart());
  std::fflush(stderr);
}

// After a new video mode the held screens draw on the new display, completely.
void Frame::ReattachScreens() {
  for (LEngine* screen : {intro_.get(), main_.get()}) {
    if (screen == nullptr) continue;
    screen->Target = display_;
    screen->NeedFullRedraw = true;
  }
  if (LEngine* top = TopScreen()) top->Render().clear();
  PresentWhole();
  displayRecreated_ = false;
}

// Hands every pending event to the top screen, up to a close request: Alt+F4, the
// window manager's close or a termination signal. The events after it stay queued.
Frame::CloseRequest Frame::DispatchEvents() {
  if (platform::TakeQuitRequest()) return CloseRequest::kProgram;
  SDL_Event event;
  while (parts_.events.Poll(event)) {
    const CloseRequest request = HandleEvent(event);
    if (request != CloseRequest::kNone) return request;
  }
  return CloseRequest::kNone;
}

// Alt+F4 closes the top screen; the window's close and a signal close every screen
// down to the bottom one, which ends the loop. A dialog closed this way is cancelled
// (-2) rather than answered, the bottom screen closes with 0.
void Frame::HandleCloseRequest(CloseRequest request) {
  if (request == CloseRequest::kNone) return;
  for (int screens = 0; screens < kMostScreens; ++screens) {
    LEngine* top = TopScreen();
    if (top == nullptr) return;
    top->Close(top->Parent != nullptr ? kCancelCode : 0);
    if (request == CloseRequest::kTopScreen || TopScreen() == top) return;
  }
}

Frame::CloseRequest Frame::HandleEvent(const SDL_Event& event) {
  LEngine* top = TopScreen();
  switch (event.type) {
    case SDL_ACTIVEEVENT:
      HandleActivation(event.active);
      break;
    case SDL_VIDEOEXPOSE:
      PresentWhole();
      break;
    case SDL_MOUSEMOTION:
      if (top) top->OnMouseMove(event.motion.x / Scale(), event.motion.y / Scale());
      break;
    case SDL_MOUSEBUTTONDOWN:
      HandleButton(event.button, true);
      break;
    case SDL_MOUSEBUTTONUP:
      HandleButton(event.button, false);
      break;
    case SDL_KEYDOWN:
      return HandleKeyDown(event.key);
    case SDL_KEYUP:
      if (top) top->OnKeyUp(event.key.keysym.sym, event.key.keysym.mod);
      break;
    case SDL_QUIT:
      return CloseRequest::kProgram;
    default:
      break;
  }
  return CloseRequest::kNone;
}

void Frame::HandleActivation(const SDL_ActiveEvent& event) {
  if ((event.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) == 0) return;
  const bool gained = event.gain != 0;
  if (LEngine* top = TopScreen()) top->OnActivate(gained);
  if (gained)
    parts_.content.ResumeMusic();
  else
    parts_.content.PauseMusic();
  inactive_ = !gained;
}

// A library that makes a new window for a new mode (sdl12-compat does) queues the
// old window's loss of the focus and the new window's gain. The player left nothing,
// so only where the focus ends up counts, and it is settled before the key that asked
// for the mode goes on to the screen: a pause ends by F4 on every library.
void Frame::SettleFocusAfterModeChange() {
  SDL_Event event;
  bool gained = !inactive_;
  SDL_ActiveEvent last{};
  while (parts_.events.PollActivation(event)) {
    if ((event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) == 0) continue;
    last = event.active;
    gained = last.gain != 0;
  }
  if (gained == !inactive_) return;
  HandleActivation(last);
}

void Frame::HandleButton(const SDL_MouseButtonEvent& event, bool down) {
  LEngine* top = TopScreen();
  // The screens see the pixels of the 800x600 picture, whatever the window's scale.
  const int32_t x = event.x / Scale(), y = event.y / Scale();
  switch (event.button) {
    case SDL_BUTTON_LEFT:
      if (down) {
        if (y < kDragZoneRows) {
          dragging_ = true;
          parts_.desktop.Cursor(lastCursorX_, lastCursorY_);
        }
        if (top) top->OnLeftDown(x, y);
      } else {
        if (top) top->OnLeftUp(x, y);
        dragging_ = false;
      }
      break;
    case SDL_BUTTON_RIGHT:
      if (!top) break;
      if (down)
        top->OnRightDown(x, y);
      else
        top->OnRightUp(x, y);
      break;
    case SDL_BUTTON_WHEELDOWN:
      if (top && down) top->OnWheelDown(x, y);
      break;
    case SDL_BUTTON_WHEELUP:
      if (top && down) top->OnWheelUp(x, y);
      break;
    default:
      break;
  }
}

Frame::CloseRequest Frame::HandleKeyDown(const SDL_KeyboardEvent& event) {
  const SDLKey key = event.keysym.sym;
  const SDLMod mod = event.keysym.mod;
  if (key == SDLK_F4) {
    if ((mod & KMOD_ALT) != 0) return CloseRequest::kTopScreen;
    settings_.FullScreen = !settings_.FullScreen;
    ChangeVideoMode();
  }
  // Plus needs Shift on many keyboards, so Ctrl+= counts as Ctrl+plus.
  const bool ctrl = (mod & KMOD_CTRL) != 0;
  if (key == SDLK_KP_PLUS || (ctrl && (key == SDLK_PLUS || key == SDLK_EQUALS)))
    StepWindowScale(1);
  else if (key == SDLK_KP_MINUS || (ctrl && key == SDLK_MINUS))
    StepWindowScale(-1);
  if (LEngine* top = TopScreen()) top->OnKeyDown(key, mod);
  return CloseRequest::kNone;
}
