// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RIFF WAVE encoding of the synthesised effects: PCM, 16-bit, mono.
#include <cstdint>
#include <string>
#include <vector>

#include "Synth.h"

namespace snd {

// The whole file image; samples are clipped to -1..1.
std::vector<uint8_t> EncodeWav(const Samples& samples, int rate = kRate);

// Writes bytes to path, creating missing parent folders. False on any failure.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace snd
