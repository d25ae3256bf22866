#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Records the replays of this folder anew in the real game: each level is played from an
# empty working folder with a fixed seed on a private Xvfb display, driven by xdotool as
# tests/e2e/replay.sh drives it, and ended with Alt+F4; the replay the game wrote is
# copied to OUTPUT_FOLDER under this folder's name for it. The inputs are paced by the
# wall clock, so the updates they land at differ a little from one recording to the next.
#
# Usage: record.sh GAME OUTPUT_FOLDER
set -u -o pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 GAME OUTPUT_FOLDER" >&2
  exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/../../../e2e/x_session.sh"
GAME=$(absolute "$1") TARGET=$(absolute "$2")
readonly GAME TARGET
need_tools
mkdir -p "$TARGET" || exit 1
session_begin "${TMPDIR:-/tmp}/ot-record-replays"
start_xvfb 800x600

readonly HELP_OK="713 578" PARK="70 20"
readonly MENU_PICK_GAME="475 330" PICK_CLASSIC="475 465"

# left POINTS... / right POINTS...: clicks paced like a player's.
left() {
  local p
  for p in "$@"; do
    click_at "$p"
    sleep 1.2
  done
}
right() {
  local p
  for p in "$@"; do
    xdotool mousemove ${p% *} ${p#* } click 3
    sleep 1.2
  done
}

# begin NAME SEED: the game from an empty folder, its start help closed.
begin() {
  step "$1: the game starts with seed $2"
  HOME_DIR=$RUN/$1
  mkdir -p "$HOME_DIR"
  GAME_ARGS=(--seed "$2")
  start_game "$1"
  wait_until "game window" window_shown
  hold_display
  wait_until "in-game screen in the log" log_has "In-game screen shown"
  sleep 3 # the help page settles
  click_at "$HELP_OK"
  sleep 3
}

# finish NAME: Alt+F4, and the one replay written copied out.
finish() {
  mouse_to "$PARK"
  key alt+F4
  local end=$((SECONDS + DEADLINE))
  while game_running; do
    ((SECONDS < end)) || fail "the game did not end after Alt+F4"
    sleep 0.2
  done
  wait "$GAME_PID" || fail "the game ended with status $?"
  GAME_PID=""
  local files=("$HOME_DIR"/replays/*.otr)
  ((${#files[@]} == 1)) || fail "expected one replay, found: ${files[*]}"
  cp "${files[0]}" "$TARGET/$1.otr"
  echo "$1: $(tail -n 1 "$TARGET/$1.otr")"
}

# Puzzle level 1: switches, signals and towns at x1, x2 and x4, one rewind, more play.
begin puzzle1_rewind 4242
left "495 266" "602 266" "548 297" "534 365" "495 328" "281 452"
sleep 4
left "174 452" "709 266" "281 142" "293 389"
key Tab
left "172 384" "267 396" "495 266" "602 266"
right "175 140"
left "548 297" "495 328"
key Tab
left "281 452" "174 452" "709 266" "281 142" "534 365"
right "170 470" "765 285"
left "293 389" "602 266"
key BackSpace
sleep 2
left "495 266" "548 297" "495 328" "281 452"
key Tab
left "174 452" "709 266" "281 142" "293 389" "172 384"
right "175 140"
left "267 396" "495 266"
key Tab
left "602 266" "548 297" "495 328" "534 365"
finish puzzle1_rewind

# Classic level 1 (PICK GAME): track laid in building mode, the type changed with the
# right button and the wheel, x2 and x4, a pause, one rewind, route mode, a switch and
# signals thrown.
begin classic1_building 31337
key Escape
sleep 1.5
click_at "$MENU_PICK_GAME"
sleep 1.5
click_at "$PICK_CLASSIC"
sleep 3
# The Puzzle level left for the Classic game wrote its own replay: only the Classic
# level's is kept.
rm -f "$HOME_DIR"/replays/*.otr
left "450 420" "520 420" "380 420" "600 380"
right "450 300"
left "450 300" "60 400" "350 250"
xdotool mousemove 300 300 click 5
sleep 0.5
left "300 300"
key Tab
left "660 350" "700 330" "250 300" "300 480" "500 500"
right "400 200"
left "400 200"
key Tab
left "600 200" "650 150" "720 120" "550 250"
key space
sleep 1
left "400 300"
sleep 2
key BackSpace
sleep 1
left "400 300" "330 120" "260 150" "700 450" "65 275"
key Tab
sleep 6
left "425 228" "438 272" "456 287" "425 228"
right "770 530"
key Tab
sleep 4
finish classic1_building
step "recorded"
