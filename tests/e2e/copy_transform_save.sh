#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A block selected in one running copy, copied, pasted into a second copy, flipped and
# turned there, and saved: copy A opens a picture with a 2 x 2-cell block (one pixel at its
# top-left corner, a different ink in each cell), selects the block with the Select tool
# and copies it with Ctrl+C; copy B pastes it with Ctrl+V at another cell, selects it,
# flips it with Shift+Left, turns it with "Rotate 90° cw" from the Edit menu and saves it
# with Ctrl+S. The saved file has the pixel and the cells' attributes where the flip and
# the turn put them.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

# poke FILE OFFSET VALUE: one byte of a file.
poke() { printf "\\$(printf %03o "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
# The block at cells (2, 2)..(3, 3) of an 8x8 picture: screen 0's pixel (16, 16) set, and
# the screen-0 inks 4, 8 / 10, 12 in the four cells on every row (paper 0).
{ printf 'MGS\001\010\000\000'; head -c $((36871 - 7)) /dev/zero; } >block.mgs
poke block.mgs $((7 + 16 * 32 + 2)) 128
inks=(4 8 10 12)
for cell in 0 1 2 3; do
    column=$((2 + cell % 2))
    for row in $(seq $((16 + 8 * (cell / 2))) $((23 + 8 * (cell / 2)))); do
        poke block.mgs $((12295 + row * 64 + column * 2)) "${inks[$cell]}"
    done
done

title='^tileSmith x0\.96'
./tilesmith "$work/block.mgs" &
pids+=($!)
a=$(wait_for_window "$title - ") || fail "copy A showed no window"
./tilesmith &
pids+=($!)
b=$(wait_for_window "$title\$") || fail "copy B showed no window"

select_tool() { xdotool mousemove $((796 + 16)) $((TOP + 20)) click 1; }
# select_cells X0 Y0 X1 Y1: a drag of the Select tool from picture pixel (X0, Y0) to
# (X1, Y1).
select_cells() {
    local from to
    from=$(at "$1" "$2")
    to=$(at "$3" "$4")
    select_tool
    # shellcheck disable=SC2086
    xdotool mousemove $from sleep 0.1 mousedown 1
    # shellcheck disable=SC2086
    xdotool mousemove $to sleep 0.1
    # shellcheck disable=SC2086
    xdotool mousemove $to mouseup 1
    sleep 0.3
}

front "$a"
find_layout "$a"
select_cells 17 17 30 30 # cells (2, 2)..(3, 3)
xdotool key ctrl+c
sleep 0.3

front "$b"
find_layout "$b"
# shellcheck disable=SC2046
xdotool mousemove $(at 82 42) sleep 0.1
# shellcheck disable=SC2046
xdotool mousemove $(at 81 41)
sleep 0.2
xdotool key ctrl+v # the block's top-left cell lands on cell (10, 5)
# shellcheck disable=SC2046
wait_for_pixel_not "$b" $(at 80 40) 000000 || fail "B shows no pasted block"
select_cells 81 41 94 54 # the pasted block, cells (10, 5)..(11, 6)
xdotool key shift+Left    # Flip Horizontal
sleep 0.3
# "Rotate 90° cw" is the Edit menu's eighth entry, after Undo.
menu_bar "$b" 2 Down Down Down Down Down Down Down Down Return
sleep 0.3
xdotool key ctrl+s
answer_file_dialog "$work/turned.mgs"
wait_for_file "$work/turned.mgs" 36871 || fail "B wrote no turned.mgs"

# The pixel: at (80, 40) after the paste, (95, 40) after the flip, (95, 55) after the turn.
[ "$(pix turned.mgs 0 95 55)" = 1 ] || fail "the pixel is not at (95, 55)"
set_bits=$(od -An -tu1 -v -j 7 -N 12288 turned.mgs | tr -s ' ' '\n' | awk '$1 > 0' | wc -l)
[ "$set_bits" = 1 ] || fail "$set_bits pixel bytes are set, not 1"
# The cells' first rows: inks A B / C D became D B / C A (flip: B A / D C; turn clockwise).
expect_ink() {
    local got
    got=$(attr turned.mgs 0 "$1" "$2")
    [ "$got" = "$3 0" ] || fail "cell at column $1, row $2 holds '$got', not ink $3"
}
expect_ink 10 40 12
expect_ink 11 40 8
expect_ink 10 48 10
expect_ink 11 48 4

close_discarding "$a" "${pids[0]}" || fail "copy A exited with status $?"
close_discarding "$b" "${pids[1]}" || fail "copy B exited with status $?"
pids=()
echo "ok: a block copied in one copy was pasted, flipped, turned and saved in another"
