// SPDX-License-Identifier: GPL-3.0-or-later
// What the effects sound like, judged from their samples: noisy impacts have a flat
// spectrum, horns, chimes and glass have several partials off one harmonic series,
// clicks start and stop within milliseconds, chatter and hammering are separate hits.
// Plain tones fail every one of these measures, which the first test makes sure of.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Effects.h"
#include "SoundMeasures.h"

namespace {

using namespace measure;

// The whole sound's mean spectrum above this counts as noisy: impacts, clicks, rattles.
// Plain sines, squares and saws stay below 0.02.
constexpr double kNoisy = 0.04;

struct Character {
  double seconds = 0.0;
  double flatness = 0.0;  // of the mean spectrum
  std::vector<Peak> peaks;
  int inharmonic = 0;
  std::vector<double> onsets;
  double attack = 0.0;  // s from 10 % to 90 % of the loudest level
  double decay = 0.0;   // s from full level until it stays below a tenth
  double centroid = 0.0;
};

Character Measure(const snd::Samples& s) {
  Character c;
  c.seconds = static_cast<double>(s.size()) / snd::kRate;
  const Spectrum mean = AverageSpectrum(s, 4096);
  c.flatness = Flatness(mean);
  c.peaks = Peaks(mean, 0.01);
  c.inharmonic = InharmonicPeaks(c.peaks);
  c.centroid = Centroid(mean);
  const measure::Envelope e = RmsEnvelope(s);
  c.onsets = Onsets(e);
  c.attack = AttackSeconds(e);
  c.decay = DecaySeconds(e, 0.1);
  return c;
}

snd::Samples Effect(const std::string& name) {
  for (const auto& effect : snd::EffectTable())
    if (effect.file == "Dat/Wav/" + name + ".wav") return effect.make();
  ADD_FAILURE() << "no effect " << name;
  return snd::Samples(100, 0.0f);
}

// A click: noisy, at full level within 5 ms and down by 20 dB 50 ms later.
bool IsClick(const Character& c) {
  return c.flatness >= kNoisy && c.attack <= 0.005 && c.decay <= 0.05;
}
// Several partials, at least `inharmonic` of them off the lowest one's harmonic series.
bool IsInharmonic(const Character& c, size_t peaks, int inharmonic) {
  return c.peaks.size() >= peaks && c.inharmonic >= inharmonic;
}

TEST(EffectCharacter, MeasuresRejectPlainTones) {
  snd::Samples ping = PlainTone(snd::Wave::Sine, 880.0, 0.1);
  snd::Decay(ping, 0.01);
  const std::pair<const char*, snd::Samples> tones[] = {
      {"sine", PlainTone(snd::Wave::Sine, 440.0, 0.3)},
      {"low square", PlainTone(snd::Wave::Square, 110.0, 0.3)},
      {"square", PlainTone(snd::Wave::Square, 440.0, 0.3)},
      {"saw", PlainTone(snd::Wave::Saw, 220.0, 0.3)},
      {"short ping", ping},
  };
  for (const auto& [name, tone] : tones) {
    const Character c = Measure(tone);
    EXPECT_LT(c.flatness, kNoisy / 2) << name;
    EXPECT_EQ(c.inharmonic, 0) << name;
    EXPECT_EQ(c.onsets.size(), 1u) << name;
    EXPECT_LT(c.attack, 0.1) << name << ": no swell";
    EXPECT_FALSE(IsClick(c)) << name;
  }
  // Noise, the other extreme, is flat and a chord is not one harmonic series.
  EXPECT_GT(Measure(snd::NoiseBurst(0.3, 1)).flatness, 0.3);
  snd::Samples chord = PlainTone(snd::Wave::Sine, 440.0, 0.3);
  snd::MixInto(chord, PlainTone(snd::Wave::Sine, 554.4, 0.3), 0.0);
  snd::MixInto(chord, PlainTone(snd::Wave::Sine, 659.3, 0.3), 0.0);
  EXPECT_TRUE(IsInharmonic(Measure(chord), 3, 2));
}

TEST(EffectCharacter, ClicksAndTapsAreShortSharpAndNotPlainTones) {
  const Character light = Measure(Effect("Light"));
  EXPECT_TRUE(IsClick(light)) << "flatness " << light.flatness << ", attack " << light.attack
                              << ", decay " << light.decay;
  EXPECT_LE(light.seconds, 0.3);

  // The glass button rings a little longer, with glass's inharmonic partials.
  const Character glass = Measure(Effect("GlassBtn"));
  EXPECT_TRUE(IsInharmonic(glass, 3, 2))
      << glass.peaks.size() << " peaks, " << glass.inharmonic << " inharmonic";
  EXPECT_LE(glass.attack, 0.005);
  EXPECT_LE(glass.seconds, 0.3);
}

TEST(EffectCharacter, TelexChattersAndTrackLayingHammers) {
  const Character telex = Measure(Effect("Telex"));
  EXPECT_GE(telex.flatness, kNoisy);
  ASSERT_GE(telex.onsets.size(), 5u);
  EXPECT_GE(telex.onsets.back() - telex.onsets.front(), 0.3);
  std::vector<double> gaps;
  for (size_t i = 1; i < telex.onsets.size(); ++i)
    gaps.push_back(telex.onsets[i] - telex.onsets[i - 1]);
  EXPECT_GE(*std::max_element(gaps.begin(), gaps.end()),
            1.5 * *std::min_element(gaps.begin(), gaps.end()))
      << "an uneven rhythm, not a steady tick";
  EXPECT_LE(telex.seconds, 0.6);

  const Character build = Measure(Effect("BuildTrack"));
  EXPECT_GE(build.flatness, kNoisy);
  EXPECT_GE(build.onsets.size(), 3u) << "several blows";
  EXPECT_GE(build.inharmonic, 2) << "ringing metal";
  EXPECT_LE(build.seconds, 0.35);
}

TEST(EffectCharacter, LockedMechanismsThudOrSlipAndDiffer) {
  const Character server = Measure(Effect("ServerLock"));
  const Character points = Measure(Effect("SwitchLock"));
  for (const Character* c : {&server, &points}) {
    EXPECT_GE(c->flatness, kNoisy) << "a mechanism, not a buzz";
    EXPECT_GE(c->onsets.size(), 2u);
    EXPECT_LE(c->seconds, 0.35);
  }
  // A ratchet skipping several teeth against a lever's low thunks.
  EXPECT_GE(server.onsets.size(), 4u);
  EXPECT_GT(server.onsets.size(), points.onsets.size());
  EXPECT_LT(points.centroid, 0.6 * server.centroid);
}

TEST(EffectCharacter, CrashHitsThenRainsDebris) {
  const snd::Samples s = Effect("Crash");
  const Character crash = Measure(s);
  const measure::Envelope e = RmsEnvelope(s);
  EXPECT_LE(e.Loudest() * e.hopSeconds, 0.05) << "the loudest moment is the impact";
  const size_t hit = e.Loudest() * snd::Frames(e.hopSeconds);
  EXPECT_GE(Flatness(PowerSpectrum(s, hit, 1024)), 2 * kNoisy) << "a broadband smash";
  EXPECT_GE(DecaySeconds(e, 0.03), 0.8) << "a long tail";
  const long debris =
      std::count_if(crash.onsets.begin(), crash.onsets.end(), [](double t) { return t > 0.1; });
  EXPECT_GE(debris, 4) << "bits falling after the impact";
  EXPECT_GE(crash.seconds, 1.0);
  EXPECT_LE(crash.seconds, 2.0);
}

TEST(EffectCharacter, HornSwellsAsAChordAndTheChimeRingsWithACoin) {
  const Character horn = Measure(Effect("WaitTrain"));
  EXPECT_TRUE(IsInharmonic(horn, 6, 2))
      << horn.peaks.size() << " peaks, " << horn.inharmonic << " inharmonic";
  EXPECT_GE(horn.attack, 0.15) << "a swell";
  EXPECT_GE(horn.seconds, 1.0);
  EXPECT_LE(horn.seconds, 2.0);

  const Character chime = Measure(Effect("ReturnTrain"));
  EXPECT_TRUE(IsInharmonic(chime, 6, 3))
      << chime.peaks.size() << " peaks, " << chime.inharmonic << " inharmonic";
  EXPECT_GE(chime.onsets.size(), 2u);
  EXPECT_TRUE(std::any_of(chime.peaks.begin(), chime.peaks.end(), [](const Peak& p) {
    return p.hz > 2500.0;
  })) << "the coin's bright ring";
}

}  // namespace
