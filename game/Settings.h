// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's settings: one record for the whole program, filled with the
// defaults at start, read from "save/globals.sav" once at start and written
// back once at exit.
#include <cstdint>
#include <string>

class LParams;
namespace core {
class ValueStore;
}

// Prefix of every settings key.
extern const char kSettingsPrefix[];
// The settings file and the folder of saved games, relative to the working folder.
extern const char kSettingsFile[];
extern const char kSavedGamesFolder[];

struct Settings {
  int32_t SoundVolume = 64;
  int32_t MusicVolume = 64;
  bool AutoSave = true;
  bool ShowTips = true;
  int32_t Speed = 0;
  int32_t KindGame = 0;
  bool DirectSound = true;
  bool FullScreen = true;
  bool SoundOn = true;
  bool MusicOn = true;
  bool DontShowBeginHelp = false;
  std::string PlayerName = "Manager";
  std::string Version = "1.0";  // stored as "ver"
  int32_t GameType = 1;         // 0 Classic game, 1 Puzzle game
  int32_t MainWindowPosX = -1;
  int32_t MainWindowPosY = -1;
  int32_t MaxLevelPuzzle = 0;
  int32_t MaxLevelStrateg = 0;
  // Optional values: a file without them loads as before and gets them on the next save.
  bool ColourSymbols = false;      // a shape for each colour on trains and towns
  int32_t WindowScale = 0;         // windowed scale: 0 the largest that fits, 1..4 fixed
  bool WindowScaleSmooth = false;  // scale smoothly instead of doubling pixels
  // The player was last in a level of a level pack: the game resumes its own saved game.
  // Written only while on, so that a player who never plays a pack keeps the same file.
  bool PackGame = false;
  // Help for the player, each written only while it differs from its default, so that a
  // player who never changes them keeps the same file.
  bool ActWhilePaused = false;  // clicks act while the game is paused; Space ends the pause
  bool LockMarks = true;        // a refused click on a locked switch shows a lock mark

  // The "Globals.Globals.X" values in their fixed order (all but the version
  // and the game type), in one direction (kSave or kLoad). Loading keeps the
  // current value of every missing key; the result is false when any was missing,
  // the optional values aside.
  bool Exchange(core::ValueStore& store, int direction);

  // Puts values that lie outside their range back to their defaults, with a warning
  // in the log: volumes 0..128, Speed and KindGame 0..9, window positions -1 or up to
  // 32767 (x also down to -32767), best levels 0..5, GameType 0 or 1, WindowScale 0..4.
  void LimitValues();
};

// The program-wide record.
Settings& Globals();

// What reading the settings file found.
enum class SettingsRead {
  NoFile,        // missing or unreadable: the defaults stay
  Loaded,        // same version: the stored values were read
  OtherVersion,  // another (or no) version: the defaults stay, savep/ was emptied
};

// Reads the settings file into settings when its stored version equals
// settings.Version exactly; otherwise deletes every file in the saved-games folder.
SettingsRead LoadSettingsFile(LParams& store, Settings& settings,
                              const std::string& path = kSettingsFile,
                              const std::string& savedGamesFolder = kSavedGamesFolder);

// Writes "ver", the other values and "GameType" into the settings file.
// False when the file could not be opened or written; nothing is saved then.
bool SaveSettingsFile(LParams& store, Settings& settings, const std::string& path = kSettingsFile);

// Empties the saved-games folder (every entry but "." and "..").
void DeleteSavedGames(const std::string& savedGamesFolder = kSavedGamesFolder);
