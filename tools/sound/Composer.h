// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes original tunes from a few rules of tonal music: functional chord
// progressions, motif-based melodies that land on chord tones, and bass, chord and
// drum parts whose patterns follow a style. Each style arranges its sections in
// its own way: which instruments open, a section that rests on a solo voice, one
// that builds up layer by layer, and its own drum fills and ending. Every choice
// comes from a seeded generator, so a style always yields the same tune.
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Midi.h"

namespace music {

constexpr uint32_t kBeat = midi::kDivision;
constexpr uint32_t kEighth = kBeat / 2;
constexpr uint32_t kSixteenth = kBeat / 4;

enum class BassKind { Held, RootFifth, Walking, Pulse, Downbeat };
enum class CompKind { Pad, Arpeggio, Offbeat, Waltz };
enum class DrumKind { None, Pop, Brushes, Reel };
// The closing gesture of a tune.
enum class EndingKind {
  StopTime,  // two short tutti stabs, then the last chord
  JazzTag,   // a chord a half step above slides into a tonic with sixth and ninth
  RunUp,     // the melody runs up to the tonic, two short hits close
  Rolled,    // the last chord rolled upwards like a harp, note by note
  Picardy    // a minor tune closes on the major tonic, the guitar slowing down
};

// The instruments of an arrangement; each part has its own MIDI channel.
enum Part { kLead, kCounter, kComp, kBass, kPad, kSolo, kDrums, kPartCount };
constexpr unsigned Bit(Part p) { return 1u << p; }

struct Style {
  std::string file;   // archive name, "Dat/midi/..."
  std::string title;  // the tune's name, written into its first track
  uint32_t seed;
  int tonic;               // MIDI key of the tonic in the melody's octave
  std::vector<int> scale;  // the mode: seven semitone offsets from the tonic
  bool raiseLeadingTone;   // minor modes: the dominant chord takes a major third
  double bpm;
  int beatsPerBar;  // 3 or 4, quarter-note beats
  bool swing;       // off-beat eighths played late
  double density;   // 0..1: how busy the melody is
  // General MIDI programs, -1 = none. The counter voice joins in the last
  // section and at the top of a build; the solo voice carries resting sections.
  int leadProgram, compProgram, bassProgram, padProgram, counterProgram, soloProgram;
  BassKind bass;
  CompKind comp;
  DrumKind drums;
  EndingKind ending;
  int introBars;
  unsigned introParts;  // Bit(...) of the parts that play the intro
  // How loud this tune's band plays against the others, in dB on every channel
  // volume, so that all tunes sit at one level in the game's mix.
  double levelDb;
  // Sections after the intro, separated by spaces: "A" and "B" are the two themes
  // in full, "a" and "b" rest on the solo voice, "^A" and "^B" build up.
  std::string form;
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
  enum class Texture { Full, Build, Rest };

  int Rand(int n);
  bool Chance(double p);
  int KeyOfStep(int step, int chordDegree) const;
  int ChordTone(int degree, int tone) const;  // scale step of the tone-th chord note
  bool IsChordStep(int step, int degree) const;
  int NearestChordStep(int step, int degree) const;
  uint32_t BarTicks() const;
  uint32_t Place(uint32_t tick) const;  // applies the swing
  int BassRoot(int degree) const;

  // Every note goes through here: parts left out of the bar's texture are
  // dropped, and the bar's dynamic shifts the velocity.
  void Emit(Part part, const Note& note);
  void SetBar(unsigned parts, int dynamic);

  Progression MakeProgression(bool answer);
  std::vector<int> BarRhythm(bool cadence);
  std::vector<int> Contour(size_t notes);
  void MelodySection(uint32_t start, const Progression& prog, char label, int occurrence,
                     bool harmonised);
  void SetTexture(int bar);  // the parts and dynamic of a section's bar
  void MelodyBar(uint32_t start, const std::vector<int>& rhythm, const std::vector<int>& contour,
                 int degree, bool harmonised);
  uint32_t Intro();                                      // returns its length in ticks
  std::vector<midi::Track> Tracks(uint32_t endingTick);  // the parts as MIDI, with the tempo map
  void Section(uint32_t start, const std::string& token, bool last, const Progression& theme,
               const Progression& contrast);
  void BassBar(uint32_t start, int degree, int nextDegree);
  void CompBar(uint32_t start, int degree);
  std::vector<int> Voicing(int degree);

  // Drums and accents (Accents.cpp), each in the style's own figures.
  void DrumBar(uint32_t start, bool fill, bool sectionStart);
  void GrooveCell(int cell, int cells);
  void FillCell(int cell, int from, int cells);
  void SectionMark();
  void Ending(uint32_t start);
  struct Close;  // what every ending works from (Accents.cpp)
  void Tutti(const Close& c, uint32_t at, uint32_t length, int leadKey, int velocity);
  void EndStopTime(const Close& c);
  void EndJazzTag(const Close& c);
  void EndRunUp(const Close& c);
  void EndRolled(const Close& c);
  void EndPicardy(const Close& c);
  double EndingSlowdown() const;  // the tempo of the ending against the tune's
  void Chord(uint32_t at, uint32_t length, const std::vector<int>& keys, int velocity);
  void DrumHit(int cell, int key, int velocity);  // in sixteenths from drumBar_

  Style style_;
  std::mt19937 rng_;
  std::array<std::vector<Note>, kPartCount> parts_;
  Texture texture_ = Texture::Full;
  int seen_[256] = {};  // times each section letter has sounded
  Part melodyPart_ = kLead;
  bool calm_ = false;  // melody rhythms from the calm pool only
  unsigned barParts_ = ~0u;
  int barDynamic_ = 0;
  uint32_t drumBar_ = 0;  // start of the bar the drum cells belong to
  int melodyStep_ = 0;
  double seconds_ = 0.0;
};

// The game's tunes, each in its own mood, tempo and arrangement.
const std::vector<Style>& TuneStyles();

}  // namespace music
