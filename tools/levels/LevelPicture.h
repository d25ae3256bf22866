// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of levels as the player sees them: the real in-game screen on SDL's dummy
// display, with the game's own pictures, a few seconds into the level (every town there
// and every track built); and a contact sheet of many levels with their names.
#include <SDL.h>
#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "game/LevelFile.h"

class GMainWindow;
class QuietServices;

namespace levels {

class LevelCamera {
 public:
  explicit LevelCamera(SDL_Surface* display);
  ~LevelCamera();
  LevelCamera(const LevelCamera&) = delete;
  LevelCamera& operator=(const LevelCamera&) = delete;

  // The whole 800 x 600 screen of the level (nullptr when the screen could not start);
  // the caller destroys it.
  cairo_surface_t* Shoot(const std::shared_ptr<const LevelFile>& level);

 private:
  SDL_Surface* display_;
  std::unique_ptr<QuietServices> services_;
  std::unique_ptr<GMainWindow> window_;
};

struct SheetEntry {
  std::string label;
  cairo_surface_t* picture;  // owned by the caller
};

// Pictures in rows of columns, each cut to the field and scaled down, with its label.
bool WriteSheet(const std::vector<SheetEntry>& entries, int columns, const std::string& path);

}  // namespace levels
