// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/GameConditions.h"

#include <SDL.h>

#include "tools/game/GameSession.h"

namespace conditions {

namespace {
const char* const kValued[] = {"state",  "level",    "delivered", "towns",
                               "trains", "progress", "crashes",   "repairs"};
const char* const kPlain[] = {"statistics", "help", "crash"};
}  // namespace

bool TakesValue(const std::string& what) {
  for (const char* w : kValued) {
    if (what == w) return true;
  }
  return false;
}

bool Known(const std::string& what) {
  for (const char* w : kPlain) {
    if (what == w) return true;
  }
  return TakesValue(what);
}

bool Holds(GameSession& session, const std::string& what, int value) {
  const Dialog open = session.Open();
  if (what == "statistics") {
    return open == Dialog::kLevelStatistics || open == Dialog::kFinalStatistics;
  }
  if (what == "help") return open == Dialog::kHelp;
  if (!session.HasGame()) return false;
  ScriptedGame& g = session.GetGame();
  const Field& field = g.GetField();
  if (what == "state") return g.GameState == value;
  if (what == "level") return g.CurrentRoundInType + 1 == value;
  if (what == "delivered") return g.TrainCounter >= value;
  if (what == "towns") return g.NumberTown >= value;
  if (what == "trains") return static_cast<int>(field.Trains().size()) == value;
  if (what == "repairs") {
    int n = 0;
    for (const auto& t : field.Trains()) n += t->kind == TrainKind::kRepair ? 1 : 0;
    return n == value;
  }
  if (what == "progress") return g.Progress() >= value;
  if (what == "crash") return !field.CrashSites().empty();
  if (what == "crashes") return static_cast<int>(field.CrashSites().size()) == value;
  return false;
}

int KeyCode(const std::string& name) {
  if (name == "space") return SDLK_SPACE;
  if (name == "f1") return SDLK_F1;
  if (name == "escape") return SDLK_ESCAPE;
  if (name == "enter") return SDLK_RETURN;
  if (name == "tab") return SDLK_TAB;
  if (name == "backspace") return SDLK_BACKSPACE;
  if (name == "up") return SDLK_UP;
  if (name == "down") return SDLK_DOWN;
  if (name == "left") return SDLK_LEFT;
  if (name == "right") return SDLK_RIGHT;
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return SDLK_0 + (name[0] - '0');
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return SDLK_a + (name[0] - 'a');
  return -1;
}

int Modifier(const std::string& name) {
  if (name == "shift") return KMOD_LSHIFT;
  if (name == "ctrl") return KMOD_LCTRL;
  if (name == "alt") return KMOD_LALT;
  if (name == "caps") return KMOD_CAPS;
  return 0;
}

}  // namespace conditions
