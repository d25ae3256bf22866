// SPDX-License-Identifier: GPL-3.0-or-later
#include "Effects.h"

#include <algorithm>
#include <cmath>

namespace snd {

namespace {

// Finishes an effect: a short fade at both ends against clicks, then the level.
Samples Finish(Samples s, float peak) {
  Envelope(s, 0.002, 0.01);
  Normalize(s, peak);
  return s;
}

// A short filtered noise transient: the "tick" of mechanical parts.
Samples Tick(double seconds, double centre, double q, double tau, uint32_t seed) {
  Samples s = NoiseBurst(seconds, seed);
  BandPass(s, centre, q);
  Decay(s, tau);
  return s;
}

// A low body thump whose pitch drops, as of something heavy landing.
Samples Thump(double f0, double f1, double seconds, double tau) {
  Samples s = Sweep(Wave::Sine, f0, f1, seconds);
  Decay(s, tau);
  return s;
}

// A brass-like note: a bright saw softened by a low pass, swelling in.
Samples Brass(int key, double seconds) {
  Samples s = Sweep(Wave::Saw, NoteHz(key), NoteHz(key), seconds);
  Samples s2 = Sweep(Wave::Saw, NoteHz(key) * 1.004, NoteHz(key) * 1.004, seconds);
  MixInto(s, s2, 0.0, 0.7f);
  LowPass(s, 1800.0);
  Envelope(s, 0.03, std::min(0.12, seconds / 2));
  return s;
}

Samples Bell(double f, double seconds, float brightness) {
  return Struck(f, seconds, {{1.0, 1.0f, seconds * 0.45},
                             {2.0, 0.45f * brightness, seconds * 0.25},
                             {2.76, 0.35f * brightness, seconds * 0.18},
                             {5.40, 0.20f * brightness, seconds * 0.08},
                             {0.5, 0.25f, seconds * 0.5}});
}

Samples GlassBtn() {
  Samples s = Struck(2637.0, 0.18, {{1.0, 1.0f, 0.05}, {2.32, 0.4f, 0.025}, {4.1, 0.2f, 0.012}});
  MixInto(s, Tick(0.01, 5000.0, 2.0, 0.002, 11), 0.0, 0.4f);
  return Finish(s, 0.45f);
}

Samples Button() {
  Samples s = Tick(0.02, 2200.0, 1.5, 0.003, 12);
  MixInto(s, Thump(220.0, 140.0, 0.05, 0.012), 0.0, 0.8f);
  return Finish(s, 0.5f);
}

Samples CallServer() {
  // A two-tone horn: the repair train answers the call.
  Samples s;
  const double notes[][2] = {{392.0, 0.22}, {523.25, 0.40}};
  double at = 0.0;
  for (const auto& n : notes) {
    Samples a = Sweep(Wave::Square, n[0], n[0], n[1]);
    Samples b = Sweep(Wave::Square, n[0] * 1.26, n[0] * 1.26, n[1]);
    MixInto(a, b, 0.0, 0.6f);
    LowPass(a, 1400.0);
    Envelope(a, 0.02, 0.06);
    MixInto(s, a, at);
    at += n[1] + 0.04;
  }
  return Finish(s, 0.6f);
}

Samples Telex() {
  // A typewriter key: a bright strike with a little metallic ring.
  Samples s = Tick(0.04, 3400.0, 2.5, 0.004, 13);
  MixInto(s, Struck(1850.0, 0.04, {{1.0, 0.5f, 0.008}, {2.9, 0.3f, 0.004}}), 0.0);
  MixInto(s, Thump(300.0, 200.0, 0.03, 0.006), 0.003, 0.5f);
  return Finish(s, 0.4f);
}

Samples NewTrainSemafor() {
  // The start sign's bell rings three times.
  Samples s;
  for (int i = 0; i < 3; ++i) MixInto(s, Bell(1318.5, 0.7, 1.0f), 0.24 * i, 1.0f - 0.15f * i);
  return Finish(s, 0.6f);
}

Samples Repair() {
  // A ratchet at work, then a bright ding when the track is whole again.
  Samples s;
  for (int i = 0; i < 6; ++i) {
    Samples click = Tick(0.03, 2800.0, 4.0, 0.006, 20 + i);
    Normalize(click, 0.6f);
    MixInto(s, click, 0.07 * i);
  }
  MixInto(s, Bell(1046.5, 0.8, 0.7f), 0.5);
  MixInto(s, Bell(1568.0, 0.7, 0.5f), 0.62, 0.7f);
  return Finish(s, 0.6f);
}

Samples NewBad() {
  // A cracking rail, then a falling warning tone.
  Samples s = NoiseBurst(0.25, 31);
  LowPass(s, 2500.0);
  Decay(s, 0.04);
  for (int i = 0; i < 2; ++i) {
    Samples beep = Sweep(Wave::Triangle, 700.0 - 180.0 * i, 620.0 - 180.0 * i, 0.22);
    Envelope(beep, 0.01, 0.05);
    MixInto(s, beep, 0.18 + 0.26 * i, 0.7f);
  }
  return Finish(s, 0.6f);
}

Samples WaitTrain() {
  // Two low descending bongs: money is going.
  Samples s;
  MixInto(s, Struck(330.0, 0.5, {{1.0, 1.0f, 0.2}, {2.0, 0.4f, 0.1}, {3.0, 0.2f, 0.05}}), 0.0);
  MixInto(s, Struck(262.0, 0.7, {{1.0, 1.0f, 0.3}, {2.0, 0.4f, 0.12}, {3.0, 0.2f, 0.05}}), 0.28);
  return Finish(s, 0.6f);
}

Samples NewTrain() {
  // A steam whistle: a breathy chord that bends up into pitch.
  const double seconds = 1.1;
  Samples s;
  for (double f : {740.0, 880.0, 1108.7}) {
    Samples voice = Sweep(Wave::Sine, f * 0.94, f, 0.12);
    Samples rest = Sweep(Wave::Sine, f, f * 0.995, seconds - 0.12);
    MixInto(voice, rest, 0.12);
    MixInto(s, voice, 0.0, 0.5f);
  }
  Samples breath = NoiseBurst(seconds, 41);
  BandPass(breath, 950.0, 3.0);
  MixInto(s, breath, 0.0, 0.6f);
  Tremolo(s, 6.0, 0.08);
  Envelope(s, 0.06, 0.25);
  return Finish(s, 0.6f);
}

Samples Switch() {
  // Click of the lever, clunk of the blade.
  Samples s = Tick(0.02, 4200.0, 2.0, 0.003, 51);
  Samples clunk = Thump(130.0, 75.0, 0.12, 0.03);
  Samples body = Tick(0.1, 600.0, 1.2, 0.02, 52);
  MixInto(clunk, body, 0.0, 0.6f);
  MixInto(s, clunk, 0.06, 1.2f);
  return Finish(s, 0.65f);
}

Samples Light() {
  // A relay click and a short soft blip of the lamp.
  Samples s = Tick(0.015, 3000.0, 3.0, 0.002, 61);
  Samples blip = Sweep(Wave::Sine, 1200.0, 1250.0, 0.07);
  Envelope(blip, 0.005, 0.04);
  MixInto(s, blip, 0.01, 0.5f);
  return Finish(s, 0.45f);
}

Samples NexTrack() {
  Samples s = Sweep(Wave::Triangle, 800.0, 1250.0, 0.05);
  Envelope(s, 0.003, 0.03);
  return Finish(s, 0.4f);
}

Samples Mode() {
  Samples s;
  for (int i = 0; i < 2; ++i) {
    Samples n = Sweep(Wave::Square, i ? 988.0 : 659.3, i ? 988.0 : 659.3, 0.08);
    LowPass(n, 2000.0);
    Envelope(n, 0.004, 0.03);
    MixInto(s, n, 0.085 * i);
  }
  return Finish(s, 0.45f);
}

Samples BadGame() {
  // The falling phrase of a lost game, the last note sagging with vibrato.
  const int keys[] = {67, 66, 65, 64};
  const double lengths[] = {0.38, 0.38, 0.38, 1.1};
  Samples s;
  double at = 0.0;
  for (int i = 0; i < 4; ++i) {
    double f = NoteHz(keys[i]);
    Samples n = Sweep(Wave::Square, f, i == 3 ? f * 0.94 : f, lengths[i]);
    Samples t = Sweep(Wave::Triangle, f * 0.5, i == 3 ? f * 0.47 : f * 0.5, lengths[i]);
    MixInto(n, t, 0.0, 0.8f);
    LowPass(n, 1100.0);
    if (i == 3) Tremolo(n, 5.5, 0.25);
    Envelope(n, 0.02, i == 3 ? 0.5 : 0.08);
    MixInto(s, n, at);
    at += lengths[i] + 0.02;
  }
  return Finish(s, 0.6f);
}

Samples Crash() {
  // Impact, a noise burst rolling away, clanging metal and falling debris.
  Samples s = Thump(90.0, 35.0, 0.5, 0.15);
  Samples burst = NoiseBurst(1.6, 71);
  LowPass(burst, 3000.0);
  Decay(burst, 0.3);
  MixInto(s, burst, 0.0, 1.2f);
  MixInto(s, Struck(410.0, 1.2, {{1.0, 0.5f, 0.35}, {1.47, 0.4f, 0.3}, {2.31, 0.3f, 0.2}, {3.7, 0.2f, 0.1}}),
          0.02, 0.7f);
  Noise scatter(72);
  for (int i = 0; i < 10; ++i) {
    double at = 0.25 + 0.11 * i + 0.05 * scatter.Next();
    MixInto(s, Tick(0.05, 1500.0 + 600.0 * scatter.Next(), 3.0, 0.01, 80 + i), at, 0.5f - 0.04f * i);
  }
  Saturate(s, 1.8f);
  return Finish(s, 0.8f);
}

Samples NewTown() {
  // A short fanfare in thirds: da-da-da daaa.
  const int top[] = {72, 72, 72, 79};
  const int low[] = {67, 67, 67, 76};
  const double lengths[] = {0.13, 0.13, 0.13, 0.7};
  Samples s;
  double at = 0.0;
  for (int i = 0; i < 4; ++i) {
    MixInto(s, Brass(top[i], lengths[i]), at);
    MixInto(s, Brass(low[i], lengths[i]), at, 0.7f);
    at += lengths[i] + 0.03;
  }
  return Finish(s, 0.65f);
}

Samples Buzz(double seconds, double f) {
  Samples s = Sweep(Wave::Saw, f, f, seconds);
  MixInto(s, Sweep(Wave::Square, f * 1.5, f * 1.5, seconds), 0.0, 0.3f);
  LowPass(s, 450.0);
  Envelope(s, 0.01, 0.04);
  return s;
}

Samples ServerLock() {
  Samples s;
  MixInto(s, Buzz(0.14, 104.0), 0.0);
  MixInto(s, Buzz(0.14, 104.0), 0.2);
  return Finish(s, 0.55f);
}

Samples SwitchLock() {
  // A dull buzz under a muted clunk: the switch will not move.
  Samples s = Buzz(0.26, 87.0);
  MixInto(s, Thump(110.0, 80.0, 0.08, 0.02), 0.0, 0.6f);
  return Finish(s, 0.55f);
}

Samples ReturnTrain() {
  // An arrival chime rising through a major triad.
  Samples s;
  const double notes[] = {659.3, 830.6, 987.8};
  for (int i = 0; i < 3; ++i) MixInto(s, Bell(notes[i], 1.0, 0.6f), 0.16 * i, 0.8f);
  return Finish(s, 0.6f);
}

Samples SetTrack() {
  // Sleepers dropped on the ballast: a wooden knock with a low thud.
  Samples s = Thump(170.0, 90.0, 0.15, 0.04);
  MixInto(s, Tick(0.08, 900.0, 2.5, 0.015, 91), 0.0, 0.8f);
  MixInto(s, Tick(0.12, 350.0, 1.0, 0.03, 92), 0.01, 0.5f);
  return Finish(s, 0.6f);
}

Samples BuildTrack() {
  // A hammer tapping a spike.
  Samples s = Struck(1760.0, 0.15, {{1.0, 1.0f, 0.04}, {1.63, 0.6f, 0.03}, {2.5, 0.45f, 0.02}});
  MixInto(s, Tick(0.02, 5000.0, 1.5, 0.002, 93), 0.0, 0.6f);
  MixInto(s, Thump(200.0, 150.0, 0.04, 0.01), 0.0, 0.4f);
  return Finish(s, 0.5f);
}

Samples Tips() {
  Samples s;
  MixInto(s, Struck(880.0, 0.3, {{1.0, 1.0f, 0.09}, {2.0, 0.2f, 0.04}}), 0.0);
  MixInto(s, Struck(1318.5, 0.35, {{1.0, 1.0f, 0.11}, {2.0, 0.2f, 0.05}}), 0.09);
  return Finish(s, 0.45f);
}

}  // namespace

const std::vector<EffectRecipe>& EffectTable() {
  static const std::vector<EffectRecipe> table = {
      {"Dat/Wav/GlassBtn.wav", GlassBtn},
      {"Dat/Wav/button.wav", Button},
      {"Dat/Wav/CallServer.wav", CallServer},
      {"Dat/Wav/Telex.wav", Telex},
      {"Dat/Wav/NewTrainSemafor.wav", NewTrainSemafor},
      {"Dat/Wav/Repair.wav", Repair},
      {"Dat/Wav/NewBad.wav", NewBad},
      {"Dat/Wav/WaitTrain.wav", WaitTrain},
      {"Dat/Wav/NewTrain.wav", NewTrain},
      {"Dat/Wav/Switch.wav", Switch},
      {"Dat/Wav/Light.wav", Light},
      {"Dat/Wav/NexTrack.wav", NexTrack},
      {"Dat/Wav/Mode.wav", Mode},
      {"Dat/Wav/BadGame.wav", BadGame},
      {"Dat/Wav/Crash.wav", Crash},
      {"Dat/Wav/NewTown.wav", NewTown},
      {"Dat/Wav/ServerLock.wav", ServerLock},
      {"Dat/Wav/SwitchLock.wav", SwitchLock},
      {"Dat/Wav/ReturnTrain.wav", ReturnTrain},
      {"Dat/Wav/SetTrack.wav", SetTrack},
      {"Dat/Wav/BuildTrack.wav", BuildTrack},
      {"Dat/Wav/tips.wav", Tips},
  };
  return table;
}

}  // namespace snd
