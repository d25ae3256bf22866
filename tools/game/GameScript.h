// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The script language of ot-game: one command per line drives a whole game as a
// player and the in-game screen would (the commands are listed in tools/README.md).
#include <istream>
#include <map>
#include <string>

#include "tools/game/GameSession.h"

class GameScript {
 public:
  explicit GameScript(GameSession& session) : s_(session) {}
  // Runs one line (without its comment); false when it cannot be understood.
  bool Line(const std::string& line);

 private:
  using Command = bool (GameScript::*)(std::istream&);
  static const std::map<std::string, Command>& Commands();

  // The game and its files.
  bool NewGame(std::istream& in);
  bool NewFileGame(std::istream& in);
  bool NewPackLevelGame(std::istream& in);
  bool Show(std::istream& in);
  bool Save(std::istream& in);
  bool Load(std::istream& in);
  bool SaveFile(std::istream& in);
  bool Folder(std::istream& in);
  bool Run(std::istream& in);
  bool Until(std::istream& in);
  bool Print(std::istream& in);
  bool Snapshot(std::istream& in);
  bool Compare(std::istream& in);
  // The player's input and the dialogs.
  bool Mouse(std::istream& in);
  bool Click(std::istream& in);
  bool RightClick(std::istream& in);
  bool Wheel(std::istream& in);
  bool Key(std::istream& in);
  bool Button(std::istream& in);
  bool Close(std::istream& in);
  bool Pilot(std::istream& in);
  bool SolverLine(std::istream& in);
  bool Speed(std::istream& in);
  // Replays.
  bool Record(std::istream& in);
  bool Replay(std::istream& in);
  // Settings and set-up values.
  bool Seed(std::istream& in);
  bool Player(std::istream& in);
  bool ShowTips(std::istream& in);
  bool Sounds(std::istream& in);
  bool InPause(std::istream& in);
  bool LockMark(std::istream& in);
  bool Money(std::istream& in);

  // The game and the whole field as text, for snapshots.
  std::string State();

  GameSession& s_;
  std::map<std::string, std::string> snapshots_;
};
