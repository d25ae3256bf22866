#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UBSan (any compiler warning in our code
# fails the build) and runs the whole suite headless, first on the classic SDL 1.2
# library, then on sdl12-compat. The Debian package is built in its own Release folder
# meanwhile, at a lower priority, and checked last. Each phase prints its duration.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${OT_TEST_BUILD:-build-test}"
JOBS="$(nproc)"
DEB_LOG="$BUILD/build-deb.log"

phase_start=$SECONDS
# phase_done NAME: how long the phase just ended took.
phase_done() {
  echo "=== $1 took $((SECONDS - phase_start)) s"
  phase_start=$SECONDS
}

# Line tables are enough for the sanitizers' stack traces, and build faster than full
# debug information.
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DOT_SANITIZE=ON -DOT_WERROR=ON \
  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
cmake --build "$BUILD" -j"$JOBS"
phase_done "Build"

# The package's Release build runs beside the tests, at a lower priority: it takes the
# time they leave while they wait for their windows and games.
# It runs in a session of its own, so that an early end of this script stops all of it.
# It takes the data this build drew rather than drawing it again.
OT_DEB_DATA_FROM="$(cd "$BUILD" && pwd)" setsid nice -n 10 bash scripts/build-deb.sh \
  > "$DEB_LOG.out" 2> "$DEB_LOG" &
deb_pid=$!
trap 'kill -- "-$deb_pid" 2> /dev/null || true' EXIT

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

COMPAT_DIR="$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$' | head -n 1)")"
COMPAT_PATH="$COMPAT_DIR${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# e2e_parity, e2e_replay, e2e_packs and e2e_window_scale run the game on both libraries
# themselves: the second run leaves them out.
BOTH_LIBRARIES='^(e2e_parity|e2e_replay|e2e_packs|e2e_window_scale)$'

# The end-to-end tests (label e2e, all in tests/e2e) mostly wait for the game's window and
# pictures and keep less than half a processor busy: in the others' pool they would hold
# slots the CPU-bound tests could use. They run in a ctest of their own, on the classic
# library and then on sdl12-compat, beside the others' two runs, in a session of their
# own like the package; their output comes after the others'.
E2E_LOG="$BUILD/e2e.log"
setsid bash -c 'status=0
  echo "=== End-to-end tests on classic SDL 1.2"
  ctest --test-dir "$1" --output-on-failure -j"$2" || status=1
  echo "=== End-to-end tests on sdl12-compat"
  LD_LIBRARY_PATH="$3" ctest --test-dir "$1" --output-on-failure -j"$2" -E "$4" || status=1
  exit "$status"' e2e "$BUILD/tests/e2e" "$JOBS" "$COMPAT_PATH" "$BOTH_LIBRARIES" \
  > "$E2E_LOG" 2>&1 &
e2e_pid=$!
trap 'kill -- "-$deb_pid" "-$e2e_pid" 2> /dev/null || true' EXIT

status=0
echo "=== Test run 1: classic SDL 1.2 (the end-to-end tests beside it)"
ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS" -LE '^e2e$' || status=1
phase_done "Test run 1"

echo "=== Test run 2: sdl12-compat from $COMPAT_DIR"
# The tests labelled "once" call no SDL function, and those labelled "state" check only
# the headless game's state (tests/tools/CMakeLists.txt): once is enough for them.
LD_LIBRARY_PATH="$COMPAT_PATH" ctest --test-dir "$BUILD" --output-on-failure -j"$JOBS" \
  -E "$BOTH_LIBRARIES" -LE '^(e2e|once|state)$' || status=1
phase_done "Test run 2"

echo "=== End-to-end tests (output also in $E2E_LOG)"
wait "$e2e_pid" || status=1
cat "$E2E_LOG"
phase_done "End-to-end tests, the wait for their end"

# The Debian package (scripts/build-deb.sh): unpacked, checked with lintian and run
# headless from the unpacked tree.
echo "=== Debian package"
if ! wait "$deb_pid"; then
  cat "$DEB_LOG" >&2
  echo "build-deb failed (its log is above and in $DEB_LOG)" >&2
  exit 1
fi
DEB="$(tail -n 1 "$DEB_LOG.out")"
bash tests/install/check-install.sh --deb "$DEB" --work "$BUILD/install-deb" || status=1
phase_done "Debian package"
exit "$status"
