#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Spectrum screen opened from the command line, converted to 8x1 through the File menu,
# exported as .mg1 and, through the PNG panel, as .png: both files equal, byte for byte,
# what tilesmith-convert writes for the same screen. (A file dropped on the window opens
# the same way as one named on the command line, but xdotool cannot make a drop.)
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -x "${TILESMITH_CONVERT:-}" ] || fail "TILESMITH_CONVERT does not name the converter"
in_work_folder

# The program never writes a .scr: the test makes one, 6144 bitmap bytes and 768
# attribute bytes of every value (flash and bright bits included).
pattern 6912 7 >pic.scr
[ "$(stat -c %s pic.scr)" -eq 6912 ] || fail "the test screen has the wrong size"
# The option of the PNG panel, by its row: "800 x 600 (768x576 with border)", a picture
# enlarged three times inside a border.
png_option=8

./tilesmith "$work/pic.scr" &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window"
find_layout "$MAIN"

# "Change char size" > "Convert to 8x1", the fourth item of the submenu.
file_item "$FILE_CHANGE_CHAR_SIZE" Right Down Down Down
# "Export" > "Export to *.mg1", the second item.
file_item "$FILE_EXPORT" Right Down
answer_file_dialog "$work/out.mg1"
wait_for_file out.mg1 19456 || fail "out.mg1 was not written"

# "Export" > "Export to *.PNG", the fourth item from the end: the panel at (51, 51) of the
# work area.
file_item "$FILE_EXPORT" Right Up Up Up Up
panel_x=51 panel_y=$((TOP + 51))
wait_for_pixel "$MAIN" $((panel_x + 10)) $((panel_y + 8)) a6caf0 ||
    fail "the Export to *.PNG panel did not show"
# Inside its frame (2) and title bar (17): the label row, then a radio button every 23
# pixels; Ok 36 pixels above the inner bottom.
rows_top=$((panel_y + 2 + 17 + 6))
xdotool mousemove $((panel_x + 2 + 8 + 8)) $((rows_top + 23 * png_option + 11)) click 1
xdotool mousemove $((panel_x + 2 + 16 + 44)) $((panel_y + 350 - 3 - 36 + 14)) click 1
answer_file_dialog "$work/out.png"
for _ in $(seq 100); do
    [ -s out.png ] && break
    sleep 0.1
done
[ -s out.png ] || fail "out.png was not written"
wait_for_pixel_not "$MAIN" $((panel_x + 10)) $((panel_y + 8)) a6caf0 ||
    fail "the Export to *.PNG panel stayed open"

./tilesmith-convert --char-height 1 pic.scr ref.mg1 || fail "the converter failed on .mg1"
./tilesmith-convert --char-height 1 --png "$png_option" pic.scr ref.png ||
    fail "the converter failed on .png"
cmp ref.mg1 out.mg1 || fail "the exported .mg1 differs from the converter's"
cmp ref.png out.png || fail "the exported .png differs from the converter's"
info=$(./tilesmith-convert --info out.mg1)
grep -qx 'char height: 1' <<<"$info" || fail "out.mg1 is not an 8x1 picture: $info"
# 800 x 600: the PNG header's width and height.
[ "$(od -An -tu1 -j 16 -N8 out.png | tr -s ' ')" = " 0 0 3 32 0 0 2 88" ] ||
    fail "out.png is not 800 x 600"

# The conversion is a change that was never saved: closing asks, and the test discards.
status=0
close_discarding "$MAIN" "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "tilesmith exited with status $status"
echo "ok: a .scr converted to 8x1 exports the converter's .mg1 and .png"
