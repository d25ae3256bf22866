// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound effects: 24 short samples named by index, played on the mixer's channels.
// Until Init has opened the audio device and loaded every effect, every call is a
// harmless no-op, so the game runs silently without a sound card.
#include <array>
#include <cstdint>

#include "engine/MixLimiter.h"
#include "ids/SoundIds.h"

struct Mix_Chunk;

class LSound {
 public:
  static constexpr int kEffectCount = 24;

  LSound() = default;
  ~LSound();
  LSound(const LSound&) = delete;
  LSound& operator=(const LSound&) = delete;

  // Opens the audio device (22050 Hz, 16-bit, stereo) and loads the 24 effects
  // through the archive. False, with a log line, when either step fails.
  bool Init();
  // Start-up in one call: Init, the volume of all effects, the on/off switch.
  bool Start(int volume, bool on);

  // Plays an effect once. Mode 0 restarts it on the channel it last used, mode 1
  // leaves it alone while it is still sounding, any other mode always adds a copy.
  // Returns the channel, or -1 when nothing was started.
  int Play(int index, int mode);

  // Sets the volume (0..128) of all effects (which = -1) or of one (0..23); only
  // while the effects are ready and switched on.
  void SetVolume(int volume, int which);

  // Releases the samples and closes the audio device when this object opened it.
  // The music player's tune should be released first (LMusic::Shutdown).
  void Shutdown();

  bool IsReady() const { return SoundReady; }
  int32_t Volume() const { return SoundVolume; }
  // Mixer channel on which the effect last started, or -1.
  int Channel(int index) const;
  // The archive name of an effect's file, or nullptr for a bad index.
  static const char* FileName(int index);

  // Effects play only while this is set; its owner sets it directly.
  bool SoundOn = true;

 private:
  struct Effect {
    Mix_Chunk* sample = nullptr;
    int channel = -1;
  };

  bool OpenDevice();
  bool LoadEffect(int index);
  void ReleaseSamples();

  std::array<Effect, kEffectCount> effects_{};
  // Keeps the effects' sum with the music below full scale.
  MixLimiter limiter_;
  int32_t SoundVolume = 128;
  bool SoundReady = false;
  bool deviceOpen_ = false;
};

// The program-wide sound effects player.
LSound& Sound();
