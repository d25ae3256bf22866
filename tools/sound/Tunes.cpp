// SPDX-License-Identifier: GPL-3.0-or-later
#include "Composer.h"

namespace music {

namespace {
const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kMixolydian = {0, 2, 4, 5, 7, 9, 10};
const std::vector<int> kAeolian = {0, 2, 3, 5, 7, 8, 10};

// General MIDI programs (0-based).
enum Program {
  kNylonGuitar = 24, kAcousticBass = 32, kFingeredBass = 33, kElectricPiano = 4, kVibraphone = 11,
  kAccordion = 21, kViolin = 40, kCello = 42, kContrabass = 43, kPizzicato = 45, kStrings = 48,
  kSlowStrings = 49, kTenorSax = 66, kOboe = 68, kClarinet = 71, kFlute = 73, kPiano = 0
};
}  // namespace

const std::vector<Style>& TuneStyles() {
  static const std::vector<Style> styles = {
      // Bright and busy: a flute over a rolling piano, for a fresh morning run.
      {"Dat/midi/morning_line.mid", "Morning Line", 1207u, 62, kMajor, false, 116.0, 4, false, 0.6,
       kFlute, kPiano, kAcousticBass, -1, kVibraphone, BassKind::RootFifth, CompKind::Arpeggio,
       DrumKind::Pop, "AABABA"},
      // Slow and swung: a tenor sax in Dorian over a walking bass and brushes.
      {"Dat/midi/night_freight.mid", "Night Freight", 3301u, 62, kDorian, false, 84.0, 4, true, 0.45,
       kTenorSax, kElectricPiano, kFingeredBass, -1, kVibraphone, BassKind::Walking, CompKind::Pad,
       DrumKind::Brushes, "AABA"},
      // Fast and merry: a fiddle reel in Mixolydian with accordion off-beats.
      {"Dat/midi/express_reel.mid", "Express Reel", 5003u, 69, kMixolydian, false, 148.0, 4, false, 0.85,
       kViolin, kAccordion, kAcousticBass, -1, kFlute, BassKind::Pulse, CompKind::Offbeat, DrumKind::Reel,
       "AABBAABA"},
      // Gentle three-four: a clarinet waltz with plucked strings.
      {"Dat/midi/harbour_waltz.mid", "Harbour Waltz", 7919u, 63, kMajor, false, 104.0, 3, false, 0.4,
       kClarinet, kPizzicato, kContrabass, kStrings, kFlute, BassKind::Downbeat, CompKind::Waltz,
       DrumKind::None, "AABABA"},
      // Wistful minor: an oboe over guitar arpeggios and slow strings.
      {"Dat/midi/lantern_valley.mid", "Lantern Valley", 9241u, 64, kAeolian, true, 72.0, 4, false, 0.3,
       kOboe, kNylonGuitar, kCello, kSlowStrings, kClarinet, BassKind::Held, CompKind::Arpeggio,
       DrumKind::None, "AABA"},
  };
  return styles;
}

}  // namespace music
