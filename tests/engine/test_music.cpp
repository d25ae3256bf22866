// SPDX-License-Identifier: GPL-3.0-or-later
// The music player with the generated tunes of the build folder, mixed on the
// dummy audio driver through the system's General MIDI sound font.
#include <gtest/gtest.h>

#include <set>

#include "engine/LMusic.h"
#include "engine/LSound.h"
#include "test_sound_support.h"

using namespace soundtest;

// SDL_mixer 1.2's FluidSynth loader never frees the copy of the MIDI file it hands
// to the synthesiser (about the file's size per loaded tune). That leak is the
// library's own; the leak checker of sanitizer builds is told to let it pass. The
// library has no frame pointers, so the quick unwinder often sees only its name.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:fluidsynth_loadsong_RW\nleak:libSDL_mixer-1.2.so\n";
}

namespace {

// Opens the audio device the way the game does (through the effects player),
// from whatever folder the test is in.
class MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    std::srand(7);
    ASSERT_EQ(InitDummyAudio(), 0) << SDL_GetError();
    testing::internal::CaptureStderr();
    sound_.Init();
    testing::internal::GetCapturedStderr();
    ASSERT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "no audio device";
  }
  void TearDown() override {
    music_.Shutdown();
    sound_.Shutdown();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  WorkingFolder folder_{BuildFolder()};
  LSound sound_;
  LMusic music_;
};

TEST_F(MusicTest, PlayListHoldsTheGeneratedTunes) {
  EXPECT_FALSE(music_.IsReady());
  EXPECT_TRUE(music_.Load("Dat/midi/*"));
  EXPECT_TRUE(music_.IsReady());
  ASSERT_GE(music_.PlayList().size(), 4u);
  for (const std::string& name : music_.PlayList()) {
    EXPECT_EQ(name.rfind("Dat/midi/", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".mid") << name;
  }
}

TEST_F(MusicTest, NothingPlaysWhileSwitchedOff) {
  music_.Load("Dat/midi/*");
  music_.Play(0, 0);
  music_.Update();
  EXPECT_FALSE(music_.IsBusy());
  EXPECT_TRUE(music_.CurrentName().empty());
}

TEST_F(MusicTest, SwitchingOnStartsATuneAndOffStopsIt) {
  music_.Load("Dat/midi/*");
  music_.SetOn(true);
  EXPECT_TRUE(music_.IsOn());
  EXPECT_TRUE(music_.IsBusy());
  EXPECT_TRUE(Mix_PlayingMusic());
  music_.SetOn(false);
  EXPECT_FALSE(Mix_PlayingMusic());
  music_.Update();
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(MusicTest, OffAndOnAgainStartsANewRandomTune) {
  music_.Load("Dat/midi/*");
  std::set<std::string> heard;
  music_.SetOn(true);
  heard.insert(music_.CurrentName());
  for (int i = 0; i < 12; ++i) {
    music_.SetOn(false);
    music_.SetOn(true);
    EXPECT_TRUE(Mix_PlayingMusic());
    heard.insert(music_.CurrentName());
  }
  EXPECT_GE(heard.size(), 2u);
}

TEST_F(MusicTest, OnlyIfIdleLeavesAPlayingTuneAlone) {
  music_.Load("Dat/midi/*");
  music_.SetOn(true);
  const std::string first = music_.CurrentName();
  const int other = music_.PlayList()[0] == first ? 1 : 0;
  music_.Play(other, 1);
  EXPECT_EQ(music_.CurrentName(), first);
  music_.Play(other, 0);
  EXPECT_EQ(music_.CurrentName(), music_.PlayList()[other]);
}

TEST_F(MusicTest, UpdateStartsTheNextTuneWhenOneHasEnded) {
  music_.Load("Dat/midi/*");
  music_.SetOn(true);
  Mix_HaltMusic();  // as if the tune had played to its end
  EXPECT_FALSE(music_.IsBusy());
  music_.Update();
  EXPECT_TRUE(Mix_PlayingMusic());
}

TEST_F(MusicTest, PausedMusicIsNotReplacedByUpdate) {
  music_.Load("Dat/midi/*");
  music_.SetOn(true);
  const std::string name = music_.CurrentName();
  music_.Pause();
  music_.Update();
  EXPECT_TRUE(Mix_PausedMusic());
  EXPECT_EQ(music_.CurrentName(), name);
  music_.Resume();
  EXPECT_FALSE(Mix_PausedMusic());
}

TEST_F(MusicTest, IndexOutsideTheListPlaysNothing) {
  music_.Load("Dat/midi/*");
  music_.SetOn(true);
  Mix_HaltMusic();
  music_.Play(static_cast<int>(music_.PlayList().size()), 0);
  music_.Play(-2, 0);
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(MusicTest, VolumeNeedsAPlayList) {
  music_.SetVolume(30);
  EXPECT_EQ(music_.Volume(), 128);
  music_.Load("Dat/midi/*");
  music_.SetVolume(30);
  EXPECT_EQ(music_.Volume(), 30);
  EXPECT_EQ(Mix_VolumeMusic(-1), 30);
}

TEST_F(MusicTest, StartBuildsTheListAndAppliesTheSettings) {
  music_.Start(50, true);
  EXPECT_TRUE(music_.IsReady());
  EXPECT_EQ(music_.Volume(), 50);
  EXPECT_TRUE(Mix_PlayingMusic());
}

TEST_F(MusicTest, EveryTuneLoadsAndIsAudibleInTheMix) {
  music_.Load("Dat/midi/*");
  music_.SetVolume(128);
  music_.SetOn(true);
  PeakMeter meter;
  for (size_t i = 0; i < music_.PlayList().size(); ++i) {
    testing::internal::CaptureStderr();
    {
      // The intro starts at once: its first four seconds carry real sound.
      MixerHeld held;
      music_.Play(static_cast<int>(i), 0);
      meter.Reset(4.0);
    }
    const std::string log = testing::internal::GetCapturedStderr();
    ASSERT_EQ(music_.CurrentName(), music_.PlayList()[i]) << log;
    ASSERT_TRUE(Mix_PlayingMusic()) << log;
    EXPECT_TRUE(meter.WaitFor(1500)) << music_.CurrentName() << " peak " << meter.Peak();
  }
}

// Play lists and files that do not work.
class MusicFailureTest : public MusicTest {
 protected:
  TempFolder temp_;
};

TEST_F(MusicFailureTest, EmptyPlayListPlaysNothing) {
  std::filesystem::create_directories(temp_.path() / "Dat/midi");
  WorkingFolder folder(temp_.path());
  music_.Load("Dat/midi/*");
  EXPECT_TRUE(music_.IsReady());
  EXPECT_TRUE(music_.PlayList().empty());
  music_.SetOn(true);
  music_.Play(-1, 0);
  music_.Play(0, 0);
  music_.Update();
  EXPECT_FALSE(Mix_PlayingMusic());
  EXPECT_TRUE(music_.CurrentName().empty());
}

TEST_F(MusicFailureTest, MissingTuneIsLogged) {
  temp_.Write("Dat/midi/gone.mid", "");
  WorkingFolder folder(temp_.path());
  music_.Load("Dat/midi/*");
  std::filesystem::remove(temp_.path() / "Dat/midi/gone.mid");
  testing::internal::CaptureStderr();
  music_.SetOn(true);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Error(LMusic::Init()):  Unable to load file: Dat/midi/gone.mid\n");
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(MusicFailureTest, DamagedTuneIsLoggedAndRetriesStopAfterEachFailedOnce) {
  temp_.Write("Dat/midi/a.mid", "MThd but not really a tune");
  temp_.Write("Dat/midi/b.mid", "nothing musical");
  WorkingFolder folder(temp_.path());
  music_.Load("Dat/midi/*");
  testing::internal::CaptureStderr();
  music_.SetOn(true);
  for (int frame = 0; frame < 50; ++frame) music_.Update();
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.rfind("Unable to load MIDI file Dat/midi/", 0), 0u) << log;
  // One attempt when switched on and one more by the frames: as many as tunes.
  size_t lines = std::count(log.begin(), log.end(), '\n');
  EXPECT_EQ(lines, 2u) << log;
  EXPECT_FALSE(Mix_PlayingMusic());
}

TEST(MusicWithoutDevice, EveryCallIsHarmless) {
  WorkingFolder folder(BuildFolder());
  LMusic music;
  music.Load("Dat/midi/*");
  music.SetVolume(40);
  testing::internal::CaptureStderr();
  music.SetOn(true);
  music.Update();
  music.Pause();
  music.Resume();
  music.SetOn(false);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Unable to load MIDI file Dat/midi/"), std::string::npos) << log;
  EXPECT_FALSE(music.IsBusy());
}

TEST(SoundWithoutDevice, FailedDeviceLeavesEffectsSilent) {
  const char* old = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = old ? old : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  WorkingFolder folder(BuildFolder());
  LSound sound;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(sound.Init());
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.rfind("Warning: Audio could not be setup for 11025 Hz 16-bit stereo.\nReason: ", 0),
            0u)
      << log;
  EXPECT_EQ(sound.Play(9, 2), -1);
  if (old) {
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
