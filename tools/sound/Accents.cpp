// SPDX-License-Identifier: GPL-3.0-or-later
// The drummer and the closing gestures of the composer: each drum style keeps its
// own groove, its own fill into a new section and its own mark on the section's
// first beat, and each tune closes in its own way.
#include <algorithm>

#include "Composer.h"

namespace music {

namespace {

// General MIDI percussion keys.
enum Drum {
  kKick = 36,
  kSideStick = 37,
  kSnare = 38,
  kClap = 39,
  kClosedHat = 42,
  kPedalHat = 44,
  kOpenHat = 46,
  kCrash = 49,
  kRide = 51,
  kRideBell = 53,
  kTambourine = 54,
  kOpenTriangle = 81
};

}  // namespace

void Composer::DrumHit(int cell, int key, int velocity) {
  if (style_.drums == DrumKind::None) return;
  Emit(kDrums, {Place(drumBar_ + cell * kSixteenth), kSixteenth, key, velocity + Rand(9) - 4});
}

void Composer::DrumBar(uint32_t start, bool fill, bool sectionStart) {
  if (style_.drums == DrumKind::None) return;
  drumBar_ = start;
  const int cells = style_.beatsPerBar * 4;
  // Brushes fill only the last beat; the others take the second half of the bar.
  const int fillFrom = !fill ? cells : style_.drums == DrumKind::Brushes ? cells - 4 : cells / 2;
  if (sectionStart) SectionMark();
  for (int c = 0; c < fillFrom; ++c) GrooveCell(c, cells);
  for (int c = fillFrom; c < cells; ++c) FillCell(c, fillFrom, cells);
}

void Composer::SectionMark() {
  switch (style_.drums) {
    case DrumKind::Pop:
      DrumHit(0, kCrash, 88);
      break;
    case DrumKind::Brushes:
      DrumHit(0, kRideBell, 66);
      break;
    case DrumKind::Reel:
      DrumHit(0, kOpenTriangle, 70);
      break;
    case DrumKind::None:
      break;
  }
}

void Composer::GrooveCell(int c, int cells) {
  const bool beat = c % 4 == 0, eighth = c % 2 == 0;
  const bool backbeat = beat && (c / 4) % 2 == 1;
  switch (style_.drums) {
    case DrumKind::Pop:
      if (c == 0 || (c == cells / 2 && style_.beatsPerBar == 4) || (c == 10 && Chance(0.3)))
        DrumHit(c, kKick, 96);
      if (backbeat) DrumHit(c, kSnare, 88);
      if (eighth) DrumHit(c, c == cells - 2 && Chance(0.3) ? kOpenHat : kClosedHat, beat ? 70 : 56);
      break;
    case DrumKind::Brushes:
      if (c == 0) DrumHit(c, kKick, 62);
      if (backbeat) DrumHit(c, kSideStick, 58);
      if (beat || c % 4 == 2) DrumHit(c, kRide, beat ? 58 : 46);
      if (backbeat) DrumHit(c, kPedalHat, 44);
      break;
    case DrumKind::Reel:
      if (c == 0 || c == 8) DrumHit(c, kKick, 92);
      if (backbeat) DrumHit(c, kSnare, 62);
      if (eighth) DrumHit(c, kTambourine, beat ? 64 : 48);
      break;
    case DrumKind::None:
      break;
  }
}

void Composer::FillCell(int c, int from, int cells) {
  const int i = c - from;
  switch (style_.drums) {
    case DrumKind::Pop:
      // Snare eighths, then sixteenths rising into the crash.
      if (i == 0) DrumHit(c, kKick, 90);
      if (i % 2 == 0 || c >= cells - 4) DrumHit(c, kSnare, 62 + 4 * i);
      break;
    case DrumKind::Brushes:
      // A swung side-stick pair and a kick on the last off-beat.
      if (i == 0 || i == 3) DrumHit(c, kSideStick, 60);
      if (i == 2) DrumHit(c, kKick, 58);
      if (i == 0) DrumHit(c, kRide, 52);
      break;
    case DrumKind::Reel:
      // Running tambourine with the kick in threes, a clap on the last.
      DrumHit(c, kTambourine, 50 + 4 * i);
      if (i % 3 == 0) DrumHit(c, kKick, 86);
      if (c == cells - 2) DrumHit(c, kClap, 80);
      break;
    case DrumKind::None:
      break;
  }
}

double Composer::EndingSlowdown() const {
  switch (style_.ending) {
    case EndingKind::JazzTag:
      return 0.75;
    case EndingKind::Rolled:
      return 0.8;
    case EndingKind::Picardy:
      return 0.7;
    case EndingKind::StopTime:
    case EndingKind::RunUp:
      break;
  }
  return 1.0;
}

// What every ending works from: where it starts, where its last chord stops
// (both in ticks from the ending's start), the melody's home key, the bass root
// and the tonic triad.
struct Composer::Close {
  uint32_t start, bar, last;
  int home, root;
  std::vector<int> tonic;
};

void Composer::Ending(uint32_t start) {
  std::vector<int> tonic = Voicing(0);
  tonic.pop_back();
  const uint32_t bar = BarTicks();
  const Close c{start,       bar,  2 * bar - kBeat, KeyOfStep(melodyStep_ >= 4 ? 7 : 0, 0),
                BassRoot(0), tonic};
  drumBar_ = start;
  switch (style_.ending) {
    case EndingKind::StopTime:
      EndStopTime(c);
      break;
    case EndingKind::JazzTag:
      EndJazzTag(c);
      break;
    case EndingKind::RunUp:
      EndRunUp(c);
      break;
    case EndingKind::Rolled:
      EndRolled(c);
      break;
    case EndingKind::Picardy:
      EndPicardy(c);
      break;
  }
}

void Composer::Tutti(const Close& c, uint32_t at, uint32_t length, int leadKey, int velocity) {
  Emit(kLead, {c.start + at, length, leadKey, velocity + 4});
  Chord(c.start + at, length, c.tonic, velocity - 20);
  Emit(kBass, {c.start + at, length, c.root, velocity});
}

void Composer::EndStopTime(const Close& c) {
  // Two stabs, the second on the "and" of two, then the chord a bar later.
  const int nextBar = style_.beatsPerBar * 4;  // in sixteenths
  Tutti(c, 0, kEighth, KeyOfStep(4, 0), 92);
  Tutti(c, 3 * kEighth, kEighth, KeyOfStep(4, 0), 96);
  for (int cell : {0, 6}) DrumHit(cell, kSnare, 90), DrumHit(cell, kKick, 96);
  Tutti(c, c.bar, c.last - c.bar, c.home, 90);
  DrumHit(nextBar, kCrash, 96), DrumHit(nextBar, kKick, 100);
}

void Composer::EndJazzTag(const Close& c) {
  // The chord a half step above slides down into the tonic with sixth and ninth.
  std::vector<int> above = c.tonic;
  for (int& key : above) ++key;
  const uint32_t slide = 5 * kEighth, land = 3 * kBeat;
  Emit(kLead, {c.start, slide, c.home + 1, 82});
  Chord(c.start, slide, above, 58);
  Emit(kBass, {c.start, slide, c.root + 1, 78});
  std::vector<int> rich = c.tonic;
  rich.push_back(KeyOfStep(5, 0));
  rich.push_back(KeyOfStep(8, 0));
  Emit(kLead, {c.start + land, c.last - land, c.home, 84});
  Chord(c.start + land, c.last - land, rich, 60);
  Emit(kBass, {c.start + land, c.last - land, c.root, 86});
  DrumHit(12, kRide, 70), DrumHit(12, kKick, 60);
}

void Composer::EndRunUp(const Close& c) {
  // Eighths up the scale to the octave over the dominant, then two short hits.
  const int eighths = 2 * style_.beatsPerBar, nextBar = style_.beatsPerBar * 4;
  for (int i = 0; i < eighths; ++i) {
    Emit(kLead,
         {c.start + i * kEighth, kEighth * 9 / 10, KeyOfStep(i - eighths + 7, 4), 80 + 2 * i});
    DrumHit(2 * i, kTambourine, 56 + 3 * i);
  }
  Chord(c.start, c.bar - kEighth, Voicing(4), 62);
  for (uint32_t at : {c.bar, c.bar + kBeat}) Tutti(c, at, kEighth, KeyOfStep(7, 0), 100);
  for (int cell : {nextBar, nextBar + 4}) DrumHit(cell, kKick, 100), DrumHit(cell, kTambourine, 90);
}

void Composer::EndRolled(const Close& c) {
  // A suspended fourth in the melody resolves while the chord rolls upwards.
  Emit(kBass, {c.start, c.last, c.root, 84});
  for (size_t i = 0; i < c.tonic.size(); ++i) {
    const uint32_t at = static_cast<uint32_t>(i + 1) * kSixteenth;
    Emit(kComp, {c.start + at, c.last - at, c.tonic[i], 60 - 3 * static_cast<int>(i)});
    Emit(kPad, {c.start + at, c.last - at, c.tonic[i] + 12, 50});
  }
  const int home = melodyStep_ >= 4 ? 7 : 0;
  Emit(kLead, {c.start, kBeat, KeyOfStep(home + 3, 0), 80});
  Emit(kLead, {c.start + kBeat, c.last - kBeat, KeyOfStep(home + 2, 0), 74});
}

void Composer::EndPicardy(const Close& c) {
  // The tonic chord turns major; the guitar picks it ever more slowly.
  std::vector<int> major = Voicing(0);
  for (int& key : major) {
    if ((key - style_.tonic + 120) % 12 == 3) ++key;
  }
  const uint32_t picks[] = {0, kBeat, 2 * kBeat + kEighth, 4 * kBeat, 6 * kBeat};
  for (size_t i = 0; i < std::size(picks) && picks[i] < c.last; ++i) {
    Emit(kComp, {c.start + picks[i], c.last - picks[i], major[i % major.size()],
                 62 - 4 * static_cast<int>(i)});
  }
  for (int key : major) Emit(kPad, {c.start, c.last, key + 12, 46});
  Emit(kBass, {c.start, c.last, c.root, 80});
  Emit(kLead, {c.start, c.last, c.home, 78});
}

}  // namespace music
