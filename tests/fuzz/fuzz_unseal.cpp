// SPDX-License-Identifier: GPL-3.0-or-later
// Unseal of the input as a sealed block, with the program's cipher, into a buffer of
// exactly the size its contract names; a block that unseals in mode 'n' must seal and
// unseal again to the same bytes.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Cipher.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  fuzz::Init();
  const int32_t m = static_cast<int32_t>(size);
  for (int32_t capacity : {m, m / 2}) {
    std::vector<uint8_t> plain(static_cast<size_t>(capacity) + 8);
    const int32_t n = Unseal(ProgramCipher(), data, m, plain.data(), capacity);
    if (n < 0 || data[size - 1] != 'n') continue;
    std::vector<uint8_t> sealed(static_cast<size_t>(SealedLength(n)));
    const int32_t again = Seal(ProgramCipher(), plain.data(), n, sealed.data(),
                               static_cast<int32_t>(sealed.size()), false);
    std::vector<uint8_t> back(static_cast<size_t>(n) + 8);
    if (again < 0 || Unseal(ProgramCipher(), sealed.data(), again, back.data(), n) != n ||
        std::memcmp(back.data(), plain.data(), static_cast<size_t>(n)) != 0) {
      std::abort();
    }
  }
  return 0;
}
