// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the frame runs besides its own loop: the clip library, the two screens
// of the program's life (the intro, then the in-game main window), sound
// effects and music. The game's own content implements it; tests supply theirs.
#include <SDL.h>

#include <functional>
#include <memory>
#include <string>

class LEngine;
struct Settings;

class FrameContent {
 public:
  virtual ~FrameContent() = default;

  // Loads the sprite clip library; false ends the program.
  virtual bool LoadClipLibrary() = 0;
  // The intro screen, 800x600 at (0, 0) on the display; none skips the intro.
  virtual std::unique_ptr<LEngine> CreateIntro(SDL_Surface* display) = 0;
  // The in-game main window, 800x600 at (0, 0) on the display; changeVideoMode sets
  // the video mode again from the full-screen setting (the options dialog's switch).
  virtual std::unique_ptr<LEngine> CreateMainWindow(SDL_Surface* display,
                                                    std::function<void()> changeVideoMode) = 0;
  // Pauses or resumes the main window's game (the window is inactive at start).
  virtual void SetMainWindowPaused(LEngine& mainWindow, bool paused) = 0;

  // Shows a short text on the main window's message line.
  virtual void TellPlayer(LEngine& mainWindow, const std::string& text) {
    (void)mainWindow;
    (void)text;
  }

  // Pictures that failed, asked after the screens are made and after every step; either
  // ends the program. The intro made by CreateIntro could not load the clip library:
  virtual bool IntroFailed(const LEngine& intro) {
    (void)intro;
    return false;
  }
  // A screen asked for a picture that could not be loaded:
  virtual bool PictureMissing() { return false; }

  // Sound effects and music; audioAvailable is false when the audio system could
  // not start, and then nothing may touch the audio device.
  virtual void StartSoundEffects(const Settings& settings, bool audioAvailable) = 0;
  virtual void StartMusic(const Settings& settings, bool audioAvailable) = 0;
  // Once per frame step.
  virtual void AdvanceMusic() = 0;
  // The window lost or regained the input focus.
  virtual void PauseMusic() = 0;
  virtual void ResumeMusic() = 0;
  // After the screens are destroyed: releases music, effects and the clip library
  // while the video and audio systems still run.
  virtual void ShutDown() {}
};
