# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: a run folder kept on failure, a private Xvfb
# display, photographs of the screen compared region by region, the mouse and keys
# through xdotool, and the game started on either SDL 1.2 library. Sourced by the
# scripts in this folder, which set GAME, OUT_BASE and HOME_DIR's parent (RUN) through
# session_begin.
#
# Every wait polls until a deadline (OT_E2E_DEADLINE seconds, 60 by default); on failure
# the screenshots, the game's log and saved files stay in the run folder, whose path is
# printed. OT_E2E_KEEP=1 keeps it on success.

readonly DEADLINE=${OT_E2E_DEADLINE:-60}
readonly SKIP_CODE=77

# absolute PATH: PATH made absolute (the game works in its own folder).
absolute() { [[ -z $1 || $1 == /* ]] && echo "$1" || echo "$PWD/$1"; }

# need_tools: skips the test (77) without Xvfb, xdotool or xprop; fails without ImageMagick.
need_tools() {
  for tool in Xvfb xdotool xprop; do
    if ! command -v "$tool" > /dev/null; then
      echo "SKIPPED: $tool is not installed"
      exit "$SKIP_CODE"
    fi
  done
  for tool in import compare convert; do
    command -v "$tool" > /dev/null || { echo "ImageMagick's $tool is not installed" >&2; exit 1; }
  done
}

# ---------------------------------------------------------------- run folder and cleanup
STARTED=$(date +%s.%N)
STEP="start-up"
GAME_PID=""
XVFB_PID=""
HOLDER_PID=""

# session_begin OUT_BASE: the run folder with its shots/ and home/ folders.
session_begin() {
  mkdir -p "$1" || exit 1
  RUN=$(mktemp -d "$1/run.XXXXXX") || exit 1
  SHOTS=$RUN/shots
  HOME_DIR=$RUN/home
  mkdir -p "$SHOTS" "$HOME_DIR"
  trap cleanup EXIT
  trap 'exit 130' INT TERM
}

now() { awk -v s="$STARTED" -v n="$(date +%s.%N)" 'BEGIN { printf "%.1f", n - s }'; }
step() {
  STEP=$1
  echo "[$(now) s] $STEP"
}
fail() {
  echo "FAILED in step '$STEP' after $(now) s: $*" >&2
  exit 1
}

game_running() {
  [[ -n $GAME_PID ]] && kill -0 "$GAME_PID" 2> /dev/null &&
    [[ $(awk '{ print $3 }' "/proc/$GAME_PID/stat" 2> /dev/null) != Z ]]
}

# stop_game: ends the game as the window's close does (SIGTERM), killing it when it
# has not ended by the deadline; returns the game's exit status.
stop_game() {
  [[ -n $GAME_PID ]] || return 0
  if kill -0 "$GAME_PID" 2> /dev/null; then
    kill -TERM "$GAME_PID" 2> /dev/null
    local end=$((SECONDS + DEADLINE))
    while game_running && ((SECONDS < end)); do sleep 0.1; done
    game_running && kill -KILL "$GAME_PID" 2> /dev/null
  fi
  local status=0
  wait "$GAME_PID" 2> /dev/null || status=$?
  GAME_PID=""
  return "$status"
}

stop_xvfb() {
  if [[ -n $HOLDER_PID ]]; then
    kill -TERM "$HOLDER_PID" 2> /dev/null
    wait "$HOLDER_PID" 2> /dev/null
    HOLDER_PID=""
  fi
  [[ -n $XVFB_PID ]] || return 0
  kill -TERM "$XVFB_PID" 2> /dev/null
  wait "$XVFB_PID" 2> /dev/null
  XVFB_PID=""
}

cleanup() {
  local status=$?
  stop_game
  stop_xvfb
  if [[ $status -ne 0 ]]; then
    echo "Screenshots, the game's log (home/stderr.txt) and saved files are kept in $RUN" >&2
  elif [[ ${OT_E2E_KEEP:-0} == 1 ]]; then
    echo "Kept: $RUN"
  else
    rm -rf "$RUN"
  fi
  exit "$status"
}

# ---------------------------------------------------------------- the X server
# start_xvfb WxH: a private display of that size, in DISPLAY: the first free one, or the
# one OT_E2E_DISPLAY numbers. The server resets whenever its last client leaves, as
# under xvfb-run: the game must keep its display through start-up, between its own
# display check and the video library's connections.
start_xvfb() {
  step "starting Xvfb at $1"
  local where=(-displayfd 3)
  [[ -n ${OT_E2E_DISPLAY:-} ]] && where=(":$OT_E2E_DISPLAY")
  Xvfb "${where[@]}" -screen 0 "$1x24" -nolisten tcp -br \
    3> "$RUN/display" > "$RUN/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local end=$((SECONDS + DEADLINE))
  until display_ready; do
    kill -0 "$XVFB_PID" 2> /dev/null || fail "Xvfb did not start: $(cat "$RUN/xvfb.log")"
    ((SECONDS < end)) || fail "Xvfb gave no display within $DEADLINE s"
    sleep 0.1
  done
  export DISPLAY
  rm -f "$RUN/display"
  echo "display $DISPLAY"
}
# display_ready: sets DISPLAY once the server answers on the display asked for, or has
# written the number of the one it found.
display_ready() {
  if [[ -n ${OT_E2E_DISPLAY:-} ]]; then
    DISPLAY=":$OT_E2E_DISPLAY"
    xprop -display "$DISPLAY" -root > /dev/null 2>&1
  else
    grep -qxE '[0-9]+' "$RUN/display" 2> /dev/null || return 1
    DISPLAY=":$(tr -d '\n' < "$RUN/display")"
  fi
}

# hold_display: from now on a quiet client (xprop watching the root window) stays
# connected until the server stops, so that the server no longer resets when a game
# leaves it. Call it while a game holds the display: the first game's start is the one
# that meets a server resetting as the game's own display check leaves; a game started
# right after another has ended would otherwise meet a reset still under way on a busy
# machine and find no display.
hold_display() {
  [[ -z $HOLDER_PID ]] || return 0
  xprop -root -spy > /dev/null 2>&1 &
  HOLDER_PID=$!
}

# ---------------------------------------------------------------- screen helpers
# shot NAME: the whole screen into $SHOTS/NAME.png (a later shot of the name replaces it).
# The PNG is written with zlib's fastest level and no filter (quality 10): the pixels are
# the same, and a wait that polls the screen sees a change sooner (at 2560 x 1440 a shot
# takes half the time).
shot() {
  import -window root -quality 10 "$SHOTS/$1.png" 2> "$RUN/import.log" ||
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
# The folder of sdl12-compat's libSDL-1.2.so.0; empty when it is not installed.
compat_folder() {
  local lib
  lib=$(dpkg -L libsdl1.2-compat 2> /dev/null | grep '/libSDL-1.2.so.0$' | head -n 1)
  [[ -n $lib ]] && dirname "$lib"
}

# The SDL libraries a test plays on: classic, and compat when sdl12-compat is installed
# (else it says so on standard error).
test_libraries() {
  if [[ -n $(compat_folder) ]]; then
    echo "classic compat"
  else
    echo "sdl12-compat (libsdl1.2-compat) is not installed: classic SDL only" >&2
    echo classic
  fi
}

# start_game NAME [classic|compat]: the game in HOME_DIR, its output in $RUN/game-NAME.*,
# with the arguments of the array GAME_ARGS when a script sets it. Without a library
# named it runs on the one the environment gives it; "classic" takes sdl12-compat's
# folder out of LD_LIBRARY_PATH, "compat" puts it first.
start_game() {
  local library_path=${LD_LIBRARY_PATH:-}
  local compat
  compat=$(compat_folder)
  case ${2:-} in
    classic)
      [[ -n $compat ]] &&
        library_path=$(tr ':' '\n' <<< "$library_path" | grep -vxF "$compat" | paste -sd: -)
      ;;
    compat)
      [[ -n $compat ]] || fail "sdl12-compat is not installed"
      library_path="$compat${library_path:+:$library_path}"
      ;;
  esac
  # The game's window needs the X server: no dummy video driver from the test run, but
  # no sound card either.
  env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy OSTREL_TRAINS_HOME="$HOME_DIR" \
    LD_LIBRARY_PATH="$library_path" "$GAME" ${GAME_ARGS[@]+"${GAME_ARGS[@]}"} \
    > "$RUN/game-$1.out" 2> "$RUN/game-$1.err" &
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
window_shown() { [[ -n $(xdotool search --name '^Ostrel Trains$' 2> /dev/null) ]]; }
