#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, build and script file of the project names its licence in its first
# lines. Prints the files that do not and fails when there are any.
#
# Usage: licence_lines.sh SOURCE_FOLDER
set -u -o pipefail
cd "${1:?usage: $0 SOURCE_FOLDER}" || exit 1
missing=0
while IFS= read -r -d '' file; do
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no licence line: $file"
    missing=$((missing + 1))
  fi
done < <(find . \( -path './build*' -o -path './.git' \) -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name 'CMakeLists.txt' \
  -o -name '*.sh' -o -path './.ci/run' \) -print0)
((missing == 0)) || { echo "$missing files without a licence line"; exit 1; }
