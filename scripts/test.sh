#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UBSan and runs the whole suite headless,
# first on the classic SDL 1.2 library, then on sdl12-compat.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${OT_TEST_BUILD:-build-test}"
JOBS="$(nproc)"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DOT_SANITIZE=ON
cmake --build "$BUILD" -j"$JOBS"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "=== Test run 1: classic SDL 1.2"
ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS"

COMPAT_DIR="$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$' | head -n 1)")"
echo "=== Test run 2: sdl12-compat from $COMPAT_DIR"
# e2e_parity runs the game on both libraries itself: once is enough.
LD_LIBRARY_PATH="$COMPAT_DIR${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
  ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS" -E '^e2e_parity$'

# The Debian package, built once in its own Release folder (scripts/build-deb.sh), then
# unpacked, checked with lintian and run headless from the unpacked tree.
echo "=== Debian package"
DEB="$(bash scripts/build-deb.sh | tail -n 1)"
bash tests/install/check-install.sh --deb "$DEB" --work "$BUILD/install-deb"
