// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <memory>

#include "engine/LArchive.h"
#include "engine/LMusic.h"

namespace {

constexpr int kFrequency = 22050;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 4096;

// The file of every effect, in index order. The three crash entries load the same
// file as separate samples so that crashes can sound over each other.
constexpr const char* kEffectFiles[LSound::kEffectCount] = {
    "Dat/Wav/GlassBtn.wav",   "Dat/Wav/button.wav",          "Dat/Wav/CallServer.wav",
    "Dat/Wav/Telex.wav",      "Dat/Wav/NewTrainSemafor.wav", "Dat/Wav/Repair.wav",
    "Dat/Wav/NewBad.wav",     "Dat/Wav/WaitTrain.wav",       "Dat/Wav/NewTrain.wav",
    "Dat/Wav/Switch.wav",     "Dat/Wav/Light.wav",           "Dat/Wav/NexTrack.wav",
    "Dat/Wav/Mode.wav",       "Dat/Wav/BadGame.wav",         "Dat/Wav/Crash.wav",
    "Dat/Wav/Crash.wav",      "Dat/Wav/Crash.wav",           "Dat/Wav/NewTown.wav",
    "Dat/Wav/ServerLock.wav", "Dat/Wav/SwitchLock.wav",      "Dat/Wav/ReturnTrain.wav",
    "Dat/Wav/SetTrack.wav",   "Dat/Wav/BuildTrack.wav",      "Dat/Wav/tips.wav",
};

bool ValidIndex(int index) { return index >= 0 && index < LSound::kEffectCount; }

}  // namespace

LSound::~LSound() { Shutdown(); }

const char* LSound::FileName(int index) {
  return ValidIndex(index) ? kEffectFiles[index] : nullptr;
}

int LSound::Channel(int index) const { return ValidIndex(index) ? effects_[index].channel : -1; }

bool LSound::OpenDevice() {
  if (deviceOpen_) return true;
  // The MIDI synthesisers read their configuration when the device opens.
  LMusic::PrepareSynth();
  if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames) < 0) {
    std::fprintf(stderr,
                 "Warning: Audio could not be setup for 11025 Hz 16-bit stereo.\nReason: %s\n",
                 Mix_GetError());
    return false;
  }
  deviceOpen_ = true;
  limiter_.Attach();
  return true;
}

bool LSound::LoadEffect(int index) {
  const char* name = kEffectFiles[index];
  std::unique_ptr<uint8_t[]> data;
  int32_t size = Archive().LoadFile(name, data);
  if (size < 0) {
    std::fprintf(stderr, "Error(LSound::Init()):  Unable to load file: %s\n", name);
    return false;
  }
  // The mixer copies the decoded samples; the file's memory goes when data does.
  SDL_RWops* rw = SDL_RWFromMem(data.get(), size);
  Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (!chunk) {
    std::fprintf(stderr, "Unable to load WAV file %s: %s\n", name, Mix_GetError());
    return false;
  }
  effects_[index].sample = chunk;
  effects_[index].channel = -1;
  return true;
}

bool LSound::Init() {
  ReleaseSamples();
  SoundReady = false;
  if (!OpenDevice()) return false;
  for (int i = 0; i < kEffectCount; ++i) {
    if (!LoadEffect(i)) return false;
  }
  SoundReady = true;
  return true;
}

bool LSound::Start(int volume, bool on) {
  bool ready = Init();
  SetVolume(volume, -1);
  SoundOn = on;
  return ready;
}

int LSound::Play(int index, int mode) {
  if (!SoundReady || !SoundOn || !ValidIndex(index)) return -1;
  Effect& effect = effects_[index];
  int channel = -1;
  if (mode == 0) {
    channel = effect.channel;
  } else if (mode == 1 && effect.channel >= 0 && Mix_Playing(effect.channel) &&
             Mix_GetChunk(effect.channel) == effect.sample) {
    return -1;
  }
  // Under the audio lock, so that the effect's first samples already go through the
  // limiter.
  SDL_LockAudio();
  int started = Mix_PlayChannel(channel, effect.sample, 0);
  limiter_.Capture(started);
  SDL_UnlockAudio();
  if (started < 0) {
    std::fprintf(stderr, "Unable to play WAV file: %s\n", Mix_GetError());
    return -1;
  }
  effect.channel = started;
  return started;
}

void LSound::SetVolume(int volume, int which) {
  if (!SoundReady || !SoundOn) return;
  SoundVolume = volume;
  for (int i = 0; i < kEffectCount; ++i) {
    if (which == -1 || which == i) Mix_VolumeChunk(effects_[i].sample, volume);
  }
}

void LSound::ReleaseSamples() {
  for (Effect& effect : effects_) {
    // The mixer halts any channel still playing the sample before freeing it.
    if (effect.sample) Mix_FreeChunk(effect.sample);
    effect = Effect{};
  }
}

void LSound::Shutdown() {
  if (deviceOpen_) Mix_HaltChannel(-1);
  ReleaseSamples();
  SoundReady = false;
  if (deviceOpen_) {
    limiter_.Detach();
    Mix_CloseAudio();
    deviceOpen_ = false;
  }
}

LSound& Sound() {
  static LSound sound;
  return sound;
}
