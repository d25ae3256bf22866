#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A level pack played in the real game, on both SDL 1.2 libraries. The working folder
# holds a pack of its own in levels/ (the game data named holds none): a one-minute level
# of two towns that the trains of the fixed seed finish without help, and a second
# level. From the start help: the menu's NEW GAME, its LEVEL PACKS, the packs dialog
# (the first level open, the second locked), OK on the first level, Tab to x4, the
# level's statistics with its par, NEXT, and the packs dialog again on the second
# level, now open; the progress file holds the first level as finished.
#
# Usage: packs.sh GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]
# Exits 77 (skipped) when Xvfb or xdotool is missing; without sdl12-compat only classic
# SDL runs. Every wait polls the screen or a file until a deadline (OT_E2E_DEADLINE
# seconds, 60 by default); nothing is timed. On failure the screenshots, the working
# folders and the game's logs stay in a folder below OUTPUT_FOLDER, whose path is
# printed; OT_E2E_KEEP=1 keeps it on success.
set -u -o pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]" >&2
  exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
GAME=$(absolute "$1") OUT_BASE=$(absolute "$2")
SUPPRESSIONS=$(absolute "${3:-}")
readonly GAME OUT_BASE SUPPRESSIONS
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi
# The sanitized game keeps up with x4 better without whole allocation stacks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=1:detect_leaks=0"
need_tools
[[ -x $GAME ]] || { echo "no game at $GAME" >&2; exit 1; }

# ---------------------------------------------------------------- places on the screen
# Regions are WxH+X+Y of the 800 x 600 display; points are "X Y".
readonly HELP_TEXT=240x130+10+10     # the help page's title and first paragraph
readonly FIELD=650x520+140+50
readonly DIALOG=400x520+275+50       # menu, packs and statistics: 400 x 520 in the field
readonly NEW_GAME_BOX=400x250+275+185
readonly ROWS=400x60+275+150         # the packs dialog's first two levels
readonly SPEED_LABEL=110x24+376+0
readonly HELP_OK="713 578"
# The menu over a running built-in level shows seven items, REWIND among them, 61 px
# apart from 75 px down: NEW GAME is the third.
readonly MENU_NEW_GAME="475 269"
readonly LEVEL_PACKS="475 393"       # 300 x 44 at (50, 186) in the new game dialog
readonly PACKS_OK="400 538"          # 110 x 44 at (70, 466) in the packs dialog
readonly STATS_NEXT="475 472"        # the statistics' NEXT, centred under the figures
readonly PARK="70 20"                # the player's name: no hover, no field
readonly SEED=5

session_begin "$OUT_BASE"
start_xvfb 800x600
# The game's data without the packs it ships: the test's own pack is the first.
DATA_DIR=$RUN/data
mkdir -p "$DATA_DIR"
ln -s "$(dirname "$GAME")/data.dat" "$DATA_DIR/data.dat" || fail "no data.dat beside the game"

# ---------------------------------------------------------------- the pack
# write_pack HOME: levels/0-e2e in the working folder.
write_pack() {
  local pack=$1/levels/0-e2e
  mkdir -p "$pack"
  printf 'ostrel-pack 1\ntitle End to end\norder 0\nlevel short\nlevel second\n' \
    > "$pack/pack.index"
  level_text "Short run" 1 1 > "$pack/short.level"
  level_text "Second run" 3 2 > "$pack/second.level"
}

# level_text NAME MINUTES PAR: two towns on the first Puzzle level's railway.
level_text() {
  cat << EOF
ostrel-level 1
name $1
description Two towns, trains every few seconds.
par $3
train-period 0.3
train-cars 6
crash-period 1000
level-minutes $2
crazy-period 1000
houses-per-town 6
forest-count 0
forest-size 2
background 1
max-towns 2
loco-min 4
loco-max -1
wave-minutes 5
wave-max 1.8
towns 17,0 62,2
tracks 17,1 17,5 18,3 18,4 26,3 33,2 35,3 43,3 52,2 52,4 53,1 54,3 54,4 60,0 60,5 68,0 75,0 76,2 77,0 81,1 81,5 82,4 83,0 90,0 97,2 98,0
EOF
}

finished_in_progress() { grep -q '^level [0-9a-f]\{16\} 1 ' "$HOME_DIR/levels/progress.txt" 2> /dev/null; }

# ---------------------------------------------------------------- one library
play_pack() {
  local lib=$1
  step "$lib: the game starts with a pack in the working folder"
  write_pack "$HOME_DIR"
  GAME_ARGS=(--seed "$SEED" --data-dir "$DATA_DIR")
  start_game "$lib" "$lib"
  wait_until "game window" window_shown
  hold_display
  mouse_to "$PARK"
  wait_until "in-game screen in the log" log_has "In-game screen shown"
  help_shown() { changed_from "$lib-help-poll" blank "$HELP_TEXT" 25 && steady "$lib-help" "$HELP_TEXT"; }
  wait_until "help page" help_shown
  click_at "$HELP_OK"
  wait_until "end of the help page" changed_from "$lib-level" "$lib-help" "$HELP_TEXT" 25

  step "$lib: MENU, NEW GAME, LEVEL PACKS"
  key Escape
  wait_until "menu" changed_from "$lib-menu" "$lib-level" "$DIALOG" 40
  click_at "$MENU_NEW_GAME"
  wait_until "new game dialog" changed_from "$lib-new-game" "$lib-menu" "$NEW_GAME_BOX" 20
  click_at "$LEVEL_PACKS"
  wait_until "packs dialog" changed_from "$lib-packs" "$lib-new-game" "$DIALOG" 20
  mouse_to "$PARK"
  wait_until "packs dialog at rest" steady "$lib-packs" "$DIALOG"

  step "$lib: OK plays the first level; Tab twice runs it at x4"
  click_at "$PACKS_OK"
  wait_until "the pack level" log_has "Level pack 0-e2e, level 1 begins"
  mouse_to "$PARK"
  for speed in x2 x4; do
    shot "$lib-$speed-before"
    key Tab
    wait_until "speed $speed" changed_from "$lib-$speed" "$lib-$speed-before" "$SPEED_LABEL" 2
  done

  step "$lib: the level ends finished, with its statistics"
  wait_until "the level's result in the progress file" finished_in_progress
  wait_until "statistics at rest" steady "$lib-statistics" "$DIALOG"
  differs "$lib-x4" "$lib-statistics" "$DIALOG" 40 || fail "no statistics over the field"

  step "$lib: NEXT offers the second level, open now"
  click_at "$STATS_NEXT"
  mouse_to "$PARK"
  next_shown() {
    changed_from "$lib-next" "$lib-statistics" "$DIALOG" 5 && steady "$lib-next" "$DIALOG"
  }
  wait_until "packs dialog after the statistics" next_shown
  differs "$lib-packs" "$lib-next" "$ROWS" 1 || fail "the levels' states did not change"
  alike "$lib-packs" "$lib-next" 400x40+275+50 2 || fail "not the packs dialog after NEXT"
  key Escape
  stop_game || fail "the game ended with status $?"
  [[ -f $HOME_DIR/savep/ManagerPACK.sav ]] || fail "the pack game was not saved"
}

# ================================================================ both libraries
shot blank
for library in $(test_libraries); do
  HOME_DIR=$RUN/home-$library
  mkdir -p "$HOME_DIR"
  play_pack "$library"
done
step "passed"
