// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour distances as a player sees them: sRGB (D65) to CIE Lab, the CIE76 colour
// difference (Euclidean distance in Lab; about 2.3 is just noticeable), and the tinted
// copies of a clip that the game makes for trains and towns.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "ArtSupport.h"
#include "engine/PictureEffects.h"
#include "railway/Colours.h"

namespace arttest {

struct Lab {
  double L = 0, a = 0, b = 0;
};

inline double DeltaE76(const Lab& p, const Lab& q) {
  return std::sqrt((p.L - q.L) * (p.L - q.L) + (p.a - q.a) * (p.a - q.a) +
                   (p.b - q.b) * (p.b - q.b));
}

inline Lab ToLab(int r, int g, int b) {
  static const std::array<double, 256> linear = [] {
    std::array<double, 256> t{};
    for (int v = 0; v < 256; ++v) {
      double c = v / 255.0;
      t[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  double R = linear[r], G = linear[g], B = linear[b];
  double x = (0.4124 * R + 0.3576 * G + 0.1805 * B) / 0.95047;
  double y = 0.2126 * R + 0.7152 * G + 0.0722 * B;
  double z = (0.0193 * R + 0.1192 * G + 0.9505 * B) / 1.08883;
  auto f = [](double t) {
    return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
  };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

inline Lab Mean(const std::vector<Lab>& v) {
  Lab m;
  for (const Lab& p : v) m.L += p.L, m.a += p.a, m.b += p.b;
  if (!v.empty()) m.L /= v.size(), m.a /= v.size(), m.b /= v.size();
  return m;
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  auto mid = v.begin() + v.size() / 2;
  std::nth_element(v.begin(), mid, v.end());
  return *mid;
}

// Median over the pixels of the per-pixel difference between two pictures of the same shape.
inline double MedianDeltaE(const std::vector<Lab>& p, const std::vector<Lab>& q) {
  std::vector<double> d(std::min(p.size(), q.size()));
  for (size_t i = 0; i < d.size(); ++i) d[i] = DeltaE76(p[i], q[i]);
  return Median(std::move(d));
}

inline double MedianDeltaE(const std::vector<Lab>& p, const Lab& q) {
  std::vector<double> d(p.size());
  for (size_t i = 0; i < d.size(); ++i) d[i] = DeltaE76(p[i], q);
  return Median(std::move(d));
}

// A deep copy of the clip shifted by colour c and, for houses, with the town contrast.
inline std::unique_ptr<LClip> Tinted(const LClip& clip, int c, int contrast) {
  auto copy = std::make_unique<LClip>();
  copy->Assign(clip, true);
  const int* tint = rail::kColourTints[c];
  ShiftColour(copy->GetSurface(), tint[0], tint[1], tint[2]);
  if (contrast) Contrast(copy->GetSurface(), contrast);
  return copy;
}

// Lab colours of the opaque pixels of frame f, row by row (the same pixels for every tint).
inline std::vector<Lab> OpaqueLab(const LClip& clip, int f) {
  std::vector<Lab> out;
  for (int y = 0; y < clip.FrameH; ++y)
    for (int x = 0; x < clip.FrameW; ++x) {
      Rgba p = PixelAt(clip, f, x, y);
      if (p.a >= 200) out.push_back(ToLab(p.r, p.g, p.b));
    }
  return out;
}

}  // namespace arttest
