#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: game_command_line.sh GAME OT_PARAMS WORK_FOLDER [LSAN_SUPPRESSIONS]
# Every run has a deadline of 120 s; nothing here measures how long a run took.
set -uo pipefail
GAME="$1" PARAMS="$2" WORK="$3" SUPPRESSIONS="${4:-}"
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi
DATA="$(dirname "$GAME")"
rm -rf "$WORK" && mkdir -p "$WORK" || exit 1
fail() { echo "FAIL: $*" >&2; exit 1; }
# run NAME [ENV...] -- ARGS...: runs the game, out/err in WORK/NAME.out|err; sets status.
run() {
  local name="$1"; shift
  local env=()
  while [[ "$1" != "--" ]]; do env+=("$1"); shift; done
  shift
  env "${env[@]}" timeout 120 "$GAME" "$@" > "$WORK/$name.out" 2> "$WORK/$name.err"
  status=$?
}

run help -- --help
((status == 0)) || fail "--help ended with $status"
head -n 1 "$WORK/help.out" | grep -qx 'Usage: ostrel-trains \[OPTION\]\.\.\.' || fail "--help: no usage"
[[ ! -s "$WORK/help.err" ]] || fail "--help wrote to standard error"

run version -- --version
((status == 0)) || fail "--version ended with $status"
version="$(tr -d '\r' < "$DATA/Dat/ver.txt" 2> /dev/null | head -n 1)"
grep -qx "Ostrel Trains ${version:-.*}" "$WORK/version.out" || fail "--version: $(cat "$WORK/version.out")"
grep -qE '^commit ([0-9a-f]+|unknown)$' "$WORK/version.out" || fail "--version names no commit"

run bad -- --windowed --bogus
((status == 2)) || fail "an unknown option ended with $status"
head -n 1 "$WORK/bad.err" | grep -qx "ostrel-trains: unknown option '--bogus'" ||
  fail "unknown option: $(head -n 1 "$WORK/bad.err")"
grep -q '^Usage: ' "$WORK/bad.err" || fail "unknown option: no usage on standard error"
run badseed -- --seed=x
((status == 2)) || fail "a bad seed ended with $status"
# The seed variable is checked as --seed is, before anything starts.
run badseedvar -u SDL_VIDEODRIVER -u DISPLAY OSTREL_TRAINS_SEED=-5 -- --home "$WORK/none"
((status == 2)) || fail "a bad OSTREL_TRAINS_SEED ended with $status"
head -n 1 "$WORK/badseedvar.err" | grep -qxF "ostrel-trains: variable 'OSTREL_TRAINS_SEED' needs \
a whole number from 0 to 4294967295, not '-5'" || fail "bad OSTREL_TRAINS_SEED: $(head -n 1 "$WORK/badseedvar.err")"
[[ ! -e "$WORK/none" ]] || fail "bad OSTREL_TRAINS_SEED: the home folder was made"

# No display and no driver named: a clear line and status 1, nothing started.
for display in "" ":987"; do
  display_env=(-u DISPLAY)
  [[ -n "$display" ]] && display_env=(DISPLAY="$display")
  run nodisplay -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY "${display_env[@]}" -- --home "$WORK/none"
  ((status == 1)) || fail "DISPLAY='$display': ended with $status"
  grep -q '^ostrel-trains: .*X display.*SDL_VIDEODRIVER=dummy' "$WORK/nodisplay.err" ||
    fail "DISPLAY='$display': $(cat "$WORK/nodisplay.err")"
  [[ ! -e "$WORK/none" ]] || fail "DISPLAY='$display': the home folder was made"
done

# play LOG ARGS...: runs the game headless with ARGS (out/err in WORK/run.out|err) until
# LOG shows the intro, then sends quit signals until it ends; sets status.
play() {
  local log="$1"; shift
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$GAME" "$@" > "$WORK/run.out" 2> "$WORK/run.err" &
  local pid=$! deadline=$((SECONDS + 120))
  until grep -q '^Intro shown' "$log" 2> /dev/null; do
    kill -0 "$pid" 2> /dev/null || fail "the headless game ended early: $(tail -n 3 "$log")"
    ((SECONDS < deadline)) || { kill -KILL "$pid"; fail "the headless game showed no intro"; }
    sleep 0.2
  done
  while kill -0 "$pid" 2> /dev/null; do
    ((SECONDS < deadline)) || { kill -KILL "$pid"; fail "the headless game did not end"; }
    kill -TERM "$pid" 2> /dev/null
    sleep 0.5
  done
  wait "$pid"
  status=$?
}

# The dummy driver runs the game with every option; the option wins over the
# variable. Quit signals close the screens until the game ends.
home="$WORK/home"
OSTREL_TRAINS_SEED=9 OSTREL_TRAINS_DATA=/nonexistent play "$home/stderr.txt" \
  --windowed --player "Ann Lee" --seed=5 --data-dir "$DATA" --home "$home"
((status == 0)) || fail "the headless game ended with $status"
real_home="$(realpath "$home")"
head -n 1 "$home/stderr.txt" | grep -qxF "Log files: $real_home/stdout.txt and $real_home/stderr.txt" ||
  fail "first log line: $(head -n 1 "$home/stderr.txt")"
grep -qxF "Game data: $(realpath "$DATA")" "$home/stderr.txt" || fail "the game data was not read from --data-dir"
grep -qx 'Random seed: 5' "$home/stderr.txt" || fail "the seed was not 5"
"$PARAMS" show "$home/save/globals.sav" > "$WORK/settings.txt" || fail "no settings file"
grep -qx 'Globals.Globals.FullScreen = 0' "$WORK/settings.txt" || fail "FullScreen not 0"
grep -qx 'Globals.Globals.PlayerName = Ann Lee' "$WORK/settings.txt" || fail "PlayerName not Ann Lee"

# Log files on a full disk (/dev/full takes the files and refuses every line) give way
# to standard error and output, where the player name that cannot name a saved game
# is told too.
full="$WORK/full"
mkdir -p "$full" && ln -s /dev/full "$full/stdout.txt" && ln -s /dev/full "$full/stderr.txt" ||
  fail "no full-disk home"
real_full="$(realpath "$full")"
play "$WORK/run.err" --windowed --player ... --data-dir "$DATA" --home "$full"
((status == 0)) || fail "the game with a full disk ended with $status"
for stream in err out; do
  head -n 1 "$WORK/run.$stream" | grep -qxF "Warning: cannot write the log file \
$real_full/std$stream.txt; its lines go here from now on." || fail "full std$stream.txt: $(head -n 1 "$WORK/run.$stream")"
done
grep -qxF 'Warning: the player name "..." cannot name a saved game; playing as "Manager".' \
  "$WORK/run.err" || fail "no warning about the player name"
grep -qx 'Exit. Ok.' "$WORK/run.err" || fail "the full-disk run wrote no exit lines"
echo "game command line: all checks passed"
