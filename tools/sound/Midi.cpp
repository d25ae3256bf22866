// SPDX-License-Identifier: GPL-3.0-or-later
#include "Midi.h"

#include <algorithm>
#include <cmath>

namespace midi {

namespace {
uint8_t Clamp7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t bytes[5];
  int n = 0;
  do {
    bytes[n++] = static_cast<uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v);
  while (n--) out.push_back(static_cast<uint8_t>(bytes[n] | (n ? 0x80 : 0)));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

std::vector<uint8_t> Meta(uint8_t type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = {0xFF, type};
  PutVarLen(bytes, static_cast<uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}
}  // namespace

Track::Track(const std::string& name) {
  Add(0, 0, Meta(0x03, std::vector<uint8_t>(name.begin(), name.end())));
}

void Track::Add(uint32_t tick, int order, std::vector<uint8_t> bytes) {
  events_.push_back(Event{tick, order, std::move(bytes)});
}

void Track::Tempo(uint32_t tick, double bpm) {
  uint32_t micros = static_cast<uint32_t>(std::lround(60000000.0 / bpm));
  Add(tick, 0,
      Meta(0x51, {static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
                  static_cast<uint8_t>(micros)}));
}

void Track::TimeSignature(uint32_t tick, int numerator, int denominator) {
  uint8_t power = 0;
  while ((1 << power) < denominator) ++power;
  Add(tick, 0, Meta(0x58, {static_cast<uint8_t>(numerator), power, 24, 8}));
}

void Track::Program(uint32_t tick, int channel, int program) {
  Add(tick, 0, {static_cast<uint8_t>(0xC0 | (channel & 0x0F)), Clamp7(program)});
}

void Track::Control(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 0, {static_cast<uint8_t>(0xB0 | (channel & 0x0F)), Clamp7(controller), Clamp7(value)});
}

void Track::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  if (length == 0) return;
  const uint8_t ch = static_cast<uint8_t>(channel & 0x0F);
  Add(tick, 2,
      {static_cast<uint8_t>(0x90 | ch), Clamp7(key), std::max<uint8_t>(1, Clamp7(velocity))});
  Add(tick + length, 1, {static_cast<uint8_t>(0x80 | ch), Clamp7(key), 0});
}

uint32_t Track::EndTick() const {
  uint32_t end = 0;
  for (const Event& e : events_) end = std::max(end, e.tick);
  return end;
}

std::vector<uint8_t> Track::Encode() const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<uint8_t> body;
  uint32_t last = 0;
  for (const Event& e : sorted) {
    PutVarLen(body, e.tick - last);
    last = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, 0);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  Put32(chunk, static_cast<uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<uint8_t> EncodeFile(const std::vector<Track>& tracks) {
  std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  out.push_back(static_cast<uint8_t>(tracks.size() >> 8));
  out.push_back(static_cast<uint8_t>(tracks.size()));
  out.push_back(static_cast<uint8_t>(kDivision >> 8));
  out.push_back(static_cast<uint8_t>(kDivision & 0xFF));
  for (const Track& t : tracks) {
    std::vector<uint8_t> chunk = t.Encode();
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace midi
