// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"

#include <algorithm>
#include <cstdlib>

namespace music {

namespace {

constexpr uint32_t kBeat = midi::kDivision;
constexpr uint32_t kEighth = kBeat / 2;
constexpr uint32_t kSixteenth = kBeat / 4;
constexpr int kIntroBars = 4;
constexpr int kEndingBars = 2;
constexpr double kEndingSlowdown = 0.8;

// Channels of the parts; 9 is General MIDI's percussion channel.
enum Channel { kLead = 0, kCounter = 1, kComp = 2, kBass = 3, kPad = 4, kDrums = 9 };

// General MIDI percussion keys.
enum Drum {
  kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kPedalHat = 44, kLowTom = 45,
  kOpenHat = 46, kMidTom = 47, kHighTom = 50, kCrash = 49, kRide = 51, kTambourine = 54
};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod(int a, int b) { return a - FloorDiv(a, b) * b; }

// Where each chord likes to go next: the usual pull of tonal harmony towards the
// dominant and home (degrees counted from 0 = tonic).
const std::vector<std::vector<int>> kNextDegree = {
    {3, 4, 5, 1, 3}, {4, 4, 3}, {5, 3}, {4, 0, 1, 4}, {0, 5, 0}, {1, 3, 3}, {0},
};

// Bar rhythms in eighths, calm and busy, for four and three beats.
const std::vector<std::vector<int>> kCalm4 = {{4, 4}, {2, 2, 4}, {4, 2, 2}, {3, 1, 4}, {6, 2}, {2, 2, 2, 2}};
const std::vector<std::vector<int>> kBusy4 = {{2, 2, 2, 2}, {1, 1, 2, 2, 2}, {2, 1, 1, 2, 2}, {3, 1, 2, 2},
                                              {1, 1, 1, 1, 2, 2}, {2, 2, 1, 1, 2}, {3, 1, 3, 1}};
const std::vector<std::vector<int>> kCadence4 = {{4, 4}, {8}, {2, 6}, {6, 2}};
const std::vector<std::vector<int>> kCalm3 = {{6}, {4, 2}, {2, 2, 2}, {3, 1, 2}};
const std::vector<std::vector<int>> kBusy3 = {{2, 2, 2}, {2, 1, 1, 2}, {1, 1, 2, 2}, {3, 1, 1, 1}, {2, 2, 1, 1}};
const std::vector<std::vector<int>> kCadence3 = {{6}, {4, 2}};

// Melodic steps, mostly by step, sometimes by leap.
const int kSteps[] = {-1, -1, -1, 1, 1, 1, -2, 2, 2, 0, 3, -3};

}  // namespace

Composer::Composer(const Style& style) : style_(style), rng_(style.seed) {}

int Composer::Rand(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<uint32_t>(n)) : 0; }

bool Composer::Chance(double p) { return (rng_() % 10000) < p * 10000.0; }

int Composer::KeyOfStep(int step, int chordDegree) const {
  int octave = FloorDiv(step, 7), index = Mod(step, 7);
  int key = style_.tonic + 12 * octave + style_.scale[index];
  // Harmonic minor: the dominant chord's third is the raised seventh step.
  if (style_.raiseLeadingTone && index == 6 && chordDegree == 4) ++key;
  return key;
}

int Composer::ChordTone(int degree, int tone) const { return degree + 2 * tone; }

bool Composer::IsChordStep(int step, int degree) const {
  int m = Mod(step - degree, 7);
  return m == 0 || m == 2 || m == 4;
}

int Composer::NearestChordStep(int step, int degree) const {
  for (int d = 0; d < 4; ++d) {
    if (IsChordStep(step + d, degree)) return step + d;
    if (IsChordStep(step - d, degree)) return step - d;
  }
  return step;
}

uint32_t Composer::BarTicks() const { return static_cast<uint32_t>(style_.beatsPerBar) * kBeat; }

uint32_t Composer::Place(uint32_t tick) const {
  return style_.swing && tick % kBeat == kEighth ? tick + kEighth / 3 : tick;
}

Composer::Progression Composer::MakeProgression(bool answer) {
  Progression p(8, 0);
  p[0] = answer ? (Chance(0.5) ? 3 : 5) : 0;
  for (size_t i = 1; i < p.size(); ++i) {
    const std::vector<int>& options = kNextDegree[p[i - 1]];
    p[i] = options[Rand(static_cast<int>(options.size()))];
  }
  // Phrase endings: a half cadence in the middle of the theme and a full one at its
  // end; the contrasting section closes on the dominant to lead back home.
  p[5] = Chance(0.5) ? 1 : 3;
  if (answer) {
    p[6] = Chance(0.5) ? 0 : 5;
    p[7] = 4;
  } else {
    p[3] = 4;
    p[6] = 4;
    p[7] = 0;
  }
  return p;
}

std::vector<int> Composer::BarRhythm(bool cadence) {
  const bool three = style_.beatsPerBar == 3;
  const auto& pool = cadence ? (three ? kCadence3 : kCadence4)
                             : Chance(style_.density) ? (three ? kBusy3 : kBusy4)
                                                      : (three ? kCalm3 : kCalm4);
  return pool[Rand(static_cast<int>(pool.size()))];
}

std::vector<int> Composer::Contour(size_t notes) {
  std::vector<int> steps(notes);
  for (int& s : steps) s = kSteps[Rand(static_cast<int>(std::size(kSteps)))];
  return steps;
}

void Composer::MelodyBar(uint32_t start, const std::vector<int>& rhythm, const std::vector<int>& contour,
                         int degree, bool harmonised) {
  constexpr int kLow = -2, kHigh = 11;
  const int strongEvery = style_.beatsPerBar == 3 ? 6 : 4;
  int pos = 0;
  for (size_t i = 0; i < rhythm.size(); ++i) {
    int step = melodyStep_ + contour[i % contour.size()];
    if (step > kHigh) step = melodyStep_ - std::abs(contour[i % contour.size()]) - 1;
    if (step < kLow) step = melodyStep_ + std::abs(contour[i % contour.size()]) + 1;
    const bool strong = pos % strongEvery == 0;
    // Stressed and held notes sound the chord; the others may pass between.
    if (strong || rhythm[i] >= 3) step = NearestChordStep(step, degree);
    melodyStep_ = step;
    const uint32_t tick = start + static_cast<uint32_t>(pos) * kEighth;
    const uint32_t length = static_cast<uint32_t>(rhythm[i]) * kEighth * 9 / 10;
    pos += rhythm[i];
    if (i > 0 && Chance(0.07)) continue;  // a breath
    const int velocity = 82 + (strong ? 10 : 0) + Rand(9) - 4;
    lead_.push_back({Place(tick), length, KeyOfStep(step, degree), velocity});
    if (harmonised) {
      // A third below, or on stressed notes the next chord tone below.
      int below = strong ? NearestChordStep(step - 2, degree) : step - 2;
      if (below >= step) below = step - 3;
      counter_.push_back({Place(tick), length, KeyOfStep(below, degree), velocity - 16});
    }
  }
}

void Composer::MelodySection(uint32_t start, const Progression& prog, char label, int occurrence, bool last) {
  // The theme of a section letter is the same every time it comes back; only its
  // middle bars vary on repeats.
  const std::mt19937 saved = rng_;
  rng_.seed(style_.seed * 7919u + static_cast<uint32_t>(label));
  std::vector<std::vector<int>> rhythm(8), contour(8);
  rhythm[0] = BarRhythm(false);
  rhythm[1] = BarRhythm(false);
  for (int b : {0, 1}) contour[b] = Contour(rhythm[b].size());
  rhythm[2] = rhythm[0], contour[2] = contour[0];  // the motif again, over new chords
  rhythm[3] = rhythm[1], contour[3] = contour[1];
  rhythm[4] = rhythm[0];
  for (int b : {5, 6}) rhythm[b] = BarRhythm(false);
  rhythm[7] = BarRhythm(true);
  for (int b : {4, 5, 6, 7}) contour[b] = Contour(rhythm[b].size());
  rng_ = saved;
  if (occurrence > 0) {
    rhythm[5] = BarRhythm(false);
    contour[5] = Contour(rhythm[5].size());
  }
  melodyStep_ = label == 'A' ? 4 : 7;
  for (int b = 0; b < 8; ++b) MelodyBar(start + b * BarTicks(), rhythm[b], contour[b], prog[b], last);
  // Close the phrase: home on the tonic, or on a tone of the dominant chord.
  const int target = label == 'A' ? (melodyStep_ >= 4 ? 7 : 0) : NearestChordStep(melodyStep_, 4);
  if (!lead_.empty()) lead_.back().key = KeyOfStep(target, prog[7]);
  if (last && !counter_.empty()) counter_.back().key = KeyOfStep(target - 3, prog[7]);
  melodyStep_ = target;
}

std::vector<int> Composer::Voicing(int degree) {
  // Close position inside one fixed octave: the chord tones settle into whichever
  // inversion lies there, which keeps the voices moving by small steps.
  std::vector<int> keys;
  for (int tone = 0; tone < 3; ++tone) {
    int key = KeyOfStep(ChordTone(degree, tone), degree);
    while (key < 55) key += 12;
    while (key >= 67) key -= 12;
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  keys.push_back(keys[0] + 12);
  return keys;
}

void Composer::BassBar(uint32_t start, int degree, int nextDegree) {
  int root = KeyOfStep(degree, degree) - 24;
  int shift = 0;
  while (root + shift < 34) shift += 12;
  while (root + shift > 50) shift -= 12;
  root += shift;
  const int fifth = KeyOfStep(degree + 4, degree) - 24 + shift;
  const int third = KeyOfStep(degree + 2, degree) - 24 + shift;
  const int next = KeyOfStep(nextDegree, nextDegree) - 24 + shift;
  const int beats = style_.beatsPerBar;
  auto note = [&](int beat, int lengthBeats, int key, int velocity) {
    bass_.push_back({Place(start + beat * kBeat), lengthBeats * kBeat * 9 / 10, key, velocity + Rand(7) - 3});
  };
  switch (style_.bass) {
    case BassKind::Held:
      note(0, beats, root, 80);
      break;
    case BassKind::RootFifth:
      note(0, beats == 4 ? 2 : 2, root, 92);
      note(2, beats - 2, fifth, 80);
      break;
    case BassKind::Walking: {
      // Root, chord tones, then a half-step approach into the next bar's root.
      const int approach = next + (next > fifth ? -1 : 1);
      const int line[] = {root, Chance(0.5) ? third : fifth, beats == 4 ? fifth : approach, approach};
      for (int b = 0; b < beats; ++b) note(b, 1, line[b], b == 0 ? 92 : 78);
      break;
    }
    case BassKind::Pulse: {
      const int line[] = {root, fifth, root + 12, fifth};
      for (int b = 0; b < beats; ++b) note(b, 1, line[b], b == 0 ? 95 : 80);
      break;
    }
    case BassKind::Downbeat:
      note(0, 1, root, 90);
      if (beats == 4) note(2, 1, fifth, 80);
      break;
  }
}

void Composer::CompBar(uint32_t start, int degree) {
  const std::vector<int> v = Voicing(degree);
  const uint32_t bar = BarTicks();
  auto chord = [&](uint32_t at, uint32_t length, int velocity) {
    for (size_t i = 0; i < 3; ++i) comp_.push_back({Place(start + at), length, v[i], velocity + Rand(5) - 2});
  };
  switch (style_.comp) {
    case CompKind::Pad:
      chord(0, bar - kSixteenth, 58);
      break;
    case CompKind::Arpeggio: {
      const int order[] = {0, 1, 2, 3, 2, 1, 0, 1};
      for (int i = 0; i < style_.beatsPerBar * 2; ++i) {
        comp_.push_back({Place(start + i * kEighth), kEighth * 3 / 2, v[order[i]], 60 + (i % 2 ? 0 : 8) + Rand(5)});
      }
      break;
    }
    case CompKind::Offbeat:
      for (int b = 0; b < style_.beatsPerBar; ++b) chord(b * kBeat + kEighth, kEighth * 2 / 3, b % 2 ? 70 : 62);
      break;
    case CompKind::Waltz:
      for (int b = 1; b < style_.beatsPerBar; ++b) chord(b * kBeat, kEighth, 60);
      break;
  }
  if (style_.padProgram >= 0) {
    for (int key : v) pad_.push_back({start, bar, key + 12, 44});
  }
}

void Composer::DrumBar(uint32_t start, bool fill, bool crash) {
  if (style_.drums == DrumKind::None) return;
  const int cells = style_.beatsPerBar * 4;
  const int fillFrom = fill ? cells / 2 : cells;
  auto hit = [&](int cell, int key, int velocity) {
    drums_.push_back({Place(start + cell * kSixteenth), kSixteenth, key, velocity + Rand(9) - 4});
  };
  if (crash) hit(0, kCrash, 88);
  for (int c = 0; c < fillFrom; ++c) {
    const bool beat = c % 4 == 0, eighth = c % 2 == 0;
    const bool backbeat = beat && (c / 4) % 2 == 1;
    switch (style_.drums) {
      case DrumKind::Pop:
        if (c == 0 || (c == cells / 2 && style_.beatsPerBar == 4) || (c == 10 && Chance(0.3))) hit(c, kKick, 96);
        if (backbeat) hit(c, kSnare, 88);
        if (eighth) hit(c, c == cells - 2 && Chance(0.3) ? kOpenHat : kClosedHat, beat ? 70 : 56);
        break;
      case DrumKind::Brushes:
        if (c == 0) hit(c, kKick, 62);
        if (backbeat) hit(c, kSideStick, 58);
        if (beat || c % 4 == 2) hit(c, kRide, beat ? 58 : 46);
        if (backbeat) hit(c, kPedalHat, 44);
        break;
      case DrumKind::Reel:
        if (c == 0 || c == 8) hit(c, kKick, 92);
        if (backbeat) hit(c, kSnare, 62);
        if (eighth) hit(c, kTambourine, beat ? 64 : 48);
        if (c == 14 && Chance(0.5)) hit(c, kLowTom, 70);
        break;
      case DrumKind::None:
        break;
    }
  }
  const int toms[] = {kHighTom, kHighTom, kMidTom, kMidTom, kLowTom, kLowTom, kLowTom, kLowTom};
  for (int c = fillFrom, i = 0; c < cells; ++c, ++i) hit(c, toms[std::min(i, 7)], 70 + 3 * i);
}

void Composer::Ending(uint32_t start) {
  const uint32_t length = kEndingBars * BarTicks() - kBeat;
  const int home = melodyStep_ >= 4 ? 7 : 0;
  lead_.push_back({start, length, KeyOfStep(home, 0), 86});
  for (int key : Voicing(0)) comp_.push_back({start, length, key, 62});
  if (style_.padProgram >= 0) {
    for (int key : Voicing(0)) pad_.push_back({start, length, key + 12, 50});
  }
  int root = KeyOfStep(0, 0) - 24;
  while (root < 34) root += 12;
  bass_.push_back({start, length, root, 92});
  if (style_.drums != DrumKind::None) {
    drums_.push_back({start, kBeat, kCrash, 92});
    drums_.push_back({start, kBeat, kKick, 96});
  }
}

std::vector<midi::Track> Composer::Compose() {
  lead_.clear(), counter_.clear(), comp_.clear(), bass_.clear(), pad_.clear(), drums_.clear();
  const uint32_t bar = BarTicks();
  const Progression theme = MakeProgression(false);
  const Progression contrast = MakeProgression(true);
  const Progression intro = {0, 3, 4, 4};
  uint32_t tick = 0;
  for (int b = 0; b < kIntroBars; ++b, tick += bar) {
    BassBar(tick, intro[b], b + 1 < kIntroBars ? intro[b + 1] : 0);
    CompBar(tick, intro[b]);
    DrumBar(tick, b == kIntroBars - 1, false);
  }
  int seen[26] = {};
  for (size_t s = 0; s < style_.form.size(); ++s) {
    const char label = style_.form[s];
    const Progression& prog = label == 'A' ? theme : contrast;
    const bool last = s + 1 == style_.form.size();
    MelodySection(tick, prog, label, seen[(label - 'A') % 26]++, last);
    for (int b = 0; b < 8; ++b, tick += bar) {
      BassBar(tick, prog[b], b < 7 ? prog[b + 1] : (last ? 0 : theme[0]));
      CompBar(tick, prog[b]);
      DrumBar(tick, b == 7, b == 0);
    }
  }
  Ending(tick);

  midi::Track conductor(style_.title);
  conductor.Tempo(0, style_.bpm);
  conductor.TimeSignature(0, style_.beatsPerBar, 4);
  conductor.Tempo(tick, style_.bpm * kEndingSlowdown);
  const double beatSeconds = 60.0 / style_.bpm;
  const int endingBeats = kEndingBars * style_.beatsPerBar - 1;  // the last chord's length
  seconds_ = tick / double(kBeat) * beatSeconds + endingBeats * beatSeconds / kEndingSlowdown;

  std::vector<midi::Track> tracks;
  tracks.push_back(conductor);
  auto part = [&](const char* name, int channel, int program, int volume, int pan, const std::vector<Note>& notes) {
    if (notes.empty() || (channel != kDrums && program < 0)) return;
    midi::Track t(name);
    if (channel != kDrums) t.Program(0, channel, program);
    t.Control(0, channel, 7, volume);
    t.Control(0, channel, 10, pan);
    t.Control(0, channel, 91, 50);
    for (const Note& n : notes) t.Note(n.tick, n.length, channel, n.key, n.velocity);
    tracks.push_back(std::move(t));
  };
  part("Melody", kLead, style_.leadProgram, 104, 64, lead_);
  part("Second voice", kCounter, style_.counterProgram, 84, 84, counter_);
  part("Chords", kComp, style_.compProgram, 78, 44, comp_);
  part("Bass", kBass, style_.bassProgram, 98, 64, bass_);
  part("Pad", kPad, style_.padProgram, 64, 90, pad_);
  part("Drums", kDrums, 0, 86, 64, drums_);
  return tracks;
}

}  // namespace music
