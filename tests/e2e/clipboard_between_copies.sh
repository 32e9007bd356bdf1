#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A block copied in one running copy is pasted into another through the X clipboard: copy A
# paints a cell and copies it with Ctrl+C (one cell, no selection), copy B pastes it with
# Ctrl+V at another cell, and each copy's view shows only what it should. Ctrl+Z then takes
# the paste and the paint away again.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

start_two_copies
a=$A
b=$B

# point X Y: the pointer onto picture pixel (X, Y), arriving by a move the view sees.
point() {
    # shellcheck disable=SC2046
    xdotool mousemove $(at "$(($1 + 2))" "$(($2 + 2))")
    sleep 0.1
    # shellcheck disable=SC2046
    xdotool mousemove $(at "$1" "$2")
    sleep 0.2
}
front "$b"
find_layout "$b"
front "$a"
find_layout "$a"
palette_corner

# Picture pixels P and Q, in cells far apart (P in column 7, Q in column 25).
p=(60 50)
q=(200 170)
# shellcheck disable=SC2046
[ "$(pixel "$a" $(at "${p[@]}"))" = 000000 ] || fail "A's picture does not start black"

# In A: paper0 5 and paper1 7; a click of the pencil at P writes them into P's cell (RGB
# mode), and Ctrl+C without a selection copies that one cell.
tool_key KEY_Palette
wait_for_pixel "$a" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "A's Full Palette did not show"
strip_click 0 5
strip_click 2 7
sleep 0.2
tool_key KEY_Palette
point "${p[@]}"
xdotool click 1
# shellcheck disable=SC2046
wait_for_pixel_not "$a" $(at "${p[@]}") 000000 || fail "A's painted cell stayed black"
# shellcheck disable=SC2046
colour=$(pixel "$a" $(at "${p[@]}"))
xdotool key ctrl+c
sleep 0.3

# In B: Ctrl+V with the pointer at Q pastes A's cell there; B's own cell at P stays black,
# and the block covers Q's cell only.
front "$b"
point "${q[@]}"
# shellcheck disable=SC2046
[ "$(pixel "$b" $(at "${q[@]}"))" = 000000 ] || fail "B's picture does not start black"
xdotool key ctrl+v
# shellcheck disable=SC2046
wait_for_pixel "$b" $(at "${q[@]}") "$colour" ||
    fail "B's cell under the pointer shows $(pixel "$b" $(at "${q[@]}")), not $colour"
# shellcheck disable=SC2046
[ "$(pixel "$b" $(at "${p[@]}"))" = 000000 ] || fail "B's cell at P changed"
# shellcheck disable=SC2046
[ "$(pixel "$b" $(at 210 170))" = 000000 ] || fail "the paste spread right of its cell"

# Ctrl+Z takes the paste away in B and the paint in A.
xdotool key ctrl+z
# shellcheck disable=SC2046
wait_for_pixel "$b" $(at "${q[@]}") 000000 || fail "B's undo left the pasted cell"
front "$a"
point "${q[@]}"
# shellcheck disable=SC2046
[ "$(pixel "$a" $(at "${q[@]}"))" = 000000 ] || fail "A's picture changed at Q"
xdotool key ctrl+z
# shellcheck disable=SC2046
wait_for_pixel "$a" $(at "${p[@]}") 000000 || fail "A's undo left the painted cell"

close_discarding "$a" "${pids[0]}" || fail "copy A exited with status $?"
close_discarding "$b" "${pids[1]}" || fail "copy B exited with status $?"
pids=()
echo "ok: a cell copied in one copy was pasted into the other through the clipboard"
