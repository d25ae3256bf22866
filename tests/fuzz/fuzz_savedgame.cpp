// SPDX-License-Identifier: GPL-3.0-or-later
// A saved game (sealed by the selector byte, see FuzzSupport.h; bit 1 of that byte
// picks the Classic game over the Puzzle game) restored into the headless game, which
// then plays on for a few frames: the level is laid out again, the running values are
// read once every track is built, the restore's catch-up step and at least one more
// movement step of the trains run, and the game keeps the game's invariants every
// frame. When the game ends it must leave no picture behind.
//
// For speed the process builds the headless game once: the clip library keeps every
// picture and one session (its screen and field pictures) serves every input, ended
// after each so that the next one starts as in a new session.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Random.h"
#include "game/Game.h"
#include "game/Settings.h"
#include "sprites/ClipLib.h"
#include "tests/fuzz/DocumentMutator.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/soak/RestoreCheck.h"

namespace {

// Frames played past the restore: after the restore's own step (200 ms at once), 120 ms
// give the trains one more movement step (one per 100 ms) and the game's timers a few
// updates.
constexpr int kFramesAfterRestore = 6;

// The working folder the process started in, where libFuzzer reads and writes its files.
int gHome = -1;

[[noreturn]] void Fail(const std::string& what) {
  // Back home first: the crash's input is written there.
  if (gHome >= 0 && fchdir(gHome) != 0) std::perror("fuzz_savedgame");
  std::fprintf(stderr, "fuzz_savedgame: %s\n", what.c_str());
  std::abort();
}

// The game works in a private folder of its own (its saved games go to savep/ there),
// only while it runs an input. An input that crashes inside the game leaves libFuzzer
// there: give -artifact_prefix as an absolute path (scripts/fuzz.sh does).
class InGameFolder {
 public:
  InGameFolder() {
    if (chdir(fuzz::TempFolder().c_str()) != 0) Fail("cannot enter " + fuzz::TempFolder());
  }
  ~InGameFolder() {
    if (fchdir(gHome) != 0) Fail("cannot go back to the working folder");
  }
  InGameFolder(const InGameFolder&) = delete;
  InGameFolder& operator=(const InGameFolder&) = delete;
};

struct Headless {
  EventLog log;
  GameSession* session = nullptr;  // never destroyed: it lives as long as the process
};

Headless& Start() {
  static Headless* headless = [] {
    gHome = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (gHome < 0) Fail("cannot open the working folder");
    std::string error;
    SDL_Surface* display = StartHeadless(error);
    if (!display) Fail(error);
    if (!ClipLib::KeepEveryPicture()) Fail("cannot keep every picture");
    if (!EnterGameFolder(fuzz::TempFolder(), error)) Fail(error);  // makes savep/
    if (fchdir(gHome) != 0) Fail("cannot go back to the working folder");
    auto* h = new Headless;
    h->log.quiet = true;
    h->session = new GameSession(display, h->log);
    return h;
  }();
  return *headless;
}

}  // namespace

// libFuzzer builds the headless game before the first input, so that no input's time
// (nor its timeout) pays for it; the replay program builds it with its first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Headless& headless = Start();
  if (size == 0) return 0;
  const InGameFolder inGameFolder;
  Globals() = Settings();
  Globals().ShowTips = false;
  Globals().GameType = (data[0] & 2) ? 0 : 1;
  const std::string path = Game::SaveFileName(Globals().PlayerName, Globals().GameType);
  if (!fuzz::WriteDocument(path, data, size)) return 0;
  rnd::SetRunSeed(1);
  headless.log = EventLog();
  headless.log.quiet = true;
  GameSession& session = *headless.session;
  // Whatever the file holds, the game that comes of it keeps the game's invariants.
  const RestoreOutcome outcome = RestoreAndPlay(session, kFramesAfterRestore);
  if (!outcome.failure.empty()) Fail(outcome.failure);
  const int left = session.EndGame();
  if (left != 0) Fail("the ended game left " + std::to_string(left) + " pictures behind");
  return 0;
}

#ifdef OT_LIBFUZZER
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

// Half the changes are structure-aware ones of the saved game's document (see
// DocumentMutator.h); the others are libFuzzer's own, which also reach the sealed form
// and whatever no longer parses as a document.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
  if (seed % 2 == 0) {
    const size_t n = fuzz::MutateDocumentInput(data, size, maxSize, seed / 2);
    if (n != 0) return n;
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}
#endif
