#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How well the solver plays: builds ot-game in a Release folder, plays each level on seeds
# 1..SEEDS (default 10) with `ot-game solve` and prints a table, a row per level: the
# level, the finishes (the level ended with money above zero), the median balance change
# over the level, the trains delivered of those that entered the field, the crashes and
# the wall time. A level file's finish also needs its par delivered. Levels are the six Puzzle records (100..105) unless level files are given.
# Usage: scripts/solve-levels.sh [SEEDS] [FILE.level...]
#   OT_SOLVE_BUILD  the build folder (default build-release)
#   OT_SOLVE_ARGS   more options of `ot-game solve` (--autopilot, --first S, --lookahead MS)
set -euo pipefail
cd "$(dirname "$0")/.."
SEEDS=10
if [[ $# -ge 1 && "$1" =~ ^[0-9]+$ ]]; then
  SEEDS="$1"
  shift
fi
BUILD="${OT_SOLVE_BUILD:-build-release}"
read -r -a EXTRA <<<"${OT_SOLVE_ARGS:-}"

build_log="$BUILD/solve-levels-build.log"
mkdir -p "$BUILD"
if ! { cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release &&
  cmake --build "$BUILD" --target ot-game -j"${OT_SOLVE_JOBS:-2}"; } >"$build_log" 2>&1; then
  tail -n 40 "$build_log"
  exit 1
fi
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

levels=()
if [[ $# -eq 0 ]]; then
  for l in 1 2 3 4 5 6; do levels+=("puzzle $l"); done
else
  levels=("$@")
fi

# One row from the seed lines of `ot-game solve` on standard input.
summarise() {
  awk -v name="$1" -v secs="$2" '
    { for (i = 1; i < NF; i += 2) v[$i] = $(i + 1)
      n++; if (v["money"] > 0 && v["ended"] == "level" && (!("par" in v) || v["delivered"] >= v["par"] + 0)) won++
      bal[n] = v["balance"]; del += v["delivered"]; ent += v["entered"]; cr += v["crashes"] }
    END {
      if (n == 0) { printf "%-24s no result\n", name; exit }
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (bal[j] < bal[i]) { t = bal[i]; bal[i] = bal[j]; bal[j] = t }
      med = n % 2 ? bal[(n + 1) / 2] : (bal[n / 2] + bal[n / 2 + 1]) / 2
      printf "%-24s %5d/%-3d %10d %6d/%-5d %5.1f%% %7d %8.1f\n", name, won, n, med, del, ent,
             ent ? 100 * del / ent : 0, cr, secs }'
}

printf "%-24s %9s %10s %19s %7s %8s\n" level finishes median delivered/entered crashes "time s"
status=0
for level in "${levels[@]}"; do
  read -r -a args <<<"$level"
  start=$(date +%s.%N)
  if ! out=$("$BUILD/ot-game" solve --seeds "$SEEDS" "${EXTRA[@]}" "${args[@]}"); then status=1; fi
  secs=$(echo "$(date +%s.%N) - $start" | bc)
  name="$level"
  [[ "$level" == puzzle* ]] && name="record $((99 + ${args[1]})) (puzzle ${args[1]})"
  summarise "$name" "$secs" <<<"$out"
done
exit $status
