#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes one of the game's input parsers with libFuzzer:
#   scripts/fuzz.sh TARGET SECONDS
# TARGET: unseal archive params field settings savedgame replay levelfile (see tests/fuzz/).
# Builds build-fuzz with clang (-DOT_FUZZ=ON), makes the seeds, fuzzes for SECONDS with a
# working corpus kept in build-fuzz/corpus/TARGET, then copies every crash, leak, timeout
# or out-of-memory input into tests/fuzz/regressions/TARGET/. At the end it prints the
# executions, their rate and the coverage reached. An input that takes longer than
# FUZZ_TIMEOUT seconds (default 5; a normal one takes milliseconds) counts as a finding.
# FUZZ_MAX_LEN (bytes, default 16384) is the size inputs may grow to.
# Exit status 1 when it found something, 2 on a usage or build error.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
TARGETS="unseal archive params field settings savedgame replay levelfile"
NAME="${1:-}"
NAME="${NAME#fuzz_}"
RUN_SECONDS="${2:-}"
if [[ ! " $TARGETS " =~ \ $NAME\  ]] || [[ ! "$RUN_SECONDS" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS   (TARGET: $TARGETS)" >&2
  exit 2
fi
BUILD="$ROOT/${OT_FUZZ_BUILD:-build-fuzz}"
TIMEOUT="${FUZZ_TIMEOUT:-5}"
# The size inputs may grow to. Without it libFuzzer takes the largest input of the corpus
# folders, and the regressions hold saved games of 256 KB: every input could grow that
# large and the rate would drop to a sixth. The seeds are at most 11 KB; the saved-game
# target's mutator repeats records as far as they fit.
MAX_LEN=(-max_len="${FUZZ_MAX_LEN:-16384}")

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOT_FUZZ=ON \
  >/dev/null || exit 2
cmake --build "$BUILD" --target "fuzz_$NAME" fuzz-corpus -j2 >/dev/null || exit 2

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

"$BUILD/fuzz-corpus" "$BUILD/seeds" >/dev/null || exit 2
CORPUS="$BUILD/corpus/$NAME"
REGRESSIONS="$ROOT/tests/fuzz/regressions/$NAME"
mkdir -p "$CORPUS" "$REGRESSIONS"
SCRATCH="$(mktemp -d "$BUILD/fuzz-$NAME.XXXXXX")"

echo "fuzzing $NAME for $RUN_SECONDS s (log: $SCRATCH/fuzz-0.log)"
# -jobs=1 runs one worker whose output goes to fuzz-0.log in the working folder.
(cd "$SCRATCH" && "$BUILD/fuzz_$NAME" "$CORPUS" "$BUILD/seeds/$NAME" "$REGRESSIONS" \
  -dict="$ROOT/tests/fuzz/keys.dict" -max_total_time="$RUN_SECONDS" -timeout="$TIMEOUT" \
  "${MAX_LEN[@]}" \
  -jobs=1 -workers=1 -close_fd_mask=3 -print_final_stats=1 \
  -artifact_prefix="$SCRATCH/" >/dev/null 2>&1) || true
LOG="$SCRATCH/fuzz-0.log"

grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' \
  "$LOG" || true
statistic() { grep -E "^stat::$1:" "$LOG" | awk '{print $2}' | tail -n 1; }
last="$(grep -E ' cov: [0-9]+' "$LOG" | tail -n 1)"
field() { sed -nE "s/.* $1: ([0-9]+[A-Za-z]*(\/[0-9]+[A-Za-z]*)?).*/\1/p" <<<"$last"; }
echo "executions: $(statistic number_of_executed_units)" \
  " exec/s: $(statistic average_exec_per_sec)  cov: $(field cov)  ft: $(field ft)" \
  " corpus: $(field corp)"

found=0
for artifact in "$SCRATCH"/crash-* "$SCRATCH"/leak-* "$SCRATCH"/timeout-* "$SCRATCH"/oom-*; do
  [ -e "$artifact" ] || continue
  cp "$artifact" "$REGRESSIONS/"
  echo "FOUND: $(basename "$artifact") copied to tests/fuzz/regressions/$NAME/ (report in $LOG)"
  # The fuzzing run kept the target's own output out of the log: run the input once more
  # to show what went wrong.
  (cd "$SCRATCH" && "$BUILD/fuzz_$NAME" -runs=1 -timeout="$TIMEOUT" "$artifact" 2>&1 |
    grep -m 4 -E "^fuzz_$NAME:|ERROR|runtime error|SUMMARY" | sed 's/^/  /') || true
  found=1
done
if [ "$found" -eq 0 ]; then echo "nothing found"; fi
exit "$found"
