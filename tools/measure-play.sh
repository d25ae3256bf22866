#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game as a player runs it, on a virtual X display: the time from exec to
# the first intro frame and to the in-game screen (from the game's own log), the CPU
# use of the game process while a level runs, and its peak resident memory. It builds
# nothing and changes nothing outside a temp folder it removes at the end.
#
# Usage: tools/measure-play.sh [-d SECONDS] [-c] [-s WxH] [-w] [EXECUTABLE | BUILD_FOLDER]
#   -d SECONDS  how long the running level is measured (default 60)
#   -c          runs on sdl12-compat instead of the classic SDL 1.2 library
#   -s WxH      the size of the virtual desktop (default 800x600)
#   -w          runs the game in a window (--windowed) instead of full screen
#   EXECUTABLE or BUILD_FOLDER: the game to run (default build-rel/ostrel-trains); its
#   data.dat is read from beside it as usual.
# Needs Xvfb, xdotool and ImageMagick's import. Prints "name: value" lines.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
duration=60
compat=0
desktop=800x600
windowed=0

usage() {
  sed -n '7,14p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}
die() {
  echo "measure-play: $*" >&2
  exit 1
}

while getopts "d:cs:wh" opt; do
  case "$opt" in
    d) duration="$OPTARG" ;;
    s) desktop="$OPTARG" ;;
    w) windowed=1 ;;
    c) compat=1 ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
(($# <= 1)) || usage
if ! [[ "$duration" =~ ^[0-9]+$ ]] || ((duration == 0)); then
  die "the duration must be a whole number of seconds"
fi
[[ "$desktop" =~ ^[0-9]+x[0-9]+$ ]] || die "the desktop size must look like 1024x768"


target="${1:-$repo/build-rel}"
if [[ -d "$target" ]]; then exe="$target/ostrel-trains"; else exe="$target"; fi
[[ -x "$exe" ]] || die "no executable game at $exe"
exe="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
for tool in Xvfb xdotool import getconf; do
  command -v "$tool" >/dev/null || die "$tool is needed"
done

if ((compat)); then
  lib="$(dpkg -L libsdl1.2-compat 2>/dev/null | grep '/libSDL-1.2.so.0$' | head -n 1 || true)"
  [[ -n "$lib" ]] || die "sdl12-compat (package libsdl1.2-compat) is not installed"
  LD_LIBRARY_PATH="$(dirname "$lib")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
  export LD_LIBRARY_PATH
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/measure-play.XXXXXX")"
home="$work/home"
mkdir "$home"
xvfb_pid=""
game_pid=""

# Stops what this script started, by its process id, and removes the temp folder.
cleanup() {
  if [[ -n "$game_pid" ]] && kill -0 "$game_pid" 2>/dev/null; then
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  if [[ -n "$xvfb_pid" ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now_ns() { date +%s%N; }

# Runs the command every 0.1 s until it succeeds; false once SECONDS have passed.
poll() {
  local seconds="$1"
  shift
  local deadline=$(($(now_ns) + seconds * 1000000000))
  until "$@"; do
    (($(now_ns) < deadline)) || return 1
    sleep 0.1
  done
}

game_alive() { kill -0 "$game_pid" 2>/dev/null; }
game_gone() { ! game_alive; }
log_has() {
  game_alive || die "the game ended early; its log: $(tail -n 5 "$home/stderr.txt" 2>/dev/null)"
  grep -q "$1" "$home/stderr.txt" 2>/dev/null
}
# The number in the game's log line "<what> shown N ms after start."
shown_ms() { sed -n "s/^$1 shown \([0-9-]*\) ms after start\.$/\1/p" "$home/stderr.txt" | head -n 1; }

screen_sum() { import -display "$display" -silent -window root rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }
# True when the picture changes twice in a row (0.3 s apart at least): the level runs.
# A paused game or the help page over it stands still.
picture_moves() {
  local a b c
  a="$(screen_sum)"
  sleep 0.3
  b="$(screen_sum)"
  sleep 0.3
  c="$(screen_sum)"
  [[ "$a" != "$b" && "$b" != "$c" ]]
}

# utime + stime of a process or thread, in clock ticks (fields 14 and 15 of stat; the
# command name in field 2 may hold blanks, so the fields are counted after it).
cpu_ticks() {
  local stat rest
  stat="$(cat "$1" 2>/dev/null)" || return 1
  rest="${stat##*) }"
  local -a f
  read -ra f <<<"$rest"
  echo $((f[11] + f[12]))
}

# The virtual display; Xvfb writes its number once it accepts clients. Without
# -noreset it resets whenever its last client leaves, and SDL 1.2, which opens the
# display once to probe it and again to use it, then often finds no display at all.
Xvfb -displayfd 3 -screen 0 ${desktop}x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
poll 15 test -s "$work/display" || die "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
display=":$(head -n 1 "$work/display")"

# The game, in a fresh working folder, with the real X11 video driver and silent audio.
(
  cd "$home"
  unset SDL_VIDEODRIVER
  export DISPLAY="$display" OSTREL_TRAINS_HOME="$home" SDL_AUDIODRIVER=dummy
  if ((windowed)); then exec "$exe" --windowed; else exec "$exe"; fi
) >"$work/console.txt" 2>&1 &
game_pid=$!

poll 30 log_has "^Intro shown " || die "no intro frame within 30 s"
poll 60 log_has "^In-game screen shown " || die "no in-game screen within 60 s"
intro_ms="$(shown_ms Intro)"
video_driver="$(sed -n 's/^Name of the video driver: //p' "$home/stderr.txt" | tail -n 1)"
[[ "$video_driver" == x11 ]] || die "the game runs on the video driver '$video_driver', not x11"
ingame_ms="$(shown_ms "In-game screen")"

# A point of the 800 x 600 picture on the desktop. A window is centred at the first
# start, and so is classic SDL's full screen on a larger desktop; sdl12-compat's full
# screen scales the picture to fit.
desktop_point() {
  awk -v x="$1" -v y="$2" -v w="${desktop%x*}" -v h="${desktop#*x}" \
    -v scaled="$((compat && !windowed))" 'BEGIN {
    s = 1
    if (scaled) { s = w / 800; if (h / 600 < s) s = h / 600 }
    printf "%d %d", (w - 800 * s) / 2 + x * s, (h - 600 * s) / 2 + y * s }'
}

# At the first start the help page stands over the paused game: its OK button closes
# it. The window takes the keyboard focus first (an inactive window pauses the game).
window="$(DISPLAY="$display" xdotool search --name '^Ostrel Trains$' 2>/dev/null | head -n 1 || true)"
start_level() {
  game_alive || die "the game ended early"
  if [[ -n "$window" ]]; then DISPLAY="$display" xdotool windowfocus "$window" 2>/dev/null || true; fi
  DISPLAY="$display" xdotool mousemove $(desktop_point 673 575) click 1
  picture_moves
}
poll 30 start_level || die "the level does not run after closing the help page"

# CPU over the measurement window: the whole process, its main thread (the game loop)
# and each of its other threads (the audio library's, a GL driver's).
thread_ticks() {
  local task
  for task in /proc/"$game_pid"/task/*; do
    echo "${task##*/} $(cpu_ticks "$task/stat" || echo 0) $(tr ' ' '_' <"$task/comm" 2>/dev/null || echo '?')"
  done
}
start_ticks="$(cpu_ticks "/proc/$game_pid/stat")"
start_threads="$(thread_ticks)"
start_ns="$(now_ns)"
sleep "$duration"
end_ticks="$(cpu_ticks "/proc/$game_pid/stat")"
end_threads="$(thread_ticks)"
end_ns="$(now_ns)"
# "tid ticks name" lines of both samples give each thread's share, the largest first.
thread_shares="$(awk -v hz="$(getconf CLK_TCK)" -v ns=$((end_ns - start_ns)) -v main="$game_pid" '
  FNR == NR { before[$1] = $2; next }
  { name = ($1 == main) ? "main" : $3
    printf "%.2f %s\n", 100 * ($2 - before[$1]) / hz / (ns / 1e9), name }' \
  <(echo "$start_threads") <(echo "$end_threads") | sort -rn)"
main_share="$(awk '$2 == "main" { print $1 }' <<<"$thread_shares")"
others="$(awk '$2 != "main" && $1 > 0 { printf "%s%s %s", sep, $2, $1; sep = ", " }' <<<"$thread_shares")"
peak_kb="$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB$/\1/p' "/proc/$game_pid/status")"
sdl_library="$(grep -o '/[^ ]*libSDL-1\.2\.so[^ ]*' "/proc/$game_pid/maps" | head -n 1 || true)"
hz="$(getconf CLK_TCK)"
running_at_end=no
if picture_moves; then running_at_end=yes; fi

# Ends the game as the window's close does (it takes SIGTERM as a close request).
kill -TERM "$game_pid"
poll 20 game_gone || kill -KILL "$game_pid" 2>/dev/null || true
status=0
wait "$game_pid" || status=$?
game_pid=""

percent() { awk -v t="$1" -v hz="$hz" -v ns="$2" 'BEGIN { printf "%.2f", 100 * t / hz / (ns / 1e9) }'; }
wall_ns=$((end_ns - start_ns))
total_ticks=$((end_ticks - start_ticks))
bits="$(sed -n 's/^BitsPerPixel  *//p' "$home/stderr.txt" | tail -n 1)"

echo "executable: $exe"
echo "sdl_library: ${sdl_library:-unknown}"
echo "video_driver: $video_driver"
echo "display_bits_per_pixel: ${bits:-unknown}"
echo "intro_shown_ms: $intro_ms"
echo "in_game_screen_shown_ms: $ingame_ms"
echo "measured_seconds: $(awk -v ns="$wall_ns" 'BEGIN { printf "%.1f", ns / 1e9 }')"
echo "cpu_percent_of_one_core: $(percent "$total_ticks" "$wall_ns")"
echo "cpu_main_thread_percent: ${main_share:-0}"
echo "cpu_other_threads_percent: ${others:-none}"
echo "peak_rss_kb: $peak_kb"
echo "peak_rss_mb: $(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }')"
echo "level_running_at_end: $running_at_end"
echo "exit_status: $status"
