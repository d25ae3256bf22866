// SPDX-License-Identifier: GPL-3.0-or-later
// The sound generator's output read back as a player would: WAV headers and
// levels, and the MIDI files' structure, instruments, tempo, length and
// arrangement (where a tune builds, where it rests, how it marks its sections).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "Composer.h"
#include "Effects.h"
#include "Midi.h"
#include "Wav.h"

namespace {

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) |
         b[at + 3];
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
         (uint32_t(b[at + 3]) << 24);
}

struct NoteOn {
  uint32_t tick;
  int channel, key, velocity;
};

// What a MIDI player learns from a file.
struct TuneFacts {
  std::vector<NoteOn> notes;  // in time order
  uint32_t barTicks = 0;
  bool valid = false;
  double seconds = 0.0;
  double firstTempo = 0.0;
  int tracks = 0;
  std::map<int, int> notesPerChannel;
  std::set<int> programs;
  int lowestKey = 127, highestKey = 0;
  int unmatchedNotes = 0;
};

uint32_t VarLen(const std::vector<uint8_t>& b, size_t& pos) {
  uint32_t v = 0;
  while (pos < b.size()) {
    uint8_t c = b[pos++];
    v = (v << 7) | (c & 0x7F);
    if (!(c & 0x80)) break;
  }
  return v;
}

TuneFacts Read(const std::vector<uint8_t>& b) {
  TuneFacts facts;
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd") return facts;
  const int tracks = (b[10] << 8) | b[11];
  const int division = (b[12] << 8) | b[13];
  std::map<uint32_t, double> tempo;  // tick -> microseconds per quarter
  uint32_t lastTick = 0;
  size_t pos = 14;
  for (int t = 0; t < tracks; ++t) {
    if (pos + 8 > b.size() || std::string(b.begin() + pos, b.begin() + pos + 4) != "MTrk")
      return facts;
    const size_t end = pos + 8 + Be32(b, pos + 4);
    pos += 8;
    uint32_t tick = 0;
    std::map<int, int> sounding;
    while (pos < end) {
      tick += VarLen(b, pos);
      const uint8_t status = b[pos];
      if (status == 0xFF) {
        const uint8_t type = b[pos + 1];
        pos += 2;
        const uint32_t length = VarLen(b, pos);
        if (type == 0x51) tempo[tick] = (b[pos] << 16) | (b[pos + 1] << 8) | b[pos + 2];
        if (type == 0x58) facts.barTicks = b[pos] * division * 4 / (1 << b[pos + 1]);
        pos += length;
      } else if ((status & 0xF0) == 0xC0) {
        facts.programs.insert(b[pos + 1]);
        pos += 2;
      } else {
        const int kind = status & 0xF0, channel = status & 0x0F, key = b[pos + 1];
        if (kind == 0x90) {
          facts.notes.push_back({tick, channel, key, b[pos + 2]});
          ++facts.notesPerChannel[channel];
          ++sounding[channel * 128 + key];
          facts.lowestKey = std::min(facts.lowestKey, key);
          facts.highestKey = std::max(facts.highestKey, key);
        } else if (kind == 0x80) {
          --sounding[channel * 128 + key];
        }
        pos += 3;
      }
    }
    for (const auto& [key, count] : sounding) facts.unmatchedNotes += std::abs(count);
    lastTick = std::max(lastTick, tick);
    pos = end;
  }
  double micros = 500000.0, seconds = 0.0;
  uint32_t from = 0;
  for (const auto& [tick, value] : tempo) {
    seconds += (tick - from) * micros / division / 1e6;
    from = tick;
    micros = value;
  }
  seconds += (lastTick - from) * micros / division / 1e6;
  facts.seconds = seconds;
  facts.firstTempo = tempo.empty() ? 120.0 : 60e6 / tempo.begin()->second;
  facts.tracks = tracks;
  std::stable_sort(facts.notes.begin(), facts.notes.end(),
                   [](const NoteOn& x, const NoteOn& y) { return x.tick < y.tick; });
  facts.valid = pos == b.size();
  return facts;
}

TEST(SoundEffects, TwentyTwoDistinctFilesUnderDatWav) {
  std::set<std::string> files;
  for (const auto& effect : snd::EffectTable()) {
    EXPECT_EQ(std::string(effect.file).rfind("Dat/Wav/", 0), 0u) << effect.file;
    files.insert(effect.file);
  }
  EXPECT_EQ(files.size(), 22u);
  EXPECT_EQ(snd::EffectTable().size(), 22u);
}

TEST(SoundEffects, EachIsAShortAudibleSixteenBitMonoWave) {
  for (const auto& effect : snd::EffectTable()) {
    const snd::Samples samples = effect.make();
    const std::vector<uint8_t> wav = snd::EncodeWav(samples);
    ASSERT_GE(wav.size(), 44u) << effect.file;
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(wav, 4), wav.size() - 8) << effect.file;
    EXPECT_EQ(wav[22], 1) << effect.file << ": mono";
    EXPECT_EQ(Le32(wav, 24), 22050u) << effect.file;
    EXPECT_EQ(wav[34], 16) << effect.file << ": bits";
    EXPECT_EQ(Le32(wav, 40), wav.size() - 44) << effect.file;
    const double seconds = samples.size() / 22050.0;
    EXPECT_GT(seconds, 0.02) << effect.file;
    EXPECT_LT(seconds, 2.5) << effect.file;
    float peak = 0.0f;
    for (float v : samples) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.3f) << effect.file;
    EXPECT_LE(peak, 0.9f) << effect.file << ": headroom against clipping";
    // Faded at both ends, so an effect starts and stops without a click.
    EXPECT_LT(std::fabs(samples.front()), 0.01f) << effect.file;
    EXPECT_LT(std::fabs(samples.back()), 0.01f) << effect.file;
  }
}

TEST(SoundEffects, SynthesisIsRepeatable) {
  for (const auto& effect : snd::EffectTable())
    EXPECT_EQ(effect.make(), effect.make()) << effect.file;
}

TEST(Tunes, AtLeastFourInDifferentTempiAndInstruments) {
  const auto& styles = music::TuneStyles();
  ASSERT_GE(styles.size(), 4u);
  std::set<double> tempi;
  std::set<int> leads;
  std::set<std::string> files;
  for (const auto& style : styles) {
    tempi.insert(style.bpm);
    leads.insert(style.leadProgram);
    files.insert(style.file);
    EXPECT_EQ(style.file.rfind("Dat/midi/", 0), 0u) << style.file;
  }
  EXPECT_EQ(tempi.size(), styles.size());
  EXPECT_EQ(leads.size(), styles.size());
  EXPECT_EQ(files.size(), styles.size());
}

TEST(Tunes, EachIsAWellFormedGeneralMidiFileOfOneToThreeMinutes) {
  for (const auto& style : music::TuneStyles()) {
    music::Composer composer(style);
    TuneFacts facts = Read(midi::EncodeFile(composer.Compose()));
    ASSERT_TRUE(facts.valid) << style.file;
    EXPECT_GE(facts.seconds, 60.0) << style.file;
    EXPECT_LE(facts.seconds, 180.0) << style.file;
    EXPECT_NEAR(facts.seconds, composer.Seconds(), 1.0) << style.file;
    EXPECT_DOUBLE_EQ(std::round(facts.firstTempo), style.bpm) << style.file;
    EXPECT_EQ(facts.unmatchedNotes, 0) << style.file;
    EXPECT_TRUE(facts.programs.count(style.leadProgram)) << style.file;
    EXPECT_GT(facts.notesPerChannel[0], 60) << style.file << ": melody";
    EXPECT_GT(facts.notesPerChannel[3], 30) << style.file << ": bass";
    EXPECT_EQ(facts.notesPerChannel.count(9) > 0, style.drums != music::DrumKind::None)
        << style.file;
    // Everything within the comfortable range of General MIDI instruments.
    EXPECT_GE(facts.lowestKey, 28) << style.file;
    EXPECT_LE(facts.highestKey, 96) << style.file;
  }
}

TEST(Tunes, CompositionIsRepeatableAndTunesDiffer) {
  std::set<std::string> seen;
  for (const auto& style : music::TuneStyles()) {
    music::Composer a(style), b(style);
    const auto bytes = midi::EncodeFile(a.Compose());
    EXPECT_EQ(bytes, midi::EncodeFile(b.Compose())) << style.file;
    seen.insert(std::string(bytes.begin(), bytes.end()));
  }
  EXPECT_EQ(seen.size(), music::TuneStyles().size());
}

TuneFacts Composed(const music::Style& style) {
  music::Composer composer(style);
  return Read(midi::EncodeFile(composer.Compose()));
}

// How busy a bar is: notes struck, instruments (channels) striking, loudest note.
struct BarFacts {
  int notes = 0;
  int voices = 0;
  double loudest = 0.0;  // velocity
};

std::vector<BarFacts> Bars(const TuneFacts& facts) {
  std::vector<BarFacts> bars;
  std::vector<std::set<int>> channels;
  for (const NoteOn& n : facts.notes) {
    const size_t bar = n.tick / facts.barTicks;
    if (bars.size() <= bar) bars.resize(bar + 1), channels.resize(bar + 1);
    ++bars[bar].notes;
    bars[bar].loudest = std::max(bars[bar].loudest, double(n.velocity));
    channels[bar].insert(n.channel);
  }
  for (size_t i = 0; i < bars.size(); ++i) bars[i].voices = static_cast<int>(channels[i].size());
  return bars;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

// A build: six bars or more over which instruments only join (two at least), the
// notes per bar grow (never dropping under three quarters of the most so far) to at
// least twice the first bar's and to the tune's median or more, and the playing
// gets louder.
bool HasBuild(const std::vector<BarFacts>& bars, double medianNotes) {
  for (size_t s = 0; s < bars.size(); ++s) {
    int most = bars[s].notes;
    for (size_t e = s + 1; e < bars.size(); ++e) {
      if (bars[e].voices < bars[e - 1].voices || bars[e].notes * 4 < most * 3) break;
      most = std::max(most, bars[e].notes);
      if (e - s + 1 >= 6 && bars[e].voices >= bars[s].voices + 2 &&
          bars[e].notes >= 2 * bars[s].notes && bars[e].notes >= medianNotes &&
          bars[e].loudest >= bars[s].loudest + 10.0) {
        return true;
      }
    }
  }
  return false;
}

// A rest: four bars or more with at most three instruments, at most half the
// tune's median of notes per bar, played clearly softer than the tune's median.
bool HasRest(const std::vector<BarFacts>& bars, double medianNotes, double medianVelocity) {
  int run = 0;
  for (const BarFacts& bar : bars) {
    const bool quiet = bar.notes > 0 && bar.notes <= medianNotes / 2 && bar.voices <= 3 &&
                       bar.loudest <= medianVelocity - 10.0;
    run = quiet ? run + 1 : 0;
    if (run >= 4) return true;
  }
  return false;
}

double Overlap(const std::set<int>& a, const std::set<int>& b) {
  std::set<int> both;
  for (int p : a) {
    if (b.count(p)) both.insert(p);
  }
  std::set<int> either = a;
  either.insert(b.begin(), b.end());
  return either.empty() ? 0.0 : double(both.size()) / double(either.size());
}

TEST(Tunes, ArrangementsUseDifferentInstruments) {
  const auto& styles = music::TuneStyles();
  std::vector<std::set<int>> programs;
  for (const auto& style : styles) programs.push_back(Composed(style).programs);
  for (size_t i = 0; i < styles.size(); ++i) {
    EXPECT_GE(programs[i].size(), 4u) << styles[i].file;
    for (size_t j = i + 1; j < styles.size(); ++j) {
      EXPECT_LE(Overlap(programs[i], programs[j]), 0.2)
          << styles[i].file << " and " << styles[j].file;
    }
  }
}

TEST(Tunes, EachBuildsUpSomewhereAndRestsSomewhere) {
  for (const auto& style : music::TuneStyles()) {
    const TuneFacts facts = Composed(style);
    ASSERT_GT(facts.barTicks, 0u) << style.file;
    const std::vector<BarFacts> bars = Bars(facts);
    std::vector<double> notes, velocities;
    for (const BarFacts& bar : bars) notes.push_back(bar.notes), velocities.push_back(bar.loudest);
    std::ostringstream profile;
    for (const BarFacts& bar : bars) profile << ' ' << bar.notes << '/' << bar.voices;
    EXPECT_TRUE(HasBuild(bars, Median(notes)))
        << style.file << ": notes/voices per bar" << profile.str();
    EXPECT_TRUE(HasRest(bars, Median(notes), Median(velocities)))
        << style.file << ": notes/voices per bar" << profile.str();
  }
}

// Accent figures: the rhythm that closes a tune (onsets of its last two bars, in
// sixteenths before the final one) and the drummers' two-beat figures.
std::vector<uint32_t> EndingRhythm(const TuneFacts& facts) {
  const uint32_t last = facts.notes.back().tick;
  std::set<uint32_t> onsets;
  for (const NoteOn& n : facts.notes) {
    if (n.tick + 2 * facts.barTicks > last) onsets.insert((last - n.tick) / (midi::kDivision / 4));
  }
  return {onsets.begin(), onsets.end()};
}

std::set<std::vector<std::pair<int, int>>> DrumFigures(const TuneFacts& facts) {
  const uint32_t window = 2 * midi::kDivision, sixteenth = midi::kDivision / 4;
  std::map<uint32_t, std::vector<std::pair<int, int>>> windows;
  for (const NoteOn& n : facts.notes) {
    if (n.channel == 9)
      windows[n.tick / window].push_back({int(n.tick % window / sixteenth), n.key});
  }
  std::set<std::vector<std::pair<int, int>>> figures;
  for (auto& [start, hits] : windows) {
    std::sort(hits.begin(), hits.end());
    if (hits.size() >= 3) figures.insert(hits);
  }
  return figures;
}

TEST(Tunes, NoAccentFigureIsSharedByEveryTune) {
  std::map<std::vector<uint32_t>, std::string> endings;
  std::set<std::vector<std::pair<int, int>>> common;
  bool first = true;
  for (const auto& style : music::TuneStyles()) {
    const TuneFacts facts = Composed(style);
    ASSERT_FALSE(facts.notes.empty()) << style.file;
    const auto [other, added] = endings.emplace(EndingRhythm(facts), style.file);
    EXPECT_TRUE(added) << style.file << " ends like " << other->second;
    if (style.drums == music::DrumKind::None) continue;
    const auto figures = DrumFigures(facts);
    if (first) common = figures;
    std::set<std::vector<std::pair<int, int>>> kept;
    for (const auto& figure : common) {
      if (figures.count(figure)) kept.insert(figure);
    }
    common = kept;
    first = false;
  }
  EXPECT_TRUE(common.empty()) << common.size()
                              << " drum figures are played in every tune with drums";
}

TEST(MidiWriter, NoteEndsComeBeforeStartsAtTheSameTick) {
  midi::Track track("t");
  track.Note(0, 480, 0, 60, 100);
  track.Note(480, 480, 0, 60, 100);  // the same key again right after
  const TuneFacts facts = Read(midi::EncodeFile({track}));
  ASSERT_TRUE(facts.valid);
  EXPECT_EQ(facts.unmatchedNotes, 0);
  const std::vector<uint8_t> chunk = track.Encode();
  // After the name: on at 0, off at 480 (delta 0x83 0x60), then on with delta 0.
  const std::vector<uint8_t> tail(chunk.end() - 22, chunk.end() - 4);
  const std::vector<uint8_t> expected = {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0,
                                         0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0};
  EXPECT_EQ(tail, expected);
}

}  // namespace
