#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Spectrum screen opened from the command line, converted to 8x1 through the File menu,
# exported as .mg1 and, through the PNG panel, as .png: both files equal, byte for byte,
# what tilesmith-convert writes for the same screen. (A dropped file opens the same way,
# but xdotool cannot make a drop.)
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
# 6144 bitmap bytes and 768 attribute bytes of every value (flash and bright bits too).
pattern 6912 7 >pic.scr
./tilesmith "$work/pic.scr" &
pid=$!
MAIN=$(wait_for_window "^$TITLE\$") || fail "no main window"
find_layout "$MAIN"

menu "$MAIN" File "Change char size" "Convert to 8x1"
menu "$MAIN" File Export "Export to *.mg1"
answer_file_dialog "$work/out.mg1"
wait_for_file out.mg1 19456 || fail "out.mg1 was not written"

# The PNG panel at (51, 51) of the work area: inside its frame (2) and title bar (17) the
# label row, then a radio button every 23 pixels; Ok 36 pixels above the inner bottom.
# Row 8 is "800 x 600 (768x576 with border)".
menu "$MAIN" File Export "Export to *.PNG"
panel_x=51 panel_y=$((TOP + 51))
wait_for_pixel "$MAIN" $((panel_x + 10)) $((panel_y + 8)) a6caf0 || fail "the PNG panel did not show"
xdotool mousemove $((panel_x + 18)) $((panel_y + 25 + 23 * 8 + 11)) click 1
xdotool mousemove $((panel_x + 62)) $((panel_y + 350 - 3 - 36 + 14)) click 1
answer_file_dialog "$work/out.png"
poll 10 test -s out.png || fail "out.png was not written"

./tilesmith-convert --char-height 1 pic.scr ref.mg1 || fail "the converter failed on .mg1"
./tilesmith-convert --char-height 1 --png 8 pic.scr ref.png || fail "the converter failed on .png"
cmp ref.mg1 out.mg1 || fail "the exported .mg1 differs from the converter's"
cmp ref.png out.png || fail "the exported .png differs from the converter's"
# (The converter's own tests pin what its .mg1 and option 8 hold.)

# The conversion was never saved: closing asks, and the test discards.
close_window "$MAIN" "$pid" discard
echo "ok: a .scr converted to 8x1 exports the converter's .mg1 and .png"
