// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace music {

namespace {

// The MIDI channel of each part (indexed by Part); 9 is General MIDI's percussion.
constexpr int kChannel[kPartCount] = {0, 1, 2, 3, 4, 5, 9};

// The music's level in the game's mix, in dB on every part's channel volume
// (0 dB = volume 127, the most General MIDI allows). It sets how far the tunes sit
// under the sound effects at the game's default volumes; the engine's mix
// loudness test measures that distance.
constexpr double kMusicGainDb = -2.0;
// The balance of the parts, in dB against the melody, and their stereo places.
constexpr double kBalanceDb[kPartCount] = {0.0, -3.5, -5.0, -1.0, -8.5, -0.5, -3.0};
constexpr int kPan[kPartCount] = {64, 84, 44, 64, 90, 58, 64};

int ChannelVolume(Part part, double levelDb) {
  const double db = kMusicGainDb + levelDb + kBalanceDb[part];
  return std::clamp(static_cast<int>(std::lround(127.0 * std::pow(10.0, db / 40.0))), 1, 127);
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod(int a, int b) { return a - FloorDiv(a, b) * b; }

// Where each chord likes to go next: the usual pull of tonal harmony towards the
// dominant and home (degrees counted from 0 = tonic).
const std::vector<std::vector<int>> kNextDegree = {
    {3, 4, 5, 1, 3}, {4, 4, 3}, {5, 3}, {4, 0, 1, 4}, {0, 5, 0}, {1, 3, 3}, {0},
};

// Bar rhythms in eighths, calm and busy, for four and three beats.
const std::vector<std::vector<int>> kCalm4 = {{4, 4},    {2, 2, 4}, {4, 2, 2},
                                              {3, 1, 4}, {6, 2},    {2, 2, 2, 2}};
const std::vector<std::vector<int>> kBusy4 = {{2, 2, 2, 2}, {1, 1, 2, 2, 2},    {2, 1, 1, 2, 2},
                                              {3, 1, 2, 2}, {1, 1, 1, 1, 2, 2}, {2, 2, 1, 1, 2},
                                              {3, 1, 3, 1}};
const std::vector<std::vector<int>> kCadence4 = {{4, 4}, {8}, {2, 6}, {6, 2}};
const std::vector<std::vector<int>> kCalm3 = {{6}, {4, 2}, {2, 2, 2}, {3, 1, 2}};
const std::vector<std::vector<int>> kBusy3 = {
    {2, 2, 2}, {2, 1, 1, 2}, {1, 1, 2, 2}, {3, 1, 1, 1}, {2, 2, 1, 1}};
const std::vector<std::vector<int>> kCadence3 = {{6}, {4, 2}};
// A resting voice: one or two long notes a bar.
const std::vector<std::vector<int>> kSparse4 = {{4, 4}, {6, 2}, {8}, {2, 6}, {3, 5}};
const std::vector<std::vector<int>> kSparse3 = {{6}, {4, 2}, {2, 4}};

// Melodic steps, mostly by step, sometimes by leap.
const int kSteps[] = {-1, -1, -1, 1, 1, 1, -2, 2, 2, 0, 3, -3};

}  // namespace

Composer::Composer(const Style& style) : style_(style), rng_(style.seed) {}

int Composer::Rand(int n) {
  return n > 0 ? static_cast<int>(rng_() % static_cast<uint32_t>(n)) : 0;
}

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
  const auto& pool = cadence                  ? (three ? kCadence3 : kCadence4)
                     : calm_                  ? (three ? kSparse3 : kSparse4)
                     : Chance(style_.density) ? (three ? kBusy3 : kBusy4)
                                              : (three ? kCalm3 : kCalm4);
  return pool[Rand(static_cast<int>(pool.size()))];
}

std::vector<int> Composer::Contour(size_t notes) {
  std::vector<int> steps(notes);
  for (int& s : steps) s = kSteps[Rand(static_cast<int>(std::size(kSteps)))];
  return steps;
}

void Composer::Emit(Part part, const Note& note) {
  if (!(barParts_ & Bit(part))) return;
  Note n = note;
  n.velocity = std::clamp(n.velocity + barDynamic_, 1, 127);
  parts_[part].push_back(n);
}

void Composer::SetBar(unsigned parts, int dynamic) {
  barParts_ = parts;
  barDynamic_ = dynamic;
}

void Composer::MelodyBar(uint32_t start, const std::vector<int>& rhythm,
                         const std::vector<int>& contour, int degree, bool harmonised) {
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
    Emit(melodyPart_, {Place(tick), length, KeyOfStep(step, degree), velocity});
    if (harmonised) {
      // A third below, or on stressed notes the next chord tone below.
      int below = strong ? NearestChordStep(step - 2, degree) : step - 2;
      if (below >= step) below = step - 3;
      Emit(kCounter, {Place(tick), length, KeyOfStep(below, degree), velocity - 16});
    }
  }
}

void Composer::MelodySection(uint32_t start, const Progression& prog, char label, int occurrence,
                             bool harmonised) {
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
  const bool home = std::toupper(static_cast<unsigned char>(label)) == 'A';
  melodyStep_ = home ? 4 : 7;
  for (int b = 0; b < 8; ++b) {
    SetTexture(b);
    MelodyBar(start + b * BarTicks(), rhythm[b], contour[b], prog[b], harmonised);
  }
  // Close the phrase: home on the tonic, or on a tone of the dominant chord.
  const int target = home ? (melodyStep_ >= 4 ? 7 : 0) : NearestChordStep(melodyStep_, 4);
  std::vector<Note>& melody = parts_[melodyPart_];
  if (!melody.empty()) melody.back().key = KeyOfStep(target, prog[7]);
  if (harmonised && !parts_[kCounter].empty())
    parts_[kCounter].back().key = KeyOfStep(target - 3, prog[7]);
  melodyStep_ = target;
}

void Composer::SetTexture(int bar) {
  switch (texture_) {
    case Texture::Full:  // the counter voice sounds only where the melody is harmonised
      SetBar(~Bit(kSolo), 0);
      break;
    case Texture::Build: {
      // Layer by layer, every other bar, and louder all the way to the top.
      const unsigned layers[] = {Bit(kLead) | Bit(kBass), Bit(kComp), Bit(kDrums) | Bit(kPad),
                                 Bit(kCounter)};
      unsigned parts = 0;
      for (int i = 0; i <= bar / 2; ++i) parts |= layers[i];
      SetBar(parts, -26 + 4 * bar);
      break;
    }
    case Texture::Rest:
      SetBar(Bit(kSolo) | Bit(kComp) | Bit(kBass), -22);
      break;
  }
}

void Composer::Section(uint32_t start, const std::string& token, bool last,
                       const Progression& theme, const Progression& contrast) {
  const char label = token.back();
  const bool resting = std::islower(static_cast<unsigned char>(label));
  texture_ = token[0] == '^' ? Texture::Build : resting ? Texture::Rest : Texture::Full;
  const Progression& prog =
      std::toupper(static_cast<unsigned char>(label)) == 'A' ? theme : contrast;
  melodyPart_ = texture_ == Texture::Rest ? kSolo : kLead;
  calm_ = texture_ == Texture::Rest;
  const bool harmonised = texture_ == Texture::Build || (last && texture_ == Texture::Full);
  MelodySection(start, prog, label, seen_[static_cast<unsigned char>(label)]++, harmonised);
  for (int b = 0; b < 8; ++b) {
    const uint32_t tick = start + b * BarTicks();
    SetTexture(b);
    BassBar(tick, prog[b], b < 7 ? prog[b + 1] : (last ? 0 : theme[0]));
    CompBar(tick, prog[b]);
    DrumBar(tick, b == 7, b == 0);
  }
  melodyPart_ = kLead;
  calm_ = false;
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

int Composer::BassRoot(int degree) const {
  int root = KeyOfStep(degree, degree) - 24;
  while (root < 34) root += 12;
  while (root > 50) root -= 12;
  return root;
}

void Composer::BassBar(uint32_t start, int degree, int nextDegree) {
  const int root = BassRoot(degree);
  const int shift = root - (KeyOfStep(degree, degree) - 24);
  const int fifth = KeyOfStep(degree + 4, degree) - 24 + shift;
  const int third = KeyOfStep(degree + 2, degree) - 24 + shift;
  const int next = KeyOfStep(nextDegree, nextDegree) - 24 + shift;
  const int beats = style_.beatsPerBar;
  auto note = [&](int beat, int lengthBeats, int key, int velocity) {
    Emit(kBass,
         {Place(start + beat * kBeat), lengthBeats * kBeat * 9 / 10, key, velocity + Rand(7) - 3});
  };
  if (texture_ == Texture::Rest) {
    note(0, beats, root, 78);
    return;
  }
  switch (style_.bass) {
    case BassKind::Held:
      note(0, beats, root, 80);
      break;
    case BassKind::RootFifth:
      note(0, 2, root, 92);
      note(2, beats - 2, fifth, 80);
      break;
    case BassKind::Walking: {
      // Root, chord tones, then a half-step approach into the next bar's root.
      const int approach = next + (next > fifth ? -1 : 1);
      const int line[] = {root, Chance(0.5) ? third : fifth, beats == 4 ? fifth : approach,
                          approach};
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

void Composer::Chord(uint32_t at, uint32_t length, const std::vector<int>& keys, int velocity) {
  for (int key : keys) Emit(kComp, {Place(at), length, key, velocity + Rand(5) - 2});
}

void Composer::CompBar(uint32_t start, int degree) {
  const std::vector<int> v = Voicing(degree);
  const std::vector<int> triad(v.begin(), v.begin() + 3);
  const uint32_t bar = BarTicks();
  if (texture_ == Texture::Rest) {
    // A resting section holds one soft chord a bar under the solo voice.
    Chord(start, bar - kSixteenth, triad, 56);
    return;
  }
  switch (style_.comp) {
    case CompKind::Pad:
      Chord(start, bar - kSixteenth, triad, 58);
      break;
    case CompKind::Arpeggio: {
      const int order[] = {0, 1, 2, 3, 2, 1, 0, 1};
      for (int i = 0; i < style_.beatsPerBar * 2; ++i) {
        Emit(kComp, {Place(start + i * kEighth), kEighth * 3 / 2, v[order[i]],
                     60 + (i % 2 ? 0 : 8) + Rand(5)});
      }
      break;
    }
    case CompKind::Offbeat:
      for (int b = 0; b < style_.beatsPerBar; ++b) {
        Chord(start + b * kBeat + kEighth, kEighth * 2 / 3, triad, b % 2 ? 70 : 62);
      }
      break;
    case CompKind::Waltz:
      for (int b = 1; b < style_.beatsPerBar; ++b) Chord(start + b * kBeat, kEighth, triad, 60);
      break;
  }
  if (style_.padProgram >= 0) {
    for (int key : v) Emit(kPad, {start, bar, key + 12, 44});
  }
}

uint32_t Composer::Intro() {
  const Progression intro = style_.introBars <= 2 ? Progression{0, 4} : Progression{0, 3, 4, 4};
  const int bars = static_cast<int>(intro.size());
  texture_ = Texture::Full;
  SetBar(style_.introParts, -6);
  for (int b = 0; b < bars; ++b) {
    const uint32_t tick = b * BarTicks();
    BassBar(tick, intro[b], b + 1 < bars ? intro[b + 1] : 0);
    CompBar(tick, intro[b]);
    DrumBar(tick, b == bars - 1, false);
  }
  return bars * BarTicks();
}

std::vector<midi::Track> Composer::Compose() {
  for (auto& part : parts_) part.clear();
  std::fill(std::begin(seen_), std::end(seen_), 0);
  const Progression theme = MakeProgression(false);
  const Progression contrast = MakeProgression(true);
  uint32_t tick = Intro();
  std::vector<std::string> tokens;
  for (size_t from = 0; from < style_.form.size();) {
    const size_t to = std::min(style_.form.find(' ', from), style_.form.size());
    if (to > from) tokens.push_back(style_.form.substr(from, to - from));
    from = to + 1;
  }
  for (size_t s = 0; s < tokens.size(); ++s, tick += 8 * BarTicks()) {
    Section(tick, tokens[s], s + 1 == tokens.size(), theme, contrast);
  }
  texture_ = Texture::Full;
  SetBar(~0u, 0);
  Ending(tick);
  return Tracks(tick);
}

std::vector<midi::Track> Composer::Tracks(uint32_t endingTick) {
  uint32_t end = endingTick;
  for (const auto& part : parts_) {
    for (const Note& n : part) end = std::max(end, n.tick + n.length);
  }
  const double slowdown = EndingSlowdown();
  midi::Track conductor(style_.title);
  conductor.Tempo(0, style_.bpm);
  conductor.TimeSignature(0, style_.beatsPerBar, 4);
  if (slowdown != 1.0) conductor.Tempo(endingTick, style_.bpm * slowdown);
  const double beatSeconds = 60.0 / style_.bpm;
  seconds_ = (endingTick + (end - endingTick) / slowdown) / double(kBeat) * beatSeconds;

  const int programs[kPartCount] = {style_.leadProgram,
                                    style_.counterProgram,
                                    style_.compProgram,
                                    style_.bassProgram,
                                    style_.padProgram,
                                    style_.soloProgram,
                                    0};
  const char* names[kPartCount] = {"Melody", "Second voice", "Chords", "Bass",
                                   "Pad",    "Solo",         "Drums"};
  std::vector<midi::Track> tracks;
  tracks.push_back(conductor);
  for (int p = 0; p < kPartCount; ++p) {
    const Part part = static_cast<Part>(p);
    if (parts_[p].empty() || (part != kDrums && programs[p] < 0)) continue;
    const int channel = kChannel[p];
    midi::Track t(names[p]);
    if (part != kDrums) t.Program(0, channel, programs[p]);
    t.Control(0, channel, 7, ChannelVolume(part, style_.levelDb));
    t.Control(0, channel, 10, kPan[p]);
    t.Control(0, channel, 91, 50);
    for (const Note& n : parts_[p]) t.Note(n.tick, n.length, channel, n.key, n.velocity);
    tracks.push_back(std::move(t));
  }
  return tracks;
}

}  // namespace music
