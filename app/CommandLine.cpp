// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "BuildCommit.h"
#include "core/Random.h"

namespace {

enum class Option {
  kWindowed,
  kFullScreen,
  kPlayer,
  kSeed,
  kColourSymbols,
  kScale,
  kDataDir,
  kHome,
  kReplay,
  kHelp,
  kVersion
};

struct OptionName {
  const char* name;
  Option option;
  bool takesValue;
};

constexpr OptionName kOptions[] = {{"--windowed", Option::kWindowed, false},
                                   {"--fullscreen", Option::kFullScreen, false},
                                   {"--player", Option::kPlayer, true},
                                   {"--seed", Option::kSeed, true},
                                   {"--colour-symbols", Option::kColourSymbols, false},
                                   {"--scale", Option::kScale, true},
                                   {"--data-dir", Option::kDataDir, true},
                                   {"--home", Option::kHome, true},
                                   {"--replay", Option::kReplay, true},
                                   {"--help", Option::kHelp, false},
                                   {"--version", Option::kVersion, false}};

const OptionName* FindOption(const std::string& name) {
  for (const OptionName& entry : kOptions)
    if (name == entry.name) return &entry;
  return nullptr;
}

// What a seed given as source (an option or the variable) must be.
std::string SeedError(const std::string& source, const std::string& value) {
  return source + " needs a whole number from 0 to 4294967295, not '" + ShownText(value) + "'";
}

CommandLine Failure(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::kError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool help = false;
  bool version = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionName* entry = argument.rfind("--", 0) == 0 ? FindOption(name) : nullptr;
    if (entry == nullptr) {
      if (argument.rfind("-", 0) == 0) return Failure("unknown option '" + ShownText(name) + "'");
      return Failure("unexpected argument '" + ShownText(argument) + "'");
    }
    std::string value;
    if (!entry->takesValue) {
      if (equals != std::string::npos) return Failure("option '" + name + "' takes no value");
    } else if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return Failure("option '" + name + "' needs a value");
    }
    StartOptions& o = line.options;
    switch (entry->option) {
      case Option::kWindowed:
        o.fullScreen = false;
        break;
      case Option::kFullScreen:
        o.fullScreen = true;
        break;
      case Option::kPlayer:
        o.player = value;
        break;
      case Option::kSeed:
        o.seed = rnd::ReadSeed(value);
        if (!o.seed) return Failure(SeedError("option '--seed'", value));
        break;
      case Option::kColourSymbols:
        o.colourSymbols = true;
        break;
      case Option::kScale:
        if (value.size() != 1 || value[0] < '0' || value[0] > '4')
          return Failure("option '--scale' needs 0 (the largest that fits) or 1 to 4, not '" +
                         ShownText(value) + "'");
        o.windowScale = value[0] - '0';
        break;
      case Option::kDataDir:
      case Option::kHome:
        if (value.empty()) return Failure("option '" + name + "' needs a folder");
        (entry->option == Option::kHome ? o.homeFolder : o.dataFolder) = value;
        break;
      case Option::kReplay:
        if (value.empty()) return Failure("option '--replay' needs a file");
        o.replayFile = value;
        break;
      case Option::kHelp:
        help = true;
        break;
      case Option::kVersion:
        version = true;
        break;
    }
  }
  if (help)
    line.action = CommandLine::Action::kHelp;
  else if (version)
    line.action = CommandLine::Action::kVersion;
  return line;
}

const char kSeedVariable[] = "OSTREL_TRAINS_SEED";

void ReadSeedVariable(CommandLine& line, const char* value) {
  if (value == nullptr || value[0] == '\0' || line.action != CommandLine::Action::kRun ||
      line.options.seed)
    return;
  line.options.seed = rnd::ReadSeed(value);
  if (!line.options.seed)
    line = Failure(SeedError(std::string("variable '") + kSeedVariable + "'", value));
}

std::string ShownText(const std::string& text) {
  constexpr size_t kLongest = 40;
  size_t end = text.size();
  if (end > kLongest) {
    end = kLongest;
    // Not inside a character of several bytes: back to its first byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  }
  std::string shown = text.substr(0, end);
  for (char& c : shown) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = '?';
  }
  return end < text.size() ? shown + "..." : shown;
}

std::string UsageText() {
  return "Usage: ostrel-trains [OPTION]...\n"
         "A railway puzzle game: throw the switches and set the signals so that every\n"
         "train reaches the town of its own colour.\n"
         "\n"
         "  --windowed        play in a window; kept in the settings, as F4 does\n"
         "  --fullscreen      play in full screen; kept in the settings\n"
         "  --player NAME     play as NAME, with NAME's saved games; kept in the settings\n"
         "  --seed N          seed the random numbers with N (0 to 4294967295), to\n"
         "                    replay a game (instead of OSTREL_TRAINS_SEED, which is\n"
         "                    checked as N is)\n"
         "  --replay FILE     watch a recorded level (a file of replays/); T takes it\n"
         "                    over, Escape ends it\n"
         "  --colour-symbols  show a shape for each colour on trains and towns;\n"
         "                    kept in the settings\n"
         "  --scale K         draw the window K times as large (1 to 4), or as large as\n"
         "                    fits the desktop (0); kept in the settings\n"
         "  --data-dir DIR    read the game data (data.dat or Dat/) from DIR\n"
         "                    (instead of OSTREL_TRAINS_DATA)\n"
         "  --home DIR        keep the settings, saved games and log in DIR\n"
         "                    (instead of OSTREL_TRAINS_HOME)\n"
         "  --help            show this help and exit\n"
         "  --version         show the version and the build's commit and exit\n"
         "\n"
         "An option's value may also follow an equals sign: --seed=5.\n"
         "Without a display the game ends unless SDL_VIDEODRIVER names a video driver\n"
         "(SDL_VIDEODRIVER=dummy runs it without a window).\n";
}

std::string VersionText(const std::string& gameVersion) {
  return "Ostrel Trains " + gameVersion + "\ncommit " + OT_BUILD_COMMIT + "\n";
}
