// SPDX-License-Identifier: GPL-3.0-or-later
#include "Effects.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace snd {

namespace {

// Finishes an effect: a short fade at both ends against clicks, then the level.
Samples Finish(Samples s, float peak) {
  Envelope(s, 0.002, 0.01);
  Normalize(s, peak);
  return s;
}

// Finishes an effect that starts with a strike: a few milliseconds of silence first,
// so the fade-in against clicks does not blunt the strike itself.
Samples FinishHit(Samples s, float peak) {
  s.insert(s.begin(), Frames(0.003), 0.0f);
  return Finish(std::move(s), peak);
}

// Rounds off the highest peaks of a mix (normalised first, so a drive means the same
// in every effect): short strikes then lose less loudness to the peak level they are
// finished to, and tones gain a little bite.
Samples Firm(Samples s, float drive) {
  Normalize(s, 1.0f);
  Saturate(s, drive);
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
  return Struck(f, seconds,
                {{1.0, 1.0f, seconds * 0.45},
                 {2.0, 0.45f * brightness, seconds * 0.25},
                 {2.76, 0.35f * brightness, seconds * 0.18},
                 {5.40, 0.20f * brightness, seconds * 0.08},
                 {0.5, 0.25f, seconds * 0.5}});
}

// A strike on something hard: a brief noise contact rings the object's modes. The
// result peaks at 1, so callers mix strikes by plain gains.
Samples Strike(double f, double seconds, const std::vector<Partial>& modes, double contact,
               uint32_t seed) {
  Samples hit = NoiseBurst(contact, seed);
  Decay(hit, contact / 3.0);
  // An impulse under the noise gives every mode its set share; the noise varies the rest.
  Samples excitation = hit;
  Scale(excitation, 0.5f);
  excitation.insert(excitation.begin(), 1.0f);
  Samples s = Modes(excitation, f, seconds, modes);
  Normalize(s, 1.0f);
  MixInto(s, hit, 0.0, 0.3f);
  Envelope(s, 0.0, std::min(0.02, seconds / 4.0));  // modes still ringing at the end fade out
  Normalize(s, 1.0f);
  return s;
}

// A knock of wood or of a dull frame: band-passed noise dying fast, peaking at 1.
Samples Knock(double centre, double tau, uint32_t seed) {
  Samples s = Tick(std::min(0.25, tau * 6.0), centre, 1.5, tau, seed);
  Normalize(s, 1.0f);
  return s;
}

// The crack of hard parts meeting: bright broadband noise over within milliseconds.
Samples Crack(double tau, uint32_t seed) {
  Samples s = NoiseBurst(tau * 6.0, seed);
  HighPass(s, 1200.0);
  Decay(s, tau);
  Normalize(s, 1.0f);
  return s;
}

// Modes of a free bar (a rail, a spike, a sounder's armature): far from harmonic.
std::vector<Partial> BarModes(double decay) {
  return {{1.0, 1.0f, decay},
          {2.756, 0.6f, decay * 0.6},
          {5.404, 0.35f, decay * 0.35},
          {8.933, 0.2f, decay * 0.2}};
}

// One chime of an air horn: a reed buzzing into a flared bell - two slightly detuned,
// wavering saws, softened, with the bell's formant.
Samples HornVoice(double f, double seconds, uint32_t seed) {
  Samples s = Wander(Wave::Saw, f, seconds, 0.003, seed);
  MixInto(s, Wander(Wave::Saw, f * 1.003, seconds, 0.003, seed + 1), 0.0, 0.8f);
  Samples formant = s;
  BandPass(formant, 1100.0, 1.2);
  LowPass(s, 2200.0);
  MixInto(s, formant, 0.0, 0.8f);
  return s;
}

Samples GlassBtn() {
  // A fingertip on a glass button: a bright tap and a short ting whose partials are
  // those of a glass, not a harmonic series, the lowest a close pair that beats.
  const std::vector<Partial> glass = {{1.0, 1.0f, 0.08},
                                      {1.005, 0.6f, 0.07},
                                      {2.32, 0.7f, 0.05},
                                      {3.35, 0.5f, 0.04},
                                      {4.25, 0.5f, 0.035}};
  Samples s = Strike(1950.0, 0.22, glass, 0.0006, 11);
  return FinishHit(s, 0.45f);
}

Samples Button() {
  Samples s = Tick(0.02, 2200.0, 1.5, 0.003, 12);
  MixInto(s, Thump(220.0, 140.0, 0.05, 0.012), 0.0, 0.8f);
  return Finish(s, 0.5f);
}

Samples CallServer() {
  // The repair train answers the call on its two-tone air horn: a low note, then a
  // higher one held, each a pair of reeds a major third apart.
  Samples s;
  const double notes[][2] = {{392.0, 0.22}, {523.25, 0.40}};
  double at = 0.0;
  for (uint32_t i = 0; i < 2; ++i) {
    const double f = notes[i][0], seconds = notes[i][1];
    Samples a = HornVoice(f, seconds, 120 + 2 * i);
    MixInto(a, HornVoice(f * 1.26, seconds, 121 + 2 * i), 0.0, 0.6f);
    Samples breath = NoiseBurst(seconds, 125 + i);
    BandPass(breath, 1500.0, 1.2);
    Normalize(breath, 0.15f);
    MixInto(a, breath, 0.0);
    Envelope(a, 0.03, 0.06);
    MixInto(s, a, at);
    at += seconds + 0.04;
  }
  return Finish(Firm(s, 2.0f), 0.6f);
}

Samples Telex() {
  // A telegraph sounder chattering: the armature strikes the anvil going down (a sharp
  // click) and its back stop coming up (a duller clack), in the uneven rhythm of dots
  // and dashes.
  const double strokes[][2] = {
      {0.0, 0.11}, {0.155, 0.2}, {0.245, 0.29}, {0.335, 0.45}};  // down, up
  Noise jitter(13);
  Samples s;
  for (uint32_t i = 0; i < 4; ++i) {
    const double down = strokes[i][0] + 0.006 * std::fabs(jitter.Next()),
                 up = strokes[i][1] + 0.006 * jitter.Next();
    Samples click = Strike(2100.0, 0.06, BarModes(0.012), 0.0008, 14 + 2 * i);
    MixInto(click, Knock(650.0, 0.008, 15), 0.0, 0.5f);
    MixInto(s, click, down);
    Samples clack = Strike(1500.0, 0.06, BarModes(0.008), 0.0015, 15 + 2 * i);
    LowPass(clack, 3000.0);
    MixInto(clack, Knock(500.0, 0.01, 17), 0.0, 0.6f);
    MixInto(s, clack, up, 0.55f);
  }
  return FinishHit(Firm(s, 1.2f), 0.4f);
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
  // A rail cracks - a sharp report and the ring of the broken rail - and the line's
  // alarm gong answers with two falling strokes.
  Samples s = Crack(0.01, 31);
  Samples report = NoiseBurst(0.25, 32);
  LowPass(report, 2500.0);
  Decay(report, 0.04);
  Normalize(report, 1.0f);
  MixInto(s, report, 0.0, 0.8f);
  MixInto(s, Strike(310.0, 0.3, BarModes(0.12), 0.004, 33), 0.0, 0.7f);
  for (int i = 0; i < 2; ++i) {
    Samples gong = Bell(i ? 523.25 : 698.5, 0.4, 0.8f);
    Envelope(gong, 0.0, 0.1);
    MixInto(s, gong, 0.18 + 0.24 * i, 1.1f);
  }
  return FinishHit(Firm(s, 1.5f), 0.6f);
}

Samples WaitTrain() {
  // A train kept waiting sounds its air horn: three reed chimes in a chord, with the
  // hiss of the air, swelling in and dying away.
  const double seconds = 1.5;
  Samples s;
  const int chord[] = {62, 66, 71};
  for (int i = 0; i < 3; ++i)
    MixInto(s, HornVoice(NoteHz(chord[i]), seconds, 40 + 2 * i), 0.0, 0.5f);
  Envelope(s, 0.3, 0.35);
  Samples breath = NoiseBurst(seconds, 46);
  BandPass(breath, 1700.0, 1.2);
  Normalize(breath, 1.0f);
  Envelope(breath, 0.08, 0.4);
  MixInto(s, breath, 0.0, 0.12f);
  Tremolo(s, 5.0, 0.04);
  return Finish(Firm(s, 1.8f), 0.6f);
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
  // A signal relay pulling in: the armature's sharp tick, its small bounce off the pole
  // piece, and the knock of the lever in its frame.
  const std::vector<Partial> armature = {
      {1.0, 1.0f, 0.005}, {1.71, 0.7f, 0.004}, {2.93, 0.5f, 0.003}};
  Samples s = Strike(2300.0, 0.07, armature, 0.0012, 61);
  MixInto(s, Strike(2450.0, 0.05, armature, 0.0008, 62), 0.009, 0.4f);
  MixInto(s, Knock(750.0, 0.014, 63), 0.001, 0.7f);
  return FinishHit(Firm(s, 3.0f), 0.45f);
}

Samples NexTrack() {
  // The track selector turns one notch: a small detent click with a brief brassy ring.
  Samples s = Strike(2100.0, 0.07, {{1.0, 1.0f, 0.02}, {1.62, 0.6f, 0.012}, {2.41, 0.4f, 0.008}},
                     0.001, 111);
  MixInto(s, Knock(1300.0, 0.006, 112), 0.0, 0.5f);
  return FinishHit(Firm(s, 3.0f), 0.4f);
}

Samples Mode() {
  // The mode lever is thrown: the catch lets go with a light click, and the lever
  // lands in its other notch with a firmer clack.
  Samples s = Strike(2600.0, 0.05, {{1.0, 1.0f, 0.008}, {1.83, 0.6f, 0.005}}, 0.001, 121);
  Scale(s, 0.6f);
  Samples clack = Strike(1200.0, 0.09, BarModes(0.02), 0.002, 122);
  MixInto(clack, Knock(600.0, 0.015, 123), 0.0, 0.8f);
  MixInto(clack, Thump(180.0, 120.0, 0.08, 0.02), 0.0, 0.6f);
  MixInto(s, clack, 0.07);
  return FinishHit(Firm(s, 3.0f), 0.45f);
}

Samples BadGame() {
  // The falling phrase of a lost game on a muted brass, the last note sagging with
  // vibrato.
  const int keys[] = {67, 66, 65, 64};
  const double lengths[] = {0.38, 0.38, 0.38, 1.1};
  Samples s;
  double at = 0.0;
  for (int i = 0; i < 4; ++i) {
    const double f = NoteHz(keys[i]), end = i == 3 ? f * 0.94 : f;
    Samples n = Sweep(Wave::Saw, f, end, lengths[i]);
    MixInto(n, Sweep(Wave::Saw, f * 1.004, end * 1.004, lengths[i]), 0.0, 0.7f);
    MixInto(n, Sweep(Wave::Triangle, f * 0.5, end * 0.5, lengths[i]), 0.0, 0.5f);
    Samples mute = n;
    BandPass(mute, 900.0, 1.5);  // the mute's nasal formant
    LowPass(n, 1100.0);
    MixInto(n, mute, 0.0, 0.6f);
    if (i == 3) Tremolo(n, 5.5, 0.25);
    Envelope(n, 0.03, i == 3 ? 0.5 : 0.08);
    MixInto(s, n, at);
    at += lengths[i] + 0.02;
  }
  return Finish(Firm(s, 1.0f), 0.6f);
}

Samples Crash() {
  // A collision: one broadband smash with a heavy thud and the clang of the bodies,
  // then debris - iron bits and splinters of wood - falling at random and ever more
  // sparsely, over a rumble that rolls away.
  const double seconds = 1.8;
  Samples s = NoiseBurst(0.3, 71);
  LowPass(s, 7000.0);
  Decay(s, 0.04);
  MixInto(s, Thump(95.0, 38.0, 0.5, 0.1), 0.0, 0.9f);
  MixInto(s,
          Strike(230.0, 0.8,
                 {{1.0, 1.0f, 0.15}, {1.47, 0.7f, 0.12}, {2.31, 0.5f, 0.08}, {3.7, 0.3f, 0.05}},
                 0.01, 72),
          0.004, 0.5f);
  Samples rumble = NoiseBurst(seconds, 73);
  LowPass(rumble, 200.0);
  LowPass(rumble, 200.0);
  Normalize(rumble, 1.0f);
  Decay(rumble, 0.45);
  Tremolo(rumble, 3.0, 0.3);
  MixInto(s, rumble, 0.02, 0.2f);
  // Debris comes down thick at first and ever more sparsely: iron bits ringing as
  // bars or plates, and splinters of wood.
  const std::vector<Partial> plate = {
      {1.0, 1.0f, 0.05}, {1.59, 0.7f, 0.04}, {2.14, 0.6f, 0.03}, {2.65, 0.4f, 0.02}};
  Noise scatter(74);
  double at = 0.12;
  for (uint32_t i = 0; i < 24 && at < seconds - 0.25; ++i) {
    const double r = std::fabs(scatter.Next()), kind = scatter.Next();
    const double f = 700.0 + 2200.0 * r;
    Samples bit = kind > 0.2    ? Strike(f, 0.15, BarModes(0.04 + 0.04 * r), 0.001, 80 + i)
                  : kind > -0.4 ? Strike(f * 0.8, 0.12, plate, 0.0015, 80 + i)
                                : Knock(400.0 + 900.0 * r, 0.012, 80 + i);
    const double fade = std::exp(-(at - 0.12) / 1.1);
    MixInto(s, bit, at, static_cast<float>(0.8 * fade * (0.45 + 0.55 * std::fabs(scatter.Next()))));
    at += (0.02 + 0.09 * std::fabs(scatter.Next())) * (1.0 + 2.5 * (at - 0.12));
  }
  Saturate(s, 1.5f);
  return FinishHit(s, 0.8f);
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

Samples ServerLock() {
  // A ratchet that will not catch: the pawl skips over five teeth, quicker and
  // quicker, and the wheel slips back against its stop with a dull knock.
  const std::vector<Partial> pawl = {{1.0, 1.0f, 0.006}, {1.83, 0.6f, 0.004}, {3.1, 0.4f, 0.003}};
  Samples s;
  double at = 0.0, gap = 0.055;
  for (uint32_t i = 0; i < 5; ++i) {
    Samples click = Strike(2900.0 + 120.0 * i, 0.04, pawl, 0.0008, 20 + i);
    MixInto(click, Knock(1100.0, 0.005, 30 + i), 0.0, 0.4f);
    MixInto(s, click, at, 0.9f - 0.08f * i);
    at += gap;
    gap *= 0.86;
  }
  Samples knock = Thump(150.0, 90.0, 0.1, 0.025);
  MixInto(knock, Knock(480.0, 0.02, 36), 0.0, 0.7f);
  MixInto(s, knock, at + 0.01, 0.8f);
  return FinishHit(Firm(s, 2.0f), 0.55f);
}

Samples SwitchLock() {
  // A point lever pulled against its locked stop: a heavy thunk of iron on iron, a
  // small rebound, and a second, harder pull that gets no further.
  auto thunk = [](uint32_t seed) {
    Samples s = Thump(120.0, 70.0, 0.14, 0.03);
    Scale(s, 0.6f);
    MixInto(s,
            Strike(310.0, 0.14, {{1.0, 1.0f, 0.03}, {2.3, 0.6f, 0.02}, {3.9, 0.4f, 0.012}}, 0.004,
                   seed),
            0.0, 0.6f);
    MixInto(s, Knock(700.0, 0.02, seed + 1), 0.0, 0.9f);
    MixInto(s, Crack(0.004, seed + 2), 0.0, 0.6f);
    return s;
  };
  Samples s = thunk(41);
  MixInto(s, Knock(900.0, 0.01, 43), 0.05, 0.3f);
  MixInto(s, thunk(44), 0.17, 1.2f);
  return FinishHit(Firm(s, 2.0f), 0.55f);
}

Samples ReturnTrain() {
  // A train home with its earnings: a two-note station chime, ding-dong, and a coin
  // dropped on the counter, ringing bright and chinking twice as it settles.
  Samples s;
  for (int i = 0; i < 2; ++i) {
    Samples note = Bell(NoteHz(i ? 72 : 76), 1.1 - 0.1 * i, 0.7f);
    Envelope(note, 0.0, 0.3);
    MixInto(s, note, 0.3 * i, i ? 0.9f : 1.0f);
  }
  const std::vector<Partial> coin = {
      {1.0, 1.0f, 0.22}, {1.73, 0.7f, 0.16}, {2.33, 0.5f, 0.1}, {3.91, 0.3f, 0.05}};
  MixInto(s, Strike(2650.0, 0.5, coin, 0.0006, 100), 0.14, 0.55f);
  MixInto(s, Strike(2660.0, 0.3, coin, 0.0005, 101), 0.215, 0.25f);
  MixInto(s, Strike(2670.0, 0.2, coin, 0.0004, 102), 0.265, 0.15f);
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
  // Spikes driven into a sleeper: three hammer blows, each ringing the spike and the
  // rail over the wood's dull knock; the spike rises in pitch as it goes home.
  const double at[] = {0.0, 0.095, 0.2};
  Samples s;
  for (uint32_t i = 0; i < 3; ++i) {
    Samples blow = Strike(1650.0 * (1.0 + 0.04 * i), 0.1, BarModes(0.03), 0.0015, 93 + i);
    MixInto(blow, Strike(480.0, 0.1, BarModes(0.05), 0.003, 96 + i), 0.0, 0.5f);
    MixInto(blow, Knock(420.0, 0.012, 99 + i), 0.0, 0.5f);
    MixInto(blow, Crack(0.003, 102 + i), 0.0, 0.6f);
    MixInto(s, blow, at[i], 0.8f + 0.1f * i);
  }
  return FinishHit(Firm(s, 1.5f), 0.5f);
}

Samples Tips() {
  // A tip arrives: the brass counter bell, rung twice, the second time brighter.
  Samples s;
  const std::vector<Partial> counterBell = {
      {1.0, 1.0f, 0.12}, {2.08, 0.4f, 0.07}, {2.97, 0.3f, 0.05}, {4.16, 0.2f, 0.03}};
  MixInto(s, Struck(880.0, 0.3, counterBell), 0.0, 0.8f);
  MixInto(s, Struck(1318.5, 0.35, counterBell), 0.09);
  MixInto(s, Crack(0.001, 131), 0.0, 0.15f);
  MixInto(s, Crack(0.001, 132), 0.09, 0.15f);
  return FinishHit(s, 0.45f);
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
