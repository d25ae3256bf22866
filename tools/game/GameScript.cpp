// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/game/GameScript.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "core/Random.h"
#include "game/LevelFile.h"
#include "game/PackRoots.h"
#include "game/Settings.h"
#include "railway/FieldReport.h"
#include "sprites/Widgets.h"
#include "tools/game/GameConditions.h"
#include "tools/game/GameReport.h"
#include "tools/game/Headless.h"
#include "tools/script/ScriptRunner.h"

namespace {

constexpr int kMaxRun = 24 * 60 * 60 * 1000;  // one day of game time per command

// A whole number in a range, read from the stream.
bool Number(std::istream& in, int& value, int lo, int hi) {
  long long v = 0;
  if (!(in >> v) || v < lo || v > hi) return false;
  value = static_cast<int>(v);
  return true;
}

bool Point(std::istream& in, int& x, int& y) {
  return Number(in, x, -10000, 10000) && Number(in, y, -10000, 10000);
}

bool OnOff(std::istream& in, bool& value) {
  std::string word;
  if (!(in >> word) || (word != "on" && word != "off")) return false;
  value = word == "on";
  return true;
}

bool AtEnd(std::istream& in) { return (in >> std::ws).eof(); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

const std::map<std::string, GameScript::Command>& GameScript::Commands() {
  static const std::map<std::string, Command> commands = {
      {"newgame", &GameScript::NewGame},   {"show", &GameScript::Show},
      {"save", &GameScript::Save},         {"load", &GameScript::Load},
      {"run", &GameScript::Run},           {"until", &GameScript::Until},
      {"print", &GameScript::Print},       {"snapshot", &GameScript::Snapshot},
      {"compare", &GameScript::Compare},   {"mouse", &GameScript::Mouse},
      {"click", &GameScript::Click},       {"rclick", &GameScript::RightClick},
      {"wheel", &GameScript::Wheel},       {"key", &GameScript::Key},
      {"button", &GameScript::Button},     {"close", &GameScript::Close},
      {"autopilot", &GameScript::Pilot},   {"seed", &GameScript::Seed},
      {"player", &GameScript::Player},     {"tips", &GameScript::ShowTips},
      {"sounds", &GameScript::Sounds},     {"money", &GameScript::Money},
      {"savefile", &GameScript::SaveFile}, {"folder", &GameScript::Folder},
      {"speed", &GameScript::Speed},       {"record", &GameScript::Record},
      {"replay", &GameScript::Replay},     {"solver", &GameScript::SolverLine},
      {"actpaused", &GameScript::InPause}, {"lockmarks", &GameScript::LockMark},
  };
  return commands;
}

bool GameScript::Line(const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  if (!(in >> cmd)) return true;
  const auto it = Commands().find(cmd);
  if (it == Commands().end() || !(this->*(it->second))(in)) return false;
  // Nothing may follow a command's arguments.
  in.clear();
  return AtEnd(in);
}

// ---------------------------------------------------------------- the game

// "newgame classic|puzzle [LEVEL]": the new-game dialog's OK (level 1 by default).
// "newgame file PATH": a new game of the level file (a file that does not read is printed).
// "newgame pack PACK LEVEL": a new game of a level of the packs the game finds.
bool GameScript::NewGame(std::istream& in) {
  std::string type;
  int level = 1;
  if (!(in >> type)) return false;
  if (type == "file") return NewFileGame(in);
  if (type == "pack") return NewPackLevelGame(in);
  if (type != "classic" && type != "puzzle") return false;
  if (!AtEnd(in) && !Number(in, level, 1, kLastLevel + 1)) return false;
  s_.NewGame(type == "puzzle" ? 1 : 0, level);
  return true;
}

bool GameScript::NewFileGame(std::istream& in) {
  std::string path, why;
  if (!(in >> path)) return false;
  std::optional<LevelFile> level = ReadLevelFile(path, why);
  if (!level) {
    std::printf("level file refused: %s\n", why.c_str());
    return true;
  }
  s_.NewPackGame(std::make_shared<const LevelFile>(std::move(*level)));
  return true;
}

bool GameScript::NewPackLevelGame(std::istream& in) {
  std::string pack, level;
  if (!(in >> pack >> level)) return false;
  const FoundPackLevel found = FindPackLevel(FindLevelPacks(LevelPackRoots()), pack, level);
  if (!found.level) {
    std::printf("no level %s in a pack %s\n", level.c_str(), pack.c_str());
    return true;
  }
  s_.NewPackGame(found.level, {pack, static_cast<int32_t>(found.index) + 1});
  return true;
}

bool GameScript::Show(std::istream&) {
  s_.Show();
  return true;
}

bool GameScript::Save(std::istream&) {
  s_.Save();
  return true;
}

bool GameScript::Load(std::istream&) {
  std::printf("%s\n", s_.Load() ? "load: restoring" : "load: no saved game, a new game begins");
  return true;
}

// "savefile size | cut N | delete": the saved game of the player and game type, as a
// test damages it.
bool GameScript::SaveFile(std::istream& in) {
  std::string what;
  if (!(in >> what)) return false;
  const Settings& settings = Globals();
  const std::filesystem::path path =
      settings.PackGame ? Game::PackSaveFileName(settings.PlayerName)
                        : Game::SaveFileName(settings.PlayerName, settings.GameType);
  std::error_code ec;
  if (what == "size") {
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
      std::printf("no saved game %s\n", path.c_str());
    else
      std::printf("saved game %s: %ju bytes\n", path.c_str(), static_cast<uintmax_t>(size));
  } else if (what == "cut") {
    int size = 0;
    if (!Number(in, size, 0, 100000000)) return false;
    std::filesystem::resize_file(path, static_cast<uintmax_t>(size), ec);
    if (ec) std::printf("cannot cut %s\n", path.c_str());
  } else if (what == "delete") {
    std::filesystem::remove(path, ec);
  } else {
    return false;
  }
  return true;
}

// "folder PATH": the working folder from now on, with its savep/ for saved games.
bool GameScript::Folder(std::istream& in) {
  std::string path, error;
  if (!(in >> path)) return false;
  if (!EnterGameFolder(path, error)) std::printf("%s\n", error.c_str());
  return true;
}

bool GameScript::Run(std::istream& in) {
  int ms = 0;
  if (!Number(in, ms, 0, kMaxRun)) return false;
  for (int t = 0; t < ms; t += GameSession::kFrame) s_.RunFrame();
  return true;
}

// "until CONDITION [VALUE] within MS": frames run until the condition holds, at most MS.
bool GameScript::Until(std::istream& in) {
  std::string what, word;
  int value = 0, limit = 0;
  if (!(in >> what) || !conditions::Known(what)) return false;
  if (conditions::TakesValue(what) && !Number(in, value, 0, 2000000000)) return false;
  if (!(in >> word) || word != "within" || !Number(in, limit, 0, kMaxRun)) return false;
  int waited = 0;
  while (!conditions::Holds(s_, what, value) && waited < limit) {
    s_.RunFrame();
    waited += GameSession::kFrame;
  }
  s_.Log().Print(conditions::Holds(s_, what, value)
                     ? "reached after " + std::to_string(waited) + " ms"
                     : "not reached within " + std::to_string(limit) + " ms");
  return true;
}

bool GameScript::Print(std::istream& in) {
  std::string what;
  if (!(in >> what)) return false;
  std::string out;
  if (what == "game") {
    out = gamereport::Game(s_) + gamereport::ShownTips(s_);
  } else if (what == "tips") {
    out = gamereport::ShownTips(s_);
  } else if (what == "trees") {
    out = gamereport::Trees(s_);
  } else if (what == "houses") {
    out = gamereport::Houses(s_);
  } else if (what == "marks") {
    out = gamereport::Marks(s_);
  } else if (what == "keys") {
    out = gamereport::Keys(s_);
    if (out.empty()) out = "keys: nothing shown\n";
  } else if (what == "autopilot") {
    out = gamereport::AutopilotCounts(s_);
  } else if (what == "hash") {
    out = gamereport::Hash(s_);
  } else if (!gamereport::FieldPart(s_, what, out)) {
    return false;
  }
  std::fputs(out.c_str(), stdout);
  return true;
}

std::string GameScript::State() {
  std::string field;
  gamereport::FieldPart(s_, "field", field);
  return gamereport::Game(s_) + field;
}

bool GameScript::Snapshot(std::istream& in) {
  std::string name;
  if (!(in >> name)) return false;
  snapshots_[name] = State();
  return true;
}

// Prints the lines that left the snapshot (-) and those that came (+), or "same".
bool GameScript::Compare(std::istream& in) {
  std::string name;
  if (!(in >> name) || !snapshots_.count(name)) return false;
  std::vector<std::string> before = Lines(snapshots_[name]);
  std::vector<std::string> now = Lines(State());
  std::vector<std::string> gone, came;
  std::vector<bool> matched(now.size(), false);
  for (const std::string& line : before) {
    bool found = false;
    for (size_t i = 0; i < now.size() && !found; ++i) {
      if (!matched[i] && now[i] == line) matched[i] = found = true;
    }
    if (!found) gone.push_back(line);
  }
  for (size_t i = 0; i < now.size(); ++i) {
    if (!matched[i]) came.push_back(now[i]);
  }
  if (gone.empty() && came.empty()) std::printf("same as %s\n", name.c_str());
  for (const std::string& line : gone) std::printf("- %s\n", line.c_str());
  for (const std::string& line : came) std::printf("+ %s\n", line.c_str());
  return true;
}

// ---------------------------------------------------------------- input

bool GameScript::Mouse(std::istream& in) {
  int x = 0, y = 0;
  if (!Point(in, x, y)) return false;
  s_.MouseMove(x, y);
  return true;
}

bool GameScript::Click(std::istream& in) {
  int x = 0, y = 0;
  if (!Point(in, x, y)) return false;
  s_.LeftClick(x, y);
  return true;
}

bool GameScript::RightClick(std::istream& in) {
  int x = 0, y = 0;
  if (!Point(in, x, y)) return false;
  s_.RightClick(x, y);
  return true;
}

// "wheel up|down [X Y]".
bool GameScript::Wheel(std::istream& in) {
  std::string way;
  int x = 0, y = 0;
  if (!(in >> way) || (way != "up" && way != "down")) return false;
  if (!AtEnd(in) && !Point(in, x, y)) return false;
  s_.Wheel(way == "down", x, y);
  return true;
}

// "key NAME [shift] [ctrl] [alt] [caps]".
bool GameScript::Key(std::istream& in) {
  std::string name, mod;
  if (!(in >> name)) return false;
  int key = conditions::KeyCode(name);
  if (key < 0) return false;
  int modifiers = 0;
  while (in >> mod) {
    const int m = conditions::Modifier(mod);
    if (m == 0) return false;
    modifiers |= m;
  }
  s_.Key(key, modifiers);
  return true;
}

// "button track0..track5 | toggle | call [N]".
bool GameScript::Button(std::istream& in) {
  std::string name;
  if (!(in >> name) || !s_.HasGame()) return false;
  ScriptedGame& g = s_.GetGame();
  if (name.size() == 6 && name.compare(0, 5, "track") == 0 && name[5] >= '0' && name[5] <= '5') {
    s_.PressButton(g.Panel().TrackButton(name[5] - '0'));
    return true;
  }
  int x = 0, y = 0;
  if (name == "toggle") {
    const PanelBox t = g.Panel().ToggleBox();
    if (t.Empty()) return false;
    x = t.x + t.w / 2;
    y = t.y + t.h / 2;
  } else if (name == "call") {
    int n = 0;
    if (!AtEnd(in) && !Number(in, n, 0, 1000)) return false;
    if (!gamereport::CallButtonPoint(s_, n, x, y)) {
      std::printf("no call button %d shown\n", n);
      return true;
    }
  } else {
    return false;
  }
  std::printf("(at %d,%d)\n", x, y);
  s_.LeftClick(x, y);
  return true;
}

// "close statistics|help|menu [dontshow]".
bool GameScript::Close(std::istream& in) {
  std::string name, option;
  if (!(in >> name)) return false;
  Dialog d = Dialog::kNone;
  if (name == "statistics")
    d = Dialog::kLevelStatistics;
  else if (name == "help")
    d = Dialog::kHelp;
  else if (name == "menu")
    d = Dialog::kMenu;
  else
    return false;
  const bool dontShow = (in >> option) && option == "dontshow";
  if (!s_.Close(d, dontShow)) std::printf("no %s open\n", name.c_str());
  return true;
}

// "speed 1|2|4|1/2|1/4": the game speed as the speed keys would leave it ("key tab" and
// "key tab shift" press them).
bool GameScript::Speed(std::istream& in) {
  std::string word;
  if (!(in >> word)) return false;
  int factor = 0;
  if (word == "1/2" || word == "1/4") {
    factor = -(word[2] - '0');
  } else {
    std::istringstream number(word);
    if (!Number(number, factor, 1, GameSpeed::kFastest) || !AtEnd(number)) return false;
  }
  return s_.SetSpeed(factor);
}

// "autopilot on [verbose] | off".
bool GameScript::Pilot(std::istream& in) {
  bool on = false;
  std::string how;
  if (!OnOff(in, on)) return false;
  if ((in >> how) && how != "verbose") return false;
  s_.SetAutopilot(on, how == "verbose");
  return true;
}

// "solver on [brief] [plan] [lookahead MS] [watch] [verbose] | off"; brief: the cheaper
// solver that proves the levels; plan: it plans the whole level first; watch: it looks
// ahead, never acts.
bool GameScript::SolverLine(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  SolverOptions options;
  bool verbose = false, brief = false;
  int lookahead = -1;
  std::string word;
  while (in >> word) {
    if (word == "lookahead" && lookahead < 0 && Number(in, lookahead, 0, 600000)) continue;
    if (word == "brief" && !brief) {
      brief = true;
      continue;
    }
    if (word == "plan" && !options.plans) {
      options.plans = true;
      continue;
    }
    if (word == "watch" && options.acts) {
      options.acts = false;
      continue;
    }
    if (word != "verbose" || verbose) return false;
    verbose = true;
  }
  if (brief) {
    const bool acts = options.acts, plans = options.plans;
    options = SolverOptions::Brief();
    options.acts = acts;
    options.plans = plans;
  }
  if (lookahead >= 0) options.lookahead = lookahead;
  s_.SetSolver(on, options, verbose);
  return true;
}

// ---------------------------------------------------------------- replays

// "record on|off": the levels played from now on are recorded into replays/ of the
// working folder.
bool GameScript::Record(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  s_.Record(on ? kReplaysFolder : "");
  return true;
}

// "replay FILE [to UPDATE]": the replay watched, quietly, to its end or to UPDATE (then
// "run" plays it on and "key t" takes it over).
bool GameScript::Replay(std::istream& in) {
  std::string path, word;
  int stop = INT32_MAX;
  if (!(in >> path)) return false;
  if (!AtEnd(in) && (!(in >> word) || word != "to" || !Number(in, stop, 0, INT32_MAX))) {
    return false;
  }
  ::Replay replay;
  std::string error;
  if (!ReadReplayFile(path, replay, error)) {
    std::printf("replay %s: %s\n", script::Printable(path).c_str(), error.c_str());
    return true;
  }
  std::fputs(gamereport::ReplayHeader(path, replay).c_str(), stdout);
  if (!s_.Watch(std::move(replay), error) || !s_.WatchTo(stop, error)) {
    std::printf("replay %s: %s\n", script::Printable(path).c_str(), error.c_str());
    return true;
  }
  if (s_.Watching()) {
    std::printf("replay watched to update %d\n", s_.GetGame().LevelUpdate());
  } else {
    std::fputs(gamereport::ReplayEnd(s_).c_str(), stdout);
  }
  return true;
}

// ---------------------------------------------------------------- settings

bool GameScript::Seed(std::istream& in) {
  long long seed = 0;
  if (!(in >> seed) || seed < 0 || seed > 0xFFFFFFFFLL) return false;
  rnd::SetRunSeed(static_cast<unsigned>(seed));
  return true;
}

bool GameScript::Player(std::istream& in) {
  std::string name;
  if (!(in >> name)) return false;
  Globals().PlayerName = name;
  return true;
}

bool GameScript::ShowTips(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  Globals().ShowTips = on;
  return true;
}

// "actpaused on|off": clicks and keys act while the game is paused, and only Space ends
// the pause (the options' ACT IN PAUSE).
bool GameScript::InPause(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  Globals().ActWhilePaused = on;
  return true;
}

// "lockmarks on|off": the options' LOCK MARKS.
bool GameScript::LockMark(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  Globals().LockMarks = on;
  return true;
}

bool GameScript::Sounds(std::istream& in) {
  bool on = false;
  if (!OnOff(in, on)) return false;
  s_.Log().sounds = on;
  return true;
}

// "money N": sets the balance (a test's shortcut to a given balance).
bool GameScript::Money(std::istream& in) {
  int money = 0;
  if (!Number(in, money, 0, 2000000000) || !s_.HasGame()) return false;
  s_.GetGame().MoneyCounter = money;
  return true;
}
