// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file (sealed by the selector byte, see FuzzSupport.h) read into fresh
// settings by LoadSettingsFile, with a saved-games folder of its own.
#include <filesystem>
#include <string>

#include "core/LParams.h"
#include "game/Settings.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::TempPath("globals.sav");
  static const std::string savedGames = fuzz::TempPath("savep");
  std::error_code ec;
  std::filesystem::create_directories(savedGames, ec);
  if (!fuzz::WriteDocument(path, data, size)) return 0;
  LParams store;
  Settings settings;
  LoadSettingsFile(store, settings, path, savedGames);
  return 0;
}
