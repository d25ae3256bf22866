// SPDX-License-Identifier: GPL-3.0-or-later
// ot-game: drives a whole game without a window from a script and prints what happened.
// Usage: ot-game SCRIPT [FOLDER]   (the script language is described in tools/README.md;
// saved games go to FOLDER/savep/, or to a temp folder that is removed at the end)
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/Random.h"
#include "tools/game/GameScript.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/script/ScriptRunner.h"

namespace {

int Run(const std::string& script) {
  std::string error;
  SDL_Surface* display = StartHeadless(error);
  if (!display) {
    std::fprintf(stderr, "ot-game: %s\n", error.c_str());
    return 2;
  }
  rnd::SetRunSeed(1);
  int status = 0;
  {
    EventLog log;
    GameSession session(display, log);
    GameScript runner(session);
    status = script::RunFile("ot-game", script.c_str(),
                             [&runner](const std::string& line) { return runner.Line(line); });
  }
  StopHeadless();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: ot-game SCRIPT [FOLDER]\n");
    return 2;
  }
  std::error_code ec;
  const std::string script = std::filesystem::absolute(argv[1], ec).string();
  const bool temporary = argc == 2;
  const std::string folder = temporary ? MakeTempFolder() : std::string(argv[2]);
  std::string error;
  if (folder.empty()) error = "cannot make a temp folder";
  if (folder.empty() || !EnterGameFolder(folder, error)) {
    std::fprintf(stderr, "ot-game: %s\n", error.c_str());
    return 2;
  }
  const int status = Run(script);
  if (temporary) {
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(folder, ec);
  }
  return status;
}
