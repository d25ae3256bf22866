// SPDX-License-Identifier: GPL-3.0-or-later
// ot-game: drives a whole game without a window from a script and prints what happened,
// or plays a recorded level again and says whether it ended as recorded.
// Usage: ot-game SCRIPT [FOLDER]        (the script language is described in
//                                       tools/README.md)
//        ot-game replay FILE [FOLDER]   (exit 0: as recorded, 3: it ended differently,
//                                       1: the replay cannot be read or begun)
//        ot-game solve [--seeds N] [--first S] [--lookahead MS] [--brief] [--plan]
//                      [--autopilot] puzzle L | FILE
//                                       (the level played on N seeds from S, by default
//                                       1..N, a line each)
// The game runs in FOLDER (savep/ for saved games), or in a temp folder that is removed
// at the end.
#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/Random.h"
#include "tools/game/GameReport.h"
#include "tools/game/GameScript.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/game/SolveCommand.h"
#include "tools/script/ScriptRunner.h"

namespace {

constexpr int kDiffers = 3;

// Runs body on a headless session; status 2 when the headless game cannot start.
int OnSession(const std::function<int(GameSession&)>& body) {
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
    status = body(session);
  }
  StopHeadless();
  return status;
}

int RunScript(const std::string& script) {
  return OnSession([&script](GameSession& session) {
    GameScript runner(session);
    return script::RunFile("ot-game", script.c_str(),
                           [&runner](const std::string& line) { return runner.Line(line); });
  });
}

// The replay played to its end without printing its events; then the game's lines and
// whether its state hash is the recorded one.
int RunReplay(const std::string& path, const std::string& shown) {
  Replay replay;
  std::string error;
  if (!ReadReplayFile(path, replay, error)) {
    std::fprintf(stderr, "ot-game: %s\n", error.c_str());
    return 1;
  }
  return OnSession([&](GameSession& session) {
    std::fputs(gamereport::ReplayHeader(shown, replay).c_str(), stdout);
    std::string why;
    if (!session.Watch(replay, why) || !session.WatchTo(INT32_MAX, why)) {
      std::fprintf(stderr, "ot-game: %s: %s\n", shown.c_str(), why.c_str());
      return 1;
    }
    std::fputs(gamereport::ReplayEnd(session).c_str(), stdout);
    return session.WatchEnded()->AsRecorded() ? 0 : kDiffers;
  });
}

// The level played on N seeds, in a temp folder.
int Solve(int argc, char** argv) {
  SolveRequest request;
  std::string why;
  if (!ReadSolveRequest(std::vector<std::string>(argv + 2, argv + argc), request, why)) {
    std::fprintf(stderr, "ot-game solve: %s\n", why.c_str());
    return 2;
  }
  std::error_code ec;
  if (!request.file.empty()) request.file = std::filesystem::absolute(request.file, ec).string();
  const std::string folder = MakeTempFolder();
  if (folder.empty() || !EnterGameFolder(folder, why)) {
    std::fprintf(stderr, "ot-game: %s\n",
                 folder.empty() ? "cannot make a temp folder" : why.c_str());
    return 2;
  }
  const int status =
      OnSession([&request](GameSession& session) { return RunSolve(session, request); });
  std::filesystem::current_path("/", ec);
  std::filesystem::remove_all(folder, ec);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "solve") return Solve(argc, argv);
  const bool replay = argc >= 2 && std::string(argv[1]) == "replay";
  const int first = replay ? 2 : 1;
  if (argc != first + 1 && argc != first + 2) {
    std::fprintf(stderr,
                 "usage: ot-game SCRIPT [FOLDER]\n       ot-game replay FILE [FOLDER]\n"
                 "       ot-game solve [--seeds N] [--first S] [--lookahead MS] [--brief] [--plan] "
                 "[--autopilot] puzzle L | FILE\n");
    return 2;
  }
  std::error_code ec;
  const std::string file = std::filesystem::absolute(argv[first], ec).string();
  const bool temporary = argc == first + 1;
  const std::string folder = temporary ? MakeTempFolder() : std::string(argv[first + 1]);
  std::string error;
  if (folder.empty()) error = "cannot make a temp folder";
  if (folder.empty() || !EnterGameFolder(folder, error)) {
    std::fprintf(stderr, "ot-game: %s\n", error.c_str());
    return 2;
  }
  const int status = replay ? RunReplay(file, argv[first]) : RunScript(file);
  if (temporary) {
    std::filesystem::current_path("/", ec);
    std::filesystem::remove_all(folder, ec);
  }
  return status;
}
