// SPDX-License-Identifier: GPL-3.0-or-later
#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace snd {

namespace {
constexpr double kTwoPi = 6.283185307179586;

double Oscillate(Wave wave, double phase) {
  double frac = phase - std::floor(phase);
  switch (wave) {
    case Wave::Sine:
      return std::sin(kTwoPi * frac);
    case Wave::Triangle:
      return frac < 0.5 ? 4.0 * frac - 1.0 : 3.0 - 4.0 * frac;
    case Wave::Square:
      return frac < 0.5 ? 1.0 : -1.0;
    case Wave::Saw:
      return 2.0 * frac - 1.0;
  }
  return 0.0;
}
}  // namespace

float Noise::Next() {
  // xorshift32: small, fast and the same on every machine.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ / 2147483647.5 - 1.0);
}

int Frames(double seconds) { return std::max(0, static_cast<int>(std::lround(seconds * kRate))); }

double NoteHz(int midiKey) { return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0); }

Samples Sweep(Wave wave, double f0, double f1, double seconds) {
  Samples out(Frames(seconds));
  double phase = 0.0;
  const double n = std::max<size_t>(1, out.size());
  for (size_t i = 0; i < out.size(); ++i) {
    double f = f0 * std::pow(f1 / f0, i / n);
    out[i] = static_cast<float>(Oscillate(wave, phase));
    phase += f / kRate;
  }
  return out;
}

Samples Struck(double f, double seconds, const std::vector<Partial>& partials) {
  Samples out(Frames(seconds));
  for (const Partial& p : partials) {
    const double w = kTwoPi * f * p.ratio / kRate;
    if (f * p.ratio >= kRate / 2.0) continue;  // above the audible band of this rate
    for (size_t i = 0; i < out.size(); ++i) {
      double t = static_cast<double>(i) / kRate;
      out[i] += static_cast<float>(p.gain * std::exp(-t / p.decay) * std::sin(w * i));
    }
  }
  return out;
}

Samples Modes(const Samples& excitation, double f, double seconds,
              const std::vector<Partial>& partials) {
  Samples out(Frames(seconds));
  for (const Partial& p : partials) {
    const double hz = f * p.ratio;
    if (hz >= kRate / 2.0) continue;
    const double w = kTwoPi * hz / kRate;
    const double r = std::exp(-1.0 / (p.decay * kRate));
    // Scaling the input by sin(w) gives an impulse response of amplitude 1 at any pitch.
    const double in = p.gain * std::sin(w), c1 = 2.0 * r * std::cos(w), c2 = -r * r;
    double y1 = 0.0, y2 = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
      const double x = i < excitation.size() ? excitation[i] : 0.0;
      const double y = in * x + c1 * y1 + c2 * y2;
      y2 = y1;
      y1 = y;
      out[i] += static_cast<float>(y);
    }
  }
  return out;
}

Samples Wander(Wave wave, double f, double seconds, double depth, uint32_t seed) {
  Samples out(Frames(seconds));
  Noise noise(seed);
  const size_t step = static_cast<size_t>(Frames(0.06));  // a new target pitch this often
  double from = 0.0, to = noise.Next(), phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (i % step == 0 && i > 0) {
      from = to;
      to = noise.Next();
    }
    const double k = static_cast<double>(i % step) / step;
    const double bend = from + (to - from) * (0.5 - 0.5 * std::cos(kTwoPi * 0.5 * k));
    out[i] = static_cast<float>(Oscillate(wave, phase));
    phase += f * (1.0 + depth * bend) / kRate;
  }
  return out;
}

Samples NoiseBurst(double seconds, uint32_t seed) {
  Samples out(Frames(seconds));
  Noise noise(seed);
  for (float& v : out) v = noise.Next();
  return out;
}

Samples Pluck(double f, double seconds, uint32_t seed) {
  Samples out(Frames(seconds));
  const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / f));
  std::vector<float> line(period);
  Noise noise(seed);
  for (float& v : line) v = noise.Next();
  size_t pos = 0;
  for (float& v : out) {
    size_t next = (pos + 1) % period;
    float value = line[pos];
    line[pos] = 0.498f * (line[pos] + line[next]);
    v = value;
    pos = next;
  }
  return out;
}

void Envelope(Samples& s, double attack, double release) {
  const size_t a = Frames(attack);
  const size_t r = Frames(release);
  for (size_t i = 0; i < s.size(); ++i) {
    float g = 1.0f;
    if (i < a) g = static_cast<float>(i) / a;
    size_t fromEnd = s.size() - i;
    if (fromEnd <= r) g *= static_cast<float>(fromEnd) / r;
    s[i] *= g;
  }
}

void Decay(Samples& s, double tau) {
  const double k = std::exp(-1.0 / (tau * kRate));
  double g = 1.0;
  for (float& v : s) {
    v = static_cast<float>(v * g);
    g *= k;
  }
}

void Tremolo(Samples& s, double rate, double depth) {
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] *= static_cast<float>(1.0 + depth * std::sin(kTwoPi * rate * i / kRate));
  }
}

void LowPass(Samples& s, double cutoffHz) {
  const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / kRate);
  double y = 0.0;
  for (float& v : s) {
    y += a * (v - y);
    v = static_cast<float>(y);
  }
}

void HighPass(Samples& s, double cutoffHz) {
  Samples low = s;
  LowPass(low, cutoffHz);
  for (size_t i = 0; i < s.size(); ++i) s[i] -= low[i];
}

void BandPass(Samples& s, double centreHz, double q) {
  // Biquad band pass with 0 dB peak gain.
  const double w = kTwoPi * centreHz / kRate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (float& v : s) {
    double x = v;
    double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    v = static_cast<float>(y);
  }
}

void Scale(Samples& s, float gain) {
  for (float& v : s) v *= gain;
}

void MixInto(Samples& dst, const Samples& src, double atSeconds, float gain) {
  const size_t at = Frames(atSeconds);
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[at + i] += gain * src[i];
}

void Normalize(Samples& s, float peak) {
  float top = 0.0f;
  for (float v : s) top = std::max(top, std::fabs(v));
  if (top > 0.0f) Scale(s, peak / top);
}

void Saturate(Samples& s, float drive) {
  const float norm = std::tanh(drive);
  for (float& v : s) v = std::tanh(drive * v) / norm;
}

}  // namespace snd
