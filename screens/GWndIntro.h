// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first screen of the program: shown while the clip library loads, with a
// little train that runs along the bottom as the loading advances. It closes
// itself (code 1) once everything is loaded and at least 3 s have passed. When an
// entry cannot be loaded it stops there and says so (LoadFailed); the program's frame
// ends the program.
#include <cstdint>
#include <string>

#include "engine/LEngine.h"

class GWndIntro : public LEngine {
 public:
  // version is the program's version text, drawn as "V. " + version.
  GWndIntro(SDL_Surface* target, int16_t px, int16_t py, uint16_t w, uint16_t h,
            const std::string& version = "1.0");

  // Loads the next library entry, moves the train, closes when done.
  void Update(int32_t elapsed, int32_t frame) override;
  // Restarts the minimum showing time.
  void Show(LEngine** slot) override;
  // True once the clip library failed to load an entry.
  bool LoadFailed() const { return loadFailed_; }

  uint32_t Elapsed = 0;
  LClip* TrainClip = nullptr;

 private:
  bool loadFailed_ = false;
};
