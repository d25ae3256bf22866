// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MixLimiter.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kStereo = 2;
// The mixer's buffer (4096 frames) with room to spare for a driver that asks for more;
// anything beyond passes through the mixer as before.
constexpr int kMaxFrames = 16384;
// The gain falls from full to nothing within this time before a peak, and takes this
// long to come back up once the peaks are gone.
constexpr double kAttackSeconds = 0.002;
constexpr double kReleaseSeconds = 0.5;
constexpr int kFullScale = 32767;

}  // namespace

MixLimiter::~MixLimiter() { Detach(); }

void MixLimiter::SetRate(int rate) {
  const double r = std::max(rate, 1);
  attackStep_ = 1.0 / std::max(1.0, kAttackSeconds * r);
  releaseStep_ = 1.0 / std::max(1.0, kReleaseSeconds * r);
}

bool MixLimiter::Attach() {
  if (attached_) return true;
  int rate = 0;
  int channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&rate, &format, &channels)) return false;
  if (format != AUDIO_S16SYS || channels != kStereo) return false;
  SDL_LockAudio();
  sum_.assign(static_cast<size_t>(kMaxFrames) * kStereo, 0);
  allowed_.assign(kMaxFrames, 1.0);
  used_ = 0;
  gain_ = 1.0;
  SetRate(rate);
  attached_ = Mix_RegisterEffect(MIX_CHANNEL_POST, &MixLimiter::OnOutput, nullptr, this) != 0;
  SDL_UnlockAudio();
  return attached_;
}

void MixLimiter::Detach() {
  if (!attached_) return;
  SDL_LockAudio();
  for (int c = 0; c < Mix_AllocateChannels(-1); ++c)
    Mix_UnregisterEffect(c, &MixLimiter::OnChannel);
  Mix_UnregisterEffect(MIX_CHANNEL_POST, &MixLimiter::OnOutput);
  attached_ = false;
  SDL_UnlockAudio();
}

void MixLimiter::Capture(int channel) {
  if (!attached_ || channel < 0) return;
  // Once only: a channel restarted while still sounding may keep its effects.
  Mix_UnregisterEffect(channel, &MixLimiter::OnChannel);
  Mix_RegisterEffect(channel, &MixLimiter::OnChannel, nullptr, this);
}

// A channel's next samples, before the mixer adds them: taken into the sum at the
// channel's volume (as the mixer would apply it) and replaced by silence. A sample
// that plays out starts at the buffer's beginning, so its samples line up with it.
void MixLimiter::OnChannel(int channel, void* stream, int length, void* self) {
  auto* limiter = static_cast<MixLimiter*>(self);
  Mix_Chunk* chunk = Mix_GetChunk(channel);
  if (!chunk) return;
  const int volume = Mix_Volume(channel, -1) * chunk->volume / MIX_MAX_VOLUME;
  auto* samples = static_cast<Sint16*>(stream);
  const int count = std::min(length / 2, static_cast<int>(limiter->sum_.size()));
  int32_t* sum = limiter->sum_.data();
  for (int i = 0; i < count; ++i) sum[i] += samples[i] * volume / MIX_MAX_VOLUME;
  std::memset(samples, 0, static_cast<size_t>(count) * sizeof(Sint16));
  limiter->used_ = std::max(limiter->used_, count);
}

// After the channels: the stream holds the music alone; add the effects under the gain.
void MixLimiter::OnOutput(int /*channel*/, void* stream, int length, void* self) {
  auto* limiter = static_cast<MixLimiter*>(self);
  auto* samples = static_cast<Sint16*>(stream);
  const int count = std::min(length / 2, static_cast<int>(limiter->sum_.size()));
  int32_t* sum = limiter->sum_.data();
  for (int i = 0; i < count; ++i) sum[i] += samples[i];
  limiter->Limit(sum, samples, count / kStereo);
  std::fill(sum, sum + std::max(count, limiter->used_), 0);
  limiter->used_ = 0;
}

void MixLimiter::Limit(const int32_t* mixed, int16_t* out, int frames) {
  frames = std::min(frames, static_cast<int>(allowed_.size()));
  // The gain each frame allows, both channels alike so that the picture stays put.
  bool over = false;
  for (int f = 0; f < frames; ++f) {
    const int peak = std::max(std::abs(mixed[f * 2]), std::abs(mixed[f * 2 + 1]));
    allowed_[f] = peak > kCeiling ? static_cast<double>(kCeiling) / peak : 1.0;
    over = over || peak > kCeiling;
  }
  if (!over && gain_ >= 1.0) {
    for (int i = 0; i < frames * kStereo; ++i) out[i] = static_cast<int16_t>(mixed[i]);
    return;
  }
  // Looking back from each peak, the gain may be at most a steady fall away from it.
  for (int f = frames - 2; f >= 0; --f)
    allowed_[f] = std::min(allowed_[f], allowed_[f + 1] + attackStep_);
  // Forward: never above what is allowed, and rising slowly.
  double gain = gain_;
  for (int f = 0; f < frames; ++f) {
    gain = std::min(allowed_[f], gain + releaseStep_);
    for (int c = 0; c < kStereo; ++c) {
      const long v = std::lround(mixed[f * 2 + c] * gain);
      out[f * 2 + c] = static_cast<int16_t>(std::clamp<long>(v, -kFullScale, kFullScale));
    }
  }
  gain_ = std::min(gain, 1.0);
}
