#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Window positions survive a restart: "Save windows positions" writes tilesmith.ini beside
# the executable; the Full Palette and Border Palette windows are dragged by their title
# bars, the picture window is freed with its maximise box, dragged and resized; the file
# then holds the moved places, a new start puts the windows there, and saving again writes
# the same file.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

# save_positions OUT: File > "Save windows positions", then a copy of the settings file.
# The old file is removed first, so that only a new one can pass.
save_positions() {
    rm -f tilesmith.ini
    menu "$MAIN" File "Save windows positions"
    poll 10 grep -q '^colorcorrector_y=' tilesmith.ini 2>/dev/null || fail "no settings file written"
    cp tilesmith.ini "$1"
}
# expect_values FILE KEY=VALUE...: the keys' values in the section "positions".
expect_values() {
    local file=$1 kv
    shift
    for kv in "$@"; do
        expect "$file: ${kv%%=*}" "$(sed -n '/^\[positions\]/,/^\[/p' "$file" | sed -n "s/^${kv%%=*}=//p")" "${kv#*=}"
    done
}
# A window's title bar (inside a 2-pixel frame, 17 high) at (LEFT, TOP) of the work area,
# INTO pixels from its left: title_at LEFT TOP INTO; is_title LEFT TOP [INTO] waits for it.
title_at() { echo "$(($1 + 2 + $3)) $((TOP + $2 + 10))"; }
# shellcheck disable=SC2046
is_title() { wait_for_pixel "$MAIN" $(title_at "$1" "$2" "${3:-10}") a6caf0 5; }

start # no file
find_top "$MAIN"
read -r width height < <(xdotool getwindowgeometry "$MAIN" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
tool_key KEY_Palette
tool_key KEY_BorderPalette
is_title 345 43 || fail "the Border Palette did not show"
# The maximised picture window saves the work area between the toolbar (41) and the status
# bar (22).
save_positions first.ini
expect_values first.ini picture_x=0 picture_y=41 picture_width="$width" \
    picture_height=$((height - TOP - 41 - 22)) picture_align=0 palette_x=3 palette_y=43 \
    borderpal_x=345 borderpal_y=43 zoompreview_x=495 colorcorrector_y=43

# The Full Palette by (-120, +200), partly out of the main window on the left; the Border
# Palette by (+400, +300).
# shellcheck disable=SC2046
drag $(title_at 3 43 160) -120 200
# shellcheck disable=SC2046
drag $(title_at 345 43 30) 400 300
is_title -117 243 130 || fail "the Full Palette is not at (-117, 243) after the drag"
is_title 745 343 || fail "the Border Palette is not at (745, 343) after the drag"
# The maximise box at the right end of the picture window's title bar frees it at 2, 42,
# 640 x 480; then its title bar by (+300, +100) and its bottom-right corner by (+100, +50).
xdotool mousemove $((width - 12)) $((TOP + 51)) click 1
is_title 2 42 || fail "the picture window was not freed"
# shellcheck disable=SC2046
drag $(title_at 2 42 100) 300 100
is_title 302 142 || fail "the picture window is not at (302, 142) after the drag"
drag $((302 + 640 - 3)) $((TOP + 142 + 480 - 3)) 100 50
save_positions moved.ini
expect_values moved.ini picture_x=302 picture_y=142 picture_width=740 picture_height=530 \
    picture_align=1 palette_x=-117 palette_y=243 borderpal_x=745 borderpal_y=343
close_window "$MAIN" "$pid"

# A new start puts the windows where they were left, and saves the same file.
start
find_top "$MAIN"
is_title 302 142 || fail "the picture window is not at (302, 142) after the restart"
wait_for_pixel ! "$MAIN" $((width / 2 + 400)) $((TOP + 51)) a6caf0 5 || fail "the picture window is maximised"
tool_key KEY_Palette
tool_key KEY_BorderPalette
is_title 745 343 || fail "the Border Palette is not at (745, 343) after the restart"
is_title -117 243 130 || fail "the Full Palette is not at (-117, 243) after the restart"
save_positions again.ini
cmp moved.ini again.ini || fail "positions saved after the restart differ from those before"
close_window "$MAIN" "$pid"
echo "ok: dragged windows saved their places, came back there, and saved the same file"
