#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long soak: builds ot-soak with AddressSanitizer and UBSan in its own folder, then
# plays one seed after another (from SEED, default: the clock) until MINUTES of wall
# time have passed. Exits non-zero on the first broken invariant or sanitizer finding.
# Usage: scripts/soak.sh MINUTES [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $# -lt 1 || $# -gt 2 || ! "$1" =~ ^[0-9]+([.][0-9]+)?$ ]]; then
  echo "usage: scripts/soak.sh MINUTES [SEED]" >&2
  exit 2
fi
MINUTES="$1"
SEED="${2:-$(date +%s)}"
BUILD="${OT_SOAK_BUILD:-build-soakasan}"
# Each seed plays at most this long, so that a run covers several seeds.
PER_SEED_MINUTES="${OT_SOAK_PER_SEED:-5}"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DOT_SANITIZE=ON >/dev/null
cmake --build "$BUILD" --target ot-soak -j"${OT_SOAK_JOBS:-2}"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

end=$(( $(date +%s) + $(awk -v m="$MINUTES" 'BEGIN { printf "%d", m * 60 }') ))
frames=0
game_seconds=0
seeds=()
seed="$SEED"
status=0
while (( $(date +%s) < end )); do
  left=$(awk -v s=$(( end - $(date +%s) )) -v p="$PER_SEED_MINUTES" \
    'BEGIN { m = s / 60; if (m > p) m = p; printf "%.2f", m }')
  log="$BUILD/soak-$seed.log"
  if "$BUILD/ot-soak" --seed "$seed" --minutes "$left" >"$log" 2>&1; then rc=0; else rc=$?; fi
  seeds+=("$seed")
  summary=$(grep -E '^ot-soak: seed [0-9]+: ' "$log" | tail -n 1 || true)
  echo "${summary:-ot-soak: seed $seed: no summary (exit $rc)}"
  if [[ "$summary" =~ :\ ([0-9]+)\ frames\ in ]]; then frames=$(( frames + BASH_REMATCH[1] )); fi
  if [[ "$summary" =~ game\ time\ ([0-9]+):([0-9]+):([0-9]+) ]]; then
    game_seconds=$(( game_seconds + 10#${BASH_REMATCH[1]} * 3600 + 10#${BASH_REMATCH[2]} * 60 + 10#${BASH_REMATCH[3]} ))
  fi
  if (( rc != 0 )); then
    echo "=== finding with seed $seed (exit $rc), log $log:"
    grep -v -E '^ot-soak: seed [0-9]+(:|$)' "$log" | head -n 80
    status=1
    break
  fi
  seed=$(( seed + 1 ))
done
printf 'soak: %d seeds (%s), %d frames, game time %d:%02d:%02d\n' "${#seeds[@]}" "${seeds[*]}" \
  "$frames" $(( game_seconds / 3600 )) $(( game_seconds / 60 % 60 )) $(( game_seconds % 60 ))
exit "$status"
