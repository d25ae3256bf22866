// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/CommandLine.h"
#include "app/Frame.h"
#include "app/GameContent.h"
#include "app/VideoDevice.h"
#include "core/Cipher.h"
#include "core/Files.h"
#include "engine/LArchive.h"
#include "engine/Log.h"
#include "game/PackRoots.h"
#include "game/ReplayFile.h"
#include "platform/Display.h"
#include "platform/Folders.h"
#include "platform/SdlLibrary.h"
#include "platform/Signals.h"
#include "platform/Terminal.h"

namespace {

// The folder named by --data-dir, else by OSTREL_TRAINS_DATA; empty when neither.
std::string NamedResourceFolder(const StartOptions& options) {
  if (!options.dataFolder.empty()) return core::AbsolutePath(options.dataFolder);
  const char* env = std::getenv("OSTREL_TRAINS_DATA");
  return env != nullptr && env[0] != '\0' ? core::AbsolutePath(env) : "";
}

// The version text the game shows ("Dat/ver.txt" of its data), trailing line
// breaks left out; the build's version when the data has none.
std::string GameVersion(const std::string& resources) {
  LArchive archive;
  archive.SetLooseRoot(resources);
  const std::string path = platform::JoinPath(resources, platform::kArchiveName);
  if (core::IsFile(path)) archive.Open(path, kProgramKey, kProgramKeyLength);
  std::string text;
  archive.LoadText("Dat/ver.txt", text);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text.empty() ? OT_PROJECT_VERSION : text;
}

std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

// Answers a bad command line, --help and --version; -1 when the game is to run.
int AnswerWithoutRunning(const CommandLine& line, const std::string& resources) {
  switch (line.action) {
    case CommandLine::Action::kError:
      std::fprintf(stderr, "%s: %s\n%s", platform::kProgramName, line.error.c_str(),
                   UsageText().c_str());
      return 2;
    case CommandLine::Action::kHelp:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::kVersion:
      std::fputs(VersionText(GameVersion(resources)).c_str(), stdout);
      return 0;
    case CommandLine::Action::kRun:
      break;
  }
  return -1;
}

// Enters the working folder: --home, else the usual choice.
bool EnterWorkingFolder(const StartOptions& options, const std::string& resources) {
  platform::FolderFacts facts = platform::CurrentFolderFacts(resources);
  if (!options.homeFolder.empty()) {
    facts.homeOverrideSet = true;
    facts.homeOverride = options.homeFolder;
  }
  return platform::EnterWorkingFolder(platform::ChooseWorkingFolder(facts));
}

// The level packs: those installed with the game data, then the player's own in the
// working folder's levels/ (one root when both are the same folder).
void SetPackRoots(const std::string& resources) {
  const std::string installed = platform::JoinPath(resources, "levels");
  const std::string own = core::AbsolutePath("levels");
  if (core::AbsolutePath(installed) == own) {
    SetLevelPackRoots({"levels"});
  } else {
    SetLevelPackRoots({installed, "levels"});
  }
}

}  // namespace

int RunGame(int argc, char** argv) {
  CommandLine line = ParseCommandLine(Arguments(argc, argv));
  ReadSeedVariable(line, std::getenv(kSeedVariable));
  const std::string named = NamedResourceFolder(line.options);
  const std::string resources = named.empty() ? platform::FindResourceFolder() : named;
  const int answered = AnswerWithoutRunning(line, resources);
  if (answered >= 0) return answered;
  if (!named.empty() && !platform::HasResources(named)) {
    std::fprintf(stderr, "%s: no game data (%s or Dat/) in %s\n", platform::kProgramName,
                 platform::kArchiveName, named.c_str());
    return 1;
  }
  // A replay is read before anything starts: one that cannot be watched ends the run.
  std::optional<Replay> replay;
  if (!line.options.replayFile.empty()) {
    replay.emplace();
    std::string why;
    if (!ReadReplayFile(line.options.replayFile, *replay, why)) {
      // The reader's reason names the file whole, then what is wrong where.
      std::fprintf(stderr, "%s: the replay cannot be watched: %s\n", platform::kProgramName,
                   why.c_str());
      return 1;
    }
  }
  if (!platform::PrepareVideoDriver()) return 1;
  platform::InstallQuitSignals();
  const std::string absoluteResources = core::AbsolutePath(resources);
  if (!EnterWorkingFolder(line.options, resources)) return 1;
  SetPackRoots(absoluteResources);
  RedirectLogStreams(".");
  std::fprintf(stderr, "Game data: %s\n", resources.c_str());
  platform::PrepareVideoLibrary();
  // Without data.dat, the loose Dat/ folder is read where the resources are.
  Archive().SetLooseRoot(resources);

  platform::SdlClock clock;
  platform::SdlEventSource events(clock);
  platform::SystemDesktop desktop;
  SdlVideoDevice video;
  GameContent content;
  if (replay) content.WatchReplay(*replay);
  Frame frame(FrameParts{clock, events, desktop, video, content, resources, line.options});
  const int status = frame.Run();
  return content.ReplayFailed() ? 1 : status;
}
