// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>

#include "app/CommandLine.h"
#include "core/LParams.h"
#include "tests/app/FrameHarness.h"

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ReadsEachOptionInBothFormsAndNoOptionsChooseNothing) {
  const CommandLine none = ParseCommandLine({});
  EXPECT_EQ(none.action, Action::kRun);
  EXPECT_FALSE(none.options.fullScreen || none.options.player || none.options.seed ||
               none.options.colourSymbols || none.options.windowScale);
  EXPECT_TRUE(none.options.dataFolder.empty() && none.options.homeFolder.empty());

  const CommandLine all =
      ParseCommandLine({"--fullscreen", "--player", "Ann/Lee", "--seed=5", "--data-dir", "data",
                        "--home=/h", "--windowed", "--colour-symbols", "--scale", "3"});
  ASSERT_EQ(all.action, Action::kRun) << all.error;
  EXPECT_EQ(all.options.fullScreen, false) << "the later of the two wins";
  EXPECT_EQ(all.options.player, "Ann/Lee") << "as given; the saved game's file name is cleaned";
  EXPECT_EQ(all.options.seed, 5u);
  EXPECT_EQ(all.options.dataFolder, "data");
  EXPECT_EQ(all.options.homeFolder, "/h");
  EXPECT_EQ(all.options.colourSymbols, true);
  EXPECT_EQ(all.options.windowScale, 3);
  EXPECT_EQ(ParseCommandLine({"--scale=0"}).options.windowScale, 0) << "the largest that fits";
  EXPECT_EQ(ParseCommandLine({"--seed", "4294967295"}).options.seed, 4294967295u);

  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::kVersion);
  EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::kHelp);
  EXPECT_NE(UsageText().find("--data-dir DIR"), std::string::npos);
  EXPECT_EQ(VersionText("1.0").rfind("Ostrel Trains 1.0\ncommit ", 0), 0u);
}

TEST(CommandLine, WhatItCannotReadIsAnErrorNamingTheCulprit) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-h"}, "unknown option '-h'"},
      {{"--help", "stray"}, "unexpected argument 'stray'"},
      {{"--player"}, "option '--player' needs a value"},
      {{"--seed", "12x"}, "not '12x'"},
      {{"--seed=4294967296"}, "not '4294967296'"},
      {{"--seed=-1"}, "not '-1'"},
      {{"--windowed=yes"}, "option '--windowed' takes no value"},
      {{"--scale", "5"}, "not '5'"},
      {{"--scale=2x"}, "not '2x'"},
      {{"--colour-symbols=1"}, "takes no value"},
      {{"--home="}, "option '--home' needs a folder"},
      {{"--scale", "\x1b[2J"}, "not '?[2J'"},
      {{std::string(60, 'x')}, "unexpected argument '" + std::string(40, 'x') + "...'"}};
  for (const auto& [arguments, error] : cases) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.action, Action::kError) << arguments[0];
    EXPECT_NE(line.error.find(error), std::string::npos) << line.error;
  }
}

// The variable is read as --seed is, so a value --seed refuses is refused with the same
// words and the same exit status; it is only read for a run without --seed.
TEST(CommandLine, TheSeedVariableIsReadAsTheSeedOption) {
  CommandLine line = ParseCommandLine({"--windowed"});
  ReadSeedVariable(line, "42");
  EXPECT_EQ(line.options.seed, 42u);
  for (const char* bad : {"-5", "999999999999999999999999", "12x"}) {
    line = ParseCommandLine({"--windowed"});
    ReadSeedVariable(line, bad);
    EXPECT_EQ(line.action, Action::kError) << bad;
    EXPECT_EQ(line.error, std::string("variable 'OSTREL_TRAINS_SEED' needs a whole number from 0 "
                                      "to 4294967295, not '") +
                              bad + "'");
  }
  line = ParseCommandLine({"--seed=5"});
  ReadSeedVariable(line, "-5");
  EXPECT_EQ(line.action, Action::kRun) << "the option wins";
  EXPECT_EQ(line.options.seed, 5u);
  line = ParseCommandLine({"--help"});
  ReadSeedVariable(line, "-5");
  EXPECT_EQ(line.action, Action::kHelp);
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    line = ParseCommandLine({});
    ReadSeedVariable(line, unset);
    EXPECT_EQ(line.action, Action::kRun);
    EXPECT_FALSE(line.options.seed) << "the clock seeds the run";
  }
}

// The stored settings say full screen and another player; the command line wins
// for this run, and the settings file keeps its choices.
TEST_F(FrameTest, StartOptionsOverrideTheStoredSettingsAndSeedTheRun) {
  Globals().FullScreen = true;
  Globals().PlayerName = "Bob";
  Globals().Version = "2.1 test\n";
  std::filesystem::create_directory("save");
  ASSERT_TRUE(SaveSettingsFile(Params(), Globals()));
  Globals() = Settings{};
  StartOptions options;
  options.fullScreen = false;
  options.player = "Ann Lee";
  options.seed = 5;
  options.colourSymbols = true;
  options.windowScale = 2;
  desktop_.width = 2560;  // a window at scale 2 fits
  desktop_.height = 1440;
  clock_.Set(1000);
  frame_ = std::make_unique<Frame>(
      FrameParts{clock_, events_, desktop_, video_, content_, dir_, options});
  testing::internal::CaptureStderr();
  const int status = frame_->StartUp();
  const std::string log = testing::internal::GetCapturedStderr();
  ASSERT_EQ(status, -1);
  ASSERT_FALSE(video_.modes.empty());
  EXPECT_TRUE(video_.modes[0].flags & SDL_NOFRAME) << "started in a window";
  EXPECT_NE(log.find("Random seed: 5\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("player name"), std::string::npos) << log;

  EXPECT_EQ(frame_->ShutDown(), 0);
  const auto saved = SavedSettings();
  EXPECT_EQ(Value(saved, "Globals.Globals.FullScreen"), "0");
  EXPECT_EQ(Value(saved, "Globals.Globals.PlayerName"), "Ann Lee");
  EXPECT_EQ(Value(saved, "Globals.Globals.ColourSymbols"), "1");
  EXPECT_EQ(Value(saved, "Globals.Globals.WindowScale"), "2");
}

// A name that cannot name a saved game, given on the command line or written into the
// settings file by hand, would silently read and overwrite the default player's saved
// games: the log and the terminal say so, showing the name shortened and without its
// control characters, and the game plays and saves as "Manager".
TEST_F(FrameTest, APlayerNameThatCannotNameASavedGamePlaysAsManagerAndSaysSo) {
  std::filesystem::create_directory("save");
  struct Case {
    std::optional<std::string> option;
    std::string stored;
    std::string shown;
  };
  const Case cases[] = {
      {"...", "Bob", "..."},
      {"", "Bob", ""},
      {std::nullopt, "\x1b[2J" + std::string(96, 'x'), "?[2J" + std::string(36, 'x') + "..."}};
  for (const Case& c : cases) {
    Globals() = Settings{};
    Globals().PlayerName = c.stored;
    Globals().Version = "2.1 test\n";
    ASSERT_TRUE(SaveSettingsFile(Params(), Globals()));
    Globals() = Settings{};
    StartOptions options;
    options.player = c.option;
    frame_ = std::make_unique<Frame>(
        FrameParts{clock_, events_, desktop_, video_, content_, dir_, options});
    testing::internal::CaptureStderr();
    const int status = frame_->StartUp();
    const std::string log = testing::internal::GetCapturedStderr();
    ASSERT_EQ(status, -1);
    EXPECT_NE(log.find("Warning: the player name \"" + c.shown +
                       "\" cannot name a saved game; playing as \"Manager\".\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(frame_->ShutDown(), 0);
    EXPECT_EQ(Value(SavedSettings(), "Globals.Globals.PlayerName"), "Manager");
    frame_.reset();
    SDL_Quit();
  }
}

}  // namespace
