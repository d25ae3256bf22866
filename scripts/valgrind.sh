#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real game headless under valgrind's memcheck: a Release build with debug
# lines (its own folder, build-valgrind unless OT_VALGRIND_BUILD names another), the
# dummy video and audio drivers, an empty home folder. The help at the start is
# switched off in the settings, so after its intro the game goes straight into a
# Puzzle level and plays it for OT_VALGRIND_SECONDS (60) seconds, then a SIGTERM ends
# it through its own quit path.
#
# Exit status: 0 when the game ended with 0 and memcheck found no invalid access, no
# use of undefined values and no definite leak outside tests/valgrind.supp; 1
# otherwise. The memcheck log and the game's folder stay in the folder printed.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BUILD="${OT_VALGRIND_BUILD:-build-valgrind}"
PLAY_SECONDS="${OT_VALGRIND_SECONDS:-60}"
DEADLINE=600  # seconds for start-up and for the end, each: memcheck is slow
MEMCHECK_FAILED=99

command -v valgrind > /dev/null || { echo "valgrind is not installed" >&2; exit 1; }
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOT_SANITIZE=OFF > /dev/null
cmake --build "$BUILD" --target ostrel-trains ot-params data -j2
GAME="$ROOT/$BUILD/ostrel-trains"
PARAMS="$ROOT/$BUILD/ot-params"

WORK="$(mktemp -d "${TMPDIR:-/tmp}/ot-valgrind-XXXXXX")"
HOME_DIR="$WORK/home"
LOG="$WORK/memcheck.txt"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
echo "valgrind run in $WORK"
fail() { echo "FAIL: $*" >&2; echo "memcheck log and game folder: $WORK" >&2; exit 1; }

# wait_for_line PID TEXT: polls the game's log until TEXT appears; false when the game
# ended first or the deadline passed.
wait_for_line() {
  local deadline=$((SECONDS + DEADLINE))
  until grep -q "$2" "$HOME_DIR/stderr.txt" 2> /dev/null; do
    kill -0 "$1" 2> /dev/null || return 1
    ((SECONDS < deadline)) || return 1
    sleep 0.5
  done
}

# stop PID: SIGTERM closes every screen and the game ends through its quit path; sent
# again every few seconds until it has gone. Sets status to the exit status.
stop() {
  local deadline=$((SECONDS + DEADLINE))
  while kill -0 "$1" 2> /dev/null; do
    ((SECONDS < deadline)) || { kill -KILL "$1"; break; }
    kill -TERM "$1" 2> /dev/null || true
    sleep 3
  done
  status=0
  wait "$1" || status=$?
}

# A first run without valgrind writes the settings; the help at the start is then
# switched off in them.
"$GAME" --home "$HOME_DIR" --seed 1 --data-dir "$ROOT/$BUILD" > /dev/null 2>&1 &
pid=$!
wait_for_line "$pid" '^Intro shown' || fail "the game showed no intro: $(tail -n 3 "$HOME_DIR/stderr.txt")"
stop "$pid"
((status == 0)) || fail "the first run ended with $status"
"$PARAMS" show "$HOME_DIR/save/globals.sav" |
  sed 's/^\(.*\.DontShowBeginHelp\) = .*/\1 = 1/' > "$WORK/settings.txt"
grep -qx '.*\.DontShowBeginHelp = 1' "$WORK/settings.txt" || fail "no DontShowBeginHelp setting"
"$PARAMS" write "$HOME_DIR/save/globals.sav" < "$WORK/settings.txt"
rm -f "$HOME_DIR/stderr.txt"

valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --error-exitcode=$MEMCHECK_FAILED --num-callers=40 \
  --suppressions="$ROOT/tests/valgrind.supp" --gen-suppressions=all --log-file="$LOG" \
  "$GAME" --home "$HOME_DIR" --seed 1 --data-dir "$ROOT/$BUILD" > /dev/null 2>&1 &
pid=$!
wait_for_line "$pid" '^In-game screen shown' ||
  fail "the game reached no level: $(tail -n 3 "$HOME_DIR/stderr.txt" 2> /dev/null)"
echo "in the level; playing for $PLAY_SECONDS s"
for ((i = 0; i < PLAY_SECONDS; ++i)); do
  kill -0 "$pid" 2> /dev/null || break
  sleep 1
done
kill -0 "$pid" 2> /dev/null || fail "the game ended by itself: $(tail -n 3 "$HOME_DIR/stderr.txt")"
stop "$pid"

# The saved game shows the level was played: its clock (ms), money and trains.
"$PARAMS" show "$HOME_DIR/savep/"*PUZZLE.sav > "$WORK/saved-game.txt" 2> /dev/null || true
grep -E '^Game\.(CurrentRoundInType|CounterWave|MoneyCounter|GameField\.NumberTrains) = ' \
  "$WORK/saved-game.txt" || true
played=$(sed -n 's/^Game\.CounterWave = //p' "$WORK/saved-game.txt")
((${played:-0} > 0)) || fail "the saved game shows no time played in the level"
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|suppressed:' "$LOG" || true
invalid=$(grep -cE 'Invalid (read|write|free)|uninitialised|Mismatched free' "$LOG" || true)
definite=$(grep -c 'are definitely lost' "$LOG" || true)
echo "game exit status $status; invalid accesses or undefined values: $invalid; definite leaks: $definite"
((status == 0 && invalid == 0 && definite == 0)) || fail "memcheck found errors, see $LOG"
echo "valgrind: no invalid access and no definite leak"
