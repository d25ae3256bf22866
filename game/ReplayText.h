// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text forms a replay file writes its values in: any bytes as one line of printable
// text, binary data as base64, and numbers read back with their range checked.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace replay_text {

// Any bytes as printable text without a line break: bytes outside '!'..'~' and '%'
// become "%XX" (two upper-case hexadecimal digits), a space too when it begins or ends
// the text; other spaces stay.
std::string Escape(std::string_view bytes);
// The bytes of an escaped text. Nothing when a '%' is not followed by two hexadecimal
// digits or a byte outside ' '..'~' stands in it.
std::optional<std::string> Unescape(std::string_view text);

// The bytes in base64 (RFC 4648, with padding, on one line).
std::string Base64(std::string_view bytes);
// The bytes of a base64 text. Nothing for anything but the exact form Base64 writes:
// a length that is a multiple of 4, letters of the alphabet only, '=' only as padding
// at the end, and no bits set past the data.
std::optional<std::string> FromBase64(std::string_view text);

// A decimal number in min..max, digits only with an optional leading '-'. Nothing for
// anything else: empty text, a '+', blanks, other characters, a number out of range.
std::optional<int64_t> Number(std::string_view text, int64_t min, int64_t max);
// Exactly 16 hexadecimal digits (either case) as a 64-bit value.
std::optional<uint64_t> Hex64(std::string_view text);

}  // namespace replay_text
