#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The core library must stay usable without a display: no file under src/core includes a
# widget header, a D-Bus header or anything from src/ui, whichever way it is spelt.
set -euo pipefail
src="$1/src"
widgets=$(ls /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets 2>/dev/null | grep -E '^Q' | sort -u || true)
bad=0
while IFS= read -r -d '' f; do
    while IFS= read -r line; do
        inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
        name=${inc##*/}
        case $inc in
        QtWidgets/* | QtDBus/* | QDBus*) ;;
        ui/* | shell/* | ../*) ;;
        *)
            if [ -e "$src/ui/$inc" ] || grep -qxF "$name" <<<"$widgets"; then :; else continue; fi
            ;;
        esac
        echo "${f#"$1"/}: $line" >&2
        bad=1
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$f")
done < <(find "$src/core" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
[ $bad -eq 0 ] && echo "the core includes no widget, D-Bus or ui header"
exit $bad
