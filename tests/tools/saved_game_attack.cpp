// SPDX-License-Identifier: GPL-3.0-or-later
// A real saved game under attack: a game saved in the middle of a Puzzle level, with
// trains running, a crash site, trains queued at a town and a delayed start, is damaged
// in every way a disk or a curious player can damage it and loaded through the game.
// Each load ends in the resumed game or in a new game with one log line, and the game
// then plays on without breaking any invariant the soak checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/Cipher.h"
#include "core/LParams.h"
#include "core/Random.h"
#include "game/Settings.h"
#include "tools/game/GameSession.h"
#include "tools/game/Headless.h"
#include "tools/soak/RestoreCheck.h"

namespace {

using Bytes = std::string;

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

Bytes Unsealed(const Bytes& sealed) {
  Bytes plain(sealed.size() + 8, '\0');
  const int32_t n =
      Unseal(ProgramCipher(), reinterpret_cast<const uint8_t*>(sealed.data()),
             static_cast<int32_t>(sealed.size()), reinterpret_cast<uint8_t*>(plain.data()),
             static_cast<int32_t>(sealed.size()));
  plain.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return plain;
}

Bytes Sealed(const Bytes& plain) {
  Bytes out(static_cast<size_t>(SealedLength(static_cast<int32_t>(plain.size()))), '\0');
  Seal(ProgramCipher(), reinterpret_cast<const uint8_t*>(plain.data()),
       static_cast<int32_t>(plain.size()), reinterpret_cast<uint8_t*>(out.data()),
       static_cast<int32_t>(out.size()), false);
  return out;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The entries a change touched, before and after, for the failure message.
std::string Changed(const Bytes& before, const Bytes& after) {
  std::string out;
  for (size_t at = 0; at < before.size(); ++at) {
    if (before[at] == after[at]) continue;
    const size_t from = at < 40 ? 0 : at - 40;
    out += "\n  at " + std::to_string(at) + ": ..." + before.substr(from, 60) + "... -> ..." +
           after.substr(from, 60) + "...";
  }
  return out;
}

class SavedGameAttack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    headless_.emplace();
    display_ = headless_->Display();
    ASSERT_NE(display_, nullptr) << headless_->Error();
    log_.quiet = true;
    session_.emplace(display_, log_);
    MakeSavedGame();
  }

  static void TearDownTestSuite() {
    session_.reset();
    headless_.reset();
  }

  // Plays the third Puzzle level until trains run, then adds what a saved game can hold
  // beyond them: a crash site on built track, trains queued behind a leaving one, and a
  // train whose start is delayed.
  static void MakeSavedGame() {
    rnd::SetRunSeed(5);
    Globals().GameType = 1;
    Globals().ShowTips = false;
    session_->NewGame(1, 3);
    session_->SetAutopilot(true, false);
    Game& game = session_->GetGame();
    for (int frame = 0; frame < 6000 && game.GetField().Trains().size() < 3; ++frame) {
      session_->RunFrame();
    }
    ASSERT_GE(game.GetField().Trains().size(), 3u);
    Field& field = game.GetField();
    for (int j = 0; j < 136 && field.CrashSites().empty(); ++j) {
      for (int d = 0; d < 12 && field.CrashSites().empty(); ++d) {
        if (field.At(j).End(d) == EndState::kBuilt && !field.IsTrackOccupied(d, j)) {
          field.AddCrashSite(j, d, 20);
        }
      }
    }
    ASSERT_FALSE(field.CrashSites().empty());
    for (int k = 0; k < 3; ++k)
      field.LaunchTrain({.colour = k, .cars = 2, .loco = 1, .town = 0}, Departure::kNow);
    field.LaunchTrain({.colour = 3, .cars = 2, .loco = 1, .town = 1}, Departure::kDelayed);
    for (int frame = 0; frame < 5; ++frame) session_->RunFrame();
    session_->Save();
    path_ = Game::SaveFileName(Globals().PlayerName, Globals().GameType);
    saved_ = ReadBytes(path_);
    plain_ = Unsealed(saved_);
    ASSERT_FALSE(plain_.empty());
    for (const char* key : {"Game.GameField.Crash0", "Game.GameField.Block1",
                            "Game.GameField.TrainNumber2", "Game.GameField.WaitTown1Crasy"}) {
      ASSERT_NE(plain_.find(key), std::string::npos) << key;
    }
  }

  // Loads the file as it now stands into a fresh game and plays `frames` frames past the
  // restore. An empty text when the load ended as it must, else what went wrong.
  static std::string LoadAndPlay(const Bytes& file, int frames) {
    WriteBytes(path_, file);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    const RestoreOutcome outcome = RestoreAndPlay(*session_, frames);
    std::string failure = outcome.failure;
    const bool loaded = outcome.loaded;
    testing::internal::GetCapturedStdout();
    const std::string log = testing::internal::GetCapturedStderr();
    const int lines = Count(log, "Error. Game::");
    const bool resumed = loaded && Count(log, "a new game starts") == 0;
    if (failure.empty() && resumed && lines != 0) failure = "a resumed game logged: " + log;
    if (failure.empty() && !resumed && lines != 1)
      failure = "a new game without one log line: " + log;
    return failure;
  }

  static std::optional<HeadlessRun> headless_;
  static SDL_Surface* display_;
  static EventLog log_;
  static std::optional<GameSession> session_;
  static std::string path_;
  static Bytes saved_;
  static Bytes plain_;
};

std::optional<HeadlessRun> SavedGameAttack::headless_;
SDL_Surface* SavedGameAttack::display_ = nullptr;
EventLog SavedGameAttack::log_;
std::optional<GameSession> SavedGameAttack::session_;
std::string SavedGameAttack::path_;
Bytes SavedGameAttack::saved_;
Bytes SavedGameAttack::plain_;

TEST_F(SavedGameAttack, TheUndamagedGameResumesAndPlaysOn) {
  EXPECT_EQ(LoadAndPlay(saved_, 150), "");
  EXPECT_EQ(session_->GetGame().CurrentRoundInType, 2);
  EXPECT_FALSE(session_->GetGame().GetField().CrashSites().empty());
  // Ended, the game leaves no picture on the screen or the field, and the session takes
  // the saved game up again as a new one would.
  EXPECT_EQ(session_->EndGame(), 0);
  EXPECT_EQ(LoadAndPlay(saved_, 10), "");
  EXPECT_EQ(session_->GetGame().CurrentRoundInType, 2);
}

// Every cut of the file fails its seal, which the parameter store's reader checks
// alone; cuts spread over the file, and every cut of the trailer and the first pieces,
// go through the whole game.
TEST_F(SavedGameAttack, TruncationsStartANewGame) {
  for (size_t m = 0; m < saved_.size(); ++m) {
    WriteBytes(path_, saved_.substr(0, m));
    LParams store;
    ASSERT_FALSE(store.OpenRead(path_)) << m << " of " << saved_.size() << " bytes";
  }
  for (size_t m = 0; m < saved_.size(); ++m) {
    const bool edge = m < 64 || m + 64 >= saved_.size();
    if (!edge && m % (saved_.size() / 100 + 1) != 0) continue;
    ASSERT_EQ(LoadAndPlay(saved_.substr(0, m), 1), "") << m << " of " << saved_.size() << " bytes";
    ASSERT_EQ(session_->GetGame().CurrentRoundInType, 0) << m;
  }
}

TEST_F(SavedGameAttack, BitFlipsOfTheSealedFileStartANewGame) {
  std::mt19937 pick(17);
  for (int k = 0; k < 2000; ++k) {
    Bytes file = saved_;
    const size_t bit = pick() % (file.size() * 8);
    file[bit / 8] = static_cast<char>(file[bit / 8] ^ (1 << (bit % 8)));
    if (k % 8 != 0) {
      // The seal refuses it before any reader of values sees it.
      WriteBytes(path_, file);
      LParams store;
      ASSERT_FALSE(store.OpenRead(path_)) << "bit " << bit;
      continue;
    }
    ASSERT_EQ(LoadAndPlay(file, 1), "") << "bit " << bit;
    ASSERT_EQ(session_->GetGame().CurrentRoundInType, 0) << "bit " << bit;
  }
}

// Changes inside the document, sealed again as a writer would: these reach the readers
// of every value. Digits, signs, blanks and letters are what turn numbers into other
// numbers, lengths into other lengths and records into nonsense.
TEST_F(SavedGameAttack, ResealedChangesResumeOrStartANewGame) {
  const std::string replacements = "0123456789-+ .e\x01z";
  std::mt19937 pick(23);
  int resumed = 0;
  for (int k = 0; k < 600; ++k) {
    Bytes plain = plain_;
    const int changes = 1 + static_cast<int>(pick() % 3);
    for (int c = 0; c < changes; ++c) {
      plain[pick() % plain.size()] = replacements[pick() % replacements.size()];
    }
    ASSERT_EQ(LoadAndPlay(Sealed(plain), 50), "") << "case " << k << Changed(plain_, plain);
    if (session_->GetGame().CurrentRoundInType == 2) ++resumed;
  }
  // Most single changes hit a value the game can take; some must resume.
  EXPECT_GT(resumed, 0);
}

// Saved games the game itself writes are never refused: games played by the autopilot
// are saved every few seconds of play, from the first update of a level to its
// statistics, and each is taken up again by a fresh game, which plays on from there.
TEST_F(SavedGameAttack, EverySaveOfWholeLevelsResumes) {
  struct Run {
    int type, level, frames, every;
  };
  for (const Run run : {Run{1, 1, 40000, 800}, Run{1, 3, 30000, 900}, Run{0, 4, 12000, 1300}}) {
    rnd::SetRunSeed(static_cast<unsigned>(run.level));
    session_->NewGame(run.type, run.level);
    session_->SetAutopilot(true, false);
    int saves = 0;
    for (int frame = 1; frame <= run.frames; ++frame) {
      session_->RunFrame();
      if (session_->Open() != Dialog::kNone) session_->Close(session_->Open(), true);
      if (frame % run.every != 0) continue;
      const int level = session_->GetGame().CurrentRoundInType;
      const int32_t state = session_->GetGame().GameState;
      session_->Save();
      testing::internal::CaptureStderr();
      const bool loaded = session_->Load();
      const std::string log = testing::internal::GetCapturedStderr();
      ++saves;
      if (state == kStateNewGame || state == kStateFinalStatistics) continue;
      ASSERT_TRUE(loaded) << "type " << run.type << " frame " << frame << " state " << state;
      ASSERT_EQ(log.find("Error."), std::string::npos) << "frame " << frame << ": " << log;
      ASSERT_EQ(session_->GetGame().CurrentRoundInType, level) << "frame " << frame;
    }
    session_->SetAutopilot(false, false);
    EXPECT_EQ(saves, run.frames / run.every);
  }
}

}  // namespace
