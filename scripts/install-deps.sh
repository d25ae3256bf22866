#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the game, its asset generator, its tests and the fuzzing
# (clang with libFuzzer, scripts/fuzz.sh) need.
# Safe to run again; uses sudo only when not already root.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev libsdl1.2-compat
  libx11-dev x11-utils
  libcairo2-dev libjpeg-dev libgif-dev fonts-dejavu-core
  timgm6mb-soundfont freepats
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick
  dpkg-dev file desktop-file-utils appstream lintian
  clang libclang-rt-14-dev clang-format
)
export DEBIAN_FRONTEND=noninteractive
if ! dpkg -s "${PACKAGES[@]}" >/dev/null 2>&1; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}"
fi
