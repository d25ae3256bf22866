// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game needs around it, without a window: SDL's dummy video at 800 x 600, the
// program's cipher, the resource archive of the build folder (the tool's own folder)
// and the whole clip library, so that the game's own pictures are real clips.
#include <SDL.h>

#include <string>

// The display surface, or nullptr with the reason in error.
SDL_Surface* StartHeadless(std::string& error);
// Lets go of the clip library and SDL.
void StopHeadless();

// A new empty folder below the system's temp folder, or an empty text.
std::string MakeTempFolder();
// Makes folder (created when missing) the working folder, with its savep/ folder for
// saved games; false with the reason in error.
bool EnterGameFolder(const std::string& folder, std::string& error);

// A headless run in a temp folder of its own: made, entered and started here; stopped,
// left and removed when the run goes. Display() is nullptr (with Error()) when it could
// not start.
class HeadlessRun {
 public:
  HeadlessRun();
  ~HeadlessRun();
  HeadlessRun(const HeadlessRun&) = delete;
  HeadlessRun& operator=(const HeadlessRun&) = delete;
  SDL_Surface* Display() const { return display_; }
  const std::string& Error() const { return error_; }

 private:
  std::string folder_;
  std::string error_;
  SDL_Surface* display_ = nullptr;
};
