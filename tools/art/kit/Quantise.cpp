// SPDX-License-Identifier: GPL-3.0-or-later
#include "kit/Quantise.h"

#include <algorithm>
#include <map>

namespace art {

namespace {

struct Box {
  std::vector<uint32_t> colours;  // packed 0xRRGGBB, one per distinct colour
  std::vector<uint32_t> counts;
};

int Channel(uint32_t c, int ch) { return (c >> (16 - 8 * ch)) & 255; }

// Channel with the widest range and that range.
std::pair<int, int> WidestChannel(const Box& b) {
  int best = 0, range = -1;
  for (int ch = 0; ch < 3; ++ch) {
    int lo = 255, hi = 0;
    for (uint32_t c : b.colours)
      lo = std::min(lo, Channel(c, ch)), hi = std::max(hi, Channel(c, ch));
    if (hi - lo > range) range = hi - lo, best = ch;
  }
  return {best, range};
}

void Split(Box& b, Box& out) {
  int ch = WidestChannel(b).first;
  std::vector<size_t> order(b.colours.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    return Channel(b.colours[x], ch) < Channel(b.colours[y], ch);
  });
  uint64_t total = 0;
  for (uint32_t n : b.counts) total += n;
  uint64_t run = 0;
  size_t cut = 1;
  for (size_t i = 0; i + 1 < order.size(); ++i) {
    run += b.counts[order[i]];
    cut = i + 1;
    if (run * 2 >= total) break;
  }
  Box lo, hi;
  for (size_t i = 0; i < order.size(); ++i) {
    Box& t = i < cut ? lo : hi;
    t.colours.push_back(b.colours[order[i]]);
    t.counts.push_back(b.counts[order[i]]);
  }
  b = std::move(lo);
  out = std::move(hi);
}

Pixel Average(const Box& b) {
  uint64_t s[3] = {0, 0, 0}, n = 0;
  for (size_t i = 0; i < b.colours.size(); ++i) {
    for (int ch = 0; ch < 3; ++ch) s[ch] += uint64_t(Channel(b.colours[i], ch)) * b.counts[i];
    n += b.counts[i];
  }
  if (n == 0) return {};
  return Pixel{uint8_t(s[0] / n), uint8_t(s[1] / n), uint8_t(s[2] / n), 255};
}

}  // namespace

void QuantiseMedianCut(const std::vector<Pixel>& px, int maxColours, std::vector<Pixel>& palette,
                       std::vector<uint8_t>& index) {
  std::map<uint32_t, uint32_t> histogram;
  for (const Pixel& p : px) ++histogram[(uint32_t(p.r) << 16) | (p.g << 8) | p.b];
  std::vector<Box> boxes(1);
  for (auto& [c, n] : histogram) boxes[0].colours.push_back(c), boxes[0].counts.push_back(n);
  while (int(boxes.size()) < maxColours) {
    int pick = -1, widest = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].colours.size() < 2) continue;
      int r = WidestChannel(boxes[i]).second;
      if (r > widest) widest = r, pick = int(i);
    }
    if (pick < 0) break;
    Box hi;
    Split(boxes[pick], hi);
    boxes.push_back(std::move(hi));
  }
  palette.clear();
  std::map<uint32_t, uint8_t> lookup;
  for (size_t i = 0; i < boxes.size(); ++i) {
    palette.push_back(Average(boxes[i]));
    for (uint32_t c : boxes[i].colours) lookup[c] = uint8_t(i);
  }
  index.resize(px.size());
  for (size_t i = 0; i < px.size(); ++i)
    index[i] = lookup[(uint32_t(px[i].r) << 16) | (px[i].g << 8) | px[i].b];
}

}  // namespace art
