#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The replay soak: builds ot-soak in a Release folder, then plays N random games, one
# seed each from FIRST_SEED (default 1), every level recorded, and watches each recorded
# level again from its file: every one must end with its recorded state hash. Prints a
# line per seed that fails, a summary line, and the first seed that differs; exits
# non-zero when one does. A failing seed is replayed with the command it prints.
# Usage: scripts/replay-soak.sh N [FIRST_SEED]
#   OT_REPLAY_SOAK_BUILD   the build folder (default build-release)
#   OT_REPLAY_SOAK_FRAMES  frames of 20 ms per game (default 60000: about 20 minutes)
#   OT_REPLAY_SOAK_KEEP    a folder that keeps every seed's replays (in seed-N/)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $# -lt 1 || $# -gt 2 || ! "$1" =~ ^[0-9]+$ || ! "${2:-1}" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/replay-soak.sh N [FIRST_SEED]" >&2
  exit 2
fi
N="$1"
FIRST="${2:-1}"
BUILD="${OT_REPLAY_SOAK_BUILD:-build-release}"
FRAMES="${OT_REPLAY_SOAK_FRAMES:-60000}"
KEEP="${OT_REPLAY_SOAK_KEEP:-}"

build_log="$BUILD/replay-soak-build.log"
mkdir -p "$BUILD"
if ! { cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release &&
  cmake --build "$BUILD" --target ot-soak -j"${OT_REPLAY_SOAK_JOBS:-2}"; } >"$build_log" 2>&1; then
  tail -n 40 "$build_log"
  exit 1
fi

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
log="$BUILD/replay-soak.log"
: >"$log"
start=$SECONDS
frames=0 rewinds=0 written=0 complete=0 over=0 quit=0 rewound=0 resumed=0 same=0 differ=0
failed=0 first_differs="" first_failed=""
for ((seed = FIRST; seed < FIRST + N; ++seed)); do
  keep=()
  [[ -n "$KEEP" ]] && keep=(--keep-replays "$KEEP/seed-$seed")
  if out=$("$BUILD/ot-soak" --seed "$seed" --frames "$FRAMES" --replays "${keep[@]}" 2>&1); then
    rc=0
  else
    rc=$?
  fi
  echo "$out" >>"$log"
  play=$(grep -E "^ot-soak: seed $seed: [0-9]+ frames" <<<"$out" || true)
  check=$(grep -E "^ot-soak: seed $seed: [0-9]+ replays" <<<"$out" || true)
  if [[ "$play" =~ :\ ([0-9]+)\ frames.*\ ([0-9]+)\ rewinds, ]]; then
    frames=$((frames + BASH_REMATCH[1])) rewinds=$((rewinds + BASH_REMATCH[2]))
  fi
  re=': ([0-9]+) replays .*\(([0-9]+) complete, ([0-9]+) game over, ([0-9]+) quit; ([0-9]+) rewound, ([0-9]+) resumed\), ([0-9]+) as recorded, ([0-9]+) differ'
  if [[ "$check" =~ $re ]]; then
    written=$((written + BASH_REMATCH[1])) complete=$((complete + BASH_REMATCH[2]))
    over=$((over + BASH_REMATCH[3])) quit=$((quit + BASH_REMATCH[4]))
    rewound=$((rewound + BASH_REMATCH[5])) resumed=$((resumed + BASH_REMATCH[6]))
    same=$((same + BASH_REMATCH[7])) differ=$((differ + BASH_REMATCH[8]))
  fi
  if ((rc == 3)); then
    [[ -z "$first_differs" ]] && first_differs="$seed"
    grep -E '^ot-soak: REPLAY DIFFERS' <<<"$out" || true
  elif ((rc != 0)); then
    failed=$((failed + 1))
    [[ -z "$first_failed" ]] && first_failed="$seed"
    echo "seed $seed: ot-soak ended with $rc:"
    grep -v -E "^ot-soak: seed $seed(:|$)" <<<"$out" | head -n 30
  fi
done
printf 'replay-soak: %d games (seeds %d-%d, %d frames each) in %d s: %d frames, %d rewinds; ' \
  "$N" "$FIRST" $((FIRST + N - 1)) "$FRAMES" $((SECONDS - start)) "$frames" "$rewinds"
printf '%d replays written (%d complete, %d game over, %d quit; %d rewound, %d resumed), ' \
  "$written" "$complete" "$over" "$quit" "$rewound" "$resumed"
printf '%d as recorded, %d differ; %d games failed otherwise\n' "$same" "$differ" "$failed"
if [[ -n "$first_differs" ]]; then
  echo "replay-soak: first seed that differs: $first_differs" \
    "(ot-soak --seed $first_differs --frames $FRAMES --replays); log $log"
fi
if [[ -n "$first_failed" ]]; then
  echo "replay-soak: first seed that failed otherwise: $first_failed; log $log"
fi
[[ -z "$first_differs" && -z "$first_failed" ]]
