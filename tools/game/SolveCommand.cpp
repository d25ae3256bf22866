// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/SolveCommand.h"

#include <cstdio>

#include "game/LevelFile.h"
#include "tools/game/GameScript.h"
#include "tools/game/GameSession.h"

namespace {

constexpr int kMostMs = 2 * 60 * 60 * 1000;  // of game time for one level

bool Whole(const std::string& text, int lo, int hi, int& value) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoi(text);
  return value >= lo && value <= hi;
}

const char* Ending(GameSession& session) {
  switch (session.Open()) {
    case Dialog::kLevelStatistics:
      return "level";
    case Dialog::kFinalStatistics:
      return "out-of-money";
    default:
      return "unfinished";
  }
}

// The level's record number, or the level file's name and par.
std::string Record(Game& game) {
  if (const LevelFile* file = game.PackLevel()) {
    return file->id + " par " + std::to_string(file->par);
  }
  return std::to_string(game.CurrentRound);
}

}  // namespace

bool ReadSolveRequest(const std::vector<std::string>& args, SolveRequest& request,
                      std::string& why) {
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    const std::string& flag = args[i];
    if (flag == "--autopilot") {
      request.autopilot = true;
    } else if (flag == "--brief") {
      request.brief = true;
    } else if (flag == "--plan") {
      request.plan = true;
    } else if ((flag == "--seeds" || flag == "--first" || flag == "--lookahead") &&
               i + 1 < args.size()) {
      int& value = flag == "--seeds"   ? request.seeds
                   : flag == "--first" ? request.first
                                       : request.lookahead;
      if (!Whole(args[++i], flag == "--lookahead" ? 0 : 1, 600000, value)) {
        why = "bad value of " + flag;
        return false;
      }
    } else {
      why = "unknown option " + flag;
      return false;
    }
  }
  if (i + 2 == args.size() && args[i] == "puzzle" && Whole(args[i + 1], 1, 99, request.puzzle))
    return true;
  if (i + 1 == args.size() && args[i] != "puzzle") {
    request.file = args[i];
    return true;
  }
  why = "name a level: puzzle L, or a level file";
  return false;
}

int RunSolve(GameSession& session, const SolveRequest& request) {
  GameScript script(session);
  session.Log().quiet = true;
  const std::string level = request.file.empty()
                                ? "newgame puzzle " + std::to_string(request.puzzle)
                                : "newgame file " + request.file;
  std::string player = "solver on";
  if (request.autopilot) player = "autopilot on";
  if (!request.autopilot && request.brief) player += " brief";
  if (!request.autopilot && request.plan) player += " plan";
  if (!request.autopilot && request.lookahead >= 0) {
    player += " lookahead " + std::to_string(request.lookahead);
  }
  for (int seed = request.first; seed < request.first + request.seeds; ++seed) {
    for (const std::string& line :
         {"seed " + std::to_string(seed), std::string("tips off"), level}) {
      if (!script.Line(line)) {
        std::fprintf(stderr, "ot-game solve: cannot run '%s'\n", line.c_str());
        return 2;
      }
    }
    ScriptedGame& game = session.GetGame();
    const int startMoney = game.MoneyCounter;
    const int startDelivered = game.TrainCounter;
    const int launched = game.Launched(), crashes = game.Crashes();
    script.Line(player);
    for (int ms = 0; ms < kMostMs && session.Open() == Dialog::kNone; ms += GameSession::kFrame) {
      session.RunFrame();
    }
    std::printf(
        "seed %d record %s ended %s money %d balance %d delivered %d entered %d crashes %d\n", seed,
        Record(game).c_str(), Ending(session), game.MoneyCounter, game.MoneyCounter - startMoney,
        game.TrainCounter - startDelivered, game.Launched() - launched, game.Crashes() - crashes);
    std::fflush(stdout);
    session.EndGame();
  }
  return 0;
}
