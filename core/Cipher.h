// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's cipher (a Blowfish variant whose P-array starts as 0..17) and the
// sealed block around it, used by the resource archive and the parameter store.
#include <cstdint>

// Key schedule of the cipher.
struct CipherContext {
  uint32_t P[18];
  uint32_t S[4][256];
};

// The program's fixed 10-character key, shared by the archive and the parameter store.
extern const char kProgramKey[];
constexpr int kProgramKeyLength = 10;

// Prepares ctx from the key bytes, packed as signed chars. Always succeeds.
void CipherSetup(CipherContext& ctx, const uint8_t* key, int keyLength);
// The published algorithm: the published P-array and key bytes packed unsigned
// (for test vectors).
void CipherSetupPublished(CipherContext& ctx, const uint8_t* key, int keyLength);
void CipherEncipher(const CipherContext& ctx, uint32_t& left, uint32_t& right);
void CipherDecipher(const CipherContext& ctx, uint32_t& left, uint32_t& right);

// Length of the sealed block for n plain bytes: n + padding (1..8) + 9.
int32_t SealedLength(int32_t n);

// Writes the sealed block of n plain bytes into out. modeA selects the mode byte
// 'a' (true) or 'n' (false). Returns the sealed length, or -1 when capacity is short.
int32_t Seal(const CipherContext& ctx, const uint8_t* plain, int32_t n, uint8_t* out,
             int32_t capacity, bool modeA);

// Deciphers a sealed block of m bytes into out. Returns -3 for a bad mode byte,
// -1 when capacity is below the stored length, -2 for a checksum mismatch or a
// malformed block (shorter than 9 bytes, a body that is not exactly the stored length
// plus its 1..8 padding bytes in whole 8-byte pieces, or padding bytes that are not the
// writer's), else the stored length
// (mode 'n') or capacity (mode 'a'). It writes exactly m - 9 bytes into out, which is
// never more than capacity + 8: a buffer of capacity + 8 bytes is always enough.
// It reads nothing outside the m bytes of the block.
int32_t Unseal(const CipherContext& ctx, const uint8_t* sealed, int32_t m, uint8_t* out,
               int32_t capacity);

// The program-wide context prepared at start-up for the parameter store's files.
CipherContext& ProgramCipher();
