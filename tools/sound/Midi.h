// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Standard MIDI File writing: tracks of timed events, encoded as format 1.
#include <cstdint>
#include <string>
#include <vector>

namespace midi {

// Ticks per quarter note of every tune.
constexpr int kDivision = 480;

class Track {
 public:
  explicit Track(const std::string& name);

  void Tempo(uint32_t tick, double bpm);
  void TimeSignature(uint32_t tick, int numerator, int denominator);
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  // One note; keys and velocities outside 0..127 are clamped, zero lengths dropped.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);

  // The "MTrk" chunk, events in time order, note ends before starts at one tick.
  std::vector<uint8_t> Encode() const;
  // Tick of the last event.
  uint32_t EndTick() const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // meta and controls first, then note offs, then note ons
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, int order, std::vector<uint8_t> bytes);
  std::vector<Event> events_;
};

// The whole file: header chunk and every track.
std::vector<uint8_t> EncodeFile(const std::vector<Track>& tracks);

}  // namespace midi
