// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/Headless.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/Cipher.h"
#include "engine/LArchive.h"
#include "ids/ScreenSize.h"
#include "platform/Folders.h"
#include "sprites/ClipLib.h"

SDL_Surface* StartHeadless(std::string& error) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
  const std::string folder = platform::ExecutableFolder();
  // Without data.dat the loose Dat/ files of the build folder are read.
  Archive().SetLooseRoot(folder);
  const std::string archive = platform::JoinPath(folder, platform::kArchiveName);
  std::error_code ec;
  if (std::filesystem::exists(archive, ec)) {
    Archive().Open(archive, kProgramKey, kProgramKeyLength);
  }
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    error = std::string("cannot start the video system: ") + SDL_GetError();
    return nullptr;
  }
  SDL_Surface* display = SDL_SetVideoMode(screen::kWidth, screen::kHeight, 32, SDL_SWSURFACE);
  if (!display) {
    error = std::string("cannot set the video mode: ") + SDL_GetError();
    return nullptr;
  }
  if (!ClipLib::Init()) {
    error = "cannot load the clip library from " + folder;
    return nullptr;
  }
  while (!ClipLib::IsComplete()) {
    if (ClipLib::LoadNext() < 0) {
      error = "cannot load the clip library from " + folder;
      return nullptr;
    }
  }
  return display;
}

void StopHeadless() {
  ClipLib::Shutdown();
  Archive().Close();
  SDL_Quit();
}

std::string MakeTempFolder() {
  std::error_code ec;
  std::string base = std::filesystem::temp_directory_path(ec).string();
  if (ec || base.empty()) base = "/tmp";
  std::string pattern = base + "/ot-game-XXXXXX";
  if (!mkdtemp(pattern.data())) return std::string();
  return pattern;
}

HeadlessRun::HeadlessRun() : folder_(MakeTempFolder()) {
  if (folder_.empty()) {
    error_ = "cannot make a temp folder";
  } else if (EnterGameFolder(folder_, error_)) {
    display_ = StartHeadless(error_);
  }
}

HeadlessRun::~HeadlessRun() {
  if (display_) StopHeadless();
  if (folder_.empty()) return;
  std::error_code ec;
  std::filesystem::current_path("/", ec);
  std::filesystem::remove_all(folder_, ec);
}

bool EnterGameFolder(const std::string& folder, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(folder) / "savep", ec);
  if (ec) {
    error = "cannot make " + folder + "/savep: " + ec.message();
    return false;
  }
  std::filesystem::current_path(folder, ec);
  if (ec) {
    error = "cannot enter " + folder + ": " + ec.message();
    return false;
  }
  return true;
}
