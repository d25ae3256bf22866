#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game must look the same on both SDL 1.2 libraries a Debian player may have: the
# classic library and sdl12-compat. On a desktop larger than the game and on one of its
# own size, the game starts in full screen from an empty working folder (the help page
# over the first level) and F4 switches it to a window, back to full screen and to a
# window again. Each picture is photographed on both libraries and compared:
#   - in a window, the whole desktop: the 800 x 600 window in its place on it;
#   - in full screen, the game's picture: classic SDL centres it on a larger desktop,
#     sdl12-compat scales it to fill the desktop, so those two are compared at a quarter
#     of the size, where the scaling's softer edges do not count;
#   - after F4 twice, each library's picture against its own of two switches before.
# Then the help page is closed, Space pauses the game and F4 (to full screen) ends the
# pause on both libraries: the pause picture goes away.
# Pictures agree when at most 1 % of their pixels differ by more than 10 %. The game
# runs with OSTREL_TRAINS_STILL=1, which holds the help page's illustrations at their
# first frame: a shot shows the same picture whenever it is taken, however busy the
# machine is.
#
# Usage: parity.sh GAME OUTPUT_FOLDER [LSAN_SUPPRESSIONS]
# Exits 77 (skipped) when Xvfb, xdotool or sdl12-compat is missing.
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
# This test compares pictures; e2e_play_through checks the windowed game for leaks. A
# sanitized game recording whole allocation stacks for the leak check runs two to three
# times slower, which on a busy machine leaves too few shots of an animation cycle.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=1:detect_leaks=0"
need_tools
[[ -x $GAME ]] || { echo "no game at $GAME" >&2; exit 1; }
if [[ -z $(compat_folder) ]]; then
  echo "SKIPPED: sdl12-compat (libsdl1.2-compat) is not installed"
  exit "$SKIP_CODE"
fi
session_begin "$OUT_BASE"

readonly LIBRARIES="classic compat"
readonly PICTURES="full-a window-a full-b window-b" # the start, then after each F4
readonly MOST_DIFFERING=1                            # per cent of the compared pixels
readonly INNER_SPOT="5 5"                            # on the help page, far from its buttons
readonly PAUSE_BOX=230x60+315+315                    # inside the pause picture
export OSTREL_TRAINS_STILL=1

# whole_differs A B: true while the two whole-screen shots differ in more than 2 %: a
# new video mode changes far more.
whole_differs() { differs "$1" "$2" "$DESKTOP+0+0" 2; }
# settles NAME: two shots in a row agree.
settles() {
  shot "$1-earlier"
  shot "$1"
  ! whole_differs "$1-earlier" "$1"
}
# modes_set: how many video modes the game's log reports.
modes_set() { grep -c '^Video mode: ' "$HOME_DIR/stderr.txt" 2> /dev/null; }
# mode_set_since COUNT NAME: a video mode was set after the COUNT first, and the screen
# has settled since (classic SDL shows the same picture in both modes on a larger
# desktop: it cannot change the desktop's resolution).
mode_set_since() { (($(modes_set) > $1)) && settles "$2"; }

# desktop_point X Y: where a point of the game's picture lies on the desktop in the
# current mode of the current library ($MODE, $LIBRARY).
desktop_point() {
  picture_box
  awk -v x="$1" -v y="$2" -v box="$BOX" 'BEGIN {
    split(box, b, /[x+]/); printf "%d %d", b[3] + x * b[1] / 800, b[4] + y * b[2] / 600 }'
}
# picture_box: BOX, the WxH+X+Y of the game's picture on the desktop in the current mode.
# A window and classic SDL's full screen show it at its size; sdl12-compat's full screen
# scales it to the largest size that fits, keeping its shape.
picture_box() {
  local w=${DESKTOP%x*} h=${DESKTOP#*x}
  BOX=$(awk -v w="$w" -v h="$h" -v scaled="$([[ $MODE == full && $LIBRARY == compat ]] && echo 1)" '
    BEGIN { s = 1; if (scaled) { s = w / 800; if (h / 600 < s) s = h / 600 }
            pw = int(800 * s + 0.5); ph = int(600 * s + 0.5)
            printf "%dx%d+%d+%d", pw, ph, (w - pw) / 2, (h - ph) / 2 }')
}

# photograph PICTURE: a shot of the settled screen, and the game's picture cut out of it
# at its own size, named LIBRARY-PICTURE and LIBRARY-PICTURE-picture.
photograph() {
  local name="$LIBRARY-$1"
  picture_box
  shot "$name"
  convert "$SHOTS/$name.png" -crop "$BOX" +repage -resize '800x600!' -quality 10 \
    "$SHOTS/$name-picture.png" || fail "convert failed on $name"
}

# unlike PICTURE REFERENCE REGION: PICTURE, photographed now, differs from the picture
# REFERENCE in more than 30 % of REGION (of the 800 x 600 picture).
unlike() {
  photograph "$1"
  differs "$LIBRARY-$2-picture" "$LIBRARY-$1-picture" "$3" 30
}

# pause_ends_by_f4: from the help page in a window, the game paused and F4 pressed: the
# pause picture comes and goes.
pause_ends_by_f4() {
  step "$DESKTOP, $LIBRARY: Space pauses the game and F4 ends the pause"
  key Return
  wait_until "the game under the help page" unlike playing window-b 800x600+0+0
  key space
  wait_until "the pause picture" unlike paused playing "$PAUSE_BOX"
  MODE=full
  local modes
  modes=$(modes_set)
  key F4
  wait_until "full screen" mode_set_since "$modes" "$LIBRARY-unpaused-switch"
  mouse_to "$(desktop_point $INNER_SPOT)"
  wait_until "the pause picture gone" unlike unpaused paused "$PAUSE_BOX"
}

# play LIBRARY: a fresh start in full screen and three F4 switches, photographed; then
# F4 ends a pause.
play() {
  LIBRARY=$1
  MODE=full
  rm -rf "$HOME_DIR" && mkdir -p "$HOME_DIR"
  step "$DESKTOP, $LIBRARY: the game starts in full screen with the help page"
  shot "$LIBRARY-blank"
  start_game "$DESKTOP-$LIBRARY" "$LIBRARY"
  start_shown() { log_has "In-game screen shown" && shot "$LIBRARY-start" &&
    whole_differs "$LIBRARY-blank" "$LIBRARY-start" && settles "$LIBRARY-start"; }
  wait_until "a settled help page" start_shown
  hold_display
  mouse_to "$(desktop_point $INNER_SPOT)"
  photograph full-a
  local picture modes
  for picture in window-a full-b window-b; do
    step "$DESKTOP, $LIBRARY: F4 for $picture"
    MODE=${picture%-*}
    modes=$(modes_set)
    key F4
    wait_until "$picture" mode_set_since "$modes" "$LIBRARY-$picture-switch"
    # Keys go to the window under the pointer: it follows the picture.
    mouse_to "$(desktop_point $INNER_SPOT)"
    photograph "$picture"
  done
  pause_ends_by_f4
  stop_game || fail "the game ended with status $? (see $RUN/game-$DESKTOP-$LIBRARY.err)"
}

# agree A B SIZE: the shots A and B (paths) agree, compared at SIZE: at most
# MOST_DIFFERING % of the pixels differ by more than 10 %.
agree() {
  local a="$RUN/agree-a.png" b="$RUN/agree-b.png" n total
  convert "$1" -resize "$3!" "$a" && convert "$2" -resize "$3!" "$b" || fail "convert failed"
  n=$(compare -metric AE -fuzz 10% "$a" "$b" null: 2>&1)
  (($? <= 1)) || fail "compare failed: $n"
  total=$(area "$3")
  echo "    $(basename "$1" .png) ~ $(basename "$2" .png) at $3: $n of $total pixels differ"
  awk -v n="$n" -v all="$total" -v p="$MOST_DIFFERING" 'BEGIN { exit !(n * 100 <= all * p) }'
}

# check_pictures: every comparison of the pictures taken on this desktop.
check_pictures() {
  step "$DESKTOP: the pictures agree"
  local mode kind size library
  for mode in full window; do
    kind="" size=$DESKTOP
    if [[ $mode == full ]]; then
      kind="-picture" size=800x600
      # The scaled picture keeps its colours but not its sharpest edges.
      [[ $DESKTOP == 800x600 ]] || size=200x150
    fi
    for picture in "$mode-a" "$mode-b"; do
      agree "$SHOTS/classic-$picture$kind.png" "$SHOTS/compat-$picture$kind.png" "$size" ||
        fail "$picture differs between classic SDL and sdl12-compat"
    done
    for library in $LIBRARIES; do
      agree "$SHOTS/$library-$mode-a$kind.png" "$SHOTS/$library-$mode-b$kind.png" \
        "$(identify -format %wx%h "$SHOTS/$library-$mode-a$kind.png")" ||
        fail "$library: the $mode picture differs after F4 twice"
    done
  done
}

for DESKTOP in 1024x768 800x600; do
  start_xvfb "$DESKTOP"
  for library in $LIBRARIES; do play "$library"; done
  check_pictures
  stop_xvfb
done
step "passed"
