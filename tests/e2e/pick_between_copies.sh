#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Colours picked with a right click in one running copy are drawn with in another: copy A
# paints a cell with colours chosen in its Full Palette window (RGB mode), changes them,
# and picks the cell again with a right click; copy B, which never chose a colour, draws a
# stroke and saves; B's file holds A's colours in the cells of the stroke. Runs under
# dbus-run-session.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"
in_work_folder

start_two_copies
a=$A
b=$B

front "$b"
find_layout "$b"
front "$a"
find_layout "$a"
palette_corner

# In A: paper0 9 (cyan) and ink0 6 (bright magenta), which makes paper0 bright (10);
# paper1 4 (bright red), ink1 12 (bright yellow). PIX paints combination 0.
tool_key KEY_Palette
wait_for_pixel "$a" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "A's Full Palette did not show"
strip_click 0 9
strip_click 1 6
strip_click 2 4
strip_click 3 12
# Swatch 0 mixes 10 with 4, swatch 3 mixes 6 with 12.
# shellcheck disable=SC2046
wait_for_pixel "$a" $(swatch_point 0) 9d9d9d || fail "A's swatch 0 shows $(swatch_colour "$a" 0)"
# shellcheck disable=SC2046
wait_for_pixel "$a" $(swatch_point 3) fe9d9d || fail "A's swatch 3 shows $(swatch_colour "$a" 3)"
# Paint the cell of (200, 100) with them, then choose another paper0 (1, blue, which
# takes ink0 to normal, 5).
click_at 200 100
strip_click 0 1
# shellcheck disable=SC2046
wait_for_pixel "$a" $(swatch_point 3) e69d73 || fail "A's colours did not change"

# B has chosen nothing yet.
front "$b"
# shellcheck disable=SC2046
wait_for_pixel "$b" $(swatch_point 0) 000000 || fail "B does not start with black swatches"

# The pick: a right click on the painted cell in A.
front "$a"
click_at 200 100 3
# shellcheck disable=SC2046
wait_for_pixel "$a" $(swatch_point 3) fe9d9d || fail "A's pick shows $(swatch_colour "$a" 3)"
front "$b"
# shellcheck disable=SC2046
wait_for_pixel "$b" $(swatch_point 0) 9d9d9d || fail "B's swatch 0 shows $(swatch_colour "$b" 0)"
# shellcheck disable=SC2046
wait_for_pixel "$b" $(swatch_point 3) fe9d9d || fail "B's swatch 3 shows $(swatch_colour "$b" 3)"

# In B: a pencil stroke along row 40 from x 16 to x 60 (columns 2 to 7), then Ctrl+S.
read -r x y < <(at 16 40)
xdotool mousemove "$x" "$y" mousedown 1
for px in $(seq 18 2 60); do
    read -r x y < <(at "$px" 40)
    xdotool mousemove "$x" "$y" sleep 0.01
done
xdotool mouseup 1
# The stroke paints combination 0 of A's colours: paper0 10 with paper1 4.
# shellcheck disable=SC2046
wait_for_pixel "$b" $(at 40 40) 9d9d9d || fail "B's view shows no stroke in A's colours"
xdotool key ctrl+s
answer_file_dialog "$work/b.mgs"
wait_for_file b.mgs 36871 || fail "B did not write b.mgs"

for column in 2 7; do
    [ "$(attr b.mgs 0 "$column" 40)" = "6 10" ] ||
        fail "B's cell $column,40 holds '$(attr b.mgs 0 "$column" 40)' on screen 0, not A's '6 10'"
    [ "$(attr b.mgs 1 "$column" 40)" = "12 4" ] ||
        fail "B's cell $column,40 holds '$(attr b.mgs 1 "$column" 40)' on screen 1, not A's '12 4'"
done
# Only the stroke's cells: not the cell after it, nor A's painted cell.
[ "$(attr b.mgs 0 8 40) $(attr b.mgs 1 8 40)" = "0 0 0 0" ] || fail "B painted past its stroke"
[ "$(attr b.mgs 0 25 96) $(attr b.mgs 1 25 96)" = "0 0 0 0" ] || fail "A's cell appears in B"

# A keeps its painted cell unsaved: closing asks, and the test discards it.
status=0
close_discarding "$a" "${pids[0]}" || status=$?
[ "$status" -eq 0 ] || fail "copy A exited with status $status"
"$XCLOSE" "$b" || fail "could not send the close request to B"
status=0
wait_for_exit "${pids[1]}" || status=$?
[ "$status" -eq 0 ] || fail "copy B exited with status $status"
pids=()
echo "ok: a right-click pick in copy A became the colours copy B draws and saves with"
