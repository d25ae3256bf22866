// SPDX-License-Identifier: GPL-3.0-or-later
// How loud the music sits under the sound effects in the game's own mix, at the
// default settings (effects and music both at 64 of 128). The mixer renders to
// SDL's disk driver without its real-time wait (classic SDL 1.2 and sdl12-compat
// alike), so a minute of music takes about a second; a post-mix hook records
// what the device would receive.
//
// Loudness is the momentary loudness of broadcast practice: both channels
// K-weighted (a high shelf of +4 dB above about 1.7 kHz and a high pass at
// 38 Hz), mean square over 400 ms windows every 100 ms, summed over the
// channels, on the LUFS scale of ITU-R BS.1770. An effect's
// level is its loudest window; a tune's is the median window of its first
// minute and a half, building and resting sections included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/LMusic.h"
#include "engine/LSound.h"
#include "test_sound_support.h"

using namespace soundtest;

namespace {

constexpr int kDefaultVolume = 64;
constexpr double kMusicSeconds = 90.0;
constexpr double kEffectSeconds = 3.0;
constexpr int kDeadlineSeconds = 300;

// Records the mixer's output from the first sound after Start until it holds the
// frames asked for. The hook runs on the audio thread under the audio lock.
class MixRecorder {
 public:
  MixRecorder() { Mix_SetPostMix(&MixRecorder::Record, this); }
  ~MixRecorder() { Mix_SetPostMix(nullptr, nullptr); }
  MixRecorder(const MixRecorder&) = delete;
  MixRecorder& operator=(const MixRecorder&) = delete;

  void Start(size_t frames) {
    SDL_LockAudio();
    samples_.clear();
    samples_.reserve(frames * 2);
    wanted_ = frames * 2;
    SDL_UnlockAudio();
  }
  // Polls until the recording is complete; false if the generous deadline passes.
  bool Wait() {
    return WaitUntil([this] { return Full(); }, kDeadlineSeconds);
  }
  std::vector<Sint16> Take() {
    SDL_LockAudio();
    std::vector<Sint16> taken = std::move(samples_);
    samples_.clear();
    wanted_ = 0;
    SDL_UnlockAudio();
    return taken;
  }

 private:
  bool Full() {
    SDL_LockAudio();
    const bool full = samples_.size() >= wanted_;
    SDL_UnlockAudio();
    return full;
  }
  static void Record(void* self, Uint8* stream, int length) {
    auto* recorder = static_cast<MixRecorder*>(self);
    const Sint16* first = reinterpret_cast<const Sint16*>(stream);
    const Sint16* last = first + length / 2;
    if (recorder->samples_.empty())
      first = std::find_if(first, last, [](Sint16 s) { return s != 0; });
    first -= (first - reinterpret_cast<const Sint16*>(stream)) % 2;  // whole frames only
    const size_t room = recorder->wanted_ - std::min(recorder->wanted_, recorder->samples_.size());
    const size_t count = std::min(room, static_cast<size_t>(last - first));
    recorder->samples_.insert(recorder->samples_.end(), first, first + count);
  }

  std::vector<Sint16> samples_;
  size_t wanted_ = 0;
};

// A second-order filter section, transposed direct form.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double z1 = 0.0, z2 = 0.0;
  double Run(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

// The two K-weighting stages, designed for the mixer's sample rate.
std::vector<Biquad> KWeighting(double rate) {
  const double pi = std::acos(-1.0);
  double w = 2.0 * pi * 1681.974450955533 / rate;
  const double a = std::pow(10.0, 3.999843853973347 / 40.0);
  double alpha = std::sin(w) / (2.0 * 0.7071752369554196);
  const double c = std::cos(w), s = 2.0 * std::sqrt(a) * alpha;
  double a0 = (a + 1) - (a - 1) * c + s;
  Biquad shelf{a * ((a + 1) + (a - 1) * c + s) / a0, -2 * a * ((a - 1) + (a + 1) * c) / a0,
               a * ((a + 1) + (a - 1) * c - s) / a0, 2 * ((a - 1) - (a + 1) * c) / a0,
               ((a + 1) - (a - 1) * c - s) / a0};
  w = 2.0 * pi * 38.13547087602444 / rate;
  alpha = std::sin(w) / (2.0 * 0.5003270373238773);
  a0 = 1 + alpha;
  const double cw = std::cos(w);
  Biquad highPass{(1 + cw) / 2 / a0, -(1 + cw) / a0, (1 + cw) / 2 / a0, -2 * cw / a0,
                  (1 - alpha) / a0};
  return {shelf, highPass};
}

// Momentary loudness (LUFS) of interleaved stereo, one value per 100 ms step.
std::vector<double> MomentaryLoudness(const std::vector<Sint16>& stereo, int rate) {
  const size_t block = static_cast<size_t>(rate) / 10;
  std::vector<double> energy;  // mean square per 100 ms block, both channels summed
  std::vector<Biquad> filters[2] = {KWeighting(rate), KWeighting(rate)};
  double sum = 0.0;
  for (size_t frame = 0; frame < stereo.size() / 2; ++frame) {
    for (int ch = 0; ch < 2; ++ch) {
      double x = stereo[frame * 2 + ch] / 32768.0;
      for (Biquad& f : filters[ch]) x = f.Run(x);
      sum += x * x;
    }
    if ((frame + 1) % block == 0) {
      energy.push_back(sum / block);
      sum = 0.0;
    }
  }
  std::vector<double> loudness;
  for (size_t i = 3; i < energy.size(); ++i) {
    const double mean = (energy[i - 3] + energy[i - 2] + energy[i - 1] + energy[i]) / 4.0;
    loudness.push_back(-0.691 + 10.0 * std::log10(std::max(mean, 1e-12)));
  }
  return loudness;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -120.0;
  std::sort(values.begin(), values.end());
  const size_t half = values.size() / 2;
  return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2.0;
}

// The mixer on the disk driver, writing to nowhere as fast as it can, with the
// effects and the music at the game's default volume.
class MixLoudnessTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) {
      const char* value = std::getenv(name);
      if (value) saved_[name] = value;
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_TRUE(sound_.Start(kDefaultVolume, true)) << "effects missing or no audio device";
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&rate_, &format, &channels), 0);
    ASSERT_EQ(format, AUDIO_S16SYS);
    ASSERT_EQ(channels, 2);
  }
  void TearDown() override {
    music_.Shutdown();
    sound_.Shutdown();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) {
      if (saved_.count(name)) {
        setenv(name, saved_[name].c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }

  // Records a stretch of what start sets sounding, from its first sample on
  // (nothing else sounds), and returns its momentary loudness; nothing when
  // start reports that nothing started.
  template <class Begin>
  std::vector<double> Record(MixRecorder& recorder, double seconds, Begin start) {
    recorder.Start(static_cast<size_t>(seconds * rate_));
    if (!start()) return {};
    EXPECT_TRUE(recorder.Wait()) << "the mixer produced too little sound";
    return MomentaryLoudness(recorder.Take(), rate_);
  }

  std::map<std::string, std::string> saved_;
  WorkingFolder folder_{BuildFolder()};
  int rate_ = 0;
  LSound sound_;
  LMusic music_;
};

TEST_F(MixLoudnessTest, MusicSitsThreeToEightDecibelsUnderTheEffects) {
  MixRecorder recorder;
  std::vector<double> effects;
  for (int i = 0; i < LSound::kEffectCount; ++i) {
    if (i == snd::Crash2 || i == snd::Crash3) continue;  // the crash's file again
    Mix_HaltChannel(-1);
    const std::vector<double> windows =
        Record(recorder, kEffectSeconds, [&] { return sound_.Play(i, 2) >= 0; });
    EXPECT_FALSE(windows.empty()) << LSound::FileName(i) << " did not play";
    effects.push_back(windows.empty() ? -120.0 : *std::max_element(windows.begin(), windows.end()));
    std::printf("effect %-28s %6.1f LUFS (loudest 400 ms)\n", LSound::FileName(i), effects.back());
  }
  Mix_HaltChannel(-1);
  const double effectLevel = Median(effects);
  std::printf("effects median        %6.1f LUFS\n", effectLevel);

  music_.Load("Dat/midi/*");
  music_.SetVolume(kDefaultVolume);
  music_.SetOn(true);
  ASSERT_GE(music_.PlayList().size(), 4u);
  for (size_t i = 0; i < music_.PlayList().size(); ++i) {
    Mix_HaltMusic();
    const std::vector<double> windows = Record(recorder, kMusicSeconds, [&] {
      music_.Play(static_cast<int>(i), 0);
      return Mix_PlayingMusic() != 0;
    });
    EXPECT_FALSE(windows.empty()) << music_.PlayList()[i] << " did not play";
    const double level = Median(windows);
    std::printf("tune %-30s %6.1f LUFS (median), %5.1f dB under the effects\n",
                music_.PlayList()[i].c_str(), level, effectLevel - level);
    EXPECT_GE(effectLevel - level, 3.0) << music_.PlayList()[i];
    EXPECT_LE(effectLevel - level, 8.0) << music_.PlayList()[i];
  }
}

// A crash-heavy moment: the three crash samples, the damage alarm, a repair, an
// arriving train and a switch start in the same mixer buffer over a playing tune, at
// the default volumes and at the loudest the options allow. The output never reaches
// full scale (no clipped sample), yet stays loud.
TEST_F(MixLoudnessTest, ABurstOfCrashesOverTheMusicNeverReachesFullScale) {
  constexpr int kFullScale = 32767;
  music_.Load("Dat/midi/*");
  ASSERT_FALSE(music_.PlayList().empty());
  for (int volume : {kDefaultVolume, 128}) {
    sound_.SetVolume(volume, -1);
    music_.SetVolume(volume);
    music_.SetOn(true);
    music_.Play(0, 0);
    ASSERT_TRUE(Mix_PlayingMusic());
    PeakMeter meter;
    {
      MixerHeld held;
      meter.Reset(kEffectSeconds);
      for (int effect : {snd::Crash, snd::Crash2, snd::Crash3, snd::NewBad, snd::Repair,
                         snd::ReturnTrain, snd::Switch}) {
        EXPECT_GE(sound_.Play(effect, 2), 0) << LSound::FileName(effect);
      }
    }
    meter.WaitFor(kFullScale);
    std::printf("burst at volume %3d: peak %d\n", volume, meter.Peak());
    EXPECT_LT(meter.Peak(), kFullScale) << "volume " << volume;
    EXPECT_GT(meter.Peak(), kFullScale / 2) << "volume " << volume;
    Mix_HaltChannel(-1);
    music_.SetOn(false);
  }
}

}  // namespace
