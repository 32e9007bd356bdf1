#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Window positions survive a restart: "Save windows positions" writes tilesmith.ini beside
# the executable; the Full Palette and Border Palette windows are dragged by their title
# bars and the picture window is freed with its maximise box and dragged; the file saved
# then holds the moved places; a new start puts the windows there, and saving again
# writes the same file.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

# save_positions OUT: File > "Save windows positions" (above Quit), then a copy of the
# settings file. The old file is removed first, so that only a new one can pass.
save_positions() {
    rm -f tilesmith.ini
    file_menu Up Up Return
    for _ in $(seq 100); do
        grep -q '^colorcorrector_y=' tilesmith.ini 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^colorcorrector_y=' tilesmith.ini 2>/dev/null ||
        fail "Save windows positions wrote no settings file"
    cp tilesmith.ini "$1"
}
# value FILE KEY: the key's value in the section "positions".
value() {
    sed -n '/^\[positions\]/,/^\[/p' "$1" | sed -n "s/^$2=//p"
}
expect_value() { # expect_value FILE KEY VALUE
    local actual
    actual=$(value "$1" "$2")
    [ "$actual" = "$3" ] || fail "$1: $2 is '$actual', expected '$3'"
}

./tilesmith &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window"
find_top "$MAIN"
read -r width height < <(xdotool getwindowgeometry "$MAIN" |
    sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')

# Windows by their places in the work area: (left, top) of the window, whose title bar
# lies inside a 2-pixel frame and is 17 pixels high.
title_at() { echo "$(($1 + 2 + $3)) $((TOP + $2 + 2 + 8))"; }
is_title() { # is_title LEFT TOP [INTO]: the title bar's colour shows INTO (10) pixels in
    wait_for_pixel "$MAIN" $(($1 + 2 + ${3:-10})) $((TOP + $2 + 2 + 8)) a6caf0 5
}

tool_key KEY_Palette
tool_key KEY_BorderPalette
# shellcheck disable=SC2046
wait_for_pixel "$MAIN" $(title_at 345 43 10) a6caf0 || fail "the Border Palette did not show"
save_positions first.ini
# The maximised picture window saves the bounds it has: the work area between the toolbar
# (41) and the status bar (22).
for kv in picture_x=0 picture_y=41 picture_width="$width" \
    picture_height=$((height - TOP - 41 - 22)) picture_align=0 palette_x=3 palette_y=43 borderpal_x=345 borderpal_y=43 \
    preview_x=3 preview_y=43 zoompreview_x=495 zoompreview_y=43 colorcorrector_x=3 \
    colorcorrector_y=43; do
    expect_value first.ini "${kv%%=*}" "${kv#*=}"
done

# The Full Palette by (-120, +200), partly out of the main window on the left; the Border
# Palette by (+400, +300).
# shellcheck disable=SC2046
drag $(title_at 3 43 160) -120 200
# shellcheck disable=SC2046
drag $(title_at 345 43 30) 400 300
is_title -117 243 130 || fail "the Full Palette is not at (-117, 243) after the drag"
wait_for_pixel "$MAIN" 1 $((TOP + 243 + 2 + 8)) a6caf0 5 ||
    fail "the Full Palette's title bar does not reach the main window's left edge"
is_title 745 343 || fail "the Border Palette is not at (745, 343) after the drag"
# The maximise box Image6 at the right end of the picture window's title bar frees the
# window at 2, 42, 640 x 480; then its title bar by (+300, +100).
xdotool mousemove $((width - 12)) $((TOP + 41 + 2 + 8)) click 1
wait_for_pixel "$MAIN" $((2 + 2 + 10)) $((TOP + 42 + 2 + 8)) a6caf0 ||
    fail "the picture window was not freed"
# shellcheck disable=SC2046
drag $(title_at 2 42 100) 300 100
is_title 302 142 || fail "the picture window is not at (302, 142) after the drag"
# Its bottom-right corner (the last 6 pixels of both edges resize it) by (+100, +50).
drag $((302 + 640 - 3)) $((TOP + 142 + 480 - 3)) 100 50
save_positions moved.ini
for kv in picture_x=302 picture_y=142 picture_width=740 picture_height=530 picture_align=1 \
    palette_x=-117 palette_y=243 borderpal_x=745 borderpal_y=343 preview_x=3 preview_y=43 \
    zoompreview_x=495 zoompreview_y=43 colorcorrector_x=3 colorcorrector_y=43; do
    expect_value moved.ini "${kv%%=*}" "${kv#*=}"
done

"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the first session exited with status $status"

# ---- A new start reads the file ----
./tilesmith &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window after the restart"
find_top "$MAIN"
# The picture window is free where it was left; the palettes show where they were left.
wait_for_pixel "$MAIN" $((302 + 2 + 10)) $((TOP + 142 + 2 + 8)) a6caf0 ||
    fail "the picture window is not at (302, 142) after the restart"
wait_for_pixel_not "$MAIN" $((width / 2 + 400)) $((TOP + 41 + 2 + 8)) a6caf0 5 ||
    fail "the picture window is maximised after the restart"
tool_key KEY_Palette
tool_key KEY_BorderPalette
# shellcheck disable=SC2046
wait_for_pixel "$MAIN" $(title_at 745 343 10) a6caf0 ||
    fail "the Border Palette is not at (745, 343) after the restart"
is_title -117 243 130 || fail "the Full Palette is not at (-117, 243) after the restart"
save_positions again.ini
cmp moved.ini again.ini || fail "positions saved after the restart differ from those before"

"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the second session exited with status $status"
echo "ok: dragged windows saved their places, came back there, and saved the same file"
