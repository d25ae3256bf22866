// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building blocks of the effect synthesiser: mono float buffers at the game's
// mixing rate, oscillators, envelopes, noise and simple filters.
#include <cstdint>
#include <vector>

namespace snd {

constexpr int kRate = 22050;
using Samples = std::vector<float>;

enum class Wave { Sine, Triangle, Square, Saw };

// Deterministic white noise in -1..1, so every build writes the same files.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
  float Next();

 private:
  uint32_t state_;
};

int Frames(double seconds);
double NoteHz(int midiKey);

// An oscillator whose frequency glides exponentially from f0 to f1.
Samples Sweep(Wave wave, double f0, double f1, double seconds);
// A tone made of inharmonic partials (frequency ratios to f), each decaying with its
// own time constant: bells, chimes, struck metal.
struct Partial {
  double ratio;
  float gain;
  double decay;  // seconds for the partial to fall to 1/e
};
Samples Struck(double f, double seconds, const std::vector<Partial>& partials);
// The same modes rung by an excitation (usually a short noise tick) through a bank of
// two-pole resonators: the strike's own noise colours the ring, so no two hits with
// different excitations sound quite alike. Each mode's impulse response starts at its gain.
Samples Modes(const Samples& excitation, double f, double seconds,
              const std::vector<Partial>& partials);
// An oscillator whose pitch drifts slowly and at random by up to depth (a fraction of
// f) around f, as a blown reed or an air horn wavers.
Samples Wander(Wave wave, double f, double seconds, double depth, uint32_t seed);
// White noise of the given length.
Samples NoiseBurst(double seconds, uint32_t seed);
// A plucked string (Karplus-Strong) at f.
Samples Pluck(double f, double seconds, uint32_t seed);

// Linear fade-in over attack and fade-out over release seconds.
void Envelope(Samples& s, double attack, double release);
// Multiplies by exp(-t / tau).
void Decay(Samples& s, double tau);
// Multiplies by 1 + depth * sin(2 pi rate t).
void Tremolo(Samples& s, double rate, double depth);
void LowPass(Samples& s, double cutoffHz);
void HighPass(Samples& s, double cutoffHz);
// Resonant band pass (constant peak gain) around centreHz.
void BandPass(Samples& s, double centreHz, double q);
void Scale(Samples& s, float gain);
// Adds src into dst from the given time on, growing dst where needed.
void MixInto(Samples& dst, const Samples& src, double atSeconds, float gain = 1.0f);
// Scales so that the largest magnitude becomes peak (silence stays silence).
void Normalize(Samples& s, float peak);
// Soft saturation, for growl and punch.
void Saturate(Samples& s, float drive);

}  // namespace snd
