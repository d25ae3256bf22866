// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's frame: start-up, the frame loop that ticks and presents the
// screen stack every 20 ms and hands window events to the top screen, and the
// shutdown that saves the settings.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "ids/ScreenSize.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Window.h"

class FrameContent;
class LEngine;
class VideoDevice;
class WindowScaler;
struct Settings;

// The window title, icon title and the name the window is found by.
extern const char kCaption[];

// Fixed values of the frame.
constexpr uint32_t kFramePeriodMs = 20;
constexpr uint32_t kLargestStepMs = 100;
constexpr uint32_t kIdleWaitMs = 10;
constexpr int kDragZoneRows = 40;
constexpr uint32_t kDragStepMs = 100;
// The exit status of a missing picture, as std::exit(-1) gives it.
constexpr int kMissingPictureStatus = 255;

// Where the frame's inputs and outputs come from; all must outlive the frame.
struct FrameParts {
  platform::Clock& clock;
  platform::EventSource& events;
  platform::Desktop& desktop;
  VideoDevice& video;
  FrameContent& content;
  // Folder holding "data.dat"; the working folder is the current directory.
  std::string resourceFolder;
  // The command line's choices for this run (none: the game as it always starts).
  StartOptions options = {};
};

// The window position rule: a stored position is kept when neither coordinate is -1
// and the window's top rows lie on the desktop (it may hang over the left edge);
// otherwise the window is centred, with a log line for a position off the desktop.
// A window larger than the desktop is centred no further up or left than (0, 0).
void PlacementRule(int32_t& x, int32_t& y, int32_t desktopWidth, int32_t desktopHeight,
                   int32_t windowWidth = screen::kWidth, int32_t windowHeight = screen::kHeight);

// What the in-game screen's message line says when a larger window would not fit.
extern const char kWouldNotFit[];

// The largest window scale (1 to 4) whose window fits in 90 % of the desktop; 1 when
// none does or the desktop size is unknown (0).
int AutomaticScale(int32_t desktopWidth, int32_t desktopHeight);

class Frame {
 public:
  enum class Phase { Intro, Main, Ended };

  explicit Frame(FrameParts parts);
  ~Frame();
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  // The whole life: start-up, loop and shutdown. Returns the exit status.
  int Run();

  // Start-up. Returns -1 when the loop may run, otherwise the exit status.
  int StartUp();
  // One pass of the loop; false once the loop is left. After a pass that found the
  // pictures failed, FailureStatus is the exit status.
  bool LoopPass();
  // The exit status the pictures' failure ends the program with (1 when the intro could
  // not load the clip library, kMissingPictureStatus for a missing picture); -1 while
  // they are whole.
  int FailureStatus() const { return failureStatus_; }
  // Destroys the screens, saves the settings and writes the exit lines; 0.
  int ShutDown();

  // Sets the video mode from the full-screen setting. When that fails after a
  // mode has worked, the working mode is tried again (and the setting follows
  // it). False when no mode could be set.
  bool SetVideoMode();
  // SetVideoMode for a running program (F4, the options): when no mode can be
  // set the settings are saved and the process ends with status 1.
  void ChangeVideoMode();
  // Moves the window to the stored position, or centres it.
  void PlaceWindow();

  // The surface the screens draw on: the window's own, or the scaler's canvas.
  SDL_Surface* Display() const { return display_; }
  // The window's surface, 800x600 times the scale.
  SDL_Surface* Window() const { return window_; }
  // The scale the window is shown at (1 in full screen).
  int Scale() const;
  bool AudioAvailable() const { return audioAvailable_; }
  bool Dragging() const { return dragging_; }
  bool Inactive() const { return inactive_; }
  Phase CurrentPhase() const { return phase_; }
  LEngine* Intro() const { return intro_.get(); }
  LEngine* MainWindow() const { return main_.get(); }

 private:
  void ReadVersionText();
  void ApplyStartOptions();
  void SettlePlayerName();
  void SetWindowIcon();
  bool TryMode(bool fullScreen);
  SDL_Surface* OpenMode(bool fullScreen, int scale);
  // The scale a windowed mode is set at: the setting, or the automatic one.
  int WantedScale() const;
  // The largest scale whose window fits the desktop as it is now; 0 when its size is
  // unknown.
  int FittingScale();
  // At start: a stored scale too large for this desktop becomes the largest that fits.
  void FitStoredScale(int32_t desktopWidth, int32_t desktopHeight);
  // The next placement centres the window.
  void CentreOnNextPlacement();
  // Ctrl+plus and Ctrl+minus: one scale up or down, within 1 to 4 and the desktop.
  void StepWindowScale(int step);
  // Takes the focus changes a new video mode queued and passes on only the last.
  void SettleFocusAfterModeChange();
  void PresentWhole();
  void PresentChanged(const std::vector<SDL_Rect>& rects);
  bool Succession();
  void Step(uint32_t now, uint32_t elapsed);
  void DragStep(uint32_t step);
  void PresentFrame();
  void NoteFirstFrame();
  void ReattachScreens();
  // Checks the content's pictures; true (with FailureStatus set) when they failed.
  bool PicturesFailed();
  // The end after failed pictures: screens and content released, the status returned.
  int Abandon();
  void ReleaseScreens();
  enum class CloseRequest { kNone, kTopScreen, kProgram };
  // A dialog closed by a close request is cancelled with this code.
  static constexpr int32_t kCancelCode = -2;
  // A bound on the screens one close request closes.
  static constexpr int kMostScreens = 16;
  CloseRequest DispatchEvents();
  void HandleCloseRequest(CloseRequest request);
  CloseRequest HandleEvent(const SDL_Event& event);
  void HandleActivation(const SDL_ActiveEvent& event);
  void HandleButton(const SDL_MouseButtonEvent& event, bool down);
  CloseRequest HandleKeyDown(const SDL_KeyboardEvent& event);

  FrameParts parts_;
  Settings& settings_;
  SDL_Surface* display_ = nullptr;
  SDL_Surface* window_ = nullptr;
  std::unique_ptr<WindowScaler> scaler_;  // none at scale 1
  int automaticScale_ = 1;                // from the desktop size at start
  bool displayRecreated_ = false;
  bool inactive_ = false;
  bool dragging_ = false;
  int32_t lastCursorX_ = 0;
  int32_t lastCursorY_ = 0;
  uint32_t dragAccumulator_ = 0;
  uint32_t lastTick_ = 0;
  Phase phase_ = Phase::Intro;
  Phase shownPhase_ = Phase::Ended;  // the last phase whose first frame was logged
  std::unique_ptr<LEngine> intro_;
  std::unique_ptr<LEngine> main_;
  bool audioAvailable_ = false;
  // The mode that was last set successfully. The frameless window is recorded
  // here rather than read back from the display's flags, which not every SDL
  // implementation reports.
  bool haveWorkingMode_ = false;
  bool workingFullScreen_ = false;
  bool framelessWindow_ = false;
  int failureStatus_ = -1;
};

// Everything main() does: reads the command line (and OSTREL_TRAINS_SEED when it
// gives no seed), checks the display, finds the resource and working folders, enters
// the working folder, sends the log streams there, and runs the frame. Returns the
// exit status (2 for a bad command line or seed variable).
int RunGame(int argc, char** argv);
