#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ source and header of the project with clang-format (the style is in
# .clang-format at the top of the checkout). With --check it changes nothing and fails,
# naming the files, when any of them differs from the style.
#
# Usage: scripts/format.sh [--check] [SOURCE_FOLDER]
set -euo pipefail
CHECK=0
if [[ ${1:-} == --check ]]; then
  CHECK=1
  shift
fi
cd "${1:-$(dirname "$0")/..}"
FORMAT="$(command -v clang-format-14 || command -v clang-format || true)"
[[ -n $FORMAT ]] || { echo "clang-format is not installed (scripts/install-deps.sh installs it)" >&2; exit 2; }

mapfile -d '' files < <(find platform engine sprites railway game screens app tools tests \
  -type f \( -name '*.cpp' -o -name '*.h' \) -not -path '*/regressions/*' -print0 | sort -z)
if ((CHECK == 0)); then
  "$FORMAT" -i "${files[@]}"
  exit 0
fi
# clang-format names each differing place as "FILE:LINE:COLUMN: error: code should be
# clang-formatted".
if ! report="$("$FORMAT" --dry-run --Werror "${files[@]}" 2>&1)"; then
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<< "$report" | cut -d: -f1 | sort -u |
    sed 's/^/not formatted: /'
  echo "files differ from .clang-format: run scripts/format.sh"
  exit 1
fi
echo "all ${#files[@]} files formatted"
