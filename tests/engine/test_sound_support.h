// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the sound and music tests: a working folder for loose resource files,
// and a meter of what the mixer actually sends to the (dummy) audio device.
#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
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

// The largest sample magnitude the mixer has produced since the last Reset,
// measured by a post-mix hook on the audio thread.
class PeakMeter {
 public:
  PeakMeter() { Mix_SetPostMix(&PeakMeter::Measure, this); }
  ~PeakMeter() { Mix_SetPostMix(nullptr, nullptr); }
  void Reset() { peak_ = 0; }
  int Peak() const { return peak_; }
  // Waits up to timeoutMs for the mixed output to reach threshold.
  bool WaitFor(int threshold, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
      if (peak_ >= threshold) return true;
      SDL_Delay(10);
    }
    return peak_ >= threshold;
  }

 private:
  static void Measure(void* self, Uint8* stream, int length) {
    auto* meter = static_cast<PeakMeter*>(self);
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    int peak = meter->peak_;
    for (int i = 0; i < length / 2; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    meter->peak_ = peak;
  }
  std::atomic<int> peak_{0};
};

inline fs::path BuildFolder() { return fs::path(OT_BINARY_DIR); }

// Starts SDL's audio on the silent dummy driver unless the environment names a
// driver, so the tests never depend on a sound card.
inline int InitDummyAudio() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return SDL_Init(SDL_INIT_AUDIO);
}

}  // namespace soundtest
