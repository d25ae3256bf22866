// SPDX-License-Identifier: GPL-3.0-or-later
#include "Wav.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace snd {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> EncodeWav(const Samples& samples, int rate) {
  const uint32_t channels = 1, bytesPerSample = 2;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * bytesPerSample;
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, channels);
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * channels * bytesPerSample);
  Put16(out, channels * bytesPerSample);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float v : samples) {
    long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    Put16(out, static_cast<uint32_t>(static_cast<int16_t>(q)) & 0xFFFF);
  }
  return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace snd
