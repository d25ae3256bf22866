// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measures of what an effect sounds like, computed from its samples: how noisy
// its spectrum is, how many distinct partials it has and whether they form one
// harmonic series, and the shape of its loudness over time.
#include <cstddef>
#include <vector>

#include "Synth.h"

namespace measure {

using Spectrum = std::vector<double>;  // power per bin, bins 0..n/2 of an n-point transform

// Power spectrum of n samples (a power of two) from frame `from`, Hann windowed;
// samples past the end count as silence.
Spectrum PowerSpectrum(const snd::Samples& s, size_t from, size_t n);
// The mean of the power spectra of half-overlapping n-point windows over the whole sound.
Spectrum AverageSpectrum(const snd::Samples& s, size_t n);
double BinHz(const Spectrum& power);

// Geometric over arithmetic mean of the power between loHz and hiHz: near 0 for a
// tone, about 0.5 for white noise.
double Flatness(const Spectrum& power, double loHz = 100.0, double hiHz = 8000.0);
// Power-weighted mean frequency.
double Centroid(const Spectrum& power);

struct Peak {
  double hz;
  double level;  // power relative to the strongest bin
};
// Local maxima at least `relative` of the strongest bin and at least 10 dB above the
// median of their neighbourhood, so window side lobes and noise ripples do not count.
std::vector<Peak> Peaks(const Spectrum& power, double relative);
// How many peaks lie off the harmonic series of the lowest one (more than 3 % from
// any whole multiple): 0 for any periodic wave, however rich.
int InharmonicPeaks(const std::vector<Peak>& peaks);

// Loudness over time: the RMS of `window` samples every `hop` samples.
struct Envelope {
  std::vector<double> rms;
  double hopSeconds = 0.0;
  size_t Loudest() const;
  double Max() const { return rms.empty() ? 0.0 : rms[Loudest()]; }
};
// The 10 ms default window spans most of a period of the lowest tones, so their
// waveform does not ripple the loudness.
Envelope RmsEnvelope(const snd::Samples& s, double windowSeconds = 0.01,
                     double hopSeconds = 0.0025);
// Times (s) where the loudness jumps to at least twice its lowest level of the last
// 20 ms and to at least a tenth of the loudest frame, at least 25 ms apart: the
// starts of separate hits.
std::vector<double> Onsets(const Envelope& e);
// Seconds from the first frame above 10 % of the loudest to the first above 90 %.
double AttackSeconds(const Envelope& e);
// Seconds from the first frame above 90 % of the loudest until the loudness stays
// below `fraction` of the loudest.
double DecaySeconds(const Envelope& e, double fraction);

// Synthetic references the measures must reject.
snd::Samples PlainTone(snd::Wave wave, double hz, double seconds);

}  // namespace measure
