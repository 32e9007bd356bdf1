#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A first session, from a start without a settings file: colours chosen in the Full Palette
# window, a pencil stroke, a Shift-line, a polyline and a rectangle in PIX and RGB modes,
# undo and redo with Ctrl+Z, a save through the File menu and the save dialog; then a second
# session opened on that file saves it again, through Ctrl+S, to a file equal byte for byte.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

./tilesmith &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window"
find_layout "$MAIN"
palette_corner

# The Full Palette window from its toolbar key; its title bar shows when it is there.
tool_key KEY_Palette
wait_for_pixel "$MAIN" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "the Full Palette did not show"
# paper0 1 (blue), ink0 11 (yellow), paper1 3 (red), ink1 13 (white), all normal; PIX
# paints combination 3, ink0 + ink1.
strip_click 0 1
strip_click 1 11
strip_click 2 3
strip_click 3 13
palette_swatch 3
# Combination 3 is yellow mixed with white: CA CA 73.
# shellcheck disable=SC2046
wait_for_pixel "$MAIN" $(swatch_point 3) caca73 || fail "swatch 3 shows $(swatch_colour "$MAIN" 3)"

# 1. A pencil stroke along row 20 from x 8 to x 40, PIX and RGB on. Small pauses keep the
# moves from being merged into one.
read -r x y < <(at 8 20)
xdotool mousemove "$x" "$y" mousedown 1
for px in $(seq 9 40); do
    read -r x y < <(at "$px" 20)
    xdotool mousemove "$x" "$y" sleep 0.01
done
xdotool mouseup 1

# 2. A Shift-line from the end of the stroke to (60, 50), PIX only, combination 2 (ink0
# with paper1: the screen-0 bit set, the screen-1 bit clear).
rgb_key
palette_swatch 2
read -r x y < <(at 60 50)
xdotool keydown shift mousemove "$x" "$y" sleep 0.1 click 1 keyup shift

# 3. A polyline (100,100) - (140,100) - (140,150), RGB only, with ink1 9 (cyan); it ends
# when the pencil is chosen and a key is let go (Esc).
rgb_key
pix_key
strip_click 3 9
tool_key Key_Instrument_Line
click_at 100 100
click_at 140 100
click_at 140 150
tool_key Key_Instrument_Paint
xdotool key Escape

# 4. A rectangle (160,120) - (200,160), PIX and RGB, combination 1 (paper0 with ink1: the
# screen-1 bit set).
pix_key
palette_swatch 1
tool_key Key_Instrument_Rect
click_at 160 120
click_at 200 160

# Undo takes the rectangle away; that picture is saved; a second Ctrl+Z brings it back.
xdotool mousemove $((VIEW_X + 600)) $((VIEW_Y + 700))
xdotool key ctrl+z
# A name typed without its extension is saved with ".mgs" added.
file_item "$FILE_SAVE_MGS"
answer_file_dialog "$work/undone"
wait_for_file undone.mgs 36871 || fail "undone.mgs was not written"
wait_for_window "^tileSmith x0\\.96 - $work/undone\\.mgs\$" >/dev/null ||
    fail "the title does not name undone.mgs"
xdotool mousemove $((VIEW_X + 600)) $((VIEW_Y + 700))
xdotool key ctrl+z
file_item "$FILE_SAVE_MGS"
answer_file_dialog "$work/drawn.mgs"
wait_for_file drawn.mgs 36871 || fail "drawn.mgs was not written"

# ---- What the files hold ----
expect() { # expect WHAT ACTUAL EXPECTED
    [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"
}
for f in undone.mgs drawn.mgs; do
    expect "$f header" "$(od -An -tu1 -N7 "$f" | tr -s ' ')" " 77 71 83 1 8 0 0"
    # The stroke: both bits at its ends; its cells hold the four colours.
    for px in 8 40; do
        expect "$f stroke pixel ($px,20) screen 0" "$(pix "$f" 0 "$px" 20)" 1
    done
    expect "$f stroke pixel (8,20) screen 1" "$(pix "$f" 1 8 20)" 1
    expect "$f stroke cell screen 0" "$(attr "$f" 0 1 16)" "11 1"
    expect "$f stroke cell screen 1" "$(attr "$f" 1 1 16)" "13 3"
    # The Shift-line, Bresenham from (40,20) to (60,50): screen 0 set, screen 1 clear, and
    # no colours written.
    x0=40 y0=20 x1=60 y1=50
    dx=$((x1 - x0)) dy=$((y1 - y0))
    e=$((2 * dx - dy)) lx=$x0 ly=$y0
    for _ in $(seq 0 "$dy"); do
        expect "$f line pixel ($lx,$ly) screen 0" "$(pix "$f" 0 "$lx" "$ly")" 1
        expect "$f line pixel ($lx,$ly) screen 1" "$(pix "$f" 1 "$lx" "$ly")" 0
        last="$lx,$ly"
        if [ "$e" -ge 0 ]; then
            lx=$((lx + 1))
            e=$((e - 2 * dy))
        fi
        ly=$((ly + 1))
        e=$((e + 2 * dx))
    done
    expect "$f line end" "$last" "60,50"
    expect "$f line cell" "$(attr "$f" 0 7 48) $(attr "$f" 1 7 48)" "0 0 0 0"
    # The polyline: colours in the cells of both segments, no pixels.
    for cell in "12 96" "17 96" "17 120" "17 144"; do
        read -r c r <<<"$cell"
        expect "$f polyline cell $c,$r screen 0" "$(attr "$f" 0 "$c" "$r")" "11 1"
        expect "$f polyline cell $c,$r screen 1" "$(attr "$f" 1 "$c" "$r")" "9 3"
    done
    expect "$f polyline pixels" "$(pix "$f" 0 100 100)$(pix "$f" 1 100 100)" 00
    expect "$f polyline pixels" "$(pix "$f" 0 140 150)$(pix "$f" 1 140 150)" 00
done
# The rectangle exists in drawn.mgs only.
for corner in "160 120" "200 120" "160 160" "200 160" "180 120" "160 140"; do
    read -r rx ry <<<"$corner"
    expect "rectangle pixel ($rx,$ry)" "$(pix drawn.mgs 0 "$rx" "$ry")$(pix drawn.mgs 1 "$rx" "$ry")" 01
    expect "undone rectangle pixel ($rx,$ry)" \
        "$(pix undone.mgs 0 "$rx" "$ry")$(pix undone.mgs 1 "$rx" "$ry")" 00
done
expect "rectangle cell" "$(attr drawn.mgs 0 22 120) $(attr drawn.mgs 1 22 120)" "11 1 9 3"
expect "undone rectangle cell" "$(attr undone.mgs 0 22 120) $(attr undone.mgs 1 22 120)" "0 0 0 0"
# Nothing but these: the inside of the rectangle and a far corner stay empty.
expect "inside of the rectangle" "$(pix drawn.mgs 1 180 140)$(attr drawn.mgs 1 22 136)" "00 0"
expect "far corner" "$(pix drawn.mgs 0 255 191)$(attr drawn.mgs 0 31 184)" "00 0"
{
    printf 'MGS\001\010\000\000'
    head -c 36864 /dev/zero
} >empty.mgs
! cmp -s empty.mgs drawn.mgs || fail "drawn.mgs is an empty picture"

# The picture was saved: closing asks nothing.
"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the first session exited with status $status"

# ---- A second session on the saved file ----
./tilesmith "$work/drawn.mgs" &
pid=$!
MAIN=$(wait_for_window "^tileSmith x0\\.96 - $work/drawn\\.mgs\$") ||
    fail "the second session does not name drawn.mgs"
find_layout "$MAIN"
# The view shows what was drawn: the stroke (ink0 + ink1, 11 with 13), the polyline's cells
# (paper0 + paper1, 1 with 3) and the rectangle (paper0 + ink1, 1 with 9).
for point in "8 20 caca73" "100 100 730073" "140 150 730073" "180 120 0073ca"; do
    read -r px py colour <<<"$point"
    # shellcheck disable=SC2046
    [ "$(pixel "$MAIN" $(at "$px" "$py"))" = "$colour" ] ||
        fail "the reopened view shows $(pixel "$MAIN" $(at "$px" "$py")) at ($px,$py), not $colour"
done
xdotool mousemove $((VIEW_X + 600)) $((VIEW_Y + 700))
xdotool key ctrl+s
answer_file_dialog "$work/again.mgs"
wait_for_file again.mgs 36871 || fail "again.mgs was not written"
cmp drawn.mgs again.mgs || fail "the picture changed between the sessions"
"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the second session exited with status $status"
# Only the dialogs' folder is remembered by itself; the window positions stay as they were.
grep -qx "folder=$work" tilesmith.ini || fail "the dialogs' folder was not remembered"
grep -qx 'palette_x=3' tilesmith.ini || fail "window positions were written without being asked for"
echo "ok: drew with four tools in PIX and RGB, undid and redid, saved, reopened and saved equal"
