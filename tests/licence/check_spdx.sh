#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, script and build file says its licence in its first line (the second after
# a shebang), so that a file copied out of the project still carries it.
set -euo pipefail
cd "$1"
if ! files=$(git ls-files 2>/dev/null); then # a tarball: every file but the build trees
    files=$(find . -path './build*' -prune -o -path ./.git -prune -o -type f -print | sed 's|^\./||')
fi
missing=0
while read -r f; do
    case $f in
    *.cpp | *.h | *.c | *.sh | *.py | *.cmake | *.in | CMakeLists.txt | */CMakeLists.txt) ;;
    *) [ "$(head -c 2 "$f" | tr -d '\0')" = '#!' ] || continue ;; # scripts without an extension
    esac
    first=$(head -n 1 "$f")
    [ "${first:0:2}" != '#!' ] || first=$(sed -n 2p "$f")
    if [[ $first != *"SPDX-License-Identifier: GPL-3.0-or-later"* ]]; then
        echo "no SPDX line: $f" >&2
        missing=1
    fi
done <<<"$files"
exit $missing
