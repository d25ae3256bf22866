#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real game in a real X server: a private Xvfb display, the mouse and keys
# driven by xdotool, the screen photographed by ImageMagick's import and compared region
# by region. From an empty working folder: the intro and the help page, a running
# Puzzle level, the pause, the options dialog cancelled after a drag of the music
# slider, a switch to the Classic game with a piece of track laid, the quit question,
# and a second start that resumes the Classic game as it was left.
#
# Usage: play_through.sh GAME OT_PARAMS OUTPUT_FOLDER [LSAN_SUPPRESSIONS]
# Exits 77 (skipped) when Xvfb or xdotool is missing. Every wait polls the screen or the
# log until a deadline (OT_E2E_DEADLINE seconds, 60 by default); on failure the
# screenshots, the working folder with the game's log and the saved files stay in a
# folder below OUTPUT_FOLDER, whose path is printed. OT_E2E_KEEP=1 keeps it on success.
set -u -o pipefail

if [[ $# -lt 3 ]]; then
  echo "usage: $0 GAME OT_PARAMS OUTPUT_FOLDER [LSAN_SUPPRESSIONS]" >&2
  exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
GAME=$(absolute "$1") PARAMS=$(absolute "$2") OUT_BASE=$(absolute "$3")
SUPPRESSIONS=$(absolute "${4:-}")
readonly GAME PARAMS OUT_BASE SUPPRESSIONS
# The sanitizer build reports the leaks of the system libraries unless told otherwise.
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi
need_tools
[[ -x $GAME && -x $PARAMS ]] || { echo "no game at $GAME or no ot-params at $PARAMS" >&2; exit 1; }

# ---------------------------------------------------------------- places on the screen
# Regions are WxH+X+Y of the 800 x 600 display; points are "X Y".
readonly HELP_TEXT=240x130+10+10     # the help page's title and first paragraph
readonly FIELD=650x520+140+50
readonly PAUSE_PICTURE=350x96+300+300
readonly DIALOG=400x520+275+50       # menu, options and game type: 400 x 520 centred in the field
readonly QUESTION=400x250+275+185    # the quit question: 400 x 250 centred in the field
readonly MUSIC_SLIDER=170x50+455+105 # the music track at (462, 124) and its 18 x 40 handle
readonly GAME_TYPE=112x108+15+191    # the panel's game type caption
readonly MONEY=200x27+482+0          # ten digits of 20 px
readonly TRACK_AREA=160x110+370+365  # around TRACK_SPOT
readonly OTHER_AREA=160x110+220+445  # around OTHER_SPOT
readonly LAID_AREA=80x50+432+378     # the piece laid at TRACK_SPOT, tight: tips come and go

readonly HELP_OK="713 578"           # 140 x 36 at (643, 560)
readonly PAUSE_CLICK="475 348"       # on the pause picture
# The menu's seven items shown over a running level (REWIND among them): 300 x 44 frames
# centred in the dialog, from 75 px down, (520 - 90) / 7 = 61 px apart.
readonly MENU_PICK_GAME="475 330" MENU_OPTIONS="475 391" MENU_EXIT="475 513"
readonly MUSIC_HANDLE_X=540 MUSIC_HANDLE_Y=131 # the handle's middle at volume 64
readonly OPTIONS_CANCEL="549 518"    # 110 x 44 at (219, 446) in the dialog
readonly PICK_CLASSIC="475 465"      # the lower frame, 272 x 200 at (64, 315) in the dialog
readonly QUESTION_OK="400 328"       # 110 x 44 at (70, 121) in the question box
readonly PARK="70 20"                # the player's name: no hover, no field
# Building mode: junction 91 (row 11, column 3), where track type 0 may be laid on a
# fresh field; the other spot lies in another row and column.
readonly TRACK_SPOT="450 420" OTHER_SPOT="300 500"
readonly LAID_TRACK="91,0"

session_begin "$OUT_BASE"
start_xvfb 800x600

# settled NAME REGION: true once REGION has stayed the same in every shot for 3 s (a
# piece of track is built in stages some hundred milliseconds apart); NAME is the latest
# shot. Clear SETTLED_SINCE before waiting for it.
SETTLED_SINCE=""
settled() {
  shot "$1"
  if [[ -z $SETTLED_SINCE ]] || differs "$1-settled" "$1" "$2" 0; then
    cp "$SHOTS/$1.png" "$SHOTS/$1-settled.png"
    SETTLED_SINCE=$(date +%s%3N)
    return 1
  fi
  (($(date +%s%3N) - SETTLED_SINCE >= 3000))
}

# Quits through the menu's EXIT and the question's OK; the game must end with status 0.
quit_game() {
  local run=$1 status
  step "run $run: Escape opens the menu"
  shot "$run-before-quit-menu"
  key Escape
  wait_until "menu" changed_from "$run-quit-menu" "$run-before-quit-menu" "$DIALOG" 40
  step "run $run: EXIT asks the quit question"
  click_at "$MENU_EXIT"
  wait_until "quit question" changed_from "$run-quit-question" "$run-quit-menu" "$QUESTION" 20
  step "run $run: OK ends the game"
  click_at "$QUESTION_OK"
  local end=$((SECONDS + DEADLINE))
  while game_running; do
    ((SECONDS < end)) || fail "the game did not end within $DEADLINE s of the quit"
    sleep 0.2
  done
  wait "$GAME_PID"
  status=$?
  GAME_PID=""
  ((status == 0)) || fail "the game ended with status $status (see home/stderr.txt)"
  for file in save/globals.sav savep/ManagerCLASSIC.sav savep/ManagerPUZZLE.sav; do
    [[ -f $HOME_DIR/$file ]] || fail "$file was not written"
  done
}

# value FILE KEY: the value of KEY in a sealed file, as ot-params shows it.
value() {
  "$PARAMS" show "$HOME_DIR/$1" | awk -v k="$2" '$1 == k { sub(/^[^=]*= /, ""); print; exit }'
}

check_music_volume() {
  local volume
  volume=$(value save/globals.sav Globals.Globals.MusicVolume)
  [[ $volume == 64 ]] || fail "the cancelled options changed the music volume to '$volume'"
}

# Waits for the in-game screen after a start; closes the help page when it shows.
# $1: the run; $2: a shot whose GAME_TYPE region shows the game type expected without it.
pass_start_help() {
  local run=$1 type_reference=$2
  wait_until "in-game screen in the log" log_has "In-game screen shown"
  local end=$((SECONDS + DEADLINE))
  while :; do
    game_running || fail "the game ended before the in-game screen"
    shot "$run-start"
    if alike help "$run-start" "$HELP_TEXT" 5; then
      step "run $run: the help page shows; OK closes it"
      click_at "$HELP_OK"
      wait_until "end of the help page" changed_from "$run-after-help" help "$HELP_TEXT" 25
      return
    fi
    if alike "$type_reference" "$run-start" "$GAME_TYPE" 5; then
      step "run $run: the game shows without the help page"
      return
    fi
    ((SECONDS < end)) || fail "neither the help page nor the game within $DEADLINE s"
    sleep 0.2
  done
}

# ================================================================ first run
step "run 1: the game starts and shows its intro"
shot blank
start_game 1
wait_until "game window" window_shown
hold_display
wait_until "intro in the log" log_has "Intro shown"
wait_until "intro on the screen" changed_from intro blank 800x600+0+0 50
log_has "In-game screen shown" && fail "the in-game screen came before the intro was seen"

step "run 1: the help page follows the intro"
help_shown() {
  log_has "In-game screen shown" && changed_from help-poll intro "$HELP_TEXT" 25 &&
    steady help "$HELP_TEXT"
}
wait_until "help page" help_shown
click_at "$HELP_OK"
wait_until "end of the help page" changed_from level-a help "$HELP_TEXT" 25

step "run 1: a Puzzle level runs"
wait_until "movement on the field" changed_from level-b level-a "$FIELD" 0.2
cp "$SHOTS/level-b.png" "$SHOTS/puzzle.png"

step "run 1: Space pauses"
shot before-pause
key space
wait_until "pause picture" changed_from paused before-pause "$PAUSE_PICTURE" 40
step "run 1: a click ends the pause"
click_at "$PAUSE_CLICK"
wait_until "end of the pause" changed_from unpaused paused "$PAUSE_PICTURE" 40

step "run 1: Escape opens the menu"
shot before-menu
key Escape
wait_until "menu" changed_from menu before-menu "$DIALOG" 40
step "run 1: OPTIONS opens the options dialog"
click_at "$MENU_OPTIONS"
options_shown() {
  changed_from options menu "$DIALOG" 10 && differs menu options "$MUSIC_SLIDER" 20 &&
    steady options "$MUSIC_SLIDER"
}
wait_until "options dialog" options_shown
step "run 1: the music slider's handle is dragged"
mouse_to "$MUSIC_HANDLE_X $MUSIC_HANDLE_Y"
xdotool mousedown 1
for dx in 10 20 30 40 50 60; do
  mouse_to "$((MUSIC_HANDLE_X + dx)) $MUSIC_HANDLE_Y"
  sleep 0.05
done
xdotool mouseup 1
wait_until "moved slider handle" changed_from dragged options "$MUSIC_SLIDER" 5
step "run 1: CANCEL closes the options"
click_at "$OPTIONS_CANCEL"
wait_until "end of the options dialog" changed_from after-options dragged "$DIALOG" 40

step "run 1: PICK GAME and the Classic picture switch to the Classic game"
key Escape
wait_until "menu" changed_from menu-2 after-options "$DIALOG" 40
click_at "$MENU_PICK_GAME"
wait_until "game type dialog" changed_from pick menu-2 "$DIALOG" 10
click_at "$PICK_CLASSIC"
classic_shown() {
  changed_from classic pick "$DIALOG" 40 && differs puzzle classic "$GAME_TYPE" 10
}
wait_until "Classic game" classic_shown

step "run 1: the track preview follows the mouse over the field"
mouse_to "$PARK"
wait_until "field without preview" steady parked "$TRACK_AREA"
mouse_to "$TRACK_SPOT"
wait_until "preview at the first spot" changed_from preview-1 parked "$TRACK_AREA" 1
mouse_to "$OTHER_SPOT"
preview_moved() {
  changed_from preview-2 preview-1 "$TRACK_AREA" 1 && differs preview-1 preview-2 "$OTHER_AREA" 1
}
wait_until "preview at the second spot" preview_moved

step "run 1: a click on the field lays track and costs money"
mouse_to "$TRACK_SPOT"
wait_until "preview back at the first spot" changed_from preview-3 preview-2 "$TRACK_AREA" 1
shot before-laying
# A tip shown over the spot takes the click for itself; the click is repeated then (a
# second click on the laid piece lays nothing more).
LAST_CLICK=-100
laying() {
  if ((SECONDS - LAST_CLICK >= 5)); then
    click_at "$TRACK_SPOT"
    LAST_CLICK=$SECONDS
  fi
  changed_from laying before-laying "$MONEY" 1
}
wait_until "money counter rolling" laying
mouse_to "$PARK"
laid() { settled laid "$LAID_AREA" && differs parked laid "$LAID_AREA" 10; }
SETTLED_SINCE=""
wait_until "laid track built on the field" laid

quit_game 1
check_music_volume
[[ $(value save/globals.sav Globals.GameType) == 0 ]] || fail "the settings do not keep the Classic game"
"$PARAMS" show "$HOME_DIR/savep/ManagerCLASSIC.sav" > "$RUN/classic-1.txt" ||
  fail "ot-params cannot read the saved Classic game"
tracks_1=$(value savep/ManagerCLASSIC.sav Game.BeginTracks)
towns_1=$(value savep/ManagerCLASSIC.sav Game.BeginTowns)
[[ " $tracks_1 " == *" $LAID_TRACK "* ]] ||
  fail "the saved Classic game lacks the laid track $LAID_TRACK: '$tracks_1'"
echo "saved Classic game: towns '$towns_1', track '$tracks_1'"

# ================================================================ second run
step "run 2: the game starts again in the same folder"
for log in stderr stdout; do mv "$HOME_DIR/$log.txt" "$RUN/$log-1.txt"; done
touch "$RUN/second-start"
start_game 2
wait_until "game window" window_shown
pass_start_help 2 laid

step "run 2: the Classic game resumes with its track"
mouse_to "$PARK"
resumed() {
  if log_has "saved game could not be read"; then
    fail "the saved Classic game was not resumed: the game began a new one" \
      "(see $HOME_DIR/stderr.txt)"
  fi
  settled resumed "$LAID_AREA" && alike laid resumed "$LAID_AREA" 2
}
SETTLED_SINCE=""
wait_until "the laid track back on the field" resumed

quit_game 2
check_music_volume
[[ $HOME_DIR/savep/ManagerCLASSIC.sav -nt $RUN/second-start ]] ||
  fail "the resumed Classic game was not saved again at the quit"
"$PARAMS" show "$HOME_DIR/savep/ManagerCLASSIC.sav" > "$RUN/classic-2.txt"
tracks_2=$(value savep/ManagerCLASSIC.sav Game.BeginTracks)
towns_2=$(value savep/ManagerCLASSIC.sav Game.BeginTowns)
echo "saved again: towns '$towns_2', track '$tracks_2'"
[[ $tracks_2 == "$tracks_1" ]] || fail "the track changed from '$tracks_1' to '$tracks_2'"
# Towns keep coming while a level runs: the first run's towns stay, in their order.
[[ $towns_2 == "$towns_1"* ]] || fail "the towns changed from '$towns_1' to '$towns_2'"

step "passed"
