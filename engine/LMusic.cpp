// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LMusic.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Files.h"
#include "core/Random.h"
#include "engine/LArchive.h"

namespace {

// General MIDI sound fonts for the FluidSynth backend, best first. Debian's
// default-GM links point at whichever GM font package is installed.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",        "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",          "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
};

// Patch-set configurations the mixer's built-in Timidity can read (GUS patches;
// it does not understand the sound-font lines of timgm6mb.cfg).
constexpr const char* kTimidityConfigs[] = {
    "/etc/timidity.cfg",
    "/etc/timidity/timidity.cfg",
    "/etc/timidity/freepats.cfg",
};

template <size_t N>
const char* FirstExisting(const char* const (&paths)[N]) {
  for (const char* path : paths) {
    if (core::IsFile(path)) return path;
  }
  return nullptr;
}

bool AudioOpen() { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0; }

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// The chunk layout of a Standard MIDI File: a header and as many whole track
// chunks as it announces. The synthesiser takes any bytes at load time and only
// fails while playing, so damaged files are caught here.
bool IsStandardMidi(const uint8_t* data, int32_t size) {
  const uint64_t length = static_cast<uint64_t>(size);
  if (length < 14 || std::memcmp(data, "MThd", 4) != 0) return false;
  const uint64_t headerLength = BigEndian32(data + 4);
  const unsigned tracks = (unsigned(data[10]) << 8) | data[11];
  if (headerLength < 6 || tracks == 0) return false;
  uint64_t pos = 8 + headerLength;
  for (unsigned t = 0; t < tracks; ++t) {
    if (pos + 8 > length || std::memcmp(data + pos, "MTrk", 4) != 0) return false;
    pos += 8 + uint64_t(BigEndian32(data + pos + 4));
    if (pos > length) return false;
  }
  return true;
}

}  // namespace

LMusic::~LMusic() { Shutdown(); }

void LMusic::PrepareSynth() {
  bool found = false;
  if (std::getenv("SDL_SOUNDFONTS")) {
    found = true;
  } else if (const char* font = FirstExisting(kSoundFonts)) {
    Mix_SetSoundFonts(font);
    found = true;
  }
  if (std::getenv("TIMIDITY_CFG")) {
    found = true;
  } else if (const char* config = FirstExisting(kTimidityConfigs)) {
    setenv("TIMIDITY_CFG", config, 0);
    found = true;
  }
  if (!found) {
    std::fprintf(stderr,
                 "Warning(LMusic::PrepareSynth): no MIDI sound font or patch set found; "
                 "the music stays silent.\n");
  }
}

bool LMusic::Load(const std::string& pattern) {
  playList_ = Archive().ListFiles(pattern);
  MusicReady = true;
  failuresInRow_ = 0;
  return true;
}

void LMusic::Start(int volume, bool on) {
  Load("Dat/midi/*");
  SetVolume(volume);
  SetOn(on);
}

bool LMusic::IsBusy() const {
  if (!tune_ || !AudioOpen()) return false;
  return Mix_PlayingMusic() || Mix_PausedMusic();
}

void LMusic::Play(int index, int onlyIfIdle) {
  if (!MusicOn || !MusicReady) return;
  const int count = static_cast<int>(playList_.size());
  if (index == -1) index = count > 0 ? rnd::PresentationStream().Below(count) : 0;
  if (index < 0 || index >= count) return;
  if (onlyIfIdle == 1 && IsBusy()) return;
  ReleaseTune();
  if (LoadTune(playList_[index])) {
    failuresInRow_ = 0;
  } else {
    ++failuresInRow_;
  }
}

bool LMusic::LoadTune(const std::string& name) {
  std::unique_ptr<uint8_t[]> data;
  int32_t size = Archive().LoadFile(name, data);
  if (size < 0) {
    std::fprintf(stderr, "Error(LMusic::Init()):  Unable to load file: %s\n", name.c_str());
    return false;
  }
  if (!AudioOpen()) {
    std::fprintf(stderr, "Unable to load MIDI file %s: %s\n", name.c_str(),
                 "Audio device hasn't been opened");
    return false;
  }
  if (!IsStandardMidi(data.get(), size)) {
    std::fprintf(stderr, "Unable to load MIDI file %s: %s\n", name.c_str(),
                 "Not a Standard MIDI File");
    return false;
  }
  SDL_RWops* stream = SDL_RWFromMem(data.get(), size);
  Mix_Music* tune = stream ? Mix_LoadMUSType_RW(stream, MUS_MID, 0) : nullptr;
  if (!tune) {
    std::fprintf(stderr, "Unable to load MIDI file %s: %s\n", name.c_str(), Mix_GetError());
    if (stream) SDL_RWclose(stream);
    return false;
  }
  tune_ = tune;
  stream_ = stream;
  data_ = std::move(data);
  currentName_ = name;
  if (Mix_PlayMusic(tune_, 0) < 0) {
    std::fprintf(stderr, "Unable to play MIDI file %s: %s\n", name.c_str(), Mix_GetError());
    return false;
  }
  return true;
}

void LMusic::Update() {
  if (!MusicOn || IsBusy()) return;
  // Every tune of the list failed in a row (no synthesiser, say): stop retrying
  // each frame until the music is switched on again or the list is rebuilt.
  if (failuresInRow_ > 0 && failuresInRow_ >= playList_.size()) return;
  Play(-1, 1);
}

void LMusic::SetOn(bool on) {
  if (on == MusicOn) return;
  MusicOn = on;
  if (on) {
    failuresInRow_ = 0;
    Play(-1, 1);
  } else if (AudioOpen()) {
    Mix_HaltMusic();
  }
}

void LMusic::SetVolume(int volume) {
  if (!MusicReady) return;
  MusicVolume = volume;
  Mix_VolumeMusic(volume);
}

void LMusic::Pause() {
  if (AudioOpen()) Mix_PauseMusic();
}

void LMusic::Resume() {
  if (AudioOpen()) Mix_ResumeMusic();
}

void LMusic::ReleaseTune() {
  if (tune_) {
    // Freeing a playing tune halts it first.
    Mix_FreeMusic(tune_);
    tune_ = nullptr;
  }
  if (stream_) {
    SDL_RWclose(stream_);
    stream_ = nullptr;
  }
  data_.reset();
}

void LMusic::Shutdown() { ReleaseTune(); }

LMusic& Music() {
  static LMusic music;
  return music;
}
