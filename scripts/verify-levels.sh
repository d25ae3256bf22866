#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the shipped levels: builds ot-levelgen in a Release folder, then plays every
# level of data/levels with the solver on SEEDS seeds (default 10, from 1) and three
# times with no input, and prints the table: level, par, finishes of SEEDS, the least and
# the median trains delivered, the median balance, and what the plays without input did.
# A level fails when fewer than nine in ten of its plays finish (money above zero and at
# least par delivered) or when a play without input finishes; the script then exits 1.
# Usage: scripts/verify-levels.sh [SEEDS]
#   OT_VERIFY_BUILD    the build folder (default build-release)
#   OT_VERIFY_AUTOPILOT   set to 1: the autopilot alone plays instead of the solver
set -euo pipefail
cd "$(dirname "$0")/.."
SEEDS="${1:-10}"
if [[ $# -gt 1 || ! "$SEEDS" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/verify-levels.sh [SEEDS]" >&2
  exit 2
fi
BUILD="${OT_VERIFY_BUILD:-build-release}"
build_log="$BUILD/verify-levels-build.log"
mkdir -p "$BUILD"
if ! { cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release &&
  cmake --build "$BUILD" --target ot-levelgen -j"${OT_VERIFY_JOBS:-2}"; } >"$build_log" 2>&1; then
  tail -n 40 "$build_log"
  exit 1
fi
player=(--solver)
[[ "${OT_VERIFY_AUTOPILOT:-}" == 1 ]] && player=()
need=$(((SEEDS * 9 + 9) / 10))
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
mapfile -t levels < <(find data/levels -name '*.level' | sort)
"$BUILD/ot-levelgen" play "${player[@]}" --seeds "$SEEDS" --need "$need" --idle-seeds 3 \
  "${levels[@]}"
