// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's command line: what the player chose for this run. Without options
// every choice is left open and the game starts as it always does.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct StartOptions {
  std::optional<bool> fullScreen;      // --fullscreen / --windowed, kept in the settings
  std::optional<std::string> player;   // --player, as given (the frame checks it)
  std::optional<uint32_t> seed;        // --seed, else OSTREL_TRAINS_SEED
  std::optional<bool> colourSymbols;   // --colour-symbols, kept in the settings
  std::optional<int32_t> windowScale;  // --scale K (0 automatic, 1..4), kept in the settings
  std::string dataFolder;              // --data-dir; empty: OSTREL_TRAINS_DATA or the usual search
  std::string homeFolder;              // --home; empty: OSTREL_TRAINS_HOME or the usual choice
  std::string replayFile;              // --replay: a recorded level to watch
};

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  StartOptions options;
  std::string error;  // for kError: one line, without the program name
};

// Reads the arguments after the program name. Options take "--name value" or
// "--name=value"; a later option of the same kind wins. The first unknown option,
// missing value or bad number makes the result kError; otherwise --help wins over
// --version, and both over running.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The environment variable that seeds a run started without --seed.
extern const char kSeedVariable[];

// Reads the seed variable's value (null or empty when it is not set) into a line that
// is to run without --seed, exactly as --seed is read: a value --seed would refuse
// makes the line kError, naming the variable. Other lines do not use the variable and
// keep their action.
void ReadSeedVariable(CommandLine& line, const char* value);

// A text the player gave, fit for one line of a message: control characters shown
// as '?', and a text longer than 40 bytes cut there (on a character boundary) with
// "..." after it.
std::string ShownText(const std::string& text);

// The usage text, ending with a line break.
std::string UsageText();

// The --version text: the game's version text and the commit the program was built
// from, ending with a line break.
std::string VersionText(const std::string& gameVersion);
