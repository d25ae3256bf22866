#!/usr/bin/env bash
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
# Absolute paths: the game works in its own folder.
absolute() { [[ -z $1 || $1 == /* ]] && echo "$1" || echo "$PWD/$1"; }
GAME=$(absolute "$1") PARAMS=$(absolute "$2") OUT_BASE=$(absolute "$3")
SUPPRESSIONS=$(absolute "${4:-}")
readonly GAME PARAMS OUT_BASE SUPPRESSIONS
readonly DEADLINE=${OT_E2E_DEADLINE:-60}
readonly SKIP_CODE=77
# The sanitizer build reports the leaks of the system libraries unless told otherwise.
if [[ -n $SUPPRESSIONS && -z ${LSAN_OPTIONS:-} ]]; then
  export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"
fi

for tool in Xvfb xdotool; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIPPED: $tool is not installed"
    exit "$SKIP_CODE"
  fi
done
for tool in import compare convert; do
  command -v "$tool" > /dev/null || { echo "ImageMagick's $tool is not installed" >&2; exit 1; }
done
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
# The menu's six shown items: 300 x 44 frames centred in the dialog, from 75 px down,
# (520 - 90) / 6 = 71 px apart.
readonly MENU_PICK_GAME="475 289" MENU_OPTIONS="475 360" MENU_EXIT="475 502"
readonly MUSIC_HANDLE_X=540 MUSIC_HANDLE_Y=131 # the handle's middle at volume 64
readonly OPTIONS_CANCEL="549 473"    # 110 x 44 at (219, 401) in the dialog
readonly PICK_CLASSIC="475 465"      # the lower frame, 272 x 200 at (64, 315) in the dialog
readonly QUESTION_OK="400 328"       # 110 x 44 at (70, 121) in the question box
readonly PARK="70 20"                # the player's name: no hover, no field
# Building mode: junction 91 (row 11, column 3), where track type 0 may be laid on a
# fresh field; the other spot lies in another row and column.
readonly TRACK_SPOT="450 420" OTHER_SPOT="300 500"
readonly LAID_TRACK="91,0"

# ---------------------------------------------------------------- run folder and cleanup
mkdir -p "$OUT_BASE" || exit 1
RUN=$(mktemp -d "$OUT_BASE/run.XXXXXX") || exit 1
readonly RUN SHOTS=$RUN/shots HOME_DIR=$RUN/home
mkdir -p "$SHOTS" "$HOME_DIR"
STARTED=$(date +%s.%N)
STEP="start-up"
GAME_PID=""
XVFB_PID=""

now() { awk -v s="$STARTED" -v n="$(date +%s.%N)" 'BEGIN { printf "%.1f", n - s }'; }
step() {
  STEP=$1
  echo "[$(now) s] $STEP"
}
fail() {
  echo "FAILED in step '$STEP' after $(now) s: $*" >&2
  exit 1
}

stop_game() {
  [[ -n $GAME_PID ]] || return 0
  if kill -0 "$GAME_PID" 2> /dev/null; then
    kill -TERM "$GAME_PID" 2> /dev/null
    for _ in $(seq 1 50); do game_running || break; sleep 0.1; done
    game_running && kill -KILL "$GAME_PID" 2> /dev/null
  fi
  wait "$GAME_PID" 2> /dev/null
  GAME_PID=""
}

cleanup() {
  local status=$?
  stop_game
  if [[ -n $XVFB_PID ]]; then
    kill -TERM "$XVFB_PID" 2> /dev/null
    wait "$XVFB_PID" 2> /dev/null
  fi
  if [[ $status -ne 0 ]]; then
    echo "Screenshots, the game's log (home/stderr.txt) and saved files are kept in $RUN" >&2
  elif [[ ${OT_E2E_KEEP:-0} == 1 ]]; then
    echo "Kept: $RUN"
  else
    rm -rf "$RUN"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---------------------------------------------------------------- the X server
step "starting Xvfb"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset -br \
  3> "$RUN/display" > "$RUN/xvfb.log" 2>&1 &
XVFB_PID=$!
end=$((SECONDS + DEADLINE))
until grep -qxE '[0-9]+' "$RUN/display" 2> /dev/null; do
  kill -0 "$XVFB_PID" 2> /dev/null || fail "Xvfb did not start: $(cat "$RUN/xvfb.log")"
  ((SECONDS < end)) || fail "Xvfb gave no display number within $DEADLINE s"
  sleep 0.1
done
DISPLAY=":$(tr -d '\n' < "$RUN/display")"
export DISPLAY
echo "display $DISPLAY"

# ---------------------------------------------------------------- screen helpers
# shot NAME: the whole screen into $SHOTS/NAME.png (a later shot of the name replaces it).
shot() {
  import -window root "$SHOTS/$1.png" 2> "$RUN/import.log" ||
    fail "import could not photograph the screen: $(cat "$RUN/import.log")"
}

# area REGION: its pixel count.
area() {
  local size=${1%%+*}
  echo $((${size%x*} * ${size#*x}))
}

# differs A B REGION PERCENT: true when more than PERCENT % of REGION changed between
# the shots A and B (a pixel counts when its colour moved by more than 10 %).
differs() {
  local out
  out=$(compare -metric AE -fuzz 10% -extract "$3" "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1)
  (($? <= 1)) || fail "compare failed: $out"
  awk -v n="$out" -v all="$(area "$3")" -v p="$4" 'BEGIN { exit !(n * 100 > all * p) }'
}
# alike A B REGION PERCENT: true when at most PERCENT % of REGION differs.
alike() { ! differs "$@"; }

# mouse_to POINT, click_at POINT: POINT is "X Y".
mouse_to() { xdotool mousemove "${1% *}" "${1#* }"; }
click_at() { xdotool mousemove "${1% *}" "${1#* }" click 1; }
key() { xdotool key "$1"; }

# ---------------------------------------------------------------- the game process
game_running() {
  [[ -n $GAME_PID ]] && kill -0 "$GAME_PID" 2> /dev/null &&
    [[ $(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2> /dev/null) != Z ]]
}

# On sdl12-compat, SDL2 loads Mesa's software GL driver and unloads it again before the
# sanitizer's leak check at exit: the driver's caches, then reachable only from the
# unmapped library, are reported as leaks of an unknown module. In a sanitizer build the
# driver is preloaded (after the sanitizer runtime, which must come first) so that it
# stays mapped; the game's own leaks are still reported.
PRELOAD=""
libraries=$(ldd "$GAME" 2> /dev/null)
asan_runtime=$(awk '$1 ~ /^libasan/ { print $3 }' <<< "$libraries")
if [[ -n $asan_runtime ]] && grep -q 'libSDL-1.2.so.0 => .*sdl12-compat' <<< "$libraries"; then
  for driver in /usr/lib/*/dri/swrast_dri.so /usr/lib64/dri/swrast_dri.so; do
    if [[ -f $driver ]]; then
      PRELOAD="$asan_runtime $driver${LD_PRELOAD:+ $LD_PRELOAD}"
      break
    fi
  done
fi
readonly PRELOAD
[[ -z $PRELOAD ]] || echo "preloading $PRELOAD"

start_game() {
  # The game's window needs the X server: no dummy video driver from the test run, but
  # no sound card either.
  local preload=()
  [[ -n $PRELOAD ]] && preload=("LD_PRELOAD=$PRELOAD")
  env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy OSTREL_TRAINS_HOME="$HOME_DIR" "${preload[@]}" \
    "$GAME" > "$RUN/game-$1.out" 2> "$RUN/game-$1.err" &
  GAME_PID=$!
}

log_has() { grep -q "$1" "$HOME_DIR/stderr.txt" 2> /dev/null; }

# wait_until WHAT COMMAND...: polls COMMAND until it succeeds; fails after the deadline
# or when the game has ended.
wait_until() {
  local what=$1
  shift
  local end=$((SECONDS + DEADLINE))
  while ! "$@"; do
    game_running || fail "the game ended while waiting for $what"
    ((SECONDS < end)) || fail "no $what within $DEADLINE s"
    sleep 0.2
  done
}

# Conditions for wait_until: each photographs the screen as NAME and compares it.
changed_from() { # NAME REFERENCE REGION PERCENT
  shot "$1"
  differs "$2" "$1" "$3" "$4"
}
# steady NAME REGION: two shots in a row agree in REGION; NAME is the later one.
steady() {
  shot "$1-earlier"
  shot "$1"
  alike "$1-earlier" "$1" "$2" 0
}
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
window_shown() { [[ -n $(xdotool search --name '^Ostrel Trains$' 2> /dev/null) ]]; }

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
