#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The colour corrector on a picture whose two screens differ: the menu shows it, a drag on
# the left screen view marks a range of cells, "Exchange Chars between screens" swaps the
# range's pixels and attributes between the screens, and the saved file differs from the
# opened one in exactly those bytes.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
# An 8x4 picture, borders 2 and 5, different pixels and attributes on the two screens.
{
    printf 'MGS\001\004\002\005'
    pattern 6144 11
    pattern 6144 23
    pattern 12288 37 15
    pattern 12288 51 15
} >pic.mgs
start pic.mgs
find_layout "$MAIN"

menu "$MAIN" "Color Corrector" "Show/Hide"
win_x=3 win_y=$((TOP + 43))
wait_for_pixel "$MAIN" $((win_x + 12)) $((win_y + 8)) a6caf0 || fail "the corrector did not show"
# Its left view IMGCorrector0 (3, 22 inside the 2-pixel frame) shows the picture at twice
# its size: a cell is 16 pixels wide and 2 x 4 high.
left_x=$((win_x + 5)) left_y=$((win_y + 24))
c0=4 r0=11 c1=9 r1=17
drag $((left_x + 16 * c0 + 8)) $((left_y + 8 * r0 + 4)) $((16 * (c1 - c0))) $((8 * (r1 - r0)))
# "Exchange Chars between screens", Button1 (8, 552, 1025 x 25).
xdotool mousemove $((win_x + 510)) $((win_y + 566)) click 1
save_mgs out.mgs

# The expected file: the range's rows swapped between the screens, pixel bytes of columns
# c0..c1 and their attribute cells.
cp pic.mgs expected.mgs
swap() { # swap OFFSET-A OFFSET-B COUNT
    dd if=pic.mgs of=expected.mgs bs=1 skip="$1" seek="$2" count="$3" conv=notrunc status=none
    dd if=pic.mgs of=expected.mgs bs=1 skip="$2" seek="$1" count="$3" conv=notrunc status=none
}
for row in $(seq $((4 * r0)) $((4 * r1 + 3))); do
    swap $((7 + row * 32 + c0)) $((6151 + row * 32 + c0)) $((c1 - c0 + 1))
    swap $((12295 + row * 64 + 2 * c0)) $((24583 + row * 64 + 2 * c0)) $((2 * (c1 - c0 + 1)))
done
cmp expected.mgs out.mgs || fail "the saved picture is not the opened one with the range exchanged"
close_window "$MAIN" "$pid"
echo "ok: the corrector exchanged the marked cells between the screens, and nothing else"
