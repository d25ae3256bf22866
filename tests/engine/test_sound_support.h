// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the sound and music tests: a working folder for loose resource files,
// a meter of what the mixer actually sends to the (dummy) audio device, and ways
// to wait for the audio thread or keep it still.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/LArchive.h"

namespace soundtest {

namespace fs = std::filesystem;

// Runs the test inside a folder (loose-file mode) and returns to the old one after.
class WorkingFolder {
 public:
  explicit WorkingFolder(const fs::path& folder) : old_(fs::current_path()) {
    Archive().Close();
    fs::current_path(folder);
  }
  ~WorkingFolder() { fs::current_path(old_); }

 private:
  fs::path old_;
};

// A fresh temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "ot-sound-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::temp_directory_path();
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  void Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  void CopyFrom(const fs::path& from, const std::string& name) const {
    fs::create_directories((path_ / name).parent_path());
    fs::copy_file(from / name, path_ / name, fs::copy_options::overwrite_existing);
  }

 private:
  fs::path path_;
};

// Polls until done() holds. The deadline is many times what the slowest machine
// needs and only ends a wait that would never succeed; nothing checks how long a
// wait took. False when the deadline passed first.
constexpr int kGenerousWaitSeconds = 60;
template <class Done>
bool WaitUntil(Done done, int seconds = kGenerousWaitSeconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return done();
    SDL_Delay(10);
  }
  return true;
}

// Keeps the audio thread from mixing while it lives: the mixer runs under the
// audio lock, which this thread's own SDL_mixer calls take again freely. A test
// holds it to look at channels before a short effect can play out. Never held
// over Mix_CloseAudio, which waits for the audio thread.
class MixerHeld {
 public:
  MixerHeld() { SDL_LockAudio(); }
  ~MixerHeld() { SDL_UnlockAudio(); }
  MixerHeld(const MixerHeld&) = delete;
  MixerHeld& operator=(const MixerHeld&) = delete;
};

// The largest sample magnitude in the first seconds of mixed sound after a Reset,
// measured by a post-mix hook on the audio thread. The seconds are the mixer's
// own, counted in samples, however slowly the audio thread gets to run.
class PeakMeter {
 public:
  PeakMeter() {
    Uint16 format = 0;
    Mix_QuerySpec(&rate_, &format, &channels_);
    Mix_SetPostMix(&PeakMeter::Measure, this);
  }
  ~PeakMeter() { Mix_SetPostMix(nullptr, nullptr); }
  PeakMeter(const PeakMeter&) = delete;
  PeakMeter& operator=(const PeakMeter&) = delete;

  // Starts a measure of the next seconds of sound. A caller that holds the mixer
  // over Reset and the start of a sound measures from that sound's first sample.
  void Reset(double seconds) {
    MixerHeld held;
    peak_ = 0;
    left_ = static_cast<long>(seconds * rate_) * channels_;
  }
  int Peak() const { return peak_; }
  // Waits until the output reaches threshold or the measured stretch is mixed.
  bool WaitFor(int threshold) {
    WaitUntil([&] { return peak_ >= threshold || left_ == 0; });
    return peak_ >= threshold;
  }

 private:
  static void Measure(void* self, Uint8* stream, int length) {
    auto* meter = static_cast<PeakMeter*>(self);
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    const long count = std::min<long>(length / 2, meter->left_);
    int peak = meter->peak_;
    for (long i = 0; i < count; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    meter->peak_ = peak;
    meter->left_ -= count;
  }
  int rate_ = 0;
  int channels_ = 0;
  std::atomic<int> peak_{0};
  std::atomic<long> left_{0};
};

inline fs::path BuildFolder() { return fs::path(OT_BINARY_DIR); }

// Starts SDL's audio on the silent dummy driver unless the environment names a
// driver, so the tests never depend on a sound card.
inline int InitDummyAudio() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return SDL_Init(SDL_INIT_AUDIO);
}

}  // namespace soundtest
