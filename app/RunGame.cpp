#include <unistd.h>

#include <cstdio>

#include "app/Frame.h"
#include "app/GameContent.h"
#include "app/VideoDevice.h"
#include "engine/Log.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Signals.h"

namespace {

// Loose resource files are read by their relative names ("Dat/..."). When the
// working folder is not the resource folder and there is no archive, a link
// named "Dat" in the working folder leads those names to the resources.
void LinkLooseResources(const std::string& resourceFolder, const std::string& workingFolder) {
  if (resourceFolder == workingFolder) return;
  if (platform::IsFile(platform::JoinPath(resourceFolder, platform::kArchiveName))) return;
  const std::string target = platform::JoinPath(resourceFolder, "Dat");
  if (!platform::IsFolder(target)) return;
  char existing[4096];
  const ssize_t n = ::readlink("Dat", existing, sizeof existing - 1);
  if (n >= 0) {
    existing[n] = '\0';
    if (target == existing) return;
    ::unlink("Dat");  // a link left by an earlier installation
  } else if (platform::IsFolder("Dat")) {
    return;  // the player's own loose files
  }
  if (::symlink(target.c_str(), "Dat") != 0)
    std::fprintf(stderr, "Error: cannot link the resource folder %s\n", target.c_str());
}

}  // namespace

int RunGame() {
  platform::InstallQuitSignals();
  const std::string resources = platform::FindResourceFolder();
  const std::string working =
      platform::ChooseWorkingFolder(platform::CurrentFolderFacts(resources));
  if (!platform::EnterWorkingFolder(working)) return 1;
  RedirectLogStreams(".");
  LinkLooseResources(resources, working);

  platform::SdlClock clock;
  platform::SdlEventSource events;
  platform::SystemDesktop desktop;
  SdlVideoDevice video;
  GameContent content;
  Frame frame(FrameParts{clock, events, desktop, video, content, resources});
  return frame.Run();
}
