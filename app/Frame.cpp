// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Frame.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/FrameContent.h"
#include "app/VideoDevice.h"
#include "app/WindowScaler.h"
#include "core/Cipher.h"
#include "core/Files.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "engine/LArchive.h"
#include "engine/LEngine.h"
#include "engine/Log.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "platform/Folders.h"
#include "platform/VideoModeRequest.h"

const char kCaption[] = "Ostrel Trains";

namespace {

constexpr uint32_t kKeyRepeatDelayMs = 500;
constexpr uint32_t kKeyRepeatIntervalMs = 30;

void RegisterVideoShutdown() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  std::atexit(SDL_Quit);
}

// Classic SDL reports success even when no audio driver could start; only a
// named driver shows that one did.
bool StartAudioSystem() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  char name[64] = {};
  return SDL_AudioDriverName(name, sizeof name) != nullptr;
}

}  // namespace

Frame::Frame(FrameParts parts) : parts_(std::move(parts)), settings_(Globals()) {
  platform::SetVideoModeHandler([this] { ChangeVideoMode(); });
}

Frame::~Frame() {
  platform::SetVideoModeHandler(nullptr);
  // A frame left early still takes its screens off the stack before they go.
  if (TopScreen() == intro_.get() || TopScreen() == main_.get()) TopScreen() = nullptr;
}

int Frame::Run() {
  const int status = StartUp();
  if (status >= 0) return status;
  while (LoopPass()) {
  }
  return failureStatus_ >= 0 ? Abandon() : ShutDown();
}

int Frame::StartUp() {
  CipherSetup(ProgramCipher(), reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
  core::CreateFolder("save");
  core::CreateFolder("savep/");
  // The archive's result is not checked: reads from a closed archive look for
  // loose files instead, and fail when those are missing too.
  Archive().Open(platform::JoinPath(parts_.resourceFolder, platform::kArchiveName), kProgramKey,
                 kProgramKeyLength);
  WriteSystemReport();
  ReadVersionText();
  LoadSettingsFile(Params(), settings_);
  ApplyStartOptions();

  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    LogFatal(std::string("Unable to initialize SDL: ") + SDL_GetError(), stdout);
    return 1;
  }
  // Without audio the game runs silently; the content checks AudioAvailable().
  audioAvailable_ = StartAudioSystem();
  if (!audioAvailable_)
    std::fprintf(stderr, "Warning: unable to initialize audio: %s\n", SDL_GetError());
  WriteVideoReport();
  RegisterVideoShutdown();
  SDL_EnableKeyRepeat(kKeyRepeatDelayMs, kKeyRepeatIntervalMs);
  SetWindowIcon();
  SDL_WM_SetCaption(kCaption, kCaption);
  int32_t desktopWidth = 0, desktopHeight = 0;
  if (parts_.desktop.Size(desktopWidth, desktopHeight)) {
    automaticScale_ = AutomaticScale(desktopWidth, desktopHeight);
    FitStoredScale(desktopWidth, desktopHeight);
  }
  if (!SetVideoMode()) return 1;
  platform::ExitWhenDisplayIsLost();
  WriteVideoReport();
  const unsigned seed = parts_.options.seed ? *parts_.options.seed : rnd::ClockSeed();
  rnd::SetRunSeed(seed);
  std::fprintf(stderr, "Random seed: %u\n", seed);

  if (!parts_.content.LoadClipLibrary()) {
    LogFatal("Error init ClipLib.");
    return 1;
  }
  intro_ = parts_.content.CreateIntro(display_);
  if (PicturesFailed()) return Abandon();
  if (intro_) {
    intro_->Show(&TopScreen());
    PresentWhole();
  }
  parts_.content.StartSoundEffects(settings_, audioAvailable_);
  parts_.content.StartMusic(settings_, audioAvailable_);
  lastTick_ = parts_.clock.Now();
  phase_ = Phase::Intro;
  return -1;
}

// The command line's choices replace the stored settings; they are saved with the
// others at exit, as a switch with F4 or a new player's name would be. The player's
// name is then settled, whichever of the two it came from.
void Frame::ApplyStartOptions() {
  if (parts_.options.fullScreen) settings_.FullScreen = *parts_.options.fullScreen;
  if (parts_.options.player) settings_.PlayerName = *parts_.options.player;
  if (parts_.options.colourSymbols) settings_.ColourSymbols = *parts_.options.colourSymbols;
  if (parts_.options.windowScale) {
    // A window of another size than the one whose corner was stored is centred.
    if (*parts_.options.windowScale != settings_.WindowScale) CentreOnNextPlacement();
    settings_.WindowScale = *parts_.options.windowScale;
  }
  SettlePlayerName();
}

// A name that cannot stand in a saved game's file name (empty, dots only, longer than
// 64 bytes), from the command line or a hand-edited settings file, plays as the
// default player. That player's saved games are then read and overwritten, so the
// player is told, and the name shown in the game is the one played as.
void Frame::SettlePlayerName() {
  std::string& name = settings_.PlayerName;
  if (name == Game::kDefaultPlayer || Game::FileNamePart(name) != Game::kDefaultPlayer) return;
  LogWarning("Warning: the player name \"" + ShownText(name) + "\" cannot name a saved game; " +
             "playing as \"" + Game::kDefaultPlayer + "\".");
  name = Game::kDefaultPlayer;
}

// The whole of "Dat/ver.txt", byte for byte, becomes the version text.
void Frame::ReadVersionText() {
  if (!Archive().LoadText("Dat/ver.txt", settings_.Version))
    std::fprintf(stderr, "Error load from file [Dat/ver.txt]\n");
}

void Frame::SetWindowIcon() {
  std::unique_ptr<uint8_t[]> data;
  const int32_t length = Archive().LoadFile("Dat/Icon.bmp", data);
  if (length <= 0 || !data) return;
  SDL_RWops* stream = SDL_RWFromMem(data.get(), length);
  if (stream == nullptr) return;
  SDL_Surface* icon = IMG_Load_RW(stream, 1);
  if (icon == nullptr) return;
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}

void Frame::ReleaseScreens() {
  if (TopScreen() == intro_.get() || TopScreen() == main_.get()) TopScreen() = nullptr;
  intro_.reset();
  main_.reset();
  parts_.content.ShutDown();
}

int Frame::ShutDown() {
  ReleaseScreens();
  SaveSettingsFile(Params(), settings_);
  WriteExitLines();
  std::fflush(stdout);
  std::fflush(stderr);
  // Exit lines that a full disk refused are written again where the log went.
  if (CheckLogStreams()) WriteExitLines();
  return 0;
}

// Failed pictures end the program as a broken installation always has: the clip
// library shows the box of the first missing picture; a library that could not load in
// the intro is logged as fatal. The program that never really ran saves no settings
// and writes no exit lines.
bool Frame::PicturesFailed() {
  if (failureStatus_ >= 0) return true;
  if (phase_ == Phase::Intro && intro_ && parts_.content.IntroFailed(*intro_)) {
    LogFatal("Error init ClipLib.");
    failureStatus_ = 1;
  } else if (parts_.content.PictureMissing()) {
    failureStatus_ = kMissingPictureStatus;
  }
  return failureStatus_ >= 0;
}

int Frame::Abandon() {
  ReleaseScreens();
  std::fflush(stdout);
  std::fflush(stderr);
  CheckLogStreams();
  return failureStatus_;
}
