// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the mixer's output below full scale. The mixer adds each effect channel to
// the music with saturation, so several loud effects at once (crashes over each other)
// would clip. Instead every effect channel hands its samples, at its volume, to this
// limiter and adds nothing itself; after the channels, the limiter adds their sum to
// the music under one shared gain: it drops quickly (within a couple of milliseconds,
// looking ahead within the buffer) wherever the sum would pass the ceiling, and
// recovers slowly. Below the ceiling the output is exactly the mixer's own sum.
//
// Everything but Attach and Detach runs on the audio thread, inside the mixer.
#include <cstdint>
#include <vector>

class MixLimiter {
 public:
  // The output never goes beyond this magnitude (about -0.2 dB of full scale).
  static constexpr int kCeiling = 32000;

  MixLimiter() = default;
  ~MixLimiter();
  MixLimiter(const MixLimiter&) = delete;
  MixLimiter& operator=(const MixLimiter&) = delete;

  // Installs the limiter on the open audio device (16-bit stereo only; other formats
  // are left to the mixer). False when it could not be installed.
  bool Attach();
  // Removes it again; call before the audio device closes.
  void Detach();
  bool Attached() const { return attached_; }

  // Routes a channel's samples through the limiter; the mixer forgets a channel's
  // effects when it stops, so this is called each time an effect starts on it.
  void Capture(int channel);

 private:
  // The gain law on one buffer of interleaved stereo: mixed holds music plus effects
  // (unclipped), out receives the limited samples.
  void Limit(const int32_t* mixed, int16_t* out, int frames);
  void SetRate(int rate);
  static void OnChannel(int channel, void* stream, int length, void* self);
  static void OnOutput(int channel, void* stream, int length, void* self);

  std::vector<int32_t> sum_;     // the effects of the current buffer, at their volumes
  std::vector<double> allowed_;  // per frame: the gain the ceiling allows
  int used_ = 0;                 // samples of sum_ written in the current buffer
  double gain_ = 1.0;            // the gain at the end of the last buffer
  double attackStep_ = 1.0;      // the largest fall of the gain per frame
  double releaseStep_ = 1.0;     // the largest rise of the gain per frame
  bool attached_ = false;
};
