// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/Cipher.h"

namespace {

uint32_t Big(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

std::vector<uint8_t> HexBytes(const char* hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(std::string(hex + i, 2), nullptr, 16)));
  }
  return bytes;
}

const CipherContext& ProgramContext() {
  static CipherContext ctx = [] {
    CipherContext c{};
    CipherSetup(c, reinterpret_cast<const uint8_t*>(kProgramKey), kProgramKeyLength);
    return c;
  }();
  return ctx;
}

std::vector<uint8_t> SealText(const std::string& text, bool modeA) {
  std::vector<uint8_t> out(text.size() + 17);
  const int32_t length =
      Seal(ProgramContext(), reinterpret_cast<const uint8_t*>(text.data()),
           static_cast<int32_t>(text.size()), out.data(), static_cast<int32_t>(out.size()), modeA);
  out.resize(length < 0 ? 0 : static_cast<size_t>(length));
  return out;
}

// Unseals from an exact-size copy into an exact-size buffer of capacity + 8 bytes, so
// that any access outside either is caught by AddressSanitizer.
int32_t UnsealExact(const std::vector<uint8_t>& sealed, size_t m, int32_t capacity,
                    std::string* plain = nullptr) {
  std::unique_ptr<uint8_t[]> in(new uint8_t[m == 0 ? 1 : m]);
  if (m > 0) std::memcpy(in.get(), sealed.data(), m);
  std::unique_ptr<uint8_t[]> out(new uint8_t[static_cast<size_t>(capacity) + 8]);
  const int32_t result =
      Unseal(ProgramContext(), in.get(), static_cast<int32_t>(m), out.get(), capacity);
  if (plain != nullptr && result >= 0) {
    plain->assign(reinterpret_cast<const char*>(out.get()), static_cast<size_t>(result));
  }
  return result;
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// Published test vectors of the standard algorithm.
const Vector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
};

TEST(CipherBlock, PublishedStartMatchesPublishedVectors) {
  for (const Vector& v : kVectors) {
    const std::vector<uint8_t> key = HexBytes(v.key);
    const std::vector<uint8_t> plain = HexBytes(v.plain);
    const std::vector<uint8_t> cipher = HexBytes(v.cipher);
    CipherContext ctx{};
    CipherSetupPublished(ctx, key.data(), static_cast<int>(key.size()));
    uint32_t left = Big(plain.data());
    uint32_t right = Big(plain.data() + 4);
    CipherEncipher(ctx, left, right);
    EXPECT_EQ(left, Big(cipher.data())) << v.key;
    EXPECT_EQ(right, Big(cipher.data() + 4)) << v.key;
    CipherDecipher(ctx, left, right);
    EXPECT_EQ(left, Big(plain.data())) << v.key;
    EXPECT_EQ(right, Big(plain.data() + 4)) << v.key;
  }
}

TEST(CipherBlock, ProgramVariantDiffersFromPublishedAndRoundTrips) {
  const auto* key = reinterpret_cast<const uint8_t*>(kProgramKey);
  CipherContext published{};
  CipherSetupPublished(published, key, kProgramKeyLength);
  uint32_t pl = 0x01234567, pr = 0x89ABCDEF;
  CipherEncipher(published, pl, pr);
  for (uint32_t i = 0; i < 64; ++i) {
    uint32_t left = 0x01234567 * i;
    uint32_t right = 0x89ABCDEF ^ (i << 7);
    CipherEncipher(ProgramContext(), left, right);
    if (i == 1) {
      EXPECT_FALSE(left == pl && right == pr);
    }
    CipherDecipher(ProgramContext(), left, right);
    EXPECT_EQ(left, 0x01234567 * i);
    EXPECT_EQ(right, 0x89ABCDEF ^ (i << 7));
  }
}

TEST(CipherBlock, KeyBytesArePackedSignedAndTheSharedContextUsesTheProgramKey) {
  // A byte of 0x80 or above sign-extends over the bytes packed before it, so the
  // key 80 01 packs every word as FFFF8001, exactly like the key FF FF 80 01
  // (packed unsigned they would differ: 80018001).
  const uint8_t high[] = {0x80, 0x01};
  const uint8_t extended[] = {0xFF, 0xFF, 0x80, 0x01};
  CipherContext a{}, b{};
  CipherSetup(a, high, 2);
  CipherSetup(b, extended, 4);
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  EXPECT_EQ(std::memcmp(&ProgramCipher(), &ProgramContext(), sizeof(CipherContext)), 0);
}

TEST(SealedBlock, ZeroAndEightBytesGetAWholePaddingPiece) {
  const std::vector<uint8_t> sealed = SealText("", false);
  ASSERT_EQ(sealed.size(), 17u);
  EXPECT_EQ(SealedLength(0), 17);
  uint32_t left = Big(sealed.data());
  uint32_t right = Big(sealed.data() + 4);
  CipherDecipher(ProgramContext(), left, right);
  EXPECT_EQ(left, 0x61616161u);
  EXPECT_EQ(right, 0x61616161u);
  EXPECT_EQ(Big(sealed.data() + 8), 0xC2C2C2C2u);  // the sum of both halves
  EXPECT_EQ(Big(sealed.data() + 12), 0u);
  EXPECT_EQ(sealed[16], 'n');
  EXPECT_EQ(UnsealExact(sealed, sealed.size(), 0), 0);

  // Eight bytes are followed by a whole padding piece.
  const std::vector<uint8_t> eight = SealText("12345678", true);
  ASSERT_EQ(eight.size(), 25u);
  EXPECT_EQ(Big(eight.data() + 20), 8u);
  EXPECT_EQ(eight[24], 'a');
}

TEST(SealedBlock, RoundTripsEveryLengthAndReportsModes) {
  std::string text;
  for (int n = 0; n < 40; ++n) {
    std::string plain;
    EXPECT_EQ(UnsealExact(SealText(text, false), SealedLength(n), n, &plain), n);
    EXPECT_EQ(plain, text);
    // Mode "a" answers the capacity, not the stored length.
    EXPECT_EQ(UnsealExact(SealText(text, true), SealedLength(n), n + 50), n + 50);
    text += static_cast<char>('A' + n % 26);
  }
}

TEST(SealedBlock, SealRefusesShortCapacityWithoutWriting) {
  uint8_t out[32];
  std::memset(out, 0x5A, sizeof out);
  const uint8_t plain[13] = {1, 2, 3};
  EXPECT_EQ(Seal(ProgramContext(), plain, 13, out, 24, false), -1);
  for (uint8_t byte : out) EXPECT_EQ(byte, 0x5A);
  EXPECT_EQ(Seal(ProgramContext(), plain, 13, out, 25, false), 25);
}

TEST(SealedBlock, UnsealReportsEachKindOfDamage) {
  const std::vector<uint8_t> good = SealText("hello, world", false);
  std::vector<uint8_t> badMode = good;
  badMode.back() = 'x';
  EXPECT_EQ(UnsealExact(badMode, badMode.size(), 100), -3);

  std::vector<uint8_t> badSum = good;
  badSum[good.size() - 9] ^= 0x01;
  EXPECT_EQ(UnsealExact(badSum, badSum.size(), 100), -2);

  // Capacity below the stored length.
  EXPECT_EQ(UnsealExact(good, good.size(), 11), -1);
  EXPECT_EQ(UnsealExact(good, good.size(), 12), 12);

  // Shorter than the trailer.
  EXPECT_EQ(UnsealExact(good, 8, 100), -2);
}

TEST(SealedBlock, UnsealRefusesBodiesThatDoNotMatchTheStoredLength) {
  // A body that is not whole pieces.
  std::vector<uint8_t> ragged = SealText("abc", false);
  ragged.insert(ragged.begin(), 0x00);
  EXPECT_EQ(UnsealExact(ragged, ragged.size(), 100), -2);

  // A stored length of 3 in front of a body of three pieces: longer than that
  // length allows, so it is refused before anything is written.
  std::vector<uint8_t> longBody = SealText(std::string(20, 'q'), false);
  longBody[longBody.size() - 2] = 3;  // low byte of the big-endian length
  EXPECT_EQ(UnsealExact(longBody, longBody.size(), 3), -2);
}

TEST(SealedBlock, EveryTruncationAndBitFlipIsRefusedOrReadsOnlyPadding) {
  // 21 bytes leave three padding bytes, so a stored length of 16 to 23 fits the body.
  const std::string text = "The train has arrived";
  const std::vector<uint8_t> good = SealText(text, false);
  const int32_t capacity = 64;
  for (size_t m = 0; m < good.size(); ++m) {
    EXPECT_LT(UnsealExact(good, m, capacity), 0) << "length " << m;
  }
  const size_t lengthField = good.size() - 5;
  for (size_t bit = 0; bit < good.size() * 8; ++bit) {
    std::vector<uint8_t> flipped = good;
    flipped[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    std::string plain;
    const int32_t result = UnsealExact(flipped, flipped.size(), capacity, &plain);
    const bool inLength = bit / 8 >= lengthField && bit / 8 < lengthField + 4;
    if (!inLength || result < static_cast<int32_t>(text.size())) {
      // A shorter length would cut the text: the padding behind it shows the change.
      EXPECT_LT(result, 0) << "bit " << bit;
    } else {
      // A longer one can only take in padding bytes, which the document's reader
      // refuses as bytes after its end.
      EXPECT_EQ(plain, text + std::string(plain.size() - text.size(), 'a')) << "bit " << bit;
    }
  }
}

}  // namespace
