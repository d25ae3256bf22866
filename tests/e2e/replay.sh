#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A level recorded in the real game and watched again, on both SDL 1.2 libraries. From
# an empty working folder and a fixed seed: the start help closed, Puzzle level 1 played
# with clicks on switches and signals and right clicks on towns at x1, x2 and x4 (Tab),
# one rewind (Backspace), more play after it, and Alt+F4. The replay the game wrote into
# replays/ must hold the rewind and end as quit; ot-game must play it headless to the
# hash it recorded ("as recorded"). Then the game watches it with --replay: Tab to x4,
# photographed while it plays (REPLAY in the top bar) and under the level statistics at
# its end, until its log says "The replay ended as it was recorded". Last, a replay cut
# short and one of another format version: the game refuses each with status 1 and one
# line, before it opens a window or touches the working folder.
#
# Usage: replay.sh GAME OT_GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]
# Exits 77 (skipped) when Xvfb or xdotool is missing; without sdl12-compat only classic
# SDL runs. Every wait polls the screen or the log until a deadline (OT_E2E_DEADLINE
# seconds, 60 by default); nothing is timed. On failure the screenshots, the working
# folders and the game's logs stay in a folder below OUTPUT_FOLDER, whose path is
# printed; OT_E2E_KEEP=1 keeps it on success.
set -u -o pipefail

if [[ $# -lt 3 ]]; then
  echo "usage: $0 GAME OT_GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]" >&2
  exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
GAME=$(absolute "$1") OT_GAME=$(absolute "$2") OUT_BASE=$(absolute "$3")
SUPPRESSIONS=$(absolute "${4:-}")
readonly GAME OT_GAME OUT_BASE SUPPRESSIONS
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi
# e2e_play_through checks the windowed game for leaks; here the sanitized game keeps up
# with x4 better without whole allocation stacks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=1:detect_leaks=0"
need_tools
[[ -x $GAME && -x $OT_GAME ]] || { echo "no game at $GAME or no ot-game at $OT_GAME" >&2; exit 1; }

# ---------------------------------------------------------------- places on the screen
# Regions are WxH+X+Y of the 800 x 600 display; points are "X Y".
readonly HELP_TEXT=240x130+10+10    # the help page's title and first paragraph
readonly FIELD=650x520+140+50
readonly SPEED_LABEL=110x24+376+0   # the speed (x2, x4) or REPLAY between the top counters
readonly PAUSE_PICTURE=350x96+300+300
readonly DIALOG=400x520+275+50      # the level statistics: 400 x 520 centred in the field
readonly HELP_OK="713 578"
readonly PARK="70 20"               # the player's name: no hover, no field
# Puzzle level 1: points inside the hit boxes of switch and signal pictures, and towns.
readonly SWITCHES=("495 266" "602 266" "548 297" "495 328" "281 452" "174 452" "709 266"
  "281 142")
readonly SIGNALS=("534 365" "293 389" "172 384" "267 396")
readonly TOWNS=("175 140" "170 470" "765 285") # red, yellow, green houses
readonly SEED=20241207
readonly PACE=0.6 # seconds between two of the player's inputs: pacing, not waiting

session_begin "$OUT_BASE"
start_xvfb 800x600

# ---------------------------------------------------------------- helpers
# clicks POINTS...: a left click on each switch or signal point in turn, paced like a
# player; town_clicks POINTS...: a right click on each town (the repair train's call).
clicks() {
  local point
  for point in "$@"; do
    click_at "$point"
    sleep "$PACE"
  done
}
town_clicks() {
  local point
  for point in "$@"; do
    xdotool mousemove ${point% *} ${point#* } click 3
    sleep "$PACE"
  done
}

# speed_key NAME: Tab, and the speed label's change on the screen.
speed_key() {
  shot "$1-before"
  key Tab
  wait_until "the speed label after Tab ($1)" changed_from "$1" "$1-before" "$SPEED_LABEL" 2
}

# wait_for_end WHAT: waits until the game's process has ended; its status in GAME_STATUS.
GAME_STATUS=""
wait_for_end() {
  local end=$((SECONDS + DEADLINE))
  while game_running; do
    ((SECONDS < end)) || fail "the game did not end within $DEADLINE s ($1)"
    sleep 0.2
  done
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

out_has() { grep -q "$1" "$HOME_DIR/stdout.txt" 2> /dev/null; }

# folder_state: every file of the working folder with its size, time and checksum.
folder_state() {
  (cd "$HOME_DIR" && find . -type f -printf '%p %s %T@ ' -exec md5sum {} \; | sort)
}

# ---------------------------------------------------------------- the played level
play_level() {
  local lib=$1
  step "$lib: the game starts from an empty folder with seed $SEED"
  GAME_ARGS=(--seed "$SEED")
  start_game "play-$lib" "$lib"
  wait_until "game window" window_shown
  hold_display
  mouse_to "$PARK"
  wait_until "in-game screen in the log" log_has "In-game screen shown"
  help_shown() { changed_from "$lib-help-poll" blank "$HELP_TEXT" 25 && steady "$lib-help" "$HELP_TEXT"; }
  wait_until "help page" help_shown
  step "$lib: OK closes the help; Puzzle level 1 runs"
  click_at "$HELP_OK"
  wait_until "end of the help page" changed_from "$lib-level-a" "$lib-help" "$HELP_TEXT" 25
  mouse_to "$PARK"
  wait_until "movement on the field" changed_from "$lib-level-b" "$lib-level-a" "$FIELD" 0.2

  step "$lib: switches and signals at x1"
  clicks "${SWITCHES[@]:0:3}" "${SIGNALS[0]}"
  speed_key "$lib-x2"
  step "$lib: switches, signals and a town at x2"
  clicks "${SWITCHES[@]:3:3}" "${SIGNALS[1]}"
  town_clicks "${TOWNS[0]}"
  speed_key "$lib-x4"
  step "$lib: switches, signals and towns at x4"
  clicks "${SWITCHES[@]:6:2}" "${SIGNALS[@]:2:2}" "${SWITCHES[@]:0:2}"
  town_clicks "${TOWNS[@]:1:2}"
  shot "$lib-played"

  step "$lib: Backspace rewinds 10 s and pauses"
  mouse_to "$PARK"
  shot "$lib-before-rewind"
  key BackSpace
  wait_until "the pause after the rewind" \
    changed_from "$lib-rewound" "$lib-before-rewind" "$PAUSE_PICTURE" 40
  step "$lib: a click ends the pause; more play at x1 and x2"
  clicks "${SWITCHES[2]}"
  wait_until "the end of the pause" changed_from "$lib-resumed" "$lib-rewound" "$PAUSE_PICTURE" 40
  clicks "${SWITCHES[@]:3:2}" "${SIGNALS[0]}"
  speed_key "$lib-again-x2"
  clicks "${SWITCHES[@]:5:3}" "${SIGNALS[1]}"
  town_clicks "${TOWNS[0]}"

  step "$lib: Alt+F4 ends the game"
  key alt+F4
  wait_for_end "after Alt+F4"
  ((GAME_STATUS == 0)) || fail "the game ended with status $GAME_STATUS (see home/stderr.txt)"
}

# check_recording: the one replay written holds the play and plays headless as recorded.
check_recording() {
  local lib=$1 files
  step "$lib: the replay written and ot-game replay"
  mapfile -t files < <(find "$HOME_DIR/replays" -name '*.otr' 2> /dev/null)
  ((${#files[@]} == 1)) || fail "expected one replay in home/replays, found ${#files[@]}"
  REPLAY_FILE=${files[0]}
  local text clicks
  text=$(< "$REPLAY_FILE")
  clicks=$(grep -cE '^[0-9]+ r?click ' <<< "$text")
  echo "replay $(basename "$REPLAY_FILE"): $(wc -c < "$REPLAY_FILE") bytes, $clicks clicks;" \
    "$(grep -E '^(type|level|seed|end) ' <<< "$text" | paste -sd ';' -)"
  grep -qx 'type puzzle' <<< "$text" && grep -qx 'level 1' <<< "$text" &&
    grep -qx "seed $SEED" <<< "$text" || fail "the replay is not of Puzzle level 1, seed $SEED"
  grep -qE '^[0-9]+ rewind [0-9]+$' <<< "$text" || fail "the replay holds no rewind"
  grep -qE '^[0-9]+ speed 4$' <<< "$text" || fail "the replay holds no change to x4"
  grep -qE '^end quit .* rewinds 1 ' <<< "$text" || fail "the replay does not end as quit after one rewind"
  ((clicks >= 10)) || fail "the replay holds only $clicks clicks"
  local out
  out=$("$OT_GAME" replay "$REPLAY_FILE" 2>&1)
  local status=$?
  echo "$out" > "$RUN/$lib-ot-game-replay.txt"
  ((status == 0)) && grep -q 'as recorded' <<< "$out" ||
    fail "ot-game replay ended with status $status: $(tail -n 3 <<< "$out")"
  grep -E '^hash ' <<< "$out"
}

# ---------------------------------------------------------------- the replay watched
watch_replay() {
  local lib=$1
  step "$lib: --replay shows the recorded level"
  for log in stderr stdout; do mv "$HOME_DIR/$log.txt" "$RUN/$lib-$log-play.txt"; done
  GAME_ARGS=(--seed 1 --replay "$REPLAY_FILE")
  start_game "watch-$lib" "$lib"
  wait_until "game window" window_shown
  mouse_to "$PARK"
  wait_until "in-game screen in the log" log_has "In-game screen shown"
  wait_until "the watched level on the screen" changed_from "$lib-watch-a" blank "$FIELD" 25
  step "$lib: Tab twice, to x4"
  speed_key "$lib-watch-x2"
  speed_key "$lib-watch-x4"
  shot "$lib-watching"
  out_has "The replay ended" && fail "the replay ended before it was photographed at x4"
  step "$lib: the replay plays to its end"
  wait_until "the replay's end in the log" out_has "The replay ended"
  out_has "The replay ended as it was recorded" || fail "$(grep 'replay ended' "$HOME_DIR/stdout.txt")"
  grep 'The replay ended' "$HOME_DIR/stdout.txt"
  statistics_shown() { changed_from "$lib-end-poll" "$lib-watching" "$DIALOG" 40 &&
    steady "$lib-replay-end" "$DIALOG"; }
  wait_until "the level statistics" statistics_shown
  stop_game || fail "the watching game ended with status $? (see $RUN/game-watch-$lib.err)"
  local count
  count=$(find "$HOME_DIR/replays" -name '*.otr' | wc -l)
  ((count == 1)) || fail "watching a replay wrote a replay: $count files in home/replays"
}

# ---------------------------------------------------------------- damaged replays
refuse_damaged() {
  local lib=$1 name bad before lines
  for name in cut version; do
    step "$lib: a replay damaged ($name) is refused"
    bad="$RUN/$lib-$name.otr"
    if [[ $name == cut ]]; then
      head -c "$(($(wc -c < "$REPLAY_FILE") / 2))" "$REPLAY_FILE" > "$bad"
    else
      sed '1s/^OSTREL-TRAINS-REPLAY 1$/OSTREL-TRAINS-REPLAY 7/' "$REPLAY_FILE" > "$bad"
    fi
    before=$(folder_state)
    GAME_ARGS=(--replay "$bad")
    start_game "$lib-$name" "$lib"
    wait_for_end "refusing the damaged replay"
    ((GAME_STATUS == 1)) || fail "status $GAME_STATUS for a damaged replay"
    lines=$(wc -l < "$RUN/game-$lib-$name.err")
    ((lines == 1)) && [[ ! -s $RUN/game-$lib-$name.out ]] ||
      fail "expected one line on standard error and none on output: $(head -n 5 "$RUN/game-$lib-$name.err")"
    # The line names the file whole, once, and then the damaged line.
    grep -qF "the replay cannot be watched: $bad: line " "$RUN/game-$lib-$name.err" ||
      fail "$(< "$RUN/game-$lib-$name.err")"
    cat "$RUN/game-$lib-$name.err"
    [[ $(folder_state) == "$before" ]] || fail "refusing a damaged replay changed the working folder"
  done
}

# ================================================================ both libraries
shot blank
for library in $(test_libraries); do
  HOME_DIR=$RUN/home-$library
  mkdir -p "$HOME_DIR"
  play_level "$library"
  check_recording "$library"
  watch_replay "$library"
  refuse_damaged "$library"
done
step "passed"
