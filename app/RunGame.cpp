#include "app/Frame.h"
#include "app/GameContent.h"
#include "app/VideoDevice.h"
#include "engine/LArchive.h"
#include "engine/Log.h"
#include "platform/Folders.h"
#include "platform/Signals.h"

int RunGame() {
  platform::InstallQuitSignals();
  const std::string resources = platform::FindResourceFolder();
  const std::string working =
      platform::ChooseWorkingFolder(platform::CurrentFolderFacts(resources));
  if (!platform::EnterWorkingFolder(working)) return 1;
  RedirectLogStreams(".");
  // Without data.dat, the loose Dat/ folder is read where the resources are.
  Archive().SetLooseRoot(resources);

  platform::SdlClock clock;
  platform::SdlEventSource events;
  platform::SystemDesktop desktop;
  SdlVideoDevice video;
  GameContent content;
  Frame frame(FrameParts{clock, events, desktop, video, content, resources});
  return frame.Run();
}
