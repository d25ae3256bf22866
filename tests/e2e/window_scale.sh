#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window never grows past the desktop, on both SDL 1.2 libraries. On a 2560 x 1440
# desktop the game opens its window at scale 2 (1600 x 1200), centred. Ctrl+plus asks
# for scale 3, whose 2400 x 1800 window would not fit: the window stays as it was, no
# video mode is set and the message line says so. Ctrl+minus makes it 800 x 600 and
# Ctrl+plus 1600 x 1200 again, each centred. A game started with a scale too large for
# the desktop (--scale 4, as a settings file from a larger monitor would ask) falls back
# to scale 2, centred, with a log line.
#
# Usage: window_scale.sh GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]
# Exits 77 (skipped) when Xvfb or xdotool is missing; without sdl12-compat only classic
# SDL runs. Every wait polls the window's geometry, the log or the screen until a
# deadline (OT_E2E_DEADLINE seconds, 60 by default); nothing is timed. On failure the
# screenshots, the working folder and the game's logs stay in a folder below
# OUTPUT_FOLDER, whose path is printed; OT_E2E_KEEP=1 keeps it on success.
set -u -o pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]" >&2
  exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
GAME=$(absolute "$1") OUT_BASE=$(absolute "$2") SUPPRESSIONS=$(absolute "${3:-}")
readonly GAME OUT_BASE SUPPRESSIONS
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=1:detect_leaks=0"
need_tools
[[ -x $GAME ]] || { echo "no game at $GAME" >&2; exit 1; }

# The help page's illustrations hold still, so that it settles.
export OSTREL_TRAINS_STILL=1
readonly DESKTOP=2560x1440
readonly CENTRE="1280 720"
# The window at scales 1 and 2, centred on the desktop (WxH+X+Y).
readonly SCALE_1=800x600+880+420
readonly SCALE_2=1600x1200+480+120
# The message line (650 x 30 at (140, 565) of the picture) in the window at scale 2.
readonly MESSAGE_LINE=1300x60+760+1250

session_begin "$OUT_BASE"

# geometry: the game window's WxH+X+Y on the desktop.
geometry() {
  local id WIDTH HEIGHT X Y
  id=$(xdotool search --name '^Ostrel Trains$' 2> /dev/null | head -n 1)
  [[ -n $id ]] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id" 2> /dev/null | grep -E '^(WIDTH|HEIGHT|X|Y)=[0-9]+$')"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
# at BOX: the game window is BOX now.
at() { [[ $(geometry) == "$1" ]]; }
# fits_centred: the window lies within 90 % of the desktop's width and height, centred.
fits_centred() {
  awk -v box="$(geometry)" -v desktop="$DESKTOP" 'BEGIN {
    split(box, b, /[x+]/); split(desktop, d, /x/)
    exit !(b[1] * 10 <= d[1] * 9 && b[2] * 10 <= d[2] * 9 &&
           b[3] == int((d[1] - b[1]) / 2) && b[4] == int((d[2] - b[2]) / 2)) }'
}
modes_set() { grep -c '^Video mode: ' "$HOME_DIR/stderr.txt" 2> /dev/null; }
# help_closed: the help page over the first level has given way to the game.
help_closed() { changed_from "$LIBRARY-game" "$LIBRARY-help" "$SCALE_2" 20; }

# play LIBRARY: the scale keys on a fresh start, then a start with a scale too large.
play() {
  LIBRARY=$1
  rm -rf "$HOME_DIR" && mkdir -p "$HOME_DIR"
  step "$LIBRARY: the window at the automatic scale, centred"
  GAME_ARGS=(--windowed)
  start_game "$LIBRARY-keys" "$LIBRARY"
  wait_until "the in-game screen" log_has "In-game screen shown"
  hold_display
  wait_until "a window of $SCALE_2" at "$SCALE_2"
  fits_centred || fail "the window does not fit the desktop, centred: $(geometry)"
  # Keys go to the window under the pointer.
  mouse_to "$CENTRE"
  wait_until "a settled help page" steady "$LIBRARY-help" "$SCALE_2"
  key Return
  wait_until "the game under the help page" help_closed
  wait_until "a settled message line" steady "$LIBRARY-before" "$MESSAGE_LINE"

  step "$LIBRARY: Ctrl+plus to scale 3 is refused"
  local modes
  modes=$(modes_set)
  key ctrl+plus
  wait_until "the refusal in the log" log_has "scale 3 would not fit the desktop; the scale stays 2"
  at "$SCALE_2" || fail "the refused step changed the window: $(geometry)"
  (($(modes_set) == modes)) || fail "the refused step set a video mode"
  wait_until "the message line saying so" changed_from "$LIBRARY-refused" "$LIBRARY-before" \
    "$MESSAGE_LINE" 5

  step "$LIBRARY: Ctrl+minus to scale 1, centred"
  key ctrl+minus
  wait_until "a window of $SCALE_1" at "$SCALE_1"
  step "$LIBRARY: Ctrl+plus to scale 2, centred"
  mouse_to "$CENTRE"
  key ctrl+plus
  wait_until "a window of $SCALE_2" at "$SCALE_2"
  stop_game || fail "the game ended with status $? (see $RUN/game-$LIBRARY-keys.err)"

  step "$LIBRARY: a stored scale of 4 falls back to 2, centred"
  GAME_ARGS=(--windowed --scale 4)
  start_game "$LIBRARY-stored" "$LIBRARY"
  wait_until "the fall back in the log" log_has "scale 4 would not fit the desktop of $DESKTOP; scale 2"
  wait_until "a window of $SCALE_2" at "$SCALE_2"
  # A close during the intro ends the intro only.
  wait_until "the in-game screen" log_has "In-game screen shown"
  stop_game || fail "the game ended with status $? (see $RUN/game-$LIBRARY-stored.err)"
}

start_xvfb "$DESKTOP"
for library in $(test_libraries); do play "$library"; done
stop_xvfb
step "passed"
