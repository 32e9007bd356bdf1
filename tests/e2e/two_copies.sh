#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two running copies share colours and blocks. Colours picked with a right click in copy A
# are drawn with in copy B: A paints a cell with colours chosen in its Full Palette window,
# changes them and picks the cell again; B, which never chose a colour, draws a stroke with
# them and saves. A foreign palette signal is applied when well formed and ignored when
# not. Then a block selected in A (one pixel at its top-left corner, a different ink in each
# of its 2 x 2 cells) is copied through the X clipboard, pasted under the pointer in B,
# flipped and turned there from the keys and the Edit menu, and saved. Runs under
# dbus-run-session.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"
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

front "$b"
find_layout "$b"
front "$a"
find_layout "$a"
show_palette "$a"

# In A: paper0 9 (cyan) and ink0 6 (bright magenta), which makes paper0 bright (10);
# paper1 4, ink1 12. Swatch 0 mixes 10 with 4, swatch 3 mixes 6 with 12. The cell of
# (200, 100) is painted with them, then paper0 1 takes ink0 to normal (5).
set_colours 9 6 4 12
wait_for_swatch "$a" 0 9d9d9d
wait_for_swatch "$a" 3 fe9d9d
click_at 200 100
strip_click 0 1
wait_for_swatch "$a" 3 e69d73
front "$b"
wait_for_swatch "$b" 0 000000

# The pick: a right click on the painted cell in A reaches both copies.
front "$a"
click_at 200 100 3
wait_for_swatch "$a" 3 fe9d9d
front "$b"
wait_for_swatch "$b" 0 9d9d9d
wait_for_swatch "$b" 3 fe9d9d

# In B: a pencil stroke along row 40 from x 16 to x 60 (columns 2 to 7) paints combination
# 0 of A's colours, and Ctrl+S saves it.
stroke 40 16 60 2
# shellcheck disable=SC2046
wait_for_pixel "$b" $(at 40 40) 9d9d9d || fail "B's view shows no stroke in A's colours"
save_mgs b.mgs
for column in 2 7; do
    expect "B's cell $column,40" "$(attr b.mgs 0 "$column" 40) $(attr b.mgs 1 "$column" 40)" "6 10 12 4"
done
expect "past B's stroke and A's cell" "$(attr b.mgs 0 8 40) $(attr b.mgs 1 25 96)" "0 0 0 0"

# Another program's signal: a field of 15 is ignored; paper0 1, ink0 14, paper1 0, ink1 7
# (0x70E1) are applied.
send() {
    dbus-send --session --type=signal /org/tilesmith/Palette \
        org.tilesmith.Palette.WM_TILESMITH_GET_PALETTE "uint32:$1" uint32:0
    sleep 0.7
}
send $((0xF0E1))
wait_for_swatch "$b" 0 9d9d9d
send $((0x70E1))
wait_for_swatch "$b" 0 000073

# ---- A block through the clipboard ----
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
# Both copies share one layout (found before A's palette covered the view's row).
front "$a"
select_cells 17 17 30 30 # cells (2, 2)..(3, 3)
xdotool key ctrl+c
sleep 0.3

front "$b"
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
menu "$b" Edit "Rotate 90° cw"
sleep 0.3
save_mgs turned.mgs

# The pixel: at (80, 40) after the paste, (95, 40) after the flip, (95, 55) after the turn,
# and no other. The cells' first rows: inks A B / C D became D B / C A.
expect "the pixel" "$(pix turned.mgs 0 95 55)" 1
expect "pixel bytes set" "$(od -An -tu1 -v -j 7 -N 12288 turned.mgs | tr -s ' ' '\n' | awk '$1 > 0' | wc -l)" 1
expect "turned inks" "$(attr turned.mgs 0 10 40) $(attr turned.mgs 0 11 40) $(attr turned.mgs 0 10 48) $(attr turned.mgs 0 11 48)" \
    "12 0 8 0 10 0 4 0"

# A keeps its painted cell unsaved: closing asks, and the test discards it.
close_window "$a" "${pids[0]}" discard
close_window "$b" "${pids[1]}"
pids=()
echo "ok: a pick and a block from copy A drawn, pasted, flipped, turned and saved in copy B"
