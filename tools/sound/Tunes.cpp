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
  kPiano = 0, kElectricPiano = 4, kCelesta = 8, kVibraphone = 11, kAccordion = 21, kNylonGuitar = 24,
  kJazzGuitar = 26, kAcousticBass = 32, kFingeredBass = 33, kPickedBass = 34, kViolin = 40, kCello = 42,
  kContrabass = 43, kPizzicato = 45, kHarp = 46, kStrings = 48, kSlowStrings = 49, kMutedTrumpet = 59,
  kFrenchHorn = 60, kTenorSax = 66, kOboe = 68, kClarinet = 71, kPiccolo = 72, kFlute = 73,
  kRecorder = 74, kPanFlute = 75, kBanjo = 105
};
}  // namespace

const std::vector<Style>& TuneStyles() {
  static const std::vector<Style> styles = {
      // Bright and busy: a flute over a rolling piano, for a fresh morning run. The
      // piano opens alone; a celesta rests before the band builds up again.
      {.file = "Dat/midi/morning_line.mid", .title = "Morning Line", .seed = 1207u, .tonic = 62,
       .scale = kMajor, .raiseLeadingTone = false, .bpm = 116.0, .beatsPerBar = 4, .swing = false,
       .density = 0.6, .leadProgram = kFlute, .compProgram = kPiano, .bassProgram = kPickedBass,
       .padProgram = -1, .counterProgram = kVibraphone, .soloProgram = kCelesta, .bass = BassKind::RootFifth,
       .comp = CompKind::Arpeggio, .drums = DrumKind::Pop, .ending = EndingKind::StopTime, .introBars = 4,
       .introParts = Bit(kComp) | Bit(kBass), .levelDb = -0.2, .form = "A A b ^B A"},
      // Slow and swung: a tenor sax in Dorian over a walking bass and brushes. The
      // bass walks in alone; a jazz guitar takes the quiet chorus.
      {.file = "Dat/midi/night_freight.mid", .title = "Night Freight", .seed = 3301u, .tonic = 62,
       .scale = kDorian, .raiseLeadingTone = false, .bpm = 84.0, .beatsPerBar = 4, .swing = true,
       .density = 0.45, .leadProgram = kTenorSax, .compProgram = kElectricPiano, .bassProgram = kAcousticBass,
       .padProgram = -1, .counterProgram = kMutedTrumpet, .soloProgram = kJazzGuitar,
       .bass = BassKind::Walking, .comp = CompKind::Pad, .drums = DrumKind::Brushes,
       .ending = EndingKind::JazzTag, .introBars = 2, .introParts = Bit(kBass) | Bit(kDrums),
       .levelDb = 0.9, .form = "A a B ^A"},
      // Fast and merry: a fiddle reel in Mixolydian with accordion off-beats. It
      // starts like a train, the band joining one by one; a banjo rests midway.
      {.file = "Dat/midi/express_reel.mid", .title = "Express Reel", .seed = 5003u, .tonic = 69,
       .scale = kMixolydian, .raiseLeadingTone = false, .bpm = 148.0, .beatsPerBar = 4, .swing = false,
       .density = 0.85, .leadProgram = kViolin, .compProgram = kAccordion, .bassProgram = kFingeredBass,
       .padProgram = -1, .counterProgram = kPiccolo, .soloProgram = kBanjo, .bass = BassKind::Pulse,
       .comp = CompKind::Offbeat, .drums = DrumKind::Reel, .ending = EndingKind::RunUp, .introBars = 2,
       .introParts = Bit(kDrums), .levelDb = -2.2, .form = "^A A B a ^B A"},
      // Gentle three-four: a clarinet waltz with plucked strings, a harp for the
      // quiet verse and the horn above the strings at the top.
      {.file = "Dat/midi/harbour_waltz.mid", .title = "Harbour Waltz", .seed = 7919u, .tonic = 63,
       .scale = kMajor, .raiseLeadingTone = false, .bpm = 104.0, .beatsPerBar = 3, .swing = false,
       .density = 0.4, .leadProgram = kClarinet, .compProgram = kPizzicato, .bassProgram = kContrabass,
       .padProgram = kStrings, .counterProgram = kFrenchHorn, .soloProgram = kHarp,
       .bass = BassKind::Downbeat, .comp = CompKind::Waltz, .drums = DrumKind::None,
       .ending = EndingKind::Rolled, .introBars = 4, .introParts = Bit(kComp) | Bit(kBass) | Bit(kPad),
       .levelDb = -1.5, .form = "A A B a ^B A"},
      // Wistful minor: an oboe over guitar arpeggios and slow strings; a pan flute
      // rests over the guitar before the strings swell.
      {.file = "Dat/midi/lantern_valley.mid", .title = "Lantern Valley", .seed = 9241u, .tonic = 64,
       .scale = kAeolian, .raiseLeadingTone = true, .bpm = 72.0, .beatsPerBar = 4, .swing = false,
       .density = 0.3, .leadProgram = kOboe, .compProgram = kNylonGuitar, .bassProgram = kCello,
       .padProgram = kSlowStrings, .counterProgram = kRecorder, .soloProgram = kPanFlute,
       .bass = BassKind::Held, .comp = CompKind::Arpeggio, .drums = DrumKind::None,
       .ending = EndingKind::Picardy, .introBars = 2, .introParts = Bit(kComp), .levelDb = -0.1,
       .form = "A a ^B A"},
  };
  return styles;
}

}  // namespace music
