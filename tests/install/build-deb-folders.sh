#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/build-deb.sh finds the package it made in any build folder: the default one, one
# named relative to the checkout and one named by an absolute path. The script runs from
# a copy in a checkout of its own, with stand-ins for cmake, cpack and dpkg-buildflags
# that make the folder and an empty package, so nothing is built.
#
# Usage: build-deb-folders.sh SCRIPT
set -u -o pipefail

SCRIPT=${1:?usage: $0 SCRIPT}
WORK=$(mktemp -d) || exit 1
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/checkout/scripts" "$WORK/bin"
cp "$SCRIPT" "$WORK/checkout/scripts/build-deb.sh" || exit 1
cat > "$WORK/bin/cmake" << 'END'
#!/usr/bin/env bash
# -S . -B FOLDER makes the folder; --build does nothing.
[[ $1 == -S ]] && mkdir -p "$4"
exit 0
END
cat > "$WORK/bin/cpack" << 'END'
#!/usr/bin/env bash
: > ostrel-trains_1.0_amd64.deb
END
cat > "$WORK/bin/dpkg-buildflags" << 'END'
#!/usr/bin/env bash
echo 'export CPPFLAGS="" CFLAGS="" CXXFLAGS="" LDFLAGS=""'
END
chmod +x "$WORK/bin"/*

status=0
# made NAME FOLDER [OT_DEB_BUILD]: the script succeeds and names FOLDER's package.
made() {
  local out
  out=$(cd "$WORK" && env -u OT_DEB_BUILD ${3+OT_DEB_BUILD="$3"} PATH="$WORK/bin:$PATH" \
    bash checkout/scripts/build-deb.sh 2> "$WORK/$1.err")
  local code=$?
  local want="$2/ostrel-trains_1.0_amd64.deb"
  if ((code != 0)) || [[ $(tail -n 1 <<< "$out") != "$want" || ! -f $want ]]; then
    echo "FAILED: $1: status $code, named '$out', wanted '$want'; $(cat "$WORK/$1.err")" >&2
    status=1
  else
    echo "$1: $want"
  fi
}
made default "$WORK/checkout/build-deb"
made relative "$WORK/checkout/out/deb" out/deb
made absolute "$WORK/elsewhere" "$WORK/elsewhere"
exit "$status"
