// SPDX-License-Identifier: GPL-3.0-or-later
// Sound effects through the mixer on the dummy audio driver, with the generated
// effect files of the build folder read as loose files.
#include <gtest/gtest.h>

#include <set>

#include "engine/LSound.h"
#include "test_sound_support.h"

using namespace soundtest;

namespace {

constexpr int kSwitch = 9;
constexpr int kTelex = 3;
constexpr int kArrival = 20;

class SoundTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitDummyAudio(), 0) << SDL_GetError();
    ASSERT_TRUE(sound_.Init()) << "effects missing or no audio device";
  }
  void TearDown() override {
    sound_.Shutdown();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  // The sample volume of an effect, read back from the mixer.
  int SampleVolume(int index) {
    MixerHeld held;
    int channel = sound_.Play(index, 2);
    if (channel < 0) return -1;
    int volume = Mix_VolumeChunk(Mix_GetChunk(channel), -1);
    Mix_HaltChannel(channel);
    return volume;
  }

  WorkingFolder folder_{BuildFolder()};
  LSound sound_;
};

TEST_F(SoundTest, InitLoadsAllEffectsWithNoChannelYet) {
  EXPECT_TRUE(sound_.IsReady());
  for (int i = 0; i < LSound::kEffectCount; ++i) EXPECT_EQ(sound_.Channel(i), -1) << i;
}

// The tests that look at channels after starting effects hold the mixer, so that
// no effect can play out before they look.
TEST_F(SoundTest, ModeTwoOverlapsCopiesOnSeparateChannels) {
  MixerHeld held;
  int first = sound_.Play(kSwitch, 2);
  int second = sound_.Play(kSwitch, 2);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_TRUE(Mix_Playing(first));
  EXPECT_TRUE(Mix_Playing(second));
  EXPECT_EQ(sound_.Channel(kSwitch), second);
}

TEST_F(SoundTest, ModeOneLeavesASoundingEffectAlone) {
  MixerHeld held;
  int channel = sound_.Play(kTelex, 1);
  ASSERT_GE(channel, 0);
  EXPECT_EQ(sound_.Play(kTelex, 1), -1);
  EXPECT_EQ(sound_.Channel(kTelex), channel);
  // Once it has stopped it may start again.
  Mix_HaltChannel(channel);
  EXPECT_GE(sound_.Play(kTelex, 1), 0);
}

TEST_F(SoundTest, ModeZeroRestartsOnTheChannelLastUsed) {
  MixerHeld held;
  int channel = sound_.Play(kArrival, 0);
  ASSERT_GE(channel, 0);
  sound_.Play(kSwitch, 2);  // another effect takes another channel
  EXPECT_EQ(sound_.Play(kArrival, 0), channel);
  EXPECT_TRUE(Mix_Playing(channel));
}

TEST_F(SoundTest, CrashEntriesAreSeparateSamplesThatSoundTogether) {
  MixerHeld held;
  int a = sound_.Play(14, 1), b = sound_.Play(15, 1), c = sound_.Play(16, 1);
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  ASSERT_GE(c, 0);
  EXPECT_EQ(std::set<int>({a, b, c}).size(), 3u);
  EXPECT_NE(Mix_GetChunk(a), Mix_GetChunk(b));
}

TEST_F(SoundTest, NoFreeChannelSkipsTheEffectWithALogLine) {
  MixerHeld held;
  int channels = Mix_AllocateChannels(-1);
  for (int i = 0; i < channels; ++i) ASSERT_GE(sound_.Play(kSwitch, 2), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound_.Play(kSwitch, 2), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to play WAV file: "),
            std::string::npos);
}

TEST_F(SoundTest, SwitchedOffPlaysNothing) {
  sound_.SoundOn = false;
  EXPECT_EQ(sound_.Play(kSwitch, 2), -1);
  EXPECT_EQ(sound_.Play(kSwitch, 0), -1);
  EXPECT_EQ(sound_.Play(kSwitch, 1), -1);
}

TEST_F(SoundTest, BadIndexPlaysNothing) {
  EXPECT_EQ(sound_.Play(-1, 2), -1);
  EXPECT_EQ(sound_.Play(LSound::kEffectCount, 2), -1);
}

TEST_F(SoundTest, SetVolumeAllOneOrNone) {
  sound_.SetVolume(40, -1);
  EXPECT_EQ(sound_.Volume(), 40);
  EXPECT_EQ(SampleVolume(0), 40);
  EXPECT_EQ(SampleVolume(23), 40);
  sound_.SetVolume(90, 5);
  EXPECT_EQ(SampleVolume(5), 90);
  EXPECT_EQ(SampleVolume(6), 40);
  sound_.SetVolume(70, LSound::kEffectCount);  // names no effect
  EXPECT_EQ(sound_.Volume(), 70);
  EXPECT_EQ(SampleVolume(0), 40);
  EXPECT_EQ(SampleVolume(5), 90);
}

TEST_F(SoundTest, SetVolumeIsIgnoredWhileSoundIsOff) {
  sound_.SetVolume(40, -1);
  sound_.SoundOn = false;
  sound_.SetVolume(100, -1);
  EXPECT_EQ(sound_.Volume(), 40);
  sound_.SoundOn = true;
  EXPECT_EQ(SampleVolume(3), 40);
}

TEST_F(SoundTest, StartAppliesVolumeAndSwitch) {
  sound_.Shutdown();
  ASSERT_TRUE(sound_.Start(64, false));
  EXPECT_EQ(sound_.Volume(), 64);
  EXPECT_EQ(sound_.Play(kSwitch, 2), -1);
  sound_.SoundOn = true;
  EXPECT_EQ(SampleVolume(kSwitch), 64);
}

TEST_F(SoundTest, EveryEffectIsAudibleInTheMix) {
  PeakMeter meter;
  for (int i = 0; i < LSound::kEffectCount; ++i) {
    {
      // Measured from the effect's first sample, with nothing else sounding.
      MixerHeld held;
      Mix_HaltChannel(-1);
      meter.Reset(2.0);
      ASSERT_GE(sound_.Play(i, 2), 0) << LSound::FileName(i);
    }
    EXPECT_TRUE(meter.WaitFor(2000)) << LSound::FileName(i) << " peak " << meter.Peak();
  }
}

TEST(SoundFiles, EveryGeneratedEffectDecodesAsSixteenBitSound) {
  ASSERT_EQ(InitDummyAudio(), 0);
  ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 4096), 0) << Mix_GetError();
  for (int i = 0; i < LSound::kEffectCount; ++i) {
    const std::string path = (BuildFolder() / LSound::FileName(i)).string();
    std::ifstream file(path, std::ios::binary);
    std::string header(36, '\0');
    file.read(header.data(), 36);
    ASSERT_TRUE(file) << path;
    EXPECT_EQ(header.substr(0, 4), "RIFF");
    EXPECT_EQ(header.substr(8, 4), "WAVE");
    EXPECT_EQ(static_cast<int>(header[34]), 16) << path << ": bits per sample";
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    ASSERT_NE(chunk, nullptr) << path << ": " << Mix_GetError();
    // Effects are short: between 20 ms and 3 s of 22050 Hz stereo 16-bit frames.
    EXPECT_GT(chunk->alen, 22050u * 4 / 50) << path;
    EXPECT_LT(chunk->alen, 22050u * 4 * 3) << path;
    Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Failures at start-up: the player stays "not started" and every call is harmless.
class SoundFailureTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(InitDummyAudio(), 0); }
  void TearDown() override {
    sound_.Shutdown();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  void ExpectNotStarted() {
    EXPECT_FALSE(sound_.IsReady());
    EXPECT_EQ(sound_.Play(kSwitch, 2), -1);
    sound_.SetVolume(12, -1);
    EXPECT_EQ(sound_.Volume(), 128);
  }
  TempFolder temp_;
  LSound sound_;
};

TEST_F(SoundFailureTest, NeverInitialisedDoesNothing) { ExpectNotStarted(); }

TEST_F(SoundFailureTest, MissingEffectStopsLoadingWithALogLine) {
  for (int i = 0; i < 9; ++i) temp_.CopyFrom(BuildFolder(), LSound::FileName(i));
  WorkingFolder folder(temp_.path());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(sound_.Init());
  EXPECT_NE(testing::internal::GetCapturedStderr().find(
                "Error(LSound::Init()):  Unable to load file: Dat/Wav/Switch.wav\n"),
            std::string::npos);
  ExpectNotStarted();
}

TEST_F(SoundFailureTest, DamagedEffectStopsLoadingWithALogLine) {
  for (int i = 0; i < LSound::kEffectCount; ++i) temp_.CopyFrom(BuildFolder(), LSound::FileName(i));
  temp_.Write("Dat/Wav/Telex.wav", "RIFF this is not a sound");
  WorkingFolder folder(temp_.path());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(sound_.Init());
  EXPECT_NE(
      testing::internal::GetCapturedStderr().find("Unable to load WAV file Dat/Wav/Telex.wav: "),
      std::string::npos);
  ExpectNotStarted();
}

}  // namespace
