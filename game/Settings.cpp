// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Settings.h"

#include <cstdio>

#include "core/Files.h"
#include "core/LParams.h"
#include "platform/Folders.h"

const char kSettingsPrefix[] = "Globals.";
const char kSettingsFile[] = "save/globals.sav";
const char kSavedGamesFolder[] = "savep/";

namespace {

// One value in either direction; a value that is missing on load keeps what the
// record held (the store is asked through a copy, so it cannot touch the field).
template <typename T, typename Op>
bool Value(core::ValueStore& store, const char* name, T& field, int direction, Op op) {
  T value = field;
  const bool found = (store.*op)(kSettingsPrefix, name, value, direction, false);
  if (direction == kLoad && found) field = value;
  return found;
}

// The largest windowed scale the player can choose.
constexpr int32_t kLargestWindowScale = 4;

// No desktop is wider or taller than this; a position beyond it is damage.
constexpr int32_t kLargestDesktop = 32767;

// Keeps a loaded value inside the range the game can use; a value outside it
// (a damaged or hand-edited file) is replaced by the default, with a log line.
void Limit(int32_t& field, int32_t low, int32_t high, int32_t fallback, const char* name) {
  if (field >= low && field <= high) return;
  std::fprintf(stderr, "Warning: settings value %s%s out of range: %ld\n", kSettingsPrefix, name,
               static_cast<long>(field));
  field = fallback;
}

}  // namespace

void Settings::LimitValues() {
  Limit(SoundVolume, 0, 128, 64, "Globals.SoundVolume");
  Limit(MusicVolume, 0, 128, 64, "Globals.MusicVolume");
  // The game never changes these two; it keeps any single-digit value it finds.
  Limit(Speed, 0, 9, 0, "Globals.Speed");
  Limit(KindGame, 0, 9, 0, "Globals.KindGame");
  // A window position is -1 (centred) or a place the window can be dragged to; which
  // places lie on the desktop is decided when the window is placed.
  Limit(MainWindowPosX, -kLargestDesktop, kLargestDesktop, -1, "Globals.MainWindowPosX");
  Limit(MainWindowPosY, -1, kLargestDesktop, -1, "Globals.MainWindowPosY");
  Limit(MaxLevelPuzzle, 0, 5, 0, "Globals.MaxLevelPuzzle");
  Limit(MaxLevelStrateg, 0, 5, 0, "Globals.MaxLevelStrateg");
  Limit(GameType, 0, 1, 1, "GameType");
  Limit(WindowScale, 0, kLargestWindowScale, 0, "Globals.WindowScale");
}

bool Settings::Exchange(core::ValueStore& s, int d) {
  bool all = true;
  all &= Value(s, "Globals.PlayerName", PlayerName, d, &core::ValueStore::Text);
  all &= Value(s, "Globals.SoundVolume", SoundVolume, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.MusicVolume", MusicVolume, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.AutoSave", AutoSave, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.Speed", Speed, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.KindGame", KindGame, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.DirectSound", DirectSound, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.FullScreen", FullScreen, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.SoundOn", SoundOn, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.MusicOn", MusicOn, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.DontShowBeginHelp", DontShowBeginHelp, d, &core::ValueStore::Bool);
  all &= Value(s, "Globals.MainWindowPosX", MainWindowPosX, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.MainWindowPosY", MainWindowPosY, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.MaxLevelPuzzle", MaxLevelPuzzle, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.MaxLevelStrateg", MaxLevelStrateg, d, &core::ValueStore::Long);
  all &= Value(s, "Globals.ShowTips", ShowTips, d, &core::ValueStore::Bool);
  Value(s, "Globals.ColourSymbols", ColourSymbols, d, &core::ValueStore::Bool);
  Value(s, "Globals.WindowScale", WindowScale, d, &core::ValueStore::Long);
  Value(s, "Globals.WindowScaleSmooth", WindowScaleSmooth, d, &core::ValueStore::Bool);
  if (d == kLoad || PackGame) Value(s, "Globals.PackGame", PackGame, d, &core::ValueStore::Bool);
  if (d == kLoad || ActWhilePaused)
    Value(s, "Globals.ActWhilePaused", ActWhilePaused, d, &core::ValueStore::Bool);
  if (d == kLoad || !LockMarks)
    Value(s, "Globals.LockMarks", LockMarks, d, &core::ValueStore::Bool);
  if (d == kLoad) LimitValues();
  return all;
}

Settings& Globals() {
  static Settings settings;
  return settings;
}

void DeleteSavedGames(const std::string& savedGamesFolder) {
  for (const std::string& name : core::ListFolder(savedGamesFolder))
    core::DeleteFile(platform::JoinPath(savedGamesFolder, name));
}

SettingsRead LoadSettingsFile(LParams& store, Settings& settings, const std::string& path,
                              const std::string& savedGamesFolder) {
  if (!store.OpenRead(path)) return SettingsRead::NoFile;
  std::string stored;
  const bool haveVersion = store.Text(kSettingsPrefix, "ver", stored, kLoad, false);
  const bool sameVersion = haveVersion && stored == settings.Version;
  if (sameVersion) {
    Value(store, "GameType", settings.GameType, kLoad, &core::ValueStore::Long);
    settings.Exchange(store, kLoad);
  }
  store.Close();
  if (sameVersion) return SettingsRead::Loaded;
  DeleteSavedGames(savedGamesFolder);
  return SettingsRead::OtherVersion;
}

bool SaveSettingsFile(LParams& store, Settings& settings, const std::string& path) {
  if (!store.OpenWrite(path)) return false;
  Value(store, "ver", settings.Version, kSave, &core::ValueStore::Text);
  settings.Exchange(store, kSave);
  Value(store, "GameType", settings.GameType, kSave, &core::ValueStore::Long);
  return store.Close();
}
