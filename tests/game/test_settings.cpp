// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/Files.h"
#include "core/LParams.h"
#include "game/Settings.h"

namespace {

class SettingsFile : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ot_settings_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ASSERT_TRUE(core::CreateFolder(dir_ + "/save"));
    ASSERT_TRUE(core::CreateFolder(dir_ + "/savep"));
    file_ = dir_ + "/save/globals.sav";
    saved_ = dir_ + "/savep/";
  }
  void TearDown() override {
    for (const char* sub : {"/save", "/savep"}) {
      for (const std::string& n : core::ListFolder(dir_ + sub))
        std::remove((dir_ + sub + "/" + n).c_str());
      ::rmdir((dir_ + sub).c_str());
    }
    ::rmdir(dir_.c_str());
  }
  void MakeSavedGames() {
    std::ofstream(saved_ + "ManagerPUZZLE.sav") << "x";
    std::ofstream(saved_ + "ManagerCLASSIC.sav") << "y";
  }
  std::vector<std::pair<std::string, std::string>> StoredEntries() {
    LParams reader;
    EXPECT_TRUE(reader.OpenRead(file_));
    auto entries = reader.Entries();
    reader.Close();
    return entries;
  }

  std::string dir_, file_, saved_;
  LParams store_;
};

Settings Changed() {
  Settings s;
  s.PlayerName = "Ann Lee";
  s.SoundVolume = 100;
  s.MusicVolume = 7;
  s.AutoSave = false;
  s.Speed = 2;
  s.KindGame = 3;
  s.DirectSound = false;
  s.FullScreen = false;
  s.SoundOn = false;
  s.MusicOn = false;
  s.DontShowBeginHelp = true;
  s.MainWindowPosX = 120;
  s.MainWindowPosY = 30;
  s.MaxLevelPuzzle = 4;
  s.MaxLevelStrateg = 2;
  s.ShowTips = false;
  s.GameType = 0;
  s.ColourSymbols = true;
  s.WindowScale = 3;
  s.WindowScaleSmooth = true;
  s.ActWhilePaused = true;
  s.LockMarks = false;
  return s;
}

// A first start writes the defaults: full screen, middle volumes, the Puzzle
// game, the window not placed yet; keys in their fixed order, most of them
// carrying the prefix twice.
TEST_F(SettingsFile, DefaultsAreWrittenInTheFixedOrderWithTheDoubledPrefix) {
  Settings s;
  ASSERT_TRUE(SaveSettingsFile(store_, s, file_));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Globals.ver", "1.0"},
      {"Globals.Globals.PlayerName", "Manager"},
      {"Globals.Globals.SoundVolume", "64"},
      {"Globals.Globals.MusicVolume", "64"},
      {"Globals.Globals.AutoSave", "1"},
      {"Globals.Globals.Speed", "0"},
      {"Globals.Globals.KindGame", "0"},
      {"Globals.Globals.DirectSound", "1"},
      {"Globals.Globals.FullScreen", "1"},
      {"Globals.Globals.SoundOn", "1"},
      {"Globals.Globals.MusicOn", "1"},
      {"Globals.Globals.DontShowBeginHelp", "0"},
      {"Globals.Globals.MainWindowPosX", "-1"},
      {"Globals.Globals.MainWindowPosY", "-1"},
      {"Globals.Globals.MaxLevelPuzzle", "0"},
      {"Globals.Globals.MaxLevelStrateg", "0"},
      {"Globals.Globals.ShowTips", "1"},
      {"Globals.Globals.ColourSymbols", "0"},
      {"Globals.Globals.WindowScale", "0"},
      {"Globals.Globals.WindowScaleSmooth", "0"},
      {"Globals.GameType", "1"},
  };
  EXPECT_EQ(StoredEntries(), expected);
}

TEST_F(SettingsFile, RoundTripRestoresEveryValue) {
  Settings written = Changed();
  written.Version = "2.5\n";
  ASSERT_TRUE(SaveSettingsFile(store_, written, file_));
  MakeSavedGames();
  Settings read;
  read.Version = "2.5\n";
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::Loaded);
  EXPECT_EQ(read.PlayerName, "Ann Lee");
  EXPECT_EQ(read.SoundVolume, 100);
  EXPECT_EQ(read.MusicVolume, 7);
  EXPECT_FALSE(read.AutoSave);
  EXPECT_EQ(read.Speed, 2);
  EXPECT_EQ(read.KindGame, 3);
  EXPECT_FALSE(read.DirectSound || read.FullScreen || read.SoundOn || read.MusicOn);
  EXPECT_TRUE(read.DontShowBeginHelp);
  EXPECT_EQ(read.MainWindowPosX, 120);
  EXPECT_EQ(read.MainWindowPosY, 30);
  EXPECT_EQ(read.MaxLevelPuzzle, 4);
  EXPECT_EQ(read.MaxLevelStrateg, 2);
  EXPECT_FALSE(read.ShowTips);
  EXPECT_EQ(read.GameType, 0);
  EXPECT_TRUE(read.ColourSymbols && read.WindowScaleSmooth);
  EXPECT_EQ(read.WindowScale, 3);
  EXPECT_TRUE(read.ActWhilePaused);
  EXPECT_FALSE(read.LockMarks);
  EXPECT_EQ(core::ListFolder(saved_).size(), 2u) << "same version keeps the saved games";
}

TEST_F(SettingsFile, AnotherVersionKeepsDefaultsAndEmptiesSavedGames) {
  Settings old = Changed();
  old.Version = "0.9";
  ASSERT_TRUE(SaveSettingsFile(store_, old, file_));
  MakeSavedGames();
  Settings read;
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::OtherVersion);
  EXPECT_EQ(read.PlayerName, "Manager");
  EXPECT_TRUE(read.FullScreen);
  EXPECT_EQ(read.GameType, 1);
  EXPECT_TRUE(core::ListFolder(saved_).empty());
}

TEST_F(SettingsFile, VersionMustMatchByteForByte) {
  Settings old;
  old.Version = "1.0\n";
  ASSERT_TRUE(SaveSettingsFile(store_, old, file_));
  Settings read;
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::OtherVersion);
}

TEST_F(SettingsFile, MissingOrDamagedFileKeepsDefaultsAndSavedGames) {
  MakeSavedGames();
  Settings read;
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::NoFile);
  std::ofstream(file_) << "not a sealed document at all";
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::NoFile);
  EXPECT_EQ(read.PlayerName, "Manager");
  EXPECT_EQ(read.SoundVolume, 64);
  EXPECT_EQ(core::ListFolder(saved_).size(), 2u);
}

TEST_F(SettingsFile, MissingValuesKeepTheirDefaults) {
  ASSERT_TRUE(store_.OpenWrite(file_));
  std::string ver = "1.0", name = "Bo";
  int32_t volume = 10;
  store_.Text("Globals.", "ver", ver, kSave);
  store_.Text("Globals.", "Globals.PlayerName", name, kSave);
  store_.Long("Globals.", "Globals.MusicVolume", volume, kSave);
  ASSERT_TRUE(store_.Close());
  Settings read;
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::Loaded);
  EXPECT_EQ(read.PlayerName, "Bo");
  EXPECT_EQ(read.MusicVolume, 10);
  EXPECT_EQ(read.SoundVolume, 64);
  EXPECT_EQ(read.GameType, 1);
  EXPECT_TRUE(read.FullScreen);
  EXPECT_FALSE(read.ColourSymbols || read.WindowScaleSmooth) << "a file from before them";
  EXPECT_EQ(read.WindowScale, 0);
}

TEST_F(SettingsFile, OutOfRangeValuesFallBackToDefaults) {
  Settings bad = Changed();
  bad.SoundVolume = 4000;
  bad.MusicVolume = -5;
  bad.MaxLevelPuzzle = 99;
  bad.Speed = -7;
  bad.KindGame = 1000;
  bad.GameType = 2;
  bad.MainWindowPosX = 2000000000;
  bad.MainWindowPosY = -20;
  bad.WindowScale = 5;
  ASSERT_TRUE(SaveSettingsFile(store_, bad, file_));
  Settings read;
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadSettingsFile(store_, read, file_, saved_), SettingsRead::Loaded);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(read.SoundVolume, 64);
  EXPECT_EQ(read.MusicVolume, 64);
  EXPECT_EQ(read.MaxLevelPuzzle, 0);
  EXPECT_EQ(read.MaxLevelStrateg, 2);
  EXPECT_EQ(read.Speed, 0);
  EXPECT_EQ(read.KindGame, 0);
  EXPECT_EQ(read.GameType, 1);
  EXPECT_EQ(read.MainWindowPosX, -1);
  EXPECT_EQ(read.MainWindowPosY, -1);
  EXPECT_EQ(read.WindowScale, 0);
  for (const char* name :
       {"Globals.Globals.SoundVolume", "Globals.Globals.Speed", "Globals.Globals.WindowScale",
        "Globals.Globals.KindGame", "Globals.GameType", "Globals.Globals.MainWindowPosX",
        "Globals.Globals.MainWindowPosY"}) {
    EXPECT_NE(log.find(std::string(name) + " out of range"), std::string::npos) << name;
  }
}

TEST_F(SettingsFile, UnwritableFileSavesNothing) {
  Settings s;
  EXPECT_FALSE(SaveSettingsFile(store_, s, dir_ + "/no-such-folder/globals.sav"));
}

}  // namespace
