#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the end-to-end tests (CTest label e2e) several times while busy loops keep every
# processor loaded, as a machine full of other builds would: the e2e tests must not
# depend on how fast the game draws. Prints one line per run and fails when any run
# failed.
#
# Usage: scripts/e2e-under-load.sh [RUNS] [BUILD_FOLDER] [BUSY_LOOPS]
#   RUNS          how many times the e2e tests run (default 3)
#   BUILD_FOLDER  a configured and built test folder (default build-test, as scripts/test.sh)
#   BUSY_LOOPS    processes spinning meanwhile (default twice the processors)
set -uo pipefail
cd "$(dirname "$0")/.."
RUNS="${1:-3}"
BUILD="${2:-build-test}"
LOOPS="${3:-$(($(nproc) * 2))}"
[[ -f $BUILD/CTestTestfile.cmake ]] || { echo "no test build in $BUILD" >&2; exit 2; }

busy=()
stop_busy() { ((${#busy[@]} == 0)) || kill "${busy[@]}" 2> /dev/null; }
trap stop_busy EXIT
for ((i = 0; i < LOOPS; i++)); do
  bash -c 'while :; do :; done' &
  busy+=($!)
done

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for ((run = 1; run <= RUNS; run++)); do
  log="$BUILD/e2e-under-load-$run.log"
  if ctest --test-dir "$BUILD" -L e2e -j2 --output-on-failure > "$log" 2>&1; then
    result=passed
  else
    result=FAILED
    failed=$((failed + 1))
  fi
  echo "run $run of $RUNS: $result, load average $(cut -d' ' -f1 /proc/loadavg) (log: $log)"
done
echo "$((RUNS - failed)) passed, $failed failed"
((failed == 0))
