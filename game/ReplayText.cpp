// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ReplayText.h"

#include <charconv>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool Printable(char c) { return c >= ' ' && c <= '~'; }

}  // namespace

namespace replay_text {

std::string Escape(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const bool edgeSpace = byte == ' ' && (i == 0 || i + 1 == bytes.size());
    if (byte > ' ' && byte <= '~' && byte != '%') {
      text += static_cast<char>(byte);
    } else if (byte == ' ' && !edgeSpace) {
      text += ' ';
    } else {
      text += '%';
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 15];
    }
  }
  return text;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!Printable(text[i])) return std::nullopt;
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    if (text.size() - i < 3) return std::nullopt;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return bytes;
}

std::string Base64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) {
      group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (size_t k = 0; k < 4; ++k) {
      text += k <= n ? kBase64Digits[(group >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return text;
}

std::optional<std::string> FromBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    // Padding: at most two '=', only at the very end.
    size_t digits = 4;
    if (last && text[i + 3] == '=') digits = text[i + 2] == '=' ? 2 : 3;
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) {
      const int value = k < digits ? Base64Value(text[i + k]) : 0;
      if (value < 0) return std::nullopt;
      group = group << 6 | static_cast<uint32_t>(value);
    }
    const size_t n = digits - 1;
    // The bits past the data must be zero: otherwise two texts would give the same bytes.
    if ((group & ((1u << (8 * (3 - n))) - 1)) != 0) return std::nullopt;
    for (size_t k = 0; k < n; ++k) bytes += static_cast<char>((group >> (16 - 8 * k)) & 255);
  }
  return bytes;
}

std::optional<int64_t> Number(std::string_view text, int64_t min, int64_t max) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < min || value > max) {
    return std::nullopt;
  }
  return value;
}

std::optional<uint64_t> Hex64(std::string_view text) {
  if (text.size() != 16) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<uint64_t>(digit);
  }
  return value;
}

}  // namespace replay_text
