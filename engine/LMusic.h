// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MIDI music: a play list of archive names from which random tunes play one after
// another. Without an audio device or a MIDI synthesiser every attempt to play
// fails with a log line and the game simply runs without music.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _Mix_Music;
struct SDL_RWops;

class LMusic {
 public:
  LMusic() = default;
  ~LMusic();
  LMusic(const LMusic&) = delete;
  LMusic& operator=(const LMusic&) = delete;

  // Fills the play list with the archive names matching pattern; always true.
  bool Load(const std::string& pattern = "./*.mid");
  // Start-up in one call: the play list from "Dat/midi/*", the volume, the switch.
  void Start(int volume, bool on);

  // Plays play-list entry index once (-1: a random one). With onlyIfIdle = 1 a
  // tune that is playing or paused is left alone.
  void Play(int index, int onlyIfIdle);
  // Once per frame step: starts another random tune when the last one has ended.
  void Update();
  // Switches the music on (starting a random tune) or off (stopping it).
  void SetOn(bool on);
  // Music volume 0..128; only once a play list exists.
  void SetVolume(int volume);
  void Pause();
  void Resume();
  // Stops and releases the current tune.
  void Shutdown();

  bool IsOn() const { return MusicOn; }
  bool IsReady() const { return MusicReady; }
  int32_t Volume() const { return MusicVolume; }
  const std::vector<std::string>& PlayList() const { return playList_; }
  // Name of the tune playing or last played; empty when none has loaded.
  const std::string& CurrentName() const { return currentName_; }
  // True while a tune is loaded and the mixer is playing or pausing it.
  bool IsBusy() const;

  // Points the mixer's MIDI synthesisers at the system's sound font or patch set
  // when the environment does not name one. Must run before the device opens.
  static void PrepareSynth();

 private:
  void ReleaseTune();
  bool LoadTune(const std::string& name);

  bool MusicOn = false;
  int32_t MusicVolume = 128;
  bool MusicReady = false;
  std::vector<std::string> playList_;
  // The current tune with the memory block and stream it is read from; the mixer
  // may read from them until the tune is freed, so all three live together.
  _Mix_Music* tune_ = nullptr;
  SDL_RWops* stream_ = nullptr;
  std::unique_ptr<uint8_t[]> data_;
  std::string currentName_;
  // Failed loads in a row; stops the per-frame retries from flooding the log.
  size_t failuresInRow_ = 0;
};

// The program-wide music player.
LMusic& Music();
