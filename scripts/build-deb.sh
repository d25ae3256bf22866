#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package ostrel-trains_<version>_<arch>.deb from this checkout, in
# its own build folder (Release, no tests, installed under /usr, Debian's hardening
# flags), and prints the package's path as the last line. Build output goes to
# standard error. OT_DEB_BUILD names another build folder (absolute, or relative to the
# checkout), OT_JOBS the parallel jobs, OT_DEB_DATA_FROM a build folder whose data.dat
# and icons the package takes instead of building and running the generators again
# (scripts/test.sh names its test build).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${OT_DEB_BUILD:-build-deb}"
[[ $BUILD == /* ]] || BUILD="$PWD/$BUILD"
JOBS="${OT_JOBS:-$(nproc)}"

# Debian's compiler and linker flags (stack protector, fortified functions, read-only
# relocations, immediate binding). CMake takes them from the environment when it first
# configures a folder; it has no CPPFLAGS, so those go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
eval "$(dpkg-buildflags --export=sh)"
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DOT_BUILD_TESTS=OFF -DOT_SANITIZE=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DOT_DATA_FROM="${OT_DEB_DATA_FROM:-}" >&2
# The package holds the game and its data (the icons are drawn with the data).
cmake --build "$BUILD" --target ostrel-trains data -j"$JOBS" >&2
rm -f "$BUILD"/ostrel-trains_*.deb
(cd "$BUILD" && cpack -G DEB) >&2
deb=("$BUILD"/ostrel-trains_*.deb)
[ -f "${deb[0]}" ] || { echo "build-deb: no package was made" >&2; exit 1; }
echo "${deb[0]}"
