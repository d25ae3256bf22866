#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the installed game as a player's machine gets it, then runs it headless.
#   check-install.sh --build BUILD --work DIR   installs BUILD with cmake --install into
#                                               DIR/root (prefix /usr) and checks that tree
#   check-install.sh --deb FILE --work DIR      unpacks the package with dpkg-deb -x into
#                                               DIR/root, checks it and runs lintian on it
#   --lsan FILE: leak suppressions for a sanitizer build, when LSAN_OPTIONS is unset
# Checks: every file in its place with its permissions, the level packs, the desktop entry and the
# AppStream data valid, the icons PNG at their sizes, the manual page and changelog
# compressed; then the game started from the tree with a fresh home folder reaches the
# in-game screen, reads its data from the tree, ends cleanly on SIGTERM and leaves its
# settings and log in $XDG_DATA_HOME/ostrel-trains. Exits 77 (skipped) when a tool it
# needs is missing.
set -uo pipefail

MODE="" SOURCE="" WORK=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) MODE=build SOURCE="$2"; shift 2 ;;
    --deb) MODE=deb SOURCE="$2"; shift 2 ;;
    --work) WORK="$2"; shift 2 ;;
    --lsan) [ -z "${LSAN_OPTIONS:-}" ] && export LSAN_OPTIONS="suppressions=$2:print_suppressions=0"
            shift 2 ;;
    *) echo "usage: $0 (--build BUILD | --deb FILE) --work DIR" >&2; exit 2 ;;
  esac
done
[ -n "$MODE" ] && [ -n "$WORK" ] || { echo "usage: $0 (--build BUILD | --deb FILE) --work DIR" >&2; exit 2; }

TOOLS=(desktop-file-validate appstreamcli file gzip)
[ "$MODE" = deb ] && TOOLS+=(dpkg-deb lintian)
for tool in "${TOOLS[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

PASSED=0 FAILED=0
pass() { PASSED=$((PASSED + 1)); echo "ok: $*"; }
fail() { FAILED=$((FAILED + 1)); echo "FAILED: $*"; }
check() {  # check "what" command...: passes when the command succeeds
  local what="$1"; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
  echo "install: $PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
  exit $?
}

# Waits until the command succeeds, looking every half second, for at most the
# given number of seconds.
wait_for() {
  local seconds="$1"; shift
  local tries=$((seconds * 2))
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.5
    tries=$((tries - 1))
  done
  return 1
}

rm -rf "$WORK" && mkdir -p "$WORK" || exit 1
WORK="$(cd "$WORK" && pwd)"
ROOT="$WORK/root"
if [ "$MODE" = build ]; then
  if ! DESTDIR="$ROOT" cmake --install "$SOURCE" --prefix /usr >"$WORK/install.log" 2>&1; then
    cat "$WORK/install.log"; fail "cmake --install"; finish
  fi
  pass "cmake --install into $ROOT"
else
  if ! dpkg-deb -x "$SOURCE" "$ROOT"; then fail "dpkg-deb -x $SOURCE"; finish; fi
  pass "dpkg-deb -x into $ROOT"
fi

# --- The files.
EXE="$ROOT/usr/games/ostrel-trains"
DATA="$ROOT/usr/share/games/ostrel-trains"
DESKTOP="$ROOT/usr/share/applications/ostrel-trains.desktop"
METAINFO=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
MAN="$ROOT/usr/share/man/man6/ostrel-trains.6.gz"
DOC="$ROOT/usr/share/doc/ostrel-trains"
check "the program is an executable in usr/games" test -x "$EXE"
check "data.dat is in usr/share/games/ostrel-trains" test -s "$DATA/data.dat"
levels_ok() {  # every pack folder holds its index and the levels it lists
  local index level count=0
  for index in "$DATA"/levels/*/pack.index; do
    [ -f "$index" ] || { echo "no pack.index below $DATA/levels"; return 1; }
    count=$((count + 1))
    for level in $(sed -n 's/^level[[:space:]]\+\([^[:space:]#]*\).*/\1/p' "$index"); do
      [ -s "$(dirname "$index")/$level.level" ] || { echo "$index lists $level, not installed"; return 1; }
    done
  done
  echo "$count level packs"
}
check "the level packs are in usr/share/games/ostrel-trains/levels" levels_ok

modes_ok() {  # the program 0755, every other file 0644, every folder 0755
  local bad
  bad="$(find "$ROOT/usr" \( -type d ! -perm 0755 \) -o \
         \( -type f ! -path "$EXE" ! -perm 0644 \) -o \( -path "$EXE" ! -perm 0755 \))"
  [ -z "$bad" ] || { echo "wrong modes:"; echo "$bad"; return 1; }
}
check "modes: program 0755, files 0644, folders 0755" modes_ok

icons_ok() {
  local size description
  for size in 16 32 48 64 128 256; do
    description="$(file -b "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/ostrel-trains.png")"
    case "$description" in
      "PNG image data, $size x $size, 8-bit/color RGBA"*) ;;
      *) echo "icon ${size}x${size}: $description"; return 1 ;;
    esac
  done
}
check "icons: RGBA PNG at 16, 32, 48, 64, 128 and 256 pixels" icons_ok
check "desktop entry valid" desktop-file-validate "$DESKTOP"
check "desktop entry names the icon" grep -qx "Icon=ostrel-trains" "$DESKTOP"
check "one AppStream file" test "${#METAINFO[@]}" -eq 1 -a -f "${METAINFO[0]}"
check "AppStream data valid" appstreamcli validate --no-net "${METAINFO[0]}"
check "manual page compressed" gzip -t "$MAN"
man_options_ok() {  # every option of the program named in the manual page
  local page option
  page="$(gzip -dc "$MAN" | tr -d '\\')"
  for option in help version windowed fullscreen player seed data-dir home; do
    grep -q -- "--$option" <<<"$page" || { echo "the manual page lacks --$option"; return 1; }
  done
}
check "manual page lists every option" man_options_ok
check "copyright in Debian's format" grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$DOC/copyright"
check "changelog compressed" gzip -t "$DOC/changelog.gz"

if [ "$MODE" = deb ]; then
  check "program stripped" bash -c 'file -b "$1" | grep -q ", stripped"' _ "$EXE"
  fields_ok() {
    local control
    control="$(dpkg-deb -f "$SOURCE")"
    grep -qx "Section: games" <<<"$control" && grep -qx "Priority: optional" <<<"$control" &&
      grep -q "^Depends: .*libsdl1.2" <<<"$control" && grep -q "^Maintainer: ." <<<"$control"
  }
  check "control: section games, priority optional, maintainer, library dependencies" fields_ok
  lintian_ok() {
    lintian --fail-on error "$SOURCE" 2>&1 |
      tee "$WORK/lintian.txt" | sed 's/^/  lintian: /'
  }
  check "lintian reports no errors" lintian_ok
fi

# --- The installed game, started with a fresh home, ended by SIGTERM.
RUN="$WORK/run"
mkdir -p "$RUN/home" "$RUN/xdg"
PLAYER="$RUN/xdg/ostrel-trains"
env -u OSTREL_TRAINS_HOME -u OSTREL_TRAINS_DATA HOME="$RUN/home" XDG_DATA_HOME="$RUN/xdg" \
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$EXE" >"$RUN/stdout" 2>"$RUN/stderr" &
GAME=$!
in_game() { grep -q "In-game screen shown" "$PLAYER/stderr.txt" 2>/dev/null; }
gone() { ! kill -0 "$GAME" 2>/dev/null; }
started_or_ended() { in_game || gone; }
wait_for 120 started_or_ended
check "the game reached the in-game screen" in_game
kill -TERM "$GAME" 2>/dev/null
if wait_for 120 gone; then
  wait "$GAME"
  STATUS=$?
  check "the game ended with status 0 on SIGTERM (was $STATUS)" test "$STATUS" -eq 0
else
  fail "the game was still running 120 s after SIGTERM"
  kill -KILL "$GAME" 2>/dev/null
fi
check "the log names the installed data folder" grep -qF "$DATA" "$PLAYER/stderr.txt"
check "settings written to save/globals.sav" test -s "$PLAYER/save/globals.sav"
check "nothing written into the installed tree" test ! -e "$ROOT/usr/games/save" -a ! -e "$DATA/save"
if [ "$FAILED" -gt 0 ]; then
  for f in "$RUN/stdout" "$RUN/stderr" "$PLAYER/stderr.txt"; do
    [ -f "$f" ] && { echo "--- $f"; tail -n 30 "$f"; }
  done
fi
finish
