#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A block selected in one running copy, copied through the X clipboard, pasted into a second
# copy under the pointer, flipped and turned there, and saved: copy A opens a picture with
# a 2 x 2-cell block (one pixel at its top-left corner, a different ink in each cell),
# selects it with the Select tool and copies it with Ctrl+C; copy B pastes it with Ctrl+V,
# selects it, flips it with Shift+Left, turns it from the Edit menu and saves it.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
# poke FILE OFFSET VALUE: one byte of a file.
poke() { printf "\\$(printf %03o "$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
# The block at cells (2, 2)..(3, 3): screen 0's pixel (16, 16) set, screen-0 inks 4, 8 /
# 10, 12 in the four cells on every row (paper 0).
empty_mgs 8 >block.mgs
poke block.mgs $((7 + 16 * 32 + 2)) 128
inks=(4 8 10 12)
for cell in 0 1 2 3; do
    for row in $(seq $((16 + 8 * (cell / 2))) $((23 + 8 * (cell / 2)))); do
        poke block.mgs $((12295 + row * 64 + (2 + cell % 2) * 2)) "${inks[$cell]}"
    done
done

start block.mgs
pids+=("$pid")
a=$MAIN
start
pids+=("$pid")
b=$MAIN
pid=""

# select_cells X0 Y0 X1 Y1: a drag of the Select tool between two picture pixels.
select_cells() {
    local from to
    from=$(at "$1" "$2")
    to=$(at "$3" "$4")
    tool_key Key_Instrument_Select
    # shellcheck disable=SC2086
    xdotool mousemove $from sleep 0.1 mousedown 1 mousemove $to sleep 0.1 mousemove $to mouseup 1
    sleep 0.3
}
front "$a"
find_layout "$a"
select_cells 17 17 30 30 # cells (2, 2)..(3, 3)
xdotool key ctrl+c
sleep 0.3

front "$b"
find_layout "$b"
# The pointer arrives at (81, 41) by a move the view sees; the block's top-left cell lands
# on the cell under it, (10, 5), and nothing else changes.
# shellcheck disable=SC2046
xdotool mousemove $(at 82 42) sleep 0.1 mousemove $(at 81 41) sleep 0.2 key ctrl+v
# shellcheck disable=SC2046
wait_for_pixel ! "$b" $(at 80 40) 000000 || fail "B shows no pasted block"
# shellcheck disable=SC2046
expect "B beside the block" "$(pixel "$b" $(at 100 40))$(pixel "$b" $(at 20 20))" 000000000000
select_cells 81 41 94 54 # the pasted block, cells (10, 5)..(11, 6)
xdotool key shift+Left   # Flip Horizontal
sleep 0.3
menu "$b" Edit "Rotate 90\` cw"
sleep 0.3
save_mgs turned.mgs

# The pixel: at (80, 40) after the paste, (95, 40) after the flip, (95, 55) after the turn,
# and no other. The cells' first rows: inks A B / C D became D B / C A.
expect "the pixel" "$(pix turned.mgs 0 95 55)" 1
expect "pixel bytes set" "$(od -An -tu1 -v -j 7 -N 12288 turned.mgs | tr -s ' ' '\n' | awk '$1 > 0' | wc -l)" 1
expect "turned inks" "$(attr turned.mgs 0 10 40) $(attr turned.mgs 0 11 40) $(attr turned.mgs 0 10 48) $(attr turned.mgs 0 11 48)" \
    "12 0 8 0 10 0 4 0"

close_window "$a" "${pids[0]}" discard
close_window "$b" "${pids[1]}" discard
pids=()
echo "ok: a block copied in one copy was pasted, flipped, turned and saved in another"
