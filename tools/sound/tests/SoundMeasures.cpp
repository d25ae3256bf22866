// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundMeasures.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace measure {

namespace {
constexpr double kPi = 3.141592653589793;

// In-place iterative radix-2 FFT; the size is a power of two.
void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / len);
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
}

size_t BinOf(const Spectrum& power, double hz) {
  return std::min(power.size() - 1, static_cast<size_t>(std::lround(hz / BinHz(power))));
}
}  // namespace

Spectrum PowerSpectrum(const snd::Samples& s, size_t from, size_t n) {
  std::vector<std::complex<double>> a(n);
  for (size_t i = 0; i < n; ++i) {
    const double hann = 0.5 - 0.5 * std::cos(2.0 * kPi * i / n);
    a[i] = from + i < s.size() ? hann * s[from + i] : 0.0;
  }
  Fft(a);
  Spectrum power(n / 2 + 1);
  for (size_t k = 0; k < power.size(); ++k) power[k] = std::norm(a[k]);
  return power;
}

Spectrum AverageSpectrum(const snd::Samples& s, size_t n) {
  Spectrum sum(n / 2 + 1, 0.0);
  int windows = 0;
  for (size_t from = 0; windows == 0 || from + n / 2 < s.size(); from += n / 2, ++windows) {
    const Spectrum p = PowerSpectrum(s, from, n);
    for (size_t k = 0; k < sum.size(); ++k) sum[k] += p[k];
  }
  for (double& v : sum) v /= windows;
  return sum;
}

double BinHz(const Spectrum& power) { return snd::kRate / (2.0 * (power.size() - 1)); }

double Flatness(const Spectrum& power, double loHz, double hiHz) {
  const size_t lo = std::max<size_t>(1, BinOf(power, loHz)), hi = BinOf(power, hiHz);
  const double top = *std::max_element(power.begin(), power.end());
  if (top <= 0.0 || hi <= lo) return 0.0;
  // A floor far below anything audible keeps the logarithm of silent bins finite.
  const double floor = top * 1e-12;
  double logSum = 0.0, sum = 0.0;
  for (size_t k = lo; k <= hi; ++k) {
    logSum += std::log(power[k] + floor);
    sum += power[k] + floor;
  }
  const double count = static_cast<double>(hi - lo + 1);
  return std::exp(logSum / count) / (sum / count);
}

double Centroid(const Spectrum& power) {
  double weighted = 0.0, sum = 0.0;
  for (size_t k = 0; k < power.size(); ++k) {
    weighted += k * BinHz(power) * power[k];
    sum += power[k];
  }
  return sum > 0.0 ? weighted / sum : 0.0;
}

std::vector<Peak> Peaks(const Spectrum& power, double relative) {
  std::vector<Peak> peaks;
  const double top = *std::max_element(power.begin(), power.end());
  if (top <= 0.0) return peaks;
  const size_t reach = 3;    // a peak is the largest bin within this many bins either side
  const size_t around = 40;  // neighbourhood whose median is the local floor
  for (size_t k = reach; k + reach < power.size(); ++k) {
    if (power[k] < relative * top) continue;
    bool largest = true;
    for (size_t j = k - reach; j <= k + reach && largest; ++j)
      largest = j == k || power[j] < power[k];
    if (!largest) continue;
    std::vector<double> hood(power.begin() + (k > around ? k - around : 0),
                             power.begin() + std::min(power.size(), k + around + 1));
    std::nth_element(hood.begin(), hood.begin() + hood.size() / 2, hood.end());
    if (power[k] < 10.0 * hood[hood.size() / 2]) continue;
    peaks.push_back({k * BinHz(power), power[k] / top});
  }
  return peaks;
}

int InharmonicPeaks(const std::vector<Peak>& peaks) {
  if (peaks.empty()) return 0;
  const double base = peaks.front().hz;
  int count = 0;
  for (const Peak& p : peaks) {
    const double ratio = p.hz / base;
    if (std::fabs(ratio - std::round(ratio)) > 0.03 * ratio) ++count;
  }
  return count;
}

size_t Envelope::Loudest() const {
  return static_cast<size_t>(std::max_element(rms.begin(), rms.end()) - rms.begin());
}

Envelope RmsEnvelope(const snd::Samples& s, double windowSeconds, double hopSeconds) {
  Envelope e;
  const size_t window = std::max(1, snd::Frames(windowSeconds)),
               hop = std::max(1, snd::Frames(hopSeconds));
  e.hopSeconds = static_cast<double>(hop) / snd::kRate;
  for (size_t from = 0; from < s.size(); from += hop) {
    double sum = 0.0;
    const size_t to = std::min(s.size(), from + window);
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    e.rms.push_back(std::sqrt(sum / window));
  }
  return e;
}

std::vector<double> Onsets(const Envelope& e) {
  std::vector<double> times;
  const double floor = 0.1 * e.Max();
  const size_t look = std::max<size_t>(1, static_cast<size_t>(std::lround(0.02 / e.hopSeconds)));
  const double refractory = 0.025;
  for (size_t i = 0; i < e.rms.size(); ++i) {
    if (e.rms[i] < floor) continue;
    double low = i < look ? 0.0 : e.rms[i];  // the sound starts from silence
    for (size_t j = i > look ? i - look : 0; j < i; ++j) low = std::min(low, e.rms[j]);
    const double t = i * e.hopSeconds;
    if (e.rms[i] >= 2.0 * low && (times.empty() || t - times.back() >= refractory))
      times.push_back(t);
  }
  return times;
}

namespace {
size_t FirstAbove(const Envelope& e, double fraction) {
  size_t i = 0;
  while (i + 1 < e.rms.size() && e.rms[i] < fraction * e.Max()) ++i;
  return i;
}
}  // namespace

double AttackSeconds(const Envelope& e) {
  if (e.rms.empty()) return 0.0;
  return (FirstAbove(e, 0.9) - FirstAbove(e, 0.1)) * e.hopSeconds;
}

double DecaySeconds(const Envelope& e, double fraction) {
  if (e.rms.empty()) return 0.0;
  const size_t full = FirstAbove(e, 0.9);
  size_t last = full;
  for (size_t i = full; i < e.rms.size(); ++i)
    if (e.rms[i] >= fraction * e.Max()) last = i;
  return (last - full) * e.hopSeconds;
}

snd::Samples PlainTone(snd::Wave wave, double hz, double seconds) {
  snd::Samples s = snd::Sweep(wave, hz, hz, seconds);
  snd::Envelope(s, 0.002, 0.01);
  snd::Normalize(s, 0.5f);
  return s;
}

}  // namespace measure
