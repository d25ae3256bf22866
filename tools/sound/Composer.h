// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes original tunes from a few rules of tonal music: functional chord
// progressions, motif-based melodies that land on chord tones, and bass, chord and
// drum parts whose patterns follow a style. Every choice comes from a seeded
// generator, so a style always yields the same tune.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Midi.h"

namespace music {

enum class BassKind { Held, RootFifth, Walking, Pulse, Downbeat };
enum class CompKind { Pad, Arpeggio, Offbeat, Waltz };
enum class DrumKind { None, Pop, Brushes, Reel };

struct Style {
  std::string file;   // archive name, "Dat/midi/..."
  std::string title;  // the tune's name, written into its first track
  uint32_t seed;
  int tonic;                // MIDI key of the tonic in the melody's octave
  std::vector<int> scale;   // the mode: seven semitone offsets from the tonic
  bool raiseLeadingTone;    // minor modes: the dominant chord takes a major third
  double bpm;
  int beatsPerBar;          // 3 or 4, quarter-note beats
  bool swing;               // off-beat eighths played late
  double density;           // 0..1: how busy the melody is
  int leadProgram, compProgram, bassProgram, padProgram;  // General MIDI, -1 = none
  int counterProgram;       // second melody voice in the last section, -1 = none
  BassKind bass;
  CompKind comp;
  DrumKind drums;
  std::string form;         // section letters after the intro, e.g. "AABABA"
};

struct Note {
  uint32_t tick;
  uint32_t length;
  int key;
  int velocity;
};

class Composer {
 public:
  explicit Composer(const Style& style);
  // The tune as MIDI tracks: conductor first, then one track per part.
  std::vector<midi::Track> Compose();
  // Length in seconds of the last composed tune, from its tempo map.
  double Seconds() const { return seconds_; }

 private:
  using Progression = std::vector<int>;  // one scale degree per bar

  int Rand(int n);
  bool Chance(double p);
  int KeyOfStep(int step, int chordDegree) const;
  int ChordTone(int degree, int tone) const;  // scale step of the tone-th chord note
  bool IsChordStep(int step, int degree) const;
  int NearestChordStep(int step, int degree) const;
  uint32_t BarTicks() const;
  uint32_t Place(uint32_t tick) const;  // applies the swing

  Progression MakeProgression(bool answer);
  std::vector<int> BarRhythm(bool cadence);
  std::vector<int> Contour(size_t notes);
  void MelodySection(uint32_t start, const Progression& prog, char label, int occurrence, bool last);
  void MelodyBar(uint32_t start, const std::vector<int>& rhythm, const std::vector<int>& contour,
                 int degree, bool harmonised);
  void BassBar(uint32_t start, int degree, int nextDegree);
  void CompBar(uint32_t start, int degree);
  void DrumBar(uint32_t start, bool fill, bool crash);
  void Ending(uint32_t start);
  std::vector<int> Voicing(int degree);

  Style style_;
  std::mt19937 rng_;
  std::vector<Note> lead_, counter_, comp_, bass_, pad_, drums_;
  std::vector<int> voicing_;
  int melodyStep_ = 0;
  double seconds_ = 0.0;
};

// The game's tunes, each in its own mood and tempo.
const std::vector<Style>& TuneStyles();

}  // namespace music
